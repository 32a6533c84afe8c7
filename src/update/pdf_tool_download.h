// The installer window's behaviour: fetches the PDF tool installer, starts it and closes.
#pragma once

#include <functional>

#include "service/endpoints.h"
#include "update/janela_download.h"

namespace orvanta {

class PdfToolDownload {
 public:
  static constexpr const char* kFileName = "pdf.exe";

  // close closes the window, which ends its modal run.
  PdfToolDownload(JanelaDownload::Environment environment, int& lastPosition,
                  const Endpoints& endpoints, std::function<void()> close);

  void FormShow() { window_.FormShow(); }
  JanelaDownload& window() { return window_; }

 private:
  JanelaDownload window_;
};

}  // namespace orvanta
