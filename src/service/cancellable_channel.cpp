#include "service/cancellable_channel.h"

#include <algorithm>

#include "service/erro_http.h"

namespace orvanta {
namespace {

// How late a cancelled transfer notices.
constexpr int kSliceMs = 50;

class CancellableChannel final : public Channel {
 public:
  CancellableChannel(std::unique_ptr<Channel> inner, const TransferCancel& cancel, int inactivityMs)
      : inner_(std::move(inner)), cancel_(cancel), inactivityMs_(inactivityMs) {}

  size_t read(char* destination, size_t capacity) override {
    if (!waitForData(inactivityMs_)) {
      throwIfCancelled();
      throw ErroHttp(HttpErrorType::socket, "Read timed out.");
    }
    return inner_->read(destination, capacity);
  }

  void write(std::string_view data) override {
    throwIfCancelled();
    inner_->write(data);
  }

  bool waitForData(int timeoutMs) override {
    const Deadline end = earlier(deadlineIn(std::max(timeoutMs, 1)), deadline_);
    for (;;) {
      throwIfCancelled();
      const int left = waitWithin(kSliceMs, end);
      if (left <= 0) return false;
      if (inner_->waitForData(left)) return true;
    }
  }

  bool isIdle() override { return inner_->isIdle(); }

  void setDeadline(Deadline deadline) override {
    deadline_ = earlier(deadline_, deadline);
    inner_->setDeadline(deadline);
  }

 private:
  void throwIfCancelled() const {
    if (cancel_.cancelled()) throw ErroHttp(HttpErrorType::socket, "Transfer cancelled.");
  }

  std::unique_ptr<Channel> inner_;
  const TransferCancel& cancel_;
  int inactivityMs_;
  Deadline deadline_;
};

}  // namespace

ClienteHttp::ChannelOpener cancellableOpener(ClienteHttp::ChannelOpener inner,
                                             const TransferCancel& cancel, int inactivityMs) {
  return [inner = std::move(inner), &cancel, inactivityMs](
             const std::string& host, int port, Deadline connectBy) -> std::unique_ptr<Channel> {
    if (cancel.cancelled()) throw ErroHttp(HttpErrorType::socket, "Transfer cancelled.");
    return std::make_unique<CancellableChannel>(inner(host, port, connectBy), cancel, inactivityMs);
  };
}

}  // namespace orvanta
