// ClienteHttp over real loopback sockets (POSIX natively, Winsock under Wine): exact bytes on
// the wire, connection reuse, system errors and closes at every point.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <winsock2.h>
#else
#include <cerrno>
#endif

#include "catch_http_error.h"
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
constexpr int kTimedOut = WSAETIMEDOUT;
#else
constexpr int kRefused = ECONNREFUSED;
constexpr int kReset = ECONNRESET;
constexpr int kTimedOut = ETIMEDOUT;
#endif

std::string expectedRequest(const std::string& target, int port, const std::string& cookie = "") {
  return "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
         "\r\nAccept: text/html, */*\r\nAccept-Encoding: identity\r\n"
         "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n" +
         (cookie.empty() ? "" : "Cookie: " + cookie + "\r\n") + "\r\n";
}

TEST(ClienteHttpSocketTest, TwoCallsOnOneConnection) {
  ScriptedServer server({{request(), send(okResponse("um")), request(),
                          send(okResponse("dois", "Set-Cookie: s=1\r\n"))}});
  ClienteHttp client(HttpSettings::login());
  EXPECT_EQ(client.Get(server.base() + "/a/um.txt"), "um");
  EXPECT_EQ(client.Get(server.base() + "/a/dois.txt?x=1"), "dois");
  EXPECT_EQ(server.acceptedConnections(), 1u);
  EXPECT_EQ(server.received().at(0), expectedRequest("/a/um.txt", server.port()) +
                                         expectedRequest("/a/dois.txt?x=1", server.port()));
}

