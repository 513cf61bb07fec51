#include "Font.h"
#include "GdiStack.h"
#include "MemoryDC.h"

#include <gtest/gtest.h>

TEST(GdiStack, PopsRestoreInReverseOrderAndLeftoversAreDropped)
{
    HDC hScreen = GetDC(nullptr);
    CMemoryDC dc(hScreen);
    ReleaseDC(nullptr, hScreen);
    const HGDIOBJ hOriginalFont = GetCurrentObject(dc, OBJ_FONT);
    const HGDIOBJ hOriginalBrush = GetCurrentObject(dc, OBJ_BRUSH);
    CFont first(CFont::Describe("Arial", 12, FW_NORMAL));
    CFont second(CFont::Describe("Arial", 20, FW_BOLD));
    CBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
    {
        CGdiStack stack;
        ASSERT_TRUE(stack.Push(dc, first));
        ASSERT_TRUE(stack.Push(dc, brush));
        ASSERT_TRUE(stack.Push(dc, second));
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), second.Get());
        EXPECT_TRUE(stack.Pop());
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), first.Get());
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush.Get());
        EXPECT_TRUE(stack.Pop());
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), hOriginalBrush);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), first.Get());
        EXPECT_FALSE(stack.Push(dc, nullptr));
        EXPECT_EQ(stack.GetCount(), 1u);
    }   // the font entry is dropped, not restored
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), first.Get());
    SelectObject(dc, hOriginalFont);
    CGdiStack empty;
    EXPECT_FALSE(empty.Pop());
}

TEST(GdiObjects, FontKeepsItsDescriptionAndOwnershipMoves)
{
    CFont font(CFont::Describe("MS Sans Serif", 8, 700));
    LOGFONTW description = {};
    ASSERT_TRUE(font.GetLogFont(&description));
    EXPECT_EQ(description.lfHeight, 8);
    EXPECT_EQ(description.lfWeight, 700);
    EXPECT_STREQ(description.lfFaceName, L"MS Sans Serif");

    const HFONT hFont = font.Get();
    CFont moved(std::move(font));
    EXPECT_TRUE(font.IsNull());
    EXPECT_EQ(moved.Get(), hFont);
    moved.Reset();
    EXPECT_EQ(GetObjectType(hFont), 0u); // deleted
    EXPECT_FALSE(moved.GetLogFont(&description));
}
