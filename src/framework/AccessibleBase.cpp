#include "AccessibleBase.h"

#include "Bstr.h"
#include "Text.h"

namespace {

HRESULT NoStandard(void** ppOut)
{
    if (ppOut)
        *ppOut = nullptr;
    return E_FAIL;
}

} // namespace

CAccessibleBase::CAccessibleBase(HWND hWnd) : m_hWnd(hWnd)
{
    CreateStdAccessibleObject(hWnd, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(m_pStandard.Out()));
}

void* CAccessibleBase::GetInterface(REFIID riid)
{
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == __uuidof(IAccessible))
        return static_cast<IAccessible*>(this);
    return nullptr;
}

LRESULT CAccessibleBase::Serve(IAccessible* pObject, WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || !pObject)
        return 0;
    return LresultFromObject(__uuidof(IAccessible), wParam, pObject);
}

long CAccessibleBase::IndexOf(const VARIANT& varChild)
{
    if (varChild.vt != VT_I4 || varChild.lVal <= CHILDID_SELF)
        return -1;
    return varChild.lVal - 1;
}

VARIANT CAccessibleBase::ChildVariant(LONG nChildId)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = nChildId;
    return v;
}

HRESULT CAccessibleBase::ReturnText(const std::string& strText, BSTR* pText)
{
    if (!pText)
        return E_POINTER;
    *pText = nullptr;
    if (strText.empty())
        return S_FALSE;
    *pText = CBstr(strText).Detach();
    return S_OK;
}

STDMETHODIMP CAccessibleBase::GetTypeInfoCount(UINT* pCount)
{
    if (!pCount)
        return E_POINTER;
    *pCount = 0;
    return S_OK;
}

STDMETHODIMP CAccessibleBase::GetTypeInfo(UINT, LCID, ITypeInfo** ppInfo)
{
    if (ppInfo)
        *ppInfo = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CAccessibleBase::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAccessibleBase::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAccessibleBase::get_accParent(IDispatch** ppParent)
{
    return m_pStandard ? m_pStandard->get_accParent(ppParent) : NoStandard(reinterpret_cast<void**>(ppParent));
}

STDMETHODIMP CAccessibleBase::get_accChildCount(long* pCount)
{
    return m_pStandard ? m_pStandard->get_accChildCount(pCount) : E_FAIL;
}

STDMETHODIMP CAccessibleBase::get_accChild(VARIANT varChild, IDispatch** ppChild)
{
    return m_pStandard ? m_pStandard->get_accChild(varChild, ppChild) : NoStandard(reinterpret_cast<void**>(ppChild));
}

STDMETHODIMP CAccessibleBase::get_accName(VARIANT varChild, BSTR* pName)
{
    return m_pStandard ? m_pStandard->get_accName(varChild, pName) : NoStandard(reinterpret_cast<void**>(pName));
}

STDMETHODIMP CAccessibleBase::get_accValue(VARIANT varChild, BSTR* pValue)
{
    return m_pStandard ? m_pStandard->get_accValue(varChild, pValue) : NoStandard(reinterpret_cast<void**>(pValue));
}

STDMETHODIMP CAccessibleBase::get_accDescription(VARIANT varChild, BSTR* pDescription)
{
    return m_pStandard ? m_pStandard->get_accDescription(varChild, pDescription)
                       : NoStandard(reinterpret_cast<void**>(pDescription));
}

STDMETHODIMP CAccessibleBase::get_accRole(VARIANT varChild, VARIANT* pRole)
{
    return m_pStandard ? m_pStandard->get_accRole(varChild, pRole) : E_FAIL;
}

STDMETHODIMP CAccessibleBase::get_accState(VARIANT varChild, VARIANT* pState)
{
    return m_pStandard ? m_pStandard->get_accState(varChild, pState) : E_FAIL;
}

STDMETHODIMP CAccessibleBase::get_accHelp(VARIANT varChild, BSTR* pHelp)
{
    return m_pStandard ? m_pStandard->get_accHelp(varChild, pHelp) : NoStandard(reinterpret_cast<void**>(pHelp));
}

STDMETHODIMP CAccessibleBase::get_accHelpTopic(BSTR* pFile, VARIANT varChild, long* pTopic)
{
    return m_pStandard ? m_pStandard->get_accHelpTopic(pFile, varChild, pTopic) : NoStandard(reinterpret_cast<void**>(pFile));
}

STDMETHODIMP CAccessibleBase::get_accKeyboardShortcut(VARIANT varChild, BSTR* pShortcut)
{
    return m_pStandard ? m_pStandard->get_accKeyboardShortcut(varChild, pShortcut)
                       : NoStandard(reinterpret_cast<void**>(pShortcut));
}

STDMETHODIMP CAccessibleBase::get_accFocus(VARIANT* pChild)
{
    return m_pStandard ? m_pStandard->get_accFocus(pChild) : E_FAIL;
}

STDMETHODIMP CAccessibleBase::get_accSelection(VARIANT* pChildren)
{
    return m_pStandard ? m_pStandard->get_accSelection(pChildren) : E_FAIL;
}

STDMETHODIMP CAccessibleBase::get_accDefaultAction(VARIANT varChild, BSTR* pAction)
{
    return m_pStandard ? m_pStandard->get_accDefaultAction(varChild, pAction) : NoStandard(reinterpret_cast<void**>(pAction));
}

STDMETHODIMP CAccessibleBase::accSelect(long nFlags, VARIANT varChild)
{
    return m_pStandard ? m_pStandard->accSelect(nFlags, varChild) : E_FAIL;
}

STDMETHODIMP CAccessibleBase::accLocation(long* pLeft, long* pTop, long* pWidth, long* pHeight, VARIANT varChild)
{
    return m_pStandard ? m_pStandard->accLocation(pLeft, pTop, pWidth, pHeight, varChild) : E_FAIL;
}

STDMETHODIMP CAccessibleBase::accNavigate(long nDir, VARIANT varStart, VARIANT* pEnd)
{
    return m_pStandard ? m_pStandard->accNavigate(nDir, varStart, pEnd) : E_FAIL;
}

STDMETHODIMP CAccessibleBase::accHitTest(long x, long y, VARIANT* pChild)
{
    return m_pStandard ? m_pStandard->accHitTest(x, y, pChild) : E_FAIL;
}

STDMETHODIMP CAccessibleBase::accDoDefaultAction(VARIANT varChild)
{
    return m_pStandard ? m_pStandard->accDoDefaultAction(varChild) : E_FAIL;
}

STDMETHODIMP CAccessibleBase::put_accName(VARIANT, BSTR)
{
    return E_NOTIMPL;
}

STDMETHODIMP CAccessibleBase::put_accValue(VARIANT, BSTR)
{
    return E_NOTIMPL;
}
