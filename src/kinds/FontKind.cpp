#include "FontKind.h"

#include "Bstr.h"
#include "ClientDC.h"
#include "ComPointer.h"
#include "DispatchDriver.h"
#include "GdiStack.h"
#include "Font.h"
#include "ItemList.h"
#include "PageListOwner.h"
#include "ShapingCaches.h"
#include "Text.h"

#include <olectl.h>

#include <cwchar>
#include <utility>

namespace {

// The font object's dispatch members, as every standard font publishes them.
enum : DISPID {
    kFontName = 0,
    kFontSize = 2,
    kFontItalic = 4,
    kFontUnderline = 5,
    kFontStrikethrough = 6,
    kFontWeight = 7,
    kFontCharset = 8,
};

} // namespace

// The default height is a cell height on a 96-DPI screen.
CControlsWnd_CFont::CControlsWnd_CFont()
    : m_logFont(CFont::Describe("MS Sans Serif", CDpi::OfScreen().Scale(10), FW_NORMAL))
{
}

BOOL CControlsWnd_CFont::IsPersistent() const
{
    return TRUE;
}

CVariant CControlsWnd_CFont::GetValue(long nColumn)
{
    if (nColumn == 1) {
        CVariant colour;
        colour.vt = VT_UI4;
        colour.ulVal = m_crFont;
        return colour;
    }
    if (nColumn != 0)
        return CControlsWnd::GetValue(nColumn);
    CComPointer<IFont> pFont;
    if (FAILED(pFont.CreateInstance(CLSID_StdFont, CLSCTX_ALL)))
        return CVariant();
    pFont->put_Name(CBstr(m_logFont.lfFaceName));
    pFont->put_Bold(m_logFont.lfWeight == FW_BOLD);
    pFont->put_Italic(m_logFont.lfItalic != 0);
    pFont->put_Charset(m_logFont.lfCharSet);
    pFont->put_Size(GetFontSize());
    pFont->put_Weight(static_cast<SHORT>(m_logFont.lfWeight));
    pFont->put_Strikethrough(m_logFont.lfStrikeOut != 0);
    pFont->put_Underline(m_logFont.lfUnderline != 0);
    CComPointer<IDispatch> pDispatch;
    pDispatch.QueryFrom(pFont);
    return CVariant(pDispatch.Get());
}

void CControlsWnd_CFont::SetValue(const VARIANT& vValue, short nColumn)
{
    // Scripts hand their variables over by reference.
    CVariant value;
    if (FAILED(VariantCopyInd(value.Out(), const_cast<VARIANT*>(&vValue))))
        return;
    switch (value.vt) {
    case VT_I2:
    case VT_I4:
    case VT_UI2:
    case VT_UI4:
        if (SUCCEEDED(value.ChangeType(VT_UI4)))
            m_crFont = value.ulVal;
        return;
    case VT_DISPATCH:
        if (value.pdispVal) {
            if (ReadFontObject(value.pdispVal) && m_pList)
                m_pList->SetItemValue(m_nRow, GetFontText());
            return;
        }
        break;
    default:
        break;
    }
    CControlsWnd::SetValue(value, nColumn);
}

// Every property is read before any is stored: a font object that fails half-way changes
// nothing.
bool CControlsWnd_CFont::ReadFontObject(IDispatch* pFont)
{
    CDispatchDriver font(pFont);
    LOGFONTW logFont = m_logFont;
    try {
        logFont.lfStrikeOut = font.Get(kFontStrikethrough, VT_BOOL).boolVal ? TRUE : FALSE;
        logFont.lfItalic = font.Get(kFontItalic, VT_BOOL).boolVal ? TRUE : FALSE;
        logFont.lfUnderline = font.Get(kFontUnderline, VT_BOOL).boolVal ? TRUE : FALSE;
        logFont.lfWeight = font.Get(kFontWeight, VT_I2).iVal;
        logFont.lfCharSet = static_cast<BYTE>(font.Get(kFontCharset, VT_I2).iVal);
        logFont.lfHeight = SizeToHeight(font.Get(kFontSize, VT_CY).cyVal, GetDpi());
        const std::wstring face = Utf8ToWide(font.Get(kFontName, VT_BSTR).ToString());
        wcsncpy(logFont.lfFaceName, face.c_str(), LF_FACESIZE - 1);
        logFont.lfFaceName[LF_FACESIZE - 1] = L'\0';
    } catch (const CDispatchException&) {
        return false;
    }
    m_logFont = logFont;
    return true;
}

