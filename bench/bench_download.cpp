// Download throughput of ClienteHttp against nginx (sendfile), beside curl on the same URL.
//   bench_download [MiB]   default 2048; median of 5 runs each
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "service/cliente_http.h"
#include "service/nginx_local.h"

namespace {

using orvanta::ByteStream;

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
  explicit FluxoArquivo(const std::string& caminho) : f_(std::fopen(caminho.c_str(), "w+b")) {}
  ~FluxoArquivo() override { std::fclose(f_); }
  FluxoArquivo(const FluxoArquivo&) = delete;
  FluxoArquivo& operator=(const FluxoArquivo&) = delete;
  int64_t position() const override { return ftello(f_); }
  void setPosition(int64_t p) override { fseeko(f_, p, SEEK_SET); }
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
  void write(const char* d, size_t n) override { std::fwrite(d, 1, n, f_); }

 private:
  std::FILE* f_;
};

template <typename F>
double medianaSegundos(F&& f) {
  std::vector<double> tempos;
  for (int i = 0; i < 5; ++i) {
    auto inicio = std::chrono::steady_clock::now();
    f();
    tempos.push_back(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count());
  }
  std::sort(tempos.begin(), tempos.end());
  return tempos[2];
}

void imprimir(const char* nome, double mib, double segundos) {
  std::printf("%-34s %9.1f MiB/s  (%.2f s)\n", nome, mib / segundos, segundos);
}

}  // namespace

int main(int argc, char** argv) {
  int64_t mib = argc > 1 ? std::atoll(argv[1]) : 2048;
  orvanta::teste::NginxLocal nginx("");
  {
    std::ofstream(nginx.www() / "corpo.bin");
    std::filesystem::resize_file(nginx.www() / "corpo.bin", static_cast<uintmax_t>(mib) << 20);
  }
  nginx.iniciar();
  std::string url = nginx.base() + "/corpo.bin";
  std::string arquivo = "/tmp/orvanta-bench-" + std::to_string(getpid()) + ".bin";
  std::printf("body: %lld MiB from %s, median of 5\n", static_cast<long long>(mib), url.c_str());

  orvanta::ClienteHttp cliente(orvanta::ConfiguracaoHttp::instalador());
  imprimir("ClienteHttp -> null stream", static_cast<double>(mib), medianaSegundos([&] {
             FluxoNulo nulo;
             cliente.Get(url, nulo);
           }));
  imprimir("ClienteHttp -> file", static_cast<double>(mib), medianaSegundos([&] {
             FluxoArquivo f(arquivo);
             cliente.Get(url, f);
           }));
  std::string curlNulo = "curl -s -o /dev/null " + url;
  std::string curlArquivo = "curl -s -o " + arquivo + " " + url;
  imprimir("curl -> /dev/null", static_cast<double>(mib),
           medianaSegundos([&] { return std::system(curlNulo.c_str()); }));
  imprimir("curl -> file", static_cast<double>(mib),
           medianaSegundos([&] { return std::system(curlArquivo.c_str()); }));
  std::remove(arquivo.c_str());
  return 0;
}
