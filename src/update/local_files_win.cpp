#include "update/local_files_win.h"

#include <windows.h>

#include "base/exception.h"
#include "ui/system_error_text_win.h"
#include "ui/text_win.h"
#include "ui/unique_handle_win.h"

namespace orvanta {
namespace {

class FileStream : public ByteStream {
 public:
  explicit FileStream(UniqueKernelHandle file) : file_(std::move(file)) {}

  int64_t position() const override { return seek(0, FILE_CURRENT); }
  void setPosition(int64_t position) override { seek(position, FILE_BEGIN); }
  int64_t size() const override {
    LARGE_INTEGER length{};
    if (!GetFileSizeEx(file_.get(), &length)) throw Exception("Stream read error", "EReadError");
    return length.QuadPart;
  }
  void setSize(int64_t size) override {
    const int64_t pos = position();
    seek(size, FILE_BEGIN);
    if (!SetEndOfFile(file_.get())) throw Exception("Stream write error", "EWriteError");
    seek(pos < size ? pos : size, FILE_BEGIN);
  }
  void write(const char* data, size_t count) override {
    while (count > 0) {
      const DWORD piece = count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(count);
      DWORD written = 0;
      if (!WriteFile(file_.get(), data, piece, &written, nullptr) || written == 0) {
        throw Exception("Stream write error", "EWriteError");
      }
      data += written;
      count -= written;
    }
  }

 private:
  int64_t seek(int64_t distance, DWORD origin) const {
    LARGE_INTEGER d{}, newPosition{};
    d.QuadPart = distance;
    if (!SetFilePointerEx(file_.get(), d, &newPosition, origin)) {
      throw Exception("Stream seek error", "EStreamError");
    }
    return newPosition.QuadPart;
  }

  UniqueKernelHandle file_;
};

}  // namespace

std::unique_ptr<ByteStream> LocalFiles::create(std::string_view name) {
  UniqueKernelHandle file =
      fileHandle(CreateFileW(widen(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    throw Exception("Cannot create file \"" + std::string(name) + "\". " + systemErrorText(error),
                    "EFCreateError");
  }
  return std::make_unique<FileStream>(std::move(file));
}

void LocalFiles::remove(std::string_view name) {
  DeleteFileW(widen(name).c_str());
}

}  // namespace orvanta
