// The ErroHttp a call raises, for checking its kind and texts.
#pragma once

#include <gtest/gtest.h>

#include <functional>

#include "service/erro_http.h"

namespace orvanta::test {

// Fails the test when the call raises nothing.
inline ErroHttp catchHttpError(const std::function<void()>& f) {
  try {
    f();
  } catch (const ErroHttp& e) {
    return e;
  }
  ADD_FAILURE() << "no ErroHttp";
  return ErroHttp(HttpErrorType::other, "");
}

}  // namespace orvanta::test
