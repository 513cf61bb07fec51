// The picking kinds in the hosted control, as a host and its user meet them: the list a sink
// answers to LoadItems shown under the row and picked with keys and the mouse, a boolean
// toggled, the colour popup and the colour dialog behind it, and colours exchanged as numbers
// through GetValue and SetValue. The events reach the sink with the row's page and row.
#include "ControlTestSupport.h"

#include "ColourHook.h"
#include "ColourPopup.h"
#include "PageListCtrl.h"
#include "Pump.h"
#include "ShownWindow.h"
#include "Text.h"
#include "UserInput.h"
#include "VelmoraCtrl.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

class PickingHost : public HostedSampleTest {
protected:
    static constexpr short kColourRow = 1;
    static constexpr short kChoiceRow = 4;
    static constexpr short kFlagRow = 5;
    static constexpr short kStyleRow = 6;

    void SetUp() override
    {
        HostedSampleTest::SetUp();
        for (const char* const* row : {kChoice, kFlag, kStyle})
            Call(L"InsertProperty", {I2(0), I2(-1), CVariant(row[0]), CVariant(row[1]), I2(0)});
        m_pSink = NewComObject<CRecordingSink>();
        ASSERT_EQ(m_pSink->Connect(m_pControl), S_OK);
        m_pSink->m_strItems = "Left\\Centre\\Right";
    }
    void TearDown() override
    {
        m_pSink->Disconnect();
        HostedSampleTest::TearDown();
        EXPECT_FALSE(CColourHook::IsInstalled());
    }

    POINT RowPoint(int nRow)
    {
        RECT bounds = {};
        List(0)->GetItemRect(nRow, &bounds, LVIR_BOUNDS);
        return POINT{20, (bounds.top + bounds.bottom) / 2};
    }

    void Click(HWND hWnd, POINT pt) { ClickAt(hWnd, pt); }

    // The row selected, drawn with its button, and the button clicked.
    void ClickRowButton(short nRow)
    {
        CPageListCtrl* pList = List(0);
        Click(pList->m_hWnd, RowPoint(nRow));
        pList->Invalidate();
        pList->UpdateWindow();
        PumpUntilIdle();
        const RECT button = pList->GetButtonRect();
        ASSERT_FALSE(IsRectEmpty(&button));
        Click(pList->m_hWnd, POINT{(button.left + button.right) / 2, (button.top + button.bottom) / 2});
    }

    RECT ScreenCell(short nRow)
    {
        RECT cell = {};
        List(0)->GetCellRect(&cell, nRow);
        MapWindowPoints(List(0)->m_hWnd, nullptr, reinterpret_cast<POINT*>(&cell), 2);
        return cell;
    }

    static void Key(HWND hWnd, UINT nKey) { SendMessageW(hWnd, WM_KEYDOWN, nKey, 1); }

    static constexpr const char* kChoice[2] = {"Choice", "ComboBox"};
    static constexpr const char* kFlag[2] = {"Flag", "BoolComboBox"};
    static constexpr const char* kStyle[2] = {"Style", "UserComboBox"};

    CComPointer<CRecordingSink> m_pSink;
};

TEST_F(PickingHost, TheHostsItemsOpenUnderTheRowAndEachPickReachesTheHost)
{
    ClickRowButton(kChoiceRow);
    const HWND hDropDown = ShownWindow(L"ListBox");
    ASSERT_NE(nullptr, hDropDown);
    RECT window = {};
    GetWindowRect(hDropDown, &window);
    const RECT cell = ScreenCell(kChoiceRow);
    EXPECT_EQ(cell.left, window.left);
    EXPECT_EQ(cell.bottom, window.top);
    EXPECT_EQ(3, SendMessageW(hDropDown, LB_GETCOUNT, 0, 0));
    Key(hDropDown, VK_DOWN);
    EXPECT_EQ("Centre", DefaultValue(0, kChoiceRow));
    Key(hDropDown, VK_RETURN);
    EXPECT_FALSE(IsWindow(hDropDown));
    EXPECT_EQ(Strings({"SelectItem 0 4", "LoadItems 0 4 ", "PropertyChanging 0 4", "PropertyChanged 0 4 1"}),
              m_pSink->m_events)
        << "Enter closes on the item handed over already: no second commit";
}

TEST_F(PickingHost, AHostThatAnswersNothingLeavesTheListEmpty)
{
    m_pSink->m_bAnswerItems = false;
    ClickRowButton(kChoiceRow);
    const HWND hDropDown = ShownWindow(L"ListBox");
    ASSERT_NE(nullptr, hDropDown);
    EXPECT_EQ(0, SendMessageW(hDropDown, LB_GETCOUNT, 0, 0));
    Key(hDropDown, VK_RETURN);
    EXPECT_EQ("", DefaultValue(0, kChoiceRow));
}

TEST_F(PickingHost, ItemsInAnyScriptReachTheRowUnchanged)
{
    m_pSink->m_strItems = "Ελληνικά\\中文\\😀";
    ClickRowButton(kChoiceRow);
    const HWND hDropDown = ShownWindow(L"ListBox");
    ASSERT_NE(nullptr, hDropDown);
    Key(hDropDown, VK_END);
    Key(hDropDown, VK_RETURN);
    EXPECT_EQ("😀", DefaultValue(0, kChoiceRow));
    Key(List(0)->m_hWnd, VK_F4);
    ASSERT_NE(nullptr, ShownWindow(L"ListBox"));
    Key(ShownWindow(L"ListBox"), VK_UP);
    EXPECT_EQ("中文", DefaultValue(0, kChoiceRow));
    Key(ShownWindow(L"ListBox"), VK_RETURN);
}

