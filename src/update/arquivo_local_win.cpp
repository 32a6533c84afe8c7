#include "update/arquivo_local_win.h"

#include <windows.h>

#include "base/exception.h"
#include "ui/system_error_text_win.h"
#include "ui/text_win.h"
#include "ui/unique_handle_win.h"

namespace orvanta {
namespace {

class FluxoArquivo : public ByteStream {
 public:
  explicit FluxoArquivo(UniqueKernelHandle arquivo) : arquivo_(std::move(arquivo)) {}

  int64_t position() const override { return mover(0, FILE_CURRENT); }
  void setPosition(int64_t position) override { mover(position, FILE_BEGIN); }
  int64_t size() const override {
    LARGE_INTEGER tamanho{};
    if (!GetFileSizeEx(arquivo_.get(), &tamanho)) throw Excecao("Stream read error", "EReadError");
    return tamanho.QuadPart;
  }
  void setSize(int64_t size) override {
    const int64_t posicao = position();
    mover(size, FILE_BEGIN);
    if (!SetEndOfFile(arquivo_.get())) throw Excecao("Stream write error", "EWriteError");
    mover(posicao < size ? posicao : size, FILE_BEGIN);
  }
  void write(const char* data, size_t count) override {
    while (count > 0) {
      const DWORD pedaco = count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(count);
      DWORD escritos = 0;
      if (!WriteFile(arquivo_.get(), data, pedaco, &escritos, nullptr) || escritos == 0) {
        throw Excecao("Stream write error", "EWriteError");
      }
      data += escritos;
      count -= escritos;
    }
  }

 private:
  int64_t mover(int64_t distancia, DWORD origem) const {
    LARGE_INTEGER d{}, nova{};
    d.QuadPart = distancia;
    if (!SetFilePointerEx(arquivo_.get(), d, &nova, origem)) {
      throw Excecao("Stream seek error", "EStreamError");
    }
    return nova.QuadPart;
  }

  UniqueKernelHandle arquivo_;
};

}  // namespace

std::unique_ptr<ByteStream> ArquivoLocal::criar(std::string_view nome) {
  UniqueKernelHandle arquivo =
      fileHandle(CreateFileW(widen(nome).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!arquivo) {
    const DWORD erro = GetLastError();
    throw Excecao("Cannot create file \"" + std::string(nome) + "\". " + systemErrorText(erro),
                  "EFCreateError");
  }
  return std::make_unique<FluxoArquivo>(std::move(arquivo));
}

}  // namespace orvanta
