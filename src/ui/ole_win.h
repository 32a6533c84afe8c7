// The component-object runtime on the UI thread (single-threaded apartment).
#pragma once

#include <ole2.h>

namespace orvanta {

// OleInitialize for the lifetime of the object.
class OleSession {
 public:
  OleSession();
  ~OleSession();
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

 private:
  bool initialised_;
};

}  // namespace orvanta
