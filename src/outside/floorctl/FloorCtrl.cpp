#include "FloorCtrl.h"

#include "AccessiblePane.h"
#include "DispatchCall.h"
#include "FloorControl_h.h"

const ControlClassInfo g_floorCtrlInfo = {
    &CLSID_Floor, "KV.Floor.1", "Floor control", &LIBID_FloorControlLib, 1, 0, &DIID__DFloor, &DIID__DFloorEvents,
    OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE
        | OLEMISC_SETCLIENTSITEFIRST,
    1,
};

namespace {

const DWORD kVersion = 0x10000;

HWND WindowFromLong(long nWindow)
{
    // Window handles are 32-bit values in every process, sign-extended on 64-bit Windows.
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(nWindow));
}

} // namespace

BEGIN_DISPATCH_MAP(CFloorCtrl, COleControl)
    DISP_STOCKPROP_BACKCOLOR()
    DISP_STOCKPROP_FONT()
    DISP_PROPERTY_GET(1, "Animation", OnGetAnimation, VT_BOOL)
    DISP_PROPERTY_PUT(1, "Animation", OnSetAnimation, VT_BOOL)
    DISP_PROPERTY_GET(2, "Sleep", OnGetSleep, VT_I4)
    DISP_PROPERTY_PUT(2, "Sleep", OnSetSleep, VT_I4)
    DISP_PROPERTY_GET(3, "AsFloor", OnGetAsFloor, VT_BOOL)
    DISP_PROPERTY_PUT(3, "AsFloor", OnSetAsFloor, VT_BOOL)
    DISP_PROPERTY_NOTIFY(4, "Tag", m_strTag, nullptr, VT_BSTR)
    DISP_PROPERTY_GET(5, "Enabled", OnGetEnabled, VT_BOOL)
    DISP_PROPERTY_PUT(5, "Enabled", OnSetEnabled, VT_BOOL)
    DISP_METHOD(6, "AddPage", OnAddPage, VT_I2, VT_BSTR)
    DISP_METHOD(7, "DeletePage", OnDeletePage, VT_BOOL, VT_I2)
    DISP_METHOD(8, "GetPageName", OnGetPageName, VT_BSTR, VT_I2)
    DISP_METHOD(9, "GetPageIndex", OnGetPageIndex, VT_I2, VT_BSTR)
    DISP_METHOD(10, "ActivatePage", OnActivatePage, VT_BOOL, VT_I2)
    DISP_METHOD(11, "SetPageWindow", OnSetPageWindow, VT_BOOL, VT_I2, VT_I4)
    DISP_METHOD(12, "SetPageName", OnSetPageName, VT_BOOL, VT_I2, VT_BSTR)
    DISP_METHOD(13, "RecalcLayout", OnRecalcLayout, VT_EMPTY)
    DISP_METHOD(14, "GetActivePage", OnGetActivePage, VT_I2)
    DISP_METHOD(15, "GetPagesCount", OnGetPagesCount, VT_I4)
    DISP_METHOD(16, "IsPage", OnIsPage, VT_BOOL, VT_I2)
    DISP_METHOD(17, "GetCaptionTopLeft", OnGetCaptionTopLeft, VT_I4, VT_I2)
    DISP_METHOD(18, "GetCaptionBottomRight", OnGetCaptionBottomRight, VT_I4, VT_I2)
    DISP_METHOD(19, "SetAsFloor", OnSetAsFloor, VT_EMPTY, VT_BOOL)
    DISP_METHOD(20, "GetPageWindow", OnGetPageWindow, VT_I4, VT_I4)
    DISP_PROPERTY_GET(21, "PageCaptionHeight", OnGetPageCaptionHeight, VT_I2, VT_I2)
    DISP_PROPERTY_PUT(21, "PageCaptionHeight", OnSetPageCaptionHeight, VT_I2, VT_I2)
    DISP_PROPERTY_GET(22, "PageData", OnGetUnused, VT_I4, VT_I2)
    DISP_PROPERTY_PUT(22, "PageData", OnSetUnused, VT_I2, VT_I4)
    DISP_PROPERTY_GET(23, "PageHelpContext", OnGetUnused, VT_I4, VT_I2)
    DISP_PROPERTY_PUT(23, "PageHelpContext", OnSetUnused, VT_I2, VT_I4)
    DISP_METHOD(DISPID_ABOUTBOX, "AboutBox", OnAboutBox, VT_EMPTY)
