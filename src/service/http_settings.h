// The settings of one ClienteHttp, and the named settings of each window's instance.
#pragma once

#include <string>

namespace orvanta {

struct HttpSettings {
  std::string accept;
  bool handleRedirects = false;
  bool allowCookies = true;
  std::string userAgent = "Mozilla/3.0 (compatible; Indy Library)";
  int redirectMaximum = 15;

  static HttpSettings login();      // TFrmLogin
  static HttpSettings session();    // TFrmPrincipal: the only one following redirects
  static HttpSettings update();     // TFrmAtualiza
  static HttpSettings installer();  // TFrmDownload
};

}  // namespace orvanta
