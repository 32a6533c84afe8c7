#include "registry_commands.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "text.h"

namespace probe {

namespace {

constexpr REGSAM kView = KEY_WOW64_64KEY;

class Key {
 public:
  Key() = default;
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  ~Key() {
    if (handle_) RegCloseKey(handle_);
  }
  HKEY* out() { return &handle_; }
  HKEY get() const { return handle_; }

 private:
  HKEY handle_ = nullptr;
};

struct Path {
  HKEY root = nullptr;
  std::wstring subKey;
};

Path parse(const std::wstring& key) {
  struct Root {
    const wchar_t* shortName;
    const wchar_t* longName;
    HKEY handle;
  };
  static const Root kRoots[] = {
      {L"HKCR", L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
      {L"HKCU", L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
      {L"HKLM", L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
      {L"HKU", L"HKEY_USERS", HKEY_USERS},
  };
  const size_t slash = key.find(L'\\');
  const std::wstring root = key.substr(0, slash);
  const std::wstring rest = slash == std::wstring::npos ? L"" : key.substr(slash + 1);
  for (const Root& r : kRoots) {
    if (_wcsicmp(root.c_str(), r.shortName) == 0 || _wcsicmp(root.c_str(), r.longName) == 0)
      return {r.handle, rest};
  }
  return {};
}

Answer noKey(const std::wstring& key) {
  return failed(1, "no key \"" + utf8(key) + "\"");
}

Answer noValue(const std::wstring& key, const std::wstring& value) {
  return failed(1, "no value \"" + utf8(value) + "\" in \"" + utf8(key) + "\"");
}

std::string hex(const std::vector<BYTE>& bytes) {
  std::string out;
  for (BYTE b : bytes) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02x", b);
    out += digits;
  }
  return out;
}

std::string asText(DWORD type, const std::vector<BYTE>& data) {
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
      std::wstring text(reinterpret_cast<const wchar_t*>(data.data()),
                        data.size() / sizeof(wchar_t));
      while (!text.empty() && text.back() == L'\0') text.pop_back();
      return utf8(text);
    }
    case REG_DWORD:
      if (data.size() == sizeof(DWORD))
        return std::to_string(*reinterpret_cast<const DWORD*>(data.data()));
      break;
    case REG_QWORD:
      if (data.size() == sizeof(ULONGLONG))
        return std::to_string(*reinterpret_cast<const ULONGLONG*>(data.data()));
      break;
  }
  return hex(data);
}

bool openKey(const Path& path, REGSAM access, Key& opened) {
  return path.root && RegOpenKeyExW(path.root, path.subKey.c_str(), 0, access | kView,
                                    opened.out()) == ERROR_SUCCESS;
}

}  // namespace

Answer registryGet(const std::wstring& key, const std::wstring& value) {
  const Path path = parse(key);
  Key opened;
  if (!openKey(path, KEY_QUERY_VALUE, opened)) return noKey(key);
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(opened.get(), value.c_str(), nullptr, &type, nullptr, &size) !=
      ERROR_SUCCESS)
    return noValue(key, value);
  std::vector<BYTE> data(size);
  if (RegQueryValueExW(opened.get(), value.c_str(), nullptr, &type, data.data(), &size) !=
      ERROR_SUCCESS)
    return noValue(key, value);
  data.resize(size);
  return {0, asText(type, data) + "\n", {}};
}

Answer registrySet(const std::wstring& key, const std::wstring& value, const std::wstring& data) {
  const Path path = parse(key);
  Key created;
  if (!path.root ||
      RegCreateKeyExW(path.root, path.subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE | kView, nullptr,
                      created.out(), nullptr) != ERROR_SUCCESS)
    return failed(1, "cannot create \"" + utf8(key) + "\"");
  const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  if (RegSetValueExW(created.get(), value.c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(data.c_str()), bytes) != ERROR_SUCCESS)
    return failed(1, "cannot set \"" + utf8(value) + "\" in \"" + utf8(key) + "\"");
  return {};
}

Answer registryDeleteKey(const std::wstring& key) {
  const Path path = parse(key);
  // The key itself is deleted from its parent, so the subkey must name one.
  const size_t slash = path.subKey.rfind(L'\\');
  const std::wstring parent = slash == std::wstring::npos ? L"" : path.subKey.substr(0, slash);
  const std::wstring name = path.subKey.substr(slash == std::wstring::npos ? 0 : slash + 1);
  Key opened;
  if (!path.root || name.empty() ||
      RegOpenKeyExW(path.root, parent.c_str(), 0, KEY_ALL_ACCESS | kView, opened.out()) !=
          ERROR_SUCCESS ||
      RegDeleteTreeW(opened.get(), name.c_str()) != ERROR_SUCCESS)
    return noKey(key);
  return {};
}

Answer registryDeleteValue(const std::wstring& key, const std::wstring& value) {
  const Path path = parse(key);
  Key opened;
  if (!openKey(path, KEY_SET_VALUE, opened)) return noKey(key);
  if (RegDeleteValueW(opened.get(), value.c_str()) != ERROR_SUCCESS) return noValue(key, value);
  return {};
}

}  // namespace probe
