// The update window's behaviour: fetches the updater built for this processor, starts it and
// one second later ends the program so that the updater can replace it.
#pragma once

#include <functional>

#include "service/endpoints.h"
#include "update/janela_download.h"
#include "update/processor.h"

namespace orvanta {

class UpdateDownload {
 public:
  static constexpr int kTerminationDelayMs = 1000;
  static constexpr const char* kFileName = "atualiza.exe";

  UpdateDownload(JanelaDownload::Environment environment, Timer& timer3, int& lastPosition,
                 Endpoints endpoints, const CpuidInstruction& cpuid,
                 std::function<void()> requestTermination);

  void FormShow() { window_.FormShow(); }
  JanelaDownload& window() { return window_; }

 private:
  void Timer3Timer();

  Timer& timer3_;
  Endpoints endpoints_;
  const CpuidInstruction& cpuid_;
  std::function<void()> requestTermination_;
  JanelaDownload window_;
};

}  // namespace orvanta
