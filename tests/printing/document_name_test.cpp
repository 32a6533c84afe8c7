#include "printing/document_name.h"

#include <gtest/gtest.h>

#include <string>

namespace orvanta {
namespace {

TEST(DocumentNameTest, PlainFileNamesAreSafe) {
  const std::string safe[] = {
      "a.pdf",
      "relatorio final.pdf",
      "Relat\xC3\xB3rio (1).pdf",
      ".pdf",
      "a..b.pdf",
      "CONSOLE.pdf",
      "COM10.pdf",
      "com.pdf",
      "LPTX.pdf",
      "nota.bat",
      std::string(251, 'x') + ".pdf",
      // 200 accented letters: 400 bytes of UTF-8, but 200 units on disk.
      [] {
        std::string s;
        for (int i = 0; i < 200; ++i) s += "\xC3\xA9";
        return s;
      }(),
  };
  for (const std::string& name : safe) EXPECT_TRUE(isSafeDocumentName(name)) << name;
}

TEST(DocumentNameTest, NamesReachingOutsideTheFolderOrADeviceAreUnsafe) {
  const std::string unsafe[] = {
      "",
      "..\\..\\Users\\x\\AppData\\Roaming\\Microsoft\\Windows\\Start "
      "Menu\\Programs\\Startup\\a.bat",
      "..\\evil.pdf",
      "../evil.pdf",
      "sub/a.pdf",
      "C:\\x.pdf",
      "C:x.pdf",
      "a.pdf:stream",
      "..",
      ".",
      "doc.",
      "doc.pdf ",
      " ",
      "CON",
      "CON.pdf",
      "con.pdf",
      "Nul.tar.gz",
      "CON .pdf",
      "PRN.txt",
      "AUX",
      "COM1.pdf",
      "com9",
      "LPT1.pdf",
      "lpt0.x",
      "COM\xC2\xB9.pdf",
      "CONIN$",
      "conout$.pdf",
      std::string("a\0b.pdf", 7),
      "a\x01.pdf",
      "tab\t.pdf",
      "line\r\n.pdf",
      "del\x7F.pdf",
      "next\xC2\x85line.pdf",
      "a?.pdf",
      "a*.pdf",
      "a|b.pdf",
      "a<b>.pdf",
      "say \"hi\".pdf",
      "\xFF.pdf",
      "\xC3.pdf",
      "\xED\xA0\x80.pdf",
      std::string(252, 'x') + ".pdf",
      // 128 characters beyond the basic plane: 256 UTF-16 units.
      [] {
        std::string s;
        for (int i = 0; i < 128; ++i) s += "\xF0\x9F\x93\x84";
        return s;
      }(),
  };
  for (const std::string& name : unsafe) EXPECT_FALSE(isSafeDocumentName(name)) << name;
}

TEST(DocumentNameTest, OnlyPdfNamesCountAsPdf) {
  struct Case {
    const char* name;
    bool pdf;
  };
  const Case cases[] = {{"a.pdf", true},  {"A.PDF", true}, {"a.Pdf", true},      {".pdf", true},
                        {"pdf", false},   {"apdf", false}, {"a.pdf.exe", false}, {"a.pdfx", false},
                        {"a.bat", false}, {"", false}};
  for (const Case& c : cases) EXPECT_EQ(isPdfName(c.name), c.pdf) << c.name;
}

TEST(DocumentNameTest, NumberGoesBeforeTheExtension) {
  EXPECT_EQ(numberedName("Documento.pdf", 2), "Documento (2).pdf");
  EXPECT_EQ(numberedName("relatorio final.pdf", 13), "relatorio final (13).pdf");
  EXPECT_EQ(numberedName("a.b.pdf", 3), "a.b (3).pdf");
  EXPECT_EQ(numberedName("leiame", 2), "leiame (2)");
}

}  // namespace
}  // namespace orvanta
