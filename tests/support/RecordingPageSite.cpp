#include "RecordingPageSite.h"

#include <algorithm>

int CRecordingPageSite::DirtyReports() const
{
    return static_cast<int>(std::count_if(statusChanges.begin(), statusChanges.end(),
                                          [](DWORD dwFlags) { return (dwFlags & PROPPAGESTATUS_DIRTY) != 0; }));
}

STDMETHODIMP CRecordingPageSite::QueryInterface(REFIID riid, void** ppv)
{
    *ppv = (riid == IID_IUnknown || riid == IID_IPropertyPageSite) ? this : nullptr;
    return *ppv ? S_OK : E_NOINTERFACE;
}

STDMETHODIMP CRecordingPageSite::OnStatusChange(DWORD dwFlags)
{
    statusChanges.push_back(dwFlags);
    return S_OK;
}

STDMETHODIMP CRecordingPageSite::GetLocaleID(LCID* pLocale)
{
    *pLocale = LOCALE_USER_DEFAULT;
    return S_OK;
}

STDMETHODIMP CRecordingPageSite::GetPageContainer(IUnknown** ppUnk)
{
    *ppUnk = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CRecordingPageSite::TranslateAccelerator(MSG* pMsg)
{
    if (!pMsg)
        return E_POINTER;
    keysOffered.push_back(pMsg->wParam);
    return S_OK;
}
