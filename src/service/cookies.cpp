#include "service/cookies.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <limits>

#include "service/ascii_text.h"
#include "service/cookie_date.h"

namespace orvanta {
namespace {

constexpr int64_t kNeverExpires = std::numeric_limits<int64_t>::max();

bool isIpAddress(std::string_view host) {
  return !host.empty() && std::all_of(host.begin(), host.end(),
                                      [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
}

std::string_view withoutQuotes(std::string_view v) {
  if (v.size() >= 2 && v.front() == '"' && v.back() == '"') return v.substr(1, v.size() - 2);
  return v;
}

std::string defaultPath(std::string_view requestPath) {
  size_t lastSlash = requestPath.rfind('/');
  if (lastSlash == std::string_view::npos || lastSlash == 0) return "/";
  return std::string(requestPath.substr(0, lastSlash));
}

bool isControl(char c) {
  auto b = static_cast<unsigned char>(c);
  return (b < 0x20 && c != '\t') || b == 0x7F;
}

// "com" or ".org" would let one site set cookies for every site under that top-level domain.
bool hasInnerDot(std::string_view domain) {
  size_t dot = domain.find('.', 1);
  return dot != std::string_view::npos && dot + 1 < domain.size();
}

std::optional<int64_t> parseMaxAge(std::string_view v) {
  if (v.empty()) return std::nullopt;
  bool negative = v.front() == '-';
  std::string_view digits = negative ? v.substr(1) : v;
  if (digits.empty()) return std::nullopt;
  int64_t n = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
  if (end != digits.data() + digits.size()) return std::nullopt;
  if (error == std::errc::result_out_of_range)
    n = std::numeric_limits<int64_t>::max() / 2;
  else if (error != std::errc{})
    return std::nullopt;
  return negative ? -n : n;
}

}  // namespace

Clock systemClock() {
  return [] {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
  };
}

bool domainMatches(std::string_view host, std::string_view domain) {
  if (equalsIgnoreCase(host, domain)) return true;
  if (isIpAddress(host) || host.size() <= domain.size()) return false;
  return host[host.size() - domain.size() - 1] == '.' &&
         equalsIgnoreCase(host.substr(host.size() - domain.size()), domain);
}

bool pathMatches(std::string_view requestPath, std::string_view cookiePath) {
  if (equalsIgnoreCase(requestPath, cookiePath)) return true;
  if (!startsWithIgnoreCase(requestPath, cookiePath)) return false;
  return cookiePath.ends_with('/') || requestPath[cookiePath.size()] == '/';
}

std::optional<Cookie> parseSetCookie(std::string_view header, std::string_view host,
                                     std::string_view requestPath, int64_t now) {
  // Ignored whole, as browsers do: stored, a NUL or CR would go out raw in the Cookie header.
  if (std::any_of(header.begin(), header.end(), isControl)) return std::nullopt;
  size_t semicolon = header.find(';');
  std::string_view pair = header.substr(0, semicolon);
  size_t equalsSign = pair.find('=');
  if (equalsSign == std::string_view::npos) return std::nullopt;
  Cookie c;
  c.name = std::string(withoutQuotes(trim(pair.substr(0, equalsSign))));
  c.value = std::string(withoutQuotes(trim(pair.substr(equalsSign + 1))));
  if (c.name.empty()) return std::nullopt;

  std::optional<int64_t> expires, maxAge;
  std::optional<std::string> domain, path;
  std::string_view rest = semicolon == std::string_view::npos ? "" : header.substr(semicolon + 1);
  while (!rest.empty()) {
    size_t end = rest.find(';');
    std::string_view attribute = rest.substr(0, end);
    rest = end == std::string_view::npos ? "" : rest.substr(end + 1);
    size_t eq = attribute.find('=');
    std::string_view name = trim(attribute.substr(0, eq));
    std::string_view value = eq == std::string_view::npos ? "" : trim(attribute.substr(eq + 1));
    // An empty value never undoes a valid one given before it.
    if (value.empty() && (equalsIgnoreCase(name, "domain") || equalsIgnoreCase(name, "path"))) {
      continue;
    }
    if (equalsIgnoreCase(name, "expires")) {
      if (auto d = parseCookieDate(value)) expires = d;
    } else if (equalsIgnoreCase(name, "max-age")) {
      if (auto m = parseMaxAge(value)) maxAge = m;
    } else if (equalsIgnoreCase(name, "domain")) {
      domain = std::string(value.starts_with('.') ? value.substr(1) : value);
    } else if (equalsIgnoreCase(name, "path")) {
      path = std::string(value);
    } else if (equalsIgnoreCase(name, "secure")) {
      c.secure = true;
    } else if (equalsIgnoreCase(name, "httponly")) {
      c.httpOnly = true;
    }
  }
  if (maxAge) {
    c.persistent = true;
    if (*maxAge <= 0) {
      c.expiry = std::numeric_limits<int64_t>::min();
    } else {
      c.expiry = *maxAge > kNeverExpires - now ? kNeverExpires : now + *maxAge;
    }
  } else if (expires) {
    c.persistent = true;
    c.expiry = *expires;
  } else {
    c.expiry = kNeverExpires;
  }
  if (domain && !domain->empty()) {
    c.domain = lowercase(*domain);
    if (!domainMatches(host, c.domain)) return std::nullopt;
    if (!hasInnerDot(c.domain) && !equalsIgnoreCase(c.domain, host)) return std::nullopt;
    c.hostOnly = false;
  } else {
    c.domain = lowercase(host);
    c.hostOnly = true;
  }
  c.path = path && path->starts_with('/') ? *path : defaultPath(requestPath);
  c.created = c.lastAccess = now;
  return c;
}

void CookieStore::dropExpired(int64_t now) {
  std::erase_if(cookies_, [now](const Cookie& c) { return c.expiry <= now; });
}

void CookieStore::receive(std::string_view setCookie, std::string_view host,
                          std::string_view path) {
  int64_t now = clock_();
  auto incoming = parseSetCookie(setCookie, host, path, now);
  if (!incoming) return;
  incoming->order = nextOrder_++;
  auto existing = std::find_if(cookies_.begin(), cookies_.end(), [&](const Cookie& c) {
    return equalsIgnoreCase(c.name, incoming->name) &&
           equalsIgnoreCase(c.domain, incoming->domain) && equalsIgnoreCase(c.path, incoming->path);
  });
  if (existing != cookies_.end()) {
    incoming->created = existing->created;
    incoming->order = existing->order;
    cookies_.erase(existing);
  }
  if (incoming->expiry <= now) return;
  if (cookies_.size() >= kMaxCookies) {
    auto leastUsed =
        std::min_element(cookies_.begin(), cookies_.end(), [](const Cookie& a, const Cookie& b) {
          return a.lastAccess != b.lastAccess ? a.lastAccess < b.lastAccess : a.order < b.order;
        });
    cookies_.erase(leastUsed);
  }
  cookies_.push_back(std::move(*incoming));
}

std::string CookieStore::headerFor(std::string_view host, std::string_view path) {
  int64_t now = clock_();
  dropExpired(now);
  std::vector<Cookie*> sent;
  for (Cookie& c : cookies_) {
    bool hostMatches =
        c.hostOnly ? equalsIgnoreCase(host, c.domain) : domainMatches(host, c.domain);
    if (hostMatches && pathMatches(path, c.path) && !c.secure) sent.push_back(&c);
  }
  std::stable_sort(sent.begin(), sent.end(), [](const Cookie* a, const Cookie* b) {
    if (a->path.size() != b->path.size()) return a->path.size() > b->path.size();
    if (a->created != b->created) return a->created < b->created;
    return a->order < b->order;
  });
  std::string header;
  for (Cookie* c : sent) {
    if (!header.empty()) header += "; ";
    header += c->name + "=" + c->value;
    c->lastAccess = now;
  }
  return header;
}

}  // namespace orvanta
