#include "update/arquivo_local_win.h"

#include <windows.h>

#include "app/excecao.h"
#include "ui/text_win.h"

namespace orvanta {
namespace {

std::string textoDoSistema(DWORD erro) {
  wchar_t* texto = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, erro, 0, reinterpret_cast<wchar_t*>(&texto), 0, nullptr);
  const std::unique_ptr<wchar_t, decltype(&LocalFree)> dono(texto, &LocalFree);
  std::wstring linha(texto, n);
  while (!linha.empty() && (linha.back() == L'\n' || linha.back() == L'\r')) linha.pop_back();
  return narrow(linha);
}

class FluxoArquivo : public ByteStream {
 public:
  explicit FluxoArquivo(HANDLE arquivo) : arquivo_(arquivo, &CloseHandle) {}

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

  std::unique_ptr<void, decltype(&CloseHandle)> arquivo_;
};

}  // namespace

std::unique_ptr<ByteStream> ArquivoLocal::criar(std::string_view nome) {
  HANDLE arquivo = CreateFileW(widen(nome).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (arquivo == INVALID_HANDLE_VALUE) {
    const DWORD erro = GetLastError();
    throw Excecao("Cannot create file \"" + std::string(nome) + "\". " + textoDoSistema(erro),
                  "EFCreateError");
  }
  return std::make_unique<FluxoArquivo>(arquivo);
}

}  // namespace orvanta
