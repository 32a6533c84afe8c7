#include "update/janela_download.h"

#include <memory>

namespace orvanta {

JanelaDownload::JanelaDownload(Environment environment, int& ultimaPosicao,
                               std::function<DownloadDestination()> chooseDestination,
                               std::function<void()> afterLaunch)
    : environment_(environment),
      ultimaPosicao_(ultimaPosicao),
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
  http.OnWorkEnd = [this](HttpTransfer&, TWorkMode) { bar_.setPosition(bar_.max()); };
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
    // A failed download is never started; the failure goes on to be shown to the user.
    stage_ = Stage::failed;
    environment_.timer2.setEnabled(false);
    throw;
  }
  stage_ = Stage::finished;
}

void JanelaDownload::fetch() {
  const DownloadDestination destination = chooseDestination_();
  fileName_ = destination.fileName;
  // The stream closes the file on every way out, before the program can be started.
  const std::unique_ptr<ByteStream> file = environment_.files.create(destination.fileName);
  environment_.http.Get(destination.url, *file);
}

void JanelaDownload::Timer2Timer() {
  const int pos = bar_.position();
  // The bar also stands still while a transfer stalls or announces no length, so only a
  // finished fetch with its file closed counts.
  if (pos == ultimaPosicao_ && stage_ == Stage::finished) {
    stage_ = Stage::launched;
    environment_.launcher.launch(fileName_);
    environment_.timer2.setEnabled(false);
    ultimaPosicao_ = pos;
    afterLaunch_();
    return;
  }
  ultimaPosicao_ = pos;
}

}  // namespace orvanta
