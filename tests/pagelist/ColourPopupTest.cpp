// The colour popup as a user meets it: opened from the row button or the keyboard under the
// colour row, its cells and boxes in place and in their colours, the highlight moved by the
// mouse and the arrow keys, closed with a pick, Enter, Escape or a click outside, and the
// colour dialog behind its More box, answered by the test from inside the dialog's own modal
// loop. Hosts end the row or the page inside each event the popup leads to.
#include "PickingFixture.h"

#include "ColourHook.h"
#include "ColourText.h"
#include "Pump.h"
#include "ShownWindow.h"
#include "Text.h"
#include "WindowImage.h"

#include <gtest/gtest.h>

#include <colordlg.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

const std::function<void(HWND)>* g_pAnswer = nullptr;

void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    const HWND hDialog = ShownWindow(L"#32770");
    if (!hDialog || !g_pAnswer)
        return;
    KillTimer(nullptr, nTimer);
    const std::function<void(HWND)> answer = *std::exchange(g_pAnswer, nullptr);
    answer(hDialog);
}

// Runs action, which opens the colour dialog; answer gets the dialog from inside its modal
// loop and ends it.
void WithDialog(const std::function<void()>& action, const std::function<void(HWND)>& answer)
{
    g_pAnswer = &answer;
    const UINT_PTR nTimer = SetTimer(nullptr, 0, 30, &AnswerDialog);
    action();
    KillTimer(nullptr, nTimer);
    g_pAnswer = nullptr;
}

void Press(HWND hDialog, int nId)
{
    SendMessageW(hDialog, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hDialog, nId)));
}

// The dialog's current colour set through its red, green and blue fields.
void TypeColour(HWND hDialog, int r, int g, int b)
{
    SetDlgItemInt(hDialog, COLOR_RED, static_cast<UINT>(r), FALSE);
    SetDlgItemInt(hDialog, COLOR_GREEN, static_cast<UINT>(g), FALSE);
    SetDlgItemInt(hDialog, COLOR_BLUE, static_cast<UINT>(b), FALSE);
}

class ColourPopupTest : public PickingTest {
protected:
    void TearDown() override
    {
        PickingTest::TearDown();
        EXPECT_FALSE(CColourHook::IsInstalled()) << "the hook is left behind";
    }

    CColourPopup* OpenFore(const std::string& strValue)
    {
        SetValue(kFore, strValue);
        ClickRowButton(kFore);
        return Popup();
    }

