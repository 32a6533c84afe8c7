// Download throughput of ClienteHttp against nginx (sendfile), beside curl on the same URL.
//   bench_download [MiB]              starts nginx with a body of that size (default 2048) and
//                                     times ClienteHttp and curl, rounds interleaved
//   bench_download --url URL MiB      times ClienteHttp alone on a body served elsewhere (this is
//                                     how the Windows build runs under Wine)
// With ORVANTA_BENCH_WINDOWS set to a command, the native run also starts that command with
// "--url URL MiB" while its nginx is up, so both figures come from the same server and run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "service/cliente_http.h"

#ifdef _WIN32
#include <io.h>
#else
#include <sched.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <thread>

#include "service/nginx_local.h"
#endif

namespace {

using orvanta::ByteStream;
constexpr int kRodadas = 5;

class FluxoNulo : public ByteStream {
 public:
  int64_t position() const override { return posicao_; }
  void setPosition(int64_t p) override { posicao_ = p; }
  int64_t size() const override { return tamanho_; }
  void setSize(int64_t s) override { tamanho_ = s; }
  void write(const char*, size_t n) override {
    posicao_ += static_cast<int64_t>(n);
    tamanho_ = std::max(tamanho_, posicao_);
  }

 private:
  int64_t posicao_ = 0, tamanho_ = 0;
};

class FluxoArquivo : public ByteStream {
 public:
  explicit FluxoArquivo(const std::string& caminho) : f_(std::fopen(caminho.c_str(), "w+b")) {
    if (!f_) throw std::runtime_error("cannot create " + caminho);
  }
  ~FluxoArquivo() override { std::fclose(f_); }
  FluxoArquivo(const FluxoArquivo&) = delete;
  FluxoArquivo& operator=(const FluxoArquivo&) = delete;
#ifdef _WIN32
  int64_t position() const override {
    return _ftelli64(f_);
  }
  void setPosition(int64_t p) override {
    _fseeki64(f_, p, SEEK_SET);
  }
  int64_t size() const override {
    std::fflush(f_);
    return _filelengthi64(_fileno(f_));
  }
  void setSize(int64_t s) override {
    std::fflush(f_);
    if (_chsize_s(_fileno(f_), s) != 0) std::perror("_chsize_s");
  }
#else
  int64_t position() const override {
    return ftello(f_);
  }
  void setPosition(int64_t p) override {
    fseeko(f_, p, SEEK_SET);
  }
  int64_t size() const override {
    struct stat s;
    std::fflush(f_);
    fstat(fileno(f_), &s);
    return s.st_size;
  }
  void setSize(int64_t s) override {
    std::fflush(f_);
    if (ftruncate(fileno(f_), s) != 0) std::perror("ftruncate");
  }
#endif
  void write(const char* d, size_t n) override {
    std::fwrite(d, 1, n, f_);
  }

