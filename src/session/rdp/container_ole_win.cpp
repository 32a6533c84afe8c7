#include "session/rdp/container_ole_win.h"

#include <cstring>

#include "base/exception.h"
#include "session/rdp/erro_ole_win.h"

namespace orvanta::rdp {

namespace {

// The control's own persistence of its initial state; handed over untouched.
constexpr BYTE kEstadoInicial[20] = {0x00, 0x03, 0x00, 0x00, 0x08, 0x00, 0x02, 0x00, 0x00, 0x00,
                                     0x00, 0x00, 0x0B, 0x00, 0x00, 0x00, 0x0B, 0x00, 0x00, 0x00};

constexpr DISPID kAmbienteUserMode = -709;

}  // namespace

HRESULT SinkEventos::QueryInterface(REFIID riid, void** out) {
  if (riid == IID_IUnknown || riid == IID_IDispatch || riid == DIID_IMsTscAxEvents) {
    *out = static_cast<IDispatch*>(this);
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

HRESULT SinkEventos::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

HRESULT SinkEventos::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                            UINT*) {
  static const DISPPARAMS vazio = {};
  evento_(id, params ? *params : vazio);
  return S_OK;
}

ComPtr<IUnknown> criaControle() {
  ComPtr<IUnknown> controle;
  const HRESULT hr =
      CoCreateInstance(CLSID_MsRdpClient7, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                       IID_IUnknown, controle.putVoid());
  if (FAILED(hr)) lancaErroSistema(hr);
  return controle;
}

ContainerOle::ContainerOle(HWND pai, ComPtr<IUnknown> controle, SinkEventos::Evento evento)
    : pai_(pai), sink_(std::move(evento)) {
  if (const HRESULT hr = controle.query(objeto_); FAILED(hr)) lancaErroSistema(hr);
  DWORD status = 0;
  if (SUCCEEDED(objeto_->GetMiscStatus(DVASPECT_CONTENT, &status)) &&
      (status & OLEMISC_SETCLIENTSITEFIRST)) {
    objeto_->SetClientSite(this);
    siteDado_ = true;
  }
}

ContainerOle::~ContainerOle() {
  if (pontoEventos_) pontoEventos_->Unadvise(cookie_);
  pontoEventos_.reset();
  cliente_.reset();
  dispatch_.reset();
  objeto_->Close(OLECLOSE_NOSAVE);
  objeto_->SetClientSite(nullptr);
  objeto_.reset();
}

void ContainerOle::primeiroUso() {
  if (usado_) return;
  usado_ = true;
  ComPtr<IPersistStreamInit> persistencia;
  if (SUCCEEDED(objeto_.query(persistencia))) {
    ComPtr<IStream> fluxo;
    HGLOBAL memoria = GlobalAlloc(GMEM_MOVEABLE, sizeof kEstadoInicial);
    if (!memoria) lancaErroSistema(E_OUTOFMEMORY);
    std::memcpy(GlobalLock(memoria), kEstadoInicial, sizeof kEstadoInicial);
    GlobalUnlock(memoria);
    if (const HRESULT hr = CreateStreamOnHGlobal(memoria, TRUE, fluxo.put()); FAILED(hr)) {
      GlobalFree(memoria);
      lancaErroSistema(hr);
    }
    if (const HRESULT hr = persistencia->Load(fluxo.get()); FAILED(hr)) lancaErroSistema(hr);
  }
  if (!siteDado_) {
    objeto_->SetClientSite(this);
    siteDado_ = true;
  }
  ComPtr<IConnectionPointContainer> pontos;
  if (SUCCEEDED(objeto_.query(pontos)) &&
      SUCCEEDED(pontos->FindConnectionPoint(DIID_IMsTscAxEvents, pontoEventos_.put())) &&
      FAILED(pontoEventos_->Advise(static_cast<IDispatch*>(&sink_), &cookie_))) {
    pontoEventos_.reset();
  }
}

void ContainerOle::ativa(const RECT& area) {
  primeiroUso();
  area_ = area;
  if (FAILED(objeto_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, pai_, &area_))) {
    throw Excecao("OLE control activation failed", "EOleError");
  }
  ComPtr<IOleInPlaceObject> noLugar;
  HWND janela = nullptr;
  if (FAILED(objeto_.query(noLugar)) || FAILED(noLugar->GetWindow(&janela)) || !janela) {
    throw Excecao("Could not obtain OLE control window handle", "EOleError");
  }
  janela_ = janela;
}

void ContainerOle::posiciona(const RECT& area) {
  area_ = area;
  ComPtr<IOleInPlaceObject> noLugar;
  if (janela_ && SUCCEEDED(objeto_.query(noLugar))) noLugar->SetObjectRects(&area_, &area_);
}

IDispatch& ContainerOle::dispatch() {
  primeiroUso();
  if (!dispatch_) {
    if (const HRESULT hr = objeto_.query(dispatch_); FAILED(hr)) lancaErroSistema(hr);
  }
  return *dispatch_.get();
}

IMsRdpClient7& ContainerOle::cliente() {
  primeiroUso();
  if (!cliente_) {
    if (const HRESULT hr = objeto_->QueryInterface(IID_IMsRdpClient7, cliente_.putVoid());
        FAILED(hr)) {
      lancaErroSistema(hr);
    }
  }
  return *cliente_.get();
}

HRESULT ContainerOle::QueryInterface(REFIID riid, void** out) {
  if (riid == IID_IUnknown || riid == IID_IOleClientSite) {
    *out = static_cast<IOleClientSite*>(this);
  } else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) {
    *out = static_cast<IOleInPlaceSite*>(this);
  } else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame) {
    *out = static_cast<IOleInPlaceFrame*>(this);
  } else if (riid == IID_IOleControlSite) {
    *out = static_cast<IOleControlSite*>(this);
  } else if (riid == IID_IOleContainer || riid == IID_IParseDisplayName) {
    *out = static_cast<IOleContainer*>(this);
  } else if (riid == IID_IDispatch) {
    *out = static_cast<IDispatch*>(this);
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  return S_OK;
}

HRESULT ContainerOle::GetContainer(IOleContainer** container) {
  *container = this;
  return S_OK;
}

HRESULT ContainerOle::GetWindow(HWND* window) {
  *window = pai_;
  return S_OK;
}

HRESULT ContainerOle::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                       LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  *frame = this;
  *document = nullptr;
  *position = area_;
  *clip = area_;
  info->fMDIApp = FALSE;
  info->hwndFrame = pai_;
  info->haccel = nullptr;
  info->cAccelEntries = 0;
  return S_OK;
}

HRESULT ContainerOle::OnPosRectChange(LPCRECT position) {
  posiciona(*position);
  return S_OK;
}

HRESULT ContainerOle::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

HRESULT ContainerOle::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                             EXCEPINFO*, UINT*) {
  if (id != kAmbienteUserMode) return DISP_E_MEMBERNOTFOUND;
  if (result) {
    VariantInit(result);
    result->vt = VT_BOOL;
    result->boolVal = VARIANT_TRUE;
  }
  return S_OK;
}

}  // namespace orvanta::rdp
