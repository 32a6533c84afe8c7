#include "update/local_files_win.h"

#include <windows.h>

#include "ui/file_win.h"
#include "ui/system_error_text_win.h"
#include "ui/text_win.h"
#include "ui/unique_handle_win.h"

namespace orvanta {
namespace {

// The downloaded file as the transfer writes it.
class FileStream final : public ByteStream {
 public:
  explicit FileStream(UniqueKernelHandle file) : file_(std::move(file)) {}

  int64_t position() const override { return file_.position(); }
  void setPosition(int64_t position) override { file_.setPosition(position); }
  int64_t size() const override { return file_.size(); }
  void setSize(int64_t size) override { file_.setSize(size); }
  void write(const char* data, size_t count) override { file_.write(data, count); }

 private:
  WinFile file_;
};

}  // namespace

std::unique_ptr<ByteStream> LocalFiles::create(std::string_view name) {
  UniqueKernelHandle file =
      fileHandle(CreateFileW(widen(name).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    throwWithSystemText("Cannot create file \"" + std::string(name) + "\"", GetLastError(),
                        "EFCreateError");
  }
  return std::make_unique<FileStream>(std::move(file));
}

void LocalFiles::remove(std::string_view name) {
  DeleteFileW(widen(name).c_str());
}

}  // namespace orvanta
