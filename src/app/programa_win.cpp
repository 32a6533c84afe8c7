#include "app/programa_win.h"

#include <commctrl.h>

#include <memory>
#include <string>

#include "app/janelas_win.h"
#include "base/exception.h"
#include "base/exception_text.h"
#include "session/keyboard_layouts.h"
#include "session/keyboard_layouts_win.h"
#include "ui/application_win.h"
#include "ui/ole_win.h"
#include "ui/text_win.h"

namespace orvanta {

void mostrarErroInicio(MessageBoxes& boxes, std::exception_ptr erro, const void* endereco) {
  std::string classe = "Exception";
  std::string mensagem;
  try {
    std::rethrow_exception(erro);
  } catch (const Excecao& e) {
    classe = e.nomeClasse();
    mensagem = e.what();
  } catch (const std::exception& e) {
    mensagem = e.what();
  } catch (...) {
  }
  const std::string texto = textoErroInicio(classe, narrow(programFileName()),
                                            reinterpret_cast<std::uintptr_t>(endereco), mensagem);
  boxes.show(nullptr, widen(texto), L"Application Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

int executarPrograma() {
  OleSession ole;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  Application app;
  std::unique_ptr<ConjuntoJanelas> janelas;
  try {
    CarregarLayoutsDoModulo(KeyboardLayouts(), GetModuleHandleW(nullptr));
    janelas = std::make_unique<ConjuntoJanelas>(app);
  } catch (...) {
    mostrarErroInicio(app.boxes(), std::current_exception(),
                      reinterpret_cast<const void*>(&executarPrograma));
    return 1;
  }
  return app.run();
}

}  // namespace orvanta
