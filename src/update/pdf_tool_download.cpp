#include "update/pdf_tool_download.h"

namespace orvanta {

PdfToolDownload::PdfToolDownload(JanelaDownload::Environment environment, int& lastPosition,
                                 const Endpoints& endpoints, std::function<void()> close)
    : window_(
          environment, lastPosition,
          [url = endpoints.pdfTool()] {
            return DownloadDestination{url, kFileName};
          },
          std::move(close)) {}

}  // namespace orvanta
