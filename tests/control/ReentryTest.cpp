// Hosts whose event handlers delete the row, the page, every page, replace the whole layout,
// release the control or destroy its window, click again or stop listening, from inside each
// event the control fires, however it fires (input or automation): nothing crashes, no row
// object, drop-down, popup, hook or waiting window is left behind, no value lands in another row
// and the control still works. Adding a way an event comes is one row in kTriggers.
#include "ControlTestSupport.h"

#include "AdoRecordset.h"
#include "ColourHook.h"
#include "ColourPopup.h"
#include "ControlsWnd.h"
#include "FontDialogAnswer.h"
#include "MultiColumnComboBox.h"
#include "PageListCtrl.h"
#include "PositionedRecordset.h"
#include "Pump.h"
#include "ShownWindow.h"
#include "ShellTreeWalk.h"
#include "Text.h"
#include "UserInput.h"
#include "VelmoraCtrl.h"

#include <iterator>
#include <map>
#include <utility>

namespace {

class HostsInsideEvents;

// How a test makes the control fire one event, and the page and row the event is about; the
// name tells triggers of the same event apart.
struct Trigger {
    const char* name;
    const char* event;
    short nPage;
    short nRow;
    void (*fire)(HostsInsideEvents&);
};

// What the host's handler takes away inside the event: the rows (and the event's row with
// them), the control, or nothing.
enum class Takes { Rows, Control, Nothing };

// What the host's handler does inside the event.
struct HostAction {
    const char* name;
    Takes takes;
    void (*run)(HostsInsideEvents&, short nPage, short nRow);
};

class HostsInsideEvents : public HostedSampleTest, public testing::WithParamInterface<std::tuple<Trigger, HostAction>> {
public:
    using HostedSampleTest::I2;
    using HostedSampleTest::List;
    // Rows of page 0 besides the sample's: a list the host fills and a boolean.
    static constexpr short kChoiceRow = 4;
    static constexpr short kFlagRow = 5;
    static constexpr short kColourRow = 1;
    // Rows bound to a recordset the host hands over: the multi-column combo and the NCombo.
    static constexpr short kRecordRow = 6;
    static constexpr short kLookupRow = 7;
    // A text row with an editor of its own and a button.
    static constexpr short kNoteRow = 8;

    void SetUp() override
    {
        HostedSampleTest::SetUp();
        ASSERT_EQ(Call(L"InsertProperty", {I2(0), I2(-1), CVariant("Choice"), CVariant("ComboBox"), I2(0)}).ToShort(), kChoiceRow);
        ASSERT_EQ(Call(L"InsertProperty", {I2(0), I2(-1), CVariant("Flag"), CVariant("BoolComboBox"), I2(0)}).ToShort(), kFlagRow);
        ASSERT_EQ(Call(L"InsertProperty", {I2(0), I2(-1), CVariant("Record"), CVariant("ADORComboBox"), I2(0)}).ToShort(), kRecordRow);
        ASSERT_EQ(Call(L"InsertProperty", {I2(0), I2(-1), CVariant("Lookup"), CVariant("NADORComboBox"), I2(0)}).ToShort(), kLookupRow);
        ASSERT_EQ(Call(L"InsertProperty", {I2(0), I2(-1), CVariant("Note"), CVariant("EditButton"), I2(0)}).ToShort(), kNoteRow);
        m_pSink = NewComObject<CRecordingSink>();
        ASSERT_EQ(m_pSink->Connect(m_pControl), S_OK);
        const CComPointer<IDispatch> pRecordset = CAdoRecordset::Make(
            {{"Code", CAdoRecordset::adInteger, 0}, {"Name", CAdoRecordset::adVarWChar, 20}},
            {{CVariant(1L), CVariant("one")}, {CVariant(2L), CVariant("two")}});
        ASSERT_NE(pRecordset, nullptr);
        m_pSink->m_pObject = static_cast<IDispatch*>(NewComObject<CPositionedRecordset>(pRecordset.Get()).Get());
        // Every row gets a value of its own, to see that none moves to another row.
        for (short nPage = 0; nPage < 3; ++nPage) {
            for (short nRow = 0; nRow < Call(L"GetPropertyCount", {I2(nPage)}).ToShort(); ++nRow) {
                const std::string strValue = FormatText("v%d.%d", nPage, nRow);
                Call(L"SetDefaultValue", {I2(nPage), I2(nRow), CVariant(strValue)});
                m_values[PropertyName(nPage, nRow)] = strValue;
            }
        }
    }
    void TearDown() override
    {
        if (m_pSink)
            m_pSink->Disconnect();
        HostedSampleTest::TearDown();
        EXPECT_EQ(ShownWindow(L"ListBox"), nullptr) << "a drop-down is left";
        EXPECT_EQ(ShownWindow(CColourPopup::kClassName), nullptr) << "a popup is left";
        EXPECT_EQ(ShownWindow(WC_LISTVIEWW), nullptr) << "a multi-column list is left";
        EXPECT_EQ(CMultiColumnComboBox::GetActive(), nullptr);
        EXPECT_FALSE(CColourHook::IsInstalled());
        EXPECT_EQ(FindWindowExW(HWND_MESSAGE, nullptr, WC_LISTVIEWW, nullptr), nullptr) << "a page list waits to be destroyed";
    }

