// Files held in memory, recording whether each is still open.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "base/exception.h"
#include "service/criador_arquivo.h"

namespace orvanta::teste {

struct ArquivoMemoria {
  std::string conteudo;
  bool aberto = false;
  int criacoes = 0;
};

class FluxoMemoria : public ByteStream {
 public:
  explicit FluxoMemoria(ArquivoMemoria& arquivo) : arquivo_(arquivo) { arquivo_.aberto = true; }
  ~FluxoMemoria() override { arquivo_.aberto = false; }

  int64_t position() const override { return position_; }
  void setPosition(int64_t position) override { position_ = position; }
  int64_t size() const override { return static_cast<int64_t>(arquivo_.conteudo.size()); }
  void setSize(int64_t size) override {
    arquivo_.conteudo.resize(static_cast<size_t>(size));
    position_ = std::min(position_, size);
  }
  void write(const char* data, size_t count) override {
    const auto inicio = static_cast<size_t>(position_);
    if (arquivo_.conteudo.size() < inicio + count) arquivo_.conteudo.resize(inicio + count);
    arquivo_.conteudo.replace(inicio, count, data, count);
    position_ += static_cast<int64_t>(count);
  }

 private:
  ArquivoMemoria& arquivo_;
  int64_t position_ = 0;
};

class CriadorMemoria : public CriadorArquivo {
 public:
  std::unique_ptr<ByteStream> criar(std::string_view nome) override {
    if (falhar) throw Excecao("Cannot create file \"" + std::string(nome) + "\"", "EFCreateError");
    ArquivoMemoria& arquivo = arquivos[std::string(nome)];
    arquivo.conteudo.clear();
    ++arquivo.criacoes;
    return std::make_unique<FluxoMemoria>(arquivo);
  }

  bool falhar = false;
  std::map<std::string, ArquivoMemoria> arquivos;
};

}  // namespace orvanta::teste
