// What a screen reader finds through MSAA: the tree walked from the control's window down to
// every row with its name, value, kind, states and action; a row's action done through MSAA
// against the same done with the mouse; the WinEvents and their child ids; and row objects
// held by a client while the host deletes their rows and pages.
#include "ControlTestSupport.h"

#include "Bstr.h"
#include "ColourPopup.h"
#include "ColourText.h"
#include "ControlsWnd.h"
#include "PageListCtrl.h"
#include "Pump.h"
#include "Text.h"
#include "UserInput.h"
#include "VelmoraCtrl.h"
#include "Wnd.h"

#include <oleacc.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

Lines* g_pHeard = nullptr;

const char* EventName(DWORD dwEvent)
{
    switch (dwEvent) {
    case EVENT_OBJECT_FOCUS: return "Focus";
    case EVENT_OBJECT_SELECTION: return "Selection";
    case EVENT_OBJECT_STATECHANGE: return "StateChange";
    case EVENT_OBJECT_VALUECHANGE: return "ValueChange";
    default: return nullptr;
    }
}

// Events of drawn items (the child id tells which); those of other windows than the page
// lists are marked "Tab" (the floor's captions) or "Cell" (the colour popup). Editors and popups
// are told as they show and hide, by class.
void CALLBACK HearWinEvent(HWINEVENTHOOK, DWORD dwEvent, HWND hWnd, LONG idObject, LONG idChild, DWORD, DWORD)
{
    wchar_t className[64] = L"";
    GetClassNameW(hWnd, className, 64);
    const std::wstring strClass = className;
    if (!g_pHeard || idObject != OBJID_CLIENT)
        return;
    if ((dwEvent == EVENT_OBJECT_SHOW || dwEvent == EVENT_OBJECT_HIDE) && idChild == CHILDID_SELF)
        g_pHeard->push_back(FormatText("%s %s", dwEvent == EVENT_OBJECT_SHOW ? "Show" : "Hide", WideToUtf8(className).c_str()));
    if (!EventName(dwEvent) || idChild == CHILDID_SELF)
        return;
    const char* pszMark = strClass == WC_LISTVIEWW ? "" : strClass == L"FloorControlView" ? "Tab " : "Cell ";
    g_pHeard->push_back(FormatText("%s%s %ld", pszMark, EventName(dwEvent), idChild));
}

// A key pressed with Ctrl (and Shift) held, as the window's thread reads the keys.
void CtrlKey(HWND hWnd, UINT nKey, bool bShift)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    BYTE held[256];
    std::copy(std::begin(keys), std::end(keys), held);
    held[VK_CONTROL] = 0x80;
    held[VK_SHIFT] = bShift ? 0x80 : 0;
    SetKeyboardState(held);
    SendMessageW(hWnd, WM_KEYDOWN, nKey, 1);
    SetKeyboardState(keys);
}

std::string Text(IAccessible* pObject, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), long nChild)
{
    CBstr text;
    const HRESULT hr = (pObject->*get)(CVariant(nChild), text.Out());
    return hr == CO_E_OBJNOTCONNECTED ? "gone" : text.ToUtf8();
}

long Number(IAccessible* pObject, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), long nChild)
{
    VARIANT v;
    VariantInit(&v);
    return SUCCEEDED((pObject->*get)(CVariant(nChild), &v)) && v.vt == VT_I4 ? v.lVal : -1;
}

std::string StateLetters(long nState)
{
    const std::pair<long, char> letters[] = {
        {STATE_SYSTEM_SELECTED, 'S'}, {STATE_SYSTEM_FOCUSED, 'F'},  {STATE_SYSTEM_UNAVAILABLE, 'U'},
        {STATE_SYSTEM_READONLY, 'R'}, {STATE_SYSTEM_EXPANDED, 'E'}, {STATE_SYSTEM_COLLAPSED, 'C'},
    };
    std::string strLetters;
    for (const auto& [nBit, chLetter] : letters) {
        if (nState & nBit)
            strLetters += chLetter;
    }
    return strLetters;
}

