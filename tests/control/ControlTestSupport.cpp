#include "ControlTestSupport.h"

#include "Bstr.h"
#include "BuiltInKinds.h"
#include "ControlsFactory.h"
#include "DispatchCall.h"
#include "FloorPropertiesWnd.h"
#include "ItemList.h"
#include "PageListCtrl.h"
#include "Pump.h"
#include "ShownWindow.h"
#include "RowMaps.h"
#include "Text.h"
#include "VelmoraCtrl.h"
#include "kvVelmora_h.h"

#include <colordlg.h>

#include <cstdlib>
#include <utility>

const wchar_t kVelmoraProgId[] = L"KV.Velmora.1";
int CTestEditKind::s_nLive = 0;

std::string SampleLayout()
{
    return "General#{#Name\\Edit\\Enable\\#Colour\\ColorComboBox\\Enable\\#Visible\\BoolComboBox\\Grayed\\#Size\\Edit\\Black\\#}#"
           "Extra#{#Name\\Edit\\Enable\\#Path\\ShellFolder\\Enable\\#Font\\Font\\Enable\\#Code\\NComboBox\\Enable\\#}#"
           "Grouped#[Group]#{#Look\\Group\\Enable\\#Width\\Edit\\Enable\\Look#}#";
}

// --- Controls and calls ---

CTestHost::CTestHost(IUnknown* pControl, HWND hParent, const RECT& rect)
{
    if (FAILED(m_pObject.QueryFrom(pControl)))
        return;
    auto* pSite = new CControlSite(hParent, 1, nullptr); // COM-counted: released in the destructor
    pSite->SetRect(rect);
    m_pSite = pSite;
    m_pObject->SetClientSite(m_pSite);
    RECT position = rect;
    m_hr = m_pObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, m_pSite, 0, hParent, &position);
}

CTestHost::~CTestHost()
{
    if (m_pObject) {
        CComPointer<IOleInPlaceObject> pInPlace;
        if (SUCCEEDED(pInPlace.QueryFrom(m_pObject)))
            pInPlace->InPlaceDeactivate();
        m_pObject->Close(OLECLOSE_NOSAVE);
        m_pObject->SetClientSite(nullptr);
    }
    if (m_pSite)
        m_pSite->Release();
}

CComPointer<IDispatch> NewInProcessControl(CVelmoraCtrl** ppObject)
{
    CComPointer<CVelmoraCtrl> pControl = NewComObject<CVelmoraCtrl>();
    if (ppObject)
        *ppObject = pControl.Get();
    CComPointer<IPersistStreamInit> pInit;
    if (SUCCEEDED(pInit.QueryFrom(static_cast<IDispatch*>(pControl.Get()))))
        pInit->InitNew();
    return CComPointer<IDispatch>(static_cast<IDispatch*>(pControl.Get()));
}

HWND ControlWindow(IUnknown* pControl)
{
    CComPointer<IOleWindow> pWindow;
    HWND hWnd = nullptr;
    if (SUCCEEDED(pWindow.QueryFrom(pControl)))
        pWindow->GetWindow(&hWnd);
    return hWnd;
}

CVariant Invoke(IDispatch* pControl, DISPID dispid, std::vector<CVariant> args)
{
    CVariant result;
    if (FAILED(CallMember(pControl, dispid, DISPATCH_METHOD, std::move(args), &result)))
        result.Clear();
    return result;
}

CVariant Invoke(IDispatch* pControl, const wchar_t* name, std::vector<CVariant> args)
{
    return Invoke(pControl, DispIdOf(pControl, name), std::move(args));
}

CVariant Get(IDispatch* pControl, const wchar_t* name, std::vector<CVariant> indexes)
{
    CVariant result;
    if (FAILED(CallMember(pControl, DispIdOf(pControl, name), DISPATCH_PROPERTYGET, std::move(indexes), &result)))
        result.Clear();
    return result;
}

