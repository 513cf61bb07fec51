// CControlsWnd: the behaviour of one property row - the base of the CControlsWnd_C<Kind>
// classes. It knows its page list, row and value column, owns the in-place editor window it
// creates, and passes the value text between editor and list. Each operation here is the
// behaviour a kind gets when it does not override it.
#pragma once
#include "Variant.h"

#include <windows.h>

#include <string>

class CPageListCtrl;
class CPageListOwner;
class CWnd;

class CControlsWnd {
public:
    CControlsWnd();
    virtual ~CControlsWnd();
    CControlsWnd(const CControlsWnd&) = delete;
    CControlsWnd& operator=(const CControlsWnd&) = delete;

    // Whether p is an object that has been constructed and not yet destroyed.
    static bool IsLive(const CControlsWnd* p);

    virtual BOOL IsGroup();
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

    long m_nRow = -1;
    long m_nColumn = -1;
    CWnd* m_pEditor = nullptr;       // as a rule a member window of the kind object
    CPageListCtrl* m_pList = nullptr; // not owned

protected:
    // The control behind the page list; null without one.
    CPageListOwner* GetOwner() const;
    // The floor's front page, as the events carry it.
    short GetEventPage() const;
    bool HasEditorWindow() const;
};
