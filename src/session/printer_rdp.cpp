#include "session/printer_rdp.h"

#include <string>

#include "base/exception.h"

namespace orvanta {

void PrinterRDP(UserRegistry& registry) {
  if (!registry.writeDword(kRdpdrKey, kFilterQueueTypeValue, 0xFFFFFFFFu)) {
    throw Exception(std::string("Failed to set data for '") + kFilterQueueTypeValue + "'",
                    "ERegistryException");
  }
}

}  // namespace orvanta
