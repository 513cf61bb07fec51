// CMultiColumnComboBox: a one-line edit with a drop button, whose drop-down is a report list of
// several columns shown as a window of the desktop. The owner fills the list; the combo keeps
// the row picked last in the edit (its key column's text), selects rows by typed prefix, and
// tells its parent of each pick with the registered "MCCBN_SELCHANGE" message.
#pragma once
#include "Edit.h"
#include "LifeToken.h"
#include "ListCtrl.h"

#include <memory>
#include <string>

class CMultiColumnComboBox : public CWnd {
public:
    static constexpr const wchar_t* kClassName = L"MultiColumnComboBox";
    static constexpr UINT kEditId = 1001;
    static constexpr UINT kListId = 1000;
    // On a 96-DPI screen.
    static constexpr int kHeight = 17;

    explicit CMultiColumnComboBox(int nKeyColumn);
    ~CMultiColumnComboBox() override;

    // The registered message sent to the parent at each commit: wParam the combo's control id,
    // lParam its window.
    static UINT SelChangeMessage();
    // The combo of the calling thread whose edit has the focus, or null.
    static CMultiColumnComboBox* GetActive();

    // Both return the old value and keep the new one's absolute value.
    virtual int SetDropDownLines(int nLines);
    virtual double SetDropDownWidthRatio(double dRatio);
    // Selects and focuses a list row; a negative row does nothing.
    virtual void SetCurrentSelection(int nRow);
    virtual int GetCurrentSelection() const;
    virtual BOOL IsDroppedDown() const;
    // Nothing while the combo itself is hidden.
    virtual void ShowDropDown(BOOL bShow);
    virtual CListCtrl* GetListCtrl();
    virtual CEdit* GetEditCtrl();
    virtual void CaptureListIfDropped();
    // The selected row becomes the committed one: its key text goes into the edit and the
    // parent hears of it. FALSE without a selection or a parent.
    virtual BOOL CommitSelection();
    // Selects the first row whose key text begins with the text, ignoring case; commits nothing.
    virtual void SelectString(const std::string& strText);
    virtual BOOL CreateChildren();
    virtual void DrawDropButton(HDC hDC, const RECT& rect, BOOL bPressed);
    virtual void RepositionChildren();

    int GetDropDownLines() const { return m_nLines; }
    double GetDropDownWidthRatio() const { return m_dWidthRatio; }
    int GetKeyColumn() const { return m_nKeyColumn; }
    void SetKeyColumn(int nKeyColumn) { m_nKeyColumn = nKeyColumn; }
    int GetCommitted() const { return m_nCommitted; }
    // The drop-down's window; null before it is made.
    HWND GetListWindow() const { return m_pList ? m_pList->m_hWnd : nullptr; }
    // Tells whether the combo still exists after code that may end it (a host's handler).
    CLifeToken::CWatch Watch() const { return m_life.Watch(); }

protected:
    // The first row whose key text begins with the text, ignoring case; -1 for none. The list
    // asks every row in turn: owners that keep the texts may answer faster.
    virtual int FindKeyPrefix(const std::wstring& text);

    LRESULT OnCreate(WPARAM, LPARAM);
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnSetFocus(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM lParam);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnKeyDown(WPARAM wParam, LPARAM);
    LRESULT OnEditChange(WPARAM, LPARAM);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    // The watchers of the combo's edit, its list and its parent (see CWindowHook); they act on
    // the thread's active combo.
    static bool WatchEdit(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static bool WatchList(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static bool WatchParent(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static void RegisterClass();

    void PressButton();
    void ReleaseButton();
    // The list's own keys move its selection: the combo's follows.
    void ForwardKeyToList(WPARAM nKey);
    // What the list hook does with a mouse message at a point of the list's client area.
    void OnListMouse(UINT message, POINT ptClient);
    void Unhook();
    // The edit hears a text message first; the combo's own text gives the answer.
    LRESULT PassTextToEdit(UINT message, WPARAM wParam, LPARAM lParam);

    int m_nCommitted = -1;
    int m_nSelection = -1;
    int m_nLines = 5;
    double m_dWidthRatio = 0.0;
    int m_nKeyColumn;
    std::unique_ptr<CListCtrl> m_pList;
    std::unique_ptr<CEdit> m_pEdit;
    BOOL m_bButtonPressed = FALSE;
    RECT m_rcButton = {};
    HWND m_hHookedParent = nullptr;
    // Commits reach the host, whose handlers may end the combo.
    CLifeToken m_life;
};
