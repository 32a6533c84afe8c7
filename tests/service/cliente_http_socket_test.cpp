// ClienteHttp over real loopback sockets (POSIX natively, Winsock under Wine): exact bytes on
// the wire, connection reuse, system errors and closes at every point.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <winsock2.h>
#else
#include <cerrno>
#endif

#include "notification_recorder.h"
#include "scripted_server.h"
#include "service/cliente_http.h"
#include "service/erro_http.h"

namespace orvanta {
namespace {

using namespace test;

#ifdef _WIN32
constexpr int kRefused = WSAECONNREFUSED;
constexpr int kReset = WSAECONNRESET;
#else
constexpr int kRefused = ECONNREFUSED;
constexpr int kReset = ECONNRESET;
#endif

ErroHttp catchHttpError(const std::function<void()>& f) {
  try {
    f();
  } catch (const ErroHttp& e) {
    return e;
  }
  ADD_FAILURE() << "no ErroHttp";
  return ErroHttp(HttpErrorType::other, "");
}

std::string expectedRequest(const std::string& target, int port, const std::string& cookie = "") {
  return "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
         "\r\nAccept: text/html, */*\r\nAccept-Encoding: identity\r\n"
         "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n" +
         (cookie.empty() ? "" : "Cookie: " + cookie + "\r\n") + "\r\n";
}

TEST(ClienteHttpSocket, TwoCallsOnOneConnection) {
  ScriptedServer server({{request(), send(okResponse("um")), request(),
                          send(okResponse("dois", "Set-Cookie: s=1\r\n"))}});
  ClienteHttp client(HttpSettings::login());
  EXPECT_EQ(client.Get(server.base() + "/a/um.txt"), "um");
  EXPECT_EQ(client.Get(server.base() + "/a/dois.txt?x=1"), "dois");
  EXPECT_EQ(server.acceptedConnections(), 1u);
  EXPECT_EQ(server.received().at(0), expectedRequest("/a/um.txt", server.port()) +
                                         expectedRequest("/a/dois.txt?x=1", server.port()));
}

TEST(ClienteHttpSocket, ConnectionCloseOrPeerCloseForceNewConnection) {
  struct Case {
    std::string name;
    Script first;
  } cases[] = {
      {"Connection: close", respond(okResponse("1", "Connection: close\r\n"))},
      {"Proxy-Connection: CLOSE", respond(okResponse("1", "Proxy-Connection:  CLOSE \r\n"))},
      {"closed while idle", {request(), send(okResponse("1")), close()}},
      {"until close", {request(), send("HTTP/1.1 200 OK\r\n\r\n1"), close()}},
  };
  for (const auto& c : cases) {
    ScriptedServer server({c.first, respond(okResponse("2"))});
    ClienteHttp client(HttpSettings::login());
    EXPECT_EQ(client.Get(server.base() + "/"), "1") << c.name;
    server.waitUntilClosed(0, 2000);
    EXPECT_EQ(client.Get(server.base() + "/"), "2") << c.name;
    EXPECT_EQ(server.acceptedConnections(), 2u) << c.name;
  }
}

TEST(ClienteHttpSocket, CompleteErrorAnswerKeepsConnection) {
  ScriptedServer server(
      {{request(), send(response("404 Not Found", "Content-Length: 3\r\n", "nao")), request(),
        send(okResponse("sim"))}});
  ClienteHttp client(HttpSettings::login());
  ErroHttp e = catchHttpError([&] { client.Get(server.base() + "/x"); });
  EXPECT_EQ(e.errorText(), "nao");
  EXPECT_EQ(client.Get(server.base() + "/y"), "sim");
  EXPECT_EQ(server.acceptedConnections(), 1u);
}

TEST(ClienteHttpSocket, BodyInSmallPiecesWithPauses) {
  std::string body(5000, 'z');
  ScriptedServer server(
      {{request(), send(okResponse(body), 700)},
       {request(), send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n", 1),
        pause(50), send("0\r\n\r\n")}});
  ClienteHttp client(HttpSettings::login());
  EXPECT_EQ(client.Get(server.base() + "/"), body);
  ClienteHttp other(HttpSettings::login());
  EXPECT_EQ(other.Get(server.base() + "/"), "abc");
}

TEST(ClienteHttpSocket, SystemErrorsAndCloses) {
  struct Case {
    std::string name;
    Script script;
    HttpErrorType type;
    std::optional<int> code;
    std::string message;
  } cases[] = {
      {"closed before the status line",
       {request(), close()},
       HttpErrorType::closed,
       {},
       "Connection Closed Gracefully."},
      {"reset before the status line",
       {request(), reset()},
       HttpErrorType::socket,
       kReset,
       "Socket Error # " + std::to_string(kReset) + "\r\nConnection reset by peer."},
      {"closed inside the body",
       {request(), send("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nabc"), close()},
       HttpErrorType::closed,
       {},
       "Connection Closed Gracefully."},
      {"closed inside the chunked body",
       {request(), send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n9\r\nab"), close()},
       HttpErrorType::closed,
       {},
       "Connection Closed Gracefully."},
  };
  for (const auto& c : cases) {
    ScriptedServer server({c.script});
    ClienteHttp client(HttpSettings::login());
    ErroHttp e = catchHttpError([&] { client.Get(server.base() + "/"); });
    EXPECT_EQ(e.type(), c.type) << c.name;
    EXPECT_EQ(e.code(), c.code) << c.name;
    EXPECT_EQ(std::string(e.what()), c.message) << c.name;
    EXPECT_FALSE(client.isConnected()) << c.name;
  }
}

TEST(ClienteHttpSocket, CloseDuringHeadersKeepsWhatArrived) {
  ScriptedServer server({{request(), send("HTTP/1.1 200 OK\r\nX-A: 1"), close()}});
  ClienteHttp client(HttpSettings::login());
  EXPECT_EQ(client.Get(server.base() + "/"), "");
  EXPECT_EQ(client.response().value("X-A"), "1");
}

TEST(ClienteHttpSocket, ConnectionRefused) {
  int port;
  {
    ScriptedServer freed({});
    port = freed.port();
  }
  ClienteHttp client(HttpSettings::login());
  ErroHttp e =
      catchHttpError([&] { client.Get("http://127.0.0.1:" + std::to_string(port) + "/"); });
  EXPECT_EQ(e.type(), HttpErrorType::socket);
  EXPECT_EQ(e.code(), kRefused);
  EXPECT_EQ(std::string(e.what()),
            "Socket Error # " + std::to_string(kRefused) + "\r\nConnection refused.");
}

TEST(ClienteHttpSocket, HostNotFound) {
  ClienteHttp client(HttpSettings::login());
  ErroHttp e = catchHttpError([&] { client.Get("http://nao-existe.invalid/"); });
  EXPECT_EQ(e.type(), HttpErrorType::socket);
  EXPECT_EQ(std::string(e.what()), "Socket Error # 11001\r\nHost not found.");
}

TEST(ClienteHttpSocket, LocalhostInAnyCase) {
  ScriptedServer server({respond(okResponse("ok"))});
  ClienteHttp client(HttpSettings::login());
  EXPECT_EQ(client.Get("http://LocalHost:" + std::to_string(server.port()) + "/"), "ok");
  EXPECT_NE(server.received().at(0).find("Host: LocalHost:"), std::string::npos);
}

TEST(ClienteHttpSocket, RedirectWithoutLengthWaitsFiveSeconds) {
  ScriptedServer server({{request(), send("HTTP/1.1 302 Found\r\n\r\n")}});
  ClienteHttp client(HttpSettings::login());
  NotificationRecorder n;
  n.attach(client);
  auto start = std::chrono::steady_clock::now();
  ErroHttp e = catchHttpError([&] { client.Get(server.base() + "/"); });
  auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(std::string(e.what()), "HTTP/1.1 302 Found");
  EXPECT_GE(elapsed, std::chrono::milliseconds(4900));
  EXPECT_TRUE(n.events.empty());
}

TEST(ClienteHttpSocket, RedirectToAnotherHostReconnects) {
  ScriptedServer destination({respond(okResponse("final"))}, "127.0.0.5");
  std::string target = "http://127.0.0.5:" + std::to_string(destination.port()) + "/f";
  ScriptedServer origin(
      {respond(response("302 Found", "Location: " + target + "\r\nContent-Length: 2\r\n", "..")),
       respond(okResponse("nao"))});
  ClienteHttp client(HttpSettings::session());
  NotificationRecorder n;
  n.attach(client);
  EXPECT_EQ(client.Get(origin.base() + "/r"), "final");
  EXPECT_EQ(n.events, (std::vector<std::string>{"B2", "W2", "E", "B5", "W5", "E"}));
  EXPECT_EQ(destination.received().at(0).substr(0, 17), "GET /f HTTP/1.1\r\n");
  EXPECT_TRUE(origin.waitUntilClosed(0));
  EXPECT_EQ(origin.acceptedConnections(), 1u);
}

}  // namespace
}  // namespace orvanta
