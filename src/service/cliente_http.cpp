#include "service/cliente_http.h"

#include <charconv>
#include <optional>

#include "service/corpo_resposta.h"
#include "service/decodificacao_texto.h"
#include "service/erro_http.h"
#include "service/escritor_requisicao.h"
#include "service/redirecionamento.h"
#include "service/socket_tcp.h"
#include "service/texto_ascii.h"

namespace orvanta {

// Where the final body of a call goes.
class ClienteHttp::Destino : public DestinoCorpo {
 public:
  // The body's expected length is known (0 when it is not).
  virtual void preparar(int64_t) {}
  // A redirect is followed: back to where the call began.
  virtual void reiniciar() {}
  virtual void concluir() {}
};

namespace {

// An error page is kept only this far for its text; the rest is read and dropped.
constexpr size_t kMaxTextoErro = 1024 * 1024;

class DestinoTexto : public ClienteHttp::Destino {
 public:
  void receber(const char* dados, size_t n) override { bytes.append(dados, n); }
  void reiniciar() override { bytes.clear(); }
  std::string bytes;
};

class DestinoFluxo : public ClienteHttp::Destino {
 public:
  explicit DestinoFluxo(ByteStream& fluxo) : fluxo_(fluxo), inicio_(fluxo.position()) {}
  void preparar(int64_t esperado) override {
    if (esperado > 0 && fluxo_.size() < inicio_ + esperado) fluxo_.setSize(inicio_ + esperado);
    escreveu_ = true;
  }
  void receber(const char* dados, size_t n) override { fluxo_.write(dados, n); }
  void reiniciar() override { fluxo_.setPosition(inicio_); }
  void concluir() override {
    if (escreveu_) fluxo_.setSize(fluxo_.position());
  }

 private:
  ByteStream& fluxo_;
  int64_t inicio_;
  bool escreveu_ = false;
};

// Sends one body's notifications to the handlers, with the client as sender.
class Acompanhamento : public AcompanhamentoCorpo {
 public:
  Acompanhamento(TransferenciaHttp& cliente, ClienteHttp::Destino* final)
      : cliente_(cliente), final_(final) {}
  void inicio(int64_t esperado) override {
    if (final_) final_->preparar(esperado);
    if (cliente_.OnWorkBegin) cliente_.OnWorkBegin(cliente_, TWorkMode::wmRead, esperado);
  }
  void progresso(int64_t total) override {
    if (cliente_.OnWork) cliente_.OnWork(cliente_, TWorkMode::wmRead, total);
  }
  void fim() override {
    if (cliente_.OnWorkEnd) cliente_.OnWorkEnd(cliente_, TWorkMode::wmRead);
  }

 private:
  TransferenciaHttp& cliente_;
  ClienteHttp::Destino* final_;
};

int lerPorta(std::string_view texto) {
  int porta = 0;
  auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), porta);
  if (erro != std::errc{} || fim != texto.data() + texto.size() || porta <= 0 || porta > 65535) {
    throw ErroHttp(TipoErroHttp::outro, "Invalid port number.");
  }
  return porta;
}

bool redirecionamento(int codigo) {
  return codigo >= 300 && codigo < 400 && codigo != 304;
}

void validarProtocolo(const UrlHttp& url) {
  if (url.protocolo == "https") throw ErroHttp(TipoErroHttp::outro, "IOHandler value is not valid");
  if (url.protocolo != "http" && url.porta.empty()) {
    throw ErroHttp(TipoErroHttp::outro, "Unknown Protocol");
  }
}

}  // namespace

ClienteHttp::AbrirCanal ClienteHttp::socketTcp() {
  return [](const std::string& host, int porta) -> std::unique_ptr<Canal> {
    return std::make_unique<SocketTcp>(host, porta);
  };
}

ClienteHttp::ClienteHttp(ConfiguracaoHttp configuracao, Relogio relogio, AbrirCanal abrir)
    : configuracao_(std::move(configuracao)),
      abrir_(std::move(abrir)),
      cookies_(std::move(relogio)) {}

ClienteHttp::~ClienteHttp() = default;

