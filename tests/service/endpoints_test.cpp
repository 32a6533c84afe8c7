#include "service/endpoints.h"

#include <gtest/gtest.h>

#include <string>

namespace orvanta {
namespace {

const Hosts kHosts{"rota.example", "rota2.example", "www.example", 52};

struct Case {
  bool alternative;
  std::string url;
  std::string expected;
};

TEST(Endpoints, RouteUrlsForBothRoutes) {
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

TEST(Endpoints, SiteUrls) {
  const Endpoints e(Hosts{"r", "r2", "site.example:8052", 52});
  EXPECT_EQ(e.version(), "http://site.example:8052/remoto/update/versao.php");
  EXPECT_EQ(e.updater(true), "http://site.example:8052/remoto/update/x64/atualiza.exe");
  EXPECT_EQ(e.updater(false), "http://site.example:8052/remoto/update/x32/atualiza.exe");
  EXPECT_EQ(e.pdfTool(), "http://site.example:8052/ferramentas/pdf.exe");
  EXPECT_EQ(e.support(), "http://site.example:8052");
}

TEST(Endpoints, RemovalKeepsTypedNameSpacesRaw) {
  // Only the entry name is encoded for removal; the typed name goes out as it stands.
  const Endpoints e(kHosts);
  EXPECT_EQ(e.storeRemoval(false, "a b", "c d"),
            "http://rota.example:52/a b/store/remove.php?arquivo=c%20d");
}

}  // namespace
}  // namespace orvanta
