#include "update/barra_progresso.h"

#include <algorithm>
#include <limits>

namespace orvanta {
namespace {

int limitado(int64_t valor, int64_t maximo) {
  return static_cast<int>(std::clamp<int64_t>(valor, 0, maximo));
}

}  // namespace

void BarraProgresso::setMax(int64_t max) {
  max_ = limitado(max, std::numeric_limits<int>::max());
  position_ = std::min(position_, max_);
  if (onChange) onChange();
}

void BarraProgresso::setPosition(int64_t position) {
  position_ = limitado(position, max_);
  if (onChange) onChange();
}

}  // namespace orvanta
