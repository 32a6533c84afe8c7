#include "update/atualiza_win.h"

namespace orvanta {

TFrmAtualiza* FrmAtualiza = nullptr;

TFrmAtualiza::TFrmAtualiza(Application& app)
    : TFrmAtualiza(app, FrmAtualiza ? FrmAtualiza->UltimaPosicao() : ownPosition_) {}

TFrmAtualiza::TFrmAtualiza(Application& app, int& lastPosition, std::unique_ptr<HttpTransfer> http,
                           Endpoints endpoints)
    : JanelaDownloadWin(app, lastPosition, std::move(http), HttpSettings::update()),
      core_(environment(), Timer3, UltimaPosicao(), std::move(endpoints), cpuid_,
            [this] { this->app().terminate(); }) {
  createWindow(L"TFrmAtualiza");
}

}  // namespace orvanta
