// The user's document store on the service as the relay's HTTP client sees it: listing, files
// and removal, each request recorded, any of them scripted to fail.
#pragma once

#include <algorithm>
#include <climits>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "service/erro_http.h"
#include "service/http_transfer.h"

namespace orvanta::test {

enum class StoreFailure {
  unreachable,  // no answer at all
  timeout,      // the connection stays silent
  status404,
  status500,  // an error answer with its page
  shortBody,  // the server closes after half the announced body
};

// How a request fails: `times` times, then it succeeds.
struct Failure {
  Failure(StoreFailure kind, int times = INT_MAX) : kind(kind), times(times) {}
  StoreFailure kind;
  int times;
};

class FakeStoreService final : public HttpTransfer {
 public:
  // Waiting documents in listing order: name (bytes as listed) and content.
  std::vector<std::pair<std::string, std::string>> documents;
  // How the request for a URL, exactly as sent, fails.
  std::map<std::string, Failure> failures;
  // Removal answers 200 and keeps the document.
  bool ignoreRemovals = false;
  std::vector<std::string> requests;
  // Runs when a document's request arrives, before any of it is written.
  std::function<void()> onFileRequest;

  bool holds(const std::string& name) const { return find(name) != documents.end(); }

  std::string Get(std::string_view aUrl) override {
    const std::string command = arrive(aUrl);
    if (!command.starts_with("remove.php?arquivo=")) {
      throw std::logic_error("unexpected text request " + std::string(aUrl));
    }
    const auto doc = find(command.substr(command.find('=') + 1));
    if (doc != documents.end() && !ignoreRemovals) documents.erase(doc);
    return {};
  }

  void Get(std::string_view aUrl, ByteStream& aResponseContent) override {
    const std::string name = arrive(aUrl);
    if (name == "index.php") {
      std::string body;
      for (const auto& [entry, content] : documents) body += entry + "<br>";
      aResponseContent.write(body.data(), body.size());
      return;
    }
    const auto doc = find(name);
    if (doc == documents.end()) fail(StoreFailure::status404);
    std::string body = doc->second;
    const bool cut = failing(aUrl, StoreFailure::shortBody);
    if (cut) body.resize(body.size() / 2);
    aResponseContent.write(body.data(), body.size());
    if (cut) throw ErroHttp(HttpErrorType::closed, "Connection Closed Gracefully.");
  }

 private:
  using Documents = std::vector<std::pair<std::string, std::string>>;

  Documents::const_iterator find(const std::string& name) const {
    return std::find_if(documents.begin(), documents.end(),
                        [&](const auto& d) { return d.first == name; });
  }

  // Whether the URL is scripted to fail this way now; counts the failure.
  bool failing(std::string_view url, std::optional<StoreFailure> kind = std::nullopt) {
    const auto it = failures.find(std::string(url));
    if (it == failures.end() || it->second.times <= 0) return false;
    if (kind ? it->second.kind != *kind : it->second.kind == StoreFailure::shortBody) return false;
    --it->second.times;
    return true;
  }

  [[noreturn]] static void fail(StoreFailure failure) {
    switch (failure) {
      case StoreFailure::unreachable:
        throw ErroHttp(HttpErrorType::socket, "Socket Error # 10061\r\nConnection refused.", 10061);
      case StoreFailure::timeout:
        throw ErroHttp(HttpErrorType::socket, "Read timed out.");
      case StoreFailure::status404:
        throw ErroHttp(HttpErrorType::protocol, "HTTP/1.1 404 Not Found", 404);
      default:
        throw ErroHttp(HttpErrorType::protocol, "HTTP/1.1 500 Internal Server Error", 500);
    }
  }

  static std::string percentDecoded(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '%' && i + 2 < text.size()) {
        out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
        i += 2;
      } else {
        out += text[i];
      }
    }
    return out;
  }

  // Records the request, applies a scripted failure other than a short body, and returns
  // what follows "/store/", decoded as a server would.
  std::string arrive(std::string_view url) {
    requests.emplace_back(url);
    const std::string decoded = percentDecoded(url);
    std::string command = decoded.substr(decoded.find("/store/") + 7);
    const bool document = command != "index.php" && !command.starts_with("remove.php?");
    if (document && onFileRequest) onFileRequest();
    if (failing(url)) fail(failures.at(std::string(url)).kind);
    return command;
  }
};

}  // namespace orvanta::test
