#include "AccessibleName.h"

#include <commctrl.h>

#include <memory>

namespace {

const UINT_PTR kNamedId = 0x4E414D45; // the subclass of ours among others of the window
// The window's name, found again when the window is named again.
const wchar_t kNameProperty[] = L"kvVelmora.AccessibleName";

} // namespace

void CAccessibleName::Give(HWND hWnd, const std::string& strName)
{
    if (!::IsWindow(hWnd))
        return;
    if (auto* pKept = static_cast<std::string*>(GetPropW(hWnd, kNameProperty))) {
        *pKept = strName;
        return;
    }
    auto pName = std::make_unique<std::string>(strName);
    if (!SetWindowSubclass(hWnd, &CAccessibleName::NamedProc, kNamedId, reinterpret_cast<DWORD_PTR>(pName.get())))
        return;
    SetPropW(hWnd, kNameProperty, pName.get());
    pName.release(); // the subclass owns it until the window goes
}

LRESULT CALLBACK CAccessibleName::NamedProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR pData)
{
    auto* pName = reinterpret_cast<std::string*>(pData);
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        CComPointer<CAccessibleName> pObject;
        pObject.Attach(new CAccessibleName(hWnd, *pName));
        return Serve(pObject, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        RemovePropW(hWnd, kNameProperty);
        RemoveWindowSubclass(hWnd, &CAccessibleName::NamedProc, kNamedId);
        delete pName;
    }
    return DefSubclassProc(hWnd, message, wParam, lParam);
}

STDMETHODIMP CAccessibleName::get_accName(VARIANT varChild, BSTR* pName)
{
    if (varChild.vt == VT_I4 && varChild.lVal != CHILDID_SELF)
        return CAccessibleBase::get_accName(varChild, pName);
    return ReturnText(m_strName, pName);
}
