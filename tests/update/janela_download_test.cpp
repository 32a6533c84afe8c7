#include "update/janela_download.h"

#include <gtest/gtest.h>

#include <numeric>

#include "bancada_download.h"

namespace orvanta::teste {
namespace {

constexpr const char* kUrl = "http://site.test/programa.exe";
constexpr const char* kNome = "programa.exe";

// One download window in virtual time, with a class position that may outlive it.
class Janela {
 public:
  explicit Janela(int& ultimaPosicao, Roteiro roteiro = {})
      : janela(
            bancada.ambiente(), ultimaPosicao,
            [] {
              return DestinoDownload{kUrl, kNome};
            },
            [this] { aposLancamentoMs.push_back(bancada.relogio.agoraMs()); }) {
    bancada.http.roteiro = std::move(roteiro);
  }

  const ArquivoMemoria& arquivo() { return bancada.criador.arquivos.at(kNome); }

  Bancada bancada;
  std::vector<int64_t> aposLancamentoMs;
  JanelaDownload janela;
};

std::vector<Trecho> pedacos(int quantos, int64_t esperaMs, size_t bytes) {
  return std::vector<Trecho>(static_cast<size_t>(quantos), Trecho{esperaMs, bytes});
}

size_t totalBytes(const Roteiro& r) {
  return std::accumulate(r.trechos.begin(), r.trechos.end(), size_t{0},
                         [](size_t soma, const Trecho& t) { return soma + t.bytes; });
}

TEST(JanelaDownload, StartsTheDownloadThreeSecondsAfterBeingShown) {
  int ultimaPosicao = 0;
  Janela j(ultimaPosicao, Roteiro{100, pedacos(1, 0, 100)});
  j.bancada.relogio.executarPor(20000);
  EXPECT_TRUE(j.bancada.http.urls.empty()) << "nothing happens before the window is shown";

  j.bancada.relogio.executarAte(30000);
  j.janela.FormShow();
  j.bancada.relogio.executarAte(32999);
  EXPECT_TRUE(j.bancada.http.urls.empty());
  EXPECT_TRUE(j.bancada.criador.arquivos.empty());

  j.bancada.relogio.executarAte(33000);
  ASSERT_EQ(j.bancada.http.urls, std::vector<std::string>{kUrl});
  EXPECT_EQ(*j.bancada.http.inicioMs, 33000);
  EXPECT_EQ(j.arquivo().criacoes, 1);
  EXPECT_FALSE(j.bancada.timer1.enabled());
  EXPECT_TRUE(j.bancada.timer2.enabled());

  j.bancada.relogio.executarPor(60000);
  EXPECT_EQ(j.bancada.http.urls.size(), 1u) << "the download runs once";
}

struct CasoCompleto {
  const char* nome;
  Roteiro roteiro;
};

void PrintTo(const CasoCompleto& caso, std::ostream* os) {
  *os << caso.nome;
}

class DownloadCompleto : public testing::TestWithParam<CasoCompleto> {};

// Whatever the pace and whether or not the length is known, the program is started once, only
// after the fetch has returned with the whole file closed, and at the latest at the second
// check after the last byte.
TEST_P(DownloadCompleto, StartsTheFinishedFileByTheSecondCheckAfterTheLastByte) {
  int ultimaPosicao = 0;
  const Roteiro& roteiro = GetParam().roteiro;
  Janela j(ultimaPosicao, roteiro);
  j.janela.FormShow();
  j.bancada.relogio.executarPor(200000);

  ASSERT_EQ(j.bancada.lancamentos.size(), 1u);
  const Lancamento& l = j.bancada.lancamentos[0];
  EXPECT_EQ(l.nome, kNome);
  EXPECT_TRUE(l.transferenciaTerminada);
  EXPECT_FALSE(l.arquivoAberto);
  EXPECT_GT(l.ms, *j.bancada.http.fimMs);
  EXPECT_LE(l.ms, *j.bancada.http.fimMs + 2 * JanelaDownload::kVerificacaoMs);
  EXPECT_EQ(j.aposLancamentoMs, std::vector<int64_t>{l.ms});
  EXPECT_FALSE(j.bancada.timer2.enabled());

  EXPECT_EQ(j.arquivo().conteudo.size(), totalBytes(roteiro));
  EXPECT_EQ(j.janela.ProgressBar1().position(), j.janela.ProgressBar1().max());
  EXPECT_EQ(j.janela.ProgressBar1().max(), roteiro.tamanho.value_or(0));
  EXPECT_EQ(ultimaPosicao, j.janela.ProgressBar1().position());
}

std::vector<Trecho> estagnado() {
  return {{0, 1000}, {25000, 1000, true}, {1000, 1000}};
}

INSTANTIATE_TEST_SUITE_P(
    Ritmos, DownloadCompleto,
    testing::Values(CasoCompleto{"Instantaneo", {4096, pedacos(1, 0, 4096)}},
                    CasoCompleto{"UmPedacoPorSegundo", {30000, pedacos(30, 1000, 1000)}},
                    CasoCompleto{"UmPedacoACada9900ms", {5000, pedacos(5, 9900, 1000)}},
                    CasoCompleto{"TerminaRenteAUmaVerificacao", {2000, {{0, 1000}, {9999, 1000}}}},
                    CasoCompleto{"TerminaNumaVerificacao", {2000, {{0, 1000}, {10000, 1000}}}},
                    CasoCompleto{"ParadoDezSegundosNoMeio", {3000, estagnado()}},
                    CasoCompleto{"SemTamanhoInstantaneo", {std::nullopt, pedacos(1, 0, 4096)}},
                    CasoCompleto{"SemTamanhoAoLongoDeVerificacoes",
                                 {std::nullopt, pedacos(8, 4000, 1000)}},
                    CasoCompleto{"SemTamanhoParado", {std::nullopt, estagnado()}}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(JanelaDownload, AStallIsNotCompletionEvenWhenChecksSeeTheBarStandStill) {
  int ultimaPosicao = 0;
  // Messages are processed all through a long stall, so the checks do run during it.
  Janela j(ultimaPosicao, Roteiro{2000, {{0, 1000}, {45000, 1000, true}}});
  std::vector<int> verificadas;
  auto verificar = j.bancada.timer2.onTick;
  j.bancada.timer2.onTick = [&] {
    verificadas.push_back(j.janela.ProgressBar1().position());
    verificar();
  };
  j.janela.FormShow();
  j.bancada.relogio.executarPor(100000);

  ASSERT_GE(verificadas.size(), 4u);
  EXPECT_EQ(verificadas[0], 1000);
  EXPECT_EQ(verificadas[1], 1000) << "two checks in a row saw the same position";
  ASSERT_EQ(j.bancada.lancamentos.size(), 1u);
  EXPECT_GT(j.bancada.lancamentos[0].ms, *j.bancada.http.fimMs);
}

struct CasoFalha {
  const char* nome;
  Roteiro roteiro;
  bool arquivoNaoCriado = false;
  size_t bytesNoArquivo = 0;
};

void PrintTo(const CasoFalha& caso, std::ostream* os) {
  *os << caso.nome;
}

class DownloadQueFalha : public testing::TestWithParam<CasoFalha> {};

// The failure reaches whoever runs the timer (the application's error box); the window stays,
// nothing is started and the checks stop.
TEST_P(DownloadQueFalha, ReportsTheFailureAndNeverStartsTheFile) {
  const CasoFalha& caso = GetParam();
  int ultimaPosicao = 0;
  Janela j(ultimaPosicao, caso.roteiro);
  j.bancada.criador.falhar = caso.arquivoNaoCriado;
  j.janela.FormShow();

  try {
    j.bancada.relogio.executarPor(120000);
    FAIL() << "the failure must leave the timer handler";
  } catch (const Excecao& e) {
    const std::string esperado =
        caso.arquivoNaoCriado ? "Cannot create file \"programa.exe\"" : caso.roteiro.falha->what();
    EXPECT_EQ(e.what(), esperado);
  }
  j.bancada.relogio.executarPor(120000);

  EXPECT_TRUE(j.bancada.lancamentos.empty());
  EXPECT_TRUE(j.aposLancamentoMs.empty());
  EXPECT_FALSE(j.bancada.timer1.enabled());
  EXPECT_FALSE(j.bancada.timer2.enabled());
  if (caso.arquivoNaoCriado) {
    EXPECT_TRUE(j.bancada.http.urls.empty());
  } else {
    EXPECT_FALSE(j.arquivo().aberto);
    EXPECT_EQ(j.arquivo().conteudo.size(), caso.bytesNoArquivo);
  }
}

ErroHttp erroSocket(int codigo, const std::string& texto) {
  return ErroHttp(TipoErroHttp::socket, "Socket Error # " + std::to_string(codigo) + "\r\n" + texto,
                  codigo);
}

INSTANTIATE_TEST_SUITE_P(
    Falhas, DownloadQueFalha,
    testing::Values(CasoFalha{"Recusada",
                              {std::nullopt, {}, erroSocket(10061, "Connection refused.")}},
                    CasoFalha{"NaoEncontrado",
                              {200,
                               {{0, 200}},
                               ErroHttp(TipoErroHttp::protocolo, "HTTP/1.1 404 Not Found", 404),
                               true}},
                    CasoFalha{"InterrompidaNoMeio",
                              {10000,
                               {{0, 4000}, {12000, 2000, true}, {500, 1000}},
                               erroSocket(10054, "Connection reset by peer.")},
                              false,
                              7000},
                    CasoFalha{"ArquivoNaoPodeSerCriado", {100, pedacos(1, 0, 100)}, true}),
    [](const auto& info) { return std::string(info.param.nome); });

struct CasoSegundaExecucao {
  const char* nome;
  std::optional<size_t> bytesDaPrimeira;
  size_t bytesDaSegunda;
  int64_t lancamentoEsperadoMs;
};

void PrintTo(const CasoSegundaExecucao& caso, std::ostream* os) {
  *os << caso.nome;
}

class SegundaExecucao : public testing::TestWithParam<CasoSegundaExecucao> {};

// The class keeps the last position across runs, so an instant download of the same size as
// the previous one starts at the first check instead of the second.
TEST_P(SegundaExecucao, FirstCheckComparesWithTheLastPositionOfThePreviousRun) {
  const CasoSegundaExecucao& caso = GetParam();
  int ultimaPosicao = 0;
  if (caso.bytesDaPrimeira) {
    const auto n = static_cast<int64_t>(*caso.bytesDaPrimeira);
    Janela primeira(ultimaPosicao, Roteiro{n, pedacos(1, 0, *caso.bytesDaPrimeira)});
    primeira.janela.FormShow();
    primeira.bancada.relogio.executarPor(60000);
    ASSERT_EQ(primeira.bancada.lancamentos.size(), 1u);
  }

  const auto n = static_cast<int64_t>(caso.bytesDaSegunda);
  Janela segunda(ultimaPosicao, Roteiro{n, pedacos(1, 0, caso.bytesDaSegunda)});
  segunda.janela.FormShow();
  segunda.bancada.relogio.executarPor(60000);
  ASSERT_EQ(segunda.bancada.lancamentos.size(), 1u);
  EXPECT_EQ(segunda.bancada.lancamentos[0].ms, caso.lancamentoEsperadoMs);
}

INSTANTIATE_TEST_SUITE_P(
    Execucoes, SegundaExecucao,
    testing::Values(CasoSegundaExecucao{"PrimeiraDaClasse", std::nullopt, 1000, 23000},
                    CasoSegundaExecucao{"MesmoTamanhoDaAnterior", 1000, 1000, 13000},
                    CasoSegundaExecucao{"TamanhoDiferenteDaAnterior", 1000, 500, 23000}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(JanelaDownload, ProgressMovesTheBarAndKeepsTheWindowResponsive) {
  int ultimaPosicao = 0;
  Janela j(ultimaPosicao, Roteiro{3000, pedacos(3, 100, 1000)});
  std::vector<int> posicoes;
  j.janela.ProgressBar1().onChange = [&] {
    posicoes.push_back(j.janela.ProgressBar1().position());
  };
  j.janela.FormShow();
  j.bancada.relogio.executarPor(3000);

  // Reset to 0, the new maximum, each piece, then the end.
  EXPECT_EQ(posicoes, (std::vector<int>{0, 0, 1000, 2000, 3000, 3000}));
  EXPECT_EQ(j.bancada.relogio.bombeamentos(), 3);
}

}  // namespace
}  // namespace orvanta::teste
