// The colour kind: its table and value text, written and read back, also from texts no colour
// row wrote; values exchanged as numbers; stepping through the table with the mouse and the
// space bar; and the swatch the row shows for what the kind committed.
#include "PickingFixture.h"

#include "ColourText.h"
#include "Pump.h"
#include "Variant.h"
#include "WindowImage.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

// --- The value text: written, and read back also from texts no colour row wrote ---

struct TextCase {
    COLORREF crColour;
    const char* pszText;
    bool bWritten;
};

const TextCase kTexts[] = {
    {RGB(0, 0, 255), "&&HFF0000 (Blue)", true},
    {RGB(255, 0, 0), "&&H0000FF (Red)", true},
    {RGB(1, 2, 3), "&&H030201 (Custom Color)", true},
    {RGB(152, 251, 152), "&&H98FB98 (Pale green )", true},
    {RGB(255, 255, 255), "", false},
    {RGB(0, 0, 255), "&&hff0000 (blue)", false},
    {RGB(255, 0, 0), "&&H0000FF (Blue)", false},
    {0xFF, "&H0000FF (Red)", false},
    {0x12345, "&&H12345G (x)", false},
    {0xFFFFFF, "&&HFFFFFFFFFFFF", false},
    {0, "&&H-12345", false},
};

TEST(ColourTextTest, ColoursAreWrittenAsHexAndTableNameAndReadFromTheDigits)
{
    for (const TextCase& c : kTexts) {
        if (c.bWritten) {
            EXPECT_EQ(c.pszText, FormatColourText(c.crColour));
        }
        EXPECT_EQ(c.crColour, ParseColourText(c.pszText)) << c.pszText;
    }
}

// --- The kind on a row ---

class ColourKindTest : public PickingTest {
protected:
    CControlsWnd* Object(int nRow) { return List().GetControlsWnd(nRow, FALSE); }

    // The middle of the row's swatch as it is on the screen.
    COLORREF SwatchPixel(int nRow)
    {
        List().Invalidate();
        List().UpdateWindow();
        PumpUntilIdle();
        RECT cell = {};
        List().GetCellRect(&cell, nRow);
        const int nSide = cell.bottom - cell.top;
        return WindowImage::Capture(List().m_hWnd).Pixel(cell.left + nSide / 2, cell.top + nSide / 2 + 1);
    }
};

struct SetCase {
    const char* pszName;
    CVariant value;
    const char* pszText;
};

void PrintTo(const SetCase& c, std::ostream* os)
{
    *os << c.pszName;
}

class ColourSetTest : public ColourKindTest, public testing::WithParamInterface<SetCase> {};

TEST_P(ColourSetTest, ANumberIsAColourAnythingElseText)
{
    CControlsWnd* pObj = Object(kFore);
    ASSERT_NE(nullptr, pObj);
    pObj->SetValue(GetParam().value, 0);
    pObj->Release();
    EXPECT_EQ(GetParam().pszText, Value(kFore));
    EXPECT_TRUE(m_owner.events.empty()) << "a value set is no edit";
}

CVariant Typed(VARTYPE vt, LONG nValue)
{
    CVariant value(static_cast<long>(nValue));
    value.vt = vt;
    if (vt == VT_I2 || vt == VT_UI2)
        value.lVal &= 0xFFFF;
    return value;
}

long g_nReferenced = RGB(0, 0, 255);

INSTANTIATE_TEST_SUITE_P(
    Values, ColourSetTest,
    testing::Values(SetCase{"Long", CVariant(static_cast<long>(RGB(0, 0, 255))), "&&HFF0000 (Blue)"},
                    SetCase{"UnsignedLong", Typed(VT_UI4, RGB(1, 2, 3)), "&&H030201 (Custom Color)"},
                    SetCase{"Short", CVariant(short(255)), "&&H0000FF (Red)"},
                    SetCase{"UnsignedShort", Typed(VT_UI2, 0xFF00), "&&H00FF00 (Bright green)"},
                    SetCase{"NegativeLongKeepsItsBits", CVariant(static_cast<long>(0x8000000F)), "&&H00000F (Custom Color)"},
                    SetCase{"NegativeShort", CVariant(short(-1)), "&&HFFFFFF (Custom Color)"},
                    SetCase{"ByReference", CVariant::ByRef(&g_nReferenced), "&&HFF0000 (Blue)"},
                    SetCase{"TextAsItIs", CVariant("pink-ish"), "pink-ish"},
                    SetCase{"DoubleAsText", CVariant(2.5), "2.5"}),
    [](const testing::TestParamInfo<SetCase>& info) { return std::string(info.param.pszName); });