HRESULT Put(IDispatch* pControl, const wchar_t* name, const CVariant& value, std::vector<CVariant> indexes)
{
    indexes.push_back(value);
    return CallMember(pControl, DispIdOf(pControl, name), DISPATCH_PROPERTYPUT, std::move(indexes));
}

CComPointer<IStream> SavedStream(IUnknown* pControl)
{
    CComPointer<IPersistStreamInit> pPersist;
    CComPointer<IStream> pStream;
    if (FAILED(pPersist.QueryFrom(pControl)) || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, pStream.Out()))
        || FAILED(pPersist->Save(pStream, TRUE)))
        return {};
    const LARGE_INTEGER start = {};
    pStream->Seek(start, STREAM_SEEK_SET, nullptr);
    return pStream;
}

std::string CellText(HWND hList, int nRow, int nColumn)
{
    wchar_t text[256] = {};
    LVITEMW item = {};
    item.iSubItem = nColumn;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(hList, LVM_GETITEMTEXTW, static_cast<WPARAM>(nRow), reinterpret_cast<LPARAM>(&item));
    return WideToUtf8(text);
}

bool FullSoak()
{
    const char* pszMode = std::getenv("VELMORA_SOAK");
    return pszMode && std::string(pszMode) == "full";
}

void HostedSampleTest::SetUp()
{
    RegisterControlTestKinds();
    m_hFrame = CreateTestFrame(420, 320);
    m_pControl = NewInProcessControl(&m_pObject);
    m_pHost = std::make_unique<CTestHost>(m_pControl, m_hFrame, RECT{0, 0, 400, 300});
    ASSERT_EQ(m_pHost->Result(), S_OK);
    ASSERT_NE(ControlWindow(m_pControl), nullptr);
    ASSERT_EQ(Put(m_pControl, L"PagesAndItems", CVariant(SampleLayout())), S_OK);
    PumpUntilIdle();
    ASSERT_EQ(Call(L"GetPagesCount").ToLong(), 3);
}

void HostedSampleTest::TearDown()
{
    m_pHost.reset();
    m_pControl.Reset();
    DestroyWindow(m_hFrame);
    PumpUntilIdle();
    EXPECT_EQ(CTestEditKind::s_nLive, 0);
}

CPageListCtrl* HostedSampleTest::List(int nPage)
{
    return m_pObject->GetFloor()->GetPageList(nPage);
}

std::string HostedSampleTest::DefaultValue(int nPage, int nRow)
{
    BSTR value = nullptr;
    CallMember(m_pControl, 27, DISPATCH_METHOD, {I2(nPage), I2(nRow), CVariant::ByRef(&value)});
    const std::string strValue = CBstr::ToUtf8(value);
    SysFreeString(value);
    return strValue;
}

// --- Modal dialogs ---

