// Feeds a ClienteHttp scripted answers over memory channels, one per connection it opens.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "fakes/canal_memoria.h"
#include "service/cliente_http.h"

namespace orvanta::teste {

struct ConexoesMemoria {
  explicit ConexoesMemoria(std::vector<std::string> r, size_t p = 32768)
      : respostas(std::move(r)), pedaco(p) {}

  std::vector<std::string> respostas;  // one per connection, in order
  size_t pedaco = 32768;
  std::deque<std::string> enviados;   // request bytes per connection
  std::vector<std::string> destinos;  // "host:port" per connection

  ClienteHttp::AbrirCanal abrir() {
    return [this](const std::string& host, int porta) -> std::unique_ptr<Canal> {
      destinos.push_back(host + ":" + std::to_string(porta));
      enviados.emplace_back();
      std::string entrada =
          destinos.size() <= respostas.size() ? respostas[destinos.size() - 1] : "";
      return std::make_unique<CanalMemoria>(std::move(entrada), pedaco, &enviados.back());
    };
  }
};

}  // namespace orvanta::teste