    std::string PropertyName(short nPage, short nRow)
    {
        return Call(L"GetPageName", {I2(nPage)}).ToString() + "\\" + Call(L"GetPropertyName", {I2(nPage), I2(nRow)}).ToString();
    }

    // A row of the page list made active the way a selection does.
    CControlsWnd* Activate(short nPage, short nRow)
    {
        CPageListCtrl* pList = List(nPage);
        const CLifeToken::CWatch alive = pList->Watch();
        pList->OnRowSelected(nRow, 0);
        return alive ? pList->GetActiveControlsWnd() : nullptr;
    }

    // A click on a row's name (or at x), as a person clicks.
    void ClickRow(short nPage, int nRow, int x = 20)
    {
        const HWND hList = List(nPage)->m_hWnd;
        ClickAt(hList, PointInRow(hList, nRow, x));
    }

    // The host's handler is attached only now: what led up to the event is not its business.
    void Arm(const std::function<void()>& setUp)
    {
        m_pSink->m_onEvent = nullptr;
        setUp();
        m_pSink->m_onEvent = m_onEvent;
    }

    void PressKey(short nPage, WPARAM nKey) { SendMessageW(List(nPage)->m_hWnd, WM_KEYDOWN, nKey, 0); }

    // A key pressed in the drop-down or the popup that is open.
    static void PressKeyIn(const wchar_t* pszClass, WPARAM nKey) { SendMessageW(ShownWindow(pszClass), WM_KEYDOWN, nKey, 0); }

    // A double click on a row's name, after the click that selects it.
    void DoubleClickRow(short nPage, int nRow)
    {
        ClickRow(nPage, nRow);
        CPageListCtrl* pList = List(nPage);
        RECT bounds = {};
        pList->GetItemRect(nRow, &bounds, LVIR_BOUNDS);
        SendMessageW(pList->m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, (bounds.top + bounds.bottom) / 2));
    }

    // The colour row's popup opened from the keyboard on white, with the More box highlighted.
    void HighlightMoreColours()
    {
        Call(L"SetDefaultValue", {I2(0), I2(kColourRow), CVariant("&&HFFFFFF (White)")});
        ClickRow(0, kColourRow);
        PressKey(0, VK_F4);
        PressKeyIn(CColourPopup::kClassName, VK_DOWN);
    }

    // A click on the plus or minus box of a grouped page's row.
    void ClickSign(short nPage, int nRow) { ClickRow(nPage, nRow, 8); }

    // Only the front page's list has the room to be clicked in.
    void ShowPage(short nPage)
    {
        Call(L"ActivatePage", {I2(nPage)});
        PumpUntilIdle();
    }

    // The group row's default action, whichever row is selected.
    void FoldGroup(short nPage, int nRow)
    {
        if (CControlsWnd* pGroup = List(nPage)->GetControlsWnd(nRow, FALSE))
            pGroup->DoDefaultAction();
    }

