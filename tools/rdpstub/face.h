// A dual interface laid out by slot number, independent of any C++ declaration, so that the
// slot a caller came through is the slot recorded. The control serves two: the client
// (client_face.cpp) and its advanced settings (advanced_face.cpp).
#pragma once

#include <oaidl.h>

#include <array>
#include <cstddef>
#include <utility>

namespace rdpstub {

class Control;

struct Face {
  const void* const* vtbl;
  Control* owner;
};

inline Control* owner(Face* face) {
  return face->owner;
}

const void* const* clientTable();
const void* const* advancedTable();

// Slots 1-5, the same on both faces: reference counting is the control's, and there is no
// type information.
ULONG __stdcall faceAddRef(Face* f);
ULONG __stdcall faceRelease(Face* f);
HRESULT __stdcall faceTypeInfoCount(Face*, UINT* count);
HRESULT __stdcall faceTypeInfo(Face*, UINT, LCID, ITypeInfo**);
HRESULT __stdcall faceIdsOfNames(Face*, REFIID, LPOLESTR*, UINT, LCID, DISPID*);

template <typename F>
const void* entry(F function) {
  return reinterpret_cast<const void*>(function);
}

// A table of N slots, slot I filled with Unused<I>::call.
template <size_t N, template <int> class Unused, size_t... I>
std::array<const void*, N> unusedTable(std::index_sequence<I...>) {
  return {entry(&Unused<static_cast<int>(I)>::call)...};
}

}  // namespace rdpstub
