#include "OleControl.h"

#include "DispatchCall.h"
#include "Enumerator.h"
#include "GuardCall.h"
#include "PaintDC.h"
#include "ServerModule.h"
#include "Text.h"

namespace {

const wchar_t kWindowClass[] = L"OleControlWindow";
const wchar_t kContentsStream[] = L"Contents";

LONG PixelsToHimetric(int pixels, int nDpi)
{
    return MulDiv(pixels, 2540, nDpi);
}

int ScreenDpi(int index)
{
    HDC hdc = GetDC(nullptr);
    const int nDpi = GetDeviceCaps(hdc, index);
    ReleaseDC(nullptr, hdc);
    return nDpi > 0 ? nDpi : 96;
}

} // namespace

BEGIN_MESSAGE_MAP(COleControl, CWnd)
    ON_MESSAGE(WM_CREATE, OnWmCreate)
    ON_MESSAGE(WM_SIZE, OnWmSize)
    ON_MESSAGE(WM_SETFOCUS, OnWmSetFocus)
    ON_MESSAGE(WM_KILLFOCUS, OnWmKillFocus)
    ON_MESSAGE(WM_MOUSEACTIVATE, OnWmMouseActivate)
    ON_MESSAGE(WM_DESTROY, OnWmDestroy)
    ON_MESSAGE(WM_PAINT, OnWmPaint)
    ON_MESSAGE(WM_ERASEBKGND, OnWmEraseBkgnd)
END_MESSAGE_MAP(CWnd)

COleControl::COleControl(const ControlClassInfo& info)
    : m_info(info),
      m_eventPoint(this, info.eventsIid ? *info.eventsIid : IID_NULL, true),
      m_notifyPoint(this, IID_IPropertyNotifySink, false),
      m_clrBack(0x80000000 | COLOR_WINDOW),
      m_font([this] { OnFontObjectChanged(); })
{
}

COleControl::~COleControl() = default;

void* COleControl::GetInterface(REFIID riid)
{
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleObject))
        return static_cast<IOleObject*>(this);
    if (IsEqualIID(riid, IID_IDispatch) || (m_info.dispatchIid && IsEqualIID(riid, *m_info.dispatchIid)))
        return static_cast<IDispatch*>(this);
    if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceObject))
        return static_cast<IOleInPlaceObject*>(this);
    if (IsEqualIID(riid, IID_IOleInPlaceActiveObject))
        return static_cast<IOleInPlaceActiveObject*>(this);
    if (IsEqualIID(riid, IID_IOleControl))
        return static_cast<IOleControl*>(this);
    if (IsEqualIID(riid, IID_IViewObject) || IsEqualIID(riid, IID_IViewObject2))
        return static_cast<IViewObject2*>(this);
    // IPersistStream is the prefix of IPersistStreamInit.
    if (IsEqualIID(riid, IID_IPersist) || IsEqualIID(riid, IID_IPersistStreamInit) || IsEqualIID(riid, IID_IPersistStream))
        return static_cast<IPersistStreamInit*>(this);
    if (IsEqualIID(riid, IID_IPersistPropertyBag))
        return static_cast<IPersistPropertyBag*>(this);
    if (IsEqualIID(riid, IID_IPersistStorage))
        return static_cast<IPersistStorage*>(this);
    if (IsEqualIID(riid, IID_IConnectionPointContainer))
        return static_cast<IConnectionPointContainer*>(this);
    if (IsEqualIID(riid, IID_IProvideClassInfo) || IsEqualIID(riid, IID_IProvideClassInfo2))
        return static_cast<IProvideClassInfo2*>(this);
    if (IsEqualIID(riid, IID_ISpecifyPropertyPages))
        return static_cast<ISpecifyPropertyPages*>(this);
    if (IsEqualIID(riid, IID_IObjectSafety))
        return static_cast<IObjectSafety*>(this);
    return nullptr;
}

void COleControl::OnFinalRelease()
{
    // The window goes while the derived control can still answer its hooks.
    if (m_hWnd)
        DestroyWindow();
    m_font.ReleaseFont();
    m_pInPlaceSite.Reset();
    m_pFrame.Reset();
    m_pDoc.Reset();
    m_pViewAdviseSink.Reset();
    m_pOleAdviseHolder.Reset();
    m_pAmbient.Reset();
    m_pSimpleFrameSite.Reset();
    m_pControlSite.Reset();
    m_pClientSite.Reset();
}

// --- IDispatch ---

STDMETHODIMP COleControl::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = m_info.dispatchIid ? 1 : 0;
    return S_OK;
}

