// Surroundings of a download window in a Windows test: an application whose error boxes are
// recorded (staying up a while, their loop running, as a person reads them), an empty working
// directory, and the updater stand-in's bytes.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/pump_win.h"
#include "ui/application_win.h"
#include "ui/message_box_win.h"
#include "ui/timer_win.h"

namespace orvanta::test {

namespace fs = std::filesystem;

inline std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The updater stand-in, reached through Wine's drive for the Unix root.
inline std::string stubProgram() {
  std::string path = "Z:" ORVANTA_STUB;
  for (char& c : path) c = c == '/' ? '\\' : c;
  return readFile(path);
}

inline bool waitForFile(const char* name, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (GetTickCount64() < end) {
    if (fs::exists(name)) return true;
    Sleep(50);
  }
  return false;
}

class RecordedBoxes final : public MessageBoxes {
 public:
  struct Box {
    std::wstring text;
    std::wstring title;
    UINT type;
  };
  int show(HWND, std::wstring_view text, std::wstring_view title, UINT type) override {
    boxes.push_back({std::wstring(text), std::wstring(title), type});
    pumpFor(std::chrono::milliseconds(readingMs));
    if (afterReading) afterReading();
    return IDOK;
  }
  std::vector<Box> boxes;
  DWORD readingMs = 0;
  std::function<void()> afterReading;
};

class TestWindow : public testing::Test {
 protected:
  void SetUp() override {
    previousFolder_ = fs::current_path();
    folder_ = fs::temp_directory_path() /
              ("download_window_" + std::to_string(GetCurrentProcessId()) + "_" +
               testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    fs::current_path(folder_);
    // Fails the test instead of hanging it when a modal run does not end.
    watchdog.onTick = [this] {
      ADD_FAILURE() << "the window's modal run did not end";
      app.terminate();
    };
    watchdog.setEnabled(true);
  }
  void TearDown() override {
    // A termination request must not reach the next test's loop.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    fs::current_path(previousFolder_);
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  RecordedBoxes boxes;
  Application app{boxes};
  WinTimer watchdog{app, 90000};

 private:
  fs::path previousFolder_;
  fs::path folder_;
};

}  // namespace orvanta::test
