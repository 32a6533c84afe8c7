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

// What the user typed, made safe for the URL component it lands in: letters, digits and "-._~"
// stay, every other byte of its UTF-8 text becomes "%XX", so the service receives exactly what
// was typed and never an extra parameter, a fragment or an escape of the user's own.
std::string typedText(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string output;
  output.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    const bool unreserved = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                            (byte >= '0' && byte <= '9') || c == '-' || c == '.' || c == '_' ||
                            c == '~';
    if (unreserved) {
      output += c;
    } else {
      output += '%';
      output += kHex[byte >> 4];
      output += kHex[byte & 15];
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
  return routeBase(alternativeRoute) + "app/login.php?usuario=" + typedText(accountKey);
}

std::string Endpoints::storeListing(bool alternativeRoute, std::string_view typedName) const {
  return routeBase(alternativeRoute) + typedText(typedName) + "/store/index.php";
}

std::string Endpoints::storeFile(bool alternativeRoute, std::string_view typedName,
                                 std::string_view entry) const {
  return spacesAsPercent(routeBase(alternativeRoute) + typedText(typedName) + "/store/" +
                         std::string(entry));
}

std::string Endpoints::storeRemoval(bool alternativeRoute, std::string_view typedName,
                                    std::string_view entry) const {
  return routeBase(alternativeRoute) + typedText(typedName) +
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
