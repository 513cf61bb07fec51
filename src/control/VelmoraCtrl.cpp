#include "VelmoraCtrl.h"

#include "Bstr.h"
#include "Brush.h"
#include "ControlResources.h"
#include "DispatchCall.h"
#include "PageListCtrl.h"
#include "ShortIndex.h"
#include "Text.h"
#include "kvVelmora_h.h"

#include <olectl.h>

const ControlClassInfo g_velmoraCtrlInfo = {
    &CLSID_PropertiesGrid,
    "KV.Velmora.1",
    "kvVelmora Control",
    &LIBID_kvVelmoraLib,
    1,
    0,
    &DIID__DPropertiesGrid,
    &DIID__DPropertiesGridEvents,
    OLEMISC_SETCLIENTSITEFIRST | OLEMISC_SIMPLEFRAME | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT
        | OLEMISC_CANTLINKINSIDE | OLEMISC_RECOMPOSEONRESIZE,
    IDB_VELMORA_TOOLBOX,
};

// {F4475476-50E7-433B-91F4-34202595B584}
const CLSID CVelmoraCtrl::kPreviewPageId = {0xF4475476, 0x50E7, 0x433B, {0x91, 0xF4, 0x34, 0x20, 0x25, 0x95, 0xB5, 0x84}};
// {B8893431-478F-451F-8D41-8C3E1EFF9E1C}
const CLSID CVelmoraCtrl::kGeneralPageId = {0xB8893431, 0x478F, 0x451F, {0x8D, 0x41, 0x8C, 0x3E, 0x1E, 0xFF, 0x9E, 0x1C}};

namespace {

// The system's stock property pages for fonts and colours.
const CLSID kStockFontPage = {0x7EBDAAE0, 0x8120, 0x11CF, {0x89, 0x9F, 0x00, 0xAA, 0x00, 0x68, 0x8B, 0x10}};
const CLSID kStockColorPage = {0x7EBDAAE1, 0x8120, 0x11CF, {0x89, 0x9F, 0x00, 0xAA, 0x00, 0x68, 0x8B, 0x10}};

enum : DISPID {
    kEventSelectItem = 1,
    kEventSelectPage = 2,
    kEventUnselectItem = 3,
    kEventPropertyChanging = 4,
    kEventPropertyChanged = 5,
    kEventButtonClick = 6,
    kEventLoadItems = 7,
    kEventSetObject = 8,
    kEventDelete = 9,
    kEventCustomColorChange = 10,
};

// The floor control's window is the control's only child made by the control itself.
const UINT kFloorId = 0;
const DISPID kFloorPageSelected = 1;

FONTDESC ItemFontDescription()
{
    FONTDESC description = CFontHolder::Description(L"MS Sans Serif", 8.0, FW_NORMAL);
    description.sCharset = ANSI_CHARSET;
    return description;
}

bool IsEditorKey(WPARAM nKey)
{
    switch (nKey) {
    case VK_CANCEL:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
        return true;
    default:
        return false;
    }
}

// A page or row as an event's 16-bit argument.
CVariant IndexArg(long nIndex)
{
    return CVariant(ToShortIndex(nIndex));
}

bool IsPersistenceIid(REFIID riid)
{
    return IsEqualIID(riid, IID_IPersistPropertyBag) || IsEqualIID(riid, IID_IPersistStreamInit)
        || IsEqualIID(riid, IID_IPersistStorage) || IsEqualIID(riid, IID_IPersistMemory);
}

} // namespace

