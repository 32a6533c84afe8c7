#include "service/endpoints.h"

#include "service/hosts.h"

namespace orvanta {
namespace {

// What the user typed or the store listed, made safe for the URL component it lands in: letters,
// digits and "-._~" stay, every other byte becomes "%XX", so the service receives exactly those
// bytes, whatever their encoding, and never an extra parameter, a fragment or an escape.
std::string percentEncoded(std::string_view text) {
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
  return routeBase(alternativeRoute) + "app/login.php?usuario=" + percentEncoded(accountKey);
}

std::string Endpoints::storeListing(bool alternativeRoute, std::string_view typedName) const {
  return routeBase(alternativeRoute) + percentEncoded(typedName) + "/store/index.php";
}

std::string Endpoints::storeFile(bool alternativeRoute, std::string_view typedName,
                                 std::string_view entry) const {
  return routeBase(alternativeRoute) + percentEncoded(typedName) + "/store/" +
         percentEncoded(entry);
}

std::string Endpoints::storeRemoval(bool alternativeRoute, std::string_view typedName,
                                    std::string_view entry) const {
  return routeBase(alternativeRoute) + percentEncoded(typedName) +
         "/store/remove.php?arquivo=" + percentEncoded(entry);
}

std::string Endpoints::updater(bool x64) const {
  return "http://" + hosts_.site +
         (x64 ? "/remoto/update/x64/atualiza.exe" : "/remoto/update/x32/atualiza.exe");
}

std::string Endpoints::pdfTool() const {
  return "http://" + hosts_.site + "/ferramentas/pdf.exe";
}

}  // namespace orvanta
