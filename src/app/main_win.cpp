#include <windows.h>

#include "app/programa_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return orvanta::executarPrograma();
}
