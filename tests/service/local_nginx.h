// A real nginx on a loopback address, configured in a fresh temporary folder and stopped by
// its pid. Linux only.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <thread>

namespace orvanta::test {

class LocalNginx {
 public:
  // `locations` is extra configuration inside the server block.
  explicit LocalNginx(const std::string& locations, std::string ip = "127.0.0.9")
      : ip_(std::move(ip)) {
    char dirTemplate[] = "/tmp/orvanta-nginx-XXXXXX";
    if (!mkdtemp(dirTemplate)) throw std::runtime_error("mkdtemp");
    folder_ = dirTemplate;
    // Workers may run as another user when the tests run as root.
    std::filesystem::permissions(
        folder_, std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                     std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                     std::filesystem::perms::others_exec);
    std::filesystem::create_directories(folder_ / "www");
    std::filesystem::create_directories(folder_ / "temp");
    port_ = freePort();
    std::string p = folder_.string();
    std::ofstream(folder_ / "nginx.conf")
        << "worker_processes 1;\nerror_log " << p << "/error.log;\npid " << p << "/nginx.pid;\n"
        << "events { worker_connections 64; }\n"
        << "http {\n  access_log off;\n  sendfile on;\n  keepalive_requests 10000;\n"
        << "  default_type application/octet-stream;\n"
        << "  client_body_temp_path " << p << "/temp/body;\n  proxy_temp_path " << p
        << "/temp/proxy;\n"
        << "  fastcgi_temp_path " << p << "/temp/fcgi;\n  uwsgi_temp_path " << p << "/temp/uwsgi;\n"
        << "  scgi_temp_path " << p << "/temp/scgi;\n"
        << "  server {\n    listen " << ip_ << ":" << port_ << ";\n    root " << p << "/www;\n"
        << locations << "\n  }\n}\n";
  }

  ~LocalNginx() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  std::filesystem::path www() const { return folder_ / "www"; }
  std::string base() const { return "http://" + ip_ + ":" + std::to_string(port_); }

  // Starts nginx in the foreground as our child and waits until it accepts connections.
  void start() {
    std::string conf = (folder_ / "nginx.conf").string();
    std::string prefix = folder_.string() + "/";
    pid_ = ::fork();
    if (pid_ == 0) {
      ::execlp("nginx", "nginx", "-p", prefix.c_str(), "-c", conf.c_str(), "-g", "daemon off;",
               static_cast<char*>(nullptr));
      ::_exit(127);
    }
    for (int i = 0; i < 200; ++i) {
      if (acceptsConnections()) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    throw std::runtime_error("nginx did not start");
  }

 private:
  sockaddr_in address(int port) const {
    sockaddr_in e{};
    e.sin_family = AF_INET;
    e.sin_port = htons(static_cast<uint16_t>(port));
    inet_pton(AF_INET, ip_.c_str(), &e.sin_addr);
    return e;
  }
  int freePort() const {
    int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in e = address(0);
    ::bind(s, reinterpret_cast<sockaddr*>(&e), sizeof e);
    socklen_t n = sizeof e;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&e), &n);
    ::close(s);
    return ntohs(e.sin_port);
  }
  bool acceptsConnections() const {
    int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in e = address(port_);
    bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&e), sizeof e) == 0;
    ::close(s);
    return ok;
  }

  std::string ip_;
  std::filesystem::path folder_;
  int port_ = 0;
  pid_t pid_ = -1;
};

}  // namespace orvanta::test
