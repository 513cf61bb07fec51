// CItemToolTipCtrl: the item tooltip of page lists. It shows the whole value of the row under
// the mouse when that value is wider than its cell, and only while the list has the focus; the
// list relays its mouse messages to it. One window serves all the page lists of a floor: it
// follows the list that is shown, and keeps the tip of each list it leaves (active or not, its
// text) for when that list is shown again, so that every list's tip behaves as its own.
#pragma once
#include "ToolTipCtrl.h"

#include <string>
#include <unordered_map>

class CPageListCtrl;

class CItemToolTipCtrl : public CToolTipCtrl {
public:
    // Makes the window for the first list that needs one; serves pList when no list is served.
    virtual BOOL CreateForList(CPageListCtrl* pList);
    // TRUE when the state changed.
    virtual BOOL ActivateTip(BOOL bActivate);
    // TRUE when the row's value text is wider than its cell; strTip gets the text.
    virtual BOOL GetItemTip(int nRow, std::string& strTip) const;

    // From now on the one tool is pList's window, with the tip pList had when last served.
    BOOL Serve(CPageListCtrl* pList);
    // pList goes: nothing of it is kept, and no list is served until another is shown.
    void Forget(const CPageListCtrl* pList);
    bool IsServing(const CPageListCtrl* pList) const { return pList && pList == m_pList; }

    BOOL IsTipActive() const { return m_bTipActive; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The tip of a list while another is served.
    struct ListTip {
        BOOL bActive = TRUE;
        bool bHasText = false;
        std::string strText;
    };

    void OnRelayed(const MSG& relayed);
    void SetTipText(const std::string& strText);
    void RemoveTool();
    std::string PlaceholderText() const;

    BOOL m_bTipActive = FALSE;
    CPageListCtrl* m_pList = nullptr; // not owned
    HWND m_hTool = nullptr;           // the served list's window, the tool
    bool m_bHasText = false;
    std::string m_strText;
    std::unordered_map<const CPageListCtrl*, ListTip> m_leftTips;
};
