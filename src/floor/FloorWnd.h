// CFloorWnd: the floor control hosted as a child window and driven only by dispatch id. Every
// operation is one call; a call that fails answers as "no page" (negative, FALSE or empty).
#pragma once
#include "ControlWnd.h"
#include "DispatchDriver.h"

#include <string>

class CFloorWnd : public CControlWnd {
public:
    // The floor control's class id.
    static const CLSID kClassId;

    BOOL Create(HWND hParent, UINT nID, const RECT& rect, CEventSinkTarget* pEventTarget);

    short AddPage(const std::string& strCaption);
    BOOL DeletePage(short nIndex);
    std::string GetPageName(short nIndex);
    short GetPageIndex(const std::string& strCaption);
    BOOL ActivatePage(short nIndex);
    BOOL SetPageWindow(short nIndex, HWND hWindow);
    BOOL SetPageName(short nIndex, const std::string& strCaption);
    void RecalcLayout();
    short GetActivePage();
    long GetPagesCount();
    BOOL IsPage(short nIndex);
    long GetCaptionTopLeft(short nIndex);
    long GetCaptionBottomRight(short nIndex);
    void SetAsFloor(BOOL bAsFloor);

    void SetBackColor(OLE_COLOR clrBack);
    void SetAnimation(BOOL bAnimation);
    long GetSleep();
    void SetSleep(long nSleep);
    void SetFont(IDispatch* pFont);
    void SetPageCaptionHeight(short nIndex, short nHeight);

private:
    // The result, or failed when the call does not go through.
    CVariant Call(DISPID dispid, VARTYPE vtResult, const CVariant& failed, std::initializer_list<CVariant> args = {});
    void Put(DISPID dispid, const CVariant& value, std::initializer_list<CVariant> indexes = {});

    CDispatchDriver m_driver;
};
