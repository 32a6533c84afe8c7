// The host against the stand-in control: which slot or dispatch id each operation reaches,
// first use, activation, failures and events. The stand-in journals to ORVANTA_RDPSTUB_LOG.
#include <windows.h>
#include <winsock2.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/exception.h"
#include "session/printer_rdp.h"
#include "session/rdp/container_ole_win.h"
#include "session/rdp/controle_rdp_win.h"
#include "session/registro_usuario_win.h"
#include "stub_win.h"

namespace orvanta::rdp {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

struct Evento {
  DISPID id;
  long motivo;
  bool operator==(const Evento&) const = default;
};

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    WNDCLASSW classe = {};
    classe.lpfnWndProc = DefWindowProcW;
    classe.hInstance = GetModuleHandleW(nullptr);
    classe.lpszClassName = L"RdpHostTest";
    RegisterClassW(&classe);
    janela_ = CreateWindowExW(0, L"RdpHostTest", L"host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                              0, 800, 600, nullptr, nullptr, classe.hInstance, nullptr);
    ASSERT_NE(janela_, nullptr);
  }
  void TearDown() override {
    controle_.reset();
    container_.reset();
    DestroyWindow(janela_);
    OleUninitialize();
  }

  static void recusa(const wchar_t* membros) { teste::DiarioStub::recusa(membros); }
  void cria() {
    container_ = std::make_unique<ContainerOle>(
        janela_, criaControle(), [this](DISPID id, const DISPPARAMS& p) {
          eventos_.push_back({id, p.cArgs == 1 && p.rgvarg[0].vt == VT_I4 ? p.rgvarg[0].lVal : 0});
        });
    controle_ = std::make_unique<ControleRdp>(*container_);
  }
  std::vector<std::string> linhas() const { return diario_.linhas(); }
  void esquece() { diario_.esquece(); }
  static bool bombeia(const std::function<bool()>& pronto) { return teste::bombeia(pronto); }
  std::string mensagemDe(const std::function<void()>& operacao) {
    try {
      operacao();
    } catch (const Excecao& e) {
      return e.what();
    }
    return "(no exception)";
  }

  teste::DiarioStub diario_;
  HWND janela_ = nullptr;
  std::unique_ptr<ContainerOle> container_;
  std::unique_ptr<ControleRdp> controle_;
  std::vector<Evento> eventos_;
};

TEST_F(HostTest, EveryOperationReachesTheDeclaredSlotOrDispatchId) {
  cria();
  controle_->setDesktopWidth(1);  // first use out of the way
  struct Caso {
    const char* operacao;
    std::function<void(ControleRdp&)> chamada;
    std::vector<std::string> esperado;
  };
  const Caso casos[] = {
      {"Server",
       [](ControleRdp& c) { c.setServer("host.example"); },
       {"dispid 1 put Server vt=8 host.example"}},
      {"UserName",
       [](ControleRdp& c) { c.setUserName("alice"); },
       {"dispid 3 put UserName vt=8 alice"}},
      {"DesktopWidth",
       [](ControleRdp& c) { c.setDesktopWidth(1024); },
       {"dispid 12 put DesktopWidth vt=3 1024"}},
      {"DesktopHeight",
       [](ControleRdp& c) { c.setDesktopHeight(768); },
       {"dispid 13 put DesktopHeight vt=3 768"}},
      {"FullScreen",
       [](ControleRdp& c) { c.setFullScreen(true); },
       {"dispid 104 put FullScreen vt=11 -1"}},
      {"Connected",
       [](ControleRdp& c) { EXPECT_EQ(c.connected(), 0); },
       {"dispid 6 get Connected 0"}},
      {"RDPPort",
       [](ControleRdp& c) { c.setRdpPort(3390); },
       {"slot 39 get AdvancedSettings2", "advslot 35 put RDPPort 3390"}},
      {"ClearTextPassword",
       [](ControleRdp& c) { c.setClearTextPassword("s3cr\xC3\xA9t"); },
       {"slot 39 get AdvancedSettings2", "advslot 112 put ClearTextPassword s3cr\xC3\xA9t"}},
      {"RedirectDrives",
       [](ControleRdp& c) { c.setRedirectDrives(true); },
       {"slot 39 get AdvancedSettings2", "advslot 121 put RedirectDrives -1"}},
      {"RedirectPrinters",
       [](ControleRdp& c) { c.setRedirectPrinters(false); },
       {"slot 39 get AdvancedSettings2", "advslot 123 put RedirectPrinters 0"}},
      {"RedirectPorts",
       [](ControleRdp& c) { c.setRedirectPorts(true); },
       {"slot 39 get AdvancedSettings2", "advslot 125 put RedirectPorts -1"}},
      {"Disconnect", [](ControleRdp& c) { c.disconnect(); }, {"slot 34 Disconnect"}},
      {"Connect", [](ControleRdp& c) { c.connect(); }, {"slot 33 Connect", "event 1 OnConnecting"}},
  };
  for (const Caso& c : casos) {
    esquece();
    c.chamada(*controle_);
    EXPECT_EQ(linhas(), c.esperado) << c.operacao;
  }
}

TEST_F(HostTest, FirstUseHandsOverTheStoredStateThenConnectsEventsOnce) {
  cria();
  EXPECT_THAT(linhas(), ElementsAre("create", "setclientsite"));
  esquece();
  controle_->setUserName("bob");
  controle_->setServer("srv");
  EXPECT_THAT(
      linhas(),
      ElementsAre("load 00 03 00 00 08 00 02 00 00 00 00 00 0B 00 00 00 0B 00 00 00", "advise",
                  "dispid 3 put UserName vt=8 bob", "dispid 1 put Server vt=8 srv"));
}

