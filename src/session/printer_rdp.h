// Prepares the platform client's printer redirection before each session start.
#pragma once

#include "session/user_registry.h"

namespace orvanta {

inline constexpr char kRdpdrKey[] =
    "Software\\Microsoft\\Terminal Server Client\\Default\\AddIns\\RDPDR";
inline constexpr char kFilterQueueTypeValue[] = "FilterQueueType";

// Writes FilterQueueType = 0xFFFFFFFF; throws Exception when the write fails.
void PrinterRDP(UserRegistry& registry);

}  // namespace orvanta
