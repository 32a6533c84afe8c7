// What the two download windows share on the Win32 side.
#pragma once

#include "ui/controls_win.h"
#include "ui/window_win.h"
#include "update/barra_progresso.h"

namespace orvanta {

// Caption "Download em andamento...", client area 912 x 25, centred on the screen.
TopLevelOptions opcoesJanelaDownload(const wchar_t* className);

// Creates the control filling the client area and mirrors the core's bar into it from now on.
void criarBarra(Window& janela, ProgressBar& controle, BarraProgresso& barra);

}  // namespace orvanta
