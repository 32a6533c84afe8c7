#include "update/progress_bar_model.h"

#include <algorithm>
#include <limits>

namespace orvanta {
namespace {

int bounded(int64_t value, int64_t maximum) {
  return static_cast<int>(std::clamp<int64_t>(value, 0, maximum));
}

}  // namespace

void ProgressBarModel::setMax(int64_t max) {
  max_ = bounded(max, std::numeric_limits<int>::max());
  position_ = std::min(position_, max_);
  if (onChange) onChange();
}

void ProgressBarModel::setPosition(int64_t position) {
  position_ = bounded(position, max_);
  if (onChange) onChange();
}

}  // namespace orvanta
