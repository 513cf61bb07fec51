#include "PropertyPage.h"

#include "GuardCall.h"
#include "Text.h"
#include "Wnd.h"

CPropertyPage::CPropertyPage(UINT nDialogId, std::string title) : m_nDialogId(nDialogId), m_title(std::move(title))
{
}

namespace {

std::string LoadModuleString(UINT nID)
{
    const wchar_t* pText = nullptr;
    // With no buffer size the string is not copied: pText points into the resource itself.
    const int nLength = LoadStringW(CWnd::ModuleInstance(), nID, reinterpret_cast<LPWSTR>(&pText), 0);
    return nLength > 0 && pText ? WideToUtf8(std::wstring(pText, static_cast<size_t>(nLength))) : std::string();
}

} // namespace

CPropertyPage::CPropertyPage(UINT nDialogId, UINT nTitleId) : CPropertyPage(nDialogId, LoadModuleString(nTitleId))
{
}

void* CPropertyPage::GetInterface(REFIID riid)
{
    if (riid == IID_IUnknown || riid == IID_IPropertyPage || riid == IID_IPropertyPage2)
        return static_cast<IPropertyPage2*>(this);
    return nullptr;
}

void CPropertyPage::OnFinalRelease()
{
    if (m_hDlg)
        DestroyWindow(m_hDlg);
    m_hDlg = nullptr;
}

HWND CPropertyPage::CreateDialogWindow(HWND hParent, bool bBind)
{
    return CreateDialogParamW(CWnd::ModuleInstance(), MAKEINTRESOURCEW(m_nDialogId), hParent, DialogProc,
                              bBind ? reinterpret_cast<LPARAM>(this) : 0);
}

STDMETHODIMP CPropertyPage::SetPageSite(IPropertyPageSite* pSite)
{
    m_pSite = pSite;
    return S_OK;
}

STDMETHODIMP CPropertyPage::Activate(HWND hParent, LPCRECT pRect, BOOL)
{
    if (m_hDlg)
        return E_UNEXPECTED;
    m_hDlg = CreateDialogWindow(hParent, true);
    if (!m_hDlg)
        return E_OUTOFMEMORY;
    if (pRect)
        Move(pRect);
    const HRESULT hr = UpdateData(false);
    if (FAILED(hr))
        Deactivate(); // no page with half its values
    return hr;
}

STDMETHODIMP CPropertyPage::Deactivate()
{
    if (!m_hDlg)
        return E_UNEXPECTED;
    DestroyWindow(m_hDlg);
    m_hDlg = nullptr;
    return S_OK;
}

STDMETHODIMP CPropertyPage::GetPageInfo(PROPPAGEINFO* pInfo)
{
    if (!pInfo)
        return E_POINTER;
    // The page's size is the dialog's, in pixels for this screen: make it once, hidden, to know.
    HWND hProbe = CreateDialogWindow(GetDesktopWindow(), false);
    RECT rect = {0, 0, 0, 0};
    if (hProbe) {
        GetWindowRect(hProbe, &rect);
        DestroyWindow(hProbe);
    }
    const std::wstring title = Utf8ToWide(m_title);
    pInfo->cb = sizeof(PROPPAGEINFO);
    pInfo->pszTitle = static_cast<LPOLESTR>(CoTaskMemAlloc((title.size() + 1) * sizeof(wchar_t)));
    if (pInfo->pszTitle)
        wcscpy(pInfo->pszTitle, title.c_str());
    pInfo->size.cx = rect.right - rect.left;
    pInfo->size.cy = rect.bottom - rect.top;
    pInfo->pszDocString = nullptr;
    pInfo->pszHelpFile = nullptr;
    pInfo->dwHelpContext = 0;
    return hProbe ? S_OK : E_FAIL;
}

STDMETHODIMP CPropertyPage::SetObjects(ULONG cObjects, IUnknown** ppUnk)
{
    if (cObjects && !ppUnk)
        return E_POINTER;
    m_objects.clear();
    for (ULONG i = 0; i < cObjects; ++i) {
        CComPointer<IDispatch> pDispatch;
        if (SUCCEEDED(pDispatch.QueryFrom(ppUnk[i])))
            m_objects.push_back(pDispatch);
    }
    OnObjectsChanged();
    return m_hDlg ? UpdateData(false) : S_OK;
}

