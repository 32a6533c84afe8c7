#include "app/window_set_win.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/program_win.h"
#include "app/session_print_relay_win.h"
#include "base/exception.h"
#include "fakes/fake_message_boxes_win.h"
#include "help/ajudaimpressao_win.h"
#include "help/ajudatransferencia_win.h"
#include "login/login_win.h"
#include "service/http_transfer.h"
#include "session/principal_win.h"
#include "ui/ole_win.h"
#include "ui/text_win.h"
#include "ui/timer_win.h"
#include "update/atualiza_win.h"
#include "update/download_win.h"

namespace orvanta {
namespace {

// Stands in for the remote desktop control, registered in this process only, so the tests do
// not depend on what the prefix has registered: a bare COM object for its class id, or the
// failure a missing registration gives.
class ControlFactory final : public IClassFactory {
 public:
  explicit ControlFactory(HRESULT failure) : failure_(failure) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    if (FAILED(failure_)) return failure_;
    return QueryInterface(iid, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  HRESULT failure_;
};

// Records the program's windows in the order they are created.
std::vector<std::wstring>* createdWindows = nullptr;

LRESULT CALLBACK creationHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && createdWindows) {
    const auto* cbt = reinterpret_cast<CBT_CREATEWNDW*>(lParam);
    const wchar_t* windowClass = cbt->lpcs->lpszClass;
    if (HIWORD(reinterpret_cast<ULONG_PTR>(windowClass)) != 0 &&
        std::wstring_view(windowClass).starts_with(L"TFrm")) {
      createdWindows->push_back(cbt->lpcs->lpszName ? cbt->lpcs->lpszName : L"");
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct WindowSetTest : ::testing::Test {
  OleSession ole;
  test::FakeMessageBoxes boxes;
  Application app{boxes};
  ControlFactory missingControl{REGDB_E_CLASSNOTREG};
  DWORD registry = 0;
  std::vector<std::wstring> order;
  HHOOK hook = nullptr;

  void registerControl(IClassFactory& factory) {
    ASSERT_EQ(CoRegisterClassObject(rdp::CLSID_MsRdpClient7, &factory, CLSCTX_INPROC_SERVER,
                                    REGCLS_MULTIPLEUSE, &registry),
              S_OK);
  }
  void SetUp() override {
    createdWindows = &order;
    hook = SetWindowsHookExW(WH_CBT, &creationHook, nullptr, GetCurrentThreadId());
  }
  void TearDown() override {
    UnhookWindowsHookEx(hook);
    createdWindows = nullptr;
    if (registry) CoRevokeClassObject(registry);
    // A quit a test asked for and did not wait for belongs to the thread, not to `app`: the
    // next test's modal windows would end at once.
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }
};

struct Expected {
  Window* window;
  const char* title;
  int width;
  int height;
};

TEST_F(WindowSetTest, CreatesTheSixWindowsHiddenInOrderWithLoginAsMainWindow) {
  // The stand-in control registered in the test prefix is hosted by the session window.
  {
    WindowSet windowSet(app);
    // The windows nobody sees at start, the session window too, get their handles when first
    // needed; the checks below need them, in this order.
    EXPECT_EQ(order, (std::vector<std::wstring>{L"Login Orvanta"}));
    const Expected expected[] = {
        {FrmLogin, "Login Orvanta", 566, 401},
        {FrmPrincipal, "Orvanta - Lessendra", 784, 562},
        {FrmDownload, "Download em andamento...", 912, 25},
        {FrmAjudaImpressao, "Ajuda para impressão", 912, 397},
        {FrmAjudaTransferencia, "Ajuda para transferência de arquivos", 912, 261},
        {FrmAtualiza, "Download em andamento...", 912, 25},
    };
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN),
              screenHeight = GetSystemMetrics(SM_CYSCREEN);
    for (const auto& e : expected) {
      ASSERT_NE(e.window, nullptr) << e.title;
      EXPECT_EQ(e.window->caption(), e.title);
      EXPECT_EQ(e.window->clientSize().cx, e.width) << e.title;
      EXPECT_EQ(e.window->clientSize().cy, e.height) << e.title;
      EXPECT_FALSE(IsWindowVisible(e.window->hwnd())) << e.title;
      RECT r;
      GetWindowRect(e.window->hwnd(), &r);
      if (e.window == FrmPrincipal) {
        EXPECT_EQ(r.left, 248);
        EXPECT_EQ(r.top, 121);
      } else {
        EXPECT_EQ(r.left, (screenWidth - (r.right - r.left)) / 2) << e.title;
        EXPECT_EQ(r.top, (screenHeight - (r.bottom - r.top)) / 2) << e.title;
      }
    }
    EXPECT_EQ(order, (std::vector<std::wstring>{
                         L"Login Orvanta", L"Orvanta - Lessendra", L"Download em andamento...",
                         L"Ajuda para impressão", L"Ajuda para transferência de arquivos",
                         L"Download em andamento..."}));
    EXPECT_EQ(app.mainWindow(), FrmLogin);
    EXPECT_TRUE(FrmPrincipal->MsRdpClient71);
    for (WinTimer* t : {&FrmPrincipal->ChecaImpressao, &FrmDownload->Timer1, &FrmDownload->Timer2,
                        &FrmAtualiza->Timer1, &FrmAtualiza->Timer2, &FrmAtualiza->Timer3})
      EXPECT_FALSE(t->enabled());
  }
  EXPECT_EQ(FrmLogin, nullptr);
  EXPECT_EQ(FrmAtualiza, nullptr);
}

TEST_F(WindowSetTest, WithoutTheRemoteDesktopControlCreationFailsAndLeavesNoWindow) {
  registerControl(missingControl);
  try {
    WindowSet windowSet(app);
    FAIL() << "created without the control";
  } catch (const Exception& e) {
    EXPECT_EQ(e.className(), "EOleSysError");
    EXPECT_EQ(std::string(e.what()), "Class not registered");
  }
  // The login window was made; the session window failed with its control, before it needed a
  // handle, and nothing after it was begun.
  EXPECT_EQ(order, (std::vector<std::wstring>{L"Login Orvanta"}));
  EXPECT_EQ(FrmLogin, nullptr);
  EXPECT_EQ(FindWindowW(nullptr, L"Login Orvanta"), nullptr);
  EXPECT_EQ(app.mainWindow(), nullptr);
}

TEST_F(WindowSetTest, StartUpFailureBoxIsTaskModalApplicationError) {
  showStartupError(boxes,
                   std::make_exception_ptr(Exception("Class not registered", "EOleSysError")),
                   reinterpret_cast<const void*>(0x1234));
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].caption, L"Application Error");
  EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR | MB_TASKMODAL));
  EXPECT_EQ(narrow(boxes.boxes[0].text),
            "Exception EOleSysError in module app_win_tests.exe at 0000000000001234.\r\n"
            "Class not registered.\r\n");
}