namespace {

DialogSeen* g_pSeen = nullptr;

BOOL CALLBACK ReadChild(HWND hChild, LPARAM)
{
    wchar_t className[32] = {};
    GetClassNameW(hChild, className, 32);
    wchar_t text[1024] = {};
    GetWindowTextW(hChild, text, 1024);
    if (lstrcmpiW(className, L"Static") == 0) {
        if (SendMessageW(hChild, STM_GETICON, 0, 0))
            g_pSeen->bHasIcon = true;
        else if (text[0])
            g_pSeen->texts.push_back(WideToUtf8(text));
    } else if (lstrcmpiW(className, L"Button") == 0 && GetDlgCtrlID(hChild) == IDOK) {
        g_pSeen->bHasOk = WideToUtf8(text) == "OK";
    }
    return TRUE;
}

void CALLBACK AnswerTimer(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    const HWND hDialog = ShownWindow(L"#32770");
    if (!hDialog || !g_pSeen)
        return;
    KillTimer(nullptr, nTimer);
    wchar_t caption[256] = {};
    GetWindowTextW(hDialog, caption, 256);
    g_pSeen->strCaption = WideToUtf8(caption);
    EnumChildWindows(hDialog, &ReadChild, 0);
    PostMessageW(hDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

} // namespace

namespace {

struct ColourAnswer {
    COLORREF crColour;
    bool bAdd;
};

ColourAnswer* g_pColourAnswer = nullptr;

void CALLBACK AnswerColourTimer(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    const HWND hDialog = ShownWindow(L"#32770");
    if (!hDialog || !g_pColourAnswer)
        return;
    KillTimer(nullptr, nTimer);
    const ColourAnswer answer = *std::exchange(g_pColourAnswer, nullptr);
    SetDlgItemInt(hDialog, COLOR_RED, GetRValue(answer.crColour), FALSE);
    SetDlgItemInt(hDialog, COLOR_GREEN, GetGValue(answer.crColour), FALSE);
    SetDlgItemInt(hDialog, COLOR_BLUE, GetBValue(answer.crColour), FALSE);
    if (answer.bAdd)
        SendMessageW(hDialog, WM_COMMAND, MAKEWPARAM(COLOR_ADD, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hDialog, COLOR_ADD)));
    PostMessageW(hDialog, WM_COMMAND, IDOK, 0);
}

} // namespace

void AnswerColourDialog(const std::function<void()>& action, COLORREF crColour, bool bAdd)
{
    ColourAnswer answer = {crColour, bAdd};
    g_pColourAnswer = &answer;
    const UINT_PTR nTimer = SetTimer(nullptr, 0, 30, &AnswerColourTimer);
    action();
    KillTimer(nullptr, nTimer);
    g_pColourAnswer = nullptr;
}

DialogSeen AnswerDialog(const std::function<void()>& action)
{
    DialogSeen seen;
    g_pSeen = &seen;
    const UINT_PTR nTimer = SetTimer(nullptr, 0, 50, &AnswerTimer);
    action();
    KillTimer(nullptr, nTimer);
    g_pSeen = nullptr;
    return seen;
}

bool AnswersNullString(IDispatch* pControl, DISPID dispid, WORD wFlags, std::vector<CVariant> args)
{
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    VARIANT result;
    VariantInit(&result);
    const HRESULT hr = pControl->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params, &result, nullptr, nullptr);
    const bool bNull = SUCCEEDED(hr) && result.vt == VT_BSTR && result.bstrVal == nullptr;
    VariantClear(&result);
    return bNull;
}

// --- Event sink ---

BEGIN_DISPATCH_MAP(CRecordingSink, CAutomationObject)
    DISP_METHOD(1, "SelectItem", OnSelectItem, VT_EMPTY, VT_I2, VT_I2)
    DISP_METHOD(2, "SelectPage", OnSelectPage, VT_EMPTY, VT_I2)
    DISP_METHOD(3, "UnselectItem", OnUnselectItem, VT_EMPTY, VT_I2, VT_I2)
    DISP_METHOD(4, "PropertyChanging", OnPropertyChanging, VT_EMPTY, VT_I2, VT_I2)
    DISP_METHOD(5, "PropertyChanged", OnPropertyChanged, VT_EMPTY, VT_I2, VT_I2, VT_BOOL)
    DISP_METHOD(6, "ButtonClick", OnButtonClick, VT_EMPTY, VT_I2, VT_I2)
    DISP_METHOD(7, "LoadItems", OnLoadItems, VT_EMPTY, VT_I2, VT_I2, VT_BSTR | VT_BYREF)
    DISP_METHOD(8, "SetObject", OnSetObject, VT_EMPTY, VT_I4, VT_I4, VT_DISPATCH | VT_BYREF)
    DISP_METHOD(9, "Delete", OnDelete, VT_EMPTY, VT_I2, VT_I2)
    DISP_METHOD(10, "CustomColorChange", OnCustomColorChange, VT_EMPTY)
END_DISPATCH_MAP()

CRecordingSink::CRecordingSink() : CAutomationObject(DIID__DPropertiesGridEvents)
{
}

