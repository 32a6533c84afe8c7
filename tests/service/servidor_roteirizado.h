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

namespace orvanta::teste {

#ifdef _WIN32
using SocketNativo = SOCKET;
constexpr SocketNativo kSemSocket = INVALID_SOCKET;
inline void fecharSocket(SocketNativo s) {
  closesocket(s);
}
struct IniciacaoRede {
  IniciacaoRede() {
    WSADATA d;
    WSAStartup(MAKEWORD(2, 2), &d);
  }
  ~IniciacaoRede() { WSACleanup(); }
};
#else
using SocketNativo = int;
constexpr SocketNativo kSemSocket = -1;
inline void fecharSocket(SocketNativo s) {
  ::close(s);
}
struct IniciacaoRede {};
#endif

struct Passo {
  enum class Tipo { requisicao, enviar, pausa, fechar, reset };
  Tipo tipo;
  std::string dados;
  int ms = 0;
  size_t pedaco = 0;  // enviar: slices of this size with a short pause between (0 = at once)
};

// Waits for the next complete request head on the connection.
inline Passo requisicao() {
  return {Passo::Tipo::requisicao, {}};
}
inline Passo enviar(std::string dados, size_t pedaco = 0) {
  return {Passo::Tipo::enviar, std::move(dados), 0, pedaco};
}
inline Passo pausa(int ms) {
  return {Passo::Tipo::pausa, {}, ms};
}
inline Passo fechar() {
  return {Passo::Tipo::fechar, {}};
}
inline Passo reset() {
  return {Passo::Tipo::reset, {}};
}

using Roteiro = std::vector<Passo>;

// A request, then the answer.
inline Roteiro responder(std::string resposta) {
  return {requisicao(), enviar(std::move(resposta))};
}

inline std::string resposta(const std::string& status, const std::string& cabecalhos,
                            const std::string& corpo) {
  return "HTTP/1.1 " + status + "\r\n" + cabecalhos + "\r\n" + corpo;
}
inline std::string respostaOk(const std::string& corpo, const std::string& extra = "") {
  return resposta("200 OK", "Content-Length: " + std::to_string(corpo.size()) + "\r\n" + extra,
                  corpo);
}

class ServidorRoteirizado {
 public:
  explicit ServidorRoteirizado(std::vector<Roteiro> roteiros, const char* ip = "127.0.0.1")
      : roteiros_(std::move(roteiros)), recebido_(roteiros_.size()) {
    escuta_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in e{};
    e.sin_family = AF_INET;
    e.sin_port = 0;
    inet_pton(AF_INET, ip, &e.sin_addr);
    if (::bind(escuta_, reinterpret_cast<sockaddr*>(&e), sizeof e) != 0 ||
        ::listen(escuta_, 16) != 0) {
      throw std::runtime_error("scripted server cannot listen");
    }
    socklen_t n = sizeof e;
    ::getsockname(escuta_, reinterpret_cast<sockaddr*>(&e), &n);
    porta_ = ntohs(e.sin_port);
    aceitador_ = std::thread([this] { aceitar(); });
  }

  ~ServidorRoteirizado() {
    {
      std::lock_guard trava(mutex_);
      encerrando_ = true;
      for (SocketNativo s : abertos_) ::shutdown(s, 2);
    }
    ::shutdown(escuta_, 2);
    fecharSocket(escuta_);
    aceitador_.join();
    for (auto& t : conexoes_) t.join();
  }

  int porta() const { return porta_; }
  std::string base() const { return "http://127.0.0.1:" + std::to_string(porta_); }

  // Bytes received on each accepted connection so far.
  std::vector<std::string> recebido() {
    std::lock_guard trava(mutex_);
    return {recebido_.begin(), recebido_.begin() + static_cast<long>(aceitas_)};
  }
  size_t conexoesAceitas() {
    std::lock_guard trava(mutex_);
    return aceitas_;
  }
  // Waits until connection `i` has been closed by the client (or the script closed it).
  bool esperarFim(size_t i, int ms = 5000) {
    std::unique_lock trava(mutex_);
    return mudou_.wait_for(trava, std::chrono::milliseconds(ms),
                           [&] { return terminadas_.size() > i && terminadas_[i]; });
  }

 private:
  void aceitar() {
    for (size_t i = 0; i < roteiros_.size(); ++i) {
      SocketNativo s = ::accept(escuta_, nullptr, nullptr);
      if (s == kSemSocket) return;
      int um = 1;
      ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&um), sizeof um);
      std::lock_guard trava(mutex_);
      if (encerrando_) {
        fecharSocket(s);
        return;
      }
      abertos_.push_back(s);
      aceitas_ = i + 1;
      terminadas_.push_back(false);
      conexoes_.emplace_back([this, s, i] { servir(s, i); });
    }
  }

  bool lerMais(SocketNativo s, size_t i) {
    char b[4096];
    int n = static_cast<int>(::recv(s, b, sizeof b, 0));
    if (n <= 0) return false;
    std::lock_guard trava(mutex_);
    recebido_[i].append(b, static_cast<size_t>(n));
    return true;
  }

  size_t cabecasCompletas(size_t i) {
    std::lock_guard trava(mutex_);
    size_t n = 0, p = 0;
    while ((p = recebido_[i].find("\r\n\r\n", p)) != std::string::npos) ++n, p += 4;
    return n;
  }

  void servir(SocketNativo s, size_t i) {
    size_t esperadas = 0;
    bool aberto = true;
    for (const Passo& passo : roteiros_[i]) {
      if (!aberto) break;
      switch (passo.tipo) {
        case Passo::Tipo::requisicao:
          ++esperadas;
          while (cabecasCompletas(i) < esperadas) {
            if (!lerMais(s, i)) {
              aberto = false;
              break;
            }
          }
          break;
        case Passo::Tipo::enviar: {
          size_t pedaco = passo.pedaco ? passo.pedaco : passo.dados.size();
          for (size_t k = 0; k < passo.dados.size(); k += pedaco) {
            std::string_view parte = std::string_view(passo.dados).substr(k, pedaco);
            ::send(s, parte.data(), static_cast<int>(parte.size()), 0);
            if (passo.pedaco) std::this_thread::sleep_for(std::chrono::milliseconds(1));
          }
          break;
        }
        case Passo::Tipo::pausa:
          std::this_thread::sleep_for(std::chrono::milliseconds(passo.ms));
          break;
        case Passo::Tipo::fechar:
          ::shutdown(s, 1);
          aberto = false;
          break;
        case Passo::Tipo::reset: {
          linger l{1, 0};
          ::setsockopt(s, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&l), sizeof l);
          aberto = false;
          break;
        }
      }
    }
    while (aberto && lerMais(s, i)) {
    }
    if (!roteiros_[i].empty() && roteiros_[i].back().tipo == Passo::Tipo::fechar) {
      while (lerMais(s, i)) {
      }
    }
    std::lock_guard trava(mutex_);
    std::erase(abertos_, s);
    fecharSocket(s);
    terminadas_[i] = true;
    mudou_.notify_all();
  }

  IniciacaoRede rede_;
  std::vector<Roteiro> roteiros_;
  SocketNativo escuta_ = kSemSocket;
  int porta_ = 0;
  std::thread aceitador_;
  std::mutex mutex_;
  std::condition_variable mudou_;
  std::vector<std::thread> conexoes_;
  std::vector<SocketNativo> abertos_;
  std::vector<std::string> recebido_;
  std::vector<bool> terminadas_;
  size_t aceitas_ = 0;
  bool encerrando_ = false;
};

}  // namespace orvanta::teste
