// CItemToolTipCtrl: the tooltip of a page list. It shows the whole value of the row under the
// mouse when that value is wider than its cell, and only while the list has the focus; the
// list relays its mouse messages to it.
#pragma once
#include "ToolTipCtrl.h"

#include <string>

class CPageListCtrl;

class CItemToolTipCtrl : public CToolTipCtrl {
public:
    virtual BOOL CreateForList(CPageListCtrl* pList);
    // TRUE when the state changed.
    virtual BOOL ActivateTip(BOOL bActivate);
    // TRUE when the row's value text is wider than its cell; strTip gets the text.
    virtual BOOL GetItemTip(int nRow, std::string& strTip) const;

    BOOL IsTipActive() const { return m_bTipActive; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnRelayed(const MSG& relayed);
    std::string PlaceholderText() const;

    BOOL m_bTipActive = FALSE;
    CPageListCtrl* m_pList = nullptr; // not owned
    bool m_bHasText = false;
};
