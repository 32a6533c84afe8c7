#include "service/cliente_http.h"

#include <charconv>
#include <optional>

#include "service/ascii_text.h"
#include "service/erro_http.h"
#include "service/redirect.h"
#include "service/request_writer.h"
#include "service/response_body.h"
#include "service/tcp_socket.h"
#include "service/text_decoding.h"

namespace orvanta {

// Where the final body of a call goes.
class ClienteHttp::FinalDestination : public BodyDestination {
 public:
  // The body begins.
  virtual void begin() {}
  // A redirect is followed: back to where the call began.
  virtual void rewind() {}
  virtual void finish() {}
};

namespace {

// An error page is kept only this far for its text; the rest is read and dropped.
constexpr size_t kMaxErrorText = 1024 * 1024;

constexpr const char* kTooManyRedirects = "Too many redirects.";

class TextDestination : public ClienteHttp::FinalDestination {
 public:
  void receive(const char* data, size_t n) override { bytes.append(data, n); }
  void rewind() override { bytes.clear(); }
  std::string bytes;
};

// The stream grows only as bytes arrive. Sizing it ahead from the announced length would trust
// the server with the caller's disk and, when the transfer fails, leave a tail that never came.
class StreamDestination : public ClienteHttp::FinalDestination {
 public:
  explicit StreamDestination(ByteStream& stream) : stream_(stream), start_(stream.position()) {}
  void begin() override { wrote_ = true; }
  void receive(const char* data, size_t n) override { stream_.write(data, n); }
  void rewind() override { stream_.setPosition(start_); }
  void finish() override {
    if (wrote_) stream_.setSize(stream_.position());
  }

 private:
  ByteStream& stream_;
  int64_t start_;
  bool wrote_ = false;
};

// Sends one body's notifications to the handlers, with the client as sender.
class WorkNotifier : public BodyObserver {
 public:
  WorkNotifier(HttpTransfer& client, ClienteHttp::FinalDestination* final)
      : client_(client), final_(final) {}
  void start(int64_t expected) override {
    if (final_) final_->begin();
    if (client_.OnWorkBegin) client_.OnWorkBegin(client_, TWorkMode::wmRead, expected);
  }
  void progress(int64_t total) override {
    if (client_.OnWork) client_.OnWork(client_, TWorkMode::wmRead, total);
  }
  void end() override {
    if (client_.OnWorkEnd) client_.OnWorkEnd(client_, TWorkMode::wmRead);
  }

