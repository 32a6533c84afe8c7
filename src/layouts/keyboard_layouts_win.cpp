#include "layouts/keyboard_layouts_win.h"

#include <string>
#include <vector>

#include "ui/text_win.h"

namespace orvanta {
namespace {

std::span<const unsigned char> resourceData(HMODULE module, const wchar_t* name) {
  HRSRC resource = FindResourceW(module, name, RT_RCDATA);
  if (resource == nullptr) return {};
  // Resource memory belongs to the module; it needs no release.
  HGLOBAL loaded = LoadResource(module, resource);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (data == nullptr) return {};
  return {static_cast<const unsigned char*>(data), SizeofResource(module, resource)};
}

BOOL CALLBACK collectLayoutName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list) {
  // Names given by number are not layouts.
  if (!IS_INTRESOURCE(name) &&
      std::wstring_view(name).find(L"KEYBOARD") != std::wstring_view::npos) {
    reinterpret_cast<std::vector<std::wstring>*>(list)->emplace_back(name);
  }
  return TRUE;
}

}  // namespace

const TVirtualKeyLayout& LoadFromResourceName(TKeyboardLayouts& layouts, std::string_view name) {
  const std::wstring wide = widen(name);
  std::span<const unsigned char> data = resourceData(GetModuleHandleW(nullptr), wide.c_str());
  if (data.empty()) {
    throw KeyboardLayoutError("keyboard layout resource not found: " + std::string(name));
  }
  return layouts.LoadFromStream(data);
}

size_t loadLayoutsFromModule(TKeyboardLayouts& layouts, HMODULE module) {
  // Collected first and read afterwards, so no exception crosses the enumeration callback.
  std::vector<std::wstring> names;
  EnumResourceNamesW(module, RT_RCDATA, collectLayoutName, reinterpret_cast<LONG_PTR>(&names));
  for (const std::wstring& name : names) layouts.LoadFromStream(resourceData(module, name.c_str()));
  return names.size();
}

}  // namespace orvanta
