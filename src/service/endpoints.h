// The vendor service's URLs, built by plain concatenation from the configured hosts.
#pragma once

#include <string>
#include <string_view>

namespace orvanta {

struct Hosts {
  std::string rotaPadrao;
  std::string rotaAlternativa;
  std::string site;  // may carry ":port"
  int portaServico = 52;

  // The hosts this program was configured with.
  static Hosts configurados();
};

class Endpoints {
 public:
  explicit Endpoints(Hosts hosts = Hosts::configurados()) : hosts_(std::move(hosts)) {}

  // "http://" + route host + ":52/"
  std::string rotaBase(bool rotaAlternativa) const;
  std::string versao() const;
  // The account key goes out raw: the service expects it as typed, digits removed.
  std::string login(bool rotaAlternativa, std::string_view chaveConta) const;
  std::string listaStore(bool rotaAlternativa, std::string_view nomeDigitado) const;
  // Every space of the whole URL becomes "%20".
  std::string arquivoStore(bool rotaAlternativa, std::string_view nomeDigitado,
                           std::string_view entrada) const;
  // Only the entry name's spaces become "%20".
  std::string removerStore(bool rotaAlternativa, std::string_view nomeDigitado,
                           std::string_view entrada) const;
  std::string atualizador(bool x64) const;
  std::string ferramentaPdf() const;
  std::string suporte() const;

 private:
  Hosts hosts_;
};

}  // namespace orvanta
