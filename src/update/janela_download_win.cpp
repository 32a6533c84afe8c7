#include "update/janela_download_win.h"

#include "service/cliente_http.h"

namespace orvanta {

JanelaDownloadWin::JanelaDownloadWin(Application& app, int& lastPosition,
                                     std::unique_ptr<HttpTransfer> http,
                                     const HttpSettings& settings)
    : Window(app),
      IdHTTP1(http ? std::move(http) : std::make_unique<ClienteHttp>(settings)),
      lastPosition_(lastPosition) {}

void JanelaDownloadWin::createWindow(const wchar_t* className) {
  ProgressBarModel& core = bar();
  core.onChange = [this, &core] {
    if (!ProgressBar1.hwnd()) return;  // shown as it is when the window is made
    ProgressBar1.setRange(0, core.max());
    ProgressBar1.setPosition(core.position());
  };
  // The instances made at start are never shown: they never need a window.
  createWhenNeeded([this, className] { create(className); });
}

void JanelaDownloadWin::create(const wchar_t* className) {
  constexpr int kWidth = 912;
  constexpr int kHeight = 25;
  // The bar follows the window's width, down to this on a small screen.
  constexpr int kSmallestWidth = 300;
  createTopLevel({.className = className,
                  .caption = "Download em andamento...",
                  .clientWidth = kWidth,
                  .clientHeight = kHeight,
                  .smallestClient = SIZE{kSmallestWidth, kHeight}});
  ProgressBar1.create(*this, {0, 0, kWidth, kHeight});
  bar().onChange();
}

void JanelaDownloadWin::onResize(int clientWidth, int clientHeight) {
  if (ProgressBar1.hwnd()) ProgressBar1.setBounds({0, 0, clientWidth, clientHeight});
}

}  // namespace orvanta
