#include "app/janelas_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/programa_win.h"
#include "base/exception.h"
#include "fakes/fake_message_boxes_win.h"
#include "help/ajudaimpressao_win.h"
#include "help/ajudatransferencia_win.h"
#include "login/login_win.h"
#include "session/principal_win.h"
#include "ui/ole_win.h"
#include "ui/text_win.h"
#include "update/atualiza_win.h"
#include "update/download_win.h"

namespace orvanta {
namespace {

// Stands in for the remote desktop control, registered in this process only, so the tests do
// not depend on what the prefix has registered: a bare COM object for its class id, or the
// failure a missing registration gives.
class FabricaControle final : public IClassFactory {
 public:
  explicit FabricaControle(HRESULT falha) : falha_(falha) {}
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
    if (FAILED(falha_)) return falha_;
    return QueryInterface(iid, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  HRESULT falha_;
};

// Records the program's windows in the order they are created.
std::vector<std::wstring>* criadas = nullptr;

LRESULT CALLBACK ganchoCriacao(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && criadas) {
    const auto* cbt = reinterpret_cast<CBT_CREATEWNDW*>(lParam);
    const wchar_t* classe = cbt->lpcs->lpszClass;
    if (HIWORD(reinterpret_cast<ULONG_PTR>(classe)) != 0 &&
        std::wstring_view(classe).starts_with(L"TFrm")) {
      criadas->push_back(cbt->lpcs->lpszName ? cbt->lpcs->lpszName : L"");
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct JanelasTest : ::testing::Test {
  OleSession ole;
  fakes::FakeMessageBoxes boxes;
  Application app{boxes};
  FabricaControle controleAusente{REGDB_E_CLASSNOTREG};
  DWORD registro = 0;
  std::vector<std::wstring> ordem;
  HHOOK gancho = nullptr;

  void registrarControle(IClassFactory& fabrica) {
    ASSERT_EQ(CoRegisterClassObject(rdp::CLSID_MsRdpClient7, &fabrica, CLSCTX_INPROC_SERVER,
                                    REGCLS_MULTIPLEUSE, &registro),
              S_OK);
  }
  void SetUp() override {
    criadas = &ordem;
    gancho = SetWindowsHookExW(WH_CBT, &ganchoCriacao, nullptr, GetCurrentThreadId());
  }
  void TearDown() override {
    UnhookWindowsHookEx(gancho);
    criadas = nullptr;
    if (registro) CoRevokeClassObject(registro);
  }
};

struct Esperado {
  Window* janela;
  const char* titulo;
  int largura;
  int altura;
};

TEST_F(JanelasTest, CreatesTheSixWindowsHiddenInOrderWithLoginAsMainWindow) {
  // The stand-in control registered in the test prefix is hosted by the session window.
  {
    ConjuntoJanelas janelas(app);
    EXPECT_EQ(ordem, (std::vector<std::wstring>{
                         L"Login Orvanta", L"Orvanta - Lessendra", L"Download em andamento...",
                         L"Ajuda para impressão", L"Ajuda para transferência de arquivos",
                         L"Download em andamento..."}));
    const Esperado esperadas[] = {
        {FrmLogin, "Login Orvanta", 566, 401},
        {FrmPrincipal, "Orvanta - Lessendra", 784, 562},
        {FrmDownload, "Download em andamento...", 912, 25},
        {FrmAjudaImpressao, "Ajuda para impressão", 912, 397},
        {FrmAjudaTransferencia, "Ajuda para transferência de arquivos", 912, 261},
        {FrmAtualiza, "Download em andamento...", 912, 25},
    };
    const int telaX = GetSystemMetrics(SM_CXSCREEN), telaY = GetSystemMetrics(SM_CYSCREEN);
    for (const auto& e : esperadas) {
      ASSERT_NE(e.janela, nullptr) << e.titulo;
      EXPECT_EQ(e.janela->caption(), e.titulo);
      EXPECT_EQ(e.janela->clientSize().cx, e.largura) << e.titulo;
      EXPECT_EQ(e.janela->clientSize().cy, e.altura) << e.titulo;
      EXPECT_FALSE(IsWindowVisible(e.janela->hwnd())) << e.titulo;
      RECT r;
      GetWindowRect(e.janela->hwnd(), &r);
      if (e.janela == FrmPrincipal) {
        EXPECT_EQ(r.left, 248);
        EXPECT_EQ(r.top, 121);
      } else {
        EXPECT_EQ(r.left, (telaX - (r.right - r.left)) / 2) << e.titulo;
        EXPECT_EQ(r.top, (telaY - (r.bottom - r.top)) / 2) << e.titulo;
      }
    }
    EXPECT_EQ(app.mainWindow(), FrmLogin);
    EXPECT_TRUE(FrmPrincipal->MsRdpClient71);
    for (WinTimer* t : {&FrmPrincipal->ChecaImpressao, &FrmDownload->Timer1, &FrmDownload->Timer2,
                        &FrmAtualiza->Timer1, &FrmAtualiza->Timer2, &FrmAtualiza->Timer3})
      EXPECT_FALSE(t->enabled());
  }
  EXPECT_EQ(FrmLogin, nullptr);
  EXPECT_EQ(FrmAtualiza, nullptr);
}

TEST_F(JanelasTest, WithoutTheRemoteDesktopControlCreationFailsAndLeavesNoWindow) {
  registrarControle(controleAusente);
  try {
    ConjuntoJanelas janelas(app);
    FAIL() << "created without the control";
  } catch (const Excecao& e) {
    EXPECT_EQ(e.nomeClasse(), "EOleSysError");
    EXPECT_EQ(std::string(e.what()), "Class not registered");
  }
  // Login and session windows were begun; nothing after the session window was.
  EXPECT_EQ(ordem, (std::vector<std::wstring>{L"Login Orvanta", L"Orvanta - Lessendra"}));
  EXPECT_EQ(FrmLogin, nullptr);
  EXPECT_EQ(FindWindowW(nullptr, L"Login Orvanta"), nullptr);
  EXPECT_EQ(app.mainWindow(), nullptr);
}

TEST_F(JanelasTest, StartUpFailureBoxIsTaskModalApplicationError) {
  mostrarErroInicio(boxes, std::make_exception_ptr(Excecao("Class not registered", "EOleSysError")),
                    reinterpret_cast<const void*>(0x1234));
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].caption, L"Application Error");
  EXPECT_EQ(boxes.boxes[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR | MB_TASKMODAL));
  EXPECT_EQ(narrow(boxes.boxes[0].text),
            "Exception EOleSysError in module app_win_tests.exe at 0000000000001234.\r\n"
            "Class not registered.\r\n");
}

TEST_F(JanelasTest, EscolhasLoginAreWhatTheLoginControlsHoldNow) {
  // The stand-in control registered in the test prefix is hosted by the session window.
  ConjuntoJanelas janelas(app);
  EXPECT_EQ(FrmLogin->escolhas().nomeDigitado, "");
  FrmLogin->Edit1.setText("Maria42");
  FrmLogin->CheckBox2.setChecked(true);
  const EscolhasLogin e = FrmLogin->escolhas();
  EXPECT_EQ(e.nomeDigitado, "maria42");
  EXPECT_FALSE(e.impressorasDiretas);
  EXPECT_TRUE(e.rotaAlternativa);
}

TEST_F(JanelasTest, TheSessionRelaysWithTheLoginChoicesAndTheLoginClearsTheRelayFlag) {
  // The stand-in control registered in the test prefix is hosted by the session window.
  ConjuntoJanelas janelas(app);
  EXPECT_TRUE(FrmPrincipal->workingFolder);
  FrmLogin->Edit1.setText("Ana 1");
  FrmLogin->CheckBox1.setChecked(true);
  ASSERT_TRUE(FrmPrincipal->loginChoices);
  EXPECT_EQ(FrmPrincipal->loginChoices().nomeDigitado, "ana 1");
  EXPECT_TRUE(FrmPrincipal->loginChoices().impressorasDiretas);

  FrmPrincipal->relay().ImpressaoEmAndamento = true;
  ASSERT_TRUE(FrmLogin->clearPrintInProgress);
  FrmLogin->clearPrintInProgress();
  EXPECT_FALSE(FrmPrincipal->relay().ImpressaoEmAndamento);
}

}  // namespace
}  // namespace orvanta
