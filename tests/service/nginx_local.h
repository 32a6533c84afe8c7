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

namespace orvanta::teste {

class NginxLocal {
 public:
  // `locais` is extra configuration inside the server block.
  explicit NginxLocal(const std::string& locais, std::string ip = "127.0.0.9")
      : ip_(std::move(ip)) {
    char modelo[] = "/tmp/orvanta-nginx-XXXXXX";
    if (!mkdtemp(modelo)) throw std::runtime_error("mkdtemp");
    pasta_ = modelo;
    // Workers may run as another user when the tests run as root.
    std::filesystem::permissions(
        pasta_, std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                    std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                    std::filesystem::perms::others_exec);
    std::filesystem::create_directories(pasta_ / "www");
    std::filesystem::create_directories(pasta_ / "temp");
    porta_ = portaLivre();
    std::string p = pasta_.string();
    std::ofstream(pasta_ / "nginx.conf")
        << "worker_processes 1;\nerror_log " << p << "/error.log;\npid " << p << "/nginx.pid;\n"
        << "events { worker_connections 64; }\n"
        << "http {\n  access_log off;\n  sendfile on;\n  keepalive_requests 10000;\n"
        << "  default_type application/octet-stream;\n"
        << "  client_body_temp_path " << p << "/temp/body;\n  proxy_temp_path " << p
        << "/temp/proxy;\n"
        << "  fastcgi_temp_path " << p << "/temp/fcgi;\n  uwsgi_temp_path " << p << "/temp/uwsgi;\n"
        << "  scgi_temp_path " << p << "/temp/scgi;\n"
        << "  server {\n    listen " << ip_ << ":" << porta_ << ";\n    root " << p << "/www;\n"
        << locais << "\n  }\n}\n";
  }

  ~NginxLocal() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
    std::error_code ignorado;
    std::filesystem::remove_all(pasta_, ignorado);
  }

  std::filesystem::path www() const { return pasta_ / "www"; }
  std::string base() const { return "http://" + ip_ + ":" + std::to_string(porta_); }

  // Starts nginx in the foreground as our child and waits until it accepts connections.
  void iniciar() {
    std::string conf = (pasta_ / "nginx.conf").string();
    std::string prefixo = pasta_.string() + "/";
    pid_ = ::fork();
    if (pid_ == 0) {
      ::execlp("nginx", "nginx", "-p", prefixo.c_str(), "-c", conf.c_str(), "-g", "daemon off;",
               static_cast<char*>(nullptr));
      ::_exit(127);
    }
    for (int i = 0; i < 200; ++i) {
      if (aceita()) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    throw std::runtime_error("nginx did not start");
  }

 private:
  sockaddr_in endereco(int porta) const {
    sockaddr_in e{};
    e.sin_family = AF_INET;
    e.sin_port = htons(static_cast<uint16_t>(porta));
    inet_pton(AF_INET, ip_.c_str(), &e.sin_addr);
    return e;
  }
  int portaLivre() const {
    int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in e = endereco(0);
    ::bind(s, reinterpret_cast<sockaddr*>(&e), sizeof e);
    socklen_t n = sizeof e;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&e), &n);
    ::close(s);
    return ntohs(e.sin_port);
  }
  bool aceita() const {
    int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in e = endereco(porta_);
    bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&e), sizeof e) == 0;
    ::close(s);
    return ok;
  }

  std::string ip_;
  std::filesystem::path pasta_;
  int porta_ = 0;
  pid_t pid_ = -1;
};

}  // namespace orvanta::teste
