#include <gtest/gtest.h>

#include "base/exception.h"
#include "login/login_response.h"
#include "login/remover_numeros.h"
#include "login/site_selector.h"
#include "login/version.h"

namespace orvanta {
namespace {

TEST(RemoverNumerosTest, DropsEveryDigitWherever) {
  const std::pair<const char*, const char*> cases[] = {
      {"abc12def", "abcdef"}, {"123abc", "abc"},      {"abc999", "abc"}, {"a1b22c333", "abc"},
      {"0123456789", ""},     {"tamberi", "tamberi"}, {"", ""},          {"joão7", "joão"},
  };
  for (const auto& [entry, expected] : cases) {
    EXPECT_EQ(RemoverNumeros(entry), expected) << entry;
  }
}

TEST(SiteSelectorTest, ShowsOnlyForTheSplitAccount) {
  EXPECT_TRUE(showsSiteSelector("tamberi"));
  EXPECT_TRUE(showsSiteSelector("tamberi2"));
  EXPECT_TRUE(showsSiteSelector("ta1mberi"));
  EXPECT_FALSE(showsSiteSelector("Tamberi"));
  EXPECT_FALSE(showsSiteSelector("tamberi "));
  EXPECT_FALSE(showsSiteSelector("tamberix"));
  EXPECT_FALSE(showsSiteSelector(""));
}

TEST(PublishedVersionTest, ComparedWholeAfterDroppingLineBreaks) {
  const std::pair<const char*, bool> cases[] = {
      {"2.0", false}, {"2.0\r\n", false}, {"\n2.0\n", false}, {"2.\r0", false}, {"2.0 ", true},
      {"2.1", true},  {"", true},         {"2.00", true},     {" 2.0", true},
  };
  for (const auto& [published, differs] : cases) {
    EXPECT_EQ(publishedVersionDiffers(published), differs) << '"' << published << '"';
  }
}

TEST(SplitLoginResponseTest, SplitsAtTheFirstSemicolon) {
  struct Case {
    const char* response;
    const char* server;
    const char* port;
    bool found;
  };
  const Case cases[] = {
      {"srv01;3389", "srv01", "3389", true},
      {"srv01;", "srv01", "", false},
      {";3389", "", "3389", false},
      {"srv01", "", "", false},
      {"a;b;c", "a", "b;c", true},
      {"", "", "", false},
      {"srv01;3389\r\n", "srv01", "3389\r\n", true},
  };
  for (const auto& c : cases) {
    const LoginResponse r = splitLoginResponse(c.response);
    EXPECT_EQ(r.server, c.server) << c.response;
    EXPECT_EQ(r.portText, c.port) << c.response;
    EXPECT_EQ(r.accountFound(), c.found) << c.response;
  }
}

TEST(PortParsingTest, AcceptsTheIntegerForms) {
  const std::pair<const char*, int32_t> cases[] = {
      {"3389", 3389},
      {" 3389", 3389},
      {"   3389", 3389},
      {"+3389", 3389},
      {"-1", -1},
      {"$D3D", 3389},
      {"$d3d", 3389},
      {"x1F", 31},
      {"X1F", 31},
      {"0x1F", 31},
      {"-$10", -16},
      {"007", 7},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"$7FFFFFFF", INT32_MAX},
      {"$FFFFFFFF", -1},
  };
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(parsePort(text), value) << '"' << text << '"';
  }
}

TEST(PortParsingTest, RejectsEverythingElse) {
  const char* cases[] = {
      "33x9",  "b;c",    "3389 ",      "3389\r\n",    "3389\n",     "",
      " ",     "+",      "-",          "+-1",         "$",          "0x",
      "0X1F",  "\t3389", "2147483648", "-2147483649", "$100000000", "99999999999999999999",
      "3 389", "$G",     "1e3",        "３３８９",
  };
  for (const char* text : cases) {
    EXPECT_THROW(parsePort(text), Exception) << '"' << text << '"';
  }
}

}  // namespace
}  // namespace orvanta
