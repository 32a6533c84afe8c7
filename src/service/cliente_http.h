// The blocking HTTP/1.1 GET client every window talks to the service through.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "service/canal.h"
#include "service/configuracao_http.h"
#include "service/cookies.h"
#include "service/leitor_resposta.h"
#include "service/resposta_http.h"
#include "service/transferencia_http.h"
#include "service/url_http.h"

namespace orvanta {

class DestinoCorpo;

class ClienteHttp : public TransferenciaHttp {
 public:
  // Opens a connection to host:port; tests and fuzzers substitute their own channel.
  using AbrirCanal = std::function<std::unique_ptr<Canal>(const std::string& host, int porta)>;
  static AbrirCanal socketTcp();

  explicit ClienteHttp(ConfiguracaoHttp configuracao, Relogio relogio = relogioSistema(),
                       AbrirCanal abrir = socketTcp());
  ~ClienteHttp() override;

  std::string Get(std::string_view aUrl) override;
  void Get(std::string_view aUrl, ByteStream& aResponseContent) override;

  const ConfiguracaoHttp& configuracao() const { return configuracao_; }
  int ResponseCode() const { return resposta_.codigo; }
  const std::string& ResponseText() const { return resposta_.linhaStatus; }
  const RespostaHttp& resposta() const { return resposta_; }
  const UrlHttp& urlAtual() const { return url_; }
  const ArmazemCookies& cookies() const { return cookies_; }
  bool conectado() const { return canal_ != nullptr; }

 public:
  class Destino;

 private:
  // Runs one call; false when the redirect limit ended it with an empty result.
  bool executar(std::string_view aUrl, Destino& destino);
  UrlHttp prepararUrl(std::string_view aUrl) const;
  void conectar(const UrlHttp& url);
  void fecharConexao();
  void guardarCookies(const RespostaHttp& resposta, const UrlHttp& url);
  void lerCorpoPara(DestinoCorpo& destino, Destino* final);
  [[noreturn]] void falharStatus();

  ConfiguracaoHttp configuracao_;
  AbrirCanal abrir_;
  ArmazemCookies cookies_;
  std::unique_ptr<Canal> canal_;
  std::unique_ptr<LeitorResposta> leitor_;
  std::string hostConectado_;
  int portaConectada_ = 0;
  UrlHttp url_;
  RespostaHttp resposta_;
};

}  // namespace orvanta