TEST(ClienteHttpSocketTest, ConnectionCloseOrPeerCloseForceNewConnection) {
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

// The next call follows at once, before a server that ends the connection after its answer
// has closed it.
TEST(ClienteHttpSocketTest, ReusedOnlyWhenTheAnswerAllowsIt) {
  struct Case {
    std::string name, first;
    bool reused;
  } cases[] = {
      {"HTTP/1.0", "HTTP/1.0 200 OK\r\nContent-Length: 1\r\n\r\n1", false},
      {"HTTP/1.0 chunked",
       "HTTP/1.0 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1\r\n1\r\n0\r\n\r\n", false},
      {"HTTP/1.0 keep-alive",
       "HTTP/1.0 200 OK\r\nConnection: Keep-Alive\r\nContent-Length: 1\r\n\r\n1", true},
      {"HTTP/1.1 chunked",
       "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1\r\n1\r\n0\r\n\r\n", true},
      {"HTTP/1.1 close among other tokens",
       "HTTP/1.1 200 OK\r\nConnection: TE, close\r\nContent-Length: 1\r\n\r\n1", false},
  };
  for (const auto& c : cases) {
    std::vector<Script> scripts;
    if (c.reused) {
      scripts = {{request(), send(c.first), request(), send(okResponse("2"))}};
    } else {
      scripts = {{request(), send(c.first), pause(300), close()}, respond(okResponse("2"))};
    }
    ScriptedServer server(scripts);
    ClienteHttp client(HttpSettings::login());
    EXPECT_EQ(client.Get(server.base() + "/"), "1") << c.name;
    EXPECT_NO_THROW(EXPECT_EQ(client.Get(server.base() + "/"), "2") << c.name) << c.name;
    EXPECT_EQ(server.acceptedConnections(), c.reused ? 1u : 2u) << c.name;
  }
}

TEST(ClienteHttpSocketTest, CompleteErrorAnswerKeepsConnection) {
  ScriptedServer server(
      {{request(), send(response("404 Not Found", "Content-Length: 3\r\n", "nao")), request(),
        send(okResponse("sim"))}});
  ClienteHttp client(HttpSettings::login());
  ErroHttp e = catchHttpError([&] { client.Get(server.base() + "/x"); });
  EXPECT_EQ(e.errorText(), "nao");
  EXPECT_EQ(client.Get(server.base() + "/y"), "sim");
  EXPECT_EQ(server.acceptedConnections(), 1u);
}

TEST(ClienteHttpSocketTest, BodyInSmallPiecesWithPauses) {
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

TEST(ClienteHttpSocketTest, SystemErrorsAndCloses) {
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

std::string statusLineOf(size_t length) {
  std::string line = "HTTP/1.1 200 ";
  line.resize(length, 'x');
  return line;
}

Script redirectThenOk(const std::string& location, const std::string& setCookie = "") {
  std::string extra = setCookie.empty() ? "" : "Set-Cookie: " + setCookie + "\r\n";
  return {request(),
          send(response("302 Found",
                        "Location: " + location + "\r\n" + extra + "Content-Length: 0\r\n", "")),
          request(), send(okResponse("ok"))};
}

Script redirectLoop(int answers) {
  Script script;
  for (int i = 0; i < answers; ++i) {
    script.push_back(request());
    script.push_back(
        send(response("302 Found", "Location: /loop\r\nContent-Length: 4\r\n", "hop!")));
  }
  return script;
}

// Servers that misbehave, or behave in ways the client once got wrong: the call's outcome, what
// a download leaves in the caller's stream, and what went out on the wire.
TEST(ClienteHttpSocketTest, FaultyServers) {
  const std::string half(50000, 'h');
  const std::string longCookie(2000, 'c');
  struct Case {
    std::string name;
    HttpSettings settings;
    std::vector<Script> scripts;             // one per connection
    std::optional<std::string> streamStart;  // a download into a stream already holding these
    std::string result;                      // the text returned, or the whole stream afterwards
    std::string error;                       // the failure's message; empty when it succeeds
    std::string onWire;                      // found in the requests the server received
    std::string notOnWire;                   // never found in them
  } cases[] = {
      {"a query naming a URL stays on this server",
       HttpSettings::session(),
       {redirectThenOk("/login?next=http://a/home")},
       {},
       "ok",
       "",
       "GET /login?next=http://a/home HTTP/1.1\r\n",
       ""},
      {"a path naming a URL stays on this server",
       HttpSettings::session(),
       {redirectThenOk("/view/http://evil.example:8080/p")},
       {},
       "ok",
       "",
       "GET /view/http:/evil.example:8080/p HTTP/1.1\r\n",
       ""},
      {"a redirect loop fails and writes nothing",
       HttpSettings::session(),
       {redirectLoop(15)},
       "",
       "",
       "Too many redirects.",
       "",
       ""},
      {"closed half-way: the stream holds what arrived",
       HttpSettings::installer(),
       {{request(), send(response("200 OK", "Content-Length: 100000\r\n", half)), close()}},
       "",
       half,
       "Connection Closed Gracefully.",
       "",
       ""},
      {"a length of a terabyte never sizes the stream",
       HttpSettings::installer(),
       {{request(), send(response("200 OK", "Content-Length: 1099511627776\r\n", "abcde")),
         close()}},
       "",
       "abcde",
       "Connection Closed Gracefully.",
       "",
       ""},
      {"a length near the largest number after a stream's start",
       HttpSettings::installer(),
       {{request(), send(response("200 OK", "Content-Length: 9223372036854775800\r\n", "abcde")),
         close()}},
       "0123456789",
       "0123456789abcde",
       "Connection Closed Gracefully.",
       "",
       ""},
      {"a status line of the longest length with CR LF",
       HttpSettings::login(),
       {respond(statusLineOf(ResponseReader::kMaxLine) + "\r\nContent-Length: 2\r\n\r\nok")},
       {},
       "ok",
       "",
       "",
       ""},
      {"a status line of the longest length with LF",
       HttpSettings::login(),
       {respond(statusLineOf(ResponseReader::kMaxLine) + "\nContent-Length: 2\n\nok")},
       {},
       "ok",
       "",
       "",
       ""},
      {"a status line one byte too long",
       HttpSettings::login(),
       {respond(statusLineOf(ResponseReader::kMaxLine + 1) + "\r\nContent-Length: 2\r\n\r\nok")},
       {},
       "",
       "Max line length exceeded.",
       "",
       ""},
      {"a long Cookie header goes on one line",
       HttpSettings::session(),
       {redirectThenOk("/b", "big=" + longCookie)},
       {},
       "ok",
       "",
       "\r\nCookie: big=" + longCookie + "\r\n\r\n",
       ""},
      {"a cookie goes back with the bytes it came with",
       HttpSettings::session(),
       {redirectThenOk("/b", "u=a\xC3\xA7\xC3\xA3o")},
       {},
       "ok",
       "",
       "\r\nCookie: u=a\xC3\xA7\xC3\xA3o\r\n",
       ""},
      {"a cookie holding a NUL is ignored",
       HttpSettings::session(),
       {redirectThenOk("/b", std::string("AAA=BB\0ZYX", 10))},
       {},
       "ok",
       "",
       "",
       "Cookie"},
      {"a cookie holding a CR is ignored",
       HttpSettings::session(),
       {redirectThenOk("/b", "a=1\rX: y")},
       {},
       "ok",
       "",
       "",
       "Cookie"},
  };
  for (const auto& c : cases) {
    ScriptedServer server(c.scripts);
    ClienteHttp client(c.settings);
    MemoryStream stream;
    std::string result;
    std::string error;
    try {
      if (c.streamStart) {
        stream.write(c.streamStart->data(), c.streamStart->size());
        client.Get(server.base() + "/a", stream);
        result = stream.data;
      } else {
        result = client.Get(server.base() + "/a");
      }
    } catch (const std::exception& e) {
      error = e.what();
      result = stream.data;
    }
    EXPECT_EQ(error, c.error) << c.name;
    EXPECT_EQ(result.size(), c.result.size()) << c.name;
    EXPECT_TRUE(result == c.result) << c.name;
    EXPECT_LE(stream.largestSize, static_cast<int64_t>(result.size()) + 32768) << c.name;
    std::string wire;
    for (const std::string& r : server.received()) wire += r;
    if (!c.onWire.empty()) {
      EXPECT_NE(wire.find(c.onWire), std::string::npos) << c.name;
    }
    if (!c.notOnWire.empty()) {
      EXPECT_EQ(wire.find(c.notOnWire), std::string::npos) << c.name;
    }
  }
}

TEST(ClienteHttpSocketTest, CloseDuringHeadersKeepsWhatArrived) {
  ScriptedServer server({{request(), send("HTTP/1.1 200 OK\r\nX-A: 1"), close()}});
  ClienteHttp client(HttpSettings::login());
  EXPECT_EQ(client.Get(server.base() + "/"), "");
  EXPECT_EQ(client.response().value("X-A"), "1");
}

TEST(ClienteHttpSocketTest, ConnectionRefused) {
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

TEST(ClienteHttpSocketTest, HostNotFound) {
  ScriptedServer server({respond(okResponse("nao"))});
  for (const std::string& host :
       {std::string("nao-existe.invalid"), std::string("127.0.0.1\0.invalid", 18)}) {
    ClienteHttp client(HttpSettings::login());
    ErroHttp e = catchHttpError(
        [&] { client.Get("http://" + host + ":" + std::to_string(server.port()) + "/"); });
    EXPECT_EQ(e.type(), HttpErrorType::socket);
    EXPECT_EQ(std::string(e.what()), "Socket Error # 11001\r\nHost not found.");
  }
  EXPECT_EQ(server.acceptedConnections(), 0u);
}

TEST(ClienteHttpSocketTest, LocalhostInAnyCase) {
  ScriptedServer server({respond(okResponse("ok"))});
  ClienteHttp client(HttpSettings::login());
  EXPECT_EQ(client.Get("http://LocalHost:" + std::to_string(server.port()) + "/"), "ok");
  EXPECT_NE(server.received().at(0).find("Host: LocalHost:"), std::string::npos);
}

TEST(ClienteHttpSocketTest, RedirectWithoutLengthWaitsFiveSeconds) {
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

TEST(ClienteHttpSocketTest, RedirectToAnotherHostReconnects) {
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

HttpSettings withTimeouts(HttpSettings settings, int connectMs, int inactivityMs, int callMs = 0) {
  settings.timeouts = {connectMs, inactivityMs, callMs};
  return settings;
}

void expectTimedOut(const ErroHttp& e, const std::string& name) {
  EXPECT_EQ(e.type(), HttpErrorType::socket) << name;
  EXPECT_EQ(e.code(), kTimedOut) << name;
  EXPECT_EQ(std::string(e.what()),
            "Socket Error # " + std::to_string(kTimedOut) + "\r\nConnection timed out.")
      << name;
}

TEST(ClienteHttpTimeOutTest, ConnectGivesUpAfterItsTime) {
  FullListener listener;
  ClienteHttp client(withTimeouts(HttpSettings::login(), 300, 60000));
  auto start = std::chrono::steady_clock::now();
  ErroHttp e = catchHttpError([&] { client.Get(listener.base() + "/"); });
  auto elapsed = std::chrono::steady_clock::now() - start;
  expectTimedOut(e, "connect");
  EXPECT_GE(elapsed, std::chrono::milliseconds(250));
  // Far below the system's own limit of minutes.
  EXPECT_LT(elapsed, std::chrono::seconds(20));
  EXPECT_FALSE(client.isConnected());
}

TEST(ClienteHttpTimeOutTest, NoByteForTheInactivityTimeFails) {
  struct Case {
    std::string name;
    Script script;
    std::string streamAfter;
    std::vector<std::string> events;
  } cases[] = {
      {"accepted and never answered", {request()}, "", {}},
      {"headers and part of the body, then nothing",
       {request(), send(response("200 OK", "Content-Length: 100\r\n", "abc"))},
       "abc",
       {"B100", "W3", "E"}},
  };
  for (const auto& c : cases) {
    ScriptedServer server({c.script});
    ClienteHttp client(withTimeouts(HttpSettings::installer(), 60000, 300));
    NotificationRecorder n;
    n.attach(client);
    MemoryStream stream;
    auto start = std::chrono::steady_clock::now();
    ErroHttp e = catchHttpError([&] { client.Get(server.base() + "/", stream); });
    auto elapsed = std::chrono::steady_clock::now() - start;
    expectTimedOut(e, c.name);
    EXPECT_GE(elapsed, std::chrono::milliseconds(250)) << c.name;
    EXPECT_EQ(stream.data, c.streamAfter) << c.name;
    EXPECT_EQ(n.events, c.events) << c.name;
    EXPECT_FALSE(client.isConnected()) << c.name;
  }
}

TEST(ClienteHttpTimeOutTest, SlowButMovingTransferNeverTimesOut) {
  Script script{request(), send("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n")};
  for (int i = 0; i < 10; ++i) {
    script.push_back(pause(100));
    script.push_back(send("x"));
  }
  ScriptedServer server({script});
  ClienteHttp client(withTimeouts(HttpSettings::login(), 60000, 500));
  EXPECT_EQ(client.Get(server.base() + "/"), "xxxxxxxxxx");
}

// A server that sends a byte now and then never lets the inactivity time run out: the head, and on
// an instance with a limit for the whole call everything, must still come within its time.
TEST(ClienteHttpTimeOutTest, TrickledAnswers) {
  const std::string body(2000, 'b');
  const std::string head =
      "HTTP/1.1 200 OK\r\nContent-Length: 40\r\nX-Filler: " + std::string(200, 'f') + "\r\n\r\n";
  struct Case {
    std::string name;
    HttpSettings settings;
    Script script;
    std::vector<std::string> events;  // empty when the call times out before the body
  } cases[] = {
      {"a trickled head on a download",
       withTimeouts(HttpSettings::installer(), 60000, 300),
       {request(), trickle(head + std::string(40, 'b'), 20)},
       {}},
      {"a trickled body on the login",
       withTimeouts(HttpSettings::login(), 60000, 300, 600),
       {request(), send(response("200 OK", "Content-Length: 2000\r\n", "")), trickle(body, 20)},
       {"B2000"}},
  };
  for (const auto& c : cases) {
    ScriptedServer server({c.script});
    ClienteHttp client(c.settings);
    NotificationRecorder n;
    n.attach(client);
    MemoryStream stream;
    auto start = std::chrono::steady_clock::now();
    ErroHttp e = catchHttpError([&] { client.Get(server.base() + "/", stream); });
    auto elapsed = std::chrono::steady_clock::now() - start;
    expectTimedOut(e, c.name);
    // The trickle alone would take at least 5 s.
    EXPECT_LT(elapsed, std::chrono::milliseconds(2500)) << c.name;
    if (!c.events.empty()) {
      EXPECT_EQ(n.events.front(), c.events.front()) << c.name;
      EXPECT_EQ(n.events.back(), "E") << c.name;
    } else {
      EXPECT_TRUE(n.events.empty()) << c.name;
    }
    EXPECT_LT(stream.data.size(), body.size()) << c.name;
    EXPECT_FALSE(client.isConnected()) << c.name;
  }
}

}  // namespace
}  // namespace orvanta
