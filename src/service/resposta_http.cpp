#include "service/resposta_http.h"

#include <charconv>

#include "service/erro_http.h"
#include "service/texto_ascii.h"

namespace orvanta {
namespace {

int codigoStatus(std::string_view linha) {
  size_t a = linha.find(' ');
  if (a == std::string_view::npos) return -1;
  while (a < linha.size() && linha[a] == ' ') ++a;
  size_t b = linha.find(' ', a);
  std::string_view token = linha.substr(a, b == std::string_view::npos ? linha.npos : b - a);
  int codigo = 0;
  auto [fim, erro] = std::from_chars(token.data(), token.data() + token.size(), codigo);
  if (erro != std::errc{} || fim != token.data() + token.size() || token.empty()) return -1;
  return codigo;
}

}  // namespace

std::optional<std::string_view> RespostaHttp::valor(std::string_view nome) const {
  for (const auto& [n, v] : cabecalhos) {
    if (iguaisSemCaixa(n, nome)) return std::string_view(v);
  }
  return std::nullopt;
}

std::vector<std::string_view> RespostaHttp::todos(std::string_view nome) const {
  std::vector<std::string_view> r;
  for (const auto& [n, v] : cabecalhos) {
    if (iguaisSemCaixa(n, nome)) r.emplace_back(v);
  }
  return r;
}

int64_t RespostaHttp::tamanhoConteudo() const {
  auto v = valor("Content-Length");
  if (!v || v->empty()) return -1;
  int64_t n = -1;
  auto [fim, erro] = std::from_chars(v->data(), v->data() + v->size(), n);
  if (erro != std::errc{} || fim != v->data() + v->size() || n < 0) return -1;
  return n;
}

bool RespostaHttp::chunked() const {
  auto v = valor("Transfer-Encoding");
  return v && minusculas(*v).find("chunked") != std::string::npos;
}

bool RespostaHttp::permiteReuso() const {
  for (std::string_view nome : {"Connection", "Proxy-Connection"}) {
    auto v = valor(nome);
    if (v && iguaisSemCaixa(aparar(*v), "close")) return false;
  }
  return true;
}

void lerCabecalhos(LeitorResposta& leitor, RespostaHttp& resposta) {
  size_t total = 0;
  for (;;) {
    auto linha = leitor.lerLinha();
    if (!linha || linha->empty()) return;
    total += linha->size() + 2;
    if (total > kMaxBlocoCabecalhos) {
      throw ErroHttp(TipoErroHttp::outro, "Header block too large.");
    }
    char primeiro = linha->front();
    if ((primeiro == ' ' || primeiro == '\t') && !resposta.cabecalhos.empty()) {
      std::string& v = resposta.cabecalhos.back().second;
      std::string_view cont = aparar(*linha);
      if (!v.empty() && !cont.empty()) v += ' ';
      v += cont;
      continue;
    }
    size_t dp = linha->find(':');
    if (dp == std::string::npos) {
      resposta.cabecalhos.emplace_back(std::string(aparar(*linha)), std::string());
    } else {
      std::string_view l = *linha;
      resposta.cabecalhos.emplace_back(std::string(aparar(l.substr(0, dp))),
                                       std::string(aparar(l.substr(dp + 1))));
    }
    if (leitor.fechado() && !leitor.temPendentes()) return;
  }
}

RespostaHttp lerResposta(LeitorResposta& leitor,
                         const std::function<void(const RespostaHttp&)>& aoLer) {
  for (;;) {
    auto linha = leitor.lerLinha();
    if (!linha) throw ErroHttp(TipoErroHttp::fechada, "Connection Closed Gracefully.");
    RespostaHttp r;
    r.linhaStatus = *linha;
    r.codigo = codigoStatus(*linha);
    lerCabecalhos(leitor, r);
    if (aoLer) aoLer(r);
    if (r.codigo != 100) return r;
  }
}

}  // namespace orvanta
