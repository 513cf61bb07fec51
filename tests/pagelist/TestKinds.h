// Stand-ins for the control and for two behaviour kinds, so that the page list and the kind
// machinery can be driven without the real kinds: a transient kind registered as
// "CControlsWnd_CComboBox" and a persistent one as "CControlsWnd_CADORComboBox"; and a page
// list fixture that uses them.
#pragma once
#include "ControlsWnd.h"
#include "Font.h"
#include "PageListCtrl.h"
#include "PageListOwner.h"
#include "Pump.h"
#include "RowMapTable.h"
#include "Wnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

// An event the fake control fired: name, page, row, and bUpdate where it has one.
using FiredEvent = std::tuple<std::string, long, long, BOOL>;
using Events = std::vector<FiredEvent>;

// The edit events of a row of the fixture's page (page 3).
inline FiredEvent Changing(long nRow)
{
    return {"PropertyChanging", 3, nRow, FALSE};
}
inline FiredEvent Changed(long nRow, BOOL bUpdate)
{
    return {"PropertyChanged", 3, nRow, bUpdate};
}

class CFakeOwner : public CPageListOwner {
public:
    std::vector<FiredEvent> events;
    // Runs after each event is recorded, as a host's handler would.
    std::function<void(const FiredEvent&)> onEvent;
    // The host's answer to LoadItems; none: it leaves the argument as it came.
    std::optional<std::string> items;
    bool bHasItemFont = true;
    LOGFONTW itemFont = CFont::Describe("Arial", -15, 400);
    CRowMapTable rowMaps;

    void FireSelectItem(long nPage, long nRow) override { Record("SelectItem", nPage, nRow); }
    void FireUnselectItem(long nPage, long nRow) override { Record("UnselectItem", nPage, nRow); }
    void FirePropertyChanging(long nPage, long nRow) override { Record("PropertyChanging", nPage, nRow); }
    void FirePropertyChanged(long nPage, long nRow, BOOL bUpdate) override
    {
        Record("PropertyChanged", nPage, nRow, bUpdate);
    }
    void FireButtonClick(long nPage, long nRow) override { Record("ButtonClick", nPage, nRow); }
    bool FireLoadItems(long nPage, long nRow, std::string* pItems) override
    {
        Record("LoadItems", nPage, nRow);
        if (!items)
            return false;
        *pItems = *items;
        return true;
    }
    void FireSetObject(long nPage, long nRow, IDispatch**) override { Record("SetObject", nPage, nRow); }
    void FireDelete(long nPage, long nRow) override { Record("Delete", nPage, nRow); }
    BOOL GetToolTips() const override { return FALSE; }
    BOOL GetResizeFirstColumn() const override { return TRUE; }
    bool GetItemFont(LOGFONTW* pDescription) const override
    {
        if (bHasItemFont)
            *pDescription = itemFont;
        return bHasItemFont;
    }
    COLORREF GetEditorColor() const override { return RGB(0, 0, 255); }
    void GetCustomColors(COLORREF crColors[kCustomColorCount]) const override { std::fill_n(crColors, kCustomColorCount, 0); }
    void SetCustomColors(const COLORREF[kCustomColorCount]) override {}
    CRowMapTable& GetRowMapTable() override { return rowMaps; }

private:
    void Record(const char* name, long nPage, long nRow, BOOL bUpdate = FALSE)
    {
        const FiredEvent fired(name, nPage, nRow, bUpdate); // events may grow inside the handler
        events.push_back(fired);
        if (onEvent)
            onEvent(fired);
    }
};

// What the test kinds did, in order ("<class> Release", "<class> destroyed", ...).
std::vector<std::string>& KindLog();
int LiveTestKinds();

// Transient: an editor window of its own, deleted by Release.
class CTestTransientKind : public CControlsWnd {
public:
    static bool s_bFailEditor;
    int nLoadItems = 0;

    CTestTransientKind();
    ~CTestTransientKind() override;
    std::string GetClassName() const override { return "CControlsWnd_CComboBox"; }
    CWnd* CreateEditor() override;
    BOOL Release() override;
    void LoadItems() override { ++nLoadItems; }

    CWnd m_editor;
};

// Persistent: entered in the row map before it makes its editor, and survives Release.
class CTestPersistentKind : public CControlsWnd {
public:
    static bool s_bFailEditor;

    CTestPersistentKind();
    ~CTestPersistentKind() override;
    std::string GetClassName() const override { return "CControlsWnd_CADORComboBox"; }
    BOOL IsPersistent() const override { return TRUE; }
    CWnd* CreateEditor() override;
    BOOL Release() override;

    CWnd m_editor;
};

// Enters the two test kinds in the class-name table (again), over whatever was there.
void RegisterTestKinds();

// A page list of the given class in a test frame, owned by a fake control, with the test kinds.
template <class List>
class PageListFixture : public testing::Test {
protected:
    void SetUp() override
    {
        RegisterTestKinds();
        m_hFrame = CreateTestFrame(400, 300);
        ASSERT_TRUE(m_list.Create(m_hFrame, 1000));
        m_list.MoveWindow(RECT{0, 0, 400, 300});
        m_list.SetPageIndex(3); // the events name the row's page
    }
    void TearDown() override
    {
        m_list.ReleaseActive();
        m_owner.rowMaps.Clear();
        m_list.DestroyWindow();
        DestroyWindow(m_hFrame);
    }

    std::string Name(int nRow) const { return m_list.GetItemText(nRow, m_list.GetNameColumn()); }
    std::string Value(int nRow) const { return m_list.GetItemText(nRow, m_list.GetValueColumn()); }

    CFakeOwner m_owner;
    List m_list{&m_owner, 18};
    HWND m_hFrame = nullptr;
};
