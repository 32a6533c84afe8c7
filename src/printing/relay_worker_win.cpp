#include "printing/relay_worker_win.h"

#include <windows.h>

namespace orvanta {
namespace {

constexpr UINT kJobEnded = WM_APP + 1;

}  // namespace

WinRelayWorker::WinRelayWorker(Application& app, TransferCancel& cancel)
    : Window(app), cancel_(cancel) {
  // Made with the first job: the relay runs only in a session.
  createWhenNeeded([this] { createMessageOnly(L"OrvantaRelayWorker"); });
}

WinRelayWorker::~WinRelayWorker() {
  cancel();
}

void WinRelayWorker::start(std::function<void()> job, std::function<void()> done) {
  if (thread_.joinable()) thread_.join();
  cancel_.reset();
  done_ = std::move(done);
  const WPARAM id = ++job_;
  thread_ = std::thread([job = std::move(job), window = hwnd(), id] {
    try {
      job();
    } catch (...) {
      // Jobs report their own failures; nothing may leave the thread.
    }
    PostMessageW(window, kJobEnded, id, 0);
  });
}

void WinRelayWorker::cancel() {
  cancel_.cancel();
  if (thread_.joinable()) thread_.join();
  done_ = nullptr;
  ++job_;
}

LRESULT WinRelayWorker::handleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != kJobEnded) return Window::handleMessage(msg, wParam, lParam);
  if (wParam == job_ && done_) {
    thread_.join();
    const std::function<void()> done = std::move(done_);
    done_ = nullptr;
    done();
  }
  return 0;
}

}  // namespace orvanta
