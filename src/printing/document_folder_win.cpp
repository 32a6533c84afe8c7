#include "printing/document_folder_win.h"

#include <windows.h>

#include <string>

#include "base/exception.h"
#include "ui/system_error_text_win.h"
#include "ui/text_win.h"
#include "ui/unique_handle_win.h"

namespace orvanta {
namespace {

[[noreturn]] void fail(const char* message, const char* className) {
  const DWORD error = GetLastError();
  throw Exception(std::string(message) + ". " + systemErrorText(error), className);
}

class WorkingFile final : public DocumentFile {
 public:
  explicit WorkingFile(UniqueKernelHandle file) : file_(std::move(file)) {}

  int64_t position() const override { return seek(0, FILE_CURRENT); }
  void setPosition(int64_t position) override { seek(position, FILE_BEGIN); }
  int64_t size() const override {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file_.get(), &size)) fail("Stream read error", "EReadError");
    return size.QuadPart;
  }
  void setSize(int64_t size) override {
    const int64_t kept = position();
    seek(size, FILE_BEGIN);
    if (!SetEndOfFile(file_.get())) fail("Stream write error", "EWriteError");
    seek(kept < size ? kept : size, FILE_BEGIN);
  }
  void write(const char* data, size_t count) override {
    while (count > 0) {
      const DWORD piece = count > 0x40000000 ? 0x40000000 : static_cast<DWORD>(count);
      DWORD written = 0;
      if (!WriteFile(file_.get(), data, piece, &written, nullptr) || written == 0) {
        fail("Stream write error", "EWriteError");
      }
      data += written;
      count -= written;
    }
  }
  void commit() override {
    if (!FlushFileBuffers(file_.get())) fail("Stream write error", "EWriteError");
    if (!CloseHandle(file_.release())) fail("Stream write error", "EWriteError");
  }

 private:
  int64_t seek(int64_t distance, DWORD origin) const {
    LARGE_INTEGER d{}, now{};
    d.QuadPart = distance;
    if (!SetFilePointerEx(file_.get(), d, &now, origin)) fail("Stream seek error", "EStreamError");
    return now.QuadPart;
  }

  UniqueKernelHandle file_;
};

}  // namespace

std::unique_ptr<DocumentFile> WorkingFolder::createNew(std::string_view name) {
  const std::wstring wide = widen(name);
  UniqueKernelHandle file =
      fileHandle(CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file) return std::make_unique<WorkingFile>(std::move(file));
  const DWORD error = GetLastError();
  // A folder of that name takes the name as much as a file does.
  if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
      GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES) {
    return nullptr;
  }
  throw Exception("Cannot create file \"" + std::string(name) + "\". " + systemErrorText(error),
                  "EFCreateError");
}

void WorkingFolder::remove(std::string_view name) {
  DeleteFileW(widen(name).c_str());
}

}  // namespace orvanta
