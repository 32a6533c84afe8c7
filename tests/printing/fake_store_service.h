// The user's document store on the service as the session window's HTTP client sees it:
// listing, files and removal, each request recorded, any of them scripted to fail.
#pragma once

#include <algorithm>
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
  status500,    // an error answer with its page
  shortBody,    // the server closes after half the announced body
};

class FakeStoreService final : public HttpTransfer {
 public:
  // Waiting documents in listing order: name and content.
  std::vector<std::pair<std::string, std::string>> documents;
  // How the request for a URL, exactly as sent, fails.
  std::map<std::string, StoreFailure> failures;
  std::vector<std::string> requests;
  // Runs when a document's request arrives, before any of it is written.
  std::function<void()> onFileRequest;

  bool holds(const std::string& name) const { return find(name) != documents.end(); }

  std::string Get(std::string_view aUrl) override {
    const std::string command = arrive(aUrl);
    std::string body;
    if (command == "index.php") {
      for (const auto& [name, content] : documents) body += name + "<br>";
    } else if (command.starts_with("remove.php?arquivo=")) {
      const auto doc = find(command.substr(command.find('=') + 1));
      if (doc != documents.end()) documents.erase(doc);
    } else {
      throw std::logic_error("unexpected text request " + std::string(aUrl));
    }
    deliver(body, nullptr);
    return body;
  }

  void Get(std::string_view aUrl, ByteStream& aResponseContent) override {
    const std::string name = arrive(aUrl);
    if (onFileRequest) onFileRequest();
    const auto doc = find(name);
    if (doc == documents.end()) fail(StoreFailure::status500);
    std::string body = doc->second;
    const bool cut = failureOf(aUrl) == StoreFailure::shortBody;
    if (cut) body.resize(body.size() / 2);
    deliver(body, &aResponseContent, static_cast<int64_t>(doc->second.size()));
    if (cut) throw ErroHttp(HttpErrorType::closed, "Connection Closed Gracefully.");
  }

 private:
  using Documents = std::vector<std::pair<std::string, std::string>>;

  Documents::iterator find(const std::string& name) {
    return std::find_if(documents.begin(), documents.end(),
                        [&](const auto& d) { return d.first == name; });
  }
  Documents::const_iterator find(const std::string& name) const {
    return std::find_if(documents.begin(), documents.end(),
                        [&](const auto& d) { return d.first == name; });
  }

  std::optional<StoreFailure> failureOf(std::string_view url) const {
    const auto it = failures.find(std::string(url));
    return it == failures.end() ? std::nullopt : std::optional(it->second);
  }

  [[noreturn]] static void fail(StoreFailure failure) {
    if (failure == StoreFailure::unreachable) {
      throw ErroHttp(HttpErrorType::socket, "Socket Error # 10061\r\nConnection refused.", 10061);
    }
    throw ErroHttp(HttpErrorType::protocol, "HTTP/1.1 500 Internal Server Error", 500);
  }

  // Records the request, applies a scripted failure other than a short body, and returns
  // what follows "/store/" with every "%20" read as a space.
  std::string arrive(std::string_view url) {
    requests.emplace_back(url);
    if (auto failure = failureOf(url); failure && *failure != StoreFailure::shortBody) {
      fail(*failure);
    }
    std::string decoded(url);
    for (size_t at; (at = decoded.find("%20")) != std::string::npos;) decoded.replace(at, 3, " ");
    return decoded.substr(decoded.find("/store/") + 7);
  }

  // Writes the body (when there is a destination) between the client's notifications; an
  // empty body raises none.
  void deliver(const std::string& body, ByteStream* destination,
               std::optional<int64_t> announced = std::nullopt) {
    const auto length = static_cast<int64_t>(body.size());
    if (length == 0 && announced.value_or(0) == 0) return;
    if (OnWorkBegin) OnWorkBegin(*this, TWorkMode::wmRead, announced.value_or(length));
    if (OnWork) OnWork(*this, TWorkMode::wmRead, length);
    if (destination) destination->write(body.data(), body.size());
    if (OnWorkEnd) OnWorkEnd(*this, TWorkMode::wmRead);
  }
};

}  // namespace orvanta::test
