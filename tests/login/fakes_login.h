// Recording fakes for the login core's seams.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/exception.h"
#include "base/user_messages.h"
#include "service/erro_http.h"
#include "service/transferencia_http.h"
#include "session/controle_remoto.h"

namespace orvanta::teste {

// Answers each URL from a table; a URL without an answer fails as an unreachable host.
class HttpRoteiro : public TransferenciaHttp {
 public:
  std::map<std::string, std::string> respostas;
  std::map<std::string, int> statusErro;
  std::vector<std::string> pedidos;

  std::string Get(std::string_view url) override {
    pedidos.emplace_back(url);
    const std::string chave(url);
    if (auto erro = statusErro.find(chave); erro != statusErro.end()) {
      throw ErroHttp(TipoErroHttp::protocolo, "HTTP/1.1 error", erro->second);
    }
    if (auto resposta = respostas.find(chave); resposta != respostas.end()) {
      return resposta->second;
    }
    throw ErroHttp(TipoErroHttp::socket, "Socket Error # 10061", 10061);
  }
  void Get(std::string_view url, ByteStream&) override { Get(url); }
};

class MensagensGravadas : public UserMessages {
 public:
  std::vector<std::string> mostradas;
  void showMessage(std::string_view text) override { mostradas.emplace_back(text); }
  bool confirm(std::string_view) override { return true; }
};

// Logs every write as "Name=value"; can be told to fail on one of them.
class ControleGravado : public ControleRemoto {
 public:
  std::vector<std::string> chamadas;
  std::optional<std::string> falharEm;

  void setUserName(std::string_view v) override { grava("UserName", std::string(v)); }
  void setClearTextPassword(std::string_view v) override {
    grava("ClearTextPassword", std::string(v));
  }
  void setDesktopWidth(int32_t v) override { grava("DesktopWidth", std::to_string(v)); }
  void setDesktopHeight(int32_t v) override { grava("DesktopHeight", std::to_string(v)); }
  void setServer(std::string_view v) override { grava("Server", std::string(v)); }
  void setRdpPort(int32_t v) override { grava("RDPPort", std::to_string(v)); }
  void setRedirectDrives(bool v) override { grava("RedirectDrives", std::to_string(v)); }
  void setRedirectPrinters(bool v) override { grava("RedirectPrinters", std::to_string(v)); }
  void setRedirectPorts(bool v) override { grava("RedirectPorts", std::to_string(v)); }
  void setFullScreen(bool v) override { grava("FullScreen", std::to_string(v)); }
  int16_t connected() override { return 0; }
  void connect() override { grava("Connect", ""); }
  void disconnect() override { grava("Disconnect", ""); }

 private:
  void grava(const std::string& nome, const std::string& valor) {
    if (falharEm == nome) {
      throw Excecao("control refused " + nome, "EOleException");
    }
    chamadas.push_back(nome + "=" + valor);
  }
};

}  // namespace orvanta::teste
