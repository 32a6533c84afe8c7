// ClienteHttp over memory channels: request bytes, status handling, body framing read in
// pieces of several sizes, notifications, text decoding and failures.
#include <gtest/gtest.h>

#include "conexoes_memoria.h"
#include "notificacoes.h"
#include "service/cliente_http.h"
#include "service/erro_http.h"

namespace orvanta {
namespace {

using teste::ConexoesMemoria;
using teste::FluxoMemoria;
using teste::Notificacoes;

const std::string kCabecalhoFixo =
    "Accept: text/html, */*\r\nAccept-Encoding: identity\r\n"
    "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n\r\n";

std::string ok(const std::string& corpo) {
  return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(corpo.size()) + "\r\n\r\n" + corpo;
}

ErroHttp capturar(const std::function<void()>& f) {
  try {
    f();
  } catch (const ErroHttp& e) {
    return e;
  }
  ADD_FAILURE() << "no ErroHttp";
  return ErroHttp(TipoErroHttp::outro, "");
}

TEST(ClienteHttpRequisicao, BytesDaRequisicaoPorUrl) {
  struct Caso {
    std::string url, linha, host;
  } casos[] = {
      {"http://h:52/a b/c.pdf", "GET /a%20b/c.pdf HTTP/1.1", "Host: h:52"},
      {"http://h/x", "GET /x HTTP/1.1", "Host: h"},
      {"http://h", "GET / HTTP/1.1", "Host: h"},
      {"http://h:80/d/", "GET /d/ HTTP/1.1", "Host: h"},
      {"http://h/a\\b\\c?x=\\1#f", "GET /a/b/c?x=\\1#f HTTP/1.1", "Host: h"},
      {"http://h/doc.html#parte", "GET /doc.html HTTP/1.1", "Host: h"},
      {"http://h/login?conta=jo%C3%A3o&n=1", "GET /login?conta=jo%C3%A3o&n=1 HTTP/1.1", "Host: h"},
      {"http://h/login?conta=jo\xC3\xA3o", "GET /login?conta=jo%C3%A3o HTTP/1.1", "Host: h"},
      {"http://h/a\r\nX: y", "GET /a%0D%0AX:%20y HTTP/1.1", "Host: h"},
      {"http://h/t\tb\x7F", "GET /t%09b%7F HTTP/1.1", "Host: h"},
  };
  for (const auto& c : casos) {
    ConexoesMemoria conexoes{{ok("")}};
    ClienteHttp cliente(ConfiguracaoHttp::login(), relogioSistema(), conexoes.abrir());
    cliente.Get(c.url);
    EXPECT_EQ(conexoes.enviados.at(0), c.linha + "\r\n" + c.host + "\r\n" + kCabecalhoFixo)
        << c.url;
  }
}

TEST(ClienteHttpRequisicao, CabecalhosDaInstanciaELinhasLongasDobradas) {
  ConfiguracaoHttp config = ConfiguracaoHttp::atualizacao();
  std::string longo;
  while (longo.size() < 2500) longo += "Mozilla/3.0 (compatible) ";
  longo.pop_back();
  config.userAgent = longo;
  ConexoesMemoria conexoes{{ok("")}};
  ClienteHttp cliente(config, relogioSistema(), conexoes.abrir());
  cliente.Get("http://h:8052/x");
  const std::string& r = conexoes.enviados.at(0);
  EXPECT_NE(r.find("Accept: text/html, */*,*.exe\r\n"), std::string::npos);
  size_t ua = r.find("User-Agent: ");
  size_t fim = r.find("\r\n\r\n");
  ASSERT_NE(ua, std::string::npos);
  std::string bloco = r.substr(ua, fim - ua);
  size_t linhas = 0;
  for (size_t i = 0, j; i <= bloco.size(); i = j + 2, ++linhas) {
    j = std::min(bloco.find("\r\n", i), bloco.size());
    EXPECT_LE(j - i, 1024u);
    if (i > 0) {
      EXPECT_EQ(bloco[i], ' ');
    }
  }
  EXPECT_EQ(linhas, 3u);
  std::string desdobrado;
  for (size_t i = 0; i < bloco.size(); ++i) {
    if (bloco.compare(i, 3, "\r\n ") == 0) {
      ++i;
    } else {
      desdobrado += bloco[i];
    }
  }
  EXPECT_EQ(desdobrado, "User-Agent: " + longo);
  EXPECT_EQ(r.find("Connection"), std::string::npos);
}

TEST(ClienteHttpRequisicao, ConfiguracoesDasQuatroJanelas) {
  struct Caso {
    ConfiguracaoHttp config;
    std::string accept;
    bool redireciona;
  } casos[] = {{ConfiguracaoHttp::login(), "text/html, */*", false},
               {ConfiguracaoHttp::sessao(), "text/html, */*", true},
               {ConfiguracaoHttp::atualizacao(), "text/html, */*,*.exe", false},
               {ConfiguracaoHttp::instalador(), "text/html, */*,*.exe", false}};
  for (const auto& c : casos) {
    EXPECT_EQ(c.config.accept, c.accept);
    EXPECT_EQ(c.config.handleRedirects, c.redireciona);
    EXPECT_TRUE(c.config.allowCookies);
    EXPECT_EQ(c.config.userAgent, "Mozilla/3.0 (compatible; Indy Library)");
    EXPECT_EQ(c.config.redirectMaximum, 15);
  }
}

// Each framing read with the socket delivering 1, 7 or 32768 bytes at a time.
class Enquadramento : public ::testing::TestWithParam<size_t> {};

TEST_P(Enquadramento, CorposENotificacoes) {
  struct Caso {
    std::string nome, resposta, corpo;
    std::vector<std::string> eventos;  // empty: checked only for the body
  } casos[] = {
      {"tamanho", ok("hello world"), "hello world", {}},
      {"chunked",
       "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
       "5;ext=1\r\nhello\r\n6\r\n world\r\n0\r\nX-Trailer: t\r\n\r\n",
       "hello world",
       {}},
      {"ateFechar", "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\nuntil close", "until close", {}},
      {"tamanhoZero", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", "", {}},
      {"semConteudo204", "HTTP/1.1 204 No Content\r\n\r\n", "", {}},
      {"continua100", "HTTP/1.1 100 Continue\r\n\r\n" + ok("x"), "x", {}},
      {"continuacaoDeCabecalho",
       "HTTP/1.1 200 OK\r\nX-A: a\r\n  b\r\nContent-Length: 2\r\nContent-Length: 9\r\n\r\nab",
       "ab",
       {}},
  };
  for (const auto& c : casos) {
    ConexoesMemoria conexoes{{c.resposta}, GetParam()};
    ClienteHttp cliente(ConfiguracaoHttp::login(), relogioSistema(), conexoes.abrir());
    EXPECT_EQ(cliente.Get("http://h/x"), c.corpo) << c.nome;
  }
}

TEST_P(Enquadramento, NotificacoesExatas) {
  ConexoesMemoria conexoes{{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                            "3\r\nabc\r\n0\r\n\r\n"},
                           GetParam()};
  ClienteHttp cliente(ConfiguracaoHttp::atualizacao(), relogioSistema(), conexoes.abrir());
  Notificacoes n;
  n.ligar(cliente);
  FluxoMemoria fluxo;
  cliente.Get("http://h/x", fluxo);
  EXPECT_EQ(fluxo.dados, "abc");
  ASSERT_GE(n.eventos.size(), 4u);
  EXPECT_EQ(n.eventos.front(), "B0");
  EXPECT_EQ(n.eventos.back(), "E");
  // Size lines with their line ends are counted: "3\r\n" + "abc" + "0\r\n".
  EXPECT_EQ(n.eventos[n.eventos.size() - 2], "W9");
}

INSTANTIATE_TEST_SUITE_P(Pedacos, Enquadramento, ::testing::Values(1, 7, 32768));

// A body of several pieces followed by more bytes on the connection: the body ends exactly at its
// length and no piece is larger than 32768 bytes, whatever the socket hands over at once.
TEST(ClienteHttpCorpoGrande, PedacosLimitadosECorpoExato) {
  std::string corpo(3 * 32768 + 5, '\0');
  for (size_t i = 0; i < corpo.size(); ++i) corpo[i] = static_cast<char>('a' + i % 23);
  for (size_t entrega : {size_t{1}, size_t{7}, size_t{32768}, size_t{100000}}) {
    ConexoesMemoria conexoes{{ok(corpo) + ok("seguinte")}, entrega};
    ClienteHttp cliente(ConfiguracaoHttp::instalador(), relogioSistema(), conexoes.abrir());
    Notificacoes n;
    n.ligar(cliente);
    FluxoMemoria fluxo;
    cliente.Get("http://h/grande", fluxo);
    EXPECT_TRUE(fluxo.dados == corpo) << entrega;
    int64_t anterior = 0;
    for (const auto& e : n.eventos) {
      if (e[0] != 'W') continue;
      int64_t atual = std::stoll(e.substr(1));
      EXPECT_LE(atual - anterior, 32768) << entrega;
      anterior = atual;
    }
    EXPECT_EQ(anterior, static_cast<int64_t>(corpo.size())) << entrega;
  }
}

TEST(ClienteHttpNotificacoes, SequenciasExatas) {
  struct Caso {
    std::string nome, resposta;
    std::vector<std::string> eventos;
  } casos[] = {
      {"tamanho", ok("abcdef"), {"B6", "W6", "E"}},
      {"tamanhoZeroSemNenhuma", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", {}},
      {"ateFecharComecaEmZero", "HTTP/1.1 200 OK\r\n\r\nabc", {"B0", "W3", "E"}},
      {"chunked",
       "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nab\r\n0\r\n\r\n",
       {"B0", "W3", "W5", "W8", "E"}},
  };
  for (const auto& c : casos) {
    ConexoesMemoria conexoes{{c.resposta}};
    ClienteHttp cliente(ConfiguracaoHttp::atualizacao(), relogioSistema(), conexoes.abrir());
    Notificacoes n;
    n.ligar(cliente);
    cliente.Get("http://h/x");
    EXPECT_EQ(n.eventos, c.eventos) << c.nome;
  }
}

TEST(ClienteHttpNotificacoes, ErroEmDownloadNotificaENaoEscreveNoDestino) {
  std::string pagina = "<h1>nao</h1>";
  ConexoesMemoria conexoes{
      {"HTTP/1.1 404 Not Found\r\nContent-Type: text/html\r\nContent-Length: " +
       std::to_string(pagina.size()) + "\r\n\r\n" + pagina}};
  ClienteHttp cliente(ConfiguracaoHttp::instalador(), relogioSistema(), conexoes.abrir());
  Notificacoes n;
  n.ligar(cliente);
  FluxoMemoria fluxo;
  ErroHttp e = capturar([&] { cliente.Get("http://h/setup.exe", fluxo); });
  EXPECT_EQ(e.tipo(), TipoErroHttp::protocolo);
  EXPECT_EQ(std::string(e.what()), "HTTP/1.1 404 Not Found");
  EXPECT_EQ(e.codigo(), 404);
  EXPECT_EQ(e.textoErro(), pagina);
  EXPECT_EQ(n.eventos, (std::vector<std::string>{"B12", "W12", "E"}));
  EXPECT_EQ(fluxo.dados, "");
  EXPECT_EQ(fluxo.redimensionamentos, 0);
}

TEST(ClienteHttpStatus, AceitosERecusadosNasDuasInstancias) {
  struct Caso {
    std::string resposta;
    bool redireciona;
    std::optional<int> erro;  // nothing: success
    std::string mensagem;
  } casos[] = {
      {ok("a"), false, {}, ""},
      {"HTTP/1.1 201 Created\r\nContent-Length: 1\r\n\r\na", false, {}, ""},
      {"HTTP/1.1 204 No Content\r\n\r\n", false, {}, ""},
      {"HTTP/1.1 304 Not Modified\r\n\r\n", true, 304, "HTTP/1.1 304 Not Modified"},
      {"HTTP/1.1 302 Found\r\nLocation: /y\r\nContent-Length: 0\r\n\r\n", false, 302,
       "HTTP/1.1 302 Found"},
      {"HTTP/1.1 302 Found\r\nContent-Length: 0\r\n\r\n", true, 302, "HTTP/1.1 302 Found"},
      {"HTTP/1.1 401 Unauthorized\r\nContent-Length: 0\r\n\r\n", false, 401,
       "HTTP/1.1 401 Unauthorized"},
      {"HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n", true, 404, "HTTP/1.1 404 Not Found"},
      {"HTTP/1.1 500 Internal Server Error\r\nContent-Length: 0\r\n\r\n", false, 500,
       "HTTP/1.1 500 Internal Server Error"},
      {"HTTP/1.1 abc Odd\r\nContent-Length: 0\r\n\r\n", false, -1, "HTTP/1.1 abc Odd"},
  };
  for (const auto& c : casos) {
    ConexoesMemoria conexoes{{c.resposta}};
    ClienteHttp cliente(c.redireciona ? ConfiguracaoHttp::sessao() : ConfiguracaoHttp::login(),
                        relogioSistema(), conexoes.abrir());
    if (!c.erro) {
      EXPECT_NO_THROW(cliente.Get("http://h/x")) << c.resposta;
      continue;
    }
    ErroHttp e = capturar([&] { cliente.Get("http://h/x"); });
    EXPECT_EQ(e.tipo(), TipoErroHttp::protocolo) << c.resposta;
    EXPECT_EQ(e.codigo(), *c.erro) << c.resposta;
    EXPECT_EQ(std::string(e.what()), c.mensagem);
  }
}

TEST(ClienteHttpFalhas, TiposEMensagens) {
  struct Caso {
    std::string url, resposta;
    TipoErroHttp tipo;
    std::string mensagem;
  } casos[] = {
      {"http://h/x", "", TipoErroHttp::fechada, "Connection Closed Gracefully."},
      {"http://h/x", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nab",
       TipoErroHttp::fechada, "Connection Closed Gracefully."},
      {"http://h/x", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc", TipoErroHttp::fechada,
       "Connection Closed Gracefully."},
      {"http://h/x", "HTTP/1.1 200 OK\r\nX: " + std::string(16400, 'a') + "\r\n\r\n",
       TipoErroHttp::outro, "Max line length exceeded."},
      {"ftp://h/x", "", TipoErroHttp::outro, "Unknown Protocol"},
      {"h/x", "", TipoErroHttp::outro, "Unknown Protocol"},
      {"https://h/x", "", TipoErroHttp::outro, "IOHandler value is not valid"},
  };
  for (const auto& c : casos) {
    ConexoesMemoria conexoes{{c.resposta}, 7};
    ClienteHttp cliente(ConfiguracaoHttp::login(), relogioSistema(), conexoes.abrir());
    ErroHttp e = capturar([&] { cliente.Get(c.url); });
    EXPECT_EQ(e.tipo(), c.tipo) << c.url << c.resposta.substr(0, 60);
    EXPECT_EQ(std::string(e.what()), c.mensagem);
    EXPECT_FALSE(cliente.conectado());
  }
}

TEST(ClienteHttpFalhas, CorpoCurtoFalhaDepoisDeNotificarOFim) {
  ConexoesMemoria conexoes{{"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc"}};
  ClienteHttp cliente(ConfiguracaoHttp::instalador(), relogioSistema(), conexoes.abrir());
  Notificacoes n;
  n.ligar(cliente);
  FluxoMemoria fluxo;
  ErroHttp e = capturar([&] { cliente.Get("http://h/x", fluxo); });
  EXPECT_EQ(e.tipo(), TipoErroHttp::fechada);
  EXPECT_EQ(n.eventos, (std::vector<std::string>{"B10", "W3", "E"}));
  EXPECT_EQ(fluxo.dados.substr(0, 3), "abc");
}

TEST(ClienteHttpMemoriaLimitada, PaginaDeErroGuardaUmMiB) {
  std::string pagina(3 * 1024 * 1024, 'x');
  ConexoesMemoria conexoes{{"HTTP/1.1 500 Erro\r\nContent-Length: " +
                            std::to_string(pagina.size()) + "\r\n\r\n" + pagina}};
  ClienteHttp cliente(ConfiguracaoHttp::login(), relogioSistema(), conexoes.abrir());
  ErroHttp e = capturar([&] { cliente.Get("http://h/x"); });
  EXPECT_EQ(e.textoErro().size(), 1024u * 1024u);
}

TEST(ClienteHttpMemoriaLimitada, BlocoDeCabecalhosLimitado) {
  std::string muitos;
  for (int i = 0; i < 20000; ++i)
    muitos += "X-" + std::to_string(i) + ": " + std::string(60, 'v') + "\r\n";
  ConexoesMemoria conexoes{{"HTTP/1.1 200 OK\r\n" + muitos + "\r\n"}};
  ClienteHttp cliente(ConfiguracaoHttp::login(), relogioSistema(), conexoes.abrir());
  ErroHttp e = capturar([&] { cliente.Get("http://h/x"); });
  EXPECT_EQ(e.tipo(), TipoErroHttp::outro);
  EXPECT_EQ(std::string(e.what()), "Header block too large.");
}

TEST(ClienteHttpFluxo, EscreveDaPosicaoAumentaECorta) {
  ConexoesMemoria conexoes{{ok("12345")}};
  ClienteHttp cliente(ConfiguracaoHttp::instalador(), relogioSistema(), conexoes.abrir());
  FluxoMemoria fluxo;
  fluxo.write("prefixo-e-resto-longo", 21);
  fluxo.setPosition(8);
  int64_t tamanhoNoInicio = -1;
  cliente.OnWorkBegin = [&](TransferenciaHttp&, TWorkMode, int64_t) {
    tamanhoNoInicio = fluxo.size();
  };
  cliente.Get("http://h/x", fluxo);
  EXPECT_EQ(tamanhoNoInicio, 21);
  EXPECT_EQ(fluxo.dados, "prefixo-12345");
}

TEST(ClienteHttpTexto, DecodificacaoPeloContentType) {
  struct Caso {
    std::string tipo, corpo, texto;
  } casos[] = {
      {"text/html", "ol\xE1", "ol\xC3\xA1"},
      {"text/html; charset=UTF-8", "ol\xC3\xA1", "ol\xC3\xA1"},
      {"text/plain; charset=\"windows-1252\"", "\x80", "\xE2\x82\xAC"},
      {"text/plain; charset=iso-8859-15", "\xA4", "\xE2\x82\xAC"},
      {"text/plain; charset=us-ascii", "a\xE1", "a?"},
      {"text/plain; charset=utf-16le", std::string("o\0i\0", 4), "oi"},
      {"text/plain; charset=UTF-16BE", std::string("\0o\0i", 4), "oi"},
      {"application/octet-stream", "\xE1", "\xC3\xA1"},
      {"", "\xE1", "\xC3\xA1"},
      {"text/html; charset=desconhecido", "\xE1", "\xC3\xA1"},
      {"text/xml", "a\xE1", "a?"},
      {"application/xml", "\xEF\xBB\xBF<a>\xC3\xA1</a>", "<a>\xC3\xA1</a>"},
      {"text/xml", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\xE1",
       "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\xC3\xA1"},
      {"application/rss+xml", std::string("\xFF\xFE<\0?\0", 6), "<?"},
      {"text/plain; charset=utf-8", "\xEF\xBB\xBFx", "\xEF\xBB\xBFx"},
  };
  for (const auto& c : casos) {
    std::string cabecalho = c.tipo.empty() ? "" : "Content-Type: " + c.tipo + "\r\n";
    ConexoesMemoria conexoes{{"HTTP/1.1 200 OK\r\n" + cabecalho + "Content-Length: " +
                              std::to_string(c.corpo.size()) + "\r\n\r\n" + c.corpo}};
    ClienteHttp cliente(ConfiguracaoHttp::login(), relogioSistema(), conexoes.abrir());
    EXPECT_EQ(cliente.Get("http://h/x"), c.texto) << c.tipo;
  }
}

}  // namespace
}  // namespace orvanta
