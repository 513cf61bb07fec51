// A property page site of a test's own, standing where a property frame would: it records
// every status the page reports. It lives in the test (its reference count is not kept).
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <vector>

class CRecordingPageSite : public IPropertyPageSite {
public:
    std::vector<DWORD> statusChanges;
    // The keys the page handed on to the frame (virtual key codes).
    std::vector<WPARAM> keysOffered;

    // How many reports said the page has changes to apply.
    int DirtyReports() const;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP OnStatusChange(DWORD dwFlags) override;
    STDMETHODIMP GetLocaleID(LCID* pLocale) override;
    STDMETHODIMP GetPageContainer(IUnknown** ppUnk) override;
    STDMETHODIMP TranslateAccelerator(MSG* pMsg) override;
};
