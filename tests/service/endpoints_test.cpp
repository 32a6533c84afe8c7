#include "service/endpoints.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memory_connections.h"
#include "service/cliente_http.h"

namespace orvanta {
namespace {

const Hosts kHosts{"rota.example", "rota2.example", "www.example", 52};

struct Case {
  bool alternative;
  std::string url;
  std::string expected;
};

TEST(EndpointsTest, RouteUrlsForBothRoutes) {
  const Endpoints e(kHosts);
  const Case cases[] = {
      {false, e.routeBase(false), "http://rota.example:52/"},
      {true, e.routeBase(true), "http://rota2.example:52/"},
      {false, e.login(false, "abcdef_ruruvudud"),
       "http://rota.example:52/app/login.php?usuario=abcdef_ruruvudud"},
      {true, e.login(true, "abcdef"), "http://rota2.example:52/app/login.php?usuario=abcdef"},
      {false, e.storeListing(false, "abc12def"), "http://rota.example:52/abc12def/store/index.php"},
      {true, e.storeListing(true, "abc12def"), "http://rota2.example:52/abc12def/store/index.php"},
      {false, e.storeFile(false, "ana 1", "meu doc.pdf"),
       "http://rota.example:52/ana%201/store/meu%20doc.pdf"},
      {true, e.storeFile(true, "ana", "a b c.pdf"),
       "http://rota2.example:52/ana/store/a%20b%20c.pdf"},
      {false, e.storeRemoval(false, "ana", "meu doc.pdf"),
       "http://rota.example:52/ana/store/remove.php?arquivo=meu%20doc.pdf"},
      {true, e.storeRemoval(true, "ana", "x.pdf"),
       "http://rota2.example:52/ana/store/remove.php?arquivo=x.pdf"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.url, c.expected) << "alternative=" << c.alternative;
  }
}

TEST(EndpointsTest, SiteUrls) {
  const Endpoints e(Hosts{"r", "r2", "site.example:8052", 52});
  EXPECT_EQ(e.version(), "http://site.example:8052/remoto/update/versao.php");
  EXPECT_EQ(e.updater(true), "http://site.example:8052/remoto/update/x64/atualiza.exe");
  EXPECT_EQ(e.updater(false), "http://site.example:8052/remoto/update/x32/atualiza.exe");
  EXPECT_EQ(e.pdfTool(), "http://site.example:8052/ferramentas/pdf.exe");
}

TEST(EndpointsTest, TypedTextReachesTheServiceExactlyAsTyped) {
  // Each typed account name, as the login request line and the store listing's request line
  // go out on the wire: anything but letters, digits and "-._~" is percent-encoded.
  struct Case {
    std::string typed, login, listing;
  } cases[] = {
      {"ana&x=1", "/app/login.php?usuario=ana%26x%3D1", "/ana%26x%3D1/store/index.php"},
      {"ana#1", "/app/login.php?usuario=ana%231", "/ana%231/store/index.php"},
      {"jo%ee", "/app/login.php?usuario=jo%25ee", "/jo%25ee/store/index.php"},
      {"a+b", "/app/login.php?usuario=a%2Bb", "/a%2Bb/store/index.php"},
      {"joao silva", "/app/login.php?usuario=joao%20silva", "/joao%20silva/store/index.php"},
      {"m\xC3\xA1ria", "/app/login.php?usuario=m%C3%A1ria", "/m%C3%A1ria/store/index.php"},
      {"CLIENTE1", "/app/login.php?usuario=CLIENTE1", "/CLIENTE1/store/index.php"},
      {"a-b.c_d~e", "/app/login.php?usuario=a-b.c_d~e", "/a-b.c_d~e/store/index.php"},
  };
  const Endpoints e(kHosts);
  for (const Case& c : cases) {
    test::MemoryConnections connections{{"HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n",
                                         "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"}};
    ClienteHttp client(HttpSettings::login(), systemClock(), connections.openChannel());
    client.Get(e.login(false, c.typed));
    client.Get(e.storeListing(false, c.typed));
    std::vector<std::string> lines;
    for (const std::string& request : connections.sent) {
      lines.push_back(request.substr(0, request.find("\r\n")));
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"GET " + c.login + " HTTP/1.1",
                                               "GET " + c.listing + " HTTP/1.1"}))
        << c.typed;
  }
}

TEST(EndpointsTest, StoreUrlsSendTheEntrysBytesBackPercentEncoded) {
  const Endpoints e(kHosts);
  struct Case {
    std::string entry;
    std::string encoded;
  };
  const Case cases[] = {
      {"d e&f.pdf", "d%20e%26f.pdf"},
      {"a#b.pdf", "a%23b.pdf"},
      {"q?x=1%2.pdf", "q%3Fx%3D1%252.pdf"},
      {"relat\xC3\xB3rio final.pdf", "relat%C3%B3rio%20final.pdf"},  // UTF-8
      {"relat\xF3rio.pdf", "relat%F3rio.pdf"},                       // ISO-8859-1
      {"a\tb+c.pdf", "a%09b%2Bc.pdf"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(e.storeFile(false, "a b&c", c.entry),
              "http://rota.example:52/a%20b%26c/store/" + c.encoded);
    EXPECT_EQ(e.storeRemoval(true, "a b&c", c.entry),
              "http://rota2.example:52/a%20b%26c/store/remove.php?arquivo=" + c.encoded);
  }
}

}  // namespace
}  // namespace orvanta