TEST_F(WindowSetTest, EscolhasLoginAreWhatTheLoginControlsHoldNow) {
  // The stand-in control registered in the test prefix is hosted by the session window.
  WindowSet windowSet(app);
  EXPECT_EQ(FrmLogin->choices().typedName, "");
  FrmLogin->Edit1.setText("Maria42");
  FrmLogin->CheckBox2.setChecked(true);
  const EscolhasLogin e = FrmLogin->choices();
  EXPECT_EQ(e.typedName, "maria42");
  EXPECT_FALSE(e.directPrinters);
  EXPECT_TRUE(e.alternativeRoute);
}

TEST_F(WindowSetTest, TheSessionRelaysWithTheLoginChoicesAndTheLoginClearsTheRelayFlag) {
  // The stand-in control registered in the test prefix is hosted by the session window.
  WindowSet windowSet(app);
  EXPECT_TRUE(windowSet.printRelay().relayFolder());
  FrmLogin->Edit1.setText("Ana 1");
  FrmLogin->CheckBox1.setChecked(true);
  ASSERT_TRUE(FrmPrincipal->loginChoices);
  EXPECT_EQ(FrmPrincipal->loginChoices().typedName, "ana 1");
  EXPECT_TRUE(FrmPrincipal->loginChoices().directPrinters);

  windowSet.printRelay().relay().ImpressaoEmAndamento = true;
  ASSERT_TRUE(FrmLogin->clearPrintInProgress);
  FrmLogin->clearPrintInProgress();
  EXPECT_FALSE(windowSet.printRelay().relay().ImpressaoEmAndamento);
}

