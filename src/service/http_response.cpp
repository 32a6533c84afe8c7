#include "service/http_response.h"

#include <charconv>

#include "service/ascii_text.h"
#include "service/erro_http.h"

namespace orvanta {
namespace {

int64_t parseLength(std::string_view v) {
  int64_t n = -1;
  auto [end, error] = std::from_chars(v.data(), v.data() + v.size(), n);
  if (v.empty() || error != std::errc{} || end != v.data() + v.size() || n < 0) return -1;
  return n;
}

// Which of two lengths frames the body would be a guess: a body cut short would pass for whole.
void rejectConflictingLengths(const HttpResponse& response) {
  auto lengths = response.all("Content-Length");
  for (std::string_view v : lengths) {
    if (v != lengths.front() &&
        (parseLength(v) < 0 || parseLength(v) != parseLength(lengths.front()))) {
      throw ErroHttp(HttpErrorType::other, "Conflicting Content-Length.");
    }
  }
}

// True when the comma-separated list `value` holds `token` (any letter case).
bool hasToken(std::string_view value, std::string_view token) {
  while (!value.empty()) {
    size_t comma = value.find(',');
    if (equalsIgnoreCase(trim(value.substr(0, comma)), token)) return true;
    value = comma == std::string_view::npos ? std::string_view{} : value.substr(comma + 1);
  }
  return false;
}

int parseStatusCode(std::string_view line) {
  size_t a = line.find(' ');
  if (a == std::string_view::npos) return -1;
  while (a < line.size() && line[a] == ' ') ++a;
  size_t b = line.find(' ', a);
  std::string_view token = line.substr(a, b == std::string_view::npos ? line.npos : b - a);
  int code = 0;
  auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), code);
  if (error != std::errc{} || end != token.data() + token.size() || token.empty()) return -1;
  return code;
}

}  // namespace

std::optional<std::string_view> HttpResponse::value(std::string_view name) const {
  for (const auto& [n, v] : headers) {
    if (equalsIgnoreCase(n, name)) return std::string_view(v);
  }
  return std::nullopt;
}

std::vector<std::string_view> HttpResponse::all(std::string_view name) const {
  std::vector<std::string_view> r;
  for (const auto& [n, v] : headers) {
    if (equalsIgnoreCase(n, name)) r.emplace_back(v);
  }
  return r;
}

int64_t HttpResponse::contentLength() const {
  auto v = value("Content-Length");
  return v ? parseLength(*v) : -1;
}

bool HttpResponse::chunked() const {
  auto v = value("Transfer-Encoding");
  return v && lowercase(*v).find("chunked") != std::string::npos;
}

bool HttpResponse::allowsReuse() const {
  bool keepAlive = false;
  for (std::string_view name : {"Connection", "Proxy-Connection"}) {
    for (std::string_view v : all(name)) {
      if (hasToken(v, "close")) return false;
      keepAlive = keepAlive || hasToken(v, "keep-alive");
    }
  }
  std::string_view version = std::string_view(statusLine).substr(0, statusLine.find(' '));
  if (version != "HTTP/1.1" && !(version == "HTTP/1.0" && keepAlive)) return false;
  bool noBody = (code >= 100 && code < 200) || code == 204 || code == 304;
  return noBody || chunked() || contentLength() >= 0;
}

void readHeaders(ResponseReader& reader, HttpResponse& response) {
  size_t total = 0;
  for (bool firstLine = true;; firstLine = false) {
    auto line = reader.readLine();
    if (!line || line->empty()) return;
    total += line->size() + 2;
    if (total > kMaxHeaderBlock) {
      throw ErroHttp(HttpErrorType::other, "Header block too large.");
    }
    char first = line->front();
    bool continuation = first == ' ' || first == '\t';
    // Nothing to continue: taken as a header of its own, it would frame the body on a guess.
    if (continuation && firstLine) throw ErroHttp(HttpErrorType::other, "Invalid header line.");
    if (continuation) {
      std::string& v = response.headers.back().second;
      std::string_view continuation = trim(*line);
      if (!v.empty() && !continuation.empty()) v += ' ';
      v += continuation;
      continue;
    }
    size_t colon = line->find(':');
    if (colon == std::string::npos) {
      response.headers.emplace_back(std::string(trim(*line)), std::string());
    } else {
      std::string_view l = *line;
      response.headers.emplace_back(std::string(trim(l.substr(0, colon))),
                                    std::string(trim(l.substr(colon + 1))));
    }
    if (reader.closed() && !reader.hasBuffered()) return;
  }
}

HttpResponse readResponse(ResponseReader& reader,
                          const std::function<void(const HttpResponse&)>& onRead) {
  for (;;) {
    auto line = reader.readLine();
    if (!line) throw ErroHttp(HttpErrorType::closed, "Connection Closed Gracefully.");
    HttpResponse r;
    r.statusLine = *line;
    r.code = parseStatusCode(*line);
    readHeaders(reader, r);
    rejectConflictingLengths(r);
    if (onRead) onRead(r);
    if (r.code != 100) return r;
  }
}

}  // namespace orvanta
