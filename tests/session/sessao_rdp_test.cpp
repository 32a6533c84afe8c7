// The session rules over the real host, registry and a real window, against the stand-in.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "base/exception.h"
#include "session/rdp/sessao_rdp_win.h"
#include "stub_win.h"

namespace orvanta::rdp {
namespace {

using ::testing::ElementsAre;

// The window side as the session window does it, on a plain top-level window.
struct JanelaTeste : JanelaSessao, AlertaStatus, Timer, Shell {
  HWND hwnd = nullptr;
  bool reconectar = false;
  bool terminou = false;
  bool ligado = false;

  void ajustaATela() override {
    SetWindowPos(hwnd, nullptr, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                 SWP_NOZORDER | SWP_NOMOVE);
    ShowWindow(hwnd, SW_MAXIMIZE);
  }
  void setReconectarHabilitado(bool on) override { reconectar = on; }
  void mostraAjudaTransferencia() override {}
  void mostraAjudaImpressao() override {}
  void solicitaTermino() override { terminou = true; }
  int intervalMs() const override { return 5000; }
  void setIntervalMs(int) override {}
  bool enabled() const override { return ligado; }
  void setEnabled(bool on) override { ligado = on; }
  void execute(std::string_view, std::string_view) override {}
  void show(std::string_view, int) override {}
  void close() override {}
};

const wchar_t kChave[] = L"Software\\Microsoft\\Terminal Server Client\\Default\\AddIns\\RDPDR";

DWORD filterQueueType() {
  DWORD valor = 0;
  DWORD tamanho = sizeof valor;
  if (RegGetValueW(HKEY_CURRENT_USER, kChave, L"FilterQueueType", RRF_RT_REG_DWORD, nullptr, &valor,
                   &tamanho) != ERROR_SUCCESS) {
    return 0;
  }
  return valor;
}

class SessaoRdpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    RegDeleteTreeW(HKEY_CURRENT_USER, kChave);
    WNDCLASSW classe = {};
    classe.lpfnWndProc = DefWindowProcW;
    classe.hInstance = GetModuleHandleW(nullptr);
    classe.lpszClassName = L"SessaoRdpTest";
    RegisterClassW(&classe);
    janela_.hwnd =
        CreateWindowExW(0, L"SessaoRdpTest", L"session", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 248,
                        121, 800, 600, nullptr, nullptr, classe.hInstance, nullptr);
    ASSERT_NE(janela_.hwnd, nullptr);
    sessao_ = std::make_unique<SessaoRdpWin>(janela_.hwnd, criaControle(), janela_, janela_,
                                             janela_, janela_, "127.0.0.4:8052");
    ShowWindow(janela_.hwnd, SW_SHOW);
    sessao_->posiciona({0, 25, 784, 524});
  }
  void TearDown() override {
    sessao_.reset();
    DestroyWindow(janela_.hwnd);
    OleUninitialize();
  }

  // The stand-in's lines from the first redirection on.
  std::vector<std::string> desdeRedirecoes() const {
    auto linhas = diario_.linhas();
    auto inicio = std::find_if(linhas.begin(), linhas.end(), [](const std::string& l) {
      return l.find("RedirectDrives") != std::string::npos;
    });
    std::vector<std::string> resultado;
    for (auto it = inicio; it != linhas.end(); ++it) {
      if (it->rfind("slot 39", 0) != 0) resultado.push_back(*it);
    }
    return resultado;
  }

  teste::DiarioStub diario_;
  JanelaTeste janela_;
  std::unique_ptr<SessaoRdpWin> sessao_;
};

TEST_F(SessaoRdpTest, StartWritesTheRegistryMaximisesRedirectsAndConnects) {
  for (const bool diretas : {false, true}) {
    teste::Ouvinte servidor;
    sessao_->controle().setServer("127.0.0.1");
    sessao_->controle().setRdpPort(servidor.porta());
    diario_.esquece();
    sessao_->sessao().FormShow(diretas);
    EXPECT_EQ(filterQueueType(), 0xFFFFFFFFu);
    EXPECT_TRUE(IsZoomed(janela_.hwnd));
    EXPECT_EQ(janela_.ligado, !diretas);
    EXPECT_THAT(
        desdeRedirecoes(),
        ElementsAre("advslot 121 put RedirectDrives -1",
                    std::string("advslot 123 put RedirectPrinters ") + (diretas ? "-1" : "0"),
                    "advslot 125 put RedirectPorts -1", "slot 33 Connect", "event 1 OnConnecting"));
    ASSERT_TRUE(teste::bombeia([&] { return sessao_->controle().connected() == 1; }));
    sessao_->controle().disconnect();
    ASSERT_TRUE(teste::bombeia([&] { return janela_.reconectar; }));
    janela_.reconectar = false;
  }
}

TEST_F(SessaoRdpTest, AFailingStepStopsTheStartBeforeTheConnection) {
  for (const wchar_t* membro : {L"AdvancedSettings2", L"RedirectDrives", L"RedirectPrinters",
                                L"RedirectPorts", L"Connect"}) {
    janela_.ligado = false;
    diario_.recusa(membro);
    diario_.esquece();
    EXPECT_THROW(sessao_->sessao().FormShow(false), Excecao);
    const auto linhas = diario_.linhas();
    EXPECT_EQ(std::count(linhas.begin(), linhas.end(), "event 1 OnConnecting"), 0);
    EXPECT_EQ(sessao_->controle().connected(), 0);
    EXPECT_FALSE(janela_.reconectar);
    EXPECT_EQ(janela_.ligado, std::wstring(membro) == L"Connect");
  }
}

TEST_F(SessaoRdpTest, EndDisconnectsOnlyAConnectedSession) {
  teste::Ouvinte servidor;
  sessao_->controle().setServer("127.0.0.1");
  sessao_->controle().setRdpPort(servidor.porta());
  sessao_->sessao().reconectar();
  diario_.esquece();
  sessao_->sessao().FormClose();  // still connecting
  EXPECT_THAT(diario_.linhas(), ElementsAre("dispid 6 get Connected 2"));
  EXPECT_TRUE(janela_.terminou);

  ASSERT_TRUE(teste::bombeia([&] { return sessao_->controle().connected() == 1; }));
  diario_.esquece();
  diario_.recusa(L"Disconnect");
  EXPECT_NO_THROW(sessao_->sessao().FormClose());
  EXPECT_THAT(diario_.linhas(), ElementsAre("dispid 6 get Connected 1", "slot 34 Disconnect"));
  diario_.recusa(L"");
  diario_.esquece();
  sessao_->sessao().FormClose();
  EXPECT_THAT(diario_.linhas(), ElementsAre("dispid 6 get Connected 1", "slot 34 Disconnect"));
}

TEST_F(SessaoRdpTest, EventsDriveReconectarWhichCannotBeClickedTwice) {
  teste::Ouvinte servidor;
  sessao_->controle().setServer("127.0.0.1");
  sessao_->controle().setRdpPort(servidor.porta());
  sessao_->sessao().reconectar();
  ASSERT_TRUE(teste::bombeia([&] { return sessao_->controle().connected() == 1; }));
  EXPECT_FALSE(janela_.reconectar);
  servidor.aceita();
  servidor.fechaPar();
  ASSERT_TRUE(teste::bombeia([&] { return janela_.reconectar; }));
  const auto linhas = diario_.linhas();
  EXPECT_EQ(linhas.back(), "event 4 OnDisconnected 3");
  sessao_->sessao().reconectar();
  EXPECT_FALSE(janela_.reconectar);
}

}  // namespace
}  // namespace orvanta::rdp