STDMETHODIMP CPropertyPage::Show(UINT nCmdShow)
{
    if (!m_hDlg)
        return E_UNEXPECTED;
    ShowWindow(m_hDlg, static_cast<int>(nCmdShow));
    return S_OK;
}

STDMETHODIMP CPropertyPage::Move(LPCRECT pRect)
{
    if (!pRect)
        return E_POINTER;
    if (!m_hDlg)
        return E_UNEXPECTED;
    MoveWindow(m_hDlg, pRect->left, pRect->top, pRect->right - pRect->left, pRect->bottom - pRect->top, TRUE);
    return S_OK;
}

STDMETHODIMP CPropertyPage::IsPageDirty()
{
    return m_bDirty ? S_OK : S_FALSE;
}

STDMETHODIMP CPropertyPage::Apply()
{
    if (m_hDlg && m_bDirty && FAILED(UpdateData(true)))
        return E_UNEXPECTED; // still dirty: nothing said it was written
    SetModified(FALSE);
    return S_OK;
}

// The page uses the keys its focused control asks for and those that move between its
// controls. Enter and Escape that no control of the page wants belong to the frame (its OK and
// Cancel): they go to the page site, as the property page contract has it.
STDMETHODIMP CPropertyPage::TranslateAccelerator(MSG* pMsg)
{
    if (!pMsg)
        return E_POINTER;
    if (!m_hDlg || (pMsg->hwnd != m_hDlg && !IsChild(m_hDlg, pMsg->hwnd)))
        return S_FALSE;
    if (IsFrameKey(*pMsg)) {
        const LRESULT code = ::SendMessageW(pMsg->hwnd, WM_GETDLGCODE, pMsg->wParam, reinterpret_cast<LPARAM>(pMsg));
        if (!(code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)))
            return m_pSite ? m_pSite->TranslateAccelerator(pMsg) : S_FALSE;
        // The dialog manager could still take it for OK or Cancel: the control gets it as typed.
        TranslateMessage(pMsg);
        DispatchMessageW(pMsg);
        return S_OK;
    }
    return IsDialogMessageW(m_hDlg, pMsg) ? S_OK : S_FALSE;
}

bool CPropertyPage::IsFrameKey(const MSG& msg)
{
    return msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE || msg.wParam == VK_CANCEL);
}

void CPropertyPage::SetModified(BOOL bDirty)
{
    if (m_bDirty == bDirty)
        return;
    m_bDirty = bDirty;
    if (m_pSite)
        m_pSite->OnStatusChange(bDirty ? PROPPAGESTATUS_DIRTY | PROPPAGESTATUS_VALIDATE : PROPPAGESTATUS_CLEAN);
}

HRESULT CPropertyPage::UpdateData(bool bSave)
{
    m_bLoading = !bSave;
    CDataExchange dx(m_hDlg, m_objects, bSave, m_changedControls);
    const HRESULT hr = GuardCall([&] { DoDataExchange(dx); return S_OK; }, E_UNEXPECTED);
    m_bLoading = false;
    // The controls now show, or have written, the objects' values.
    if (SUCCEEDED(hr))
        m_changedControls.clear();
    return hr;
}

BOOL CPropertyPage::OnDialogMessage(UINT, WPARAM, LPARAM, INT_PTR*)
{
    return FALSE;
}

bool CPropertyPage::IsEditNotification(WPARAM wParam)
{
    switch (HIWORD(wParam)) {
    case EN_CHANGE:
    case BN_CLICKED:
    case CBN_SELCHANGE:
    case CBN_EDITCHANGE:
        return true;
    default:
        return false;
    }
}

INT_PTR CALLBACK CPropertyPage::DialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(hDlg, DWLP_USER, lParam);
        if (lParam)
            reinterpret_cast<CPropertyPage*>(lParam)->m_hDlg = hDlg;
    }
    auto* pPage = reinterpret_cast<CPropertyPage*>(GetWindowLongPtrW(hDlg, DWLP_USER));
    if (!pPage)
        return message == WM_INITDIALOG;
    INT_PTR result = 0;
    if (GuardCall([&] { return pPage->OnDialogMessage(message, wParam, lParam, &result); }, FALSE))
        return result;
    if (message == WM_COMMAND && lParam && !pPage->m_bLoading && IsEditNotification(wParam)) {
        GuardCall([&] {
            pPage->m_changedControls.insert(LOWORD(wParam));
            pPage->SetModified(TRUE);
        }, [] {});
    }
    return FALSE;
}
