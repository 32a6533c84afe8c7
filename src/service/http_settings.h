// The settings of one ClienteHttp, and the named settings of each window's instance.
#pragma once

#include <string>

#include "service/socket_timeouts.h"

namespace orvanta {

struct HttpSettings {
  std::string accept;
  bool handleRedirects = false;
  bool allowCookies = true;
  std::string userAgent = "Mozilla/3.0 (compatible; Indy Library)";
  int redirectMaximum = 15;
  // A stalled server fails the call instead of freezing the window that made it.
  SocketTimeouts timeouts;

  static HttpSettings login();      // TFrmLogin: short time-outs, its answers are a few bytes
  static HttpSettings session();    // TFrmPrincipal: the only one following redirects
  static HttpSettings update();     // TFrmAtualiza
  static HttpSettings installer();  // TFrmDownload
};

}  // namespace orvanta
