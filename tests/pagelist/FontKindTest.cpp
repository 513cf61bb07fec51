// The Font kind on a real page list with a fake control: the font kept with the row, exchanged
// as standard font objects and a colour number, chosen in the system font dialog (answered by
// the test, OK and Cancel), and hosts that end the row while the dialog is open.
#include "Bstr.h"
#include "ComPointer.h"
#include "ControlsFactory.h"
#include "FontDialogAnswer.h"
#include "FontKind.h"
#include "RowMaps.h"
#include "TestKinds.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <olectl.h>

namespace {


// A standard font object made and described the way the kind makes its own.
CComPointer<IFont> NewFont(const wchar_t* pszFace, LONGLONG nSize10000, SHORT nWeight, bool bItalic = false)
{
    CComPointer<IFont> pFont;
    if (FAILED(pFont.CreateInstance(CLSID_StdFont, CLSCTX_ALL)))
        return pFont;
    pFont->put_Name(CBstr(pszFace));
    CY size;
    size.int64 = nSize10000;
    pFont->put_Size(size);
    pFont->put_Weight(nWeight);
    pFont->put_Italic(bItalic);
    return pFont;
}

CY FontSize(IFont* pFont)
{
    CY size = {};
    pFont->get_Size(&size);
    return size;
}

std::string FontName(IFont* pFont)
{
    CBstr name;
    pFont->get_Name(name.Out());
    return name.ToUtf8();
}

CVariant AsValue(IFont* pFont)
{
    CComPointer<IDispatch> pDispatch;
    pDispatch.QueryFrom(pFont);
    return CVariant(pDispatch.Get());
}

class FontKindTest : public PageListFixture<CPageListCtrl> {
protected:
    void SetUp() override
    {
        PageListFixture::SetUp();
        RegisterControlsClass("CControlsWnd_CFont", &NewControlsObject<CControlsWnd_CFont>);
        m_list.AddItemFromText("Caption font", "Font", "Enable", "");
        m_list.SetItemValue(0, "as loaded");
    }
    void TearDown() override
    {
        m_owner.onEvent = nullptr;
        PageListFixture::TearDown();
        EXPECT_EQ(nullptr, FindFontDialog()) << "no font dialog is left open";
    }

    CControlsWnd_CFont* Font() { return dynamic_cast<CControlsWnd_CFont*>(m_list.GetControlsWnd(0, TRUE)); }
    std::string Value() const { return PageListFixture::Value(0); }

