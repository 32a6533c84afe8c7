// Where the relay's transfers run: away from the window's thread, so that the session never
// waits for the store.
#pragma once

#include <functional>

namespace orvanta {

class RelayWorker {
 public:
  virtual ~RelayWorker() = default;
  // Runs `job` on the worker, then `done` on the window's thread. One job at a time: a job is
  // started only after the previous one's `done` ran. Neither may throw.
  virtual void start(std::function<void()> job, std::function<void()> done) = 0;
  // Ends a running job's transfer and waits for the job to end; its `done` never runs.
  virtual void cancel() = 0;
};

}  // namespace orvanta
