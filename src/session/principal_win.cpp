#include "session/principal_win.h"

#include "service/hosts.h"
#include "ui/application_win.h"

#include <algorithm>

namespace orvanta {

TFrmPrincipal* FrmPrincipal = nullptr;

namespace {

constexpr int kToolbarHeight = 25;
constexpr int kLabelHeight = 13;
constexpr int kKeyboardHeight = 180;

}  // namespace

TFrmPrincipal::TFrmPrincipal(Application& app, std::string_view versionText,
                             TTouchKeyboard::Platform keyboard)
    : Window(app), TouchKeyboard1(app, std::move(keyboard)) {
  setFont({.face = L"MS Sans Serif", .heightPx = 11});
  setColor(RGB(255, 255, 255));
  // Nobody sees the session window before a login: it is made when first needed, to show it or
  // when the control asks for its host window.
  createWhenNeeded([this, versionText = std::string(versionText)] { create(versionText); });
  // Made here, at start, so that a missing class fails the window set with the platform's text.
  MsRdpClient71 = std::make_unique<rdp::RdpSessionWin>(
      [this] { return hwnd(); }, rdp::createControl(), *this, statusAlert, ChecaImpressao, shell_,
      HostSite, [&app](std::exception_ptr failure) { app.handleException(failure); });
  SpeedButton1.onClick = [this] { session().fullScreen(); };
  SpeedButton3.onClick = [this] { session().reconnect(); };
  SpeedButton4.onClick = [this] {
    TouchKeyboard1.setVisible(!TouchKeyboard1.visible());
    layOut();
  };
  SpeedButton5.onClick = [this] { session().transferHelp(); };
  SpeedButton6.onClick = [this] { session().printingHelp(); };
  SpeedButton2.onClick = [this] { session().support(); };
}

void TFrmPrincipal::create(const std::string& versionText) {
  createTopLevel({.className = L"TFrmPrincipal",
                  .caption = "Orvanta - Lessendra",
                  .clientWidth = 784,
                  .clientHeight = 562,
                  .position = POINT{248, 121},
                  // The user may make it any size, so its layout copes with any screen.
                  .smallestClient = SIZE{0, 0}});
  Panel1.create(*this, {0, 0, 784, kToolbarHeight});
  // The buttons take their captions' font from the toolbar: the window's own.
  Panel1.setFont({.face = L"MS Sans Serif", .heightPx = 11});
  SpeedButton1.create(Panel1, {3, 0, 86, 22}, "Tela Cheia");
  SpeedButton3.create(Panel1, {99, 0, 86, 22}, "Reconectar");
  SpeedButton4.create(Panel1, {195, 0, 86, 22}, "Teclado Virtual");
  SpeedButton5.create(Panel1, {303, 0, 154, 22}, "Ajuda para transferir arquivos");
  SpeedButton6.create(Panel1, {463, 0, 154, 22}, "Ajuda para imprimir");
  SpeedButton2.create(Panel1, {623, 0, 86, 22}, "Suporte");
  SpeedButton3.setEnabled(false);
  // Hidden from the start: showing and hiding it here would build keys nobody may ever see.
  TouchKeyboard1.create(*this, {0, 562 - kLabelHeight - kKeyboardHeight, 784, kKeyboardHeight},
                        false);
  TouchKeyboard1.model().setDrawingStyle(KeyboardDrawingStyle::dsGradient);
  TouchKeyboard1.model().setGradientStart({128, 128, 128});
  TouchKeyboard1.model().setGradientEnd({192, 192, 192});
  Label1.create(*this, {0, 562 - kLabelHeight, 784, kLabelHeight}, versionText,
                Label::Align::center);
  Memo1.create(*this, {0, 0, 185, 89}, {}, {.multiLine = true, .visible = false});
  Edit1.create(*this, {0, 0, 121, 21}, {}, {.visible = false});
}

TFrmPrincipal::~TFrmPrincipal() {
  destroy();
  MsRdpClient71.reset();
}

RECT TFrmPrincipal::controlArea() const {
  RECT client;
  GetClientRect(hwnd(), &client);
  // Only the chrome scales: the remote desktop gets the rest, pixel for pixel.
  const int toolbar = scale(kToolbarHeight);
  int bottom = client.bottom - scale(kLabelHeight);
  if (TouchKeyboard1.visible()) bottom -= scale(kKeyboardHeight);
  return {0, toolbar, client.right, std::max<int>(bottom, toolbar)};
}

void TFrmPrincipal::layOut() {
  const SIZE client = clientSize();
  const int label = scale(kLabelHeight);
  const int keyboard = scale(kKeyboardHeight);
  Panel1.setBounds({0, 0, client.cx, scale(kToolbarHeight)});
  Label1.setBounds({0, client.cy - label, client.cx, label});
  TouchKeyboard1.setBounds({0, client.cy - label - keyboard, client.cx, keyboard});
  // Only an active control is placed: activation belongs to the first showing alone. The
  // control may ask for its host window while it is still being hosted.
  if (MsRdpClient71 && MsRdpClient71->controlWindow()) MsRdpClient71->place(controlArea());
}

void TFrmPrincipal::showSession() {
  // Activated while still hidden, so a control that cannot be activated leaves no empty
  // window on the screen.
  MsRdpClient71->place(controlArea());
  show();
}

void TFrmPrincipal::onShow() {
  if (shown_) return;
  shown_ = true;
  MsRdpClient71->place(controlArea());
  session().FormShow(loginChoices && loginChoices().directPrinters);
}

void TFrmPrincipal::onClose() {
  session().FormClose();
}

void TFrmPrincipal::onResize(int, int) {
  layOut();
}

LRESULT TFrmPrincipal::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ACTIVATE) {
    // The keys go back to where the user left them, at first the remote desktop: closing a
    // help window or a message box must not leave them going to the bare window.
    if (LOWORD(wParam) == WA_INACTIVE) {
      HWND current = GetFocus();
      if (current != nullptr && IsChild(hwnd(), current)) lastFocus_ = current;
      return 0;
    }
    // An input-language change made while another window was active never reached the keyboard.
    TouchKeyboard1.checkInputLanguage();
    const bool lastStillThere =
        lastFocus_ != nullptr && IsChild(hwnd(), lastFocus_) && IsWindowVisible(lastFocus_);
    if (HWND target = lastStillThere ? lastFocus_ : MsRdpClient71->controlWindow()) {
      SetFocus(target);
      return 0;
    }
  }
  return Window::handleMessage(msg, wParam, lParam);
}

void TFrmPrincipal::fitToScreen() {
  RECT current;
  GetWindowRect(hwnd(), &current);
  setBounds(
      {current.left, current.top, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
  showMaximized();
}

void TFrmPrincipal::setReconnectEnabled(bool enabled) {
  SpeedButton3.setEnabled(enabled);
}

void TFrmPrincipal::showTransferHelp() {
  if (openTransferHelp) openTransferHelp();
}

void TFrmPrincipal::showPrintingHelp() {
  if (openPrintingHelp) openPrintingHelp();
}

void TFrmPrincipal::requestTermination() {
  app().terminate();
}

}  // namespace orvanta
