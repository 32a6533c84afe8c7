#include "update/update_download.h"

#include "update/publishers.h"

namespace orvanta {

UpdateDownload::UpdateDownload(JanelaDownload::Environment environment, Timer& timer3,
                               int& lastPosition, Endpoints endpoints,
                               const CpuidInstruction& cpuid,
                               std::function<void()> requestTermination)
    : timer3_(timer3),
      endpoints_(std::move(endpoints)),
      cpuid_(cpuid),
      requestTermination_(std::move(requestTermination)),
      window_(
          environment, lastPosition,
          [this] {
            return DownloadDestination{endpoints_.updater(processorReports64Bit(cpuid_)), kFileName,
                                       kUpdaterPolicy};
          },
          [this] { timer3_.setEnabled(true); }) {
  timer3_.setEnabled(false);
  timer3_.setIntervalMs(kTerminationDelayMs);
  timer3_.onTick = [this] { Timer3Timer(); };
}

void UpdateDownload::Timer3Timer() {
  timer3_.setEnabled(false);
  requestTermination_();
}

}  // namespace orvanta
