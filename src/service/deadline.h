// A moment after which a connection's reads, writes and waits fail as timed out.
#pragma once

#include <algorithm>
#include <chrono>
#include <optional>

namespace orvanta {

using Deadline = std::optional<std::chrono::steady_clock::time_point>;

// `ms` from now; none for 0 or less.
inline Deadline deadlineIn(int ms) {
  if (ms <= 0) return std::nullopt;
  return std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
}

inline Deadline earlier(Deadline a, Deadline b) {
  if (!a || !b) return a ? a : b;
  return std::min(*a, *b);
}

// The longest wait allowed now: `limitMs`, cut to what is left before `deadline`; 0 once it passed.
inline int waitWithin(int limitMs, Deadline deadline) {
  if (!deadline) return limitMs;
  auto left =
      std::chrono::ceil<std::chrono::milliseconds>(*deadline - std::chrono::steady_clock::now());
  return static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(left.count(), 0, limitMs));
}

inline bool hasPassed(Deadline deadline) {
  return deadline && std::chrono::steady_clock::now() >= *deadline;
}

}  // namespace orvanta
