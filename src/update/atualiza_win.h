// TFrmAtualiza (unit atualiza): downloads the client's updater, starts it and ends the program.
#pragma once

#include <functional>
#include <memory>

#include "service/transferencia_http.h"
#include "update/arquivo_local_win.h"
#include "update/download_atualizacao.h"
#include "update/janela_download_win.h"

namespace orvanta {

class TFrmAtualiza {
 public:
  // ultimaPosicao is the class's last bar position, kept by whoever creates the windows.
  TFrmAtualiza(
      int& ultimaPosicao, std::unique_ptr<TransferenciaHttp> IdHTTP1,
      Endpoints endpoints = Endpoints(),
      std::function<void()> solicitarEncerramento = [] { PostQuitMessage(0); });

  void ShowModal() { janela_.ShowModal(); }
  JanelaDownloadWin& janela() { return janela_; }
  const BarraProgresso& ProgressBar1() { return nucleo_.janela().ProgressBar1(); }

 private:
  JanelaDownloadWin janela_;
  std::unique_ptr<TransferenciaHttp> IdHTTP1_;
  ArquivoLocal arquivos_;
  CpuidDoProcessador cpuid_;
  DownloadAtualizacao nucleo_;
};

}  // namespace orvanta
