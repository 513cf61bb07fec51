#include "NComboCtrl.h"

#include "DispatchCall.h"
#include "NComboControl_h.h"

const ControlClassInfo g_nComboCtrlInfo = {
    &CLSID_NCombo, "KV.NCombo.1", "NCombo control", &LIBID_NComboControlLib, 1, 0, &DIID__DNCombo, &DIID__DNComboEvents,
    OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE
        | OLEMISC_SETCLIENTSITEFIRST,
    1,
};

namespace {

const DWORD kVersion = 0x10000;
const DISPID kRowPicked = 2;

} // namespace

BEGIN_DISPATCH_MAP(CNComboCtrl, COleControl)
    DISP_STOCKPROP_FONT()
    DISP_PROPERTY_GET(1, "DropDownHeight", OnGetDropDownHeight, VT_I4)
    DISP_PROPERTY_PUT(1, "DropDownHeight", OnSetDropDownHeight, VT_I4)
    DISP_PROPERTY_GET(2, "DropDownWidth", OnGetDropDownWidth, VT_I4)
    DISP_PROPERTY_PUT(2, "DropDownWidth", OnSetDropDownWidth, VT_I4)
    DISP_PROPERTY_GET(3, "ShowHeadings", OnGetShowHeadings, VT_BOOL)
    DISP_PROPERTY_PUT(3, "ShowHeadings", OnSetShowHeadings, VT_BOOL)
    DISP_PROPERTY_GET(4, "SelectedRow", OnGetSelectedRow, VT_I4)
    DISP_PROPERTY_PUT(4, "SelectedRow", OnSetSelectedRow, VT_I4)
    DISP_METHOD(5, "InsertColumn", OnInsertColumn, VT_I4, VT_I4, VT_BSTR, VT_I4, VT_I4, VT_BOOL, VT_BOOL)
    DISP_METHOD(6, "DeleteColumn", OnDeleteColumn, VT_BOOL, VT_I4)
    DISP_METHOD(7, "GetColumnCount", OnGetColumnCount, VT_I4)
    DISP_METHOD(8, "InsertItem", OnInsertItem, VT_I4, VT_I4, VT_BSTR)
    DISP_METHOD(9, "SetItemText", OnSetItemText, VT_BOOL, VT_I4, VT_I4, VT_BSTR)
    DISP_METHOD(10, "SetItemData", OnSetItemData, VT_BOOL, VT_I4, VT_I4)
    DISP_METHOD(11, "GetItemCount", OnGetItemCount, VT_I4)
    DISP_METHOD(12, "GetCellText", OnGetCellText, VT_BSTR, VT_I4, VT_I4)
    DISP_METHOD(13, "GetItemData", OnGetItemData, VT_I4, VT_I4)
    DISP_METHOD(14, "GetColumnName", OnGetColumnName, VT_BSTR, VT_I4)
    DISP_METHOD(15, "Activate", OnActivate, VT_EMPTY, VT_BOOL)
    DISP_METHOD(16, "GetControlHeight", OnGetControlHeight, VT_I4)
    DISP_PROPERTY_GET(17, "ColumnWidth", OnGetColumnWidth, VT_I4, VT_I4)
    DISP_PROPERTY_PUT(17, "ColumnWidth", OnSetColumnWidth, VT_I4, VT_I4)
    DISP_PROPERTY_GET(18, "ColumnVisible", OnGetColumnVisible, VT_BOOL, VT_I4)
    DISP_PROPERTY_PUT(18, "ColumnVisible", OnSetColumnVisible, VT_I4, VT_BOOL)
    DISP_PROPERTY_GET(19, "IsRow", OnIsRow, VT_BOOL, VT_I4)
    DISP_METHOD(DISPID_ABOUTBOX, "AboutBox", OnAboutBox, VT_EMPTY)
END_DISPATCH_MAP()

CNComboCtrl::CNComboCtrl() : COleControl(g_nComboCtrlInfo), m_view(*this)
{
}

void CNComboCtrl::DoPropExchange(CPropExchange& px)
{
    DWORD dwVersion = kVersion;
    px.ExchangeVersion(dwVersion, kVersion);
    COleControl::DoPropExchange(px);
}

int CNComboCtrl::OnCreate(CREATESTRUCT* pCreate)
{
    if (COleControl::OnCreate(pCreate) < 0 || !m_view.Create(m_hWnd, GetClientRect()))
        return -1;
    OnFontChanged();
    return 0;
}

void CNComboCtrl::OnSize(UINT nType, int cx, int cy)
{
    COleControl::OnSize(nType, cx, cy);
    if (m_view.m_hWnd)
        m_view.MoveWindow(RECT{0, 0, cx, cy});
}

void CNComboCtrl::OnSetFocus(HWND hOldFocus)
{
    COleControl::OnSetFocus(hOldFocus);
    if (m_view.m_hWnd)
        m_view.SetFocus();
}

void CNComboCtrl::OnFontChanged()
{
    COleControl::OnFontChanged();
    m_view.SetDisplayFont(GetFont().GetFontHandle());
}

void CNComboCtrl::OnRowPicked(long nRow)
{
    FireEvent(kRowPicked, {CVariant(nRow)});
}

HRESULT CNComboCtrl::OnGetDropDownHeight(CDispatchCall& call)
{
    call.SetResult(m_view.GetDropDownHeight());
    return S_OK;
}

