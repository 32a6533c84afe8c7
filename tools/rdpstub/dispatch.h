// IDispatch::Invoke of the control's two faces: the members and properties the program reaches
// by dispatch id, journaled under that id.
#pragma once

#include <oaidl.h>

namespace rdpstub {

class Control;

HRESULT invokeClient(Control& control, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                     EXCEPINFO* info);
HRESULT invokeAdvanced(Control& control, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                       EXCEPINFO* info);

}  // namespace rdpstub
