#include "service/endpoints.h"

#include "service/hosts.h"

namespace orvanta {
namespace {

std::string espacosComoPercent(std::string_view texto) {
  std::string saida;
  saida.reserve(texto.size());
  for (char c : texto) {
    if (c == ' ') {
      saida += "%20";
    } else {
      saida += c;
    }
  }
  return saida;
}

}  // namespace

Hosts Hosts::configurados() {
  return Hosts{HostRotaPadrao, HostRotaAlternativa, HostSite, PortaServico};
}

std::string Endpoints::rotaBase(bool rotaAlternativa) const {
  const std::string& host = rotaAlternativa ? hosts_.rotaAlternativa : hosts_.rotaPadrao;
  return "http://" + host + ":" + std::to_string(hosts_.portaServico) + "/";
}

std::string Endpoints::versao() const {
  return "http://" + hosts_.site + "/remoto/update/versao.php";
}

std::string Endpoints::login(bool rotaAlternativa, std::string_view chaveConta) const {
  return rotaBase(rotaAlternativa) + "app/login.php?usuario=" + std::string(chaveConta);
}

std::string Endpoints::listaStore(bool rotaAlternativa, std::string_view nomeDigitado) const {
  return rotaBase(rotaAlternativa) + std::string(nomeDigitado) + "/store/index.php";
}

std::string Endpoints::arquivoStore(bool rotaAlternativa, std::string_view nomeDigitado,
                                    std::string_view entrada) const {
  return espacosComoPercent(rotaBase(rotaAlternativa) + std::string(nomeDigitado) + "/store/" +
                            std::string(entrada));
}

std::string Endpoints::removerStore(bool rotaAlternativa, std::string_view nomeDigitado,
                                    std::string_view entrada) const {
  return rotaBase(rotaAlternativa) + std::string(nomeDigitado) +
         "/store/remove.php?arquivo=" + espacosComoPercent(entrada);
}

std::string Endpoints::atualizador(bool x64) const {
  return "http://" + hosts_.site +
         (x64 ? "/remoto/update/x64/atualiza.exe" : "/remoto/update/x32/atualiza.exe");
}

std::string Endpoints::ferramentaPdf() const {
  return "http://" + hosts_.site + "/ferramentas/pdf.exe";
}

std::string Endpoints::suporte() const {
  return "http://" + hosts_.site;
}

}  // namespace orvanta
