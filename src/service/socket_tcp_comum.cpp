#include "service/socket_tcp_comum.h"

#include <cstdio>

#include "service/erro_http.h"
#include "service/socket_tcp.h"
#include "service/texto_ascii.h"

namespace orvanta {

std::string mensagemErroSocket(int codigo) {
  return "Socket Error # " + std::to_string(codigo) + "\r\n" + textoErroSistema(codigo);
}

void lancarErroSocket(int codigo) {
  throw ErroHttp(TipoErroHttp::socket, mensagemErroSocket(codigo), codigo);
}

uint32_t resolverIpv4(const std::string& host) {
  if (iguaisSemCaixa(host, "localhost")) return resolverIpv4Sistema("127.0.0.1");
  return resolverIpv4Sistema(host);
}

}  // namespace orvanta