TEST_F(PickingHost, ABooleanRowTogglesWithADoubleClickAndTheSpaceBar)
{
    Call(L"SetDefaultValue", {I2(0), I2(kFlagRow), CVariant("True")});
    const POINT pt = RowPoint(kFlagRow);
    Click(List(0)->m_hWnd, pt);
    SendMessageW(List(0)->m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    EXPECT_EQ("False", DefaultValue(0, kFlagRow));
    Key(List(0)->m_hWnd, VK_SPACE);
    EXPECT_EQ("True", DefaultValue(0, kFlagRow));
    EXPECT_EQ(Strings({"SelectItem 0 5", "PropertyChanged 0 5 1", "PropertyChanged 0 5 1"}), m_pSink->m_events)
        << "the boolean asks the host for nothing";
}

TEST_F(PickingHost, AUserComboBoxRowIsNeverEdited)
{
    Call(L"SetDefaultValue", {I2(0), I2(kStyleRow), CVariant("Compact")});
    Click(List(0)->m_hWnd, RowPoint(kStyleRow));
    Key(List(0)->m_hWnd, VK_F4);
    Key(List(0)->m_hWnd, VK_SPACE);
    EXPECT_EQ(Strings({"SelectItem 0 6"}), m_pSink->m_events);
    EXPECT_EQ("Compact", DefaultValue(0, kStyleRow));
    EXPECT_EQ("Compact", Call(L"GetValue", {I2(0), I2(kStyleRow), CVariant(0L)}).ToString());
}

TEST_F(PickingHost, ColoursGoInAndOutAsNumbers)
{
    Call(L"SetValue", {I2(0), I2(kColourRow), CVariant(static_cast<long>(RGB(0, 0, 255))), I2(0)});
    EXPECT_EQ("&&HFF0000 (Blue)", DefaultValue(0, kColourRow));
    const CVariant colour = Call(L"GetValue", {I2(0), I2(kColourRow), CVariant(0L)});
    EXPECT_EQ(VT_UI4, colour.vt);
    EXPECT_EQ(RGB(0, 0, 255), colour.ulVal);
    EXPECT_EQ("&&HFF0000 (Blue)", Call(L"GetValue", {I2(0), I2(kColourRow), CVariant(1L)}).ToString());
    Call(L"SetValue", {I2(0), I2(kColourRow), CVariant("&&H0000FF (Red)"), I2(0)});
    EXPECT_EQ(RGB(255, 0, 0), Call(L"GetValueByName", {CVariant("General\\Colour"), CVariant(0L)}).ToLong());
    EXPECT_TRUE(m_pSink->m_events.empty());
}

TEST_F(PickingHost, TheColourPopupOpensUnderTheRowAndItsPickReachesTheHost)
{
    Call(L"SetDefaultValue", {I2(0), I2(kColourRow), CVariant("&&HFF0000 (Blue)")});
    ClickRowButton(kColourRow);
    const HWND hPopup = ShownWindow(CColourPopup::kClassName);
    ASSERT_NE(nullptr, hPopup);
    RECT window = {};
    GetWindowRect(hPopup, &window);
    const RECT cell = ScreenCell(kColourRow);
    EXPECT_EQ(cell.right, window.right);
    EXPECT_GT(window.top, cell.top);
    EXPECT_LE(window.top, cell.bottom + 4);
    Key(hPopup, VK_RIGHT);
    Key(hPopup, VK_RETURN);
    PumpUntilIdle();
    EXPECT_FALSE(IsWindow(hPopup));
    EXPECT_EQ("&&HC07B7B (Blue-grey)", DefaultValue(0, kColourRow));
    EXPECT_EQ(Strings({"SelectItem 0 1", "PropertyChanging 0 1", "PropertyChanged 0 1 1"}), m_pSink->m_events);
    EXPECT_EQ(List(0)->m_hWnd, GetFocus());
}

TEST_F(PickingHost, TheColourDialogKeepsTheControlsCustomColoursAndTellsTheHostFirst)
{
    Call(L"SetDefaultValue", {I2(0), I2(kColourRow), CVariant("&&HFFFFFF (White)")});
    Call(L"SetCustomColor", {I2(15), CVariant(static_cast<long>(RGB(7, 7, 7)))});
    ClickRowButton(kColourRow);
    const HWND hPopup = ShownWindow(CColourPopup::kClassName);
    ASSERT_NE(nullptr, hPopup);
    Key(hPopup, VK_DOWN);
    m_pSink->m_events.clear();
    AnswerColourDialog([&] { Key(hPopup, VK_RETURN); }, RGB(1, 2, 3), true);
    PumpUntilIdle();
    EXPECT_EQ(Strings({"CustomColorChange", "PropertyChanged 0 1 1"}), m_pSink->m_events);
    EXPECT_EQ("&&H030201 (Custom Color)", DefaultValue(0, kColourRow));
    EXPECT_EQ(static_cast<long>(RGB(7, 7, 7)), Call(L"GetCustomColor", {I2(15)}).ToLong());
    bool bAdded = false;
    for (short i = 0; i < 16; ++i)
        bAdded = bAdded || Call(L"GetCustomColor", {I2(i)}).ToLong() == static_cast<long>(RGB(1, 2, 3));
    EXPECT_TRUE(bAdded);
}

} // namespace
