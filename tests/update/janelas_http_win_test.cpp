// The download windows with their own HTTP client against a loopback web site started by
// com_servidor.sh, which serves the updater stand-in in timed pieces.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "janela_teste_win.h"
#include "service/cliente_http.h"
#include "update/atualiza_win.h"
#include "update/download_win.h"

namespace orvanta::teste {
namespace {

std::string ambiente(const char* nome) {
  const char* valor = std::getenv(nome);
  return valor ? valor : "";
}

Hosts site(const std::string& sufixo = "") {
  return Hosts{"rota1.test", "rota2.test", ambiente("ORVANTA_TESTE_SITE") + sufixo, 52};
}

std::string pedidos() {
  std::string caminho = "Z:" + ambiente("ORVANTA_TESTE_LOG");
  for (char& c : caminho) c = c == '/' ? '\\' : c;
  return lerArquivo(caminho);
}

class JanelasHttp : public JanelaTeste {
 protected:
  void SetUp() override {
    JanelaTeste::SetUp();
    ASSERT_FALSE(ambiente("ORVANTA_TESTE_SITE").empty()) << "run through com_servidor.sh";
  }
};

TEST_F(JanelasHttp, TheUpdateWindowFetchesStartsTheUpdaterAndEndsTheProgram) {
  const std::string programa = programaDeTeste();
  int ultimaPosicao = 0;
  TFrmAtualiza janela(app, ultimaPosicao, nullptr, Endpoints(site()));
  std::vector<int> posicoes;
  janela.barra().onChange = [&, espelhar = janela.barra().onChange] {
    espelhar();
    posicoes.push_back(janela.ProgressBar1.position());
  };

  const auto& http = dynamic_cast<const ClienteHttp&>(*janela.IdHTTP1).configuracao();
  EXPECT_EQ(http.accept, "text/html, */*,*.exe");
  EXPECT_FALSE(http.handleRedirects);

  janela.showModal();

  EXPECT_TRUE(app.terminated());
  EXPECT_TRUE(esperarArquivo("atualiza.exe.executado", 10000)) << "the updater did not run";
  EXPECT_EQ(lerArquivo("atualiza.exe"), programa);
  EXPECT_GE(posicoes.size(), 10u) << "the bar moves with the download";
  EXPECT_EQ(janela.ProgressBar1.position(), static_cast<int>(programa.size()));
  EXPECT_NE(pedidos().find("GET /remoto/update/x64/atualiza.exe HTTP/1.1"), std::string::npos)
      << pedidos();
  EXPECT_TRUE(caixas.caixas.empty());
}

TEST_F(JanelasHttp, TheInstallerWindowFetchesStartsTheInstallerAndCloses) {
  const std::string programa = programaDeTeste();
  int ultimaPosicao = 0;
  TFrmDownload janela(app, ultimaPosicao, nullptr, Endpoints(site()));
  const auto& http = dynamic_cast<const ClienteHttp&>(*janela.IdHTTP1).configuracao();
  EXPECT_EQ(http.accept, "text/html, */*,*.exe");
  EXPECT_FALSE(http.handleRedirects);

  janela.showModal();

  EXPECT_FALSE(app.terminated());
  EXPECT_TRUE(esperarArquivo("pdf.exe.executado", 10000)) << "the installer did not run";
  EXPECT_EQ(lerArquivo("pdf.exe"), programa);
}

TEST_F(JanelasHttp, AMissingUpdaterShowsTheStatusStartsNothingAndLeavesTheProgramRunning) {
  int ultimaPosicao = 0;
  TFrmAtualiza janela(app, ultimaPosicao, nullptr, Endpoints(site("/faltando")));
  caixas.leituraMs = 22000;
  caixas.depoisDeLer = [&] { PostMessageW(janela.hwnd(), WM_CLOSE, 0, 0); };

  janela.showModal();
  bombear(1500);

  ASSERT_EQ(caixas.caixas.size(), 1u);
  EXPECT_EQ(caixas.caixas[0].texto, L"HTTP/1.1 404 Not Found.");
  EXPECT_FALSE(app.terminated());
  EXPECT_FALSE(fs::exists("atualiza.exe.executado"));
  EXPECT_EQ(fs::file_size("atualiza.exe"), 0u);
}

}  // namespace
}  // namespace orvanta::teste