BEGIN_DISPATCH_MAP(CVelmoraCtrl, COleControl)
    DISP_PROPERTY_NOTIFY(1, "PagesAndItems", m_strPagesAndItems, &ThisClass::OnPagesAndItemsChanged, VT_BSTR)
    DISP_PROPERTY_NOTIFY(2, "AutoResizingColumns", m_bAutoResizingColumns, &ThisClass::OnAutoResizingColumnsChanged, VT_BOOL)
    DISP_PROPERTY_NOTIFY(3, "SignEnableDisable", m_bSignEnableDisable, &ThisClass::OnSignEnableDisableChanged, VT_BOOL)
    DISP_PROPERTY_NOTIFY(4, "ToolTips", m_bToolTips, nullptr, VT_BOOL)
    DISP_PROPERTY_NOTIFY(5, "FirstPageHasCaption", m_bFirstPageHasCaption, &ThisClass::OnFirstPageHasCaptionChanged, VT_BOOL)
    DISP_PROPERTY_NOTIFY(6, "AsFloor", m_bAsFloor, &ThisClass::OnAsFloorChanged, VT_BOOL)
    DISP_PROPERTY_NOTIFY(7, "ResizeFirstColumn", m_bResizeFirstColumn, nullptr, VT_BOOL)
    DISP_PROPERTY_NOTIFY(8, "Animation", m_bAnimation, &ThisClass::OnAnimationChanged, VT_BOOL)
    DISP_PROPERTY_GET(9, "ItemFont", OnGetItemFont, VT_DISPATCH)
    DISP_PROPERTY_PUT(9, "ItemFont", OnSetItemFont, VT_DISPATCH)
    DISP_PROPERTY_GET(10, "Sleep", OnGetSleep, VT_I4)
    DISP_PROPERTY_PUT(10, "Sleep", OnSetSleep, VT_I4)
    DISP_STOCKPROP_BACKCOLOR()
    DISP_STOCKPROP_FONT()
    DISP_METHOD(11, "GetPagesCount", OnGetPagesCount, VT_I4)
    DISP_METHOD(12, "AddPage", OnAddPage, VT_I2, VT_BSTR)
    DISP_METHOD(13, "DeletePage", OnDeletePage, VT_BOOL, VT_I2)
    DISP_METHOD(14, "GetPageName", OnGetPageName, VT_BSTR, VT_I2)
    DISP_METHOD(15, "GetPage", OnGetPage, VT_I2, VT_BSTR)
    DISP_METHOD(16, "ActivatePage", OnActivatePage, VT_EMPTY, VT_I2)
    DISP_METHOD(17, "InsertProperty", OnInsertProperty, VT_I2, VT_I2, VT_I2, VT_BSTR, VT_BSTR, VT_I2)
    DISP_METHOD(18, "DeleteProperty", OnDeleteProperty, VT_BOOL, VT_I2, VT_I2)
    DISP_METHOD(19, "GetPropertyName", OnGetPropertyName, VT_BSTR, VT_I2, VT_I2)
    DISP_METHOD(20, "GetPropertyType", OnGetPropertyType, VT_I2, VT_I2, VT_I2)
    DISP_METHOD(21, "SetPropertyType", OnSetPropertyType, VT_EMPTY, VT_I2, VT_I2, VT_I2)
    DISP_METHOD(22, "GetPropertyAs", OnGetPropertyAs, VT_BSTR, VT_I2, VT_I2)
    DISP_METHOD(23, "IsProperty", OnIsProperty, VT_BOOL, VT_I2, VT_I2)
    DISP_METHOD(24, "GetIDListCtrl", OnGetIDListCtrl, VT_I4, VT_I2)
    DISP_METHOD(25, "GetActivePage", OnGetActivePage, VT_I2)
    DISP_METHOD(26, "GetxFloorWnd", OnGetxFloorWnd, VT_UNKNOWN)
    DISP_METHOD(27, "GetDefaultValue", OnGetDefaultValue, VT_BOOL, VT_I2, VT_I2, VT_BSTR | VT_BYREF)
    DISP_METHOD(28, "SetDefaultValue", OnSetDefaultValue, VT_BOOL, VT_I2, VT_I2, VT_BSTR)
    DISP_METHOD(29, "GetPropertyCount", OnGetPropertyCount, VT_I2, VT_I2)
    DISP_METHOD(30, "SetPropertyName", OnSetPropertyName, VT_EMPTY, VT_I2, VT_I2, VT_BSTR)
    DISP_METHOD(31, "GetPropertyIndex", OnGetPropertyIndex, VT_BOOL, VT_BSTR, VT_I2 | VT_BYREF, VT_I2 | VT_BYREF)
    DISP_METHOD(32, "SetDefaultValueByName", OnSetDefaultValueByName, VT_BOOL, VT_BSTR, VT_BSTR)
    DISP_METHOD(33, "GetDefaultValueByName", OnGetDefaultValueByName, VT_BSTR, VT_BSTR)
    DISP_METHOD(34, "GetActiveProperty", OnGetActiveProperty, VT_I2, VT_I2 | VT_BYREF)
    DISP_METHOD(35, "SetActiveProperty", OnSetActiveProperty, VT_BOOL, VT_I2, VT_I2)
    DISP_METHOD(36, "SetActivePropertyByName", OnSetActivePropertyByName, VT_BOOL, VT_BSTR)
    DISP_METHOD(37, "DeletePropertyByName", OnDeletePropertyByName, VT_BOOL, VT_BSTR)
    DISP_METHOD(38, "AddProperty", OnAddProperty, VT_I2, VT_BSTR, VT_BSTR, VT_I2)
    DISP_METHOD(39, "Init", OnInit, VT_EMPTY)
    DISP_METHOD(40, "RefreshProperty", OnRefreshProperty, VT_EMPTY, VT_I2, VT_I2)
    DISP_METHOD(41, "GetValue", OnGetValue, VT_VARIANT, VT_I2, VT_I2, VT_I4)
    DISP_METHOD(42, "GetValueByName", OnGetValueByName, VT_VARIANT, VT_BSTR, VT_I4)
    DISP_METHOD(43, "SetValue", OnSetValue, VT_EMPTY, VT_I2, VT_I2, VT_VARIANT, VT_I2)
    DISP_METHOD(44, "Check", OnCheck, VT_EMPTY)
    DISP_METHOD(45, "GetNComboObject", OnGetNComboObject, VT_DISPATCH, VT_I4, VT_I4)
    DISP_METHOD(46, "SetCustomColor", OnSetCustomColor, VT_EMPTY, VT_I2, VT_I4)
    DISP_METHOD(47, "GetCustomColor", OnGetCustomColor, VT_I4, VT_I2)
    DISP_PROPERTY_GET(48, "ColumnKey", OnGetColumnKey, VT_I4, VT_I2, VT_I2)
    DISP_PROPERTY_PUT(48, "ColumnKey", OnSetColumnKey, VT_I2, VT_I2, VT_I4)
    // The column index of ColumnWidth travels as a 16-bit integer.
    DISP_PROPERTY_GET(49, "ColumnWidth", OnGetColumnWidth, VT_I4, VT_I2, VT_I2, VT_I2)
    DISP_PROPERTY_PUT(49, "ColumnWidth", OnSetColumnWidth, VT_I2, VT_I2, VT_I2, VT_I4)
    DISP_PROPERTY_GET(50, "ColumnName", OnGetColumnName, VT_BSTR, VT_I2, VT_I2, VT_I2)
    DISP_PROPERTY_PUT(50, "ColumnName", OnSetColumnName, VT_I2, VT_I2, VT_I2, VT_BSTR)
    DISP_PROPERTY_GET(51, "ColumnHeader", OnGetColumnHeader, VT_BOOL, VT_I2, VT_I2)
    DISP_PROPERTY_PUT(51, "ColumnHeader", OnSetColumnHeader, VT_I2, VT_I2, VT_BOOL)
    DISP_PROPERTY_GET(52, "DropDownWidth", OnGetDropDownWidth, VT_R8, VT_I2, VT_I2)
    DISP_PROPERTY_PUT(52, "DropDownWidth", OnSetDropDownWidth, VT_I2, VT_I2, VT_R8)
    DISP_PROPERTY_GET(53, "DropDownHeight", OnGetDropDownHeight, VT_I4, VT_I2, VT_I2)
    DISP_PROPERTY_PUT(53, "DropDownHeight", OnSetDropDownHeight, VT_I2, VT_I2, VT_I4)
    DISP_PROPERTY_GET(54, "ColumnKeyByName", OnGetColumnKeyByName, VT_BSTR, VT_I2, VT_I2)
    DISP_PROPERTY_PUT(54, "ColumnKeyByName", OnSetColumnKeyByName, VT_I2, VT_I2, VT_BSTR)
    DISP_METHOD(DISPID_ABOUTBOX, "AboutBox", OnAboutBox, VT_EMPTY)
