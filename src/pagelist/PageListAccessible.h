// CPageListAccessible: what a screen reader finds in a page list - a list (an outline for a
// grouped page) whose items are the rows: the property name, the value text, the kind in
// words, the row's states and the action that opens, presses or folds it. A client may keep
// the object or a row's object after the page or the row is gone: they then answer
// CO_E_OBJNOTCONNECTED.
#pragma once
#include "AccessibleItems.h"
#include "LifeToken.h"

class CPageListCtrl;

class CPageListAccessible : public CAccessibleItems {
public:
    explicit CPageListAccessible(CPageListCtrl& list);

protected:
    bool IsConnected() const override;
    long ItemCount() const override;
    bool GetItem(long nIndex, ItemFacts* pFacts) const override;
    RECT ItemRect(long nIndex) const override;
    long ItemAt(POINT ptClient) const override;
    long FocusedItem() const override;
    long SelectedItem() const override;
    HRESULT DoItemDefaultAction(long nIndex) override;
    HRESULT SelectItem(long nIndex, long nFlags) override;
    CComPointer<IDispatch> ItemObject(long nIndex) override;
    long OwnRole() const override;

private:
    long RowState(int nRow) const;

    CPageListCtrl* m_pList;
    CLifeToken::CWatch m_listAlive;
};
