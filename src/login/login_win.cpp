#include "login/login_win.h"

#include "login/login_messages.h"
#include "login/login_picture_win.h"
#include "login/site_selector.h"
#include "ui/dpi_win.h"
#include "ui/queued_input_win.h"
#include "ui/wait_cursor_win.h"

namespace orvanta {

TFrmLogin* FrmLogin = nullptr;

namespace {

constexpr int kPictureWidth = 282;
constexpr int kPictureHeight = 401;
constexpr FontSpec kOptionsFont{.face = L"Tahoma", .heightPx = 13};

// The window's HTTP client with the wait cursor shown while each request blocks the thread.
class BusyTransfer : public HttpTransfer {
 public:
  explicit BusyTransfer(HttpTransfer& http) : http_(http) {}
  std::string Get(std::string_view aUrl) override {
    Busy busy(*this);
    return http_.Get(aUrl);
  }
  void Get(std::string_view aUrl, ByteStream& aResponseContent) override {
    Busy busy(*this);
    http_.Get(aUrl, aResponseContent);
  }

 protected:
  // Runs as each request returns, however it ends.
  virtual void returned() {}

 private:
  class Busy {
   public:
    explicit Busy(BusyTransfer& owner) : owner_(owner) {}
    ~Busy() { owner_.returned(); }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

   private:
    BusyTransfer& owner_;
    WaitCursor cursor_;
  };

  HttpTransfer& http_;
};

// The login request: what the user typed or clicked meanwhile was meant for the login and goes
// once the request returns, before any session can take it; a close asked for meanwhile is
// remembered in closeAsked.
class LoginTransfer final : public BusyTransfer {
 public:
  LoginTransfer(HttpTransfer& http, HWND window, bool& closeAsked)
      : BusyTransfer(http), window_(window), closeAsked_(closeAsked) {}

 protected:
  void returned() override {
    if (dropQueuedInput(window_)) closeAsked_ = true;
  }

