#include "ui/file_win.h"

#include <windows.h>

#include "ui/system_error_text_win.h"

namespace orvanta {
namespace {

[[noreturn]] void fail(const char* message, const char* className) {
  throwWithSystemText(message, GetLastError(), className);
}

}  // namespace

int64_t WinFile::position() const {
  return seek(0, FILE_CURRENT);
}

void WinFile::setPosition(int64_t position) {
  seek(position, FILE_BEGIN);
}

int64_t WinFile::size() const {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file_.get(), &size)) fail("Stream read error", "EReadError");
  return size.QuadPart;
}

void WinFile::setSize(int64_t size) {
  const int64_t kept = position();
  seek(size, FILE_BEGIN);
  if (!SetEndOfFile(file_.get())) fail("Stream write error", "EWriteError");
  seek(kept < size ? kept : size, FILE_BEGIN);
}

void WinFile::write(const char* data, size_t count) {
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

void WinFile::commit() {
  if (!FlushFileBuffers(file_.get())) fail("Stream write error", "EWriteError");
  if (!CloseHandle(file_.release())) fail("Stream write error", "EWriteError");
}

int64_t WinFile::seek(int64_t distance, unsigned long origin) const {
  LARGE_INTEGER d{}, now{};
  d.QuadPart = distance;
  if (!SetFilePointerEx(file_.get(), d, &now, origin)) fail("Stream seek error", "EStreamError");
  return now.QuadPart;
}

}  // namespace orvanta
