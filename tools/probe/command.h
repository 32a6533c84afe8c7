// One probe command, given as its words: the command's name and its arguments.
#pragma once

#include <string>
#include <vector>

#include "answer.h"

namespace probe {

Answer runCommand(const std::vector<std::wstring>& words);

}  // namespace probe
