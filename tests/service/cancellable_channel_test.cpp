// A connection that never sends a byte, read through the cancellable wrapper: cancelling from
// another thread ends the read, and so does the inactivity time-out.
#include "service/cancellable_channel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "service/erro_http.h"

namespace orvanta {
namespace {

class SilentChannel final : public Channel {
 public:
  size_t read(char*, size_t) override { return 0; }
  void write(std::string_view) override { ++writes; }
  bool waitForData(int timeoutMs) override {
    waiting = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
    return false;
  }
  bool isIdle() override { return true; }
  std::atomic<bool> waiting{false};
  int writes = 0;
};

struct Opened {
  SilentChannel* inner = nullptr;
  std::unique_ptr<Channel> channel;
};

Opened open(const TransferCancel& cancel, int inactivityMs) {
  Opened opened;
  auto opener = cancellableOpener(
      [&](const std::string&, int, Deadline) {
        auto inner = std::make_unique<SilentChannel>();
        opened.inner = inner.get();
        return inner;
      },
      cancel, inactivityMs);
  opened.channel = opener("127.0.0.1", 52, std::nullopt);
  return opened;
}

TEST(CancellableChannelTest, CancellingFromAnotherThreadEndsABlockedRead) {
  TransferCancel cancel;
  Opened opened = open(cancel, 60000);
  std::thread canceller([&] {
    while (!opened.inner->waiting) std::this_thread::yield();
    cancel.cancel();
  });
  char byte;
  EXPECT_THROW(opened.channel->read(&byte, 1), ErroHttp);
  canceller.join();
  // Once cancelled, nothing more is sent and no new connection is opened.
  EXPECT_THROW(opened.channel->write("GET"), ErroHttp);
  EXPECT_EQ(opened.inner->writes, 0);
  EXPECT_THROW(open(cancel, 60000), ErroHttp);
  cancel.reset();
  EXPECT_NO_THROW(open(cancel, 60000));
}

TEST(CancellableChannelTest, ASilentConnectionTimesOutAfterTheInactivityTime) {
  TransferCancel cancel;
  Opened opened = open(cancel, 120);
  char byte;
  try {
    opened.channel->read(&byte, 1);
    FAIL() << "read returned";
  } catch (const ErroHttp& e) {
    EXPECT_EQ(e.type(), HttpErrorType::socket);
    EXPECT_EQ(std::string(e.what()), "Read timed out.");
  }
}

}  // namespace
}  // namespace orvanta