// "name|value|description|action|states" of a child, or of the object itself (child 0).
std::string Describe(IAccessible* pObject, long nChild)
{
    const std::string strName = Text(pObject, &IAccessible::get_accName, nChild);
    if (strName == "gone")
        return strName;
    return strName + "|" + Text(pObject, &IAccessible::get_accValue, nChild) + "|" +
           Text(pObject, &IAccessible::get_accDescription, nChild) + "|" +
           Text(pObject, &IAccessible::get_accDefaultAction, nChild) + "|" +
           StateLetters(Number(pObject, &IAccessible::get_accState, nChild));
}

CComPointer<IAccessible> ObjectOf(HWND hWnd)
{
    CComPointer<IAccessible> pObject;
    AccessibleObjectFromWindow(hWnd, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(pObject.Out()));
    return pObject;
}

CComPointer<IAccessible> ChildObject(IAccessible* pParent, long nChild)
{
    CComPointer<IDispatch> pDispatch;
    CComPointer<IAccessible> pChild;
    if (pParent->get_accChild(CVariant(nChild), pDispatch.Out()) == S_OK)
        pChild.QueryFrom(pDispatch);
    return pChild;
}

// The first object of the role in the tree under pRoot, depth first.
CComPointer<IAccessible> FindRole(IAccessible* pRoot, long nRole)
{
    if (Number(pRoot, &IAccessible::get_accRole, CHILDID_SELF) == nRole)
        return pRoot;
    long nCount = 0;
    pRoot->get_accChildCount(&nCount);
    for (long nChild = 1; nChild <= nCount; ++nChild) {
        if (CComPointer<IAccessible> pChild = ChildObject(pRoot, nChild)) {
            if (Number(pChild, &IAccessible::get_accRole, CHILDID_SELF) == ROLE_SYSTEM_LISTITEM)
                continue;
            if (CComPointer<IAccessible> pFound = FindRole(pChild, nRole))
                return pFound;
        }
    }
    return {};
}

// Every row item of a list object, described.
Lines Rows(IAccessible* pList)
{
    Lines rows;
    long nCount = 0;
    pList->get_accChildCount(&nCount);
    for (long nChild = 1; nChild <= nCount; ++nChild) {
        const long nRole = Number(pList, &IAccessible::get_accRole, nChild);
        if (nRole == ROLE_SYSTEM_LISTITEM || nRole == ROLE_SYSTEM_OUTLINEITEM)
            rows.push_back(Describe(pList, nChild));
    }
    return rows;
}

class Accessibility : public HostedSampleTest {
protected:
    void SetUp() override
    {
        HostedSampleTest::SetUp();
        m_pSink = NewComObject<CRecordingSink>();
        ASSERT_EQ(m_pSink->Connect(m_pControl), S_OK);
        g_pHeard = &m_winEvents;
        m_hHook = SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_VALUECHANGE, nullptr, &HearWinEvent,
                                  GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    }
    void TearDown() override
    {
        UnhookWinEvent(m_hHook);
        g_pHeard = nullptr;
        m_pSink->Disconnect();
        HostedSampleTest::TearDown();
    }

    // The list object of a page as a client finds it from the control's window.
    CComPointer<IAccessible> FrontList(long nRole = ROLE_SYSTEM_LIST)
    {
        const CComPointer<IAccessible> pControl = ObjectOf(ControlWindow(m_pControl));
        return pControl ? FindRole(pControl, nRole) : CComPointer<IAccessible>();
    }
    // What the host heard, then the WinEvents (which reach their hook as the queue is pumped),
    // each in its order.
    Lines Heard()
    {
        PumpUntilIdle();
        Lines heard = std::exchange(m_pSink->m_events, {});
        for (std::string& strEvent : std::exchange(m_winEvents, {}))
            heard.push_back(std::move(strEvent));
        return heard;
    }

