#include "service/tcp_socket_common.h"

#include <cstdio>

#include "service/ascii_text.h"
#include "service/erro_http.h"
#include "service/tcp_socket.h"

namespace orvanta {

std::string socketErrorMessage(int code) {
  return "Socket Error # " + std::to_string(code) + "\r\n" + socketErrorText(code);
}

void throwSocketError(int code) {
  throw ErroHttp(HttpErrorType::socket, socketErrorMessage(code), code);
}

uint32_t resolveIpv4(const std::string& host) {
  if (equalsIgnoreCase(host, "localhost")) return resolveIpv4WithSystem("127.0.0.1");
  return resolveIpv4WithSystem(host);
}

}  // namespace orvanta