    POINT CellCentre(CColourPopup* pPopup, int nCell)
    {
        const RECT cell = pPopup->GetCellRect(nCell);
        return POINT{(cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2};
    }

    void Hover(CColourPopup* pPopup, int nCell)
    {
        const POINT pt = CellCentre(pPopup, nCell);
        MoveCursor(pPopup->m_hWnd, pt);
        pPopup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    }

    // The release of a press at a point of the popup (which holds the mouse).
    void ReleaseAt(HWND hPopup, POINT pt)
    {
        MoveCursor(hPopup, pt);
        SendMessageW(hPopup, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        PumpUntilIdle();
    }

    // Opens the colour dialog from the More box with the keyboard.
    void OpenDialogAndAnswer(const std::function<void(HWND)>& answer)
    {
        CColourPopup* pPopup = OpenFore("&&HFFFFFF (White)");
        ASSERT_NE(nullptr, pPopup);
        Key(pPopup->m_hWnd, VK_DOWN);
        ASSERT_EQ(CColourPopup::kMoreBox, pPopup->GetHotCell());
        m_owner.events.clear();
        WithDialog([&] { Key(pPopup->m_hWnd, VK_RETURN); }, answer);
        PumpUntilIdle();
    }
};

// --- Opening ---

TEST_F(ColourPopupTest, ThePopupOpensUnderTheRowWithItsRightEdgeOnTheCellsRight)
{
    CColourPopup* pPopup = OpenFore("&&HFF0000 (Blue)");
    ASSERT_NE(nullptr, pPopup);
    const RECT cell = ScreenCell(kFore);
    const int nArrow = std::max({GetSystemMetrics(SM_CXHTHUMB), GetSystemMetrics(SM_CYVTHUMB), 5 * GetSystemMetrics(SM_CXEDGE),
                                 5 * GetSystemMetrics(SM_CYEDGE)});
    const RECT window = pPopup->GetWindowRect();
    EXPECT_EQ(cell.right, window.right);
    EXPECT_EQ(cell.top + nArrow + 2 * GetSystemMetrics(SM_CYEDGE), window.top) << "under the picker, which is over the cell";
    EXPECT_EQ(pPopup->m_hWnd, GetFocus());
    EXPECT_EQ(pPopup->m_hWnd, GetCapture());
    EXPECT_TRUE(List().IsEditorVisible());
    EXPECT_TRUE(CColourHook::IsInstalled());
    EXPECT_EQ(Strings({"SelectItem 3", "PropertyChanging 3"}), m_owner.Heard());
    EXPECT_EQ(13, pPopup->GetChosenCell());
    EXPECT_EQ(CColourPopup::kNoCell, pPopup->GetHotCell());
    Key(pPopup->m_hWnd, VK_ESCAPE);
    // An empty value opens on white, a colour outside the table on the More box.
    for (const auto& [pszValue, nChosen] : {std::pair<const char*, int>{"", 39}, {"&&H030201 (Custom Color)", CColourPopup::kMoreBox}}) {
        pPopup = OpenFore(pszValue);
        ASSERT_NE(nullptr, pPopup);
        EXPECT_EQ(nChosen, pPopup->GetChosenCell()) << pszValue;
        Key(pPopup->m_hWnd, VK_ESCAPE);
    }
}

TEST_F(ColourPopupTest, TheGridIsEightColumnsOfFiveRowsBetweenTheBoxes)
{
    CColourPopup* pPopup = OpenFore("");
    ASSERT_NE(nullptr, pPopup);
    const int nMargin = GetSystemMetrics(SM_CXEDGE);
    const RECT automatic = pPopup->GetCellRect(CColourPopup::kAutomaticBox);
    const RECT more = pPopup->GetCellRect(CColourPopup::kMoreBox);
    const RECT first = pPopup->GetCellRect(0);
    const RECT last = pPopup->GetCellRect(39);
    EXPECT_EQ(nMargin, automatic.left);
    EXPECT_EQ(nMargin, automatic.top);
    EXPECT_EQ(automatic.bottom + nMargin, first.top);
    EXPECT_EQ(nMargin, first.left);
    EXPECT_EQ(18, first.right - first.left);
    EXPECT_EQ(first.left + 7 * 18, pPopup->GetCellRect(7).left);
    EXPECT_EQ(first.top + 18, pPopup->GetCellRect(8).top);
    EXPECT_EQ(first.top + 4 * 18, last.top);
    EXPECT_EQ(first.left + 7 * 18, last.left);
    EXPECT_GT(more.top, last.bottom);
    const RECT client = pPopup->GetClientRect();
    EXPECT_EQ(client.right - 2 * nMargin, more.right - more.left) << "the boxes span the popup";
    EXPECT_EQ(automatic.right, more.right);
    EXPECT_GE(client.right, 8 * 18 + 2 * nMargin);
    EXPECT_EQ(more.bottom + 2 * nMargin, client.bottom);
    Key(pPopup->m_hWnd, VK_ESCAPE);
}

TEST_F(ColourPopupTest, EachCellShowsItsColourAndTheChosenOneIsSunken)
{
    CColourPopup* pPopup = OpenFore("&&HFF0000 (Blue)");
    ASSERT_NE(nullptr, pPopup);
    Key(pPopup->m_hWnd, VK_RIGHT);
    ASSERT_EQ(14, pPopup->GetHotCell());
    pPopup->Invalidate();
    pPopup->UpdateWindow();
    const WindowImage image = WindowImage::Capture(pPopup->m_hWnd);
    ASSERT_FALSE(image.IsEmpty());
    for (int i = 0; i < kColourTableCount; ++i) {
        const POINT centre = CellCentre(pPopup, i);
        EXPECT_EQ(kColourTable[i].crColour, image.Pixel(centre.x, centre.y)) << kColourTable[i].pszName;
    }
    const auto inside = [&](int nCell) {
        const RECT cell = pPopup->GetCellRect(nCell);
        return image.Pixel(cell.left + 2, cell.top + 2);
    };
    EXPECT_EQ(GetSysColor(COLOR_3DHILIGHT), inside(13)) << "the chosen cell";
    EXPECT_EQ(GetSysColor(COLOR_3DFACE), inside(12));
    const RECT chosen = pPopup->GetCellRect(13);
    EXPECT_EQ(GetSysColor(COLOR_3DSHADOW), image.Pixel(chosen.left, chosen.top)) << "sunken";
    const RECT hot = pPopup->GetCellRect(14);
    EXPECT_EQ(GetSysColor(COLOR_3DSHADOW), image.Pixel(hot.right - 1, hot.bottom - 1)) << "raised";
    const RECT plain = pPopup->GetCellRect(12);
    EXPECT_EQ(GetSysColor(COLOR_3DFACE), image.Pixel(plain.right - 1, plain.bottom - 1));
    const RECT swatch = {plain.left + 3, plain.top + 3, plain.right - 3, plain.bottom - 3};
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), image.Pixel(swatch.left, swatch.top)) << "the swatch is outlined";
    EXPECT_EQ(kColourTable[12].crColour, image.Pixel(swatch.left + 1, swatch.top + 1));
    Key(pPopup->m_hWnd, VK_ESCAPE);
}

