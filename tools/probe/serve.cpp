#include "serve.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "text.h"

namespace probe {

namespace {

bool readLine(std::string& line) {
  line.clear();
  for (int c = std::getchar(); c != EOF; c = std::getchar()) {
    if (c == '\n') return true;
    line += static_cast<char>(c);
  }
  return !line.empty();
}

std::vector<std::wstring> words(const std::string& line) {
  std::vector<std::wstring> out;
  size_t start = 0;
  for (;;) {
    const size_t tab = line.find('\t', start);
    out.push_back(wide(line.substr(start, tab - start)));
    if (tab == std::string::npos) return out;
    start = tab + 1;
  }
}

}  // namespace

int serve() {
  // Lines as they are: no "\r\n" either way.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  std::string line;
  while (readLine(line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const Answer answer = runCommand(words(line));
    const std::string reply =
        answer.out + answer.error + "#end " + std::to_string(answer.code) + "\n";
    std::fwrite(reply.data(), 1, reply.size(), stdout);
    std::fflush(stdout);
  }
  return 0;
}

}  // namespace probe
