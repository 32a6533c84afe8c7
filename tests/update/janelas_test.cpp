// The two windows built on JanelaDownload: what each fetches, keeps and does after the launch.
#include <gtest/gtest.h>

#include "bancada_download.h"
#include "update/download_atualizacao.h"
#include "update/download_ferramenta_pdf.h"

namespace orvanta::teste {
namespace {

const Hosts kHosts{"rota1.test", "rota2.test", "site.test:8052", 52};

class CpuidFixo : public InstrucaoCpuid {
 public:
  explicit CpuidFixo(bool x64) : x64_(x64) {}
  bool disponivel() const override { return true; }
  RegistrosCpuid consultar(uint32_t folha) const override {
    if (folha == 0) return {0xd, 0x756e6547, 0x6c65746e, 0x49656e69};  // "GenuineIntel"
    if (folha == 0x80000000) return {0x80000008, 0, 0, 0};
    return {0, 0, 0, x64_ ? 1u << 29 : 0u};
  }

 private:
  bool x64_;
};

class Atualizacao : public testing::TestWithParam<bool> {};

TEST_P(Atualizacao, FetchesTheUpdaterForThisProcessorAndEndsTheProgramOneSecondAfterStartingIt) {
  const bool x64 = GetParam();
  Bancada b;
  b.http.roteiro = Roteiro{5000, {{0, 2500}, {2000, 2500}}};
  const CpuidFixo cpuid(x64);
  std::vector<int64_t> encerramentosMs;
  int ultimaPosicao = 0;
  DownloadAtualizacao atualiza(b.ambiente(), b.timer3, ultimaPosicao, Endpoints(kHosts), cpuid,
                               [&] { encerramentosMs.push_back(b.relogio.agoraMs()); });
  atualiza.FormShow();
  b.relogio.executarPor(120000);

  EXPECT_EQ(b.http.urls, std::vector<std::string>{Endpoints(kHosts).atualizador(x64)});
  EXPECT_EQ(b.criador.arquivos.at("atualiza.exe").conteudo.size(), 5000u);
  ASSERT_EQ(b.lancamentos.size(), 1u);
  EXPECT_EQ(b.lancamentos[0].nome, "atualiza.exe");
  EXPECT_EQ(encerramentosMs, std::vector<int64_t>{b.lancamentos[0].ms + 1000});
}

INSTANTIATE_TEST_SUITE_P(Processadores, Atualizacao, testing::Bool(),
                         [](const auto& info) { return info.param ? "x64" : "x32"; });

TEST(Atualizacao, AFailedUpdateLeavesTheProgramRunning) {
  Bancada b;
  b.http.roteiro = Roteiro{std::nullopt,
                           {{0, 120}},
                           ErroHttp(TipoErroHttp::protocolo, "HTTP/1.1 404 Not Found", 404),
                           true};
  const CpuidFixo cpuid(true);
  int encerramentos = 0;
  int ultimaPosicao = 0;
  DownloadAtualizacao atualiza(b.ambiente(), b.timer3, ultimaPosicao, Endpoints(kHosts), cpuid,
                               [&] { ++encerramentos; });
  atualiza.FormShow();
  EXPECT_THROW(b.relogio.executarPor(10000), ErroHttp);
  b.relogio.executarPor(120000);

  EXPECT_TRUE(b.lancamentos.empty());
  EXPECT_EQ(encerramentos, 0);
  EXPECT_FALSE(b.timer3.enabled());
}

TEST(FerramentaPdf, FetchesTheInstallerStartsItAndCloses) {
  Bancada b;
  b.http.roteiro = Roteiro{800, {{0, 800}}};
  std::vector<int64_t> fechamentosMs;
  int ultimaPosicao = 0;
  DownloadFerramentaPdf download(b.ambiente(), ultimaPosicao, Endpoints(kHosts),
                                 [&] { fechamentosMs.push_back(b.relogio.agoraMs()); });
  download.FormShow();
  b.relogio.executarPor(120000);

  EXPECT_EQ(b.http.urls, std::vector<std::string>{"http://site.test:8052/ferramentas/pdf.exe"});
  EXPECT_EQ(b.criador.arquivos.at("pdf.exe").conteudo.size(), 800u);
  ASSERT_EQ(b.lancamentos.size(), 1u);
  EXPECT_EQ(b.lancamentos[0].nome, "pdf.exe");
  EXPECT_EQ(fechamentosMs, std::vector<int64_t>{b.lancamentos[0].ms});
}

}  // namespace
}  // namespace orvanta::teste
