// Cookies: Set-Cookie attributes, RFC 6265 dates, domain and path rules, the store's
// replacement, expiry, ordering and bound, and the client sending them back.
#include <gtest/gtest.h>

#include "memory_connections.h"
#include "service/cliente_http.h"
#include "service/cookie_date.h"
#include "service/cookies.h"
#include "service/erro_http.h"

namespace orvanta {
namespace {

using test::MemoryConnections;

constexpr int64_t k2020 = 1577836800;  // 2020-01-01 00:00:00 UTC

TEST(CookieDateTest, ValidAndInvalidFormats) {
  struct Case {
    std::string text;
    std::optional<int64_t> expected;
  } cases[] = {
      {"Wed, 01 Jan 2020 00:00:00 GMT", k2020},
      {"Wednesday, 01-Jan-20 00:00:00 GMT", k2020},
      {"Wed Jan  1 00:00:00 2020", k2020},
      {"1 jan 2020 0:0:0", k2020},
      {"01 JANUARY 2020 00:00:01 xyz", k2020 + 1},
      {"Thu, 01 Jan 1970 00:00:00 GMT", 0},
      {"01 Jan 69 00:00:00", 3124224000},
      {"29 Feb 2024 12:30:45", 1709209845},
      {"30 Feb 2024 12:30:45", {}},
      {"32 Jan 2020 00:00:00", {}},
      {"01 Jan 2020 24:00:00", {}},
      {"01 Jan 1600 00:00:00", {}},
      {"01 Foo 2020 00:00:00", {}},
      {"01 Jan 2020", {}},
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(parseCookieDate(c.text), c.expected) << c.text;
}

TEST(SetCookieTest, Attributes) {
  struct Case {
    std::string header;
    bool accepted;
    std::string name, value, domain, path;
    bool hostOnly, persistent;
    int64_t expiry;
  } cases[] = {
      {"a=1", true, "a", "1", "www.ex.com", "/dir", true, false, INT64_MAX},
      {" \"b\" = \"2\" ; Path=/p; Secure; HttpOnly", true, "b", "2", "www.ex.com", "/p", true,
       false, INT64_MAX},
      {"c=3; Domain=.EX.com; path=rel", true, "c", "3", "ex.com", "/dir", false, false, INT64_MAX},
      {"d=4; Domain=", true, "d", "4", "www.ex.com", "/dir", true, false, INT64_MAX},
      // An attribute without a value is ignored: the valid one before it stands.
      {"d=4; Domain=ex.com; Domain=", true, "d", "4", "ex.com", "/dir", false, false, INT64_MAX},
      {"d=4; Path=/p; Path=", true, "d", "4", "www.ex.com", "/p", true, false, INT64_MAX},
      {"e=5; Max-Age=60; Expires=Wed, 01 Jan 2020 00:00:00 GMT", true, "e", "5", "www.ex.com",
       "/dir", true, true, k2020 + 1000 + 60},
      {"f=6; expires=Wed, 01 Jan 2020 00:00:00 GMT; Max-Age=bad", true, "f", "6", "www.ex.com",
       "/dir", true, true, k2020},
      {"g=7; Path=/a; PATH=/b", true, "g", "7", "www.ex.com", "/b", true, false, INT64_MAX},
      {"h=", true, "h", "", "www.ex.com", "/dir", true, false, INT64_MAX},
      {"semigual", false, "", "", "", "", false, false, 0},
      {"=v", false, "", "", "", "", false, false, 0},
      {"i=1; Domain=outro.com", false, "", "", "", "", false, false, 0},
      {"j=1; Domain=w.ex.com", false, "", "", "", "", false, false, 0},
      // One site must not set cookies for every site under a top-level domain.
      {"k=1; Domain=.com", false, "", "", "", "", false, false, 0},
      {"k=1; domain=com", false, "", "", "", "", false, false, 0},
      {"k=1; Domain=com.", false, "", "", "", "", false, false, 0},
      // A control character other than a tab makes the whole line ignored.
      {std::string("AAA=BB\0ZYX", 10), false, "", "", "", "", false, false, 0},
      {"l=1\r2", false, "", "", "", "", false, false, 0},
      {"l=1; Path=/p\x01", false, "", "", "", "", false, false, 0},
      {"l=1\x7F", false, "", "", "", "", false, false, 0},
      {"m=a\tb", true, "m", "a\tb", "www.ex.com", "/dir", true, false, INT64_MAX},
      {"n=a\xC3\xA7\xC3\xA3o", true, "n", "a\xC3\xA7\xC3\xA3o", "www.ex.com", "/dir", true, false,
       INT64_MAX},
  };
  for (const auto& c : cases) {
    auto cookie = parseSetCookie(c.header, "www.ex.com", "/dir/", k2020 + 1000);
    ASSERT_EQ(cookie.has_value(), c.accepted) << c.header;
    if (!cookie) continue;
    EXPECT_EQ(cookie->name, c.name) << c.header;
    EXPECT_EQ(cookie->value, c.value) << c.header;
    EXPECT_EQ(cookie->domain, c.domain) << c.header;
    EXPECT_EQ(cookie->path, c.path) << c.header;
    EXPECT_EQ(cookie->hostOnly, c.hostOnly) << c.header;
    EXPECT_EQ(cookie->persistent, c.persistent) << c.header;
    EXPECT_EQ(cookie->expiry, c.expiry) << c.header;
  }
}

TEST(SetCookieTest, DomainNeverSuffixOfIpAddress) {
  EXPECT_FALSE(parseSetCookie("a=1; Domain=0.0.1", "127.0.0.1", "/", 0));
  EXPECT_TRUE(parseSetCookie("a=1; Domain=127.0.0.1", "127.0.0.1", "/", 0));
}

TEST(SetCookieTest, SingleLabelDomainOnlyForThatVeryHost) {
  EXPECT_TRUE(parseSetCookie("a=1; Domain=localhost", "LocalHost", "/", 0));
  EXPECT_TRUE(parseSetCookie("a=1; Domain=.intranet", "intranet", "/", 0));
  EXPECT_FALSE(parseSetCookie("a=1; Domain=localhost", "app.localhost", "/", 0));
  EXPECT_FALSE(parseSetCookie("a=1; Domain=.org", "www.ex.org", "/", 0));
}

TEST(MatchingTest, DomainAndPath) {
  EXPECT_TRUE(domainMatches("www.ex.com", "ex.com"));
  EXPECT_TRUE(domainMatches("EX.com", "ex.com"));
  EXPECT_FALSE(domainMatches("wwwex.com", "ex.com"));
  EXPECT_FALSE(domainMatches("ex.com", "www.ex.com"));
  struct Case {
    std::string request, cookie;
    bool matches;
  } cases[] = {{"/a/", "/a", true}, {"/a/b/", "/a/", true}, {"/ab/", "/a", false},
               {"/A/", "/a", true}, {"/", "/a", false},     {"/a", "/a", true},
               {"/a/b/", "/", true}};
  for (const auto& c : cases) {
    EXPECT_EQ(pathMatches(c.request, c.cookie), c.matches) << c.request << " " << c.cookie;
  }
}

struct Clock {
  int64_t now = k2020;
  orvanta::Clock asFunction() {
    return [this] { return now; };
  }
};

TEST(CookieStoreTest, OrderReplacementAndExpiry) {
  Clock clock;
  CookieStore store(clock.asFunction());
  store.receive("curto=1; Path=/", "h", "/a/");
  clock.now += 10;
  store.receive("longo=2; Path=/a/b", "h", "/a/");
  store.receive("velho=3; Path=/a/b", "h", "/a/");
  store.receive("outro=4; Path=/a/c", "h", "/a/");
  store.receive("seguro=5; Secure", "h", "/a/");
  clock.now += 10;
  // Same name, domain and path (any case): replaced, keeping its creation time.
  store.receive("CURTO=9; Path=/", "H", "/a/");
  EXPECT_EQ(store.headerFor("h", "/a/b/"), "longo=2; velho=3; CURTO=9");
  EXPECT_EQ(store.headerFor("outro-host", "/a/b/"), "");

  store.receive("longo=x; Max-Age=-1; Path=/a/b", "h", "/a/");
  store.receive("velho=3; Path=/a/b; Max-Age=5", "h", "/a/");
  EXPECT_EQ(store.headerFor("h", "/a/b/"), "velho=3; CURTO=9");
  clock.now += 5;
  EXPECT_EQ(store.headerFor("h", "/a/b/"), "CURTO=9");
}

TEST(CookieStoreTest, CreationOrderForEqualPaths) {
  Clock clock;
  CookieStore store(clock.asFunction());
  store.receive("b=2", "h", "/");
  clock.now += 1;
  store.receive("a=1", "h", "/");
  clock.now += 1;
  store.receive("b=3", "h", "/");
  EXPECT_EQ(store.headerFor("h", "/"), "b=3; a=1");
}

TEST(CookieStoreTest, LimitDropsLeastUsed) {
  Clock clock;
  CookieStore store(clock.asFunction());
  for (size_t i = 0; i < CookieStore::kMaxCookies; ++i) {
    store.receive("c" + std::to_string(i) + "=v; Path=/p" + std::to_string(i), "h", "/");
  }
  clock.now += 1;
  store.headerFor("h", "/p0/");  // c0 was used: c1 is now the least recent
  store.receive("novo=1", "h", "/");
  EXPECT_EQ(store.cookies().size(), CookieStore::kMaxCookies);
  EXPECT_EQ(store.headerFor("h", "/p0/"), "c0=v; novo=1");
  EXPECT_EQ(store.headerFor("h", "/p1/"), "novo=1");
}

TEST(ClienteHttpCookiesTest, SentOnlyToSameHostAndTakenFromAnyAnswer) {
  MemoryConnections connections{
      {"HTTP/1.1 100 Continue\r\nSet-Cookie: cem=1\r\n\r\n"
       "HTTP/1.1 302 Found\r\nLocation: /b\r\nSet-Cookie: tres=3; Path=/\r\nContent-Length: "
       "0\r\n\r\n",
       "HTTP/1.1 404 Not Found\r\nSet-Cookie: erro=4; Path=/\r\nContent-Length: 0\r\n\r\n",
       "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n",
       "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"}};
  ClienteHttp client(HttpSettings::login(), systemClock(), connections.openChannel());
  EXPECT_THROW(client.Get("http://h/a"), ErroHttp);
  EXPECT_THROW(client.Get("http://h/a"), ErroHttp);
  client.Get("http://h/a");
  client.Get("http://sub.h/a");
  EXPECT_EQ(connections.sent.at(0).find("Cookie"), std::string::npos);
  EXPECT_NE(connections.sent.at(2).find("\r\nCookie: cem=1; tres=3; erro=4\r\n"),
            std::string::npos);
  EXPECT_EQ(connections.sent.at(3).find("Cookie"), std::string::npos);
}

}  // namespace
}  // namespace orvanta
