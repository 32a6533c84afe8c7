#include "session/printer_rdp.h"

#include <string>

#include "base/exception.h"

namespace orvanta {

void PrinterRDP(RegistroUsuario& registro) {
  if (!registro.gravaDword(kChaveRdpdr, kValorFilterQueueType, 0xFFFFFFFFu)) {
    throw Excecao(std::string("Failed to set data for '") + kValorFilterQueueType + "'",
                  "ERegistryException");
  }
}

}  // namespace orvanta