STDMETHODIMP COleControl::GetTypeInfo(UINT iTInfo, LCID, ITypeInfo** ppTInfo)
{
    if (!m_info.dispatchIid)
        return DISP_E_BADINDEX;
    return DispatchGetTypeInfo(*m_info.dispatchIid, iTInfo, ppTInfo);
}

STDMETHODIMP COleControl::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId)
{
    return DispatchGetIDsOfNames(rgszNames, cNames, rgDispId);
}

STDMETHODIMP COleControl::Invoke(DISPID dispid, REFIID, LCID, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult,
                                 EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    // A handler may fire events whose sinks release the control.
    CComPointer<IDispatch> self(this);
    return DispatchInvoke(dispid, wFlags, pParams, pResult, pExcepInfo, puArgErr);
}

// --- IOleObject ---

STDMETHODIMP COleControl::SetClientSite(IOleClientSite* pClientSite)
{
    m_pClientSite = pClientSite;
    m_pControlSite.Reset();
    m_pAmbient.Reset();
    m_pSimpleFrameSite.Reset();
    if (pClientSite) {
        m_pControlSite.QueryFrom(pClientSite);
        m_pAmbient.QueryFrom(pClientSite);
        if (m_bSimpleFrame)
            m_pSimpleFrameSite.QueryFrom(pClientSite, IID_ISimpleFrameSite);
    }
    return S_OK;
}

STDMETHODIMP COleControl::GetClientSite(IOleClientSite** ppClientSite)
{
    if (!ppClientSite)
        return E_POINTER;
    *ppClientSite = CComPointer<IOleClientSite>(m_pClientSite).Detach();
    return S_OK;
}

STDMETHODIMP COleControl::Close(DWORD dwSaveOption)
{
    if (dwSaveOption != OLECLOSE_NOSAVE && m_bModified && m_pClientSite)
        m_pClientSite->SaveObject();
    InPlaceDeactivate();
    if (m_pOleAdviseHolder)
        m_pOleAdviseHolder->SendOnClose();
    return S_OK;
}