    void ClickCaption(short nPage)
    {
        const CComPointer<IDispatch> pFloor = FloorDispatch();
        const HWND hFloor = GetWindow(ControlWindow(m_pControl), GW_CHILD);
        const long nTopLeft = Invoke(pFloor, 17, {CVariant(nPage)}).ToLong();
        const long nBottomRight = Invoke(pFloor, 18, {CVariant(nPage)}).ToLong();
        POINT point = {(LOWORD(nTopLeft) + LOWORD(nBottomRight)) / 2, (HIWORD(nTopLeft) + HIWORD(nBottomRight)) / 2};
        const HWND hView = RealChildWindowFromPoint(hFloor, point);
        MapWindowPoints(hFloor, hView, &point, 1);
        SendMessageW(hView, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        SendMessageW(hView, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }

    CComPointer<IDispatch> FloorDispatch()
    {
        CVariant floor = Call(L"GetxFloorWnd");
        CComPointer<IDispatch> pFloor;
        if (floor.vt == VT_UNKNOWN && floor.punkVal)
            pFloor.QueryFrom(floor.punkVal);
        return pFloor;
    }

    // The host lets go of the control as a form closing would: its site (which takes the
    // control's window down), its events, its references.
    void ReleaseControl()
    {
        m_pSink->Disconnect();
        m_pHost.reset();
        m_pControl.Reset();
        m_pObject = nullptr;
    }

    void DestroyFrame() { DestroyWindow(std::exchange(m_hFrame, nullptr)); }
    void ReleaseSite() { m_pHost.reset(); }
    void ReleaseEveryReference()
    {
        ReleaseControl();
        for (CComPointer<IDispatch>& pHeld : m_held)
            pHeld.Reset();
    }
    // A click on row 2 of page 0 from inside the event, while that page is there.
    void NestedClick()
    {
        if (m_pObject && List(0))
            ClickRow(0, 2);
    }

    // Calls made by the host hold the control for the length of the call, as clients do,
    // unless a handler lets go of that reference as well.
    template <class Call>
    CVariant Held(const Call& call)
    {
        if (!m_pControl)
            return CVariant();
        m_held.push_back(m_pControl);
        IDispatch* pHeld = m_held.back().Get();
        CVariant result = call(pHeld);
        m_held.pop_back();
        return result;
    }
    CVariant HeldCall(const wchar_t* name, std::vector<CVariant> args)
    {
        return Held([&](IDispatch* pHeld) { return Invoke(pHeld, name, std::move(args)); });
    }
    void HeldPut(const wchar_t* name, const CVariant& value)
    {
        Held([&](IDispatch* pHeld) { return CVariant(static_cast<long>(Put(pHeld, name, value))); });
    }

    // A method (or a property read) called for every row of page 0 with the arguments after page
    // and row, as far as the rows and the control last. A row written to keeps no value of its own.
    void OverEveryRow(const wchar_t* name, const std::vector<CVariant>& rest, bool bProperty = false)
    {
        for (short nRow = 0; m_pControl && nRow < Call(L"GetPropertyCount", {I2(0)}).ToShort(); ++nRow) {
            std::vector<CVariant> args = {I2(0), I2(nRow)};
            args.insert(args.end(), rest.begin(), rest.end());
            if (std::wstring(name) == L"SetValue")
                m_values.erase(PropertyName(0, nRow));
            Held([&](IDispatch* pHeld) { return bProperty ? Get(pHeld, name, args) : Invoke(pHeld, name, args); });
        }
    }

    // Row nRow of page 0 selected by LVM_SETITEMSTATE, as another program would select it.
    void SetItemState(short nRow)
    {
        LVITEMW item = {};
        item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(List(0)->m_hWnd, LVM_SETITEMSTATE, nRow, reinterpret_cast<LPARAM>(&item));
    }

    // The Note row's edit opened as a second click opens it, with a text typed in.
    HWND OpenNote()
    {
        if (CControlsWnd* pObj = Activate(0, kNoteRow))
            pObj->ShowEditor(1);
        const HWND hEdit = GetFocus();
        SendMessageW(hEdit, WM_CHAR, 'x', 1);
        return hEdit;
    }

    // The Font row's button pressed and its dialog answered with OK.
    void ChooseFont(short nPage, short nRow, bool bOk)
    {
        FontDialogAnswer answer;
        answer.bOk = bOk;
        AnswerFontDialog([&] {
            if (CControlsWnd* pObj = Activate(nPage, nRow))
                pObj->ShowEditor(2);
        }, answer);
    }

    // A row bound to a recordset selected and opened; keys then go to what has the focus.
    void OpenRecordRow(short nRow)
    {
        Arm([&] {
            ClickRow(0, nRow);
            PressKey(0, VK_F4);
        });
    }
    static void PressKeyInFocus(WPARAM nKey) { SendMessageW(GetFocus(), WM_KEYDOWN, nKey, 0); }

    // The ShellFolder row's tree dropped, the drive chosen in it with Enter.
    void ChooseFolder(short nPage, short nRow)
    {
        CControlsWnd* pObj = Activate(nPage, nRow);
        if (!pObj)
            return;
        const HWND hTree = pObj->m_pEditor->m_hWnd;
        pObj->ShowEditor(2);
        if (!IsWindow(hTree))
            return;
        SendMessageW(hTree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(FindTreePath(hTree, L"C:\\")));
        SendMessageW(hTree, WM_KEYDOWN, VK_RETURN, 1);
    }

    // A DataComboBox row inserted first, opened, and (bChange) its date moved with the keys.
    void OpenDate(bool bChange)
    {
        HWND hPicker = nullptr;
        Arm([&] {
            HeldCall(L"InsertProperty", {CVariant(short(0)), CVariant(short(0)), CVariant("When"), CVariant("DataComboBox"), CVariant(short(0))});
            if (CControlsWnd* pObj = bChange ? Activate(0, 0) : nullptr) {
                hPicker = pObj->m_pEditor->m_hWnd;
                pObj->ShowEditor(0);
            }
        });
        if (!bChange) {
            if (CControlsWnd* pObj = Activate(0, 0))
                pObj->ShowEditor(0);
            return;
        }
        SetFocus(hPicker);
        for (UINT nKey : {VK_RIGHT, VK_UP})
            SendMessageW(hPicker, WM_KEYDOWN, nKey, 1);
    }

    CComPointer<CRecordingSink> m_pSink;
    std::vector<CComPointer<IDispatch>> m_held;
    std::function<void(const std::string&)> m_onEvent;
    std::map<std::string, std::string> m_values;
};

const Trigger kTriggers[] = {
    {"SelectPage", "SelectPage", 1, 0, [](HostsInsideEvents& t) { t.ClickCaption(1); }},
    {"LoadItemsOfASelectedList", "LoadItems", 0, HostsInsideEvents::kChoiceRow,
     [](HostsInsideEvents& t) { t.ClickRow(0, HostsInsideEvents::kChoiceRow); }},
    {"LoadItemsOfAReopenedList", "LoadItems", 0, HostsInsideEvents::kChoiceRow,
     [](HostsInsideEvents& t) {
         t.Arm([&] {
             t.ClickRow(0, HostsInsideEvents::kChoiceRow);
             t.PressKey(0, VK_F4);
             HostsInsideEvents::PressKeyIn(L"ListBox", VK_RETURN);
         });
         t.PressKey(0, VK_F4);
     }},
    {"PropertyChanging", "PropertyChanging", 0, 0, [](HostsInsideEvents& t) { t.Activate(0, 0)->ShowEditor(0); }},
    {"PropertyChangingOfADropDown", "PropertyChanging", 0, HostsInsideEvents::kChoiceRow,
     [](HostsInsideEvents& t) {
         t.Arm([&] { t.ClickRow(0, HostsInsideEvents::kChoiceRow); });
         t.PressKey(0, VK_F4);
     }},
    {"PropertyChangingOfTheColourPopup", "PropertyChanging", 0, HostsInsideEvents::kColourRow,
     [](HostsInsideEvents& t) {
         t.Arm([&] { t.ClickRow(0, HostsInsideEvents::kColourRow); });
         t.PressKey(0, VK_F4);
     }},
    {"PropertyChanged", "PropertyChanged", 0, 0,
     [](HostsInsideEvents& t) {
         std::string text = "typed";
         t.Activate(0, 0)->CommitText(text, FALSE);
     }},
    {"PropertyChangedOfAListPick", "PropertyChanged", 0, HostsInsideEvents::kChoiceRow,
     [](HostsInsideEvents& t) {
         t.Arm([&] {
             t.ClickRow(0, HostsInsideEvents::kChoiceRow);
             t.PressKey(0, VK_F4);
         });
         HostsInsideEvents::PressKeyIn(L"ListBox", VK_DOWN);
     }},
    {"PropertyChangedOfABooleanToggle", "PropertyChanged", 0, HostsInsideEvents::kFlagRow,
     [](HostsInsideEvents& t) {
         t.Arm([&] { t.ClickRow(0, HostsInsideEvents::kFlagRow); });
         t.DoubleClickRow(0, HostsInsideEvents::kFlagRow);
     }},
    {"PropertyChangedOfAColourPick", "PropertyChanged", 0, HostsInsideEvents::kColourRow,
     [](HostsInsideEvents& t) {
         t.Arm([&] {
             t.ClickRow(0, HostsInsideEvents::kColourRow);
             t.PressKey(0, VK_F4);
             HostsInsideEvents::PressKeyIn(CColourPopup::kClassName, VK_RIGHT);
         });
         HostsInsideEvents::PressKeyIn(CColourPopup::kClassName, VK_RETURN);
     }},
    {"PropertyChangedOfTheColourDialog", "PropertyChanged", 0, HostsInsideEvents::kColourRow,
     [](HostsInsideEvents& t) {
         t.Arm([&] { t.HighlightMoreColours(); });
         AnswerColourDialog([] { HostsInsideEvents::PressKeyIn(CColourPopup::kClassName, VK_RETURN); }, RGB(1, 2, 3), true);
     }},
    {"CustomColorChangeOfTheColourDialog", "CustomColorChange", 0, HostsInsideEvents::kColourRow,
     [](HostsInsideEvents& t) {
         t.Arm([&] { t.HighlightMoreColours(); });
         AnswerColourDialog([] { HostsInsideEvents::PressKeyIn(CColourPopup::kClassName, VK_RETURN); }, RGB(1, 2, 3), true);
     }},
    {"SelectItem", "SelectItem", 0, 0, [](HostsInsideEvents& t) { t.ClickRow(0, 0); }},
    {"UnselectItem", "UnselectItem", 0, 0,
     [](HostsInsideEvents& t) {
         t.Arm([&] { t.ClickRow(0, 0); });
         t.ClickRow(0, 1);
     }},
    {"SelectItemOfTheDownKey", "SelectItem", 0, 1,
     [](HostsInsideEvents& t) {
         t.Arm([&] { t.ClickRow(0, 0); });
         t.PressKey(0, VK_DOWN);
     }},
    {"UnselectItemOfTheDownKey", "UnselectItem", 0, 0,
     [](HostsInsideEvents& t) {
         t.Arm([&] { t.ClickRow(0, 0); });
         t.PressKey(0, VK_DOWN);
     }},
    {"SelectItemOfSetItemState", "SelectItem", 0, 3,
     [](HostsInsideEvents& t) {
         t.Arm([&] { t.ClickRow(0, 0); });
         t.SetItemState(3);
     }},
    {"UnselectItemOfSetItemState", "UnselectItem", 0, 0,
     [](HostsInsideEvents& t) {
         t.Arm([&] { t.ClickRow(0, 0); });
         t.SetItemState(3);
     }},
    {"SelectItemOfSetActiveProperty", "SelectItem", 0, 2,
     [](HostsInsideEvents& t) { t.HeldCall(L"SetActiveProperty", {CVariant(short(0)), CVariant(short(2))}); }},
    {"UnselectItemOfSetActivePropertyByName", "UnselectItem", 0, 0,
     [](HostsInsideEvents& t) {
         t.Arm([&] { t.ClickRow(0, 0); });
         t.HeldCall(L"SetActivePropertyByName", {CVariant("General\\Visible")});
     }},
    {"UnselectItemOfDeleteProperty", "UnselectItem", 0, 3,
     [](HostsInsideEvents& t) {
         t.Arm([&] { t.ClickRow(0, 3); });
         t.HeldCall(L"DeleteProperty", {CVariant(short(0)), CVariant(short(3))});
     }},
    {"UnselectItemOfDeletePropertyByName", "UnselectItem", 0, 3,
     [](HostsInsideEvents& t) {
         t.Arm([&] { t.ClickRow(0, 3); });
         t.HeldCall(L"DeletePropertyByName", {CVariant("General\\Size")});
     }},
    {"PropertyChangingOfEnterOnAList", "PropertyChanging", 0, HostsInsideEvents::kChoiceRow,
     [](HostsInsideEvents& t) {
         t.Arm([&] { t.ClickRow(0, HostsInsideEvents::kChoiceRow); });
         t.PressKey(0, VK_RETURN);
     }},
    {"PropertyChangedOfAListEnter", "PropertyChanged", 0, HostsInsideEvents::kChoiceRow,
     [](HostsInsideEvents& t) {
         t.Arm([&] {
             t.ClickRow(0, HostsInsideEvents::kChoiceRow);
             t.PressKey(0, VK_F4);
         });
         HostsInsideEvents::PressKeyIn(L"ListBox", VK_RETURN);
     }},
    {"PropertyChangedOfAnEditEnter", "PropertyChanged", 0, HostsInsideEvents::kNoteRow,
     [](HostsInsideEvents& t) {
         HWND hEdit = nullptr;
         t.Arm([&] { hEdit = t.OpenNote(); });
         SendMessageW(hEdit, WM_KEYDOWN, VK_RETURN, 1);
     }},
    {"PropertyChangedOfAnEditLosingTheFocus", "PropertyChanged", 0, HostsInsideEvents::kNoteRow,
     [](HostsInsideEvents& t) {
         t.Arm([&] { t.OpenNote(); });
         SetFocus(t.List(0)->m_hWnd);
     }},
    {"ButtonClickOfAnEditButton", "ButtonClick", 0, HostsInsideEvents::kNoteRow,
     [](HostsInsideEvents& t) { t.Activate(0, HostsInsideEvents::kNoteRow)->ShowEditor(2); }},
    {"ButtonClick", "ButtonClick", 0, 0,
     [](HostsInsideEvents& t) {
         t.Arm([&] {
             t.HeldCall(L"InsertProperty", {CVariant(short(0)), CVariant(short(0)), CVariant("Press"), CVariant("Button"), CVariant(short(0))});
             t.ClickRow(0, 0);
         });
         t.PressKey(0, VK_SPACE);
     }},
    {"Delete", "Delete", 0, 0,
     [](HostsInsideEvents& t) {
         t.Arm([&] { t.ClickRow(0, 0); });
         t.PressKey(0, VK_DELETE);
     }},
    {"PropertyChangingOfTheFontDialog", "PropertyChanging", 1, 2, [](HostsInsideEvents& t) { t.ChooseFont(1, 2, false); }},
    {"PropertyChangedOfTheFontDialog", "PropertyChanged", 1, 2, [](HostsInsideEvents& t) { t.ChooseFont(1, 2, true); }},
    {"PropertyChangedOfTheFolderTree", "PropertyChanged", 1, 1, [](HostsInsideEvents& t) { t.ChooseFolder(1, 1); }},
    {"PropertyChangingOfTheFolderTree", "PropertyChanging", 1, 1, [](HostsInsideEvents& t) { t.ChooseFolder(1, 1); }},
    {"PropertyChangingOfTheDatePicker", "PropertyChanging", 0, 0, [](HostsInsideEvents& t) { t.OpenDate(false); }},
    {"PropertyChangedOfTheDatePicker", "PropertyChanged", 0, 0, [](HostsInsideEvents& t) { t.OpenDate(true); }},
    {"SetObjectOfARecordsetRow", "SetObject", 0, HostsInsideEvents::kRecordRow,
     [](HostsInsideEvents& t) { t.ClickRow(0, HostsInsideEvents::kRecordRow); }},
    {"SetObjectOfARecordsetRefresh", "SetObject", 0, HostsInsideEvents::kRecordRow,
     [](HostsInsideEvents& t) {
         t.OpenRecordRow(HostsInsideEvents::kRecordRow);
         t.HeldCall(L"RefreshProperty", {CVariant(short(0)), CVariant(HostsInsideEvents::kRecordRow)});
     }},
    {"SetObjectOfGetValueOverEveryRow", "SetObject", 0, HostsInsideEvents::kRecordRow,
     [](HostsInsideEvents& t) { t.OverEveryRow(L"GetValue", {CVariant(0L)}); }},
    {"SetObjectOfSetValueOverEveryRow", "SetObject", 0, HostsInsideEvents::kRecordRow,
     [](HostsInsideEvents& t) { t.OverEveryRow(L"SetValue", {CVariant("set"), CVariant(short(0))}); }},
    {"SetObjectOfRefreshPropertyOverEveryRow", "SetObject", 0, HostsInsideEvents::kRecordRow,
     [](HostsInsideEvents& t) { t.OverEveryRow(L"RefreshProperty", {}); }},
    {"SetObjectOfColumnWidthOverEveryRow", "SetObject", 0, HostsInsideEvents::kRecordRow,
     [](HostsInsideEvents& t) { t.OverEveryRow(L"ColumnWidth", {CVariant(short(0))}, true); }},
    {"SetObjectOfANComboRecordsetRow", "SetObject", 0, HostsInsideEvents::kLookupRow,
     [](HostsInsideEvents& t) { t.ClickRow(0, HostsInsideEvents::kLookupRow); }},
    {"PropertyChangingOfARecordsetRow", "PropertyChanging", 0, HostsInsideEvents::kRecordRow,
     [](HostsInsideEvents& t) {
         t.Arm([&] { t.ClickRow(0, HostsInsideEvents::kRecordRow); });
         t.PressKey(0, VK_F4);
     }},
    {"PropertyChangedOfARecordPick", "PropertyChanged", 0, HostsInsideEvents::kRecordRow,
     [](HostsInsideEvents& t) {
         t.OpenRecordRow(HostsInsideEvents::kRecordRow);
         HostsInsideEvents::PressKeyInFocus(VK_DOWN);
         HostsInsideEvents::PressKeyInFocus(VK_RETURN);
     }},
    {"PropertyChangedOfAnNComboPick", "PropertyChanged", 0, HostsInsideEvents::kLookupRow,
     [](HostsInsideEvents& t) {
         t.OpenRecordRow(HostsInsideEvents::kLookupRow);
         HostsInsideEvents::PressKeyInFocus(VK_DOWN);
     }},
    {"SelectItemOnAGroupSign", "SelectItem", 2, 0,
     [](HostsInsideEvents& t) {
         t.Arm([&] { t.ShowPage(2); });
         t.ClickSign(2, 0);
     }},
    {"PropertyChangingOnAGroupRow", "PropertyChanging", 2, 0,
     [](HostsInsideEvents& t) {
         t.Arm([&] {
             t.ShowPage(2);
             t.ClickRow(2, 0);
         });
         t.PressKey(2, VK_RETURN);
     }},
    {"UnselectItemAsItsGroupFolds", "UnselectItem", 2, 1,
     [](HostsInsideEvents& t) {
         t.Arm([&] {
             t.ShowPage(2);
             t.ClickSign(2, 0);
             t.ClickRow(2, 1);
         });
         t.FoldGroup(2, 0);
     }},
};

std::string TwelvePages()
{
    std::string strLayout;
    for (int nPage = 1; nPage <= 12; ++nPage)
        strLayout += FormatText("P%d#{#A\\Edit\\Enable\\#B\\ComboBox\\Enable\\#C\\ADORComboBox\\Enable\\#}#", nPage);
    return strLayout;
}

const HostAction kActions[] = {
    {"DeleteRow", Takes::Rows, [](HostsInsideEvents& t, short nPage, short nRow) { t.HeldCall(L"DeleteProperty", {CVariant(nPage), CVariant(nRow)}); }},
    {"DeletePage", Takes::Rows, [](HostsInsideEvents& t, short nPage, short) { t.HeldCall(L"DeletePage", {CVariant(nPage)}); }},
    {"DeleteEveryPage", Takes::Rows,
     [](HostsInsideEvents& t, short, short) {
         while (t.HeldCall(L"DeletePage", {CVariant(short(0))}).ToBool()) {
         }
     }},
    {"EmptyPagesAndItems", Takes::Rows, [](HostsInsideEvents& t, short, short) { t.HeldPut(L"PagesAndItems", CVariant("")); }},
    // A new layout whose first page is new: every page moves one place on.
    {"ReplacePagesAndItems", Takes::Rows,
     [](HostsInsideEvents& t, short, short) { t.HeldPut(L"PagesAndItems", CVariant("Fresh#{#Name\\Edit\\Enable\\#Pick\\ComboBox\\Enable\\#}#" + SampleLayout())); }},
    {"LoadTwelvePages", Takes::Rows, [](HostsInsideEvents& t, short, short) { t.HeldPut(L"PagesAndItems", CVariant(TwelvePages())); }},
    {"ReleaseControl", Takes::Control, [](HostsInsideEvents& t, short, short) { t.ReleaseControl(); }},
    {"ReleaseEveryReference", Takes::Control, [](HostsInsideEvents& t, short, short) { t.ReleaseEveryReference(); }},
    {"DestroyHostWindow", Takes::Control, [](HostsInsideEvents& t, short, short) { t.DestroyFrame(); }},
    // The site goes and the window with it; the host keeps a reference.
    {"ReleaseSiteAndDestroyWindow", Takes::Control,
     [](HostsInsideEvents& t, short, short) {
         t.ReleaseSite();
         t.DestroyFrame();
     }},
    {"NestedClick", Takes::Nothing, [](HostsInsideEvents& t, short, short) { t.NestedClick(); }},
    {"Unadvise", Takes::Nothing, [](HostsInsideEvents& t, short, short) { t.m_pSink->Disconnect(); }},
};

TEST_P(HostsInsideEvents, NothingIsLeftBehindAndNoValueMoves)
{
    const Trigger& trigger = std::get<0>(GetParam());
    const HostAction& action = std::get<1>(GetParam());
    std::string strGone;
    bool bActed = false;
    m_onEvent = [&](const std::string& strEvent) {
        if (strEvent != trigger.event || std::exchange(bActed, true))
            return;
        strGone = PropertyName(trigger.nPage, trigger.nRow);
        action.run(*this, trigger.nPage, trigger.nRow);
    };
    m_pSink->m_onEvent = m_onEvent;
    trigger.fire(*this);
    PumpUntilIdle();
    ASSERT_TRUE(bActed) << "the event was not fired";
    if (!m_pControl)
        return; // TearDown counts the row objects left alive
    // Every property still there keeps its own value.
    for (const auto& [strName, strValue] : m_values) {
        if (strName == strGone)
            continue;
        const CVariant value = Call(L"GetDefaultValueByName", {CVariant(strName)});
        if (value.vt != VT_BSTR || !value.bstrVal || SysStringLen(value.bstrVal) == 0)
            continue;
        EXPECT_EQ(value.ToString(), strValue) << strName;
    }
    if (action.takes == Takes::Rows) {
        EXPECT_FALSE(Call(L"IsProperty", {I2(trigger.nPage), I2(trigger.nRow)}).ToBool()
                     && PropertyName(trigger.nPage, trigger.nRow) == strGone);
    }
    if (!ControlWindow(m_pControl))
        return;
    // The control still works: a new page takes a row, and the row can be selected.
    m_pSink->m_onEvent = nullptr;
    const short nPage = Call(L"AddPage", {CVariant("After")}).ToShort();
    ASSERT_GE(nPage, 0);
    ASSERT_EQ(Call(L"InsertProperty", {I2(nPage), I2(-1), CVariant("Last"), CVariant("ComboBox"), I2(0)}).ToShort(), 0);
    EXPECT_TRUE(Call(L"SetActiveProperty", {I2(nPage), I2(0)}).ToBool());
    short nActivePage = -1;
    EXPECT_EQ(Call(L"GetActiveProperty", {CVariant::ByRef(&nActivePage)}).ToShort(), 0);
    EXPECT_EQ(nActivePage, nPage);
}

void PrintTo(const Trigger& trigger, std::ostream* os)
{
    *os << trigger.name;
}

void PrintTo(const HostAction& action, std::ostream* os)
{
    *os << action.name;
}

std::string CaseName(const testing::TestParamInfo<std::tuple<Trigger, HostAction>>& info)
{
    return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
}

// The long run (VELMORA_SOAK=full) meets every trigger with every action. The suite meets each
// trigger with one action of each kind, the next trigger with the next action of that kind, so
// every action still meets events of every sort.
std::vector<std::tuple<Trigger, HostAction>> Pairs()
{
    const bool bEvery = FullSoak();
    std::vector<std::tuple<Trigger, HostAction>> pairs;
    for (size_t nTrigger = 0; nTrigger < std::size(kTriggers); ++nTrigger) {
        for (Takes takes : {Takes::Rows, Takes::Control, Takes::Nothing}) {
            std::vector<const HostAction*> kind;
            for (const HostAction& action : kActions) {
                if (action.takes == takes)
                    kind.push_back(&action);
            }
            for (size_t nAction = 0; nAction < kind.size(); ++nAction) {
                if (bEvery || nAction == nTrigger % kind.size())
                    pairs.emplace_back(kTriggers[nTrigger], *kind[nAction]);
            }
        }
    }
    return pairs;
}

INSTANTIATE_TEST_SUITE_P(EveryEvent, HostsInsideEvents, testing::ValuesIn(Pairs()), CaseName);

} // namespace
