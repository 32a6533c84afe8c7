// What the two download-and-launch windows share: three seconds after being shown they fetch
// one program into the working directory with a progress bar, and once the fetch has finished
// and the bar has stood still for a whole check interval they start the program, provided its
// signature names an expected publisher. A failed fetch or a refused program is reported to
// the user, its file removed and the window closed.
#pragma once

#include <exception>
#include <functional>
#include <string>

#include "base/launcher.h"
#include "base/message_pump.h"
#include "base/timer.h"
#include "base/user_messages.h"
#include "service/file_folder.h"
#include "service/http_transfer.h"
#include "update/launch_decision.h"
#include "update/progress_bar_model.h"
#include "update/signature_check.h"

namespace orvanta {

struct DownloadDestination {
  std::string url;
  std::string fileName;    // also the name the program is started by
  PublisherPolicy policy;  // who must have signed it
};

class JanelaDownload {
 public:
  static constexpr int kStartDelayMs = 3000;
  static constexpr int kCheckIntervalMs = 10000;

  // The window's own parts and the platform services it uses; all outlive the JanelaDownload.
  struct Environment {
    Timer& timer1;
    Timer& timer2;
    HttpTransfer& http;
    MessagePump& messages;
    FileFolder& files;
    ProgramLauncher& launcher;
    SignatureCheck& signatures;
    UserMessages& userMessages;
    // Shows a failed download's error to the user; returns once it has been answered.
    std::function<void(std::exception_ptr)> showFailure;
    // Closes the window, which ends its modal run.
    std::function<void()> close;
  };

  // lastPosition belongs to the window class and outlives every instance: a later run of the
  // class compares its first check with the last position seen by the previous run.
  JanelaDownload(Environment environment, int& lastPosition,
                 std::function<DownloadDestination()> chooseDestination,
                 std::function<void()> afterLaunch);
  JanelaDownload(const JanelaDownload&) = delete;
  JanelaDownload& operator=(const JanelaDownload&) = delete;

  void FormShow();
  // The user closed the window: a transfer under way stops at its next piece, the file goes
  // and nothing is started.
  void FormClose();

  ProgressBarModel& ProgressBar1() { return bar_; }
  const ProgressBarModel& ProgressBar1() const { return bar_; }

 private:
  enum class Stage { waiting, downloading, finished, failed, refused, launched, cancelled };

  void Timer1Timer();
  void Timer2Timer();
  void fetch();
  void fail(std::exception_ptr failure);
  void discardFile();
  bool mayLaunch();
  void refuse(std::string_view message);

  Environment environment_;
  int& lastPosition_;
  std::function<DownloadDestination()> chooseDestination_;
  std::function<void()> afterLaunch_;
  ProgressBarModel bar_;
  Stage stage_ = Stage::waiting;
  std::string fileName_;  // once the file has been created
  PublisherPolicy policy_;
};

}  // namespace orvanta
