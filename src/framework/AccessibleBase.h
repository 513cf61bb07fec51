// CAccessibleBase: an IAccessible of one window that answers everything through the platform's
// standard object of the window's client area; derived objects answer only what they know
// better. Child ids count from 1; 0 (CHILDID_SELF) is the object itself.
#pragma once
#include "ComObject.h"

#include <oleacc.h>

#include <string>

class CAccessibleBase : public CComObject, public IAccessible {
public:
    DECLARE_IUNKNOWN()

    // Answers WM_GETOBJECT with the object when the client area is asked for; 0 otherwise
    // (the window's default handling answers then).
    static LRESULT Serve(IAccessible* pObject, WPARAM wParam, LPARAM lParam);
    // The child id of the item at a 0-based index, and back (-1 for the object itself or a
    // VARIANT that names no child).
    static LONG ChildId(long nIndex) { return nIndex + 1; }
    static long IndexOf(const VARIANT& varChild);
    static VARIANT ChildVariant(LONG nChildId);
    static HRESULT ReturnText(const std::string& strText, BSTR* pText);

    // IDispatch: the accessibility clients call the interface directly.
    STDMETHODIMP GetTypeInfoCount(UINT* pCount) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ppInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

    // IAccessible, each answered by the standard object.
    STDMETHODIMP get_accParent(IDispatch** ppParent) override;
    STDMETHODIMP get_accChildCount(long* pCount) override;
    STDMETHODIMP get_accChild(VARIANT varChild, IDispatch** ppChild) override;
    STDMETHODIMP get_accName(VARIANT varChild, BSTR* pName) override;
    STDMETHODIMP get_accValue(VARIANT varChild, BSTR* pValue) override;
    STDMETHODIMP get_accDescription(VARIANT varChild, BSTR* pDescription) override;
    STDMETHODIMP get_accRole(VARIANT varChild, VARIANT* pRole) override;
    STDMETHODIMP get_accState(VARIANT varChild, VARIANT* pState) override;
    STDMETHODIMP get_accHelp(VARIANT varChild, BSTR* pHelp) override;
    STDMETHODIMP get_accHelpTopic(BSTR* pFile, VARIANT varChild, long* pTopic) override;
    STDMETHODIMP get_accKeyboardShortcut(VARIANT varChild, BSTR* pShortcut) override;
    STDMETHODIMP get_accFocus(VARIANT* pChild) override;
    STDMETHODIMP get_accSelection(VARIANT* pChildren) override;
    STDMETHODIMP get_accDefaultAction(VARIANT varChild, BSTR* pAction) override;
    STDMETHODIMP accSelect(long nFlags, VARIANT varChild) override;
    STDMETHODIMP accLocation(long* pLeft, long* pTop, long* pWidth, long* pHeight, VARIANT varChild) override;
    STDMETHODIMP accNavigate(long nDir, VARIANT varStart, VARIANT* pEnd) override;
    STDMETHODIMP accHitTest(long x, long y, VARIANT* pChild) override;
    STDMETHODIMP accDoDefaultAction(VARIANT varChild) override;
    STDMETHODIMP put_accName(VARIANT varChild, BSTR name) override;
    STDMETHODIMP put_accValue(VARIANT varChild, BSTR value) override;

protected:
    explicit CAccessibleBase(HWND hWnd);

    void* GetInterface(REFIID riid) override;

    HWND m_hWnd;
    // Null when the platform has none for the window: every call then fails.
    CComPointer<IAccessible> m_pStandard;
};
