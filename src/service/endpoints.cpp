#include "service/endpoints.h"

#include "service/hosts.h"

namespace orvanta {
namespace {

std::string spacesAsPercent(std::string_view text) {
  std::string output;
  output.reserve(text.size());
  for (char c : text) {
    if (c == ' ') {
      output += "%20";
    } else {
      output += c;
    }
  }
  return output;
}

}  // namespace

Hosts Hosts::configured() {
  return Hosts{HostRotaPadrao, HostRotaAlternativa, HostSite, PortaServico};
}

std::string Endpoints::routeBase(bool alternativeRoute) const {
  const std::string& host = alternativeRoute ? hosts_.alternativeRoute : hosts_.defaultRoute;
  return "http://" + host + ":" + std::to_string(hosts_.servicePort) + "/";
}

std::string Endpoints::version() const {
  return "http://" + hosts_.site + "/remoto/update/versao.php";
}

std::string Endpoints::login(bool alternativeRoute, std::string_view accountKey) const {
  return routeBase(alternativeRoute) + "app/login.php?usuario=" + std::string(accountKey);
}

std::string Endpoints::storeListing(bool alternativeRoute, std::string_view typedName) const {
  return routeBase(alternativeRoute) + std::string(typedName) + "/store/index.php";
}

std::string Endpoints::storeFile(bool alternativeRoute, std::string_view typedName,
                                 std::string_view entry) const {
  return spacesAsPercent(routeBase(alternativeRoute) + std::string(typedName) + "/store/" +
                         std::string(entry));
}

std::string Endpoints::storeRemoval(bool alternativeRoute, std::string_view typedName,
                                    std::string_view entry) const {
  return routeBase(alternativeRoute) + std::string(typedName) +
         "/store/remove.php?arquivo=" + spacesAsPercent(entry);
}

std::string Endpoints::updater(bool x64) const {
  return "http://" + hosts_.site +
         (x64 ? "/remoto/update/x64/atualiza.exe" : "/remoto/update/x32/atualiza.exe");
}

std::string Endpoints::pdfTool() const {
  return "http://" + hosts_.site + "/ferramentas/pdf.exe";
}

std::string Endpoints::support() const {
  return "http://" + hosts_.site;
}

}  // namespace orvanta
