// The Win32 half shared by the two download windows: the window with its progress bar, three
// window timers, message pumping, program launch and the modal run.
#pragma once

#include <windows.h>

#include <array>
#include <exception>
#include <functional>
#include <memory>

#include "ui/launcher.h"
#include "ui/message_pump.h"
#include "ui/timer.h"
#include "update/barra_progresso.h"

namespace orvanta {

class JanelaDownloadWin {
 public:
  // nomeClasse names the window class, as the window's own class name does.
  explicit JanelaDownloadWin(const wchar_t* nomeClasse);
  ~JanelaDownloadWin();
  JanelaDownloadWin(const JanelaDownloadWin&) = delete;
  JanelaDownloadWin& operator=(const JanelaDownloadWin&) = delete;

  HWND handle() const { return hwnd_; }
  Timer& timer(size_t indice) { return *timers_.at(indice); }
  MessagePump& mensagens() { return *bomba_; }
  ProgramLauncher& lancador() { return *lancador_; }

  // Mirrors the core's bar into the control from now on.
  void espelhar(BarraProgresso& barra);

  // Shows the window, runs aoMostrar and handles messages until the window is closed or the
  // program is asked to end (the request is passed on to the outer loop).
  void ShowModal();
  void Close();

  std::function<void()> aoMostrar;
  // Failures that leave a handler go here; by default the application's error box.
  std::function<void(const std::exception&)> aoFalhar;

  int posicaoDoControle() const;
  int maximoDoControle() const;

 private:
  static LRESULT CALLBACK procedimento(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT tratar(UINT msg, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  HWND progressBar1_ = nullptr;
  std::unique_ptr<std::remove_pointer_t<HFONT>, decltype(&DeleteObject)> fonte_;
  std::array<std::unique_ptr<Timer>, 3> timers_;
  std::unique_ptr<MessagePump> bomba_;
  std::unique_ptr<ProgramLauncher> lancador_;
  bool emModal_ = false;
};

}  // namespace orvanta
