// Relayed documents in a real working directory.
#include "printing/document_folder_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/exception.h"

namespace orvanta {
namespace {

std::string contentOf(const wchar_t* name) {
  HANDLE file =
      CreateFileW(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<cannot open>";
  std::string content;
  char block[256];
  DWORD read = 0;
  while (ReadFile(file, block, sizeof block, &read, nullptr) && read > 0)
    content.append(block, read);
  CloseHandle(file);
  return content;
}

// A fresh, empty working directory for each test.
struct WorkingFolderTest : ::testing::Test {
  wchar_t previous[MAX_PATH] = {};
  std::wstring dir;

  void SetUp() override {
    GetCurrentDirectoryW(MAX_PATH, previous);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    dir = std::wstring(temp) + L"orvanta-relay-" + std::to_wstring(GetCurrentProcessId());
    ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
    ASSERT_TRUE(SetCurrentDirectoryW(dir.c_str()));
  }
  void TearDown() override {
    SetCurrentDirectoryW(previous);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring path = dir + L"\\" + found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveDirectoryW(path.c_str());
        } else {
          DeleteFileW(path.c_str());
        }
      } while (FindNextFileW(search, &found));
      FindClose(search);
    }
    RemoveDirectoryW(dir.c_str());
  }
};

TEST_F(WorkingFolderTest, WritesANewFileUnsharedUntilCommitted) {
  WorkingFolder folder;
  std::unique_ptr<DocumentFile> file = folder.createNew("relat\xC3\xB3rio final.pdf");
  ASSERT_TRUE(file);
  // Nothing may read the document before it is whole.
  EXPECT_EQ(CreateFileW(L"relat\u00F3rio final.pdf", GENERIC_READ,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE);
  file->setSize(8);
  file->write("%PDF", 4);
  file->setSize(file->position());
  file->commit();
  EXPECT_EQ(contentOf(L"relat\u00F3rio final.pdf"), "%PDF");
}

TEST_F(WorkingFolderTest, NeverReplacesAFileOrAFolderOfTheSameName) {
  WorkingFolder folder;
  std::unique_ptr<DocumentFile> first = folder.createNew("Documento.pdf");
  ASSERT_TRUE(first);
  first->write("first", 5);
  first->commit();
  EXPECT_EQ(folder.createNew("Documento.pdf"), nullptr);
  EXPECT_EQ(folder.createNew("DOCUMENTO.PDF"), nullptr);
  EXPECT_EQ(contentOf(L"Documento.pdf"), "first");

  ASSERT_TRUE(CreateDirectoryW(L"pasta.pdf", nullptr));
  EXPECT_EQ(folder.createNew("pasta.pdf"), nullptr);
}

TEST_F(WorkingFolderTest, RemoveDeletesAndOtherCreationFailuresThrow) {
  WorkingFolder folder;
  folder.createNew("parcial.pdf")->write("pa", 2);
  folder.remove("parcial.pdf");
  EXPECT_EQ(GetFileAttributesW(L"parcial.pdf"), INVALID_FILE_ATTRIBUTES);
  EXPECT_THROW(folder.createNew("sem pasta\\a.pdf"), Exception);
}

}  // namespace
}  // namespace orvanta
