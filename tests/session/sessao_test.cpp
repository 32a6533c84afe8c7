#include "session/sessao.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/exception.h"
#include "session/printer_rdp.h"

namespace orvanta {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// Every seam writes into one journal, so the order across them shows; a step named in
// `falha` throws.
struct Mundo : ControleRemoto, RegistroUsuario, JanelaSessao, AlertaStatus, Timer, Shell {
  std::vector<std::string> diario;
  std::string falha;
  int16_t estado = 0;
  bool reconectarHabilitado = false;
  bool ligado = false;

  void passo(const std::string& nome) {
    diario.push_back(nome);
    if (nome == falha) throw Excecao("failed: " + nome);
  }
  static std::string b(bool on) { return on ? "true" : "false"; }

  void setUserName(std::string_view v) override { passo("UserName " + std::string(v)); }
  void setClearTextPassword(std::string_view) override { passo("ClearTextPassword"); }
  void setDesktopWidth(int32_t v) override { passo("DesktopWidth " + std::to_string(v)); }
  void setDesktopHeight(int32_t v) override { passo("DesktopHeight " + std::to_string(v)); }
  void setServer(std::string_view v) override { passo("Server " + std::string(v)); }
  void setRdpPort(int32_t v) override { passo("RDPPort " + std::to_string(v)); }
  void setRedirectDrives(bool on) override { passo("RedirectDrives " + b(on)); }
  void setRedirectPrinters(bool on) override { passo("RedirectPrinters " + b(on)); }
  void setRedirectPorts(bool on) override { passo("RedirectPorts " + b(on)); }
  void setFullScreen(bool on) override { passo("FullScreen " + b(on)); }
  int16_t connected() override {
    passo("Connected?");
    return estado;
  }
  void connect() override { passo("Connect"); }
  void disconnect() override { passo("Disconnect"); }

  bool gravaDword(std::string_view chave, std::string_view nome, uint32_t valor) override {
    diario.push_back("registry " + std::string(chave) + " " + std::string(nome) + " " +
                     std::to_string(valor));
    return falha != "registry";
  }

  void ajustaATela() override { passo("screen size, maximised"); }
  void setReconectarHabilitado(bool on) override {
    reconectarHabilitado = on;
    diario.push_back("Reconectar " + b(on));
  }
  void mostraAjudaTransferencia() override { passo("FrmAjudaTransferencia modal"); }
  void mostraAjudaImpressao() override { passo("FrmAjudaImpressao modal"); }
  void solicitaTermino() override { diario.push_back("terminate"); }

  void show(std::string_view texto, int figura) override {
    diario.push_back("alert " + std::string(texto) + " " + std::to_string(figura));
  }
  void close() override { diario.push_back("alert closed"); }

  int intervalMs() const override { return 5000; }
  void setIntervalMs(int) override {}
  bool enabled() const override { return ligado; }
  void setEnabled(bool on) override {
    passo("ChecaImpressao " + b(on));
    ligado = on;
  }

  void execute(std::string_view verb, std::string_view target) override {
    diario.push_back("shell '" + std::string(verb) + "' " + std::string(target));
  }

  Sessao sessao{{*this, *this, *this, *this, *this, *this, "127.0.0.4:8052"}};
};

const std::string kRegistro =
    std::string("registry ") + kChaveRdpdr + " FilterQueueType 4294967295";

TEST(SessaoInicio, RunsTheStepsInOrderWithPrintersFollowingDirectPrinters) {
  for (const bool diretas : {true, false}) {
    Mundo m;
    m.sessao.FormShow(diretas);
    EXPECT_THAT(
        m.diario,
        ElementsAre(kRegistro, "screen size, maximised", "RedirectDrives true",
                    std::string("RedirectPrinters ") + Mundo::b(diretas), "RedirectPorts true",
                    std::string("ChecaImpressao ") + Mundo::b(!diretas), "Connect"));
    EXPECT_FALSE(m.reconectarHabilitado);
  }
}

TEST(SessaoInicio, AFailingStepStopsTheRestAndNoConnectionStarts) {
  const std::vector<std::string> passos = {kRegistro,
                                           "screen size, maximised",
                                           "RedirectDrives true",
                                           "RedirectPrinters false",
                                           "RedirectPorts true",
                                           "ChecaImpressao true",
                                           "Connect"};
  for (size_t i = 0; i < passos.size(); ++i) {
    Mundo m;
    m.falha = i == 0 ? "registry" : passos[i];
    EXPECT_THROW(m.sessao.FormShow(false), Excecao) << passos[i];
    EXPECT_THAT(m.diario, ElementsAreArray(passos.begin(), passos.begin() + i + 1)) << passos[i];
    EXPECT_FALSE(m.reconectarHabilitado);
    EXPECT_EQ(m.ligado, i > 5);
  }
}

TEST(SessaoInicio, RegistryFailureNamesTheValue) {
  Mundo m;
  m.falha = "registry";
  try {
    m.sessao.FormShow(true);
    FAIL() << "no exception";
  } catch (const Excecao& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for 'FilterQueueType'");
  }
}

TEST(SessaoFim, DisconnectsOnlyWhenConnectedAndAlwaysTerminates) {
  struct Caso {
    int16_t estado;
    std::string falha;
    std::vector<std::string> esperado;
  };
  const Caso casos[] = {
      {0, "", {"Connected?", "terminate"}},
      {1, "", {"Connected?", "Disconnect", "terminate"}},
      {2, "", {"Connected?", "terminate"}},
      {1, "Connected?", {"Connected?", "terminate"}},
      {1, "Disconnect", {"Connected?", "Disconnect", "terminate"}},
  };
  for (const Caso& c : casos) {
    Mundo m;
    m.estado = c.estado;
    m.falha = c.falha;
    EXPECT_NO_THROW(m.sessao.FormClose());
    EXPECT_EQ(m.diario, c.esperado) << c.estado << " " << c.falha;
  }
}

TEST(SessaoBotoes, ReconectarDisablesItselfBeforeConnectingAndStaysOffOnFailure) {
  Mundo m;
  m.sessao.aoDesconectado(3);
  m.diario.clear();
  m.sessao.reconectar();
  EXPECT_THAT(m.diario, ElementsAre("Reconectar false", "Connect"));

  Mundo falho;
  falho.reconectarHabilitado = true;
  falho.falha = "Connect";
  EXPECT_THROW(falho.sessao.reconectar(), Excecao);
  EXPECT_FALSE(falho.reconectarHabilitado);
}

TEST(SessaoBotoes, OtherButtons) {
  Mundo m;
  m.sessao.telaCheia();
  m.sessao.suporte();
  m.sessao.ajudaTransferencia();
  m.sessao.ajudaImpressao();
  EXPECT_THAT(m.diario, ElementsAre("FullScreen true", "shell '' http://127.0.0.4:8052",
                                    "FrmAjudaTransferencia modal", "FrmAjudaImpressao modal"));
}

TEST(SessaoEventos, DriveTheAlertAndReconectar) {
  Mundo m;
  for (const int32_t dispid : {1, 3, 2, 10, 11, 4}) m.sessao.eventoControle(dispid, 516);
  EXPECT_THAT(m.diario, ElementsAre("alert Conectando 0", "alert closed", "Reconectar true",
                                    "alert Desconectado 1"));
  EXPECT_TRUE(m.reconectarHabilitado);
}

}  // namespace
}  // namespace orvanta
