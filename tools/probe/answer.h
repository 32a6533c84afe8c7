// What one probe command printed and the exit code the one-shot probe ends with.
#pragma once

#include <string>

namespace probe {

struct Answer {
  int code = 0;
  std::string out;    // lines, each ending in '\n'
  std::string error;  // the reason of a failure, one line
};

inline Answer failed(int code, std::string reason) {
  return {code, {}, std::move(reason) + "\n"};
}

}  // namespace probe
