#include "AccessibleEditor.h"

#include <commctrl.h>

#include <memory>

namespace {

const UINT_PTR kNamedId = 0x4E414D45; // the subclass of ours among others of the window
// The window's name, found again when the window is named again.
const wchar_t kNameProperty[] = L"kvVelmora.AccessibleEditor";

} // namespace

void CAccessibleEditor::Give(HWND hWnd, const std::string& strName)
{
    if (!::IsWindow(hWnd))
        return;
    if (auto* pKept = static_cast<std::string*>(GetPropW(hWnd, kNameProperty))) {
        *pKept = strName;
        return;
    }
    auto pName = std::make_unique<std::string>(strName);
    if (!SetWindowSubclass(hWnd, &CAccessibleEditor::EditorProc, kNamedId, reinterpret_cast<DWORD_PTR>(pName.get())))
        return;
    SetPropW(hWnd, kNameProperty, pName.get());
    pName.release(); // the subclass owns it until the window goes
}

LRESULT CALLBACK CAccessibleEditor::EditorProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                               DWORD_PTR pData)
{
    auto* pName = reinterpret_cast<std::string*>(pData);
    switch (message) {
    case WM_GETOBJECT: {
        // A window that answers for itself keeps its own object.
        const LRESULT own = DefSubclassProc(hWnd, message, wParam, lParam);
        if (own != 0 || static_cast<LONG>(lParam) != OBJID_CLIENT)
            return own;
        CComPointer<CAccessibleEditor> pObject;
        pObject.Attach(new CAccessibleEditor(hWnd, *pName));
        return Serve(pObject, wParam, lParam);
    }
    case WM_WINDOWPOSCHANGED: {
        const LRESULT result = DefSubclassProc(hWnd, message, wParam, lParam);
        const UINT nFlags = reinterpret_cast<const WINDOWPOS*>(lParam)->flags;
        if (nFlags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))
            NotifyWinEvent((nFlags & SWP_SHOWWINDOW) ? EVENT_OBJECT_SHOW : EVENT_OBJECT_HIDE, hWnd, OBJID_CLIENT,
                           CHILDID_SELF);
        return result;
    }
    case WM_NCDESTROY:
        RemovePropW(hWnd, kNameProperty);
        RemoveWindowSubclass(hWnd, &CAccessibleEditor::EditorProc, kNamedId);
        delete pName;
        break;
    default:
        break;
    }
    return DefSubclassProc(hWnd, message, wParam, lParam);
}

STDMETHODIMP CAccessibleEditor::get_accName(VARIANT varChild, BSTR* pName)
{
    if (varChild.vt == VT_I4 && varChild.lVal != CHILDID_SELF)
        return CAccessibleBase::get_accName(varChild, pName);
    return ReturnText(m_strName, pName);
}
