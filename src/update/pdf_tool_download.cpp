#include "update/pdf_tool_download.h"

#include "update/publishers.h"

namespace orvanta {

PdfToolDownload::PdfToolDownload(JanelaDownload::Environment environment, int& lastPosition,
                                 const Endpoints& endpoints, std::function<void()> close)
    : window_(
          environment, lastPosition,
          [url = endpoints.pdfTool()] {
            return DownloadDestination{url, kFileName, kPdfToolPolicy};
          },
          std::move(close)) {}

}  // namespace orvanta
