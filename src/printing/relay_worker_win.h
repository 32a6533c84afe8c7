// The relay's worker: one thread per job, reporting back to the window's thread by a message
// posted to a message-only window.
#pragma once

#include <functional>
#include <thread>

#include "printing/relay_worker.h"
#include "service/cancellable_channel.h"
#include "ui/window_win.h"

namespace orvanta {

class WinRelayWorker final : public RelayWorker, private Window {
 public:
  // `cancel` is the one the worker's HTTP client opens its connections with.
  WinRelayWorker(Application& app, TransferCancel& cancel);
  ~WinRelayWorker() override;

  void start(std::function<void()> job, std::function<void()> done) override;
  void cancel() override;

 private:
  LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

  TransferCancel& cancel_;
  std::thread thread_;
  std::function<void()> done_;
  // Tells the report of a cancelled job from the current one's.
  WPARAM job_ = 0;
};

}  // namespace orvanta
