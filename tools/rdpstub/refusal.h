// A member the tests asked the stand-in to refuse (journal.h) fails as the platform control's
// would: with an exception for a dispatch caller, with error info for a vtable caller.
#pragma once

#include <oaidl.h>

#include <string>

namespace rdpstub {

// S_OK unless member is refused; info is null for a call through a vtable slot.
HRESULT refuse(const std::string& member, EXCEPINFO* info);

}  // namespace rdpstub
