// CAccessibleItem: an object of its own for one item of a CAccessibleItems (a row, a tab), for
// clients that hold items rather than their parent and a child id. It follows its item through
// a slot while items come and go; once the item or its parent's window is gone every call
// answers CO_E_OBJNOTCONNECTED, and nothing of the item is touched.
#pragma once
#include "AccessibleBase.h"

#include <memory>

class CAccessibleItem : public CComObject, public IAccessible {
public:
    CAccessibleItem(IAccessible* pParent, std::shared_ptr<long> pSlot);

    DECLARE_IUNKNOWN()

    STDMETHODIMP GetTypeInfoCount(UINT* pCount) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ppInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

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
    void* GetInterface(REFIID riid) override;

private:
    // The item's id at the parent; FALSE (and the answer for the caller in *pHr) when the
    // item is gone or another child than the object itself is asked for.
    bool ParentId(const VARIANT& varChild, VARIANT* pId, HRESULT* pHr) const;

    CComPointer<IAccessible> m_pParent;
    std::shared_ptr<long> m_pSlot;
};
