// The login window's behaviour without the window: version check, option warnings and the
// login itself. TFrmLogin forwards its events here.
#pragma once

#include <functional>
#include <string>

#include "base/user_messages.h"
#include "service/endpoints.h"
#include "service/transferencia_http.h"
#include "session/controle_remoto.h"

namespace orvanta {

// The window's fields at the moment of the login.
struct CamposLogin {
  std::string usuario;  // Edit1
  std::string senha;    // Edit2
  bool seletorSiteVisivel = false;
  int indiceSite = 0;
  bool rotaAlternativa = false;  // CheckBox2
};

enum class ResultadoLogin { sessaoEntregue, usuarioNaoEncontrado, falha };

class LoginCore {
 public:
  explicit LoginCore(UserMessages& mensagens, Endpoints endpoints = Endpoints());

  // Window shown: the version check.
  void FormShow(TransferenciaHttp& http, const std::function<void()>& executarAtualizacao);
  // Any failure is swallowed: an unreachable version service must not keep anyone out.
  void VerificarVersao(TransferenciaHttp& http, const std::function<void()>& executarAtualizacao);

  void CheckBox1Click(bool marcado);
  void CheckBox2Click(bool marcado);

  // Applies the session settings to the control and calls passarSessao to hand the main
  // window over; a throw from either shows the connection-failure message.
  ResultadoLogin Login(TransferenciaHttp& http, const CamposLogin& campos, ControleRemoto& controle,
                       const std::function<void()>& passarSessao);

 private:
  void aplicarSessao(const CamposLogin& campos, ControleRemoto& controle,
                     const std::string& servidor, const std::string& textoPorta);

  UserMessages& mensagens_;
  Endpoints endpoints_;
};

}  // namespace orvanta
