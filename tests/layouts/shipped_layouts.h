// The shipped layouts' bytes, by resource name.
#pragma once

#include <span>
#include <stdexcept>
#include <string_view>

#include "resources/keyboard_layouts_data.h"

namespace orvanta::testing {

inline std::span<const unsigned char> BytesDoLayout(std::string_view nome) {
  for (const RecursoLayout& r : RecursosLayoutEmbutidos()) {
    if (r.nome == nome) return r.dados;
  }
  throw std::logic_error("no shipped layout named " + std::string(nome));
}

}  // namespace orvanta::testing
