#include "login/login_win.h"

namespace orvanta {

TFrmLogin* FrmLogin = nullptr;

TFrmLogin::TFrmLogin(Application& app) : Window(app) {
  setFont(createFont(L"Tahoma", 16));
  setColor(RGB(255, 255, 255));
  createTopLevel({.className = L"TFrmLogin",
                  .caption = "Login Orvanta",
                  .clientWidth = 566,
                  .clientHeight = 401,
                  .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX});
  Image1.create(*this, {0, 0, 282, 401});
  Image1.setColor(RGB(12, 36, 97));
  Label1.create(*this, {304, 62, 120, 20}, "Usuário");
  Label2.create(*this, {304, 126, 120, 20}, "Senha");
  // Created in tab order.
  Edit1.create(*this, {304, 87, 241, 27}, {}, {.lowerCase = true});
  Edit2.create(*this, {304, 151, 241, 27}, {}, {.password = true});
  Button1.create(*this, {344, 280, 153, 41}, "Login");
  RadioGroup1.create(*this, {304, 200, 241, 41}, {}, {"Ruruvudud", "Rozevuv"}, 2);
  RadioGroup1.setItemIndex(0);
  RadioGroup1.setVisible(false);
  fonteOpcoes_ = createFont(L"Tahoma", 13);
  CheckBox1.create(*this, {304, 352, 254, 17}, "Comunicação direta com as impressoras");
  CheckBox1.setFont(fonteOpcoes_.get());
  CheckBox2.create(*this, {304, 376, 254, 17}, "Rota Alternativa");
  CheckBox2.setFont(fonteOpcoes_.get());
}

EscolhasLogin TFrmLogin::escolhas() const {
  return {Edit1.text(), CheckBox1.checked(), CheckBox2.checked()};
}

}  // namespace orvanta
