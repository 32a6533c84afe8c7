// An HTTP download that delivers its body piece by piece over virtual time, and may fail.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "fakes/fake_timer.h"
#include "service/erro_http.h"
#include "service/http_transfer.h"

namespace orvanta::test {

struct Piece {
  int64_t waitMs = 0;  // before the piece arrives
  size_t bytes = 0;
  // The wait lets messages through (another box open, say) instead of blocking the thread.
  bool messagesDuringWait = false;
};

struct Script {
  Script(std::optional<int64_t> length_ = std::nullopt, std::vector<Piece> pieces_ = {},
         std::optional<ErroHttp> failure_ = std::nullopt, bool isErrorPage_ = false,
         bool endsBeforeFailure_ = false)
      : length(length_),
        pieces(std::move(pieces_)),
        failure(std::move(failure_)),
        isErrorPage(isErrorPage_),
        endsBeforeFailure(endsBeforeFailure_) {}

  std::optional<int64_t> length;  // announced length; none reports 0, as an until-close body
  std::vector<Piece> pieces;
  std::optional<ErroHttp> failure;  // raised after the pieces
  // The pieces are an error answer's page: read whole, kept out of the destination.
  bool isErrorPage = false;
  // The body ends with the end notification before the failure, as a body cut short does.
  bool endsBeforeFailure = false;
};

class ScriptedTransfer : public HttpTransfer {
 public:
  explicit ScriptedTransfer(FakeTimerService& clock) : clock_(clock) {}

  std::string Get(std::string_view) override { throw std::logic_error("text GET not expected"); }

  void Get(std::string_view aUrl, ByteStream& destination) override {
    urls.emplace_back(aUrl);
    startMs = clock_.nowMs();
    // No answer at all (connection refused, say): no notification either.
    if (script.failure && script.pieces.empty()) throw *script.failure;
    if (OnWorkBegin) OnWorkBegin(*this, TWorkMode::wmRead, script.length.value_or(0));
    int64_t total = 0;
    for (const Piece& t : script.pieces) {
      if (t.messagesDuringWait) {
        clock_.advance(t.waitMs);
      } else {
        clock_.blockFor(t.waitMs);
      }
      total += static_cast<int64_t>(t.bytes);
      if (OnWork) OnWork(*this, TWorkMode::wmRead, total);
      if (!script.isErrorPage) destination.write(std::string(t.bytes, 'x').data(), t.bytes);
    }
    if (script.failure && !script.isErrorPage && !script.endsBeforeFailure) throw *script.failure;
    if (OnWorkEnd) OnWorkEnd(*this, TWorkMode::wmRead);
    endMs = clock_.nowMs();
    if (script.failure) throw *script.failure;
  }

  Script script;
  std::vector<std::string> urls;
  std::optional<int64_t> startMs;
  std::optional<int64_t> endMs;

 private:
  FakeTimerService& clock_;
};

}  // namespace orvanta::test
