// ClienteHttp over memory channels: request bytes, status handling, body framing read in
// pieces of several sizes, notifications, text decoding and failures.
#include <gtest/gtest.h>

#include "catch_http_error.h"
#include "memory_connections.h"
#include "notification_recorder.h"
#include "service/cliente_http.h"
#include "service/erro_http.h"

namespace orvanta {
namespace {

using test::catchHttpError;
using test::MemoryConnections;
using test::MemoryStream;
using test::NotificationRecorder;

const std::string kFixedHeaders =
    "Accept: text/html, */*\r\nAccept-Encoding: identity\r\n"
    "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n\r\n";

std::string ok(const std::string& body) {
  return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

TEST(ClienteHttpRequestTest, RequestBytesPerUrl) {
  struct Case {
    std::string url, line, host;
  } cases[] = {
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
  for (const auto& c : cases) {
    MemoryConnections connections{{ok("")}};
    ClienteHttp client(HttpSettings::login(), systemClock(), connections.openChannel());
    client.Get(c.url);
    EXPECT_EQ(connections.sent.at(0), c.line + "\r\n" + c.host + "\r\n" + kFixedHeaders) << c.url;
  }
}

// User information is never sent, neither in the request nor as part of the host.
TEST(ClienteHttpRequestTest, UserInformationDropped) {
  for (std::string url :
       {"http://user@h:52/p", "http://user:senha@h:52/p", "http://a@b:c@h:52/p"}) {
    MemoryConnections connections{{ok("")}};
    ClienteHttp client(HttpSettings::login(), systemClock(), connections.openChannel());
    client.Get(url);
    EXPECT_EQ(connections.destinations, std::vector<std::string>{"h:52"}) << url;
    EXPECT_EQ(connections.sent.at(0), "GET /p HTTP/1.1\r\nHost: h:52\r\n" + kFixedHeaders) << url;
  }
}

// Servers refuse folded header lines, so a long value still goes out on one line.
TEST(ClienteHttpRequestTest, InstanceHeadersAndLongLinesUnfolded) {
  HttpSettings config = HttpSettings::update();
  std::string longValue;
  while (longValue.size() < 2500) longValue += "Mozilla/3.0 (compatible) ";
  longValue.pop_back();
  config.userAgent = longValue;
  MemoryConnections connections{{ok("")}};
  ClienteHttp client(config, systemClock(), connections.openChannel());
  client.Get("http://h:8052/x");
  EXPECT_EQ(connections.sent.at(0),
            "GET /x HTTP/1.1\r\nHost: h:8052\r\n"
            "Accept: text/html, */*,*.exe\r\n"
            "Accept-Encoding: identity\r\nUser-Agent: " +
                longValue + "\r\n\r\n");
}

TEST(ClienteHttpRequestTest, SettingsOfTheFourWindows) {
  struct Case {
    HttpSettings config;
    std::string accept;
    bool redirect;
    int connectMs, inactivityMs, callMs;
  } cases[] = {{HttpSettings::login(), "text/html, */*", false, 10000, 10000, 10000},
               {HttpSettings::session(), "text/html, */*", true, 15000, 30000, 0},
               {HttpSettings::update(), "text/html, */*,*.exe", false, 15000, 30000, 0},
               {HttpSettings::installer(), "text/html, */*,*.exe", false, 15000, 30000, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.config.accept, c.accept);
    EXPECT_EQ(c.config.handleRedirects, c.redirect);
    EXPECT_EQ(c.config.timeouts.connectMs, c.connectMs);
    EXPECT_EQ(c.config.timeouts.inactivityMs, c.inactivityMs);
    EXPECT_EQ(c.config.timeouts.callMs, c.callMs);
    EXPECT_TRUE(c.config.allowCookies);
    EXPECT_EQ(c.config.userAgent, "Mozilla/3.0 (compatible; Indy Library)");
    EXPECT_EQ(c.config.redirectMaximum, 15);
  }
}

// Each framing read with the socket delivering 1, 7 or 32768 bytes at a time.
class FramingTest : public ::testing::TestWithParam<size_t> {};

TEST_P(FramingTest, BodiesAndNotifications) {
  struct Case {
    std::string name, response, body;
    std::vector<std::string> events;  // empty: checked only for the body
  } cases[] = {
      {"length", ok("hello world"), "hello world", {}},
      {"chunked",
       "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
       "5;ext=1\r\nhello\r\n6\r\n world\r\n0\r\nX-Trailer: t\r\n\r\n",
       "hello world",
       {}},
      {"untilClose", "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\nuntil close", "until close", {}},
      {"zeroLength", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", "", {}},
      {"noContent204", "HTTP/1.1 204 No Content\r\n\r\n", "", {}},
      {"continue100", "HTTP/1.1 100 Continue\r\n\r\n" + ok("x"), "x", {}},
      {"headerContinuation",
       "HTTP/1.1 200 OK\r\nX-A: a\r\n  b\r\nContent-Length: 2\r\ncontent-length:  2 \r\n\r\nab",
       "ab",
       {}},
  };
  for (const auto& c : cases) {
    MemoryConnections connections{{c.response}, GetParam()};
    ClienteHttp client(HttpSettings::login(), systemClock(), connections.openChannel());
    EXPECT_EQ(client.Get("http://h/x"), c.body) << c.name;
  }
}

TEST_P(FramingTest, ExactNotifications) {
  MemoryConnections connections{{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                                 "3\r\nabc\r\n0\r\n\r\n"},
                                GetParam()};
  ClienteHttp client(HttpSettings::update(), systemClock(), connections.openChannel());
  NotificationRecorder n;
  n.attach(client);
  MemoryStream stream;
  client.Get("http://h/x", stream);
  EXPECT_EQ(stream.data, "abc");
  ASSERT_GE(n.events.size(), 4u);
  EXPECT_EQ(n.events.front(), "B0");
  EXPECT_EQ(n.events.back(), "E");
  // Size lines with their line ends are counted: "3\r\n" + "abc" + "0\r\n".
  EXPECT_EQ(n.events[n.events.size() - 2], "W9");
}

INSTANTIATE_TEST_SUITE_P(Pieces, FramingTest, ::testing::Values(1, 7, 32768));

// A body of several pieces followed by more bytes on the connection: the body ends exactly at its
// length and no piece is larger than 32768 bytes, whatever the socket hands over at once.
TEST(ClienteHttpLargeBodyTest, BoundedPiecesAndExactBody) {
  std::string body(3 * 32768 + 5, '\0');
  for (size_t i = 0; i < body.size(); ++i) body[i] = static_cast<char>('a' + i % 23);
  for (size_t readSize : {size_t{1}, size_t{7}, size_t{32768}, size_t{100000}}) {
    MemoryConnections connections{{ok(body) + ok("seguinte")}, readSize};
    ClienteHttp client(HttpSettings::installer(), systemClock(), connections.openChannel());
    NotificationRecorder n;
    n.attach(client);
    MemoryStream stream;
    client.Get("http://h/grande", stream);
    EXPECT_TRUE(stream.data == body) << readSize;
    int64_t previous = 0;
    for (const auto& e : n.events) {
      if (e[0] != 'W') continue;
      int64_t current = std::stoll(e.substr(1));
      EXPECT_LE(current - previous, 32768) << readSize;
      previous = current;
    }
    EXPECT_EQ(previous, static_cast<int64_t>(body.size())) << readSize;
  }
}

TEST(ClienteHttpNotificationsTest, ExactSequences) {
  struct Case {
    std::string name, response;
    std::vector<std::string> events;
  } cases[] = {
      {"length", ok("abcdef"), {"B6", "W6", "E"}},
      {"zeroLengthNoNotifications", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", {}},
      {"untilCloseStartsAtZero", "HTTP/1.1 200 OK\r\n\r\nabc", {"B0", "W3", "E"}},
      {"chunked",
       "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nab\r\n0\r\n\r\n",
       {"B0", "W3", "W5", "W8", "E"}},
  };
  for (const auto& c : cases) {
    MemoryConnections connections{{c.response}};
    ClienteHttp client(HttpSettings::update(), systemClock(), connections.openChannel());
    NotificationRecorder n;
    n.attach(client);
    client.Get("http://h/x");
    EXPECT_EQ(n.events, c.events) << c.name;
  }
}

TEST(ClienteHttpNotificationsTest, DownloadErrorNotifiesAndWritesNothing) {
  std::string page = "<h1>nao</h1>";
  MemoryConnections connections{
      {"HTTP/1.1 404 Not Found\r\nContent-Type: text/html\r\nContent-Length: " +
       std::to_string(page.size()) + "\r\n\r\n" + page}};
  ClienteHttp client(HttpSettings::installer(), systemClock(), connections.openChannel());
  NotificationRecorder n;
  n.attach(client);
  MemoryStream stream;
  ErroHttp e = catchHttpError([&] { client.Get("http://h/setup.exe", stream); });
  EXPECT_EQ(e.type(), HttpErrorType::protocol);
  EXPECT_EQ(std::string(e.what()), "HTTP/1.1 404 Not Found");
  EXPECT_EQ(e.code(), 404);
  EXPECT_EQ(e.errorText(), page);
  EXPECT_EQ(n.events, (std::vector<std::string>{"B12", "W12", "E"}));
  EXPECT_EQ(stream.data, "");
  EXPECT_EQ(stream.resizes, 0);
}

TEST(ClienteHttpStatusTest, AcceptedAndRefusedOnBothInstances) {
  struct Case {
    std::string response;
    bool redirect;
    std::optional<int> error;  // nothing: success
    std::string message;
  } cases[] = {
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
  for (const auto& c : cases) {
    MemoryConnections connections{{c.response}};
    ClienteHttp client(c.redirect ? HttpSettings::session() : HttpSettings::login(), systemClock(),
                       connections.openChannel());
    if (!c.error) {
      EXPECT_NO_THROW(client.Get("http://h/x")) << c.response;
      continue;
    }
    ErroHttp e = catchHttpError([&] { client.Get("http://h/x"); });
    EXPECT_EQ(e.type(), HttpErrorType::protocol) << c.response;
    EXPECT_EQ(e.code(), *c.error) << c.response;
    EXPECT_EQ(std::string(e.what()), c.message);
  }
}

TEST(ClienteHttpFailuresTest, TypesAndMessages) {
  struct Case {
    std::string url, response;
    HttpErrorType type;
    std::string message;
  } cases[] = {
      {"http://h/x", "", HttpErrorType::closed, "Connection Closed Gracefully."},
      {"http://h/x", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nab",
       HttpErrorType::closed, "Connection Closed Gracefully."},
      {"http://h/x", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc", HttpErrorType::closed,
       "Connection Closed Gracefully."},
      {"http://h/x", "HTTP/1.1 200 OK\r\nX: " + std::string(16400, 'a') + "\r\n\r\n",
       HttpErrorType::other, "Max line length exceeded."},
      {"ftp://h/x", "", HttpErrorType::other, "Unknown Protocol"},
      {"h/x", "", HttpErrorType::other, "Unknown Protocol"},
      {"https://h/x", "", HttpErrorType::other, "IOHandler value is not valid"},
  };
  for (const auto& c : cases) {
    MemoryConnections connections{{c.response}, 7};
    ClienteHttp client(HttpSettings::login(), systemClock(), connections.openChannel());
    ErroHttp e = catchHttpError([&] { client.Get(c.url); });
    EXPECT_EQ(e.type(), c.type) << c.url << c.response.substr(0, 60);
    EXPECT_EQ(std::string(e.what()), c.message);
    EXPECT_FALSE(client.isConnected());
  }
}

// A head that leaves the body's length in doubt: nothing of the body is delivered, so a download
// is never taken for complete.
TEST(ClienteHttpFailuresTest, AmbiguousHeadsDeliverNothing) {
  struct Case {
    std::string name, head;
    std::string message;
  } cases[] = {
      {"two lengths", "Content-Length: 5\r\nContent-Length: 10\r\n", "Conflicting Content-Length."},
      {"a length and a word", "Content-Length: 10\r\nContent-Length: dez\r\n",
       "Conflicting Content-Length."},
      {"a blank before the first header", " Content-Length: 5\r\n", "Invalid header line."},
      {"a tab before the first header", "\tContent-Length: 5\r\n", "Invalid header line."},
  };
  for (const auto& c : cases) {
    MemoryConnections connections{{"HTTP/1.1 200 OK\r\n" + c.head + "\r\n0123456789"}};
    ClienteHttp client(HttpSettings::installer(), systemClock(), connections.openChannel());
    NotificationRecorder n;
    n.attach(client);
    MemoryStream stream;
    ErroHttp e = catchHttpError([&] { client.Get("http://h/setup.exe", stream); });
    EXPECT_EQ(e.type(), HttpErrorType::other) << c.name;
    EXPECT_EQ(std::string(e.what()), c.message) << c.name;
    EXPECT_EQ(stream.data, "") << c.name;
    EXPECT_TRUE(n.events.empty()) << c.name;
    EXPECT_FALSE(client.isConnected()) << c.name;
  }
}

TEST(ClienteHttpFailuresTest, ShortBodyFailsAfterEndNotification) {
  MemoryConnections connections{{"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc"}};
  ClienteHttp client(HttpSettings::installer(), systemClock(), connections.openChannel());
  NotificationRecorder n;
  n.attach(client);
  MemoryStream stream;
  ErroHttp e = catchHttpError([&] { client.Get("http://h/x", stream); });
  EXPECT_EQ(e.type(), HttpErrorType::closed);
  EXPECT_EQ(n.events, (std::vector<std::string>{"B10", "W3", "E"}));
  EXPECT_EQ(stream.data.substr(0, 3), "abc");
}

TEST(ClienteHttpBoundedMemoryTest, ErrorPageKeepsOneMiB) {
  std::string page(3 * 1024 * 1024, 'x');
  MemoryConnections connections{
      {"HTTP/1.1 500 Erro\r\nContent-Length: " + std::to_string(page.size()) + "\r\n\r\n" + page}};
  ClienteHttp client(HttpSettings::login(), systemClock(), connections.openChannel());
  ErroHttp e = catchHttpError([&] { client.Get("http://h/x"); });
  EXPECT_EQ(e.errorText().size(), 1024u * 1024u);
}

TEST(ClienteHttpBoundedMemoryTest, HeaderBlockIsBounded) {
  std::string many;
  for (int i = 0; i < 20000; ++i)
    many += "X-" + std::to_string(i) + ": " + std::string(60, 'v') + "\r\n";
  MemoryConnections connections{{"HTTP/1.1 200 OK\r\n" + many + "\r\n"}};
  ClienteHttp client(HttpSettings::login(), systemClock(), connections.openChannel());
  ErroHttp e = catchHttpError([&] { client.Get("http://h/x"); });
  EXPECT_EQ(e.type(), HttpErrorType::other);
  EXPECT_EQ(std::string(e.what()), "Header block too large.");
}

TEST(ClienteHttpStreamTest, WritesFromPositionGrowsAndCuts) {
  MemoryConnections connections{{ok("12345")}};
  ClienteHttp client(HttpSettings::installer(), systemClock(), connections.openChannel());
  MemoryStream stream;
  stream.write("prefixo-e-resto-longo", 21);
  stream.setPosition(8);
  int64_t sizeAtBegin = -1;
  client.OnWorkBegin = [&](HttpTransfer&, TWorkMode, int64_t) { sizeAtBegin = stream.size(); };
  client.Get("http://h/x", stream);
  EXPECT_EQ(sizeAtBegin, 21);
  EXPECT_EQ(stream.data, "prefixo-12345");
}

TEST(ClienteHttpTextTest, DecodingByContentType) {
  struct Case {
    std::string type, body, text;
  } cases[] = {
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
  for (const auto& c : cases) {
    std::string header = c.type.empty() ? "" : "Content-Type: " + c.type + "\r\n";
    MemoryConnections connections{{"HTTP/1.1 200 OK\r\n" + header + "Content-Length: " +
                                   std::to_string(c.body.size()) + "\r\n\r\n" + c.body}};
    ClienteHttp client(HttpSettings::login(), systemClock(), connections.openChannel());
    EXPECT_EQ(client.Get("http://h/x"), c.text) << c.type;
  }
}

}  // namespace
}  // namespace orvanta
