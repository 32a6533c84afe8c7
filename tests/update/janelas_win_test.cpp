// The two download windows for real: window, control, timers, the launch of a program and the
// error box, with a transfer that delivers the body slowly.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include "janela_teste_win.h"
#include "transferencia_lenta.h"
#include "update/atualiza_win.h"
#include "update/download_win.h"

namespace orvanta::teste {
namespace {

const Hosts kHosts{"rota1.test", "rota2.test", "site.test", 52};

using JanelasWin = JanelaTeste;

TEST_F(JanelasWin, BothWindowsLookTheSame) {
  int ultimaPosicao = 0;
  TFrmDownload download(app, ultimaPosicao, std::make_unique<TransferenciaLenta>("", 1, 0),
                        Endpoints(kHosts));
  TFrmAtualiza atualiza(app, ultimaPosicao, std::make_unique<TransferenciaLenta>("", 1, 0),
                        Endpoints(kHosts));
  for (Window* w : {static_cast<Window*>(&download), static_cast<Window*>(&atualiza)}) {
    EXPECT_EQ(w->caption(), "Download em andamento...");
    EXPECT_EQ(w->clientSize().cx, 912);
    EXPECT_EQ(w->clientSize().cy, 25);
    EXPECT_EQ(w->backgroundBrush(), GetSysColorBrush(COLOR_BTNFACE));

    RECT janela;
    GetWindowRect(w->hwnd(), &janela);
    EXPECT_LE(std::abs((janela.left + janela.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
    EXPECT_LE(std::abs((janela.top + janela.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);

    LOGFONTW fonte{};
    GetObjectW(w->font(), sizeof fonte, &fonte);
    EXPECT_STREQ(fonte.lfFaceName, L"Tahoma");
    EXPECT_EQ(fonte.lfHeight, -11);

    HWND barra = FindWindowExW(w->hwnd(), nullptr, PROGRESS_CLASSW, nullptr);
    ASSERT_NE(barra, nullptr);
    RECT area;
    GetWindowRect(barra, &area);
    MapWindowPoints(nullptr, w->hwnd(), reinterpret_cast<POINT*>(&area), 2);
    EXPECT_EQ(area.left, 0);
    EXPECT_EQ(area.top, 0);
    EXPECT_EQ(area.right, 912);
    EXPECT_EQ(area.bottom, 25);
    EXPECT_EQ(SendMessageW(barra, PBM_GETRANGE, FALSE, 0), 100);
  }
  wchar_t classe[32];
  GetClassNameW(atualiza.hwnd(), classe, 32);
  EXPECT_STREQ(classe, L"TFrmAtualiza");
  GetClassNameW(download.hwnd(), classe, 32);
  EXPECT_STREQ(classe, L"TFrmDownload");
}

// A window made for one run, as its callers make them, shares the last bar position kept by
// the window set's instance of its class.
template <class Janela>
void compartilhaAPosicaoDaClasse(Application& app, Janela*& global) {
  Janela doConjunto(app);
  global = &doConjunto;
  Janela execucao(app);
  EXPECT_EQ(&execucao.UltimaPosicao(), &doConjunto.UltimaPosicao());
  global = nullptr;
  Janela semConjunto(app);
  EXPECT_NE(&semConjunto.UltimaPosicao(), &doConjunto.UltimaPosicao());
}

TEST_F(JanelasWin, ARunSharesTheLastPositionOfItsClass) {
  compartilhaAPosicaoDaClasse(app, FrmDownload);
  compartilhaAPosicaoDaClasse(app, FrmAtualiza);
}

TEST_F(JanelasWin, TheInstallerWindowDownloadsStartsTheProgramAndCloses) {
  const std::string programa = programaDeTeste();
  ASSERT_GT(programa.size(), 1000u);
  auto http = std::make_unique<TransferenciaLenta>(programa, programa.size() / 8 + 1, 150);
  TransferenciaLenta& transferencia = *http;
  int ultimaPosicao = 0;
  TFrmDownload janela(app, ultimaPosicao, std::move(http), Endpoints(kHosts));
  std::vector<int> posicoes;
  janela.barra().onChange = [&, espelhar = janela.barra().onChange] {
    espelhar();
    posicoes.push_back(janela.ProgressBar1.position());
  };

  const ULONGLONG inicio = GetTickCount64();
  janela.showModal();
  const ULONGLONG duracao = GetTickCount64() - inicio;

  EXPECT_EQ(transferencia.url, "http://site.test/ferramentas/pdf.exe");
  // 3 s to start, about 1 s of download, then the second check 20 s after the start.
  EXPECT_GE(duracao, 13000u);
  EXPECT_LE(duracao, 26000u);
  EXPECT_FALSE(janela.visible());
  EXPECT_FALSE(app.terminated());
  EXPECT_GE(posicoes.size(), 8u) << "the bar moves with the download";
  EXPECT_EQ(janela.ProgressBar1.position(), static_cast<int>(programa.size()));
  EXPECT_EQ(janela.ProgressBar1.maximum(), static_cast<int>(programa.size()));
  EXPECT_EQ(ultimaPosicao, static_cast<int>(programa.size()));
  EXPECT_TRUE(esperarArquivo("pdf.exe.executado", 10000)) << "the installer did not run";
  EXPECT_EQ(lerArquivo("pdf.exe"), programa);
  EXPECT_TRUE(caixas.caixas.empty());
}

TEST_F(JanelasWin, TheUpdateWindowStartsTheUpdaterAndEndsTheProgramASecondLater) {
  const std::string programa = programaDeTeste();
  int ultimaPosicao = 0;
  TFrmAtualiza janela(app, ultimaPosicao,
                      std::make_unique<TransferenciaLenta>(programa, programa.size() / 4 + 1, 100),
                      Endpoints(kHosts));
  ULONGLONG ultimaVerificacao = 0, encerramento = 0;
  janela.Timer2.onTick = [&, verificar = janela.Timer2.onTick] {
    ultimaVerificacao = GetTickCount64();
    verificar();
  };
  janela.Timer3.onTick = [&, encerrar = janela.Timer3.onTick] {
    encerramento = GetTickCount64();
    encerrar();
  };

  janela.showModal();

  EXPECT_TRUE(app.terminated()) << "the program was asked to end";
  EXPECT_GE(encerramento - ultimaVerificacao, 950u);
  EXPECT_LE(encerramento - ultimaVerificacao, 1500u);
  EXPECT_TRUE(esperarArquivo("atualiza.exe.executado", 10000)) << "the updater did not run";
  EXPECT_EQ(lerArquivo("atualiza.exe"), programa);
}

TEST_F(JanelasWin, AFailedUpdateShowsTheErrorStartsNothingAndLeavesTheProgramRunning) {
  int ultimaPosicao = 0;
  auto http = std::make_unique<TransferenciaLenta>("<html>404</html>", 100, 50);
  http->falha = ErroHttp(TipoErroHttp::protocolo, "HTTP/1.1 404 Not Found", 404);
  TFrmAtualiza janela(app, ultimaPosicao, std::move(http), Endpoints(kHosts));
  // The box stays up past two checks; then the user closes the window.
  caixas.leituraMs = 22000;
  caixas.depoisDeLer = [&] { PostMessageW(janela.hwnd(), WM_CLOSE, 0, 0); };

  janela.showModal();
  bombear(1500);

  ASSERT_EQ(caixas.caixas.size(), 1u);
  EXPECT_EQ(caixas.caixas[0].texto, L"HTTP/1.1 404 Not Found.");
  EXPECT_EQ(caixas.caixas[0].titulo, app.title());
  EXPECT_EQ(caixas.caixas[0].tipo, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_FALSE(app.terminated());
  EXPECT_FALSE(janela.visible());
  EXPECT_FALSE(fs::exists("atualiza.exe.executado"));
  EXPECT_EQ(fs::file_size("atualiza.exe"), 0u);
}

}  // namespace
}  // namespace orvanta::teste
