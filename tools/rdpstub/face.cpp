#include "face.h"

#include "control.h"

namespace rdpstub {

ULONG __stdcall faceAddRef(Face* f) {
  return owner(f)->AddRef();
}
ULONG __stdcall faceRelease(Face* f) {
  return owner(f)->Release();
}
HRESULT __stdcall faceTypeInfoCount(Face*, UINT* count) {
  *count = 0;
  return S_OK;
}
HRESULT __stdcall faceTypeInfo(Face*, UINT, LCID, ITypeInfo**) {
  return E_NOTIMPL;
}
HRESULT __stdcall faceIdsOfNames(Face*, REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return DISP_E_UNKNOWNNAME;
}

}  // namespace rdpstub
