#include "service/http_settings.h"

namespace orvanta {
namespace {

constexpr const char* kAcceptText = "text/html, */*";
constexpr const char* kAcceptExecutable = "text/html, */*,*.exe";

HttpSettings settingsWith(const char* accept, bool followRedirects) {
  HttpSettings c;
  c.accept = accept;
  c.handleRedirects = followRedirects;
  return c;
}

}  // namespace

HttpSettings HttpSettings::login() {
  HttpSettings c = settingsWith(kAcceptText, false);
  // Nothing is on screen until the version check answers.
  c.timeouts = {10000, 10000, 10000};
  return c;
}
HttpSettings HttpSettings::session() {
  return settingsWith(kAcceptText, true);
}
HttpSettings HttpSettings::update() {
  return settingsWith(kAcceptExecutable, false);
}
HttpSettings HttpSettings::installer() {
  return settingsWith(kAcceptExecutable, false);
}

}  // namespace orvanta
