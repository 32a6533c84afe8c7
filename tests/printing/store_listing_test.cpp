#include "printing/store_listing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvanta {
namespace {

struct ListingCase {
  std::string reply;
  std::vector<std::string> entries;
};

TEST(StoreListingTest, BreakTagsAndLineEndsSplitEntries) {
  const std::string longName = std::string(56, 'x') + ".pdf";
  const ListingCase cases[] = {
      {"", {}},
      {"a.pdf", {"a.pdf"}},
      {"a.pdf<br>b.pdf<br>", {"a.pdf", "b.pdf"}},
      {"<BR>a.pdf", {"", "a.pdf"}},
      {"a<Br>b<bR>c", {"a", "b", "c"}},
      {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
      {"a\n\rb", {"a", "", "b"}},
      {"a<br>\nb", {"a", "b"}},
      {"a<br>\rb", {"a", "", "b"}},
      {"a\r\n", {"a"}},
      {"a\r\n\r\n", {"a", ""}},
      {"\n", {""}},
      {"<br><br>", {"", ""}},
      {"x<br", {"x<br"}},
      {"<b>a</b><br />c", {"<b>a</b><br />c"}},
      {" relatorio final.pdf  <br>", {" relatorio final.pdf  "}},
      {longName + "<br>", {longName}},
  };
  for (const ListingCase& c : cases) {
    EXPECT_EQ(splitStoreListing(c.reply), c.entries) << '"' << c.reply << '"';
  }
}

}  // namespace
}  // namespace orvanta
