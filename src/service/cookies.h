// An instance's cookie store: Set-Cookie parsing, matching and the Cookie header.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

// Seconds since 1970-01-01 UTC; tests supply their own clock.
using Relogio = std::function<int64_t()>;
Relogio relogioSistema();

struct Cookie {
  std::string nome, valor;
  std::string dominio;  // lower case
  bool somenteHost = true;
  std::string caminho;
  int64_t expira = 0;
  bool persistente = false;
  bool seguro = false, somenteHttp = false;
  int64_t criado = 0, ultimoAcesso = 0;
  uint64_t ordem = 0;  // breaks ties between cookies created in the same second
};

// A Set-Cookie value parsed for a request to `host` with request directory `caminhoRequisicao`.
// Nothing when the header is ignored or the domain does not match the host.
std::optional<Cookie> interpretarSetCookie(std::string_view cabecalho, std::string_view host,
                                           std::string_view caminhoRequisicao, int64_t agora);

bool dominioCasa(std::string_view host, std::string_view dominio);
bool caminhoCasa(std::string_view caminhoRequisicao, std::string_view caminhoCookie);

class ArmazemCookies {
 public:
  static constexpr size_t kMaxCookies = 1000;

  explicit ArmazemCookies(Relogio relogio = relogioSistema()) : relogio_(std::move(relogio)) {}

  void receber(std::string_view setCookie, std::string_view host, std::string_view caminho);
  // The Cookie header value for a request, empty when nothing matches.
  std::string cabecalhoPara(std::string_view host, std::string_view caminho);
  const std::vector<Cookie>& cookies() const { return cookies_; }

 private:
  void descartarExpirados(int64_t agora);

  Relogio relogio_;
  std::vector<Cookie> cookies_;
  uint64_t proximaOrdem_ = 0;
};

}  // namespace orvanta