END_DISPATCH_MAP()

CFloorCtrl::CFloorCtrl() : COleControl(g_floorCtrlInfo), m_view(*this)
{
}

LRESULT CFloorCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The page windows come from the hosting control's module: their notifications go back to
    // them, as a container's reflector does.
    LRESULT result = 0;
    if (CWnd::ReflectToSender(m_hWnd, message, wParam, lParam, &result))
        return result;
    // The page windows pass up the keys that switch pages: the view knows the pages.
    if (message == WM_KEYDOWN && m_view.IsWindow())
        return m_view.SendMessage(message, wParam, lParam);
    // A screen reader finds the captions (the view) and the front page in a pane.
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT)
        return CAccessibleBase::Serve(NewComObject<CAccessiblePane>(m_hWnd, std::string()), wParam, lParam);
    return COleControl::WindowProc(message, wParam, lParam);
}

void CFloorCtrl::DoPropExchange(CPropExchange& px)
{
    DWORD dwVersion = kVersion;
    px.ExchangeVersion(dwVersion, kVersion);
    COleControl::DoPropExchange(px);
}

int CFloorCtrl::OnCreate(CREATESTRUCT* pCreate)
{
    if (COleControl::OnCreate(pCreate) < 0 || !m_view.Create(m_hWnd, GetClientRect()))
        return -1;
    OnBackColorChanged();
    OnFontChanged();
    return 0;
}

void CFloorCtrl::OnSize(UINT nType, int cx, int cy)
{
    COleControl::OnSize(nType, cx, cy);
    if (m_view.m_hWnd)
        m_view.MoveWindow(RECT{0, 0, cx, cy});
}

void CFloorCtrl::OnBackColorChanged()
{
    COleControl::OnBackColorChanged();
    m_view.SetBackColor(TranslateColor(GetBackColor()));
}

void CFloorCtrl::OnFontChanged()
{
    COleControl::OnFontChanged();
    m_view.SetCaptionFont(GetFont().GetFontHandle());
}

void CFloorCtrl::OnPageSelected(short nPage)
{
    FireEvent(1, {CVariant(nPage)});
}

void CFloorCtrl::OnPageCaptionEdit(short nPage)
{
    FireEvent(2, {CVariant(nPage)});
}

HRESULT CFloorCtrl::OnAddPage(CDispatchCall& call)
{
    call.SetResult(m_view.AddPage(call.String(0)));
    return S_OK;
}

HRESULT CFloorCtrl::OnDeletePage(CDispatchCall& call)
{
    call.SetResult(m_view.DeletePage(call.Short(0)) != FALSE);
    return S_OK;
}

HRESULT CFloorCtrl::OnGetPageName(CDispatchCall& call)
{
    call.SetResult(m_view.GetPageName(call.Short(0)));
    return S_OK;
}

HRESULT CFloorCtrl::OnGetPageIndex(CDispatchCall& call)
{
    call.SetResult(m_view.GetPageIndex(call.String(0)));
    return S_OK;
}

HRESULT CFloorCtrl::OnActivatePage(CDispatchCall& call)
{
    call.SetResult(m_view.ActivatePage(call.Short(0)) != FALSE);
    return S_OK;
}

HRESULT CFloorCtrl::OnSetPageWindow(CDispatchCall& call)
{
    call.SetResult(m_view.SetPageWindow(call.Short(0), WindowFromLong(call.Long(1))) != FALSE);
    return S_OK;
}

