// The component-object runtime on the UI thread (single-threaded apartment) and creating an
// object by its class id.
#pragma once

#include <objbase.h>
#include <ole2.h>

#include <string>

#include "app/excecao.h"
#include "ui/unique_handle_win.h"

namespace orvanta {

// A failed COM call; named as the user sees it in the start-up failure box.
class ErroOle : public Excecao {
 public:
  explicit ErroOle(HRESULT hr);
  HRESULT resultado() const { return hr_; }

 private:
  HRESULT hr_;
};

// The platform's text for an HRESULT, without trailing blanks and dots.
std::string textoErroSistema(HRESULT hr);

// OleInitialize for the lifetime of the object.
class OleSession {
 public:
  OleSession();
  ~OleSession();
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

 private:
  bool initialised_;
};

// CoCreateInstance of an in-process or local server; throws ErroOle.
ComPtr<IUnknown> criarObjetoCom(const CLSID& clsid);

}  // namespace orvanta
