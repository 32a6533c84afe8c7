#include "keyboard/key_placement.h"

#include <cstddef>

namespace orvanta {
namespace {

bool startsRow(const std::vector<TCustomKeyboardButton>& keys, size_t i) {
  return i == 0 || keys[i].row != keys[i - 1].row;
}

bool stretches(const TCustomKeyboardButton& key) {
  return key.Key.has(TVirtualKeyFlag::kfStretch);
}

void placeWidths(std::vector<TCustomKeyboardButton>& keys, int layoutWidth, int width) {
  for (size_t first = 0; first < keys.size();) {
    size_t end = first + 1;
    while (end < keys.size() && !startsRow(keys, end)) ++end;
    // The budget is one pixel wider than the keyboard; the last key gives it back.
    int budget = width + 1;
    int stretchTotal = 0;
    for (size_t i = first; i < end; ++i) {
      if (stretches(keys[i])) {
        stretchTotal += keys[i].Key.Width;
      } else {
        keys[i].Width = layoutWidth > 0 ? keys[i].Key.Width * width / layoutWidth : 0;
        budget -= keys[i].Width;
      }
    }
    for (size_t i = first; i < end; ++i) {
      if (stretches(keys[i])) {
        keys[i].Width = stretchTotal > 0 ? budget * keys[i].Key.Width / stretchTotal : 0;
      }
    }
    keys[first].Left = 0;
    for (size_t i = first + 1; i < end; ++i) keys[i].Left = keys[i - 1].Left + keys[i - 1].Width;
    first = end;
  }
  if (!keys.empty() && !stretches(keys.back())) keys.back().Width -= 1;
}

void placeRows(std::vector<TCustomKeyboardButton>& keys, int rowHeight, int height) {
  int rows = 0;
  for (size_t i = 0; i < keys.size(); ++i) rows += startsRow(keys, i) ? 1 : 0;
  if (rows == 0) return;
  const int h = (height - 1) / rows;
  const int taller = height - h * rows;  // the first rows are one pixel higher
  int row = -1;
  int top = 0;
  int current = 0;
  size_t rowAbove = 0;
  size_t rowStart = 0;
  for (size_t i = 0; i < keys.size(); ++i) {
    if (startsRow(keys, i)) {
      if (row >= 0) top += current;
      ++row;
      current = row < taller ? h + 1 : h;
      rowAbove = rowStart;
      rowStart = i;
      // Keys of the row above that are taller than a row reach into this one.
      for (size_t j = rowAbove; row > 0 && j < rowStart; ++j) {
        if (keys[j].Key.Height != rowHeight) {
          keys[j].Height += h + keys[j].BottomMargin + (row < taller ? 1 : 0);
        }
      }
    }
    keys[i].Top = top;
    keys[i].Height = current;
  }
}

}  // namespace

void placeKeys(std::vector<TCustomKeyboardButton>& keys, int layoutWidth, int rowHeight, int width,
               int height) {
  placeWidths(keys, layoutWidth, width);
  placeRows(keys, rowHeight, height);
}

}  // namespace orvanta
