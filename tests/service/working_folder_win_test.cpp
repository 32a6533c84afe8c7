// Downloads and relayed documents in a real working directory.
#include "service/working_folder_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
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
    dir = std::wstring(temp) + L"orvanta-folder-" + std::to_wstring(GetCurrentProcessId());
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
  std::unique_ptr<WritableFile> file = folder.createNew("relat\xC3\xB3rio final.pdf");
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
  std::unique_ptr<WritableFile> first = folder.createNew("Documento.pdf");
  ASSERT_TRUE(first);
  first->write("first", 5);
  first->commit();
  EXPECT_EQ(folder.createNew("Documento.pdf"), nullptr);
  EXPECT_EQ(folder.createNew("DOCUMENTO.PDF"), nullptr);
  EXPECT_EQ(contentOf(L"Documento.pdf"), "first");

  ASSERT_TRUE(CreateDirectoryW(L"pasta.pdf", nullptr));
  EXPECT_EQ(folder.createNew("pasta.pdf"), nullptr);
}

TEST_F(WorkingFolderTest, CreateReplacesAnOldFileAndHoldsItUnsharedUntilClosed) {
  std::ofstream("pdf.exe", std::ios::binary) << std::string(5000, 'v');
  WorkingFolder folder;
  {
    const auto stream = folder.create("pdf.exe");
    EXPECT_EQ(stream->size(), 0) << "the old contents are gone";
    stream->setSize(10);  // a download first reserves the announced length
    stream->write("data", 4);
    stream->setSize(4);  // and cuts it back to what arrived
    EXPECT_EQ(stream->position(), 4);

    HANDLE other = CreateFileW(L"pdf.exe", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(other, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
  }
  EXPECT_EQ(contentOf(L"pdf.exe"), "data");
}

TEST_F(WorkingFolderTest, ReportsAFileThatCannotBeCreated) {
  WorkingFolder folder;
  try {
    folder.create("no-such-folder\\atualiza.exe");
    FAIL() << "created a file in a missing folder";
  } catch (const Exception& e) {
    EXPECT_EQ(e.className(), "EFCreateError");
    EXPECT_EQ(
        std::string(e.what()).rfind("Cannot create file \"no-such-folder\\atualiza.exe\". ", 0), 0u)
        << e.what();
  }
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
