#include "update/local_files_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/exception.h"

namespace orvanta {
namespace {

namespace fs = std::filesystem;

// Runs each test in its own empty working directory.
class LocalFilesTest : public testing::Test {
 protected:
  void SetUp() override {
    previousFolder_ = fs::current_path();
    folder_ =
        fs::temp_directory_path() / ("local_files_test_" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    fs::current_path(folder_);
  }
  void TearDown() override {
    fs::current_path(previousFolder_);
    fs::remove_all(folder_);
  }

  static std::string read(const char* name) {
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  fs::path previousFolder_;
  fs::path folder_;
};

TEST_F(LocalFilesTest, ReplacesAnOldFileAndHoldsItUnsharedUntilClosed) {
  std::ofstream("pdf.exe", std::ios::binary) << std::string(5000, 'v');
  LocalFiles files;
  {
    const auto stream = files.create("pdf.exe");
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
  EXPECT_EQ(read("pdf.exe"), "data");
}

TEST_F(LocalFilesTest, ReportsAFileThatCannotBeCreated) {
  LocalFiles files;
  try {
    files.create("no-such-folder\\atualiza.exe");
    FAIL() << "created a file in a missing folder";
  } catch (const Exception& e) {
    EXPECT_EQ(e.className(), "EFCreateError");
    EXPECT_EQ(
        std::string(e.what()).rfind("Cannot create file \"no-such-folder\\atualiza.exe\". ", 0), 0u)
        << e.what();
  }
}

}  // namespace
}  // namespace orvanta
