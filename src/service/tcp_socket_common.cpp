#include "service/tcp_socket_common.h"

#include <cstdio>

#include "service/erro_http.h"
#include "service/tcp_socket.h"

namespace orvanta {

std::string socketErrorMessage(int code) {
  return "Socket Error # " + std::to_string(code) + "\r\n" + socketErrorText(code);
}

void throwSocketError(int code) {
  throw ErroHttp(HttpErrorType::socket, socketErrorMessage(code), code);
}

}  // namespace orvanta
