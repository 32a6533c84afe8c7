// Prepares the platform client's printer redirection before each session start.
#pragma once

#include "session/registro_usuario.h"

namespace orvanta {

inline constexpr char kChaveRdpdr[] =
    "Software\\Microsoft\\Terminal Server Client\\Default\\AddIns\\RDPDR";
inline constexpr char kValorFilterQueueType[] = "FilterQueueType";

// Writes FilterQueueType = 0xFFFFFFFF; throws Excecao when the write fails.
void PrinterRDP(RegistroUsuario& registro);

}  // namespace orvanta