END_DISPATCH_MAP()

BEGIN_EVENTSINK_MAP(CVelmoraCtrl, CEventSinkTarget)
    ON_EVENT(kFloorId, kFloorPageSelected, OnFloorPageSelected)
END_EVENTSINK_MAP(CEventSinkTarget)

CVelmoraCtrl::CVelmoraCtrl()
    : COleControl(g_velmoraCtrlInfo),
      m_xItemFontNotify(*this),
      m_ItemFont([this] { m_xItemFontNotify.OnChanged(DISPID_UNKNOWN); })
{
    for (OLE_COLOR& clr : m_clrCustom)
        clr = 0xFFFFFF;
    // Clients that never initialise the control (script hosts) still find an item font.
    m_ItemFont.InitializeFont(ItemFontDescription());
    EnableSimpleFrame();
}

CVelmoraCtrl::~CVelmoraCtrl() = default;

void* CVelmoraCtrl::GetInterface(REFIID riid)
{
    if (IsEqualIID(riid, IID_IPropertyNotifySink))
        return static_cast<IPropertyNotifySink*>(&m_xItemFontNotify);
    return COleControl::GetInterface(riid);
}

// --- Events ---

void CVelmoraCtrl::FireSelectItem(long nIndexPage, long nIndexItem)
{
    FireEvent(kEventSelectItem, {IndexArg(nIndexPage), IndexArg(nIndexItem)});
}

