// Following redirects: resolution of Location values, the counter and its limit, reconnection
// and what the caller's destination and handlers see.
#include <gtest/gtest.h>

#include "conexoes_memoria.h"
#include "notificacoes.h"
#include "service/cliente_http.h"
#include "service/erro_http.h"
#include "service/redirecionamento.h"

namespace orvanta {
namespace {

using teste::ConexoesMemoria;
using teste::FluxoMemoria;
using teste::Notificacoes;

std::string redireciona(const std::string& local, const std::string& corpo = "") {
  return "HTTP/1.1 302 Found\r\nLocation: " + local +
         "\r\nContent-Length: " + std::to_string(corpo.size()) + "\r\n\r\n" + corpo;
}

std::string ok(const std::string& corpo) {
  return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(corpo.size()) + "\r\n\r\n" + corpo;
}

TEST(ResolverLocalizacao, RelativasEAbsolutas) {
  struct Caso {
    std::string local, esperado;
  } casos[] = {
      {"d.html", "http://h:52/a/b/d.html"},      {"../e", "http://h:52/a/e"},
      {"../../../f", "http://h:52/f"},           {"./g/", "http://h:52/a/b/g/"},
      {"/raiz?q=1", "http://h:52/raiz?q=1"},     {"x//y///z", "http://h:52/a/b/x/y/z"},
      {"//outro:8080/p", "http://outro:8080/p"}, {"//outro/p", "http://outro:80/p"},
      {"http://c:9/k#frag", "http://c:9/k"},     {"..", "http://h:52/a/"},
  };
  UrlHttp atual = dividirUrl("http://h:52/a/b/c.html?x=1");
  for (const auto& c : casos) {
    EXPECT_EQ(resolverLocalizacao(atual, c.local).textoCompleto(), c.esperado) << c.local;
  }
}

TEST(Redirecionamento, CadeiaRelativaSegueNaSessao) {
  ConexoesMemoria conexoes{{redireciona("../b/c", "corpo"), redireciona("//127.0.0.9:81/x"),
                            redireciona("/y/z"), ok("fim")}};
  ClienteHttp cliente(ConfiguracaoHttp::sessao(), relogioSistema(), conexoes.abrir());
  Notificacoes n;
  n.ligar(cliente);
  EXPECT_EQ(cliente.Get("http://h:52/a/d/e"), "fim");
  EXPECT_EQ(conexoes.destinos,
            (std::vector<std::string>{"h:52", "h:52", "127.0.0.9:81", "127.0.0.9:81"}));
  EXPECT_EQ(conexoes.enviados.at(1).substr(0, 21), "GET /a/b/c HTTP/1.1\r\n");
  EXPECT_EQ(conexoes.enviados.at(3).substr(0, 21), "GET /y/z HTTP/1.1\r\nHo");
  EXPECT_EQ(cliente.urlAtual().textoCompleto(), "http://127.0.0.9:81/y/z");
  // The discarded body of the first redirect keeps its notifications.
  EXPECT_EQ(n.eventos, (std::vector<std::string>{"B5", "W5", "E", "B3", "W3", "E"}));
}

TEST(Redirecionamento, QuatorzeSeguidosODecimoQuintoTerminaVazio) {
  for (int redirecionamentos : {14, 15}) {
    std::vector<std::string> respostas;
    for (int i = 0; i < redirecionamentos; ++i)
      respostas.push_back(redireciona("r" + std::to_string(i)));
    respostas.push_back(ok("alcancado"));
    ConexoesMemoria conexoes{respostas};
    ClienteHttp cliente(ConfiguracaoHttp::sessao(), relogioSistema(), conexoes.abrir());
    std::string texto = cliente.Get("http://h/inicio");
    if (redirecionamentos == 14) {
      EXPECT_EQ(texto, "alcancado");
      EXPECT_EQ(conexoes.destinos.size(), 15u);
    } else {
      EXPECT_EQ(texto, "");
      EXPECT_EQ(conexoes.destinos.size(), 15u);
      EXPECT_EQ(cliente.ResponseCode(), 302);
    }
  }
}

TEST(Redirecionamento, FluxoVoltaAoInicioERecebeSoOCorpoFinal) {
  ConexoesMemoria conexoes{{redireciona("b", "ignorado"), ok("final")}};
  ClienteHttp cliente(ConfiguracaoHttp::sessao(), relogioSistema(), conexoes.abrir());
  FluxoMemoria fluxo;
  fluxo.write("cab:", 4);
  cliente.Get("http://h/a", fluxo);
  EXPECT_EQ(fluxo.dados, "cab:final");
}

TEST(Redirecionamento, FalhasNoRedirecionamento) {
  struct Caso {
    ConfiguracaoHttp config;
    std::string resposta, mensagem;
  } casos[] = {
      {ConfiguracaoHttp::login(), redireciona("/b"), "HTTP/1.1 302 Found"},
      {ConfiguracaoHttp::sessao(), redireciona("https://h/b"), "IOHandler value is not valid"},
      {ConfiguracaoHttp::sessao(), "HTTP/1.1 301 Moved\r\nContent-Length: 0\r\n\r\n",
       "HTTP/1.1 301 Moved"},
  };
  for (const auto& c : casos) {
    ConexoesMemoria conexoes{{c.resposta}};
    ClienteHttp cliente(c.config, relogioSistema(), conexoes.abrir());
    try {
      cliente.Get("http://h/a");
      ADD_FAILURE() << c.mensagem;
    } catch (const ErroHttp& e) {
      EXPECT_EQ(std::string(e.what()), c.mensagem);
    }
    EXPECT_EQ(conexoes.destinos.size(), 1u);
  }
}

TEST(Redirecionamento, LocationSobreviveATrailersDoCorpoChunked) {
  std::string trailers;
  for (int i = 0; i < 64; ++i) trailers += "T" + std::to_string(i) + ": v\r\n";
  ConexoesMemoria conexoes{
      {"HTTP/1.1 302 Found\r\nLocation: /destino\r\nTransfer-Encoding: chunked"
       "\r\n\r\n1\r\nx\r\n0\r\n" +
           trailers + "\r\n",
       ok("chegou")}};
  ClienteHttp cliente(ConfiguracaoHttp::sessao(), relogioSistema(), conexoes.abrir());
  EXPECT_EQ(cliente.Get("http://h/a"), "chegou");
  EXPECT_EQ(conexoes.enviados.at(1).substr(0, 23), "GET /destino HTTP/1.1\r\n");
}

}  // namespace
}  // namespace orvanta
