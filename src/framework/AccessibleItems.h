// CAccessibleItems: the IAccessible of a window whose parts are drawn, not windows of their own
// (rows, tabs, cells). Its children are the items, ids 1 to ItemCount(), then the window's
// visible child windows; what it does not know of itself the standard object answers. A
// derived object says what each item is; the window or whatever it stands for may go while a
// client still holds the object, and then every call answers CO_E_OBJNOTCONNECTED.
#pragma once
#include "AccessibleBase.h"

#include <string>
#include <vector>

class CAccessibleItems : public CAccessibleBase {
public:
    struct ItemFacts {
        std::string strName;
        std::string strValue; // no value when empty
        std::string strDescription;
        std::string strDefaultAction; // none when empty
        long nRole = ROLE_SYSTEM_LISTITEM;
        long nState = 0;
    };

    STDMETHODIMP get_accChildCount(long* pCount) override;
    STDMETHODIMP get_accChild(VARIANT varChild, IDispatch** ppChild) override;
    STDMETHODIMP get_accName(VARIANT varChild, BSTR* pName) override;
    STDMETHODIMP get_accValue(VARIANT varChild, BSTR* pValue) override;
    STDMETHODIMP get_accDescription(VARIANT varChild, BSTR* pDescription) override;
    STDMETHODIMP get_accRole(VARIANT varChild, VARIANT* pRole) override;
    STDMETHODIMP get_accState(VARIANT varChild, VARIANT* pState) override;
    STDMETHODIMP get_accFocus(VARIANT* pChild) override;
    STDMETHODIMP get_accSelection(VARIANT* pChildren) override;
    STDMETHODIMP get_accDefaultAction(VARIANT varChild, BSTR* pAction) override;
    STDMETHODIMP accSelect(long nFlags, VARIANT varChild) override;
    STDMETHODIMP accLocation(long* pLeft, long* pTop, long* pWidth, long* pHeight, VARIANT varChild) override;
    STDMETHODIMP accNavigate(long nDir, VARIANT varStart, VARIANT* pEnd) override;
    STDMETHODIMP accHitTest(long x, long y, VARIANT* pChild) override;
    STDMETHODIMP accDoDefaultAction(VARIANT varChild) override;

protected:
    explicit CAccessibleItems(HWND hWnd) : CAccessibleBase(hWnd) {}

    // FALSE once the window or what it stands for is gone.
    virtual bool IsConnected() const;
    virtual long ItemCount() const = 0;
    // FALSE for an item that is not there.
    virtual bool GetItem(long nIndex, ItemFacts* pFacts) const = 0;
    // The item's rectangle in client coordinates; empty when it is not shown.
    virtual RECT ItemRect(long nIndex) const = 0;
    // -1 when none.
    virtual long ItemAt(POINT ptClient) const;
    virtual long FocusedItem() const;
    virtual long SelectedItem() const;
    virtual HRESULT DoItemDefaultAction(long nIndex);
    virtual HRESULT SelectItem(long nIndex, long nFlags);
    // An object of its own for the item; null leaves the item a simple child of this object.
    virtual CComPointer<IDispatch> ItemObject(long nIndex);
    // What the object itself is called and is; empty or 0 leave it to the standard object.
    virtual std::string OwnName() const;
    virtual long OwnRole() const;

private:
    // The visible child windows, in the order the window keeps them.
    std::vector<HWND> ChildWindows() const;
    // For an item's id, its index; for the object itself -1; E_INVALIDARG for any other id.
    HRESULT ItemOf(const VARIANT& varChild, long* pIndex) const;
    HRESULT Facts(const VARIANT& varChild, ItemFacts* pFacts) const;
};