    // The row's button pressed with the dialog answered; what the dialog showed.
    FontDialogSeen Press(const FontDialogAnswer& answer)
    {
        CControlsWnd_CFont* pFont = Font();
        m_owner.events.clear();
        return AnswerFontDialog([pFont] { pFont->ShowEditor(2); }, answer);
    }
};

TEST_F(FontKindTest, NewRowHoldsMsSansSerifInBlackAndStaysWithTheRow)
{
    CControlsWnd_CFont* pFont = Font();
    ASSERT_NE(nullptr, pFont);
    EXPECT_EQ("CControlsWnd_CFont", pFont->GetClassName());
    EXPECT_EQ(pFont, FindControlsWnd(&m_list, 0)) << "kept in the row map";
    EXPECT_FALSE(pFont->Release());
    EXPECT_EQ(pFont, Font()) << "Release keeps it";
    EXPECT_STREQ(L"MS Sans Serif", pFont->GetLogFont()->lfFaceName);
    EXPECT_EQ(10, pFont->GetLogFont()->lfHeight);
    EXPECT_EQ(FW_NORMAL, pFont->GetLogFont()->lfWeight);

    const CVariant colour = pFont->GetValue(1);
    EXPECT_EQ(VT_UI4, colour.vt);
    EXPECT_EQ(0u, colour.ulVal);
    const CVariant font = pFont->GetValue(0);
    ASSERT_EQ(VT_DISPATCH, font.vt);
    CComPointer<IFont> pGiven;
    ASSERT_EQ(S_OK, pGiven.QueryFrom(font.pdispVal));
    CComPointer<IFont> pReference = NewFont(L"MS Sans Serif", 75000, FW_NORMAL);
    EXPECT_EQ(FontName(pReference), FontName(pGiven));
    SHORT nWeight = 0;
    pGiven->get_Weight(&nWeight);
    EXPECT_EQ(FW_NORMAL, nWeight);
    // A cell ten pixels high (seven and a half points at 96 dpi) holds characters of less.
    CY given = {};
    pGiven->get_Size(&given);
    EXPECT_GT(given.int64, 50000);
    EXPECT_LT(given.int64, 75000);

    EXPECT_EQ("as loaded", pFont->GetValue(2).ToString()) << "other columns give the text";
}

TEST_F(FontKindTest, FontObjectSetsTheFontAndTheTextWithoutAnEvent)
{
    CControlsWnd_CFont* pFont = Font();
    CComPointer<IFont> pSet = NewFont(L"Arial", 120000, FW_BOLD, true);
    ASSERT_NE(nullptr, pSet.Get());
    m_owner.events.clear();
    pFont->SetValue(AsValue(pSet), 0);
    EXPECT_TRUE(m_owner.events.empty());
    // A font object reports the size it realises, which may differ from the one asked for.
    const LOGFONTW& logFont = *pFont->GetLogFont();
    EXPECT_EQ(CControlsWnd_CFont::SizeToHeight(FontSize(pSet), CDpi()), logFont.lfHeight);
    EXPECT_EQ(FW_BOLD, logFont.lfWeight);
    EXPECT_TRUE(logFont.lfItalic);
    EXPECT_EQ(FontName(pSet), WideToUtf8(logFont.lfFaceName));
    EXPECT_EQ(FontName(pSet) + FormatText(", %.2f", -logFont.lfHeight * 0.75), Value());
    EXPECT_EQ(Value(), pFont->GetFontText());
    CComPointer<IFont> pBack;
    ASSERT_EQ(S_OK, pBack.QueryFrom(pFont->GetValue(0).pdispVal));
    BOOL bItalic = FALSE, bBold = FALSE;
    pBack->get_Italic(&bItalic);
    pBack->get_Bold(&bBold);
    EXPECT_TRUE(bItalic && bBold) << "the value is the font set";
}

TEST_F(FontKindTest, NumberSetsTheColourOnlyAndOtherValuesAreText)
{
    CControlsWnd_CFont* pFont = Font();
    pFont->SetValue(CVariant(255L), 0);
    EXPECT_EQ(RGB(255, 0, 0), pFont->GetFontColor());
    EXPECT_EQ("as loaded", Value());
    CVariant word;
    word.vt = VT_UI2;
    word.uiVal = 0x00FF;
    pFont->SetValue(word, 0);
    EXPECT_EQ(COLORREF(0xFF), pFont->GetFontColor());
    pFont->SetValue(CVariant(short(0x7F00)), 0);
    EXPECT_EQ(COLORREF(0x7F00), pFont->GetFontColor());
    long nByRef = RGB(0, 0, 255);
    pFont->SetValue(CVariant::ByRef(&nByRef), 0);
    EXPECT_EQ(RGB(0, 0, 255), pFont->GetFontColor()) << "a script's variable by reference";
    EXPECT_EQ(RGB(0, 0, 255), pFont->GetValue(1).ulVal);

    pFont->SetValue(CVariant("typed text"), 0);
    EXPECT_EQ("typed text", Value());
    EXPECT_EQ(RGB(0, 0, 255), pFont->GetFontColor());
    EXPECT_STREQ(L"MS Sans Serif", pFont->GetLogFont()->lfFaceName);
}

// The host ends the row while the dialog is open: the dialog goes with it.
TEST_F(FontKindTest, RowEndedWhileTheDialogIsOpenClosesTheDialog)
{
    FontDialogAnswer answer;
    answer.bOk = true;
    answer.whileOpen = [this] { m_owner.rowMaps.Clear(); };
    const FontDialogSeen seen = Press(answer);
    EXPECT_TRUE(seen.bSeen);
    EXPECT_EQ(Events{Changing(0)}, m_owner.events);
    EXPECT_EQ(nullptr, FindControlsWnd(&m_list, 0));
    EXPECT_EQ("as loaded", Value());
}

} // namespace