HRESULT CNComboCtrl::OnSetDropDownHeight(CDispatchCall& call)
{
    m_view.SetDropDownHeight(call.Long(0));
    return S_OK;
}

HRESULT CNComboCtrl::OnGetDropDownWidth(CDispatchCall& call)
{
    call.SetResult(m_view.GetDropDownWidth());
    return S_OK;
}

HRESULT CNComboCtrl::OnSetDropDownWidth(CDispatchCall& call)
{
    m_view.SetDropDownWidth(call.Long(0));
    return S_OK;
}

HRESULT CNComboCtrl::OnGetShowHeadings(CDispatchCall& call)
{
    call.SetResult(m_view.GetShowHeadings() != FALSE);
    return S_OK;
}

HRESULT CNComboCtrl::OnSetShowHeadings(CDispatchCall& call)
{
    m_view.SetShowHeadings(call.Bool(0));
    return S_OK;
}

HRESULT CNComboCtrl::OnGetSelectedRow(CDispatchCall& call)
{
    call.SetResult(m_view.GetSelectedRow());
    return S_OK;
}

HRESULT CNComboCtrl::OnSetSelectedRow(CDispatchCall& call)
{
    m_view.SetSelectedRow(call.Long(0));
    return S_OK;
}

HRESULT CNComboCtrl::OnInsertColumn(CDispatchCall& call)
{
    // The last argument (resizable) is accepted for containers that pass it; columns of the
    // drop-down can always be resized.
    call.SetResult(m_view.InsertColumn(call.Long(0), call.String(1), call.Long(2), call.Long(3), call.Bool(4)));
    return S_OK;
}

HRESULT CNComboCtrl::OnDeleteColumn(CDispatchCall& call)
{
    call.SetResult(m_view.DeleteColumn(call.Long(0)) != FALSE);
    return S_OK;
}

HRESULT CNComboCtrl::OnGetColumnCount(CDispatchCall& call)
{
    call.SetResult(m_view.GetColumnCount());
    return S_OK;
}

HRESULT CNComboCtrl::OnInsertItem(CDispatchCall& call)
{
    call.SetResult(m_view.InsertItem(call.Long(0), call.String(1)));
    return S_OK;
}

HRESULT CNComboCtrl::OnSetItemText(CDispatchCall& call)
{
    call.SetResult(m_view.SetItemText(call.Long(0), call.Long(1), call.String(2)) != FALSE);
    return S_OK;
}

HRESULT CNComboCtrl::OnSetItemData(CDispatchCall& call)
{
    call.SetResult(m_view.SetItemData(call.Long(0), call.Long(1)) != FALSE);
    return S_OK;
}

HRESULT CNComboCtrl::OnGetItemCount(CDispatchCall& call)
{
    call.SetResult(m_view.GetItemCount());
    return S_OK;
}

HRESULT CNComboCtrl::OnGetCellText(CDispatchCall& call)
{
    call.SetResult(m_view.GetCellText(call.Long(0), call.Long(1)));
    return S_OK;
}

HRESULT CNComboCtrl::OnGetItemData(CDispatchCall& call)
{
    call.SetResult(m_view.GetItemData(call.Long(0)));
    return S_OK;
}

HRESULT CNComboCtrl::OnGetColumnName(CDispatchCall& call)
{
    call.SetResult(m_view.GetColumnName(call.Long(0)));
    return S_OK;
}

HRESULT CNComboCtrl::OnActivate(CDispatchCall& call)
{
    const bool bActive = call.Bool(0);
    if (m_hWnd && !bActive && (GetFocus() == m_hWnd || IsChild(m_hWnd, GetFocus())))
        ::SetFocus(GetParent()); // not to this window: focus here would activate it again
    if (m_hWnd)
        ShowWindow(bActive ? SW_SHOW : SW_HIDE);
    m_view.Activate(bActive);
    return S_OK;
}

HRESULT CNComboCtrl::OnGetControlHeight(CDispatchCall& call)
{
    call.SetResult(m_view.GetControlHeight());
    return S_OK;
}

HRESULT CNComboCtrl::OnGetColumnWidth(CDispatchCall& call)
{
    call.SetResult(m_view.GetColumnWidth(call.Long(0)));
    return S_OK;
}

HRESULT CNComboCtrl::OnSetColumnWidth(CDispatchCall& call)
{
    m_view.SetColumnWidth(call.Long(0), call.Long(1));
    return S_OK;
}

HRESULT CNComboCtrl::OnGetColumnVisible(CDispatchCall& call)
{
    call.SetResult(m_view.GetColumnVisible(call.Long(0)) != FALSE);
    return S_OK;
}

HRESULT CNComboCtrl::OnSetColumnVisible(CDispatchCall& call)
{
    m_view.SetColumnVisible(call.Long(0), call.Bool(1));
    return S_OK;
}

HRESULT CNComboCtrl::OnIsRow(CDispatchCall& call)
{
    const long nRow = call.Long(0);
    call.SetResult(nRow >= 0 && nRow < m_view.GetItemCount());
    return S_OK;
}

HRESULT CNComboCtrl::OnAboutBox(CDispatchCall&)
{
    MessageBoxW(m_hWnd, L"NCombo control 1.0", L"About NCombo control", MB_OK | MB_ICONINFORMATION);
    return S_OK;
}