    CComPointer<CRecordingSink> m_pSink;
    HWINEVENTHOOK m_hHook = nullptr;
    Lines m_winEvents;
};

TEST_F(Accessibility, TheFrontPageIsAListOfItsRowsWithNameValueKindActionAndState)
{
    Call(L"SetDefaultValue", {I2(0), I2(0), CVariant("Box")});
    const CComPointer<IAccessible> pList = FrontList();
    ASSERT_TRUE(pList);
    const Lines expected = {"Name|Box|text|Edit|", "Colour||colour|Open|", "Visible||true or false||U",
                            "Size||text||R"};
    EXPECT_EQ(Rows(pList), expected);

    ClickAt(List(0)->m_hWnd, PointInRow(List(0)->m_hWnd, 1, 20));
    EXPECT_EQ(Describe(pList, 2), "Colour||colour|Open|SF");
    EXPECT_EQ(Heard(), (Lines{"SelectItem 0 1", "Focus 2", "Selection 2"}));

    // A row greyed, then made read-only (still disabled), then enabled again.
    for (const short nType : {1, 2, 0})
        Call(L"SetPropertyType", {I2(0), I2(0), I2(nType)});
    EXPECT_EQ(Describe(pList, 1), "Name|Box|text|Edit|");
    EXPECT_EQ(Heard(), (Lines{"StateChange 1", "StateChange 1"}));
}

TEST_F(Accessibility, TheControlIsAPaneWhoseFloorTabsSwitchPagesByActionAndKeys)
{
    const CComPointer<IAccessible> pControl = ObjectOf(ControlWindow(m_pControl));
    ASSERT_TRUE(pControl);
    EXPECT_EQ(Number(pControl, &IAccessible::get_accRole, CHILDID_SELF), ROLE_SYSTEM_PANE);
    const CComPointer<IAccessible> pTabs = FindRole(pControl, ROLE_SYSTEM_PAGETABLIST);
    ASSERT_TRUE(pTabs);
    EXPECT_EQ(Describe(pTabs, 2), "Extra|||Switch|");
    EXPECT_EQ(Describe(pTabs, 3), "Grouped|||Switch|");
    EXPECT_EQ(pTabs->accDoDefaultAction(CVariant(3L)), S_OK);
    EXPECT_EQ(Call(L"GetActivePage").ToShort(), 2);
    EXPECT_EQ(Describe(pTabs, 3), "Grouped|||Switch|S");
    EXPECT_EQ(Heard(), (Lines{"SelectPage 2", "Tab Selection 3"}));

    struct Case {
        UINT nKey;
        bool bShift;
        short nPage;
    };
    for (const Case& c : {Case{VK_TAB, false, 0}, Case{VK_TAB, true, 2}, Case{VK_NEXT, false, 0}, Case{VK_PRIOR, false, 2}}) {
        const HWND hList = List(Call(L"GetActivePage").ToShort())->m_hWnd;
        ::SetFocus(hList);
        CtrlKey(hList, c.nKey, c.bShift);
        EXPECT_EQ(Call(L"GetActivePage").ToShort(), c.nPage);
        EXPECT_EQ(::GetFocus(), List(c.nPage)->m_hWnd);
        EXPECT_EQ(Heard(), (Lines{FormatText("SelectPage %d", c.nPage), FormatText("Tab Selection %d", c.nPage + 1)}));
    }
}

TEST_F(Accessibility, AGroupedPageIsAnOutlineWhoseGroupsFoldThroughTheirAction)
{
    Call(L"ActivatePage", {I2(2)});
    const CComPointer<IAccessible> pList = FrontList(ROLE_SYSTEM_OUTLINE);
    ASSERT_TRUE(pList);
    EXPECT_EQ(Rows(pList), (Lines{"Look||group|Expand|C"}));
    Heard();
    const CComPointer<IAccessible> pLook = ChildObject(pList, 1);
    ASSERT_TRUE(pLook);
    EXPECT_EQ(pLook->accDoDefaultAction(CVariant(CHILDID_SELF)), S_OK);
    const Lines heard = Heard();
    EXPECT_EQ(Rows(pList), (Lines{"Look||group|Collapse|SFE", "Width||text|Edit|"}));
    EXPECT_NE(std::find(heard.begin(), heard.end(), "StateChange 1"), heard.end());
}

