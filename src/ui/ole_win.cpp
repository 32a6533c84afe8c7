#include "ui/ole_win.h"

namespace orvanta {

OleSession::OleSession() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}

OleSession::~OleSession() {
  if (initialised_) OleUninitialize();
}

}  // namespace orvanta
