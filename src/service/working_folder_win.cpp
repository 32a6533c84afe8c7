#include "service/working_folder_win.h"

#include <windows.h>

#include "ui/system_error_text_win.h"
#include "ui/text_win.h"
#include "ui/unique_handle_win.h"

namespace orvanta {
namespace {

[[noreturn]] void fail(const char* message, const char* className) {
  throwWithSystemText(message, GetLastError(), className);
}

[[noreturn]] void failToCreate(std::string_view name, DWORD error) {
  throwWithSystemText("Cannot create file \"" + std::string(name) + "\"", error, "EFCreateError");
}

class WinFile final : public WritableFile {
 public:
  explicit WinFile(UniqueKernelHandle file) : file_(std::move(file)) {}

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

UniqueKernelHandle openUnshared(const std::wstring& name, DWORD disposition) {
  return fileHandle(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

std::unique_ptr<WritableFile> WorkingFolder::create(std::string_view name) {
  UniqueKernelHandle file = openUnshared(widen(name), CREATE_ALWAYS);
  if (!file) failToCreate(name, GetLastError());
  return std::make_unique<WinFile>(std::move(file));
}

std::unique_ptr<WritableFile> WorkingFolder::createNew(std::string_view name) {
  const std::wstring wide = widen(name);
  UniqueKernelHandle file = openUnshared(wide, CREATE_NEW);
  if (file) return std::make_unique<WinFile>(std::move(file));
  const DWORD error = GetLastError();
  // A folder of that name takes the name as much as a file does.
  if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
      GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES) {
    return nullptr;
  }
  failToCreate(name, error);
}

bool WorkingFolder::rename(std::string_view from, std::string_view to) {
  if (MoveFileExW(widen(from).c_str(), widen(to).c_str(), MOVEFILE_WRITE_THROUGH)) return true;
  const DWORD error = GetLastError();
  if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return false;
  throwWithSystemText("Cannot rename file \"" + std::string(from) + "\"", error, "EFCreateError");
}

void WorkingFolder::remove(std::string_view name) {
  DeleteFileW(widen(name).c_str());
}

std::vector<std::string> WorkingFolder::namesStartingWith(std::string_view prefix) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  const std::wstring pattern = widen(prefix) + L"*";
  const HANDLE first = FindFirstFileW(pattern.c_str(), &found);
  if (first == INVALID_HANDLE_VALUE) return names;
  const UniqueFindHandle search(first);
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      std::string name = narrow(found.cFileName);
      // The pattern also matches short 8.3 names; only the long name counts.
      if (name.starts_with(prefix)) names.push_back(std::move(name));
    }
  } while (FindNextFileW(search.get(), &found));
  return names;
}

}  // namespace orvanta
