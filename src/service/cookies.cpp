#include "service/cookies.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <limits>

#include "service/data_cookie.h"
#include "service/texto_ascii.h"

namespace orvanta {
namespace {

constexpr int64_t kNuncaExpira = std::numeric_limits<int64_t>::max();

bool enderecoIp(std::string_view host) {
  return !host.empty() && std::all_of(host.begin(), host.end(),
                                      [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
}

std::string_view semAspas(std::string_view v) {
  if (v.size() >= 2 && v.front() == '"' && v.back() == '"') return v.substr(1, v.size() - 2);
  return v;
}

std::string caminhoPadrao(std::string_view caminhoRequisicao) {
  size_t ultima = caminhoRequisicao.rfind('/');
  if (ultima == std::string_view::npos || ultima == 0) return "/";
  return std::string(caminhoRequisicao.substr(0, ultima));
}

std::optional<int64_t> lerMaxAge(std::string_view v) {
  if (v.empty()) return std::nullopt;
  bool negativo = v.front() == '-';
  std::string_view digitos = negativo ? v.substr(1) : v;
  if (digitos.empty()) return std::nullopt;
  int64_t n = 0;
  auto [fim, erro] = std::from_chars(digitos.data(), digitos.data() + digitos.size(), n);
  if (fim != digitos.data() + digitos.size()) return std::nullopt;
  if (erro == std::errc::result_out_of_range)
    n = std::numeric_limits<int64_t>::max() / 2;
  else if (erro != std::errc{})
    return std::nullopt;
  return negativo ? -n : n;
}

}  // namespace

Relogio relogioSistema() {
  return [] {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
  };
}

bool dominioCasa(std::string_view host, std::string_view dominio) {
  if (iguaisSemCaixa(host, dominio)) return true;
  if (enderecoIp(host) || host.size() <= dominio.size()) return false;
  return host[host.size() - dominio.size() - 1] == '.' &&
         iguaisSemCaixa(host.substr(host.size() - dominio.size()), dominio);
}

bool caminhoCasa(std::string_view caminhoRequisicao, std::string_view caminhoCookie) {
  if (iguaisSemCaixa(caminhoRequisicao, caminhoCookie)) return true;
  if (!comecaSemCaixa(caminhoRequisicao, caminhoCookie)) return false;
  return caminhoCookie.ends_with('/') || caminhoRequisicao[caminhoCookie.size()] == '/';
}

std::optional<Cookie> interpretarSetCookie(std::string_view cabecalho, std::string_view host,
                                           std::string_view caminhoRequisicao, int64_t agora) {
  size_t pv = cabecalho.find(';');
  std::string_view par = cabecalho.substr(0, pv);
  size_t igual = par.find('=');
  if (igual == std::string_view::npos) return std::nullopt;
  Cookie c;
  c.nome = std::string(semAspas(aparar(par.substr(0, igual))));
  c.valor = std::string(semAspas(aparar(par.substr(igual + 1))));
  if (c.nome.empty()) return std::nullopt;

  std::optional<int64_t> expires, maxAge;
  std::optional<std::string> dominio, caminho;
  std::string_view resto = pv == std::string_view::npos ? "" : cabecalho.substr(pv + 1);
  while (!resto.empty()) {
    size_t fim = resto.find(';');
    std::string_view atributo = resto.substr(0, fim);
    resto = fim == std::string_view::npos ? "" : resto.substr(fim + 1);
    size_t eq = atributo.find('=');
    std::string_view nome = aparar(atributo.substr(0, eq));
    std::string_view valor = eq == std::string_view::npos ? "" : aparar(atributo.substr(eq + 1));
    if (iguaisSemCaixa(nome, "expires")) {
      if (auto d = lerDataCookie(valor)) expires = d;
    } else if (iguaisSemCaixa(nome, "max-age")) {
      if (auto m = lerMaxAge(valor)) maxAge = m;
    } else if (iguaisSemCaixa(nome, "domain")) {
      dominio = std::string(valor.starts_with('.') ? valor.substr(1) : valor);
    } else if (iguaisSemCaixa(nome, "path")) {
      caminho = std::string(valor);
    } else if (iguaisSemCaixa(nome, "secure")) {
      c.seguro = true;
    } else if (iguaisSemCaixa(nome, "httponly")) {
      c.somenteHttp = true;
    }
  }
  if (maxAge) {
    c.persistente = true;
    if (*maxAge <= 0) {
      c.expira = std::numeric_limits<int64_t>::min();
    } else {
      c.expira = *maxAge > kNuncaExpira - agora ? kNuncaExpira : agora + *maxAge;
    }
  } else if (expires) {
    c.persistente = true;
    c.expira = *expires;
  } else {
    c.expira = kNuncaExpira;
  }
  if (dominio && !dominio->empty()) {
    c.dominio = minusculas(*dominio);
    if (!dominioCasa(host, c.dominio)) return std::nullopt;
    c.somenteHost = false;
  } else {
    c.dominio = minusculas(host);
    c.somenteHost = true;
  }
  c.caminho = caminho && caminho->starts_with('/') ? *caminho : caminhoPadrao(caminhoRequisicao);
  c.criado = c.ultimoAcesso = agora;
  return c;
}

void ArmazemCookies::descartarExpirados(int64_t agora) {
  std::erase_if(cookies_, [agora](const Cookie& c) { return c.expira <= agora; });
}

void ArmazemCookies::receber(std::string_view setCookie, std::string_view host,
                             std::string_view caminho) {
  int64_t agora = relogio_();
  auto novo = interpretarSetCookie(setCookie, host, caminho, agora);
  if (!novo) return;
  novo->ordem = proximaOrdem_++;
  auto antigo = std::find_if(cookies_.begin(), cookies_.end(), [&](const Cookie& c) {
    return iguaisSemCaixa(c.nome, novo->nome) && iguaisSemCaixa(c.dominio, novo->dominio) &&
           iguaisSemCaixa(c.caminho, novo->caminho);
  });
  if (antigo != cookies_.end()) {
    novo->criado = antigo->criado;
    novo->ordem = antigo->ordem;
    cookies_.erase(antigo);
  }
  if (novo->expira <= agora) return;
  if (cookies_.size() >= kMaxCookies) {
    auto menosUsado =
        std::min_element(cookies_.begin(), cookies_.end(), [](const Cookie& a, const Cookie& b) {
          return a.ultimoAcesso != b.ultimoAcesso ? a.ultimoAcesso < b.ultimoAcesso
                                                  : a.ordem < b.ordem;
        });
    cookies_.erase(menosUsado);
  }
  cookies_.push_back(std::move(*novo));
}

std::string ArmazemCookies::cabecalhoPara(std::string_view host, std::string_view caminho) {
  int64_t agora = relogio_();
  descartarExpirados(agora);
  std::vector<Cookie*> enviados;
  for (Cookie& c : cookies_) {
    bool hostCasa = c.somenteHost ? iguaisSemCaixa(host, c.dominio) : dominioCasa(host, c.dominio);
    if (hostCasa && caminhoCasa(caminho, c.caminho) && !c.seguro) enviados.push_back(&c);
  }
  std::stable_sort(enviados.begin(), enviados.end(), [](const Cookie* a, const Cookie* b) {
    if (a->caminho.size() != b->caminho.size()) return a->caminho.size() > b->caminho.size();
    if (a->criado != b->criado) return a->criado < b->criado;
    return a->ordem < b->ordem;
  });
  std::string cabecalho;
  for (Cookie* c : enviados) {
    if (!cabecalho.empty()) cabecalho += "; ";
    cabecalho += c->nome + "=" + c->valor;
    c->ultimoAcesso = agora;
  }
  return cabecalho;
}

}  // namespace orvanta
