// Layouts and drawings are designed at 96 dpi and scaled to the dpi they are shown at.
#pragma once

namespace orvanta {

inline constexpr int kDesignDpi = 96;

// Rounded half away from zero, as the platform's MulDiv does.
constexpr int scaleToDpi(int designPx, int dpi) {
  const long long product = static_cast<long long>(designPx) * dpi;
  const long long half = kDesignDpi / 2;
  return static_cast<int>(product >= 0 ? (product + half) / kDesignDpi
                                       : -((-product + half) / kDesignDpi));
}

}  // namespace orvanta