// The host hears the same from a row's action done through MSAA as from the mouse, and the
// editor it opens carries the row's name.
TEST_F(Accessibility, ARowsActionDoesWhatTheMouseDoes)
{
    std::string strLayout = SampleLayout();
    strLayout.insert(strLayout.find("}#Grouped"), "Go\\Button\\Enable\\#");
    struct Case {
        short nPage, nRow;
        bool bButton; // opened by its drawn button, else by a second click on the row
    };
    for (const Case& c : {Case{0, 0, false}, Case{0, 1, true}, Case{1, 4, true}}) {
        SCOPED_TRACE(FormatText("page %d row %d", c.nPage, c.nRow));
        Lines seen[2];
        for (int nWay = 0; nWay < 2; ++nWay) {
            ASSERT_EQ(Put(m_pControl, L"PagesAndItems", CVariant(strLayout)), S_OK);
            Call(L"ActivatePage", {I2(c.nPage)});
            const HWND hList = List(c.nPage)->m_hWnd;
            ::SetFocus(hList);
            Heard();
            if (nWay == 0) {
                const POINT pt = PointInRow(hList, c.nRow, 20);
                ClickAt(hList, pt);
                const RECT& button = List(c.nPage)->GetButtonRect();
                ClickAt(hList, c.bButton ? POINT{(button.left + button.right) / 2, pt.y} : pt);
            } else {
                const CComPointer<IAccessible> pRow = ChildObject(ObjectOf(hList), c.nRow + 1);
                ASSERT_TRUE(pRow);
                EXPECT_EQ(pRow->accDoDefaultAction(CVariant(CHILDID_SELF)), S_OK);
            }
            seen[nWay] = Heard();
            const CControlsWnd* pActive = List(c.nPage)->GetActiveControlsWnd();
            ASSERT_TRUE(pActive);
            if (pActive->m_pEditor && pActive->m_pEditor->IsWindowVisible())
                seen[nWay].push_back(Describe(ObjectOf(pActive->m_pEditor->m_hWnd), CHILDID_SELF).substr(0, 4));
            // A popup that holds the mouse is left as Escape leaves it.
            if (const HWND hCapture = GetCapture())
                SendMessageW(hCapture, WM_KEYDOWN, VK_ESCAPE, 0);
        }
        EXPECT_FALSE(seen[0].empty());
        EXPECT_EQ(seen[1], seen[0]);
    }
}

