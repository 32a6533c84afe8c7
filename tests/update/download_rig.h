// A download window's surroundings in virtual time: timers, transfer, files, signature checks,
// messages and launches.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "base/launcher.h"
#include "fakes/fake_file_folder.h"
#include "fakes/fake_signature_check.h"
#include "fakes/fake_timer.h"
#include "fakes/fake_user_messages.h"
#include "scripted_transfer.h"
#include "update/janela_download.h"

namespace orvanta::test {

struct Launch {
  std::string name;
  int64_t ms = 0;
  bool fileOpen = false;
  bool transferFinished = false;
};

class RecordingLauncher : public ProgramLauncher {
 public:
  void launch(std::string_view commandLine) override { onLaunch(commandLine); }
  std::function<void(std::string_view)> onLaunch;
};

// A signature check as the window asked for it.
struct Verification {
  std::string name;
  int64_t ms = 0;
  bool fileOpen = false;
};

// A message as the window showed it to the user.
struct ShownMessage {
  std::string text;
  int64_t ms = 0;
  bool fileStillThere = false;
};

// A failure as the window showed it to the user.
struct ShownFailure {
  std::string message;
  int64_t ms = 0;
  bool fileStillThere = false;
};

struct DownloadRig {
  DownloadRig() {
    launcher.onLaunch = [this](std::string_view name) {
      const auto file = folder.files.find(std::string(name));
      launches.push_back({std::string(name), clock.nowMs(),
                          file != folder.files.end() && file->second.open, http.endMs.has_value()});
    };
    signatures.onVerify = [this](std::string_view name) {
      const auto file = folder.files.find(std::string(name));
      verifications.push_back(
          {std::string(name), clock.nowMs(), file != folder.files.end() && file->second.open});
    };
    userMessages.onMessage = [this](const std::string& text) {
      shownMessages.push_back({text, clock.nowMs(), !folder.files.empty()});
    };
  }

  JanelaDownload::Environment environment() {
    return {timer1,
            timer2,
            http,
            clock,
            folder,
            launcher,
            signatures,
            userMessages,
            [this](std::exception_ptr failure) { failures.push_back(shown(failure)); },
            [this] { closeTimesMs.push_back(clock.nowMs()); }};
  }

  ShownFailure shown(std::exception_ptr failure) {
    ShownFailure f{"", clock.nowMs(), !folder.files.empty()};
    try {
      std::rethrow_exception(failure);
    } catch (const std::exception& e) {
      f.message = e.what();
    }
    return f;
  }

  FakeTimerService clock;
  FakeTimer timer1{clock};
  FakeTimer timer2{clock};
  FakeTimer timer3{clock};
  FakeFileFolder folder;
  ScriptedTransfer http{clock};
  RecordingLauncher launcher;
  test::FakeSignatureCheck signatures;
  test::FakeUserMessages userMessages;
  std::vector<Verification> verifications;
  std::vector<ShownMessage> shownMessages;
  std::vector<Launch> launches;
  std::vector<ShownFailure> failures;
  std::vector<int64_t> closeTimesMs;
};

}  // namespace orvanta::test
