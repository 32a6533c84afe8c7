// A loopback HTTP server that plays a script per accepted connection and records the exact
// bytes each connection received. POSIX sockets natively, Winsock under Wine.
#pragma once

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace orvanta::test {

#ifdef _WIN32
using NativeSocket = SOCKET;
constexpr NativeSocket kNoSocket = INVALID_SOCKET;
inline void closeSocket(NativeSocket s) {
  closesocket(s);
}
struct NetworkStartup {
  NetworkStartup() {
    WSADATA d;
    WSAStartup(MAKEWORD(2, 2), &d);
  }
  ~NetworkStartup() { WSACleanup(); }
};
constexpr int kSendFlags = 0;
#else
using NativeSocket = int;
constexpr NativeSocket kNoSocket = -1;
// A client that has gone away must fail the send, not end the test with SIGPIPE.
constexpr int kSendFlags = MSG_NOSIGNAL;
inline void closeSocket(NativeSocket s) {
  ::close(s);
}
struct NetworkStartup {};
#endif

struct Step {
  enum class Type { request, send, pause, close, reset };
  Type type;
  std::string data;
  int ms = 0;
  size_t piece = 0;  // send: slices of this size with a pause between (0 = at once)
  int gapMs = 1;     // send: the pause between slices
};

// Waits for the next complete request head on the connection.
inline Step request() {
  return {Step::Type::request, {}};
}
inline Step send(std::string data, size_t piece = 0) {
  return {Step::Type::send, std::move(data), 0, piece};
}
// One byte every `gapMs`, until the client goes away.
inline Step trickle(std::string data, int gapMs) {
  return {Step::Type::send, std::move(data), 0, 1, gapMs};
}
inline Step pause(int ms) {
  return {Step::Type::pause, {}, ms};
}
inline Step close() {
  return {Step::Type::close, {}};
}
inline Step reset() {
  return {Step::Type::reset, {}};
}

using Script = std::vector<Step>;

// A request, then the answer.
inline Script respond(std::string response) {
  return {request(), send(std::move(response))};
}

inline std::string response(const std::string& status, const std::string& headers,
                            const std::string& body) {
  return "HTTP/1.1 " + status + "\r\n" + headers + "\r\n" + body;
}
inline std::string okResponse(const std::string& body, const std::string& extra = "") {
  return response("200 OK", "Content-Length: " + std::to_string(body.size()) + "\r\n" + extra,
                  body);
}

class ScriptedServer {
 public:
  explicit ScriptedServer(std::vector<Script> scripts, const char* ip = "127.0.0.1")
      : scripts_(std::move(scripts)), received_(scripts_.size()) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in e{};
    e.sin_family = AF_INET;
    e.sin_port = 0;
    inet_pton(AF_INET, ip, &e.sin_addr);
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&e), sizeof e) != 0 ||
        ::listen(listener_, 16) != 0) {
      throw std::runtime_error("scripted server cannot listen");
    }
    socklen_t n = sizeof e;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&e), &n);
    port_ = ntohs(e.sin_port);
    acceptor_ = std::thread([this] { acceptConnections(); });
  }

  ~ScriptedServer() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
      for (NativeSocket s : openSockets_) ::shutdown(s, 2);
    }
    ::shutdown(listener_, 2);
    closeSocket(listener_);
    acceptor_.join();
    for (auto& t : connections_) t.join();
  }

  int port() const { return port_; }
  std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }

  // Bytes received on each accepted connection so far.
  std::vector<std::string> received() {
    std::lock_guard lock(mutex_);
    return {received_.begin(), received_.begin() + static_cast<long>(accepted_)};
  }
  size_t acceptedConnections() {
    std::lock_guard lock(mutex_);
    return accepted_;
  }
  // Waits until connection `i` has been closed by the client (or the script closed it).
  bool waitUntilClosed(size_t i, int ms = 5000) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(ms),
                             [&] { return finished_.size() > i && finished_[i]; });
  }

 private:
  void acceptConnections() {
    for (size_t i = 0; i < scripts_.size(); ++i) {
      NativeSocket s = ::accept(listener_, nullptr, nullptr);
      if (s == kNoSocket) return;
      int one = 1;
      ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&one), sizeof one);
      std::lock_guard lock(mutex_);
      if (stopping_) {
        closeSocket(s);
        return;
      }
      openSockets_.push_back(s);
      accepted_ = i + 1;
      finished_.push_back(false);
      connections_.emplace_back([this, s, i] { serve(s, i); });
    }
  }

  bool readMore(NativeSocket s, size_t i) {
    char b[4096];
    int n = static_cast<int>(::recv(s, b, sizeof b, 0));
    if (n <= 0) return false;
    std::lock_guard lock(mutex_);
    received_[i].append(b, static_cast<size_t>(n));
    return true;
  }

  size_t completeHeads(size_t i) {
    std::lock_guard lock(mutex_);
    size_t n = 0, p = 0;
    while ((p = received_[i].find("\r\n\r\n", p)) != std::string::npos) ++n, p += 4;
    return n;
  }

  void serve(NativeSocket s, size_t i) {
    size_t expected = 0;
    bool isOpen = true;
    for (const Step& step : scripts_[i]) {
      if (!isOpen) break;
      switch (step.type) {
        case Step::Type::request:
          ++expected;
          while (completeHeads(i) < expected) {
            if (!readMore(s, i)) {
              isOpen = false;
              break;
            }
          }
          break;
        case Step::Type::send: {
          size_t piece = step.piece ? step.piece : step.data.size();
          for (size_t k = 0; k < step.data.size() && isOpen; k += piece) {
            std::string_view part = std::string_view(step.data).substr(k, piece);
            if (::send(s, part.data(), static_cast<int>(part.size()), kSendFlags) < 0) {
              isOpen = false;
            }
            if (step.piece) std::this_thread::sleep_for(std::chrono::milliseconds(step.gapMs));
          }
          break;
        }
        case Step::Type::pause:
          std::this_thread::sleep_for(std::chrono::milliseconds(step.ms));
          break;
        case Step::Type::close:
          ::shutdown(s, 1);
          isOpen = false;
          break;
        case Step::Type::reset: {
          linger l{1, 0};
          ::setsockopt(s, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&l), sizeof l);
          isOpen = false;
          break;
        }
      }
    }
    while (isOpen && readMore(s, i)) {
    }
    if (!scripts_[i].empty() && scripts_[i].back().type == Step::Type::close) {
      while (readMore(s, i)) {
      }
    }
    std::lock_guard lock(mutex_);
    std::erase(openSockets_, s);
    closeSocket(s);
    finished_[i] = true;
    changed_.notify_all();
  }

  [[maybe_unused]] NetworkStartup network_;
  std::vector<Script> scripts_;
  NativeSocket listener_ = kNoSocket;
  int port_ = 0;
  std::thread acceptor_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::thread> connections_;
  std::vector<NativeSocket> openSockets_;
  std::vector<std::string> received_;
  std::vector<bool> finished_;
  size_t accepted_ = 0;
  bool stopping_ = false;
};

// A listener whose queue of waiting connections is already full, so a new connection to it is
// never completed: the system drops the attempts until the connecting side gives up.
class FullListener {
 public:
  FullListener() {
    listener_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in e{};
    e.sin_family = AF_INET;
    inet_pton(AF_INET, "127.0.0.1", &e.sin_addr);
    socklen_t n = sizeof e;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&e), sizeof e) != 0 ||
        ::listen(listener_, 0) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&e), &n) != 0) {
      throw std::runtime_error("full listener cannot listen");
    }
    port_ = ntohs(e.sin_port);
    // A queue of length 0 still holds one connection that nobody accepts.
    filler_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (::connect(filler_, reinterpret_cast<sockaddr*>(&e), sizeof e) != 0) {
      throw std::runtime_error("full listener cannot fill its queue");
    }
  }
  ~FullListener() {
    closeSocket(filler_);
    closeSocket(listener_);
  }
  FullListener(const FullListener&) = delete;
  FullListener& operator=(const FullListener&) = delete;

  std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }

 private:
  [[maybe_unused]] NetworkStartup network_;
  NativeSocket listener_ = kNoSocket;
  NativeSocket filler_ = kNoSocket;
  int port_ = 0;
};

}  // namespace orvanta::test