TEST_F(Accessibility, TheColourPopupShowsItsColoursByNameTheChosenOneSelected)
{
    Call(L"SetDefaultValue", {I2(0), I2(1), CVariant(FormatColourText(RGB(255, 0, 0)))});
    SetCursorPos(0, 0); // no colour under the mouse as the popup opens
    const CComPointer<IAccessible> pList = FrontList();
    ASSERT_TRUE(pList);
    const CComPointer<IAccessible> pRow = ChildObject(pList, 2);
    ASSERT_TRUE(pRow);
    Heard();
    ASSERT_EQ(pRow->accDoDefaultAction(CVariant(CHILDID_SELF)), S_OK);
    const Lines heard = Heard();
    EXPECT_EQ(heard.back(), "Show VelmoraColourPopup");
    const HWND hPopup = FindWindowW(CColourPopup::kClassName, nullptr);
    ASSERT_TRUE(hPopup);
    const CComPointer<IAccessible> pPopup = ObjectOf(hPopup);
    ASSERT_TRUE(pPopup);
    long nCount = 0;
    ASSERT_EQ(pPopup->get_accChildCount(&nCount), S_OK);
    Lines cells;
    for (long nChild = 1; nChild <= nCount; ++nChild) {
        const std::string strCell = Describe(pPopup, nChild);
        if (nChild <= 2 || nChild >= nCount - 1 || strCell.find("|S") != std::string::npos)
            cells.push_back(strCell);
    }
    EXPECT_EQ(cells, (Lines{"Automatic|||Press|", "Black|||Choose|", "Red|||Choose|S", "White|||Choose|", "More Colours...|||Press|"}));
    SendMessageW(hPopup, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(Describe(pPopup, 19), "Light orange|||Choose|F");
    EXPECT_EQ(Heard(), (Lines{"Cell Focus 19"}));
    // Blue chosen through MSAA, as a click chooses it.
    long nBlue = 1;
    while (nBlue < nCount && Text(pPopup, &IAccessible::get_accName, nBlue) != "Blue")
        ++nBlue;
    EXPECT_EQ(pPopup->accDoDefaultAction(CVariant(nBlue)), S_OK);
    // (Wine drops the events of a window gone before they are delivered: the popup's last
    // highlight is not heard.)
    EXPECT_EQ(Heard(), (Lines{"PropertyChanged 0 1 1", "ValueChange 2"}));
    EXPECT_EQ(Describe(pList, 2), "Colour|" + FormatColourText(RGB(0, 0, 255)) + "|colour|Open|SF");
    EXPECT_FALSE(IsWindow(hPopup));

    // The in-place edit, named after its row, is told as it shows and as it hides.
    const CComPointer<IAccessible> pName = ChildObject(pList, 1);
    ASSERT_TRUE(pName);
    ASSERT_EQ(pName->accDoDefaultAction(CVariant(CHILDID_SELF)), S_OK);
    Heard();
    const CControlsWnd* pActive = List(0)->GetActiveControlsWnd();
    ASSERT_TRUE(pActive && pActive->m_pEditor);
    EXPECT_EQ(Text(ObjectOf(pActive->m_pEditor->m_hWnd), &IAccessible::get_accName, CHILDID_SELF), "Name");
    ::SetFocus(nullptr);
    EXPECT_EQ(Heard(), (Lines{"Hide Edit"}));
}

TEST_F(Accessibility, RowObjectsOfDeletedRowsAndPagesAnswerNotConnected)
{
    const CComPointer<IAccessible> pList = FrontList();
    ASSERT_TRUE(pList);
    std::vector<CComPointer<IAccessible>> rows;
    for (long nChild = 1; nChild <= 4; ++nChild)
        rows.push_back(ChildObject(pList, nChild));
    // The host deletes the row being selected and the one above it as it hears of it.
    m_pSink->m_onEvent = [this](const std::string& strEvent) {
        if (strEvent == "SelectItem" && Call(L"GetPropertyCount", {I2(0)}).ToShort() == 4) {
            Call(L"DeleteProperty", {I2(0), I2(2)});
            Call(L"DeleteProperty", {I2(0), I2(1)});
        }
    };
    ASSERT_EQ(rows[2]->accDoDefaultAction(CVariant(CHILDID_SELF)), DISP_E_MEMBERNOTFOUND); // grey row
    ASSERT_EQ(rows[2]->accSelect(SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION, CVariant(CHILDID_SELF)), S_OK);
    Heard();
    Lines answers;
    for (const CComPointer<IAccessible>& pRow : rows)
        answers.push_back(Describe(pRow, CHILDID_SELF));
    EXPECT_EQ(answers, (Lines{"Name||text|Edit|", "gone", "gone", "Size||text||FR"}));

    m_pSink->m_onEvent = nullptr;
    Call(L"DeletePage", {I2(0)});
    PumpUntilIdle();
    long nCount = 0;
    EXPECT_EQ(pList->get_accChildCount(&nCount), CO_E_OBJNOTCONNECTED);
    for (const CComPointer<IAccessible>& pRow : rows)
        EXPECT_EQ(Describe(pRow, CHILDID_SELF), "gone");
}

} // namespace
