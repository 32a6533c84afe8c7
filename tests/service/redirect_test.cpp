// Following redirects: resolution of Location values, the counter and its limit, reconnection
// and what the caller's destination and handlers see.
#include <gtest/gtest.h>

#include <algorithm>

#include "memory_connections.h"
#include "notification_recorder.h"
#include "service/cliente_http.h"
#include "service/erro_http.h"
#include "service/redirect.h"

namespace orvanta {
namespace {

using test::MemoryConnections;
using test::MemoryStream;
using test::NotificationRecorder;

std::string redirect(const std::string& local, const std::string& body = "") {
  return "HTTP/1.1 302 Found\r\nLocation: " + local +
         "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::string ok(const std::string& body) {
  return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

TEST(ResolveLocationTest, RelativeAndAbsolute) {
  struct Case {
    std::string local, expected;
  } cases[] = {
      {"d.html", "http://h:52/a/b/d.html"},
      {"../e", "http://h:52/a/e"},
      {"../../../f", "http://h:52/f"},
      {"./g/", "http://h:52/a/b/g/"},
      {"/raiz?q=1", "http://h:52/raiz?q=1"},
      {"x//y///z", "http://h:52/a/b/x/y/z"},
      {"//outro:8080/p", "http://outro:8080/p"},
      {"//outro/p", "http://outro:80/p"},
      {"http://c:9/k#frag", "http://c:9/k"},
      {"..", "http://h:52/a/"},
      {"HTTP://c/k", "http://c:80/k"},
      {"v1.a+b-c://c:7/k", "v1.a+b-c://c:7/k"},
      // Only a scheme at the very start makes a location absolute.
      {"/login?next=http://a/home", "http://h:52/login?next=http://a/home"},
      {"/view/http://evil.example:8080/p", "http://h:52/view/http:/evil.example:8080/p"},
      {"x?y=a://b", "http://h:52/a/b/x?y=a://b"},
      {"1http://c/k", "http://h:52/a/b/1http:/c/k"},
      {"-x://c/k", "http://h:52/a/b/-x:/c/k"},
      {"a b://c/k", "http://h:52/a/b/a b:/c/k"},
      // User information is dropped, never taken for the host.
      {"http://u:p@c:9/k", "http://c:9/k"},
      {"//u@outro/p", "http://outro:80/p"},
      {"/p?de=u@c", "http://h:52/p?de=u@c"},
  };
  HttpUrl current = splitUrl("http://h:52/a/b/c.html?x=1");
  for (const auto& c : cases) {
    EXPECT_EQ(resolveLocation(current, c.local).toString(), c.expected) << c.local;
  }
}

TEST(RedirectTest, RelativeChainFollowedOnSession) {
  MemoryConnections connections{
      {redirect("../b/c", "corpo"), redirect("//127.0.0.9:81/x"), redirect("/y/z"), ok("fim")}};
  ClienteHttp client(HttpSettings::session(), systemClock(), connections.openChannel());
  NotificationRecorder n;
  n.attach(client);
  EXPECT_EQ(client.Get("http://h:52/a/d/e"), "fim");
  EXPECT_EQ(connections.destinations,
            (std::vector<std::string>{"h:52", "h:52", "127.0.0.9:81", "127.0.0.9:81"}));
  EXPECT_EQ(connections.sent.at(1).substr(0, 21), "GET /a/b/c HTTP/1.1\r\n");
  EXPECT_EQ(connections.sent.at(3).substr(0, 21), "GET /y/z HTTP/1.1\r\nHo");
  EXPECT_EQ(client.currentUrl().toString(), "http://127.0.0.9:81/y/z");
  // The discarded body of the first redirect keeps its notifications.
  EXPECT_EQ(n.events, (std::vector<std::string>{"B5", "W5", "E", "B3", "W3", "E"}));
}

TEST(RedirectTest, FourteenFollowedFifteenthFails) {
  for (int redirects : {14, 15}) {
    std::vector<std::string> responses;
    for (int i = 0; i < redirects; ++i) responses.push_back(redirect("r" + std::to_string(i), "x"));
    responses.push_back(ok("alcancado"));
    MemoryConnections connections{responses};
    ClienteHttp client(HttpSettings::session(), systemClock(), connections.openChannel());
    NotificationRecorder n;
    n.attach(client);
    if (redirects == 14) {
      EXPECT_EQ(client.Get("http://h/inicio"), "alcancado");
    } else {
      try {
        client.Get("http://h/inicio");
        ADD_FAILURE() << "a redirect loop ended without an error";
      } catch (const ErroHttp& e) {
        EXPECT_EQ(e.type(), HttpErrorType::protocol);
        EXPECT_EQ(e.code(), 302);
        EXPECT_EQ(std::string(e.what()), "Too many redirects.");
      }
      EXPECT_EQ(client.ResponseCode(), 302);
    }
    EXPECT_EQ(connections.destinations.size(), 15u);
    // Every redirect body read, the last one included, has its begin and end.
    EXPECT_EQ(std::count(n.events.begin(), n.events.end(), "E"), 15);
  }
}

TEST(RedirectTest, StreamRewindsAndGetsOnlyFinalBody) {
  MemoryConnections connections{{redirect("b", "ignorado"), ok("final")}};
  ClienteHttp client(HttpSettings::session(), systemClock(), connections.openChannel());
  MemoryStream stream;
  stream.write("cab:", 4);
  client.Get("http://h/a", stream);
  EXPECT_EQ(stream.data, "cab:final");
}

TEST(RedirectTest, RedirectFailures) {
  struct Case {
    HttpSettings config;
    std::string response, message;
  } cases[] = {
      {HttpSettings::login(), redirect("/b"), "HTTP/1.1 302 Found"},
      {HttpSettings::session(), redirect("https://h/b"), "IOHandler value is not valid"},
      {HttpSettings::session(), "HTTP/1.1 301 Moved\r\nContent-Length: 0\r\n\r\n",
       "HTTP/1.1 301 Moved"},
  };
  for (const auto& c : cases) {
    MemoryConnections connections{{c.response}};
    ClienteHttp client(c.config, systemClock(), connections.openChannel());
    try {
      client.Get("http://h/a");
      ADD_FAILURE() << c.message;
    } catch (const ErroHttp& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
    EXPECT_EQ(connections.destinations.size(), 1u);
  }
}

TEST(RedirectTest, LocationSurvivesChunkedTrailers) {
  std::string trailers;
  for (int i = 0; i < 64; ++i) trailers += "T" + std::to_string(i) + ": v\r\n";
  MemoryConnections connections{
      {"HTTP/1.1 302 Found\r\nLocation: /destino\r\nTransfer-Encoding: chunked"
       "\r\n\r\n1\r\nx\r\n0\r\n" +
           trailers + "\r\n",
       ok("chegou")}};
  ClienteHttp client(HttpSettings::session(), systemClock(), connections.openChannel());
  EXPECT_EQ(client.Get("http://h/a"), "chegou");
  EXPECT_EQ(connections.sent.at(1).substr(0, 23), "GET /destino HTTP/1.1\r\n");
}

}  // namespace
}  // namespace orvanta