HRESULT CRecordingSink::Connect(IUnknown* pControl)
{
    CComPointer<IConnectionPointContainer> pContainer;
    HRESULT hr = pContainer.QueryFrom(pControl);
    if (SUCCEEDED(hr))
        hr = pContainer->FindConnectionPoint(DIID__DPropertiesGridEvents, m_pPoint.Out());
    if (SUCCEEDED(hr))
        hr = m_pPoint->Advise(static_cast<IDispatch*>(this), &m_dwCookie);
    return hr;
}

void CRecordingSink::Disconnect()
{
    if (m_pPoint)
        m_pPoint->Unadvise(m_dwCookie);
    m_pPoint.Reset();
}

void CRecordingSink::Heard(const char* name, std::string strRecord)
{
    m_events.push_back(std::move(strRecord));
    // The handler may release this sink along with the control.
    CComPointer<CRecordingSink> pKeep(this);
    if (m_onEvent)
        m_onEvent(name);
}

HRESULT CRecordingSink::OnTwoShorts(CDispatchCall& call, const char* name)
{
    Heard(name, FormatText("%s %d %d", name, call.Short(0), call.Short(1)));
    return S_OK;
}

HRESULT CRecordingSink::OnSelectPage(CDispatchCall& call)
{
    Heard("SelectPage", FormatText("SelectPage %d", call.Short(0)));
    return S_OK;
}

HRESULT CRecordingSink::OnPropertyChanged(CDispatchCall& call)
{
    Heard("PropertyChanged", FormatText("PropertyChanged %d %d %d", call.Short(0), call.Short(1), call.Bool(2) ? 1 : 0));
    return S_OK;
}

HRESULT CRecordingSink::OnLoadItems(CDispatchCall& call)
{
    BSTR* pItems = call.BstrRef(2);
    const std::string strRecord = FormatText("LoadItems %d %d %s", call.Short(0), call.Short(1), CBstr::ToUtf8(*pItems).c_str());
    if (m_bAnswerItems)
        call.SetStringRef(2, m_strItems);
    Heard("LoadItems", strRecord);
    return S_OK;
}

HRESULT CRecordingSink::OnSetObject(CDispatchCall& call)
{
    IDispatch** ppObject = call.DispatchRef(2);
    const std::string strRecord = FormatText("SetObject %ld %ld %s", call.Long(0), call.Long(1), *ppObject ? "object" : "null");
    if (*ppObject)
        (*ppObject)->Release();
    *ppObject = m_pObject.Get();
    if (*ppObject)
        (*ppObject)->AddRef();
    Heard("SetObject", strRecord);
    return S_OK;
}

HRESULT CRecordingSink::OnCustomColorChange(CDispatchCall&)
{
    Heard("CustomColorChange", "CustomColorChange");
    return S_OK;
}

// --- Test kinds ---

std::vector<std::string>& CTestEditKind::Log()
{
    static std::vector<std::string> log;
    return log;
}

CVariant CTestEditKind::GetValue(long nColumn)
{
    return CVariant(FormatText("%ld:%s", nColumn, GetText().c_str()));
}

void CTestEditKind::SetValue(const VARIANT& vValue, short nColumn)
{
    const std::string strText = CVariant(vValue).ToString();
    Log().push_back(FormatText("SetValue %ld %s %d", m_nRow, strText.c_str(), nColumn));
    if (m_pList)
        m_pList->SetItemValue(m_nRow, strText);
}

CWnd* CTestEditKind::CreateEditor()
{
    m_editor.Create(L"EDIT", "", WS_CHILD, 0, RECT{0, 0, 0, 0}, m_pList ? m_pList->GetListWindow() : nullptr, 0);
    return &m_editor;
}

void CTestEditKind::ShowEditor(int nMode)
{
    if (AnnounceEditor(nMode))
        PlaceEditor(RECT{2, 2, 0, 1});
}

void RegisterControlTestKinds()
{
    RegisterBuiltInKinds();
    RegisterControlsClass("CControlsWnd_CEdit", &NewControlsObject<CTestEditKind>);
}
