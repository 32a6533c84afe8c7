// The vendor service's URLs, built by concatenation from the configured hosts. Text the user
// typed (the account key, the typed name) is percent-encoded for its place in the URL.
#pragma once

#include <string>
#include <string_view>

namespace orvanta {

struct Hosts {
  std::string defaultRoute;
  std::string alternativeRoute;
  std::string site;  // may carry ":port"
  int servicePort = 52;

  // The hosts this program was configured with.
  static Hosts configured();
};

class Endpoints {
 public:
  explicit Endpoints(Hosts hosts = Hosts::configured()) : hosts_(std::move(hosts)) {}

  // "http://" + route host + ":52/"
  std::string routeBase(bool alternativeRoute) const;
  std::string version() const;
  std::string login(bool alternativeRoute, std::string_view accountKey) const;
  std::string storeListing(bool alternativeRoute, std::string_view typedName) const;
  // The entry's bytes are percent-encoded as the typed name's are.
  std::string storeFile(bool alternativeRoute, std::string_view typedName,
                        std::string_view entry) const;
  std::string storeRemoval(bool alternativeRoute, std::string_view typedName,
                           std::string_view entry) const;
  std::string updater(bool x64) const;
  std::string pdfTool() const;

 private:
  Hosts hosts_;
};

}  // namespace orvanta