TEST_F(HostTest, TeardownUnadvisesAndClosesWithoutSaving) {
  cria();
  controle_->setUserName("bob");
  esquece();
  controle_.reset();
  container_.reset();
  EXPECT_THAT(linhas(), ElementsAre("unadvise", "close 1", "setclientsite null", "destroy"));
}

TEST_F(HostTest, FailuresCarryTheControlsDescriptionTrimmed) {
  struct Caso {
    const wchar_t* recusa;
    std::function<void(ControleRdp&)> chamada;
    const char* mensagem;
  };
  const Caso casos[] = {
      {L"UserName", [](ControleRdp& c) { c.setUserName("x"); }, "The stand-in refused UserName"},
      {L"Connected", [](ControleRdp& c) { c.connected(); }, "The stand-in refused Connected"},
      {L"RedirectPrinters", [](ControleRdp& c) { c.setRedirectPrinters(true); },
       "The stand-in refused RedirectPrinters"},
      {L"AdvancedSettings2", [](ControleRdp& c) { c.setRdpPort(1); },
       "The stand-in refused AdvancedSettings2"},
      {L"Connect", [](ControleRdp& c) { c.connect(); }, "The stand-in refused Connect"},
      {L"Disconnect", [](ControleRdp& c) { c.disconnect(); }, "The stand-in refused Disconnect"},
  };
  cria();
  for (const Caso& c : casos) {
    recusa(c.recusa);
    EXPECT_EQ(mensagemDe([&] { c.chamada(*controle_); }), c.mensagem);
  }
}

TEST_F(HostTest, FailureWithoutDescriptionUsesTheSystemText) {
  cria();
  controle_->setServer("127.0.0.1");
  controle_->setRdpPort(1);
  controle_->connect();
  // Settings are locked while connecting: E_UNEXPECTED without a description.
  const std::string mensagem = mensagemDe([&] { controle_->setUserName("x"); });
  EXPECT_NE(mensagem, "(no exception)");
  EXPECT_FALSE(mensagem.empty());
  EXPECT_NE(mensagem.back(), '.');
  EXPECT_GT(static_cast<unsigned char>(mensagem.back()), ' ');
}

TEST_F(HostTest, CreationRefusedRaises) {
  recusa(L"create");
  EXPECT_THROW(cria(), Excecao);
}

TEST_F(HostTest, ActivationFailuresRaiseTheirMessages) {
  cria();
  recusa(L"activate");
  EXPECT_EQ(mensagemDe([&] {
              container_->ativa({0, 25, 800, 400});
            }),
            "OLE control activation failed");
  recusa(L"hwnd");
  EXPECT_EQ(mensagemDe([&] {
              container_->ativa({0, 25, 800, 400});
            }),
            "Could not obtain OLE control window handle");
}

TEST_F(HostTest, ActivatesInPlaceAndFollowsResizes) {
  cria();
  container_->ativa({0, 25, 800, 400});
  ASSERT_TRUE(container_->ativo());
  EXPECT_EQ(GetParent(container_->janela()), janela_);
  container_->posiciona({0, 25, 640, 300});
  RECT area;
  GetWindowRect(container_->janela(), &area);
  EXPECT_EQ(area.right - area.left, 640);
  EXPECT_EQ(area.bottom - area.top, 275);
  EXPECT_EQ(linhas().back(), "rects 0 25 640 275");
}

using teste::Ouvinte;

TEST_F(HostTest, ConnectsByTcpAndReportsAPeerThatCloses) {
  Ouvinte servidor;
  cria();
  controle_->setServer("127.0.0.1");
  controle_->setRdpPort(servidor.porta());
  controle_->connect();
  EXPECT_EQ(controle_->connected(), 2);
  ASSERT_TRUE(bombeia([&] { return eventos_.size() >= 2; }));
  EXPECT_THAT(eventos_, ElementsAre(Evento{1, 0}, Evento{2, 0}));
  EXPECT_EQ(controle_->connected(), 1);
  servidor.aceita();
  servidor.fechaPar();
  ASSERT_TRUE(bombeia([&] { return eventos_.size() >= 3; }));
  EXPECT_EQ(eventos_.back(), (Evento{4, 3}));
  EXPECT_EQ(controle_->connected(), 0);
}

TEST_F(HostTest, RefusedConnectionAndLocalDisconnectReportTheirReasons) {
  Ouvinte servidor;
  cria();
  controle_->setServer("127.0.0.1");
  controle_->setRdpPort(servidor.porta());
  controle_->connect();
  ASSERT_TRUE(bombeia([&] { return eventos_.size() >= 2; }));
  controle_->disconnect();
  ASSERT_TRUE(bombeia([&] { return eventos_.size() >= 3; }));
  EXPECT_EQ(eventos_.back(), (Evento{4, 1}));

  servidor.fecha();
  eventos_.clear();
  controle_->connect();
  ASSERT_TRUE(bombeia([&] { return eventos_.size() >= 2; }));
  EXPECT_THAT(eventos_, ElementsAre(Evento{1, 0}, Evento{4, 516}));
}

TEST(PrinterRdpWin, WritesFilterQueueTypeCreatingTheKey) {
  const std::wstring chave = L"Software\\Microsoft\\Terminal Server Client\\Default\\AddIns\\RDPDR";
  RegDeleteTreeW(HKEY_CURRENT_USER, chave.c_str());
  RegistroUsuarioWin registro;
  PrinterRDP(registro);
  DWORD valor = 0;
  DWORD tipo = 0;
  DWORD tamanho = sizeof valor;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, chave.c_str(), L"FilterQueueType", RRF_RT_ANY, &tipo,
                         &valor, &tamanho),
            ERROR_SUCCESS);
  EXPECT_EQ(tipo, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(valor, 0xFFFFFFFFu);
}

}  // namespace
}  // namespace orvanta::rdp
