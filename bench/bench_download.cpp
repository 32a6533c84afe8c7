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

#include "service/local_nginx.h"
#endif

namespace {

using orvanta::ByteStream;
constexpr int kRounds = 5;

class NullStream : public ByteStream {
 public:
  int64_t position() const override { return position_; }
  void setPosition(int64_t p) override { position_ = p; }
  int64_t size() const override { return length_; }
  void setSize(int64_t s) override { length_ = s; }
  void write(const char*, size_t n) override {
    position_ += static_cast<int64_t>(n);
    length_ = std::max(length_, position_);
  }

 private:
  int64_t position_ = 0, length_ = 0;
};

class FileStream : public ByteStream {
 public:
  explicit FileStream(const std::string& path) : f_(std::fopen(path.c_str(), "w+b")) {
    if (!f_) throw std::runtime_error("cannot create " + path);
  }
  ~FileStream() override { std::fclose(f_); }
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;
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

double secondsToRun(const std::function<void()>& f) {
  auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void printRate(const char* name, double mib, const std::vector<double>& times) {
  double s = median(times);
  std::printf("%-34s %9.1f MiB/s  (%.2f s)\n", name, mib / s, s);
  std::fflush(stdout);
}

std::string tempFilePath() {
  return (std::filesystem::temp_directory_path() / "orvanta-bench.bin").string();
}

// ClienteHttp alone, one kept-alive instance as a download window has.
int measureClientOnly(const std::string& url, int64_t mib) {
  orvanta::ClienteHttp client(orvanta::HttpSettings::installer());
  std::string file = tempFilePath();
  std::vector<double> toNull, toDisk;
  for (int i = 0; i < kRounds; ++i) {
    toNull.push_back(secondsToRun([&] {
      NullStream stream;
      client.Get(url, stream);
    }));
    toDisk.push_back(secondsToRun([&] {
      FileStream stream(file);
      client.Get(url, stream);
    }));
  }
  std::remove(file.c_str());
  printRate("ClienteHttp -> null stream", static_cast<double>(mib), toNull);
  printRate("ClienteHttp -> file", static_cast<double>(mib), toDisk);
  return 0;
}

#ifndef _WIN32
void pinToCore(int core) {
  if (std::thread::hardware_concurrency() < 2) return;
  cpu_set_t cpuSet;
  CPU_ZERO(&cpuSet);
  CPU_SET(core, &cpuSet);
  if (sched_setaffinity(0, sizeof cpuSet, &cpuSet) != 0) std::perror("sched_setaffinity");
}

// curl's own total time for the transfer, so its process start is not counted against it.
double curlSeconds(const std::string& destination, const std::string& url) {
  std::string command = "curl -s -o " + destination + " -w '%{time_total}' " + url;
  std::FILE* p = ::popen(command.c_str(), "r");
  if (!p) throw std::runtime_error("cannot start curl");
  char text[64] = {};
  size_t n = std::fread(text, 1, sizeof text - 1, p);
  if (::pclose(p) != 0 || n == 0) throw std::runtime_error("curl failed on " + url);
  return std::strtod(text, nullptr);
}

int measureWithNginx(int64_t mib) {
  orvanta::test::LocalNginx nginx("");
  {
    std::ofstream(nginx.www() / "corpo.bin");
    std::filesystem::resize_file(nginx.www() / "corpo.bin", static_cast<uintmax_t>(mib) << 20);
  }
  // nginx on one core and the downloaders (this process, curl) on the other, so that both are
  // measured with the same placement rather than wherever the scheduler happens to put them.
  pinToCore(0);
  nginx.start();
  pinToCore(1);
  std::string url = nginx.base() + "/corpo.bin";
  std::string file = tempFilePath();
  std::printf("body: %lld MiB from %s, nginx with sendfile, median of %d interleaved rounds\n",
              static_cast<long long>(mib), url.c_str(), kRounds);

  orvanta::ClienteHttp client(orvanta::HttpSettings::installer());
  std::vector<double> toNull, toDisk, curlToNull, curlToDisk;
  for (int i = 0; i < kRounds; ++i) {
    toNull.push_back(secondsToRun([&] {
      NullStream stream;
      client.Get(url, stream);
    }));
    curlToNull.push_back(curlSeconds("/dev/null", url));
    std::remove(file.c_str());
    toDisk.push_back(secondsToRun([&] {
      FileStream stream(file);
      client.Get(url, stream);
    }));
    std::remove(file.c_str());
    curlToDisk.push_back(curlSeconds(file, url));
  }
  std::remove(file.c_str());
  double m = static_cast<double>(mib);
  std::printf("native:\n");
  printRate("ClienteHttp -> null stream", m, toNull);
  printRate("curl -> /dev/null", m, curlToNull);
  printRate("ClienteHttp -> file", m, toDisk);
  printRate("curl -> file", m, curlToDisk);

  if (const char* windows = std::getenv("ORVANTA_BENCH_WINDOWS")) {
    std::printf("Windows build under Wine, same server:\n");
    std::fflush(stdout);
    std::string command =
        std::string(windows) + " --url " + url + " " + std::to_string(static_cast<long long>(mib));
    if (std::system(command.c_str()) != 0) {
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
      return measureClientOnly(argv[2], std::atoll(argv[3]));
    }
#ifndef _WIN32
    return measureWithNginx(argc > 1 ? std::atoll(argv[1]) : 2048);
#else
    std::fprintf(stderr, "usage: bench_download --url URL MiB\n");
    return 2;
#endif
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench_download: %s\n", e.what());
    return 1;
  }
}
