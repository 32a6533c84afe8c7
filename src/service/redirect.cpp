#include "service/redirect.h"

#include <vector>

namespace orvanta {
namespace {

// Collapses repeated "/" and applies "." and ".." to a path that begins with "/".
std::string normalizePath(std::string_view path) {
  std::vector<std::string_view> segments;
  bool endsWithSlash = path.empty() || path.back() == '/';
  size_t i = 0;
  while (i <= path.size()) {
    size_t end = path.find('/', i);
    if (end == std::string_view::npos) end = path.size();
    std::string_view seg = path.substr(i, end - i);
    if (seg == "..") {
      if (!segments.empty()) segments.pop_back();
      if (end == path.size()) endsWithSlash = true;
    } else if (seg == ".") {
      if (end == path.size()) endsWithSlash = true;
    } else if (!seg.empty()) {
      segments.push_back(seg);
    }
    i = end + 1;
  }
  std::string r = "/";
  for (size_t k = 0; k < segments.size(); ++k) {
    r += segments[k];
    if (k + 1 < segments.size() || endsWithSlash) r += '/';
  }
  return r;
}

}  // namespace

HttpUrl resolveLocation(const HttpUrl& current, std::string_view location) {
  std::string local(location);
  // "://" further on is part of a path or query ("/login?next=http://a/"), not a new server.
  if (beginsWithScheme(local)) return splitUrl(local);
  if (local.starts_with("//")) return splitUrl(current.protocol + ":" + local);
  std::string query;
  size_t q = local.find('?');
  if (q != std::string::npos) {
    query = local.substr(q + 1);
    local.resize(q);
  }
  size_t frag = local.find('#');
  if (frag != std::string::npos) local.resize(frag);
  for (char& c : local) {
    if (c == '\\') c = '/';
  }
  std::string path = local.starts_with("/") ? local : current.path + local;
  HttpUrl u = current;
  u.query = query;
  u.setPath(normalizePath(path));
  return u;
}

}  // namespace orvanta