HRESULT CFloorCtrl::OnSetPageName(CDispatchCall& call)
{
    call.SetResult(m_view.SetPageName(call.Short(0), call.String(1)) != FALSE);
    return S_OK;
}

HRESULT CFloorCtrl::OnRecalcLayout(CDispatchCall&)
{
    m_view.RecalcLayout();
    return S_OK;
}

HRESULT CFloorCtrl::OnGetActivePage(CDispatchCall& call)
{
    call.SetResult(m_view.GetActivePage());
    return S_OK;
}

HRESULT CFloorCtrl::OnGetPagesCount(CDispatchCall& call)
{
    call.SetResult(m_view.GetPagesCount());
    return S_OK;
}

HRESULT CFloorCtrl::OnIsPage(CDispatchCall& call)
{
    call.SetResult(m_view.IsPage(call.Short(0)) != FALSE);
    return S_OK;
}

HRESULT CFloorCtrl::OnGetCaptionTopLeft(CDispatchCall& call)
{
    call.SetResult(m_view.GetCaptionTopLeft(call.Short(0)));
    return S_OK;
}

HRESULT CFloorCtrl::OnGetCaptionBottomRight(CDispatchCall& call)
{
    call.SetResult(m_view.GetCaptionBottomRight(call.Short(0)));
    return S_OK;
}

HRESULT CFloorCtrl::OnSetAsFloor(CDispatchCall& call)
{
    m_view.SetAsFloor(call.Bool(0));
    SetModifiedFlag();
    return S_OK;
}

HRESULT CFloorCtrl::OnGetAsFloor(CDispatchCall& call)
{
    call.SetResult(m_view.GetAsFloor() != FALSE);
    return S_OK;
}

HRESULT CFloorCtrl::OnGetPageWindow(CDispatchCall& call)
{
    call.SetResult(static_cast<long>(reinterpret_cast<LONG_PTR>(m_view.GetPageWindow(static_cast<short>(call.Long(0))))));
    return S_OK;
}

HRESULT CFloorCtrl::OnGetAnimation(CDispatchCall& call)
{
    call.SetResult(m_view.GetAnimation() != FALSE);
    return S_OK;
}

HRESULT CFloorCtrl::OnSetAnimation(CDispatchCall& call)
{
    m_view.SetAnimation(call.Bool(0));
    SetModifiedFlag();
    return S_OK;
}

HRESULT CFloorCtrl::OnGetSleep(CDispatchCall& call)
{
    call.SetResult(m_view.GetSleep());
    return S_OK;
}

HRESULT CFloorCtrl::OnSetSleep(CDispatchCall& call)
{
    m_view.SetSleep(call.Long(0));
    SetModifiedFlag();
    return S_OK;
}

HRESULT CFloorCtrl::OnGetEnabled(CDispatchCall& call)
{
    call.SetResult(!m_hWnd || IsWindowEnabled() != FALSE);
    return S_OK;
}

HRESULT CFloorCtrl::OnSetEnabled(CDispatchCall& call)
{
    if (m_hWnd)
        EnableWindow(call.Bool(0));
    return S_OK;
}

HRESULT CFloorCtrl::OnGetPageCaptionHeight(CDispatchCall& call)
{
    call.SetResult(m_view.GetPageCaptionHeight(call.Short(0)));
    return S_OK;
}

HRESULT CFloorCtrl::OnSetPageCaptionHeight(CDispatchCall& call)
{
    m_view.SetPageCaptionHeight(call.Short(0), call.Short(1));
    return S_OK;
}

HRESULT CFloorCtrl::OnGetUnused(CDispatchCall& call)
{
    call.SetResult(0L);
    return S_OK;
}

HRESULT CFloorCtrl::OnSetUnused(CDispatchCall&)
{
    return S_OK;
}

HRESULT CFloorCtrl::OnAboutBox(CDispatchCall&)
{
    MessageBoxW(m_hWnd, L"Floor control 1.0", L"About Floor control", MB_OK | MB_ICONINFORMATION);
    return S_OK;
}
