#include "session/keyboard_layouts_win.h"

#include <string>
#include <vector>

#include "ui/text_win.h"

namespace orvanta {
namespace {

std::span<const unsigned char> DadosDoRecurso(HMODULE modulo, const wchar_t* nome) {
  HRSRC recurso = FindResourceW(modulo, nome, RT_RCDATA);
  if (recurso == nullptr) return {};
  // Resource memory belongs to the module; it needs no release.
  HGLOBAL carregado = LoadResource(modulo, recurso);
  const void* dados = carregado ? LockResource(carregado) : nullptr;
  if (dados == nullptr) return {};
  return {static_cast<const unsigned char*>(dados), SizeofResource(modulo, recurso)};
}

BOOL CALLBACK JuntarNome(HMODULE, LPCWSTR, LPWSTR nome, LONG_PTR lista) {
  // Names given by number are not layouts.
  if (!IS_INTRESOURCE(nome) &&
      std::wstring_view(nome).find(L"KEYBOARD") != std::wstring_view::npos) {
    reinterpret_cast<std::vector<std::wstring>*>(lista)->emplace_back(nome);
  }
  return TRUE;
}

}  // namespace

const TVirtualKeyLayout& LoadFromResourceName(TKeyboardLayouts& layouts, std::string_view nome) {
  const std::wstring largo = widen(nome);
  std::span<const unsigned char> dados = DadosDoRecurso(GetModuleHandleW(nullptr), largo.c_str());
  if (dados.empty()) {
    throw ErroLayoutTeclado("keyboard layout resource not found: " + std::string(nome));
  }
  return layouts.LoadFromStream(dados);
}

size_t CarregarLayoutsDoModulo(TKeyboardLayouts& layouts, HMODULE modulo) {
  // Collected first and read afterwards, so no exception crosses the enumeration callback.
  std::vector<std::wstring> nomes;
  EnumResourceNamesW(modulo, RT_RCDATA, JuntarNome, reinterpret_cast<LONG_PTR>(&nomes));
  for (const std::wstring& nome : nomes)
    layouts.LoadFromStream(DadosDoRecurso(modulo, nome.c_str()));
  return nomes.size();
}

}  // namespace orvanta