std::string ClienteHttp::Get(std::string_view aUrl) {
  DestinoTexto destino;
  if (!executar(aUrl, destino)) return {};
  return decodificarTexto(destino.bytes, resposta_.valor("Content-Type").value_or(""));
}

void ClienteHttp::Get(std::string_view aUrl, ByteStream& aResponseContent) {
  DestinoFluxo destino(aResponseContent);
  executar(aUrl, destino);
}

UrlHttp ClienteHttp::prepararUrl(std::string_view aUrl) const {
  UrlHttp url = dividirUrl(aUrl);
  validarProtocolo(url);
  return url;
}

void ClienteHttp::fecharConexao() {
  leitor_.reset();
  canal_.reset();
}

void ClienteHttp::conectar(const UrlHttp& url) {
  int porta = lerPorta(url.porta);
  if (canal_ && (!iguaisSemCaixa(hostConectado_, url.host) || portaConectada_ != porta ||
                 leitor_->temPendentes() || !canal_->ocioso())) {
    fecharConexao();
  }
  if (canal_) return;
  canal_ = abrir_(url.host, porta);
  leitor_ = std::make_unique<LeitorResposta>(*canal_);
  hostConectado_ = url.host;
  portaConectada_ = porta;
}

void ClienteHttp::guardarCookies(const RespostaHttp& resposta, const UrlHttp& url) {
  if (!configuracao_.allowCookies) return;
  for (std::string_view valor : resposta.todos("Set-Cookie")) {
    cookies_.receber(valor, url.host, url.caminho);
  }
}

void ClienteHttp::lerCorpoPara(DestinoCorpo& destino, Destino* final) {
  Acompanhamento acompanhamento(*this, final);
  lerCorpo(*leitor_, resposta_, enquadramento(resposta_, *leitor_), destino, acompanhamento);
}

void ClienteHttp::falharStatus() {
  DestinoMemoria pagina(kMaxTextoErro);
  lerCorpoPara(pagina, nullptr);
  std::string texto =
      decodificarTexto(pagina.bytes(), resposta_.valor("Content-Type").value_or(""));
  throw ErroHttp(TipoErroHttp::protocolo, resposta_.linhaStatus, resposta_.codigo,
                 std::move(texto));
}

bool ClienteHttp::executar(std::string_view aUrl, Destino& destino) {
  UrlHttp url = prepararUrl(aUrl);
  int redirecionamentos = 0;
  for (;;) {
    conectar(url);
    bool completa = false;
    try {
      CabecalhosRequisicao cabecalhos{configuracao_.accept, configuracao_.userAgent, {}};
      if (configuracao_.allowCookies)
        cabecalhos.cookie = cookies_.cabecalhoPara(url.host, url.caminho);
      canal_->escrever(montarRequisicao(url, cabecalhos));
      url_ = url;
      resposta_ = lerResposta(*leitor_, [&](const RespostaHttp& r) { guardarCookies(r, url); });
      int codigo = resposta_.codigo;
      // A copy: trailers of a chunked body may still add headers.
      std::optional<std::string> local;
      if (auto valor = resposta_.valor("Location")) local = std::string(*valor);
      bool seguir = configuracao_.handleRedirects && redirecionamento(codigo) && local;
      if (codigo >= 200 && codigo < 300) {
        lerCorpoPara(destino, &destino);
        completa = true;
        destino.concluir();
      } else if (seguir) {
        DestinoMemoria descartado(0);
        lerCorpoPara(descartado, nullptr);
        completa = true;
      } else {
        try {
          falharStatus();
        } catch (const ErroHttp& e) {
          completa = e.tipo() == TipoErroHttp::protocolo;
          throw;
        }
      }
      if (!resposta_.permiteReuso() || leitor_->fechado()) fecharConexao();
      if (!seguir) return true;
      destino.reiniciar();
      if (++redirecionamentos >= configuracao_.redirectMaximum) return false;
      url = resolverLocalizacao(url, *local);
      validarProtocolo(url);
    } catch (...) {
      if (!completa || !canal_ || !resposta_.permiteReuso() || leitor_->fechado()) fecharConexao();
      throw;
    }
  }
}

}  // namespace orvanta
