// The login window: the main window at start.
#pragma once

#include <memory>

#include "login/escolhas_login.h"
#include "service/transferencia_http.h"
#include "ui/controls_win.h"
#include "ui/window_win.h"

namespace orvanta {

class TFrmLogin : public Window {
  // Before the controls, so it outlives them.
  UniqueHfont fonteOpcoes_;

 public:
  explicit TFrmLogin(Application& app);

  // What the controls hold now; the window is only ever hidden, so this stays readable.
  EscolhasLogin escolhas() const;

  std::unique_ptr<TransferenciaHttp> IdHTTP1;

  Picture Image1{app()};
  Label Label1;
  Edit Edit1;
  Label Label2;
  Edit Edit2;
  Button Button1;
  RadioGroup RadioGroup1;
  CheckBox CheckBox1;
  CheckBox CheckBox2;
};

extern TFrmLogin* FrmLogin;

}  // namespace orvanta
