#include "service/socket_tcp_comum.h"

#include <cstdio>

#include "service/erro_http.h"
#include "service/socket_tcp.h"

namespace orvanta {

std::string mensagemErroSocket(int codigo) {
  return "Socket Error # " + std::to_string(codigo) + "\r\n" + textoErroSistema(codigo);
}

void lancarErroSocket(int codigo) {
  throw ErroHttp(TipoErroHttp::socket, mensagemErroSocket(codigo), codigo);
}

}  // namespace orvanta
