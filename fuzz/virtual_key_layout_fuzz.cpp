// libFuzzer target for the keyboard layout reader: any input either reads or is refused with
// KeyboardLayoutError, never read past its end.
#include <cstddef>
#include <cstdint>
#include <span>

#include "layouts/virtual_key_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    orvanta::TVirtualKeyLayout::read(std::span<const unsigned char>(data, size));
  } catch (const orvanta::KeyboardLayoutError&) {
  }
  return 0;
}