 private:
  HWND window_;
  bool& closeAsked_;
};

UniqueHbitmap drawPicture(int dpi) {
  WindowDc screen(nullptr);
  UniqueHbitmap bitmap(CreateCompatibleBitmap(screen.get(), scaleToDpi(kPictureWidth, dpi),
                                              scaleToDpi(kPictureHeight, dpi)));
  UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
  SelectGuard selection(memory.get(), bitmap.get());
  scaleDrawing(memory.get(), dpi);
  paintLoginPicture(memory.get(), RECT{0, 0, kPictureWidth, kPictureHeight});
  return bitmap;
}

}  // namespace

TFrmLogin::TFrmLogin(Application& app) : Window(app) {
  setFont({.face = L"Tahoma", .heightPx = 16});
  setColor(RGB(255, 255, 255));
  createTopLevel({.className = L"TFrmLogin",
                  .caption = "Login Orvanta",
                  .clientWidth = 566,
                  .clientHeight = 401,
                  .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX});
  Image1.create(*this, {0, 0, kPictureWidth, kPictureHeight});
  Image1.setBitmap([this] { return drawPicture(dpi()); });
  Label1.create(*this, {304, 62, 120, 20}, "Usuário");
  Label2.create(*this, {304, 126, 120, 20}, "Senha");
  // Created in tab order.
  Edit1.create(*this, {304, 87, 241, 27}, {}, {.lowerCase = true});
  Edit2.create(*this, {304, 151, 241, 27}, {}, {.password = true});
  Button1.create(*this, {344, 280, 153, 41}, "Login");
  RadioGroup1.create(*this, {304, 200, 241, 41}, {}, {"Ruruvudud", "Rozevuv"}, 2, false);
  RadioGroup1.setItemIndex(0);
  CheckBox1.create(*this, {304, 352, 254, 17}, "Comunicação direta com as impressoras");
  CheckBox1.setFont(kOptionsFont);
  CheckBox2.create(*this, {304, 376, 254, 17}, "Rota Alternativa");
  CheckBox2.setFont(kOptionsFont);

  Edit1.onExit = [this] { Edit1Exit(); };
  for (Edit* field : {&Edit1, &Edit2}) {
    field->onKeyDown = [this](unsigned key) { EditKeyDown(key); };
    field->onKeyUp = [this](unsigned key) { EditKeyUp(key); };
  }
  Button1.onClick = [this] { Button1Click(); };
  RadioGroup1.onClick = [this] { RadioGroup1Click(); };
  CheckBox1.onClick = [this] { core_.CheckBox1Click(CheckBox1.checked()); };
  CheckBox2.onClick = [this] { core_.CheckBox2Click(CheckBox2.checked()); };
  core_.closeRequested = [this] { return closeAsked_; };
}

void TFrmLogin::onDpiChanged() {
  Image1.setBitmap([this] { return drawPicture(dpi()); });
}

EscolhasLogin TFrmLogin::choices() const {
  return {Edit1.text(), CheckBox1.checked(), CheckBox2.checked()};
}

void TFrmLogin::onShow() {
  if (clearPrintInProgress) clearPrintInProgress();
}

void TFrmLogin::checkVersionOnScreen() {
  // Painted before the check blocks the thread, so the user sees the window and the wait
  // cursor at once.
  RedrawWindow(hwnd(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  // Without an HTTP client there is nothing to ask; the check stays silent either way.
  if (IdHTTP1) {
    BusyTransfer http(*IdHTTP1);
    core_.FormShow(http, runUpdate);
  }
}

void TFrmLogin::closeIfAsked() {
  if (closeAsked_) {
    closeAsked_ = false;
    close();
  }
}

void TFrmLogin::Edit1Exit() {
  // Only a move to another control of this window counts; a message box taking the focus
  // (say after Enter in the field) is not the user leaving the field.
  HWND newFocus = GetFocus();
  if (newFocus == nullptr || !IsChild(hwnd(), newFocus)) {
    return;
  }
  RadioGroup1.setVisible(showsSiteSelector(Edit1.text()));
}

void TFrmLogin::EditKeyDown(unsigned virtualKey) {
  enterInField_ = virtualKey == VK_RETURN;
}

// The release alone is not enough: the Enter that closes a message box is released in the
// field, and must not start the login again behind the box.
void TFrmLogin::EditKeyUp(unsigned virtualKey) {
  if (virtualKey == VK_RETURN && enterInField_) {
    enterInField_ = false;
    Button1.click();
  }
}

void TFrmLogin::RadioGroup1Click() {
  Button1.setFocus();
}

void TFrmLogin::Button1Click() {
  // The group's own visibility, whether or not the window is on screen.
  const bool selectorVisible = RadioGroup1.visible();
  const LoginFields fields{Edit1.text(), Edit2.text(), selectorVisible, RadioGroup1.itemIndex(),
                           CheckBox2.checked()};
  if (!IdHTTP1) {
    messages_.showMessage(login_messages::kConnectionFailure);
    return;
  }
  LoginTransfer http(*IdHTTP1, hwnd(), closeAsked_);
  core_.login(http, fields, startSession);
  closeIfAsked();
}

LRESULT TFrmLogin::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_WINDOWPOSCHANGED) {
    // Only now is the window on screen; WM_SHOWWINDOW comes before it is.
    const LRESULT result = Window::handleMessage(msg, wParam, lParam);
    if (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) {
      checkVersionOnScreen();
    }
    return result;
  }
  if (msg == WM_ACTIVATE) {
    // Like a dialog: the focus comes back to the control that had it, at first Edit1.
    if (LOWORD(wParam) == WA_INACTIVE) {
      HWND current = GetFocus();
      if (current != nullptr && IsChild(hwnd(), current)) {
        lastFocus_ = current;
      }
    } else if (!IsWindowVisible(lastFocus_) || !IsChild(hwnd(), lastFocus_)) {
      Edit1.setFocus();
    } else {
      SetFocus(lastFocus_);
    }
    return 0;
  }
  return Window::handleMessage(msg, wParam, lParam);
}

}  // namespace orvanta
