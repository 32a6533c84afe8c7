// The blocking HTTP/1.1 GET client every window talks to the service through.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "service/channel.h"
#include "service/cookies.h"
#include "service/http_response.h"
#include "service/http_settings.h"
#include "service/http_transfer.h"
#include "service/http_url.h"
#include "service/response_reader.h"

namespace orvanta {

class BodyDestination;
class ErroHttp;

class ClienteHttp : public HttpTransfer {
 public:
  // Opens a connection to host:port, giving up at `connectBy`; tests and fuzzers substitute
  // their own channel.
  using ChannelOpener = std::function<std::unique_ptr<Channel>(const std::string& host, int port,
                                                               Deadline connectBy)>;
  static ChannelOpener tcpSocketOpener(SocketTimeouts timeouts);

  // Without an opener, TCP sockets with the time-outs of `settings`.
  explicit ClienteHttp(HttpSettings settings, Clock clock = systemClock(),
                       ChannelOpener openChannel = {});
  ~ClienteHttp() override;

  std::string Get(std::string_view aUrl) override;
  void Get(std::string_view aUrl, ByteStream& aResponseContent) override;

  const HttpSettings& settings() const { return settings_; }
  int ResponseCode() const { return response_.code; }
  const std::string& ResponseText() const { return response_.statusLine; }
  const HttpResponse& response() const { return response_; }
  const HttpUrl& currentUrl() const { return url_; }
  const CookieStore& cookies() const { return cookies_; }
  bool isConnected() const { return channel_ != nullptr; }

 public:
  class FinalDestination;

 private:
  void perform(std::string_view aUrl, FinalDestination& destination);
  HttpUrl prepareUrl(std::string_view aUrl) const;
  void connect(const HttpUrl& url, Deadline callEnd);
  void closeConnection();
  void storeCookies(const HttpResponse& response, const HttpUrl& url);
  void readBodyInto(BodyDestination& destination, FinalDestination* final);
  // Reads the body of an answer the call does not accept into the failure it ends with.
  ErroHttp readErrorAnswer(const std::string& message);

  HttpSettings settings_;
  ChannelOpener openChannel_;
  CookieStore cookies_;
  std::unique_ptr<Channel> channel_;
  std::unique_ptr<ResponseReader> reader_;
  std::string connectedHost_;
  int connectedPort_ = 0;
  HttpUrl url_;
  HttpResponse response_;
};

}  // namespace orvanta
