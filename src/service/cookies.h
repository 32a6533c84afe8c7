// An instance's cookie store: Set-Cookie parsing, matching and the Cookie header.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvanta {

// Seconds since 1970-01-01 UTC; tests supply their own clock.
using Clock = std::function<int64_t()>;
Clock systemClock();

struct Cookie {
  std::string name, value;
  std::string domain;  // lower case
  bool hostOnly = true;
  std::string path;
  int64_t expiry = 0;
  bool persistent = false;
  bool secure = false, httpOnly = false;
  int64_t created = 0, lastAccess = 0;
  uint64_t order = 0;  // breaks ties between cookies created in the same second
};

// A Set-Cookie value parsed for a request to `host` with request directory `requestPath`.
// Nothing when the header is ignored (a control character other than a tab, no name) or the
// domain does not match the host (a domain without an inner dot only matches that very host).
std::optional<Cookie> parseSetCookie(std::string_view header, std::string_view host,
                                     std::string_view requestPath, int64_t now);

bool domainMatches(std::string_view host, std::string_view domain);
bool pathMatches(std::string_view requestPath, std::string_view cookiePath);

class CookieStore {
 public:
  static constexpr size_t kMaxCookies = 1000;

  explicit CookieStore(Clock clock = systemClock()) : clock_(std::move(clock)) {}

  void receive(std::string_view setCookie, std::string_view host, std::string_view path);
  // The Cookie header value for a request, empty when nothing matches.
  std::string headerFor(std::string_view host, std::string_view path);
  const std::vector<Cookie>& cookies() const { return cookies_; }

 private:
  void dropExpired(int64_t now);

  Clock clock_;
  std::vector<Cookie> cookies_;
  uint64_t nextOrder_ = 0;
};

}  // namespace orvanta
