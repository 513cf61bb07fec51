#include "FloorWnd.h"

// {28B6CAD6-AB46-4428-A34E-CB5D900799C1}
const CLSID CFloorWnd::kClassId = {0x28B6CAD6, 0xAB46, 0x4428, {0xA3, 0x4E, 0xCB, 0x5D, 0x90, 0x07, 0x99, 0xC1}};

namespace {

enum : DISPID {
    kAnimation = 1,
    kSleep = 2,
    kAddPage = 6,
    kDeletePage = 7,
    kGetPageName = 8,
    kGetPageIndex = 9,
    kActivatePage = 10,
    kSetPageWindow = 11,
    kSetPageName = 12,
    kRecalcLayout = 13,
    kGetActivePage = 14,
    kGetPagesCount = 15,
    kIsPage = 16,
    kGetCaptionTopLeft = 17,
    kGetCaptionBottomRight = 18,
    kSetAsFloor = 19,
    kPageCaptionHeight = 21,
};

} // namespace

BOOL CFloorWnd::Create(HWND hParent, UINT nID, const RECT& rect, CEventSinkTarget* pEventTarget)
{
    if (!CreateControl(kClassId, hParent, nID, rect, true, pEventTarget))
        return FALSE;
    m_driver.Attach(GetControlDispatch());
    return TRUE;
}

CVariant CFloorWnd::Call(DISPID dispid, VARTYPE vtResult, const CVariant& failed, std::initializer_list<CVariant> args)
{
    try {
        return m_driver.Call(dispid, vtResult, args);
    } catch (const CDispatchException&) {
        return failed;
    }
}

void CFloorWnd::Put(DISPID dispid, const CVariant& value, std::initializer_list<CVariant> indexes)
{
    try {
        m_driver.Put(dispid, value, indexes);
    } catch (const CDispatchException&) {
        // a floor that refuses a setting keeps its own
    }
}

short CFloorWnd::AddPage(const std::string& strCaption)
{
    return Call(kAddPage, VT_I2, CVariant(short(-1)), {CVariant(strCaption)}).ToShort();
}

BOOL CFloorWnd::DeletePage(short nIndex)
{
    return Call(kDeletePage, VT_BOOL, CVariant(), {CVariant(nIndex)}).ToBool();
}

std::string CFloorWnd::GetPageName(short nIndex)
{
    return Call(kGetPageName, VT_BSTR, CVariant(), {CVariant(nIndex)}).ToString();
}

short CFloorWnd::GetPageIndex(const std::string& strCaption)
{
    return Call(kGetPageIndex, VT_I2, CVariant(short(-1)), {CVariant(strCaption)}).ToShort();
}

BOOL CFloorWnd::ActivatePage(short nIndex)
{
    return Call(kActivatePage, VT_BOOL, CVariant(), {CVariant(nIndex)}).ToBool();
}

BOOL CFloorWnd::SetPageWindow(short nIndex, HWND hWindow)
{
    // Passed as a 32-bit reference, as window handles are in every process.
    const long nWindow = static_cast<long>(reinterpret_cast<LONG_PTR>(hWindow));
    return Call(kSetPageWindow, VT_BOOL, CVariant(), {CVariant(nIndex), CVariant(nWindow)}).ToBool();
}

BOOL CFloorWnd::SetPageName(short nIndex, const std::string& strCaption)
{
    return Call(kSetPageName, VT_BOOL, CVariant(), {CVariant(nIndex), CVariant(strCaption)}).ToBool();
}

void CFloorWnd::RecalcLayout()
{
    Call(kRecalcLayout, VT_EMPTY, CVariant());
}

short CFloorWnd::GetActivePage()
{
    return Call(kGetActivePage, VT_I2, CVariant(short(-1))).ToShort();
}

long CFloorWnd::GetPagesCount()
{
    return Call(kGetPagesCount, VT_I4, CVariant()).ToLong();
}

BOOL CFloorWnd::IsPage(short nIndex)
{
    return Call(kIsPage, VT_BOOL, CVariant(), {CVariant(nIndex)}).ToBool();
}

long CFloorWnd::GetCaptionTopLeft(short nIndex)
{
    return Call(kGetCaptionTopLeft, VT_I4, CVariant(), {CVariant(nIndex)}).ToLong();
}

long CFloorWnd::GetCaptionBottomRight(short nIndex)
{
    return Call(kGetCaptionBottomRight, VT_I4, CVariant(), {CVariant(nIndex)}).ToLong();
}

void CFloorWnd::SetAsFloor(BOOL bAsFloor)
{
    Call(kSetAsFloor, VT_EMPTY, CVariant(), {CVariant(bAsFloor != FALSE)});
}

void CFloorWnd::SetBackColor(OLE_COLOR clrBack)
{
    Put(DISPID_BACKCOLOR, CVariant(static_cast<long>(clrBack)));
}

void CFloorWnd::SetAnimation(BOOL bAnimation)
{
    Put(kAnimation, CVariant(bAnimation != FALSE));
}

long CFloorWnd::GetSleep()
{
    try {
        return m_driver.Get(kSleep, VT_I4).ToLong();
    } catch (const CDispatchException&) {
        return 0;
    }
}

void CFloorWnd::SetSleep(long nSleep)
{
    Put(kSleep, CVariant(nSleep));
}

void CFloorWnd::SetFont(IDispatch* pFont)
{
    Put(DISPID_FONT, CVariant(pFont));
}

void CFloorWnd::SetPageCaptionHeight(short nIndex, short nHeight)
{
    Put(kPageCaptionHeight, CVariant(nHeight), {CVariant(nIndex)});
}