STDMETHODIMP COleControl::GetMoniker(DWORD, DWORD, IMoniker** ppmk)
{
    if (ppmk)
        *ppmk = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP COleControl::GetClipboardData(DWORD, IDataObject** ppDataObject)
{
    if (ppDataObject)
        *ppDataObject = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP COleControl::DoVerb(LONG iVerb, LPMSG, IOleClientSite* pActiveSite, LONG, HWND hwndParent, LPCRECT lprcPosRect)
{
    if (!m_pClientSite && pActiveSite)
        SetClientSite(pActiveSite);
    if (lprcPosRect)
        m_rcPos = *lprcPosRect;
    return GuardCall([&] { return RunVerb(iVerb, hwndParent); }, E_UNEXPECTED);
}

HRESULT COleControl::RunVerb(LONG iVerb, HWND hwndParent)
{
    switch (iVerb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
        return InPlaceActivate(false);
    case OLEIVERB_UIACTIVATE:
        return InPlaceActivate(true);
    case OLEIVERB_HIDE:
        UIDeactivate();
        if (m_hWnd)
            ShowWindow(SW_HIDE);
        return S_OK;
    case OLEIVERB_PROPERTIES:
        return ShowPropertyPages(hwndParent);
    default:
        if (iVerb < 0)
            return E_NOTIMPL;
        InPlaceActivate(false);
        return OLEOBJ_S_INVALIDVERB;
    }
}

STDMETHODIMP COleControl::EnumVerbs(IEnumOLEVERB** ppEnumOleVerb)
{
    if (!ppEnumOleVerb)
        return E_POINTER;
    *ppEnumOleVerb = nullptr;
    return GuardCall([&] {
        // The verbs DoVerb answers that a container offers on its menu.
        std::vector<OLEVERB> verbs = {{OLEIVERB_PRIMARY, const_cast<LPOLESTR>(L"&Edit"), 0, OLEVERBATTRIB_ONCONTAINERMENU}};
        if (!GetPropertyPageIds().empty())
            verbs.push_back({OLEIVERB_PROPERTIES, const_cast<LPOLESTR>(L"&Properties..."), 0, OLEVERBATTRIB_ONCONTAINERMENU});
        *ppEnumOleVerb = NewComObject<CEnumerator<IEnumOLEVERB, OLEVERB>>(verbs).Detach();
        return S_OK;
    }, E_UNEXPECTED);
}

STDMETHODIMP COleControl::GetUserClassID(CLSID* pClsid)
{
    return GetClassID(pClsid);
}

STDMETHODIMP COleControl::GetUserType(DWORD, LPOLESTR* pszUserType)
{
    if (!pszUserType)
        return E_POINTER;
    const std::wstring name = Utf8ToWide(m_info.typeName);
    const size_t bytes = (name.size() + 1) * sizeof(wchar_t);
    *pszUserType = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (!*pszUserType)
        return E_OUTOFMEMORY;
    CopyMemory(*pszUserType, name.c_str(), bytes);
    return S_OK;
}

STDMETHODIMP COleControl::SetExtent(DWORD dwDrawAspect, SIZEL* psizel)
{
    if (dwDrawAspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!psizel)
        return E_POINTER;
    m_sizeExtent = *psizel;
    return S_OK;
}

STDMETHODIMP COleControl::GetExtent(DWORD dwDrawAspect, SIZEL* psizel)
{
    if (dwDrawAspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!psizel)
        return E_POINTER;
    *psizel = m_sizeExtent;
    return S_OK;
}

STDMETHODIMP COleControl::Advise(IAdviseSink* pAdvSink, DWORD* pdwConnection)
{
    if (!m_pOleAdviseHolder) {
        HRESULT hr = CreateOleAdviseHolder(m_pOleAdviseHolder.Out());
        if (FAILED(hr))
            return hr;
    }
    return m_pOleAdviseHolder->Advise(pAdvSink, pdwConnection);
}

STDMETHODIMP COleControl::Unadvise(DWORD dwConnection)
{
    return m_pOleAdviseHolder ? m_pOleAdviseHolder->Unadvise(dwConnection) : OLE_E_NOCONNECTION;
}

STDMETHODIMP COleControl::EnumAdvise(IEnumSTATDATA** ppenumAdvise)
{
    if (!ppenumAdvise)
        return E_POINTER;
    *ppenumAdvise = nullptr;
    return m_pOleAdviseHolder ? m_pOleAdviseHolder->EnumAdvise(ppenumAdvise) : E_FAIL;
}

STDMETHODIMP COleControl::GetMiscStatus(DWORD dwAspect, DWORD* pdwStatus)
{
    if (!pdwStatus)
        return E_POINTER;
    *pdwStatus = dwAspect == DVASPECT_CONTENT ? m_info.miscStatus : 0;
    return S_OK;
}

// --- In-place activation ---

HRESULT COleControl::InPlaceActivate(bool bUIActivate)
{
    if (!m_pClientSite)
        return E_UNEXPECTED;
    if (!m_bInPlaceActive) {
        CComPointer<IOleInPlaceSite> pSite;
        if (FAILED(pSite.QueryFrom(m_pClientSite)))
            return E_NOINTERFACE;
        if (pSite->CanInPlaceActivate() != S_OK)
            return E_FAIL;
        m_pInPlaceSite = pSite;
        m_bInPlaceActive = true;
        pSite->OnInPlaceActivate();
        HWND hParent = nullptr;
        pSite->GetWindow(&hParent);
        RECT rcPos = m_rcPos, rcClip = m_rcPos;
        OLEINPLACEFRAMEINFO frameInfo = {};
        frameInfo.cb = sizeof(frameInfo);
        pSite->GetWindowContext(m_pFrame.Out(), m_pDoc.Out(), &rcPos, &rcClip, &frameInfo);
        m_rcPos = rcPos;
        const bool bReady = m_hWnd ? (SetParent(m_hWnd, hParent), MoveWindow(m_rcPos), true)
                                   : CreateControlWindow(hParent, m_rcPos);
        if (!bReady) {
            InPlaceDeactivate();
            return E_FAIL;
        }
    }
    if (!IsWindowVisible())
        ShowWindow(SW_SHOW);
    if (bUIActivate && !m_bUIActive) {
        m_bUIActive = true;
        m_pInPlaceSite->OnUIActivate();
        const std::wstring name = Utf8ToWide(m_info.typeName);
        IOleInPlaceActiveObject* pActive = this;
        if (m_pFrame) {
            m_pFrame->SetActiveObject(pActive, name.c_str());
            m_pFrame->SetBorderSpace(nullptr);
        }
        if (m_pDoc) {
            m_pDoc->SetActiveObject(pActive, name.c_str());
            m_pDoc->SetBorderSpace(nullptr);
        }
        const HWND hFocus = ::GetFocus();
        if (hFocus != m_hWnd && !IsChild(m_hWnd, hFocus))
            SetFocus();
    }
    m_pClientSite->ShowObject();
    return S_OK;
}

bool COleControl::CreateControlWindow(HWND hParent, const RECT& rect)
{
    RegisterWindowClass(kWindowClass);
    return Create(kWindowClass, std::string(), WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, rect,
                  hParent, 0) != FALSE;
}

STDMETHODIMP COleControl::GetWindow(HWND* phwnd)
{
    if (!phwnd)
        return E_POINTER;
    *phwnd = m_hWnd;
    return m_hWnd ? S_OK : E_FAIL;
}

STDMETHODIMP COleControl::InPlaceDeactivate()
{
    if (!m_bInPlaceActive)
        return S_OK;
    CComPointer<IOleObject> self(this);
    UIDeactivate();
    m_bInPlaceActive = false;
    if (m_hWnd)
        DestroyWindow();
    CComPointer<IOleInPlaceSite> pSite = std::move(m_pInPlaceSite);
    m_pFrame.Reset();
    m_pDoc.Reset();
    if (pSite)
        pSite->OnInPlaceDeactivate();
    return S_OK;
}

STDMETHODIMP COleControl::UIDeactivate()
{
    if (!m_bUIActive)
        return S_OK;
    m_bUIActive = false;
    if (m_pFrame)
        m_pFrame->SetActiveObject(nullptr, nullptr);
    if (m_pDoc)
        m_pDoc->SetActiveObject(nullptr, nullptr);
    if (m_pInPlaceSite)
        m_pInPlaceSite->OnUIDeactivate(FALSE);
    return S_OK;
}

STDMETHODIMP COleControl::SetObjectRects(LPCRECT lprcPosRect, LPCRECT)
{
    if (!lprcPosRect)
        return E_POINTER;
    m_rcPos = *lprcPosRect;
    if (m_hWnd)
        MoveWindow(m_rcPos);
    return S_OK;
}

STDMETHODIMP COleControl::TranslateAccelerator(LPMSG lpmsg)
{
    if (!lpmsg)
        return E_POINTER;
    if (GuardCall([&] { return PreTranslateMessage(lpmsg); }, FALSE))
        return S_OK;
    if (m_pControlSite) {
        const DWORD dwModifiers = (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0)
            | (GetKeyState(VK_MENU) < 0 ? 4 : 0);
        if (m_pControlSite->TranslateAccelerator(lpmsg, dwModifiers) == S_OK)
            return S_OK;
    }
    return S_FALSE;
}

// --- IOleControl ---

STDMETHODIMP COleControl::GetControlInfo(CONTROLINFO* pCI)
{
    if (!pCI)
        return E_POINTER;
    pCI->cb = sizeof(*pCI);
    pCI->hAccel = nullptr;
    pCI->cAccel = 0;
    pCI->dwFlags = 0;
    return S_OK;
}

STDMETHODIMP COleControl::OnMnemonic(MSG* pMsg)
{
    if (!pMsg)
        return E_POINTER;
    return GuardCall([&] { OnMnemonic(*pMsg); return S_OK; }, E_UNEXPECTED);
}

STDMETHODIMP COleControl::OnAmbientPropertyChange(DISPID dispid)
{
    return GuardCall([&] { OnAmbientChanged(dispid); return S_OK; }, E_UNEXPECTED);
}

STDMETHODIMP COleControl::FreezeEvents(BOOL bFreeze)
{
    m_nFreezeEvents += bFreeze ? 1 : (m_nFreezeEvents > 0 ? -1 : 0);
    return S_OK;
}

// --- IViewObject2 ---

STDMETHODIMP COleControl::Draw(DWORD dwDrawAspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC hdcDraw, LPCRECTL lprcBounds,
                               LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR)
{
    if (dwDrawAspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (!hdcDraw)
        return E_INVALIDARG;
    RECT bounds = m_rcPos;
    if (lprcBounds)
        bounds = {lprcBounds->left, lprcBounds->top, lprcBounds->right, lprcBounds->bottom};
    const int nSaved = SaveDC(hdcDraw);
    const HRESULT hr = GuardCall([&] { OnDraw(hdcDraw, bounds); return S_OK; }, E_UNEXPECTED);
    RestoreDC(hdcDraw, nSaved);
    return hr;
}

STDMETHODIMP COleControl::SetAdvise(DWORD aspects, DWORD advf, IAdviseSink* pAdvSink)
{
    m_pViewAdviseSink = pAdvSink;
    m_dwViewAspects = aspects;
    m_dwViewAdvf = advf;
    if (pAdvSink && (advf & ADVF_PRIMEFIRST))
        pAdvSink->OnViewChange(DVASPECT_CONTENT, -1);
    return S_OK;
}

STDMETHODIMP COleControl::GetAdvise(DWORD* pAspects, DWORD* pAdvf, IAdviseSink** ppAdvSink)
{
    if (pAspects)
        *pAspects = m_dwViewAspects;
    if (pAdvf)
        *pAdvf = m_dwViewAdvf;
    if (ppAdvSink)
        *ppAdvSink = CComPointer<IAdviseSink>(m_pViewAdviseSink).Detach();
    return S_OK;
}

STDMETHODIMP COleControl::GetExtent(DWORD dwDrawAspect, LONG, DVTARGETDEVICE*, LPSIZEL lpsizel)
{
    return GetExtent(dwDrawAspect, lpsizel);
}

// --- Persistence ---

CPropertySet COleControl::CollectProperties()
{
    CPropertySet set;
    CPropExchange px(CPropExchange::Mode::Save, set);
    DoPropExchange(px);
    set.Set("_ExtentX", CVariant(static_cast<long>(m_sizeExtent.cx)));
    set.Set("_ExtentY", CVariant(static_cast<long>(m_sizeExtent.cy)));
    return set;
}

HRESULT COleControl::ApplyProperties(CPropertySet& set)
{
    CPropExchange px(CPropExchange::Mode::Load, set);
    const HRESULT hr = GuardCall([&] { DoPropExchange(px); return S_OK; }, E_UNEXPECTED);
    const VARIANT* pCx = set.Find("_ExtentX");
    const VARIANT* pCy = set.Find("_ExtentY");
    if (pCx && pCy && pCx->vt == VT_I4 && pCy->vt == VT_I4 && pCx->lVal > 0 && pCy->lVal > 0)
        m_sizeExtent = {pCx->lVal, pCy->lVal};
    m_bInitialized = true;
    m_bModified = false;
    InvalidateControl();
    return hr;
}

STDMETHODIMP COleControl::GetClassID(CLSID* pClassID)
{
    if (!pClassID)
        return E_POINTER;
    *pClassID = *m_info.clsid;
    return S_OK;
}

STDMETHODIMP COleControl::IsDirty()
{
    return m_bModified ? S_OK : S_FALSE;
}

STDMETHODIMP COleControl::Load(LPSTREAM pStm)
{
    CPropertySet set;
    HRESULT hr = set.ReadFrom(pStm);
    if (FAILED(hr)) {
        // Nothing of the stream was taken; a control that had no state yet gets its defaults.
        if (!m_bInitialized)
            InitNew();
        return hr;
    }
    return ApplyProperties(set);
}

STDMETHODIMP COleControl::Save(LPSTREAM pStm, BOOL fClearDirty)
{
    HRESULT hr = GuardCall([&] { return CollectProperties().WriteTo(pStm); }, E_UNEXPECTED);
    if (SUCCEEDED(hr) && fClearDirty)
        m_bModified = false;
    return hr;
}

STDMETHODIMP COleControl::GetSizeMax(ULARGE_INTEGER* pcbSize)
{
    if (!pcbSize)
        return E_POINTER;
    return GuardCall([&] { pcbSize->QuadPart = CollectProperties().StreamSize(); return S_OK; }, E_UNEXPECTED);
}

STDMETHODIMP COleControl::InitNew()
{
    const HRESULT hr = GuardCall([&] { OnResetState(); return S_OK; }, E_UNEXPECTED);
    m_bInitialized = true;
    m_bModified = false;
    InvalidateControl();
    return hr;
}

STDMETHODIMP COleControl::Load(IPropertyBag* pPropBag, IErrorLog* pErrorLog)
{
    CPropertySet set;
    HRESULT hr = GuardCall([&] { return set.ReadFrom(pPropBag, pErrorLog, CollectProperties()); }, E_UNEXPECTED);
    if (FAILED(hr))
        return hr;
    return ApplyProperties(set);
}

STDMETHODIMP COleControl::Save(IPropertyBag* pPropBag, BOOL fClearDirty, BOOL)
{
    HRESULT hr = GuardCall([&] { return CollectProperties().WriteTo(pPropBag); }, E_UNEXPECTED);
    if (SUCCEEDED(hr) && fClearDirty)
        m_bModified = false;
    return hr;
}

STDMETHODIMP COleControl::InitNew(IStorage*)
{
    return InitNew();
}

STDMETHODIMP COleControl::Load(IStorage* pStg)
{
    if (!pStg)
        return E_POINTER;
    CComPointer<IStream> pStream;
    HRESULT hr = pStg->OpenStream(kContentsStream, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, pStream.Out());
    if (FAILED(hr)) {
        if (!m_bInitialized)
            InitNew();
        return hr;
    }
    return Load(pStream.Get());
}

STDMETHODIMP COleControl::Save(IStorage* pStgSave, BOOL)
{
    if (!pStgSave)
        return E_POINTER;
    CComPointer<IStream> pStream;
    HRESULT hr = pStgSave->CreateStream(kContentsStream, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0,
                                        pStream.Out());
    if (FAILED(hr))
        return hr;
    return Save(pStream.Get(), TRUE);
}

void COleControl::DoPropExchange(CPropExchange& px)
{
    px.ExchangeColor("BackColor", m_clrBack, AmbientBackColor());
    px.ExchangeFont("Font", m_font, DefaultFontDescription(), AmbientFont());
}

void COleControl::OnResetState()
{
    CPropertySet none;
    CPropExchange px(CPropExchange::Mode::Reset, none);
    DoPropExchange(px);
}

FONTDESC COleControl::DefaultFontDescription() const
{
    return CFontHolder::Description(L"MS Sans Serif", 8.0);
}

// --- Connection points, class info, property pages, safety ---

STDMETHODIMP COleControl::EnumConnectionPoints(IEnumConnectionPoints** ppEnum)
{
    if (!ppEnum)
        return E_POINTER;
    std::vector<IConnectionPoint*> points;
    if (m_info.eventsIid)
        points.push_back(&m_eventPoint);
    points.push_back(&m_notifyPoint);
    *ppEnum = NewComObject<CEnumerator<IEnumConnectionPoints, IConnectionPoint*>>(points).Detach();
    return S_OK;
}

STDMETHODIMP COleControl::FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP)
{
    if (!ppCP)
        return E_POINTER;
    *ppCP = nullptr;
    CConnectionPoint* pPoint = nullptr;
    if (m_info.eventsIid && IsEqualIID(riid, *m_info.eventsIid))
        pPoint = &m_eventPoint;
    else if (IsEqualIID(riid, IID_IPropertyNotifySink))
        pPoint = &m_notifyPoint;
    if (!pPoint)
        return CONNECT_E_NOCONNECTION;
    pPoint->AddRef();
    *ppCP = pPoint;
    return S_OK;
}

STDMETHODIMP COleControl::GetClassInfo(ITypeInfo** ppTI)
{
    return CServerModule::LoadTypeInfo(*m_info.clsid, ppTI);
}

STDMETHODIMP COleControl::GetGUID(DWORD dwGuidKind, GUID* pGUID)
{
    if (!pGUID)
        return E_POINTER;
    *pGUID = GUID_NULL;
    if (dwGuidKind != GUIDKIND_DEFAULT_SOURCE_DISP_IID || !m_info.eventsIid)
        return E_INVALIDARG;
    *pGUID = *m_info.eventsIid;
    return S_OK;
}

STDMETHODIMP COleControl::GetPages(CAUUID* pPages)
{
    if (!pPages)
        return E_POINTER;
    pPages->cElems = 0;
    pPages->pElems = nullptr;
    std::vector<CLSID> pages;
    const HRESULT hr = GuardCall([&] { pages = GetPropertyPageIds(); return S_OK; }, E_UNEXPECTED);
    if (FAILED(hr) || pages.empty())
        return hr;
    pPages->pElems = static_cast<GUID*>(CoTaskMemAlloc(pages.size() * sizeof(GUID)));
    if (!pPages->pElems)
        return E_OUTOFMEMORY;
    std::copy(pages.begin(), pages.end(), pPages->pElems);
    pPages->cElems = static_cast<ULONG>(pages.size());
    return S_OK;
}

STDMETHODIMP COleControl::GetInterfaceSafetyOptions(REFIID riid, DWORD* pdwSupportedOptions, DWORD* pdwEnabledOptions)
{
    if (!pdwSupportedOptions || !pdwEnabledOptions)
        return E_POINTER;
    *pdwSupportedOptions = GuardCall([&] { return SafetyOptionsSupported(riid); }, DWORD(0));
    *pdwEnabledOptions = m_dwSafety & *pdwSupportedOptions;
    return *pdwSupportedOptions ? S_OK : E_NOINTERFACE;
}

STDMETHODIMP COleControl::SetInterfaceSafetyOptions(REFIID riid, DWORD dwOptionSetMask, DWORD dwEnabledOptions)
{
    const DWORD dwSupported = GuardCall([&] { return SafetyOptionsSupported(riid); }, DWORD(0));
    if (dwOptionSetMask & ~dwSupported)
        return E_FAIL;
    m_dwSafety = (m_dwSafety & ~dwOptionSetMask) | (dwEnabledOptions & dwOptionSetMask);
    return S_OK;
}

DWORD COleControl::SafetyOptionsSupported(REFIID) const
{
    return 0;
}

HRESULT COleControl::ShowPropertyPages(HWND hwndParent)
{
    if (m_pControlSite && m_pControlSite->ShowPropertyFrame() == S_OK)
        return S_OK;
    std::vector<CLSID> pages = GetPropertyPageIds();
    if (pages.empty())
        return S_OK;
    IUnknown* pObject = static_cast<IOleObject*>(this);
    const std::wstring caption = Utf8ToWide(m_info.typeName);
    return OleCreatePropertyFrame(hwndParent, 0, 0, caption.c_str(), 1, &pObject, static_cast<ULONG>(pages.size()),
                                  pages.data(), GetUserDefaultLCID(), 0, nullptr);
}

// --- Stock properties, ambient properties, events ---

void COleControl::SetBackColor(OLE_COLOR clrBack)
{
    m_clrBack = clrBack;
    SetModifiedFlag();
    OnBackColorChanged();
    BoundPropertyChanged(DISPID_BACKCOLOR);
}

void COleControl::SetFont(IFontDisp* pFont)
{
    m_font.InitializeFont(DefaultFontDescription(), pFont);
    OnFontObjectChanged();
}

void COleControl::OnFontObjectChanged()
{
    SetModifiedFlag();
    OnFontChanged();
    BoundPropertyChanged(DISPID_FONT);
}

COLORREF COleControl::TranslateColor(OLE_COLOR clr) const
{
    COLORREF color = 0;
    return SUCCEEDED(OleTranslateColor(clr, nullptr, &color)) ? color : GetSysColor(COLOR_WINDOW);
}

HRESULT COleControl::OnGetBackColor(CDispatchCall& call)
{
    call.SetResult(static_cast<long>(m_clrBack));
    return S_OK;
}

// A value that is no OLE colour is refused as stock colours refuse it, with "invalid property
// value", and the colour stays.
HRESULT COleControl::OnSetBackColor(CDispatchCall& call)
{
    COLORREF unused = 0;
    const OLE_COLOR clr = static_cast<OLE_COLOR>(call.Long(0));
    if (FAILED(OleTranslateColor(clr, nullptr, &unused)))
        return CTL_E_INVALIDPROPERTYVALUE;
    SetBackColor(clr);
    return S_OK;
}

HRESULT COleControl::OnGetFont(CDispatchCall& call)
{
    CComPointer<IFontDisp> pFont;
    pFont.Attach(m_font.GetFontDispatch());
    call.SetResult(static_cast<IDispatch*>(pFont.Get()));
    return S_OK;
}

// Anything that is no font object (Nothing included) gives the font a new control starts with:
// the container's, else the default description.
HRESULT COleControl::OnSetFont(CDispatchCall& call)
{
    CComPointer<IFontDisp> pFont;
    if (!call.Dispatch(0) || FAILED(pFont.QueryFrom(call.Dispatch(0))))
        pFont = AmbientFont();
    SetFont(pFont);
    return S_OK;
}

bool COleControl::GetAmbientProperty(DISPID dispid, CVariant& value) const
{
    if (!m_pAmbient)
        return false;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    return SUCCEEDED(m_pAmbient->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                        value.Out(), nullptr, nullptr));
}

bool COleControl::AmbientUserMode() const
{
    CVariant value;
    return GetAmbientProperty(DISPID_AMBIENT_USERMODE, value) ? value.ToBool(true) : true;
}

OLE_COLOR COleControl::AmbientBackColor() const
{
    CVariant value;
    if (GetAmbientProperty(DISPID_AMBIENT_BACKCOLOR, value) && SUCCEEDED(value.ChangeType(VT_I4)))
        return static_cast<OLE_COLOR>(value.lVal);
    return 0x80000000 | COLOR_WINDOW;
}

OLE_COLOR COleControl::AmbientForeColor() const
{
    CVariant value;
    if (GetAmbientProperty(DISPID_AMBIENT_FORECOLOR, value) && SUCCEEDED(value.ChangeType(VT_I4)))
        return static_cast<OLE_COLOR>(value.lVal);
    return 0x80000000 | COLOR_WINDOWTEXT;
}

CComPointer<IFontDisp> COleControl::AmbientFont() const
{
    CVariant value;
    CComPointer<IFontDisp> pFont;
    if (GetAmbientProperty(DISPID_AMBIENT_FONT, value) && (value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN) && value.punkVal)
        pFont.QueryFrom(value.punkVal);
    return pFont;
}

std::string COleControl::AmbientDisplayName() const
{
    CVariant value;
    return GetAmbientProperty(DISPID_AMBIENT_DISPLAYNAME, value) ? value.ToString() : std::string();
}

void COleControl::InvalidateControl()
{
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, FALSE);
    else if (m_pViewAdviseSink)
        m_pViewAdviseSink->OnViewChange(DVASPECT_CONTENT, -1);
}