void CVelmoraCtrl::FireSelectPage(short nIndex)
{
    FireEvent(kEventSelectPage, {CVariant(nIndex)});
}

void CVelmoraCtrl::FireUnselectItem(long nIndexPage, long nIndexItem)
{
    FireEvent(kEventUnselectItem, {IndexArg(nIndexPage), IndexArg(nIndexItem)});
}

void CVelmoraCtrl::FirePropertyChanging(long nIndexPage, long nIndexItem)
{
    FireEvent(kEventPropertyChanging, {IndexArg(nIndexPage), IndexArg(nIndexItem)});
}

void CVelmoraCtrl::FirePropertyChanged(long nIndexPage, long nIndexItem, BOOL bUpdate)
{
    FireEvent(kEventPropertyChanged, {IndexArg(nIndexPage), IndexArg(nIndexItem), CVariant(bUpdate != FALSE)});
}

void CVelmoraCtrl::FireButtonClick(long nIndexPage, long nIndexItem)
{
    FireEvent(kEventButtonClick, {IndexArg(nIndexPage), IndexArg(nIndexItem)});
}

bool CVelmoraCtrl::FireLoadItems(long nIndexPage, long nIndexItem, std::string* pItems)
{
    // No text goes out as the null string, which a host that does not answer leaves as it is.
    CBstr items;
    if (pItems && !pItems->empty())
        items = CBstr(*pItems);
    FireEvent(kEventLoadItems, {IndexArg(nIndexPage), IndexArg(nIndexItem), CVariant::ByRef(items.Ref())});
    if (!items.Get())
        return false;
    if (pItems)
        *pItems = items.ToUtf8();
    return true;
}

void CVelmoraCtrl::FireSetObject(long nIndexPage, long nIndexItem, IDispatch** ppObject)
{
    // Without a place for the answer, an object the host hands over is released here.
    CComPointer<IDispatch> pNone;
    FireEvent(kEventSetObject, {CVariant(nIndexPage), CVariant(nIndexItem), CVariant::ByRef(ppObject ? ppObject : pNone.Ref())});
}

