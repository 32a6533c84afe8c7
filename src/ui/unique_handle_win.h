// Owning wrappers for Win32 handles: one move-only template with a closer per handle type,
// a guard that puts back the GDI object a DC had selected, and a COM interface pointer.
#pragma once

#include <objbase.h>
#include <windows.h>

#include <utility>

namespace orvanta {

template <class T, class Close>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(T handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  T get() const { return handle_; }
  explicit operator bool() const { return handle_ != T{}; }
  T release() { return std::exchange(handle_, T{}); }
  void reset(T handle = T{}) {
    T old = std::exchange(handle_, handle);
    if (old != T{}) Close{}(old);
  }

 private:
  T handle_{};
};

struct DestroyWindowCloser {
  void operator()(HWND h) const { DestroyWindow(h); }
};
struct DeleteObjectCloser {
  void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct DeleteDcCloser {
  void operator()(HDC h) const { DeleteDC(h); }
};
struct RegCloseKeyCloser {
  void operator()(HKEY h) const { RegCloseKey(h); }
};
struct CloseHandleCloser {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
struct DestroyIconCloser {
  void operator()(HICON h) const { DestroyIcon(h); }
};
struct FreeLibraryCloser {
  void operator()(HMODULE h) const { FreeLibrary(h); }
};
struct LocalFreeCloser {
  void operator()(void* p) const { LocalFree(p); }
};
struct FindCloseCloser {
  void operator()(HANDLE h) const { FindClose(h); }
};
struct SysFreeStringCloser {
  void operator()(BSTR s) const { SysFreeString(s); }
};

using UniqueHwnd = UniqueHandle<HWND, DestroyWindowCloser>;
using UniqueHfont = UniqueHandle<HFONT, DeleteObjectCloser>;
using UniqueHbrush = UniqueHandle<HBRUSH, DeleteObjectCloser>;
using UniqueHbitmap = UniqueHandle<HBITMAP, DeleteObjectCloser>;
using UniqueHpen = UniqueHandle<HPEN, DeleteObjectCloser>;
using UniqueHrgn = UniqueHandle<HRGN, DeleteObjectCloser>;
using UniqueMemoryDc = UniqueHandle<HDC, DeleteDcCloser>;  // from CreateCompatibleDC
using UniqueHkey = UniqueHandle<HKEY, RegCloseKeyCloser>;
using UniqueHicon = UniqueHandle<HICON, DestroyIconCloser>;
using UniqueHmodule = UniqueHandle<HMODULE, FreeLibraryCloser>;
using UniqueLocalText = UniqueHandle<wchar_t*, LocalFreeCloser>;  // FormatMessage's buffer
using UniqueBstr = UniqueHandle<BSTR, SysFreeStringCloser>;
using UniqueFindHandle = UniqueHandle<HANDLE, FindCloseCloser>;  // only a valid search handle
// Kernel objects whose failure value is null (events, processes, threads).
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseHandleCloser>;

// Files report failure as INVALID_HANDLE_VALUE; this maps it to an empty handle.
inline UniqueKernelHandle fileHandle(HANDLE h) {
  return UniqueKernelHandle(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

// A window's DC from GetDC, given back with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// BeginPaint/EndPaint for a WM_PAINT handler.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  ~PaintDc() { EndPaint(window_, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC get() const { return dc_; }
  const RECT& dirty() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// Selects a GDI object into a DC and restores the previous one when it goes out of scope.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectGuard() {
    if (previous_) SelectObject(dc_, previous_);
  }
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Holds one reference to a COM interface.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr& other) : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() { reset(); }

  // Takes over a reference the caller already owns.
  static ComPtr attach(T* p) {
    ComPtr c;
    c.p_ = p;
    return c;
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For out-parameters: drops the current reference first.
  T** put() {
    reset();
    return &p_;
  }
  void** putVoid() { return reinterpret_cast<void**>(put()); }
  void reset() {
    if (p_) std::exchange(p_, nullptr)->Release();
  }
  template <class U>
  ComPtr<U> as() const {
    ComPtr<U> other;
    query(other);
    return other;
  }
  // QueryInterface into `other`; the failure code when the object does not offer U.
  template <class U>
  HRESULT query(ComPtr<U>& other) const {
    return p_ ? p_->QueryInterface(__uuidof(U), other.putVoid()) : E_POINTER;
  }

 private:
  T* p_ = nullptr;
};

}  // namespace orvanta
