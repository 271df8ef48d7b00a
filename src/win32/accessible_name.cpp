#include "win32/accessible_name.h"

#include <initguid.h>
#include <oleacc.h>

#include "win32/wide_text.h"

namespace cuffware {

void SetAccessibleName(HWND control, const std::string& name) {
    std::wstring wide = Wide(name);
    SetWindowTextW(control, wide.c_str());
    // COM may already be set up on this thread (then this adds a reference
    // that the matching CoUninitialize takes back) or not be available at all.
    HRESULT initialized = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IAccPropServices* services = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IAccPropServices, reinterpret_cast<void**>(&services)))) {
        services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                 PROPID_ACC_NAME, wide.c_str());
        services->Release();
    }
    if (SUCCEEDED(initialized))
        CoUninitialize();
}

}  // namespace cuffware