void CVelmoraCtrl::FireDelete(long nIndexPage, long nIndexItem)
{
    FireEvent(kEventDelete, {IndexArg(nIndexPage), IndexArg(nIndexItem)});
}

void CVelmoraCtrl::FireCustomColorChange()
{
    FireEvent(kEventCustomColorChange);
}

// --- What the page lists read ---

bool CVelmoraCtrl::GetItemFont(LOGFONTW* pDescription) const
{
    const HFONT hFont = m_ItemFont.GetFontHandle();
    return hFont && pDescription && GetObjectW(hFont, sizeof(LOGFONTW), pDescription) == sizeof(LOGFONTW);
}

void CVelmoraCtrl::GetCustomColors(COLORREF crColors[kCustomColorCount]) const
{
    for (int i = 0; i < kCustomColorCount; ++i)
        crColors[i] = m_clrCustom[i];
}

void CVelmoraCtrl::SetCustomColors(const COLORREF crColors[kCustomColorCount])
{
    bool bChanged = false;
    for (int i = 0; i < kCustomColorCount; ++i) {
        if (m_clrCustom[i] != crColors[i]) {
            m_clrCustom[i] = crColors[i];
            bChanged = true;
        }
    }
    if (bChanged)
        FireCustomColorChange();
}

short CVelmoraCtrl::GetActivePage() const
{
    return FloorExists() ? m_floor.GetActivePage() : short(-1);
}

// --- The floor ---

BOOL CVelmoraCtrl::CreateFloor()
{
    const BOOL bCreated = m_floor.Create(m_hWnd, kFloorId, RECT{0, 0, 0, 0}, this);
    OnBackColorChanged();
    OnPagesAndItemsChanged();
    OnAnimationChanged();
    return bCreated;
}

void CVelmoraCtrl::OnFloorPageSelected(DISPPARAMS* pParams)
{
    OnPageSelected(ToShortIndex(ArgLong(pParams, 0)));
}

void CVelmoraCtrl::OnPageSelected(short nIndex)
{
    FireSelectPage(nIndex);
}

void CVelmoraCtrl::ClearRowMaps()
{
    m_rowMaps.Clear();
}

// --- Persistence and change actions ---

void CVelmoraCtrl::DoPropExchange(CPropExchange& px)
{
    DWORD dwVersion = kPersistVersion;
    px.ExchangeVersion(dwVersion, kPersistVersion);
    COleControl::DoPropExchange(px);
    px.ExchangeBool("AsFloor", m_bAsFloor, TRUE);
    px.ExchangeString("PagesAndItems", m_strPagesAndItems, std::string());
    px.ExchangeBool("AutoResizingColumns", m_bAutoResizingColumns, TRUE);
    px.ExchangeBool("SignEnableDisable", m_bSignEnableDisable, TRUE);
    px.ExchangeBool("ToolTips", m_bToolTips, TRUE);
    px.ExchangeBool("FirstPageHasCaption", m_bFirstPageHasCaption, FALSE);
    px.ExchangeBool("ResizeFirstColumn", m_bResizeFirstColumn, TRUE);
    px.ExchangeBool("Animation", m_bAnimation, FALSE);
    px.ExchangeFont("ItemFont", m_ItemFont, ItemFontDescription());
    if (!px.IsLoading())
        return;
    // ToolTips and ResizeFirstColumn are read by the page lists themselves.
    OnAsFloorChanged();
    OnPagesAndItemsChanged();
    OnAutoResizingColumnsChanged();
    OnSignEnableDisableChanged();
    OnFirstPageHasCaptionChanged();
    OnAnimationChanged();
}

void CVelmoraCtrl::OnResetState()
{
    COleControl::OnResetState();
    SetBackColor(0x80000000 | COLOR_APPWORKSPACE);
    m_strPagesAndItems.clear();
    m_bAutoResizingColumns = TRUE;
}

