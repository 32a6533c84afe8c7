#include "login/login_win.h"

#include "login/controle_ausente.h"
#include "login/imagem_login_win.h"
#include "login/mensagens_login.h"
#include "login/seletor_site.h"

namespace orvanta {

TFrmLogin* FrmLogin = nullptr;

namespace {

constexpr int kLarguraImagem = 282;
constexpr int kAlturaImagem = 401;

UniqueHbitmap desenharImagem() {
  WindowDc tela(nullptr);
  UniqueHbitmap bitmap(CreateCompatibleBitmap(tela.get(), kLarguraImagem, kAlturaImagem));
  UniqueMemoryDc memoria(CreateCompatibleDC(tela.get()));
  SelectGuard selecao(memoria.get(), bitmap.get());
  PintarImagemLogin(memoria.get(), RECT{0, 0, kLarguraImagem, kAlturaImagem});
  return bitmap;
}

}  // namespace

TFrmLogin::TFrmLogin(Application& app) : Window(app) {
  setFont(createFont(L"Tahoma", 16));
  setColor(RGB(255, 255, 255));
  createTopLevel({.className = L"TFrmLogin",
                  .caption = "Login Orvanta",
                  .clientWidth = 566,
                  .clientHeight = 401,
                  .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX});
  Image1.create(*this, {0, 0, kLarguraImagem, kAlturaImagem});
  Image1.setBitmap(desenharImagem());
  Label1.create(*this, {304, 62, 120, 20}, "Usuário");
  Label2.create(*this, {304, 126, 120, 20}, "Senha");
  // Created in tab order.
  Edit1.create(*this, {304, 87, 241, 27}, {}, {.lowerCase = true});
  Edit2.create(*this, {304, 151, 241, 27}, {}, {.password = true});
  Button1.create(*this, {344, 280, 153, 41}, "Login");
  RadioGroup1.create(*this, {304, 200, 241, 41}, {}, {"Ruruvudud", "Rozevuv"}, 2);
  // The items follow their frame in the tab order, after the button.
  HWND anterior = RadioGroup1.hwnd();
  for (size_t i = 0; i < RadioGroup1.count(); ++i) {
    SetWindowPos(RadioGroup1.item(i), anterior, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    anterior = RadioGroup1.item(i);
  }
  RadioGroup1.setItemIndex(0);
  RadioGroup1.setVisible(false);
  fonteOpcoes_ = createFont(L"Tahoma", 13);
  CheckBox1.create(*this, {304, 352, 254, 17}, "Comunicação direta com as impressoras");
  CheckBox1.setFont(fonteOpcoes_.get());
  CheckBox2.create(*this, {304, 376, 254, 17}, "Rota Alternativa");
  CheckBox2.setFont(fonteOpcoes_.get());

  Edit1.onExit = [this] { Edit1Exit(); };
  for (Edit* campo : {&Edit1, &Edit2}) {
    campo->onKeyDown = [this](unsigned tecla) { EditKeyDown(tecla); };
    campo->onKeyUp = [this](unsigned tecla) { EditKeyUp(tecla); };
  }
  Button1.onClick = [this] { Button1Click(); };
  RadioGroup1.onClick = [this] { RadioGroup1Click(); };
  CheckBox1.onClick = [this] { nucleo_.CheckBox1Click(CheckBox1.checked()); };
  CheckBox2.onClick = [this] { nucleo_.CheckBox2Click(CheckBox2.checked()); };
}

EscolhasLogin TFrmLogin::escolhas() const {
  return {Edit1.text(), CheckBox1.checked(), CheckBox2.checked()};
}

void TFrmLogin::onShow() {
  if (clearPrintInProgress) clearPrintInProgress();
  // Without an HTTP client there is nothing to ask; the check stays silent either way.
  if (IdHTTP1) nucleo_.FormShow(*IdHTTP1, executarAtualizacao);
}

void TFrmLogin::Edit1Exit() {
  // Only a move to another control of this window counts; a message box taking the focus
  // (say after Enter in the field) is not the user leaving the field.
  HWND novoFoco = GetFocus();
  if (novoFoco == nullptr || !IsChild(hwnd(), novoFoco)) {
    return;
  }
  RadioGroup1.setVisible(SeletorSiteVisivel(Edit1.text()));
}

void TFrmLogin::EditKeyDown(unsigned teclaVirtual) {
  enterNoCampo_ = teclaVirtual == VK_RETURN;
}

// The release alone is not enough: the Enter that closes a message box is released in the
// field, and must not start the login again behind the box.
void TFrmLogin::EditKeyUp(unsigned teclaVirtual) {
  if (teclaVirtual == VK_RETURN && enterNoCampo_) {
    enterNoCampo_ = false;
    Button1.click();
  }
}

void TFrmLogin::RadioGroup1Click() {
  Button1.setFocus();
}

void TFrmLogin::Button1Click() {
  // The group's own visibility, whether or not the window is on screen.
  const bool seletorVisivel = (GetWindowLongPtrW(RadioGroup1.hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
  const CamposLogin campos{Edit1.text(), Edit2.text(), seletorVisivel, RadioGroup1.itemIndex(),
                           CheckBox2.checked()};
  if (!IdHTTP1) {
    mensagens_.showMessage(mensagens_login::FalhaConexao);
    return;
  }
  ControleAusente ausente;
  nucleo_.Login(*IdHTTP1, campos, controleSessao ? controleSessao() : ausente, passarSessao);
}

LRESULT TFrmLogin::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ACTIVATE) {
    // Like a dialog: the focus comes back to the control that had it, at first Edit1.
    if (LOWORD(wParam) == WA_INACTIVE) {
      HWND atual = GetFocus();
      if (atual != nullptr && IsChild(hwnd(), atual)) {
        foco_ = atual;
      }
    } else if (!IsWindowVisible(foco_) || !IsChild(hwnd(), foco_)) {
      Edit1.setFocus();
    } else {
      SetFocus(foco_);
    }
    return 0;
  }
  return Window::handleMessage(msg, wParam, lParam);
}

}  // namespace orvanta
