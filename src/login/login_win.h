// TFrmLogin (unit login): the first window. Owns its controls and HTTP client and forwards
// every event to LoginCore.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "login/login_core.h"

namespace orvanta {

class TFrmLogin {
 public:
  // What the window needs from the rest of the program.
  struct Ligacoes {
    std::unique_ptr<TransferenciaHttp> IdHTTP1;
    UserMessages* mensagens = nullptr;
    // The session window's remote desktop control.
    std::function<ControleRemoto&()> controle;
    // Main-window hand-over: make the session window main, show it, close this one.
    std::function<void()> passarSessao;
    // A new update window shown modally and destroyed.
    std::function<void()> executarAtualizacao;
    // The user closed the window (it is already hidden).
    std::function<void()> aoFechar;
  };

  explicit TFrmLogin(Ligacoes ligacoes);
  ~TFrmLogin();
  TFrmLogin(const TFrmLogin&) = delete;
  TFrmLogin& operator=(const TFrmLogin&) = delete;

  HWND handle() const { return hwnd_; }
  HWND Edit1() const { return edit1_; }
  HWND Edit2() const { return edit2_; }
  HWND Button1() const { return button1_; }
  HWND RadioGroup1() const { return radioGroup1_; }
  HWND RadioItem(int indice) const { return radios_[indice]; }
  HWND CheckBox1() const { return checkBox1_; }
  HWND CheckBox2() const { return checkBox2_; }
  HWND Image1() const { return image1_; }
  LoginCore& nucleo() { return nucleo_; }

  // Shows the window (focus in Edit1) and runs its on-show handler.
  void Show();
  // Hides the window; its controls keep their values.
  void Close();

  // EscolhasLogin, read by the session for the rest of the run.
  std::string usuarioDigitado() const;
  bool impressorasDiretas() const;
  bool rotaAlternativa() const;
  int RadioGroup1ItemIndex() const;
  bool RadioGroup1Visible() const;

  void Button1Click();

 private:
  static LRESULT CALLBACK procedimento(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK campoTexto(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR dados);
  LRESULT tratar(UINT msg, WPARAM wParam, LPARAM lParam);
  void criarControles();
  void comando(HWND controle, WORD notificacao);
  void FormShow();
  void Edit1Exit();
  void RadioGroup1Click();
  void definirSeletorVisivel(bool visivel);

  using Fonte = std::unique_ptr<std::remove_pointer_t<HFONT>, decltype(&DeleteObject)>;

  Ligacoes ligacoes_;
  LoginCore nucleo_;
  Fonte fonte_{nullptr, &DeleteObject};
  Fonte fonteOpcoes_{nullptr, &DeleteObject};
  HWND hwnd_ = nullptr;
  HWND image1_ = nullptr;
  HWND edit1_ = nullptr;
  HWND edit2_ = nullptr;
  HWND button1_ = nullptr;
  HWND radioGroup1_ = nullptr;
  HWND radios_[2] = {};
  HWND checkBox1_ = nullptr;
  HWND checkBox2_ = nullptr;
};

}  // namespace orvanta
