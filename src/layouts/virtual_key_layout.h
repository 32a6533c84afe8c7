// One on-screen keyboard layout: its rows of keys with their alternative meanings.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/exception.h"

namespace orvanta {

enum class TVirtualKeyFlag : uint8_t { kfStretch = 1, kfToggle = 2, kfRepeat = 4 };

// KeyImage values: a picture drawn instead of the caption.
namespace KeyImage {
inline constexpr uint8_t kTab = 0;
inline constexpr uint8_t kShift = 1;
inline constexpr uint8_t kEnter = 2;
inline constexpr uint8_t kBackspace = 3;
inline constexpr uint8_t kArrowUp = 4;
inline constexpr uint8_t kArrowDown = 5;
inline constexpr uint8_t kArrowLeft = 6;
inline constexpr uint8_t kArrowRight = 7;
inline constexpr uint8_t kNumPadEnter = 8;
inline constexpr uint8_t kCaptionOverride = 254;
inline constexpr uint8_t kNone = 255;
}  // namespace KeyImage

inline constexpr int16_t kScanCodeFn = -2;

struct TKeyboardLanguage {
  std::string Language;
  std::string Name;
};

struct TKeyData {
  int16_t Vk = -1;
  int16_t ScanCode = -1;
};

struct TKeyLanguage {
  std::string Caption;
  int16_t Vk = -1;
  int16_t ScanCode = -1;
  uint8_t KeyImage = KeyImage::kNone;
  std::vector<TKeyData> ComboKeys;
  std::string Language;
};

struct TKeyModifier {
  std::string Caption;
  int16_t Vk = -1;
  int16_t ScanCode = -1;
  uint8_t KeyImage = KeyImage::kNone;
  std::string ModifierName;
  uint16_t FontSize = 14;
  std::string Language;
  std::vector<TKeyLanguage> Languages;
};

struct TVirtualKey {
  int16_t Vk = -1;
  int16_t ScanCode = -1;
  std::string Caption;
  uint8_t KeyImage = KeyImage::kNone;
  std::vector<TKeyData> ComboKeys;
  uint16_t FontSize = 14;
  uint16_t Width = 48;
  uint16_t Height = 48;
  uint8_t Flags = 0;  // TVirtualKeyFlag bits
  uint16_t LeftMargin = 0;
  uint16_t RightMargin = 0;
  std::vector<TKeyModifier> Modifiers;
  std::string ModifierName;
  std::vector<TKeyLanguage> Languages;
  uint16_t GroupIndex = 0;
  std::string PublishedName;

  bool has(TVirtualKeyFlag flag) const { return (Flags & static_cast<uint8_t>(flag)) != 0; }
};

struct TVirtualKeys {
  uint8_t TopMargin = 0;
  uint8_t BottomMargin = 0;
  std::vector<TVirtualKey> Keys;
};

// The stored data is cut short, too large, or longer than the layout it holds.
class KeyboardLayoutError : public Exception {
 public:
  explicit KeyboardLayoutError(const std::string& message)
      : Exception(message, "EKeyboardLayoutError") {}
};

struct TVirtualKeyLayout {
  std::string KeyboardName;
  std::string KeyboardType;
  int Width = 0;
  int Height = 0;
  int MinWidth = 0;
  int MinHeight = 0;
  int MaxWidth = 0;
  int MaxHeight = 0;
  int RowHeight = 48;
  std::vector<TKeyboardLanguage> Languages;
  std::vector<TVirtualKeys> Keys;

  // Larger data is refused before reading; no real layout comes near it.
  static constexpr size_t kMaxSize = 1 << 20;

  // Reads one stored layout that fills `data` exactly. A version byte other than 1 gives
  // an empty layout. Data that ends early, holds bytes after the layout or exceeds
  // kMaxSize throws KeyboardLayoutError: a half-read layout would draw a broken keyboard.
  static TVirtualKeyLayout read(std::span<const unsigned char> data);
};

}  // namespace orvanta
