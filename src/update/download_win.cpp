#include "update/download_win.h"

namespace orvanta {

TFrmDownload* FrmDownload = nullptr;

TFrmDownload::TFrmDownload(Application& app)
    : TFrmDownload(app, FrmDownload ? FrmDownload->UltimaPosicao() : ownPosition_) {}

TFrmDownload::TFrmDownload(Application& app, int& lastPosition, std::unique_ptr<HttpTransfer> http,
                           const Endpoints& endpoints)
    : JanelaDownloadWin(app, lastPosition, std::move(http), HttpSettings::installer()),
      core_(environment(), UltimaPosicao(), endpoints, [this] { close(); }) {
  createWindow(L"TFrmDownload");
}

}  // namespace orvanta
