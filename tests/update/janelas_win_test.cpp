// The two download windows for real: window, control, timers and the launch of a program.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "transferencia_lenta.h"
#include "update/atualiza_win.h"
#include "update/download_win.h"

namespace orvanta::teste {
namespace {

namespace fs = std::filesystem;

const Hosts kHosts{"rota1.test", "rota2.test", "site.test", 52};

std::string lerArquivo(const fs::path& caminho) {
  std::ifstream in(caminho, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The updater stand-in, reached through Wine's drive for the Unix root.
std::string programaDeTeste() {
  std::string caminho = "Z:" ORVANTA_STUB;
  for (char& c : caminho) c = c == '/' ? '\\' : c;
  return lerArquivo(caminho);
}

bool esperarArquivo(const char* nome, DWORD limiteMs) {
  const ULONGLONG fim = GetTickCount64() + limiteMs;
  while (GetTickCount64() < fim) {
    if (fs::exists(nome)) return true;
    Sleep(50);
  }
  return false;
}

void bombear(DWORD ms) {
  const ULONGLONG fim = GetTickCount64() + ms;
  while (GetTickCount64() < fim) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(20);
  }
}

// Each test runs in its own empty working directory; a termination request left over by a
// window is taken off the queue.
class JanelasWin : public testing::Test {
 protected:
  void SetUp() override {
    anterior_ = fs::current_path();
    pasta_ = fs::temp_directory_path() / ("janelas_" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(pasta_);
    fs::create_directories(pasta_);
    fs::current_path(pasta_);
  }
  void TearDown() override {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    fs::current_path(anterior_);
    std::error_code ignorado;
    fs::remove_all(pasta_, ignorado);
  }

  fs::path anterior_;
  fs::path pasta_;
};

TEST_F(JanelasWin, BothWindowsLookTheSame) {
  int ultimaPosicao = 0;
  TFrmDownload download(ultimaPosicao, std::make_unique<TransferenciaLenta>("", 1, 0),
                        Endpoints(kHosts));
  TFrmAtualiza atualiza(ultimaPosicao, std::make_unique<TransferenciaLenta>("", 1, 0),
                        Endpoints(kHosts));
  for (HWND hwnd : {download.janela().handle(), atualiza.janela().handle()}) {
    wchar_t titulo[64];
    GetWindowTextW(hwnd, titulo, 64);
    EXPECT_STREQ(titulo, L"Download em andamento...");
    RECT cliente;
    GetClientRect(hwnd, &cliente);
    EXPECT_EQ(cliente.right, 912);
    EXPECT_EQ(cliente.bottom, 25);

    RECT janela;
    GetWindowRect(hwnd, &janela);
    EXPECT_LE(std::abs((janela.left + janela.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
    EXPECT_LE(std::abs((janela.top + janela.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);
    EXPECT_EQ(GetClassLongPtrW(hwnd, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);

    LOGFONTW fonte{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), sizeof fonte, &fonte);
    EXPECT_STREQ(fonte.lfFaceName, L"Tahoma");
    EXPECT_EQ(fonte.lfHeight, -11);

    HWND barra = FindWindowExW(hwnd, nullptr, PROGRESS_CLASSW, nullptr);
    ASSERT_NE(barra, nullptr);
    RECT area;
    GetWindowRect(barra, &area);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&area), 2);
    EXPECT_EQ(area.left, 0);
    EXPECT_EQ(area.top, 0);
    EXPECT_EQ(area.right, 912);
    EXPECT_EQ(area.bottom, 25);
    EXPECT_EQ(SendMessageW(barra, PBM_GETRANGE, FALSE, 0), 100);
  }
  wchar_t classe[32];
  GetClassNameW(atualiza.janela().handle(), classe, 32);
  EXPECT_STREQ(classe, L"TFrmAtualiza");
  GetClassNameW(download.janela().handle(), classe, 32);
  EXPECT_STREQ(classe, L"TFrmDownload");
}

TEST_F(JanelasWin, TheInstallerWindowDownloadsStartsTheProgramAndCloses) {
  const std::string programa = programaDeTeste();
  ASSERT_GT(programa.size(), 1000u);
  auto http = std::make_unique<TransferenciaLenta>(programa, programa.size() / 8 + 1, 150);
  TransferenciaLenta& transferencia = *http;
  int ultimaPosicao = 0;
  TFrmDownload janela(ultimaPosicao, std::move(http), Endpoints(kHosts));

  const ULONGLONG inicio = GetTickCount64();
  janela.ShowModal();
  const ULONGLONG duracao = GetTickCount64() - inicio;

  EXPECT_EQ(transferencia.url, "http://site.test/ferramentas/pdf.exe");
  // 3 s to start, about 1 s of download, then the second check 20 s after the start.
  EXPECT_GE(duracao, 13000u);
  EXPECT_LE(duracao, 26000u);
  EXPECT_FALSE(IsWindowVisible(janela.janela().handle()));
  EXPECT_EQ(janela.janela().posicaoDoControle(), static_cast<int>(programa.size()));
  EXPECT_EQ(janela.janela().maximoDoControle(), static_cast<int>(programa.size()));
  EXPECT_EQ(ultimaPosicao, static_cast<int>(programa.size()));
  EXPECT_TRUE(esperarArquivo("pdf.exe.executado", 10000)) << "the installer did not run";
  EXPECT_EQ(lerArquivo("pdf.exe"), programa);
}

TEST_F(JanelasWin, TheUpdateWindowStartsTheUpdaterAndEndsTheProgramASecondLater) {
  const std::string programa = programaDeTeste();
  int ultimaPosicao = 0;
  ULONGLONG encerramento = 0;
  TFrmAtualiza janela(ultimaPosicao,
                      std::make_unique<TransferenciaLenta>(programa, programa.size() / 4 + 1, 100),
                      Endpoints(kHosts), [&] {
                        encerramento = GetTickCount64();
                        PostQuitMessage(0);
                      });

  janela.ShowModal();  // the termination request ends the modal run too

  ASSERT_NE(encerramento, 0u);
  EXPECT_TRUE(esperarArquivo("atualiza.exe.executado", 10000)) << "the updater did not run";
  EXPECT_EQ(lerArquivo("atualiza.exe"), programa);
  MSG msg;
  EXPECT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
      << "the request is passed on to the program's own loop";
}

TEST_F(JanelasWin, AFailedUpdateShowsTheErrorStartsNothingAndCloses) {
  int ultimaPosicao = 0;
  auto http = std::make_unique<TransferenciaLenta>("<html>404</html>", 100, 50);
  http->falha = ErroHttp(TipoErroHttp::protocolo, "HTTP/1.1 404 Not Found", 404);
  bool encerrou = false;
  TFrmAtualiza janela(ultimaPosicao, std::move(http), Endpoints(kHosts), [&] { encerrou = true; });
  std::vector<std::string> erros;
  janela.janela().aoFalhar = [&](const std::exception& e) {
    erros.emplace_back(e.what());
    // The error box stays up past two checks, its loop running the window's timers, and then
    // the user closes the window.
    bombear(22000);
    PostMessageW(janela.janela().handle(), WM_CLOSE, 0, 0);
  };

  janela.ShowModal();
  bombear(1500);

  EXPECT_EQ(erros, std::vector<std::string>{"HTTP/1.1 404 Not Found"});
  EXPECT_FALSE(encerrou);
  EXPECT_FALSE(fs::exists("atualiza.exe.executado"));
  EXPECT_TRUE(fs::exists("atualiza.exe"));
  EXPECT_EQ(fs::file_size("atualiza.exe"), 0u);
}

}  // namespace
}  // namespace orvanta::teste
