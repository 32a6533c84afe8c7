#include "update/janela_download.h"

#include <memory>

namespace orvanta {

JanelaDownload::JanelaDownload(Environment environment, int& lastPosition,
                               std::function<DownloadDestination()> chooseDestination,
                               std::function<void()> afterLaunch)
    : environment_(environment),
      lastPosition_(lastPosition),
      chooseDestination_(std::move(chooseDestination)),
      afterLaunch_(std::move(afterLaunch)) {
  environment_.timer1.setEnabled(false);
  environment_.timer1.setIntervalMs(kStartDelayMs);
  environment_.timer1.onTick = [this] { Timer1Timer(); };
  environment_.timer2.setEnabled(false);
  environment_.timer2.setIntervalMs(kCheckIntervalMs);
  environment_.timer2.onTick = [this] { Timer2Timer(); };

  HttpTransfer& http = environment_.http;
  http.OnWorkBegin = [this](HttpTransfer&, TWorkMode, int64_t total) { bar_.setMax(total); };
  http.OnWork = [this](HttpTransfer&, TWorkMode, int64_t received) {
    bar_.setPosition(received);
    environment_.messages.processMessages();
  };
}

void JanelaDownload::FormShow() {
  environment_.timer1.setEnabled(true);
}

void JanelaDownload::Timer1Timer() {
  environment_.timer1.setEnabled(false);
  if (stage_ != Stage::waiting) return;
  environment_.timer2.setEnabled(true);
  bar_.setPosition(0);
  stage_ = Stage::downloading;
  try {
    fetch();
  } catch (...) {
    fail(std::current_exception());
    return;
  }
  // Full only now: the end of an error answer's page is no finished download.
  bar_.setPosition(bar_.max());
  stage_ = Stage::finished;
}

// A failed download is never started and leaves nothing that looks like a program: the file
// goes, the bar empties, and once the user has read the error the window closes, taking them
// back to where the download was asked for.
void JanelaDownload::fail(std::exception_ptr failure) {
  stage_ = Stage::failed;
  environment_.timer2.setEnabled(false);
  if (!fileName_.empty()) environment_.files.remove(fileName_);
  bar_.setPosition(0);
  environment_.showFailure(failure);
  environment_.close();
}

void JanelaDownload::fetch() {
  const DownloadDestination destination = chooseDestination_();
  // The stream closes the file on every way out, before the program can be started or the
  // file removed.
  const std::unique_ptr<ByteStream> file = environment_.files.create(destination.fileName);
  fileName_ = destination.fileName;
  policy_ = destination.policy;
  environment_.http.Get(destination.url, *file);
}

void JanelaDownload::Timer2Timer() {
  const int pos = bar_.position();
  // The bar also stands still while a transfer stalls or announces no length, so only a
  // finished fetch with its file closed counts.
  if (pos == lastPosition_ && stage_ == Stage::finished) {
    environment_.timer2.setEnabled(false);
    lastPosition_ = pos;
    if (!mayLaunch()) return;
    stage_ = Stage::launched;
    environment_.launcher.launch(fileName_);
    afterLaunch_();
    return;
  }
  lastPosition_ = pos;
}

// Checked right before the start, on the closed file as it will be started.
bool JanelaDownload::mayLaunch() {
  SignatureVerification verification{kVerificationFailed, {}, {}};
  // A build without the check does not ask the platform at all.
  if (policy_.checkSignature) {
    try {
      verification = environment_.signatures.verify(fileName_);
    } catch (...) {
      // Stays failed: a check that could not be made verified nothing.
    }
  }
  const LaunchDecision decision = decideLaunch(policy_, verification);
  if (!decision.run) refuse(decision.message);
  return decision.run;
}

// As if nothing had been published: no program is left to be started by anyone, the user is
// told once, and the window closes, back to where the download was asked for.
void JanelaDownload::refuse(std::string_view message) {
  stage_ = Stage::refused;
  environment_.files.remove(fileName_);
  environment_.userMessages.showMessage(message);
  environment_.close();
}

}  // namespace orvanta