TEST_F(ColourPopupTest, NearTheBottomOfTheWorkAreaThePopupOpensAboveThePicker)
{
    const CShorterWorkArea workArea(200);
    MoveFrameTo(workArea.Bottom() - 120);
    CColourPopup* pPopup = OpenFore("&&HFF0000 (Blue)");
    ASSERT_NE(nullptr, pPopup);
    const RECT cell = ScreenCell(kFore);
    const RECT window = pPopup->GetWindowRect();
    EXPECT_EQ(cell.top, window.bottom);
    EXPECT_EQ(cell.right, window.right);
    Key(pPopup->m_hWnd, VK_ESCAPE);
}

TEST_F(ColourPopupTest, F4OpensItAndOnlyOnePopupIsOpenAtATime)
{
    ClickRow(kFore);
    Key(List().m_hWnd, VK_F4);
    CColourPopup* pPopup = Popup();
    ASSERT_NE(nullptr, pPopup);
    CControlsWnd* pOther = List().GetControlsWnd(kBack, FALSE);
    ASSERT_NE(nullptr, pOther);
    pOther->ShowEditor(2);
    EXPECT_EQ(pPopup, Popup());
    EXPECT_FALSE(pOther->IsEditorVisible());
    pOther->Release();
    Key(pPopup->m_hWnd, VK_ESCAPE);
}

// --- The keys ---

struct KeyCase {
    const char* pszName;
    const char* pszValue;
    std::vector<UINT> keys;
    int nHot;
};

void PrintTo(const KeyCase& c, std::ostream* os)
{
    *os << c.pszName;
}

class ColourPopupKeyTest : public ColourPopupTest, public testing::WithParamInterface<KeyCase> {};

TEST_P(ColourPopupKeyTest, ArrowsMoveTheHighlight)
{
    CColourPopup* pPopup = OpenFore(GetParam().pszValue);
    ASSERT_NE(nullptr, pPopup);
    for (UINT nKey : GetParam().keys)
        Key(pPopup->m_hWnd, nKey);
    EXPECT_EQ(GetParam().nHot, pPopup->GetHotCell());
    Key(pPopup->m_hWnd, VK_ESCAPE);
}

