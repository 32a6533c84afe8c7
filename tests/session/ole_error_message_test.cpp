#include "session/ole_error_message.h"

#include <gtest/gtest.h>

namespace orvanta {
namespace {

TEST(OleErrorMessageTest, TrimsTrailingBlanksControlCharactersAndFullStops) {
  EXPECT_EQ(trimMessage("Access is denied. \r\n"), "Access is denied");
  EXPECT_EQ(trimMessage("v1.2 ok..\t"), "v1.2 ok");
  EXPECT_EQ(trimMessage(" . \r\n"), "");
  EXPECT_EQ(trimMessage("keeps. inner dots"), "keeps. inner dots");
}

TEST(OleErrorMessageTest, PrefersTheControlsDescriptionThenTheSystemTextThenTheCode) {
  struct Case {
    const char* description;
    const char* systemText;
    uint32_t code;
    const char* expected;
  };
  const Case cases[] = {
      {"Refused. ", "Unspecified error.\r\n", 0x80004005u, "Refused"},
      {"", "Unspecified error.\r\n", 0x80004005u, "Unspecified error"},
      {" .\r\n", "", 0x80004005u, "OLE error 80004005"},
      {"", "", 0x80040154u, "Class not registered"},
      {"", "", 0x1u, "OLE error 00000001"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(oleErrorMessage(c.description, c.systemText, c.code), c.expected) << c.description;
  }
}

}  // namespace
}  // namespace orvanta
