// A Canal over memory: hands out the scripted answer in pieces of a chosen size and records
// what was written.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "service/canal.h"

namespace orvanta {

class CanalMemoria : public Canal {
 public:
  CanalMemoria(std::string entrada, size_t pedaco, std::string* escrito = nullptr)
      : entrada_(std::move(entrada)), pedaco_(pedaco), escrito_(escrito ? escrito : &proprio_) {}

  size_t ler(char* destino, size_t capacidade) override {
    size_t n = std::min({capacidade, pedaco_, entrada_.size() - lido_});
    std::memcpy(destino, entrada_.data() + lido_, n);
    lido_ += n;
    return n;
  }
  void escrever(std::string_view dados) override { escrito_->append(dados); }
  bool aguardarDados(int) override { return true; }
  bool ocioso() override { return lido_ < entrada_.size(); }

  const std::string& escrito() const { return *escrito_; }

 private:
  std::string entrada_;
  size_t pedaco_;
  size_t lido_ = 0;
  std::string proprio_;
  std::string* escrito_;
};

}  // namespace orvanta