const char kBlack[] = "&&H000000 (Black)";
const char kBlue[] = "&&HFF0000 (Blue)";
const char kWhite[] = "&&HFFFFFF (White)";
const char kCustom[] = "&&H030201 (Custom Color)";
const int kMore = CColourPopup::kMoreBox;
const int kAutomatic = CColourPopup::kAutomaticBox;

INSTANTIATE_TEST_SUITE_P(
    Keys, ColourPopupKeyTest,
    testing::Values(KeyCase{"FirstKeyMovesFromTheChosenCell", kBlue, {VK_RIGHT}, 14},
                    KeyCase{"DownIsTheNextRow", kBlue, {VK_DOWN}, 21},
                    KeyCase{"UpIsThePreviousRow", kBlue, {VK_UP}, 5},
                    KeyCase{"LeftIsThePreviousColumn", kBlue, {VK_LEFT}, 12},
                    KeyCase{"RightFromTheLastColumnIsTheNextRow", "&&H282828 (Dark grey)", {VK_RIGHT}, 8},
                    KeyCase{"LeftFromTheFirstColumnIsThePreviousRow", "&&H00008B (Dark red)", {VK_LEFT}, 7},
                    KeyCase{"UpFromTheFirstRowIsAutomatic", kBlue, {VK_UP, VK_UP}, kAutomatic},
                    KeyCase{"UpFromAutomaticIsMore", kBlack, {VK_UP, VK_UP}, kMore},
                    KeyCase{"UpFromMoreIsTheLastColour", kBlack, {VK_UP, VK_UP, VK_UP}, 39},
                    KeyCase{"LeftFromTheFirstIsAutomatic", kBlack, {VK_LEFT}, kAutomatic},
                    KeyCase{"LeftFromAutomaticIsMore", kBlack, {VK_LEFT, VK_LEFT}, kMore},
                    KeyCase{"LeftFromMoreIsTheLastColour", kBlack, {VK_LEFT, VK_LEFT, VK_LEFT}, 39},
                    KeyCase{"DownFromTheLastRowIsMore", kWhite, {VK_DOWN}, kMore},
                    KeyCase{"DownFromMoreIsAutomatic", kWhite, {VK_DOWN, VK_DOWN}, kAutomatic},
                    KeyCase{"DownFromAutomaticIsTheFirstColour", kWhite, {VK_DOWN, VK_DOWN, VK_DOWN}, 0},
                    KeyCase{"RightFromTheLastIsMore", kWhite, {VK_RIGHT}, kMore},
                    KeyCase{"RightFromMoreIsAutomatic", kWhite, {VK_RIGHT, VK_RIGHT}, kAutomatic},
                    KeyCase{"RightFromAutomaticIsTheFirstColour", kWhite, {VK_RIGHT, VK_RIGHT, VK_RIGHT}, 0},
                    KeyCase{"FromTheChosenMoreBox", kCustom, {VK_DOWN}, kAutomatic},
                    KeyCase{"OtherKeysMoveNothing", kBlue, {VK_HOME, 'A', VK_TAB}, CColourPopup::kNoCell}),
    [](const testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.pszName); });

// A key that moves the highlight, then one that closes the popup: the colour written, whether
// the host hears of a change, and the focus back in the list.
TEST_F(ColourPopupTest, EnterAndSpaceCommitEscapeKeepsTheOpeningColourAndAutomaticIsTheDefault)
{
    const struct {
        const char* pszOpen;
        UINT nMove, nClose;
        const char* pszValue;
        const char* pszHeard;
    } cases[] = {{kBlue, VK_RIGHT, VK_RETURN, "&&HC07B7B (Blue-grey)", "PropertyChanged 3 1"},
                 {kBlue, VK_LEFT, VK_SPACE, "&&H8E8E38 (Teal)", "PropertyChanged 3 1"},
                 {kBlue, VK_DOWN, VK_ESCAPE, kBlue, "PropertyChanged 3 0"},
                 {kBlack, VK_UP, VK_RETURN, "&&H000000 (Custom Color)", "PropertyChanged 3 1"}};
    for (const auto& c : cases) {
        CColourPopup* pPopup = OpenFore(c.pszOpen);
        ASSERT_NE(nullptr, pPopup);
        const HWND hPopup = pPopup->m_hWnd;
        m_owner.events.clear();
        Key(hPopup, c.nMove);
        EXPECT_TRUE(m_owner.events.empty()) << "the highlight commits nothing";
        Key(hPopup, c.nClose);
        PumpUntilIdle();
        EXPECT_EQ(c.pszValue, Value(kFore)) << c.nClose;
        EXPECT_EQ(Strings({c.pszHeard}), m_owner.Heard()) << c.nClose;
        EXPECT_FALSE(IsWindow(hPopup)) << c.nClose;
        EXPECT_EQ(List().m_hWnd, GetFocus());
        EXPECT_EQ(nullptr, GetCapture());
        EXPECT_FALSE(List().IsEditorVisible());
    }
}

