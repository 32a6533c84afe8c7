#include "update/download_win.h"

namespace orvanta {

TFrmDownload* FrmDownload = nullptr;

TFrmDownload::TFrmDownload(Application& app) : Window(app) {
  createTopLevel({.className = L"TFrmDownload",
                  .caption = "Download em andamento...",
                  .clientWidth = 912,
                  .clientHeight = 25,
                  .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU});
  ProgressBar1.create(*this, {0, 0, 912, 25});
}

void TFrmDownload::onResize(int clientWidth, int clientHeight) {
  if (ProgressBar1.hwnd()) ProgressBar1.setBounds({0, 0, clientWidth, clientHeight});
}

}  // namespace orvanta
