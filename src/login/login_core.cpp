#include "login/login_core.h"

#include "login/mensagens_login.h"
#include "login/parametros_sessao.h"
#include "login/remover_numeros.h"
#include "login/resposta_login.h"
#include "login/seletor_site.h"
#include "login/versao.h"

namespace orvanta {

LoginCore::LoginCore(UserMessages& mensagens, Endpoints endpoints)
    : mensagens_(mensagens), endpoints_(std::move(endpoints)) {}

void LoginCore::FormShow(TransferenciaHttp& http,
                         const std::function<void()>& executarAtualizacao) {
  VerificarVersao(http, executarAtualizacao);
}

void LoginCore::VerificarVersao(TransferenciaHttp& http,
                                const std::function<void()>& executarAtualizacao) {
  try {
    if (VersaoPublicadaDiferente(http.Get(endpoints_.versao()))) {
      mensagens_.showMessage(mensagens_login::NovaVersao);
      executarAtualizacao();
    }
  } catch (...) {
  }
}

void LoginCore::CheckBox1Click(bool marcado) {
  if (marcado) {
    mensagens_.showMessage(mensagens_login::ImpressorasDiretas);
  }
}

void LoginCore::CheckBox2Click(bool marcado) {
  if (marcado) {
    mensagens_.showMessage(mensagens_login::RotaAlternativa);
  }
}

ResultadoLogin LoginCore::Login(TransferenciaHttp& http, const CamposLogin& campos,
                                ControleRemoto& controle,
                                const std::function<void()>& passarSessao) {
  try {
    std::string chave = RemoverNumeros(campos.usuario);
    if (campos.seletorSiteVisivel && campos.indiceSite == IndiceSiteComSufixo) {
      chave += SufixoSite;
    }
    const RespostaLogin resposta =
        DividirResposta(http.Get(endpoints_.login(campos.rotaAlternativa, chave)));
    if (!resposta.contaEncontrada()) {
      mensagens_.showMessage(mensagens_login::UsuarioNaoEncontrado);
      return ResultadoLogin::usuarioNaoEncontrado;
    }
    aplicarSessao(campos, controle, resposta.servidor, resposta.textoPorta);
    passarSessao();
    return ResultadoLogin::sessaoEntregue;
  } catch (...) {
    mensagens_.showMessage(mensagens_login::FalhaConexao);
    return ResultadoLogin::falha;
  }
}

void LoginCore::aplicarSessao(const CamposLogin& campos, ControleRemoto& controle,
                              const std::string& servidor, const std::string& textoPorta) {
  ParametrosSessao parametros;
  parametros.servidor = servidor;
  parametros.usuario = campos.usuario;
  parametros.senha = campos.senha;
  controle.setUserName(parametros.usuario);
  controle.setClearTextPassword(parametros.senha);
  controle.setDesktopWidth(parametros.larguraDesktop);
  controle.setDesktopHeight(parametros.alturaDesktop);
  controle.setServer(parametros.servidor);
  // Converted only now: a bad port leaves the earlier writes in place, as the control saw them.
  parametros.porta = ConverterPorta(textoPorta);
  controle.setRdpPort(parametros.porta);
}

}  // namespace orvanta