void CVelmoraCtrl::OnPagesAndItemsChanged()
{
    const bool bVisible = m_hWnd && IsWindowVisible();
    if (bVisible)
        ShowWindow(SW_HIDE);
    m_floor.LoadLayout(m_strPagesAndItems, this);
    // Positions of the old pages mean nothing in the new ones.
    EmptyNameCache();
    if (bVisible)
        ShowWindow(SW_SHOW);
}

void CVelmoraCtrl::OnAutoResizingColumnsChanged()
{
    m_floor.SetAutoResizingColumns(m_bAutoResizingColumns);
}

void CVelmoraCtrl::OnSignEnableDisableChanged()
{
    m_floor.SetSignEnableDisable(m_bSignEnableDisable);
}

void CVelmoraCtrl::OnFirstPageHasCaptionChanged()
{
    m_floor.m_bFirstPageHasCaption = m_bFirstPageHasCaption;
}

void CVelmoraCtrl::OnAsFloorChanged()
{
    m_floor.m_bAsFloor = m_bAsFloor;
    if (FloorExists())
        m_floor.SetAsFloor(m_bAsFloor);
}

void CVelmoraCtrl::OnAnimationChanged()
{
    if (FloorExists())
        m_floor.SetAnimation(m_bAnimation);
}

void CVelmoraCtrl::OnBackColorChanged()
{
    if (FloorExists())
        m_floor.SetBackColor(GetBackColor());
    COleControl::OnBackColorChanged();
}

void CVelmoraCtrl::OnFontChanged()
{
    COleControl::OnFontChanged();
    if (!FloorExists())
        return;
    CComPointer<IFontDisp> pFont;
    pFont.Attach(GetFont().GetFontDispatch());
    m_floor.SetFont(pFont.Get());
    if (CPageListCtrl* pList = m_floor.GetPageList(GetActivePage()))
        pList->SendMessage(WM_FONTCHANGE);
}

STDMETHODIMP CVelmoraCtrl::XItemFontNotify::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyNotifySink)) {
        *ppv = static_cast<IPropertyNotifySink*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP CVelmoraCtrl::XItemFontNotify::OnChanged(DISPID)
{
    LOGFONTW description;
    if (!m_control.FloorExists() || !m_control.GetItemFont(&description))
        return S_OK;
    for (int i = 0; CPageListCtrl* pList = m_control.m_floor.GetPageList(i); ++i) {
        pList->SetItemFont(description);
        pList->Invalidate();
    }
    return S_OK;
}

// --- Drawing, keyboard, window lifecycle ---

void CVelmoraCtrl::OnDraw(HDC hdc, const RECT& bounds)
{
    FillRect(hdc, &bounds, CBrush(TranslateColor(GetBackColor())));
    const std::wstring text = Utf8ToWide(FormatText("velmora %i.%i", 1, 0));
    const int nOldMode = SetBkMode(hdc, TRANSPARENT);
    RECT rect = bounds;
    DrawTextW(hdc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SetBkMode(hdc, nOldMode);
}

BOOL CVelmoraCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && IsEditorKey(pMsg->wParam)) {
        // The in-place editors and lists take these keys; a dialog-like container would turn
        // them into default-button or tab moves. Keys meant for the host's other windows stay
        // the host's.
        const HWND hFocus = ::GetFocus();
        if (m_hWnd && hFocus && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus))) {
            ::SendMessageW(hFocus, pMsg->message, pMsg->wParam, pMsg->lParam);
            return TRUE;
        }
    }
    return COleControl::PreTranslateMessage(pMsg);
}

int CVelmoraCtrl::OnCreate(CREATESTRUCT* pCreate)
{
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, GetWindowLongPtrW(m_hWnd, GWL_STYLE) | WS_CLIPCHILDREN);
    if (COleControl::OnCreate(pCreate) < 0)
        return -1;
    return CreateFloor() ? 0 : -1;
}