 private:
  HttpTransfer& client_;
  ClienteHttp::FinalDestination* final_;
};

int parsePort(std::string_view text) {
  int port = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
  if (error != std::errc{} || end != text.data() + text.size() || port <= 0 || port > 65535) {
    throw ErroHttp(HttpErrorType::other, "Invalid port number.");
  }
  return port;
}

bool redirect(int code) {
  return code >= 300 && code < 400 && code != 304;
}

void validateScheme(const HttpUrl& url) {
  if (url.protocol == "https") throw ErroHttp(HttpErrorType::other, "IOHandler value is not valid");
  if (url.protocol != "http" && url.port.empty()) {
    throw ErroHttp(HttpErrorType::other, "Unknown Protocol");
  }
}

}  // namespace

ClienteHttp::ChannelOpener ClienteHttp::tcpSocketOpener(SocketTimeouts timeouts) {
  return [timeouts](const std::string& host, int port,
                    Deadline connectBy) -> std::unique_ptr<Channel> {
    return std::make_unique<TcpSocket>(host, port, timeouts, connectBy);
  };
}

ClienteHttp::ClienteHttp(HttpSettings settings, Clock clock, ChannelOpener openChannel)
    : settings_(std::move(settings)),
      openChannel_(openChannel ? std::move(openChannel) : tcpSocketOpener(settings_.timeouts)),
      cookies_(std::move(clock)) {}

ClienteHttp::~ClienteHttp() = default;

std::string ClienteHttp::Get(std::string_view aUrl) {
  TextDestination destination;
  perform(aUrl, destination);
  return decodeText(destination.bytes, response_.value("Content-Type").value_or(""));
}

void ClienteHttp::Get(std::string_view aUrl, ByteStream& aResponseContent) {
  StreamDestination destination(aResponseContent);
  perform(aUrl, destination);
}

HttpUrl ClienteHttp::prepareUrl(std::string_view aUrl) const {
  HttpUrl url = splitUrl(aUrl);
  validateScheme(url);
  return url;
}

void ClienteHttp::closeConnection() {
  reader_.reset();
  channel_.reset();
}

void ClienteHttp::connect(const HttpUrl& url, Deadline callEnd) {
  int port = parsePort(url.port);
  if (channel_ && (!equalsIgnoreCase(connectedHost_, url.host) || connectedPort_ != port ||
                   reader_->hasBuffered() || !channel_->isIdle())) {
    closeConnection();
  }
  if (channel_) return;
  channel_ = openChannel_(url.host, port, callEnd);
  reader_ = std::make_unique<ResponseReader>(*channel_);
  connectedHost_ = url.host;
  connectedPort_ = port;
}

void ClienteHttp::storeCookies(const HttpResponse& response, const HttpUrl& url) {
  if (!settings_.allowCookies) return;
  for (std::string_view value : response.all("Set-Cookie")) {
    cookies_.receive(value, url.host, url.path);
  }
}

void ClienteHttp::readBodyInto(BodyDestination& destination, FinalDestination* final) {
  WorkNotifier observer(*this, final);
  readBody(*reader_, response_, bodyFraming(response_, *reader_), destination, observer);
}

ErroHttp ClienteHttp::readErrorAnswer(const std::string& message) {
  MemoryDestination page(kMaxErrorText);
  readBodyInto(page, nullptr);
  std::string text = decodeText(page.bytes(), response_.value("Content-Type").value_or(""));
  return ErroHttp(HttpErrorType::protocol, message, response_.code, std::move(text));
}

void ClienteHttp::perform(std::string_view aUrl, FinalDestination& destination) {
  HttpUrl url = prepareUrl(aUrl);
  Deadline callEnd = deadlineIn(settings_.timeouts.callMs);
  int redirects = 0;
  for (;;) {
    connect(url, callEnd);
    bool complete = false;
    try {
      RequestHeaders headers{settings_.accept, settings_.userAgent, {}};
      if (settings_.allowCookies) headers.cookie = cookies_.headerFor(url.host, url.path);
      // A head that trickles in must not hold the call: every byte would restart the
      // inactivity time.
      channel_->setDeadline(earlier(callEnd, deadlineIn(settings_.timeouts.inactivityMs)));
      channel_->write(buildRequest(url, headers));
      url_ = url;
      response_ = readResponse(*reader_, [&](const HttpResponse& r) { storeCookies(r, url); });
      channel_->setDeadline(callEnd);
      int code = response_.code;
      // A copy: trailers of a chunked body may still add headers.
      std::optional<std::string> local;
      if (auto value = response_.value("Location")) local = std::string(*value);
      bool follow = settings_.handleRedirects && redirect(code) && local;
      if (code >= 200 && code < 300) {
        readBodyInto(destination, &destination);
        complete = true;
        destination.finish();
      } else if (follow && ++redirects < settings_.redirectMaximum) {
        MemoryDestination discarded(0);
        readBodyInto(discarded, nullptr);
        complete = true;
      } else {
        // The redirect that reaches the limit fails too: a loop must never pass for an empty
        // document.
        ErroHttp error = readErrorAnswer(follow ? kTooManyRedirects : response_.statusLine);
        complete = true;
        throw error;
      }
      if (!response_.allowsReuse() || reader_->closed()) closeConnection();
      if (!follow) return;
      destination.rewind();
      url = resolveLocation(url, *local);
      validateScheme(url);
    } catch (...) {
      if (!complete || !channel_ || !response_.allowsReuse() || reader_->closed())
        closeConnection();
      throw;
    }
  }
}

}  // namespace orvanta