TEST_F(ColourPopupTest, KeysHandedOnByThePageListReachThePopup)
{
    CColourPopup* pPopup = OpenFore(kBlue);
    SetFocus(List().m_hWnd);
    ASSERT_TRUE(List().IsEditorVisible());
    Key(List().m_hWnd, VK_RIGHT);
    EXPECT_EQ(14, pPopup->GetHotCell());
    Key(List().m_hWnd, VK_RETURN);
    EXPECT_EQ("&&HC07B7B (Blue-grey)", Value(kFore));
}

// --- The mouse ---

TEST_F(ColourPopupTest, TheHighlightFollowsTheMouseAndAClickCommitsIt)
{
    CColourPopup* pPopup = OpenFore(kBlue);
    const HWND hPopup = pPopup->m_hWnd;
    for (int nCell : {0, 16, kAutomatic, kMore, 26}) {
        Hover(pPopup, nCell);
        EXPECT_EQ(nCell, pPopup->GetHotCell());
    }
    m_owner.events.clear();
    ReleaseAt(hPopup, CellCentre(pPopup, 26));
    EXPECT_EQ("&&H00FFFF (Yellow)", Value(kFore));
    EXPECT_EQ(Strings({"PropertyChanged 3 1"}), m_owner.Heard());
    EXPECT_FALSE(IsWindow(hPopup));
}

TEST_F(ColourPopupTest, AClickOutsideCommitsTheColourItOpenedOn)
{
    CColourPopup* pPopup = OpenFore(kBlue);
    const HWND hPopup = pPopup->m_hWnd;
    Hover(pPopup, 16);
    m_owner.events.clear();
    const RECT client = pPopup->GetClientRect();
    ReleaseAt(hPopup, POINT{client.right + 30, client.bottom + 30});
    EXPECT_EQ(kBlue, Value(kFore));
    EXPECT_EQ(Strings({"PropertyChanged 3 0"}), m_owner.Heard());
    EXPECT_FALSE(IsWindow(hPopup));
}

TEST_F(ColourPopupTest, LeavingTheApplicationClosesWithTheColourItOpenedOn)
{
    CColourPopup* pPopup = OpenFore(kBlue);
    const HWND hPopup = pPopup->m_hWnd;
    Key(hPopup, VK_RIGHT);
    SendMessageW(hPopup, WM_ACTIVATEAPP, FALSE, 0);
    PumpUntilIdle();
    EXPECT_FALSE(IsWindow(hPopup));
    EXPECT_EQ(kBlue, Value(kFore));
}

// --- The colour dialog ---

TEST_F(ColourPopupTest, CancellingTheDialogChangesNeitherTheColourNorTheCustomColours)
{
    OpenDialogAndAnswer([&](HWND hDialog) {
        TypeColour(hDialog, 1, 2, 3);
        Press(hDialog, COLOR_ADD);
        PostMessageW(hDialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(kWhite, Value(kFore));
    EXPECT_EQ(Strings({"PropertyChanged 3 0"}), m_owner.Heard());
    EXPECT_EQ(m_owner.customColors + 16, std::find(m_owner.customColors, m_owner.customColors + 16, RGB(1, 2, 3)));
}

} // namespace