void COleControl::FireEvent(DISPID dispid, std::initializer_list<CVariant> args)
{
    if (m_nFreezeEvents > 0 || !m_info.eventsIid)
        return;
    CComPointer<IOleObject> self(this);
    const std::vector<VARIANT> values(args.begin(), args.end());
    m_eventPoint.FireDispatch(dispid, values.data(), static_cast<UINT>(values.size()));
}

void COleControl::BoundPropertyChanged(DISPID dispid)
{
    m_notifyPoint.FireOnChanged(dispid);
}

void COleControl::SetInitialSize(int cx, int cy)
{
    m_sizeExtent = {PixelsToHimetric(cx, ScreenDpi(LOGPIXELSX)), PixelsToHimetric(cy, ScreenDpi(LOGPIXELSY))};
}

// --- Hooks and the window ---

void COleControl::OnDraw(HDC hdc, const RECT& bounds)
{
    const HBRUSH hBrush = CreateSolidBrush(TranslateColor(m_clrBack));
    FillRect(hdc, &bounds, hBrush);
    DeleteObject(hBrush);
}

int COleControl::OnCreate(CREATESTRUCT*)
{
    return 0;
}

void COleControl::OnSize(UINT, int, int) {}

void COleControl::OnSetFocus(HWND) {}

void COleControl::OnDestroy() {}