// Answers every text request with one reply.
class FixedReply final : public HttpTransfer {
 public:
  explicit FixedReply(std::string reply) : reply_(std::move(reply)) {}
  std::string Get(std::string_view) override { return reply_; }
  void Get(std::string_view, ByteStream&) override {}

 private:
  std::string reply_;
};

TEST_F(WindowSetTest, AControlThatCannotBeActivatedLeavesTheLoginInChargeAfterOneMessage) {
  WindowSet windowSet(app);
  // Shown without a client, so no version check asks anything.
  FrmLogin->IdHTTP1.reset();
  FrmLogin->show();
  FrmLogin->IdHTTP1 = std::make_unique<FixedReply>("127.0.0.1;3389");
  SetEnvironmentVariableW(L"ORVANTA_RDPSTUB_FAIL", L"activate");
  FrmLogin->Button1Click();
  SetEnvironmentVariableW(L"ORVANTA_RDPSTUB_FAIL", nullptr);

  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(narrow(boxes.boxes[0].text),
            "Parâmetros incorretos ou sem acesso à internet - Considere usar a Rota Alternativa");
  EXPECT_TRUE(FrmLogin->visible());
  EXPECT_FALSE(FrmPrincipal->visible());
  EXPECT_EQ(app.mainWindow(), FrmLogin);
  // Nothing tries the activation again behind the user's back.
  SetWindowPos(FrmPrincipal->hwnd(), nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(boxes.boxes.size(), 1u);

  // The next attempt, with a control that activates, goes through.
  FrmLogin->Button1Click();
  EXPECT_EQ(boxes.boxes.size(), 1u);
  EXPECT_TRUE(FrmPrincipal->visible());
  EXPECT_FALSE(FrmLogin->visible());
  EXPECT_EQ(app.mainWindow(), FrmPrincipal);
  EXPECT_NE(FrmPrincipal->MsRdpClient71->controlWindow(), nullptr);
  FrmPrincipal->hide();
}

struct FoundWindow {
  const wchar_t* className;
  HWND hwnd = nullptr;
};

// The visible top-level window of this class on this thread, if any.
HWND visibleWindowOfClass(const wchar_t* className) {
  FoundWindow found{className};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND h, LPARAM l) -> BOOL {
        auto* f = reinterpret_cast<FoundWindow*>(l);
        wchar_t name[64] = {};
        GetClassNameW(h, name, 64);
        if (!IsWindowVisible(h) || std::wstring_view(name) != f->className) return TRUE;
        f->hwnd = h;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found.hwnd;
}

bool above(HWND upper, HWND lower) {
  for (HWND h = GetWindow(upper, GW_HWNDNEXT); h; h = GetWindow(h, GW_HWNDNEXT)) {
    if (h == lower) return true;
  }
  return false;
}

TEST_F(WindowSetTest, EachModalWindowIsOwnedByTheWindowItWasOpenedFromAndStaysAboveIt) {
  WindowSet windowSet(app);
  const struct {
    const char* name;
    std::function<void()> open;
    const wchar_t* modalClass;
    Window* opener;
  } cases[] = {
      {"transfer help", FrmPrincipal->openTransferHelp, L"TFrmAjudaTransferencia", FrmPrincipal},
      {"printing help", FrmPrincipal->openPrintingHelp, L"TFrmAjudaImpressao", FrmPrincipal},
      {"update", FrmLogin->runUpdate, L"TFrmAtualiza", FrmLogin},
  };
  for (const auto& c : cases) {
    // Closed long before a download window would start its download.
    WinTimer step(app, 10);
    step.onTick = [&] {
      step.setEnabled(false);
      HWND modal = visibleWindowOfClass(c.modalClass);
      if (!modal) {
        ADD_FAILURE() << c.name << " not shown";
        app.terminate();
        return;
      }
      EXPECT_EQ(GetWindow(modal, GW_OWNER), c.opener->hwnd()) << c.name;
      SetWindowPos(c.opener->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
      EXPECT_TRUE(above(modal, c.opener->hwnd())) << c.name;
      Window::fromHandle(modal)->close();
    };
    step.setEnabled(true);
    c.open();
  }
  EXPECT_FALSE(app.terminated());
}

}  // namespace
}  // namespace orvanta