void CVelmoraCtrl::OnSize(UINT nType, int cx, int cy)
{
    COleControl::OnSize(nType, cx, cy);
    if (!FloorExists())
        return;
    m_floor.MoveControl(RECT{0, 0, cx, cy});
    m_floor.Invalidate();
}

void CVelmoraCtrl::OnSetFocus(HWND hOldFocus)
{
    COleControl::OnSetFocus(hOldFocus);
    if (CPageListCtrl* pList = m_floor.GetPageList(GetActivePage()))
        pList->SetFocus();
}

void CVelmoraCtrl::OnDestroy()
{
    COleControl::OnDestroy();
    ClearRowMaps();
    // A control activated again gets a new floor control; the page lists go with the old one.
    m_floor.DestroyPageLists();
    m_floor.DestroyControl();
    EmptyNameCache();
}

std::vector<CLSID> CVelmoraCtrl::GetPropertyPageIds() const
{
    return {kPreviewPageId, kGeneralPageId, kStockFontPage, kStockColorPage};
}

// --- Object safety ---

STDMETHODIMP CVelmoraCtrl::GetInterfaceSafetyOptions(REFIID riid, DWORD* pdwSupportedOptions, DWORD* pdwEnabledOptions)
{
    if (!pdwSupportedOptions || !pdwEnabledOptions)
        return E_POINTER;
    *pdwSupportedOptions = INTERFACESAFE_FOR_UNTRUSTED_CALLER | INTERFACESAFE_FOR_UNTRUSTED_DATA;
    *pdwEnabledOptions = 0;
    if (!GetInterface(riid))
        return E_NOINTERFACE;
    if (IsEqualIID(riid, IID_IDispatch)) {
        *pdwEnabledOptions = INTERFACESAFE_FOR_UNTRUSTED_CALLER;
        return S_OK;
    }
    if (IsPersistenceIid(riid)) {
        *pdwEnabledOptions = INTERFACESAFE_FOR_UNTRUSTED_DATA;
        return S_OK;
    }
    return E_NOINTERFACE;
}

STDMETHODIMP CVelmoraCtrl::SetInterfaceSafetyOptions(REFIID riid, DWORD dwOptionSetMask, DWORD dwEnabledOptions)
{
    if (dwOptionSetMask == 0 && dwEnabledOptions == 0)
        return S_OK;
    if (!GetInterface(riid))
        return E_FAIL;
    if (IsEqualIID(riid, IID_IDispatch))
        return dwOptionSetMask == INTERFACESAFE_FOR_UNTRUSTED_CALLER && dwEnabledOptions == INTERFACESAFE_FOR_UNTRUSTED_CALLER
            ? S_OK
            : E_FAIL;
    if (IsPersistenceIid(riid))
        return dwOptionSetMask == INTERFACESAFE_FOR_UNTRUSTED_DATA && dwEnabledOptions == INTERFACESAFE_FOR_UNTRUSTED_DATA
            ? S_OK
            : E_FAIL;
    return E_FAIL;
}

// --- Property handlers ---

HRESULT CVelmoraCtrl::OnGetItemFont(CDispatchCall& call)
{
    CComPointer<IFontDisp> pFont;
    pFont.Attach(m_ItemFont.GetFontDispatch());
    call.SetResult(static_cast<IDispatch*>(pFont.Get()));
    return S_OK;
}

HRESULT CVelmoraCtrl::OnSetItemFont(CDispatchCall& call)
{
    m_ItemFont.InitializeFont(ItemFontDescription(), call.Dispatch(0));
    SetModifiedFlag();
    m_xItemFontNotify.OnChanged(9);
    return S_OK;
}

HRESULT CVelmoraCtrl::OnGetSleep(CDispatchCall& call)
{
    call.SetResult(FloorExists() ? m_floor.GetSleep() : 0L);
    return S_OK;
}

HRESULT CVelmoraCtrl::OnSetSleep(CDispatchCall& call)
{
    if (FloorExists())
        m_floor.SetSleep(call.Long(0));
    SetModifiedFlag();
    return S_OK;
}