 private:
  std::FILE* f_;
};

double segundos(const std::function<void()>& f) {
  auto inicio = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
}

double mediana(std::vector<double> tempos) {
  std::sort(tempos.begin(), tempos.end());
  return tempos[tempos.size() / 2];
}

void imprimir(const char* nome, double mib, const std::vector<double>& tempos) {
  double s = mediana(tempos);
  std::printf("%-34s %9.1f MiB/s  (%.2f s)\n", nome, mib / s, s);
  std::fflush(stdout);
}

std::string arquivoTemporario() {
  return (std::filesystem::temp_directory_path() / "orvanta-bench.bin").string();
}

// ClienteHttp alone, one kept-alive instance as a download window has.
int medirSoCliente(const std::string& url, int64_t mib) {
  orvanta::ClienteHttp cliente(orvanta::ConfiguracaoHttp::instalador());
  std::string arquivo = arquivoTemporario();
  std::vector<double> nulo, disco;
  for (int i = 0; i < kRodadas; ++i) {
    nulo.push_back(segundos([&] {
      FluxoNulo fluxo;
      cliente.Get(url, fluxo);
    }));
    disco.push_back(segundos([&] {
      FluxoArquivo fluxo(arquivo);
      cliente.Get(url, fluxo);
    }));
  }
  std::remove(arquivo.c_str());
  imprimir("ClienteHttp -> null stream", static_cast<double>(mib), nulo);
  imprimir("ClienteHttp -> file", static_cast<double>(mib), disco);
  return 0;
}

#ifndef _WIN32
void fixarNucleo(int nucleo) {
  if (std::thread::hardware_concurrency() < 2) return;
  cpu_set_t conjunto;
  CPU_ZERO(&conjunto);
  CPU_SET(nucleo, &conjunto);
  if (sched_setaffinity(0, sizeof conjunto, &conjunto) != 0) std::perror("sched_setaffinity");
}

// curl's own total time for the transfer, so its process start is not counted against it.
double segundosCurl(const std::string& destino, const std::string& url) {
  std::string comando = "curl -s -o " + destino + " -w '%{time_total}' " + url;
  std::FILE* p = ::popen(comando.c_str(), "r");
  if (!p) throw std::runtime_error("cannot start curl");
  char texto[64] = {};
  size_t n = std::fread(texto, 1, sizeof texto - 1, p);
  if (::pclose(p) != 0 || n == 0) throw std::runtime_error("curl failed on " + url);
  return std::strtod(texto, nullptr);
}

int medirComNginx(int64_t mib) {
  orvanta::teste::NginxLocal nginx("");
  {
    std::ofstream(nginx.www() / "corpo.bin");
    std::filesystem::resize_file(nginx.www() / "corpo.bin", static_cast<uintmax_t>(mib) << 20);
  }
  // nginx on one core and the downloaders (this process, curl) on the other, so that both are
  // measured with the same placement rather than wherever the scheduler happens to put them.
  fixarNucleo(0);
  nginx.iniciar();
  fixarNucleo(1);
  std::string url = nginx.base() + "/corpo.bin";
  std::string arquivo = arquivoTemporario();
  std::printf("body: %lld MiB from %s, nginx with sendfile, median of %d interleaved rounds\n",
              static_cast<long long>(mib), url.c_str(), kRodadas);

  orvanta::ClienteHttp cliente(orvanta::ConfiguracaoHttp::instalador());
  std::vector<double> nulo, disco, curlNulo, curlDisco;
  for (int i = 0; i < kRodadas; ++i) {
    nulo.push_back(segundos([&] {
      FluxoNulo fluxo;
      cliente.Get(url, fluxo);
    }));
    curlNulo.push_back(segundosCurl("/dev/null", url));
    std::remove(arquivo.c_str());
    disco.push_back(segundos([&] {
      FluxoArquivo fluxo(arquivo);
      cliente.Get(url, fluxo);
    }));
    std::remove(arquivo.c_str());
    curlDisco.push_back(segundosCurl(arquivo, url));
  }
  std::remove(arquivo.c_str());
  double m = static_cast<double>(mib);
  std::printf("native:\n");
  imprimir("ClienteHttp -> null stream", m, nulo);
  imprimir("curl -> /dev/null", m, curlNulo);
  imprimir("ClienteHttp -> file", m, disco);
  imprimir("curl -> file", m, curlDisco);

  if (const char* windows = std::getenv("ORVANTA_BENCH_WINDOWS")) {
    std::printf("Windows build under Wine, same server:\n");
    std::fflush(stdout);
    std::string comando =
        std::string(windows) + " --url " + url + " " + std::to_string(static_cast<long long>(mib));
    if (std::system(comando.c_str()) != 0) {
      std::fprintf(stderr, "the Windows run failed\n");
      return 1;
    }
  }
  return 0;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 4 && std::string(argv[1]) == "--url") {
      return medirSoCliente(argv[2], std::atoll(argv[3]));
    }
#ifndef _WIN32
    return medirComNginx(argc > 1 ? std::atoll(argv[1]) : 2048);
#else
    std::fprintf(stderr, "usage: bench_download --url URL MiB\n");
    return 2;
#endif
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_download: %s\n", e.what());
    return 1;
  }
}
