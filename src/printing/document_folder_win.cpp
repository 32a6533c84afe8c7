#include "printing/document_folder_win.h"

#include <windows.h>

#include <string>

#include "ui/file_win.h"
#include "ui/system_error_text_win.h"
#include "ui/text_win.h"
#include "ui/unique_handle_win.h"

namespace orvanta {
namespace {

// A relayed document as it is written to the working folder.
class WorkingFile final : public DocumentFile {
 public:
  explicit WorkingFile(UniqueKernelHandle file) : file_(std::move(file)) {}

  int64_t position() const override { return file_.position(); }
  void setPosition(int64_t position) override { file_.setPosition(position); }
  int64_t size() const override { return file_.size(); }
  void setSize(int64_t size) override { file_.setSize(size); }
  void write(const char* data, size_t count) override { file_.write(data, count); }
  void commit() override { file_.commit(); }

 private:
  WinFile file_;
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
  throwWithSystemText("Cannot create file \"" + std::string(name) + "\"", error, "EFCreateError");
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