void COleControl::OnBackColorChanged()
{
    InvalidateControl();
}

void COleControl::OnFontChanged()
{
    InvalidateControl();
}

void COleControl::OnAmbientChanged(DISPID)
{
    InvalidateControl();
}

void COleControl::OnMnemonic(const MSG&) {}

LRESULT COleControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The site may go during the message (a destroyed window, a released site).
    CComPointer<ISimpleFrameSite> pFrameSite = m_pSimpleFrameSite;
    if (!pFrameSite)
        return CWnd::WindowProc(message, wParam, lParam);
    const HWND hWnd = m_hWnd;
    LRESULT result = 0;
    DWORD dwCookie = 0;
    if (pFrameSite->PreMessageFilter(hWnd, message, wParam, lParam, &result, &dwCookie) == S_FALSE)
        return result;
    result = CWnd::WindowProc(message, wParam, lParam);
    pFrameSite->PostMessageFilter(hWnd, message, wParam, lParam, &result, dwCookie);
    return result;
}

LRESULT COleControl::OnWmCreate(WPARAM, LPARAM lParam)
{
    return OnCreate(reinterpret_cast<CREATESTRUCT*>(lParam));
}

LRESULT COleControl::OnWmSize(WPARAM wParam, LPARAM lParam)
{
    OnSize(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    return 0;
}

LRESULT COleControl::OnWmSetFocus(WPARAM wParam, LPARAM)
{
    if (m_bInPlaceActive && !m_bUIActive)
        InPlaceActivate(true);
    if (m_pControlSite)
        m_pControlSite->OnFocus(TRUE);
    OnSetFocus(reinterpret_cast<HWND>(wParam));
    return 0;
}

LRESULT COleControl::OnWmKillFocus(WPARAM, LPARAM)
{
    if (m_pControlSite)
        m_pControlSite->OnFocus(FALSE);
    return Default();
}

LRESULT COleControl::OnWmMouseActivate(WPARAM, LPARAM)
{
    if (m_bInPlaceActive && !m_bUIActive)
        InPlaceActivate(true);
    return Default();
}

LRESULT COleControl::OnWmDestroy(WPARAM, LPARAM)
{
    OnDestroy();
    return Default();
}

LRESULT COleControl::OnWmPaint(WPARAM, LPARAM)
{
    CPaintDC dc(m_hWnd);
    OnDraw(dc, GetClientRect());
    return 0;
}

LRESULT COleControl::OnWmEraseBkgnd(WPARAM, LPARAM)
{
    return 1;
}
