// CControlsWnd: the behaviour of one property row - the base of the CControlsWnd_C<Kind>
// classes. It knows its page list, row and value column, owns the in-place editor window it
// creates, and passes the value text between editor and list. Each operation here is the
// behaviour a kind gets when it does not override it.
#pragma once
#include "LifeToken.h"
#include "Variant.h"

#include <windows.h>

#include <memory>
#include <string>

class CItemList;
class CPageListOwner;
class CWnd;

class CControlsWnd {
public:
    CControlsWnd();
    virtual ~CControlsWnd();
    CControlsWnd(const CControlsWnd&) = delete;
    CControlsWnd& operator=(const CControlsWnd&) = delete;

    // Tells whether this object still exists after code that may delete it (a host's event
    // handler) has run.
    CLifeToken::CWatch Watch() const { return m_life.Watch(); }

    virtual BOOL IsGroup();
    // Persistent objects live in their page's row map from their creation until their row or
    // page goes; transient ones only while a row is edited or queried.
    virtual BOOL IsPersistent() const;
    virtual CVariant GetValue(long nColumn);
    virtual void SetValue(const VARIANT& vValue, short nColumn);
    virtual void SetColumnKey(long nKey);
    virtual long GetColumnKey();
    virtual void SetColumnWidth(long nColumn, long nWidth);
    virtual long GetColumnWidth(long nColumn);
    virtual void SetColumnName(long nColumn, const std::string& strName);
    virtual const char* GetColumnName(long nColumn);
    virtual void SetColumnHeader(BOOL bHeader);
    virtual BOOL GetColumnHeader();
    virtual void SetDropDownWidth(double dWidth);
    virtual double GetDropDownWidth();
    virtual void SetDropDownHeight(long nHeight);
    virtual long GetDropDownHeight();
    virtual BOOL Refresh();
    // Ends the use of the object: transient kinds delete themselves here, persistent kinds
    // stay (the row map owns them). Always FALSE.
    virtual BOOL Release();
    // Ends the editor without committing and without events; every deletion does this first,
    // while the object is still whole, so no editor commits from a half-destroyed object.
    virtual void CloseEditor();
    // While the editor is being closed nothing it holds may reach the row.
    bool IsClosing() const { return m_bClosing; }
    virtual std::string GetClassName() const;
    virtual CWnd* CreateEditor();
    // nMode: 0 keyboard, 1 second click on the row, 2 click in the row button.
    virtual void ShowEditor(int nMode);
    virtual void HideEditor(BOOL bFlag);
    virtual void CommitText(std::string& strText, BOOL bFlag);
    virtual void DoDefaultAction();
    virtual void LoadItems();
    virtual BOOL IsEditorVisible();
    virtual BOOL RedrawRow();
    virtual RECT* GetCellRect(RECT* pRect);
    virtual std::string GetText();
    // The position of the row's own page, which need not be the front one: every event about
    // the row names it.
    long GetOwnPage() const;

    long m_nRow = -1;
    long m_nColumn = -1;
    CWnd* m_pEditor = nullptr;    // as a rule a member window of the kind object
    CItemList* m_pList = nullptr; // not owned

protected:
    // The control behind the page list; null without one.
    CPageListOwner* GetOwner() const;
    bool HasEditorWindow() const;
    // The base's part of showing an editor (item font, redraw, PropertyChanging); false when
    // the host's handler of the event ended this object, which must then be left alone.
    bool AnnounceEditor(int nMode);
    // Moves the editor over the value cell, shrunk by the given insets, and shows it. FALSE
    // without an editor window or a cell.
    BOOL PlaceEditor(const RECT& rcInsets);
    // A press of the row's button: PropertyChanging, ButtonClick, then the row's text committed
    // as it now stands - as far as the object survives the host's handlers of those events.
    void PressButton(int nMode);

private:
    // Stores strText in the row and tells the host whether it differs from strHeld.
    void StoreText(const std::string& strHeld, const std::string& strText);

    CLifeToken m_life;
    bool m_bClosing = false;
};

// Deletes behaviour objects: the editor is closed first, while the object is whole.
struct CControlsWndDeleter {
    void operator()(CControlsWnd* pObj) const;
};
using CControlsWndPtr = std::unique_ptr<CControlsWnd, CControlsWndDeleter>;