struct ColourStepCase {
    const char* pszName;
    const char* pszValue;
    const char* pszStepped;
};

void PrintTo(const ColourStepCase& c, std::ostream* os)
{
    *os << c.pszName;
}

class ColourStepTest : public ColourKindTest, public testing::WithParamInterface<ColourStepCase> {};

TEST_P(ColourStepTest, ADoubleClickAndTheSpaceBarStepThroughTheTable)
{
    const ColourStepCase& c = GetParam();
    SetValue(kFore, c.pszValue);
    DoubleClickRow(kFore);
    EXPECT_EQ(c.pszStepped, Value(kFore));
    EXPECT_EQ(nullptr, Popup()) << "stepping opens nothing";
    SetValue(kFore, c.pszValue);
    m_owner.events.clear();
    Key(List().m_hWnd, VK_SPACE);
    EXPECT_EQ(c.pszStepped, Value(kFore));
    EXPECT_EQ(std::string(c.pszValue) != c.pszStepped ? Strings{"PropertyChanged 3 1"} : Strings{}, m_owner.Heard());
}

INSTANTIATE_TEST_SUITE_P(
    Steps, ColourStepTest,
    testing::Values(ColourStepCase{"WhiteToBlack", "&&HFFFFFF (White)", "&&H000000 (Black)"},
                    ColourStepCase{"BlueToBlueGrey", "&&HFF0000 (Blue)", "&&HC07B7B (Blue-grey)"},
                    ColourStepCase{"ByColourNotName", "&&H0000FF (Blue)", "&&H5BADFF (Light orange)"},
                    ColourStepCase{"EmptyIsWhite", "", "&&H000000 (Black)"},
                    ColourStepCase{"CustomStays", "&&H030201 (Custom Color)", "&&H030201 (Custom Color)"}),
    [](const testing::TestParamInfo<ColourStepCase>& info) { return std::string(info.param.pszName); });

TEST_F(ColourKindTest, TheSwatchShowsTheColourTheKindCommitted)
{
    SetValue(kFore, "&&H0000FF (Red)");
    EXPECT_EQ(RGB(255, 0, 0), SwatchPixel(kFore));
    ClickRow(kFore);
    Key(List().m_hWnd, VK_SPACE);
    EXPECT_EQ(RGB(255, 173, 91), SwatchPixel(kFore));
    SetValue(kFore, "&&hff0000 (lower case)");
    EXPECT_EQ(RGB(0, 0, 255), SwatchPixel(kFore));
    SetValue(kFore, "nothing here");
    EXPECT_EQ(RGB(0, 0, 0), SwatchPixel(kFore));
}

TEST_F(ColourKindTest, TheEditorIsAHiddenButtonAtTheCellAsHighAsItsArrowBox)
{
    CControlsWnd* pObj = Object(kFore);
    ASSERT_NE(nullptr, pObj);
    ASSERT_NE(nullptr, pObj->m_pEditor);
    const HWND hPicker = pObj->m_pEditor->m_hWnd;
    EXPECT_FALSE(IsWindowVisible(hPicker));
    EXPECT_EQ(List().m_hWnd, GetParent(hPicker));
    wchar_t className[32] = {};
    GetClassNameW(hPicker, className, 32);
    EXPECT_EQ(0, lstrcmpiW(L"Button", className));
    EXPECT_EQ(DWORD(BS_OWNERDRAW), GetWindowLongW(hPicker, GWL_STYLE) & BS_TYPEMASK);
    const int nArrow = std::max({GetSystemMetrics(SM_CXHTHUMB), GetSystemMetrics(SM_CYVTHUMB), 5 * GetSystemMetrics(SM_CXEDGE),
                                 5 * GetSystemMetrics(SM_CYEDGE)});
    RECT cell = {};
    List().GetCellRect(&cell, kFore);
    RECT picker = {};
    GetWindowRect(hPicker, &picker);
    MapWindowPoints(nullptr, List().m_hWnd, reinterpret_cast<POINT*>(&picker), 2);
    EXPECT_EQ(cell.left, picker.left);
    EXPECT_EQ(cell.top, picker.top);
    EXPECT_EQ(nArrow + 2 * GetSystemMetrics(SM_CYEDGE), picker.bottom - picker.top);
    EXPECT_EQ(std::max<LONG>(cell.right - cell.left, 2 * nArrow + 2 * GetSystemMetrics(SM_CXEDGE)), picker.right - picker.left);
    EXPECT_FALSE(pObj->IsEditorVisible());
    pObj->Release();
    EXPECT_FALSE(IsWindow(hPicker)) << "the button goes with its object";
}

} // namespace
