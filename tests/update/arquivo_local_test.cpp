#include "update/arquivo_local_win.h"

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
class ArquivoLocalTeste : public testing::Test {
 protected:
  void SetUp() override {
    anterior_ = fs::current_path();
    pasta_ = fs::temp_directory_path() / ("arquivo_local_" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(pasta_);
    fs::create_directories(pasta_);
    fs::current_path(pasta_);
  }
  void TearDown() override {
    fs::current_path(anterior_);
    fs::remove_all(pasta_);
  }

  static std::string ler(const char* nome) {
    std::ifstream in(nome, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  fs::path anterior_;
  fs::path pasta_;
};

TEST_F(ArquivoLocalTeste, ReplacesAnOldFileAndHoldsItUnsharedUntilClosed) {
  std::ofstream("pdf.exe", std::ios::binary) << std::string(5000, 'v');
  ArquivoLocal arquivos;
  {
    const auto fluxo = arquivos.criar("pdf.exe");
    EXPECT_EQ(fluxo->size(), 0) << "the old contents are gone";
    fluxo->setSize(10);  // a download first reserves the announced length
    fluxo->write("novo", 4);
    fluxo->setSize(4);  // and cuts it back to what arrived
    EXPECT_EQ(fluxo->position(), 4);

    HANDLE outro = CreateFileW(L"pdf.exe", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(outro, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    if (outro != INVALID_HANDLE_VALUE) CloseHandle(outro);
  }
  EXPECT_EQ(ler("pdf.exe"), "novo");
}

TEST_F(ArquivoLocalTeste, ReportsAFileThatCannotBeCreated) {
  ArquivoLocal arquivos;
  try {
    arquivos.criar("nao-existe\\atualiza.exe");
    FAIL() << "created a file in a missing folder";
  } catch (const Excecao& e) {
    EXPECT_EQ(e.nomeClasse(), "EFCreateError");
    EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"nao-existe\\atualiza.exe\". ", 0),
              0u)
        << e.what();
  }
}

}  // namespace
}  // namespace orvanta
