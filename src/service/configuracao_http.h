// The settings of one ClienteHttp, and the named settings of each window's instance.
#pragma once

#include <string>

namespace orvanta {

struct ConfiguracaoHttp {
  std::string accept;
  bool handleRedirects = false;
  bool allowCookies = true;
  std::string userAgent = "Mozilla/3.0 (compatible; Indy Library)";
  int redirectMaximum = 15;

  static ConfiguracaoHttp login();        // TFrmLogin
  static ConfiguracaoHttp sessao();       // TFrmPrincipal: the only one following redirects
  static ConfiguracaoHttp atualizacao();  // TFrmAtualiza
  static ConfiguracaoHttp instalador();   // TFrmDownload
};

}  // namespace orvanta