BOOL CControlsWnd_CFont::Release()
{
    return FALSE;
}

void CControlsWnd_CFont::CloseEditor()
{
    if (HWND hDialog = std::exchange(m_hDialog, nullptr))
        ::SendMessageW(hDialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    CControlsWnd_CButton::CloseEditor();
}

std::string CControlsWnd_CFont::GetClassName() const
{
    return "CControlsWnd_CFont";
}

void CControlsWnd_CFont::ShowEditor(int nMode)
{
    if (!AnnounceEditor(nMode))
        return;
    const CLifeToken::CWatch alive = Watch();
    LOGFONTW logFont = m_logFont;
    COLORREF crFont = m_crFont;
    const bool bChosen = ChooseFontFor(&logFont, &crFont);
    if (!alive)
        return;
    m_hDialog = nullptr;
    if (!bChosen)
        return;
    m_logFont = logFont;
    m_crFont = crFont;
    std::string strText = GetFontText();
    CommitText(strText, nMode);
}

bool CControlsWnd_CFont::ChooseFontFor(LOGFONTW* pLogFont, COLORREF* pcrFont)
{
    CHOOSEFONTW choose = {};
    choose.lStructSize = sizeof(choose);
    choose.lpLogFont = pLogFont;
    // Owned by the host's top-level window, as a dialog without a parent of its own is: the
    // form is disabled while the dialog is up, so no second dialog opens over it.
    if (m_pList && m_pList->GetListWindow())
        choose.hwndOwner = GetAncestor(m_pList->GetListWindow(), GA_ROOT);
    choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK;
    choose.rgbColors = *pcrFont;
    choose.lCustData = reinterpret_cast<LPARAM>(this);
    choose.lpfnHook = &DialogHook;
    CShapingCaches::HoldDialogFont();
    if (!ChooseFontW(&choose))
        return false;
    *pcrFont = choose.rgbColors;
    return true;
}

// Learns the dialog's window, so that an object ended while it is open can cancel it.
UINT_PTR CALLBACK CControlsWnd_CFont::DialogHook(HWND hDialog, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return 0;
    const auto* pChoose = reinterpret_cast<const CHOOSEFONTW*>(lParam);
    reinterpret_cast<CControlsWnd_CFont*>(pChoose->lCustData)->m_hDialog = hDialog;
    return TRUE;
}

void CControlsWnd_CFont::CommitText(std::string& strText, BOOL)
{
    if (IsClosing())
        return;
    if (m_pList)
        m_pList->SetItemValue(m_nRow, strText);
    if (CPageListOwner* pOwner = GetOwner())
        pOwner->FirePropertyChanged(GetOwnPage(), m_nRow, TRUE);
}

LOGFONTW* CControlsWnd_CFont::GetLogFont()
{
    return &m_logFont;
}

COLORREF CControlsWnd_CFont::GetFontColor()
{
    return m_crFont;
}

LONG CControlsWnd_CFont::SizeToHeight(CY cySize, const CDpi& dpi)
{
    return -MulDiv(static_cast<int>(cySize.Lo), dpi.Get(), 720000);
}

CY CControlsWnd_CFont::HeightToSize(const LOGFONTW& description, const CDpi& dpi)
{
    LONG nCharHeight = -description.lfHeight;
    if (description.lfHeight >= 0) {
        const CFont font(description);
        const CClientDC dc(nullptr);
        CGdiStack gdi;
        TEXTMETRICW metrics = {};
        if (font && gdi.Push(dc, font) && GetTextMetricsW(dc, &metrics))
            nCharHeight = metrics.tmHeight - metrics.tmInternalLeading;
        gdi.PopAll();
    }
    CY cySize;
    cySize.int64 = static_cast<LONGLONG>(nCharHeight) * 720000 / dpi.Get();
    return cySize;
}

CY CControlsWnd_CFont::GetFontSize() const
{
    return HeightToSize(m_logFont, GetDpi());
}

CDpi CControlsWnd_CFont::GetDpi() const
{
    return m_pList ? CDpi::OfWindow(m_pList->GetListWindow()) : CDpi::OfScreen();
}

std::string CControlsWnd_CFont::GetFontText() const
{
    return FormatText("%s, %.2f", WideToUtf8(m_logFont.lfFaceName).c_str(),
                      static_cast<double>(GetFontSize().int64) / 10000.0);
}
