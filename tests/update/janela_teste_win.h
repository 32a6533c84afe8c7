// Surroundings of a download window in a Windows test: an application whose error boxes are
// recorded (staying up a while, their loop running, as a person reads them), an empty working
// directory, and the updater stand-in's bytes.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ui/application_win.h"
#include "ui/message_box_win.h"
#include "ui/timer_win.h"

namespace orvanta::teste {

namespace fs = std::filesystem;

inline std::string lerArquivo(const fs::path& caminho) {
  std::ifstream in(caminho, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The updater stand-in, reached through Wine's drive for the Unix root.
inline std::string programaDeTeste() {
  std::string caminho = "Z:" ORVANTA_STUB;
  for (char& c : caminho) c = c == '/' ? '\\' : c;
  return lerArquivo(caminho);
}

inline bool esperarArquivo(const char* nome, DWORD limiteMs) {
  const ULONGLONG fim = GetTickCount64() + limiteMs;
  while (GetTickCount64() < fim) {
    if (fs::exists(nome)) return true;
    Sleep(50);
  }
  return false;
}

// Handles the thread's messages for a while, as any modal loop does.
inline void bombear(DWORD ms) {
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

class CaixasLidas final : public MessageBoxes {
 public:
  struct Caixa {
    std::wstring texto;
    std::wstring titulo;
    UINT tipo;
  };
  int show(HWND, std::wstring_view texto, std::wstring_view titulo, UINT tipo) override {
    caixas.push_back({std::wstring(texto), std::wstring(titulo), tipo});
    bombear(leituraMs);
    if (depoisDeLer) depoisDeLer();
    return IDOK;
  }
  std::vector<Caixa> caixas;
  DWORD leituraMs = 0;
  std::function<void()> depoisDeLer;
};

class JanelaTeste : public testing::Test {
 protected:
  void SetUp() override {
    anterior_ = fs::current_path();
    pasta_ =
        fs::temp_directory_path() / ("janela_" + std::to_string(GetCurrentProcessId()) + "_" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(pasta_);
    fs::create_directories(pasta_);
    fs::current_path(pasta_);
    // Fails the test instead of hanging it when a modal run does not end.
    guarda.onTick = [this] {
      ADD_FAILURE() << "the window's modal run did not end";
      app.terminate();
    };
    guarda.setEnabled(true);
  }
  void TearDown() override {
    // A termination request must not reach the next test's loop.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    fs::current_path(anterior_);
    std::error_code ignorado;
    fs::remove_all(pasta_, ignorado);
  }

  CaixasLidas caixas;
  Application app{caixas};
  WinTimer guarda{app, 90000};

 private:
  fs::path anterior_;
  fs::path pasta_;
};

}  // namespace orvanta::teste
