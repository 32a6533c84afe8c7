// ClienteHttp over real loopback sockets (POSIX natively, Winsock under Wine): exact bytes on
// the wire, connection reuse, system errors and closes at every point.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <winsock2.h>
#else
#include <cerrno>
#endif

#include "notificacoes.h"
#include "service/cliente_http.h"
#include "service/erro_http.h"
#include "servidor_roteirizado.h"

namespace orvanta {
namespace {

using namespace teste;

#ifdef _WIN32
constexpr int kRecusada = WSAECONNREFUSED;
constexpr int kReiniciada = WSAECONNRESET;
#else
constexpr int kRecusada = ECONNREFUSED;
constexpr int kReiniciada = ECONNRESET;
#endif

ErroHttp capturar(const std::function<void()>& f) {
  try {
    f();
  } catch (const ErroHttp& e) {
    return e;
  }
  ADD_FAILURE() << "no ErroHttp";
  return ErroHttp(TipoErroHttp::outro, "");
}

std::string requisicaoEsperada(const std::string& alvo, int porta, const std::string& cookie = "") {
  return "GET " + alvo + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(porta) +
         "\r\nAccept: text/html, */*\r\nAccept-Encoding: identity\r\n"
         "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n" +
         (cookie.empty() ? "" : "Cookie: " + cookie + "\r\n") + "\r\n";
}

TEST(ClienteHttpSocket, DuasChamadasNaMesmaConexao) {
  ServidorRoteirizado servidor({{requisicao(), enviar(respostaOk("um")), requisicao(),
                                 enviar(respostaOk("dois", "Set-Cookie: s=1\r\n"))}});
  ClienteHttp cliente(ConfiguracaoHttp::login());
  EXPECT_EQ(cliente.Get(servidor.base() + "/a/um.txt"), "um");
  EXPECT_EQ(cliente.Get(servidor.base() + "/a/dois.txt?x=1"), "dois");
  EXPECT_EQ(servidor.conexoesAceitas(), 1u);
  EXPECT_EQ(servidor.recebido().at(0), requisicaoEsperada("/a/um.txt", servidor.porta()) +
                                           requisicaoEsperada("/a/dois.txt?x=1", servidor.porta()));
}

TEST(ClienteHttpSocket, ConnectionCloseOuFechamentoObrigamNovaConexao) {
  struct Caso {
    std::string nome;
    Roteiro primeira;
  } casos[] = {
      {"Connection: close", responder(respostaOk("1", "Connection: close\r\n"))},
      {"Proxy-Connection: CLOSE", responder(respostaOk("1", "Proxy-Connection:  CLOSE \r\n"))},
      {"fechada ociosa", {requisicao(), enviar(respostaOk("1")), fechar()}},
      {"ate fechar", {requisicao(), enviar("HTTP/1.1 200 OK\r\n\r\n1"), fechar()}},
  };
  for (const auto& c : casos) {
    ServidorRoteirizado servidor({c.primeira, responder(respostaOk("2"))});
    ClienteHttp cliente(ConfiguracaoHttp::login());
    EXPECT_EQ(cliente.Get(servidor.base() + "/"), "1") << c.nome;
    servidor.esperarFim(0, 2000);
    EXPECT_EQ(cliente.Get(servidor.base() + "/"), "2") << c.nome;
    EXPECT_EQ(servidor.conexoesAceitas(), 2u) << c.nome;
  }
}

TEST(ClienteHttpSocket, RespostaDeErroCompletaMantemAConexao) {
  ServidorRoteirizado servidor(
      {{requisicao(), enviar(resposta("404 Not Found", "Content-Length: 3\r\n", "nao")),
        requisicao(), enviar(respostaOk("sim"))}});
  ClienteHttp cliente(ConfiguracaoHttp::login());
  ErroHttp e = capturar([&] { cliente.Get(servidor.base() + "/x"); });
  EXPECT_EQ(e.textoErro(), "nao");
  EXPECT_EQ(cliente.Get(servidor.base() + "/y"), "sim");
  EXPECT_EQ(servidor.conexoesAceitas(), 1u);
}

TEST(ClienteHttpSocket, CorpoEmPedacosPequenosComPausas) {
  std::string corpo(5000, 'z');
  ServidorRoteirizado servidor(
      {{requisicao(), enviar(respostaOk(corpo), 700)},
       {requisicao(),
        enviar("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n", 1), pausa(50),
        enviar("0\r\n\r\n")}});
  ClienteHttp cliente(ConfiguracaoHttp::login());
  EXPECT_EQ(cliente.Get(servidor.base() + "/"), corpo);
  ClienteHttp outro(ConfiguracaoHttp::login());
  EXPECT_EQ(outro.Get(servidor.base() + "/"), "abc");
}

TEST(ClienteHttpSocket, FalhasDoSistemaEFechamentos) {
  struct Caso {
    std::string nome;
    Roteiro roteiro;
    TipoErroHttp tipo;
    std::optional<int> codigo;
    std::string mensagem;
  } casos[] = {
      {"fechada antes do status",
       {requisicao(), fechar()},
       TipoErroHttp::fechada,
       {},
       "Connection Closed Gracefully."},
      {"reset antes do status",
       {requisicao(), reset()},
       TipoErroHttp::socket,
       kReiniciada,
       "Socket Error # " + std::to_string(kReiniciada) + "\r\nConnection reset by peer."},
      {"fechada no meio do corpo",
       {requisicao(), enviar("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nabc"), fechar()},
       TipoErroHttp::fechada,
       {},
       "Connection Closed Gracefully."},
      {"fechada no chunked",
       {requisicao(), enviar("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n9\r\nab"),
        fechar()},
       TipoErroHttp::fechada,
       {},
       "Connection Closed Gracefully."},
  };
  for (const auto& c : casos) {
    ServidorRoteirizado servidor({c.roteiro});
    ClienteHttp cliente(ConfiguracaoHttp::login());
    ErroHttp e = capturar([&] { cliente.Get(servidor.base() + "/"); });
    EXPECT_EQ(e.tipo(), c.tipo) << c.nome;
    EXPECT_EQ(e.codigo(), c.codigo) << c.nome;
    EXPECT_EQ(std::string(e.what()), c.mensagem) << c.nome;
    EXPECT_FALSE(cliente.conectado()) << c.nome;
  }
}

TEST(ClienteHttpSocket, FechadaDuranteCabecalhosUsaOQueChegou) {
  ServidorRoteirizado servidor({{requisicao(), enviar("HTTP/1.1 200 OK\r\nX-A: 1"), fechar()}});
  ClienteHttp cliente(ConfiguracaoHttp::login());
  EXPECT_EQ(cliente.Get(servidor.base() + "/"), "");
  EXPECT_EQ(cliente.resposta().valor("X-A"), "1");
}

TEST(ClienteHttpSocket, ConexaoRecusada) {
  int porta;
  {
    ServidorRoteirizado livre({});
    porta = livre.porta();
  }
  ClienteHttp cliente(ConfiguracaoHttp::login());
  ErroHttp e = capturar([&] { cliente.Get("http://127.0.0.1:" + std::to_string(porta) + "/"); });
  EXPECT_EQ(e.tipo(), TipoErroHttp::socket);
  EXPECT_EQ(e.codigo(), kRecusada);
  EXPECT_EQ(std::string(e.what()),
            "Socket Error # " + std::to_string(kRecusada) + "\r\nConnection refused.");
}

TEST(ClienteHttpSocket, HostNaoEncontrado) {
  ClienteHttp cliente(ConfiguracaoHttp::login());
  ErroHttp e = capturar([&] { cliente.Get("http://nao-existe.invalid/"); });
  EXPECT_EQ(e.tipo(), TipoErroHttp::socket);
  EXPECT_EQ(std::string(e.what()), "Socket Error # 11001\r\nHost not found.");
}

TEST(ClienteHttpSocket, LocalhostEmQualquerCaixa) {
  ServidorRoteirizado servidor({responder(respostaOk("ok"))});
  ClienteHttp cliente(ConfiguracaoHttp::login());
  EXPECT_EQ(cliente.Get("http://LocalHost:" + std::to_string(servidor.porta()) + "/"), "ok");
  EXPECT_NE(servidor.recebido().at(0).find("Host: LocalHost:"), std::string::npos);
}

TEST(ClienteHttpSocket, RedirecionamentoSemTamanhoEsperaCincoSegundos) {
  ServidorRoteirizado servidor({{requisicao(), enviar("HTTP/1.1 302 Found\r\n\r\n")}});
  ClienteHttp cliente(ConfiguracaoHttp::login());
  Notificacoes n;
  n.ligar(cliente);
  auto inicio = std::chrono::steady_clock::now();
  ErroHttp e = capturar([&] { cliente.Get(servidor.base() + "/"); });
  auto decorrido = std::chrono::steady_clock::now() - inicio;
  EXPECT_EQ(std::string(e.what()), "HTTP/1.1 302 Found");
  EXPECT_GE(decorrido, std::chrono::milliseconds(4900));
  EXPECT_TRUE(n.eventos.empty());
}

TEST(ClienteHttpSocket, RedirecionamentoParaOutroHostReconecta) {
  ServidorRoteirizado destino({responder(respostaOk("final"))}, "127.0.0.5");
  std::string alvo = "http://127.0.0.5:" + std::to_string(destino.porta()) + "/f";
  ServidorRoteirizado origem(
      {responder(resposta("302 Found", "Location: " + alvo + "\r\nContent-Length: 2\r\n", "..")),
       responder(respostaOk("nao"))});
  ClienteHttp cliente(ConfiguracaoHttp::sessao());
  Notificacoes n;
  n.ligar(cliente);
  EXPECT_EQ(cliente.Get(origem.base() + "/r"), "final");
  EXPECT_EQ(n.eventos, (std::vector<std::string>{"B2", "W2", "E", "B5", "W5", "E"}));
  EXPECT_EQ(destino.recebido().at(0).substr(0, 17), "GET /f HTTP/1.1\r\n");
  EXPECT_TRUE(origem.esperarFim(0));
  EXPECT_EQ(origem.conexoesAceitas(), 1u);
}

}  // namespace
}  // namespace orvanta
