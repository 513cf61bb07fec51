#include "ControlsFactory.h"
#include "FontKind.h"
#include "ItemData.h"
#include "PageListCtrl.h"
#include "RowMaps.h"
#include "TestKinds.h"
#include "WindowImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kNavy = RGB(0, 0, 128);
const COLORREF kSilver = RGB(192, 192, 192);

// Texts are smoothed: they are told apart by colour ranges, not by exact colours.
bool IsWhitish(COLORREF c)
{
    return GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) > 200;
}
bool IsDark(COLORREF c)
{
    return GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) < 80;
}
bool IsReddish(COLORREF c)
{
    return GetRValue(c) > 150 && GetGValue(c) < 100 && GetBValue(c) < 100;
}
bool IsBluish(COLORREF c)
{
    return GetBValue(c) > 150 && GetRValue(c) < 100 && GetGValue(c) < 100;
}
int Brightness(COLORREF c)
{
    return (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;
}

// The page list as it is, remembering where the list asked it to draw each row.
class CRecordingPageList : public CPageListCtrl {
public:
    using CPageListCtrl::CPageListCtrl;
    std::map<int, RECT> drawnRows;

protected:
    void DrawItem(LPDRAWITEMSTRUCT pDraw) override
    {
        drawnRows[static_cast<int>(pDraw->itemID)] = pDraw->rcItem;
        CPageListCtrl::DrawItem(pDraw);
    }
};

// Rows are drawn in a page list of a test frame and read back from a capture.
class PageListDrawingTest : public PageListFixture<CRecordingPageList> {
protected:
    int AddRow(const std::string& strName, const std::string& strAs, WORD nType, const std::string& strValue = "")
    {
        const int nRow = m_list.AddItemFromText(strName, strAs, "Enable", "");
        m_list.SetItemData(nRow, MakeItemData(ItemKind(ItemDataFromNames(strAs, "")), nType));
        m_list.SetItemValue(nRow, strValue);
        return nRow;
    }

    void FocusAndSelect(int nRow)
    {
        m_list.SetFocus();
        m_list.SetItemState(nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }

    WindowImage Capture()
    {
        m_list.drawnRows.clear();
        m_list.Invalidate();
        m_list.UpdateWindow();
        PumpUntilIdle();
        return WindowImage::Capture(m_list.m_hWnd);
    }

    RECT RowBounds(int nRow) const
    {
        const auto drawn = m_list.drawnRows.find(nRow);
        return drawn == m_list.drawnRows.end() ? RECT{} : drawn->second;
    }

    // The name cell as the row drawing fills it.
    RECT NameCell(int nRow) const
    {
        const RECT bounds = RowBounds(nRow);
        return RECT{bounds.left, bounds.top, bounds.left + m_list.GetColumnWidth(0) - 2, bounds.bottom};
    }

    // The name cell without the grid lines that the list draws over the row's edges.
    RECT NameInside(int nRow) const
    {
        const RECT name = NameCell(nRow);
        return RECT{name.left, name.top + 1, name.right, name.bottom - 1};
    }

    RECT ValueCell(int nRow) const
    {
        const RECT bounds = RowBounds(nRow);
        const int left = bounds.left + 2 + m_list.GetColumnWidth(0) + 2;
        return RECT{left, bounds.top, left + m_list.GetColumnWidth(1), bounds.bottom};
    }

    template <typename Predicate>
    static int CountIf(const WindowImage& image, const RECT& rect, Predicate predicate)
    {
        int count = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                count += predicate(image.Pixel(x, y)) ? 1 : 0;
        return count;
    }

    static int Area(const RECT& rect) { return (rect.right - rect.left) * (rect.bottom - rect.top); }

    // Columns of rect that hold some ink (anything not white).
    static int InkColumns(const WindowImage& image, const RECT& rect)
    {
        int columns = 0;
        for (int x = rect.left; x < rect.right; ++x)
            columns += CountIf(image, RECT{x, rect.top, x + 1, rect.bottom}, [](COLORREF c) { return c != kWhite; }) > 0;
        return columns;
    }

    static int Darkest(const WindowImage& image, const RECT& rect)
    {
        int darkest = 255;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                darkest = std::min(darkest, Brightness(image.Pixel(x, y)));
        return darkest;
    }

    // Pixels that differ between rect of one image and a rect of the same size in another.
    static int Differences(const WindowImage& a, const RECT& ra, const WindowImage& b, const RECT& rb)
    {
        int differences = 0;
        for (int dy = 0; dy < ra.bottom - ra.top; ++dy)
            for (int dx = 0; dx < ra.right - ra.left; ++dx)
                differences += a.Pixel(ra.left + dx, ra.top + dy) != b.Pixel(rb.left + dx, rb.top + dy);
        return differences;
    }
};

TEST_F(PageListDrawingTest, ColourRowShowsASwatchFramedBlackThenItsText)
{
    AddRow("Back", "Edit", 0);
    const int nRow = AddRow("Fore", "ColorComboBox", 0, "&&H0000FF (Red)");
    const WindowImage image = Capture();
    ASSERT_FALSE(image.IsEmpty());

    const RECT cell = ValueCell(nRow);
    const int side = cell.bottom - cell.top;
    ASSERT_EQ(18, side);
    const RECT swatch = {cell.left + 2, cell.top + 3, cell.left + side - 2, cell.top + side - 1};
    const RECT inside = {swatch.left + 1, swatch.top + 1, swatch.right - 1, swatch.bottom - 1};
    EXPECT_EQ(Area(inside), image.CountPixels(inside, RGB(255, 0, 0)));
    EXPECT_EQ(Area(swatch) - Area(inside), image.CountPixels(swatch, kBlack)) << "a black frame all round";
    EXPECT_EQ(kWhite, image.Pixel(swatch.left - 1, swatch.top + 5));
    EXPECT_EQ(kWhite, image.Pixel(swatch.right, swatch.top + 5));
    EXPECT_EQ(kWhite, image.Pixel(swatch.left + 5, swatch.top - 1));

    const RECT gap = {cell.left + side, cell.top + 1, cell.left + side + 4, cell.bottom - 1};
    EXPECT_EQ(Area(gap), image.CountPixels(gap, kWhite));
    const RECT text = {gap.right, cell.top + 1, cell.right - 1, cell.bottom - 1};
    EXPECT_GT(CountIf(image, text, IsDark), 10) << "the value text follows the swatch";
}

TEST_F(PageListDrawingTest, FocusedSelectedEditRowHasANavyNameWithWhiteTextAndNoButton)
{
    AddRow("Other", "Edit", 0);
    const int nRow = AddRow("Selected row", "Edit", 0, "value");
    FocusAndSelect(nRow);
    ASSERT_EQ(m_list.m_hWnd, GetFocus());
    const WindowImage image = Capture();

    const RECT inner = NameInside(nRow);
    EXPECT_GT(image.CountPixels(inner, kNavy), Area(inner) / 2);
    EXPECT_GT(CountIf(image, inner, IsWhitish), 10) << "white name text";
    EXPECT_EQ(0, CountIf(image, inner, IsDark)) << "no black text";
    EXPECT_EQ(0, image.CountPixels(NameInside(0), kNavy)) << "other rows stay white";
    EXPECT_TRUE(IsRectEmpty(&m_list.GetButtonRect())) << "an Edit row has no button";
    const RECT bounds = RowBounds(nRow);
    EXPECT_EQ(0, image.CountPixels(RECT{bounds.right - 18, bounds.top + 1, bounds.right - 1, bounds.bottom - 1}, kSilver));
}

TEST_F(PageListDrawingTest, SelectedRowWithoutFocusIsSilverWithBlackText)
{
    const int nRow = AddRow("Selected row", "ComboBox", 0);
    m_list.SetFocus();
    m_list.SetItemState(nRow, LVIS_SELECTED, LVIS_SELECTED | LVIS_FOCUSED);
    const WindowImage image = Capture();
    const RECT inner = NameInside(nRow);
    EXPECT_EQ(0, image.CountPixels(inner, kNavy));
    EXPECT_GT(image.CountPixels(inner, kSilver), Area(inner) / 2);
    EXPECT_GT(CountIf(image, inner, IsDark), 5);
    EXPECT_TRUE(IsRectEmpty(&m_list.GetButtonRect()));
}

TEST_F(PageListDrawingTest, GreyRowHasGreyText)
{
    const int nGrey = AddRow("Greyed out", "Edit", ITEM_TYPE_GRAYED, "grey value");
    const int nBlack = AddRow("Read only", "Edit", ITEM_TYPE_BLACK, "black value");
    const WindowImage image = Capture();
    const int grey = Brightness(GetSysColor(COLOR_GRAYTEXT));
    ASSERT_GT(grey, 60);
    EXPECT_GT(CountIf(image, NameInside(nGrey), [](COLORREF c) { return c != kWhite; }), 10);
    EXPECT_GE(Darkest(image, NameInside(nGrey)), grey - 8) << "nothing darker than the grey text colour";
    EXPECT_LT(Darkest(image, NameInside(nBlack)), grey - 40) << "read-only rows are written black";
}

TEST_F(PageListDrawingTest, BoldNameIsWiderThanTheSameNameNotBold)
{
    const int nNormal = AddRow("Illinois mill", "Edit", 0);
    const int nBold = AddRow("Illinois mill", "Edit", ITEM_TYPE_BOLD);
    const WindowImage image = Capture();
    const int normalInk = InkColumns(image, NameInside(nNormal));
    const int boldInk = InkColumns(image, NameInside(nBold));
    ASSERT_GT(normalInk, 5);
    EXPECT_GT(boldInk, normalInk);
}

TEST_F(PageListDrawingTest, ComboBoxRowGetsTheDropButtonAtTheRightEdge)
{
    AddRow("Other", "Edit", 0);
    const int nRow = AddRow("Choice", "ComboBox", 0, "one");
    FocusAndSelect(nRow);
    const WindowImage image = Capture();

    const RECT bounds = RowBounds(nRow);
    const RECT& button = m_list.GetButtonRect();
    EXPECT_EQ(bounds.right, button.right);
    EXPECT_EQ(bounds.right - (GetSystemMetrics(SM_CXVSCROLL) + 2), button.left);
    EXPECT_EQ(bounds.top + 1, button.top);
    EXPECT_EQ(bounds.bottom, button.bottom);

    const RECT face = {button.left + 2, button.top + 2, button.right - 2, button.bottom - 2};
    EXPECT_GT(image.CountPixels(face, kSilver), 40) << "button face";
    EXPECT_GT(image.CountPixels(face, kBlack), 5) << "drop arrow";
    EXPECT_EQ(kWhite, image.Pixel(button.left - 3, bounds.top + 9)) << "nothing left of the button";
}

TEST_F(PageListDrawingTest, ButtonRowsDrawTheirOwnIcon)
{
    const int nCombo = AddRow("Choice", "ComboBox", 0);
    const int nButton = AddRow("Press", "Button", 0);
    FocusAndSelect(nCombo);
    const WindowImage comboImage = Capture();
    const RECT comboButton = m_list.GetButtonRect();
    FocusAndSelect(nButton);
    const WindowImage buttonImage = Capture();
    const RECT buttonButton = m_list.GetButtonRect();
    ASSERT_FALSE(IsRectEmpty(&comboButton));
    ASSERT_FALSE(IsRectEmpty(&buttonButton));

    EXPECT_GT(Differences(comboImage, comboButton, buttonImage, buttonButton), 5) << "the Button row's icon is not the drop arrow";
}

TEST_F(PageListDrawingTest, DisabledRowIsFramedBlackWithoutHighlightOrButtonWhenFocused)
{
    AddRow("Other", "Edit", 0);
    const int nRow = AddRow("Locked", "ComboBox", ITEM_TYPE_BLACK, "value");
    const WindowImage unfocused = Capture();
    const RECT name = NameCell(nRow);
    const int middle = (name.top + name.bottom) / 2;
    EXPECT_EQ(kWhite, unfocused.Pixel(name.left, middle));
    EXPECT_EQ(kWhite, unfocused.Pixel(name.right - 1, middle));

    FocusAndSelect(nRow);
    const WindowImage image = Capture();
    EXPECT_EQ(kBlack, image.Pixel(name.left, middle));
    EXPECT_EQ(kBlack, image.Pixel(name.right - 1, middle));
    EXPECT_EQ(kBlack, image.Pixel((name.left + name.right) / 2, name.top + 1));
    EXPECT_EQ(kWhite, image.Pixel(name.left + 1, middle));
    EXPECT_EQ(kWhite, image.Pixel(name.right - 2, middle));
    EXPECT_EQ(0, image.CountPixels(name, kNavy));
    EXPECT_EQ(0, image.CountPixels(name, kSilver));
    EXPECT_TRUE(IsRectEmpty(&m_list.GetButtonRect()));
    const RECT bounds = RowBounds(nRow);
    const RECT corner = {bounds.right - 18, bounds.top + 1, bounds.right - 1, bounds.bottom - 1};
    EXPECT_EQ(0, image.CountPixels(corner, kSilver));
}

TEST_F(PageListDrawingTest, FontRowIsPlainTextUntilItHasAnObject)
{
    const int nRow = AddRow("Face", "Font", 0, "Arial, 6");
    const WindowImage plain = Capture();
    const RECT cell = ValueCell(nRow);
    const RECT inner = {cell.left, cell.top + 1, cell.right - 1, cell.bottom - 1};
    EXPECT_GT(CountIf(plain, inner, IsDark), 5);
    EXPECT_EQ(0, CountIf(plain, inner, IsReddish));

    RegisterControlsClass("CControlsWnd_CFont", &NewControlsObject<CControlsWnd_CFont>);
    CControlsWnd* pFont = m_list.GetControlsWnd(nRow, TRUE);
    ASSERT_NE(nullptr, pFont);
    pFont->SetValue(CVariant(static_cast<long>(RGB(255, 0, 0))), 0);
    const WindowImage coloured = Capture();
    EXPECT_GT(CountIf(coloured, inner, IsReddish), 10) << "drawn in the object's colour";
    EXPECT_EQ(0, CountIf(coloured, inner, IsDark));
    // In the object's own size, not the row's height: six points are eight pixels.
    int nInkRows = 0;
    for (int y = inner.top; y < inner.bottom; ++y)
        nInkRows += CountIf(coloured, RECT{inner.left, y, inner.right, y + 1}, IsReddish) > 0;
    EXPECT_LE(nInkRows, 8);
}

TEST_F(PageListDrawingTest, ValueIsBlackUntilTheEditorOpensThenInTheEditorColour)
{
    const int nRow = AddRow("Choice", "ComboBox", 0, "opened value");
    FocusAndSelect(nRow);
    const WindowImage closed = Capture();
    const RECT cell = ValueCell(nRow);
    const RECT text = {cell.left, cell.top + 1, cell.left + 80, cell.bottom - 1};
    EXPECT_GT(CountIf(closed, text, IsDark), 5);
    ASSERT_TRUE(m_list.ActivateRow(nRow));
    CWnd* pEditor = m_list.GetActiveControlsWnd()->m_pEditor;
    pEditor->MoveWindow(RECT{0, 200, 10, 210});
    pEditor->ShowWindow(SW_SHOWNA);
    ASSERT_TRUE(m_list.IsEditorVisible());
    const WindowImage image = Capture();
    EXPECT_GT(CountIf(image, text, IsBluish), 10);
    EXPECT_EQ(0, CountIf(image, text, IsDark));
}

TEST_F(PageListDrawingTest, GroupRowKeepsItsButtonPlaceButDrawsNoButton)
{
    const int nRow = AddRow("Section", "Group", 0);
    FocusAndSelect(nRow);
    const WindowImage image = Capture();
    ASSERT_FALSE(IsRectEmpty(&m_list.GetButtonRect()));
    EXPECT_EQ(0, image.CountPixels(m_list.GetButtonRect(), kSilver));
}

TEST_F(PageListDrawingTest, PressedButtonShowsTheOverlayOverItsIcon)
{
    const int nRow = AddRow("Choice", "ComboBox", 0);
    FocusAndSelect(nRow);
    const WindowImage released = Capture();
    const RECT button = m_list.GetButtonRect();
    ASSERT_FALSE(IsRectEmpty(&button));
    m_list.DrawRowButton(nullptr, button, nRow, TRUE);
    EXPECT_GT(Differences(released, button, WindowImage::Capture(m_list.m_hWnd), button), 5);
}

} // namespace
