// CPropertyPage: the base of our property pages (IPropertyPage2). The page is a dialog from
// this module's resources; SetObjects keeps the edited objects; DoDataExchange moves values
// between the dialog's controls and the objects' properties in both directions; edits mark the
// page (and the edited control) dirty and tell the page site, Apply writes them back.
#pragma once
#include "ComObject.h"
#include "DataExchange.h"

#include <ocidl.h>

#include <set>
#include <string>
#include <vector>

class CPropertyPage : public IPropertyPage2, public CComObject {
public:
    CPropertyPage(UINT nDialogId, std::string title);
    // The title is the module's string resource nTitleId.
    CPropertyPage(UINT nDialogId, UINT nTitleId);

    DECLARE_IUNKNOWN()
    STDMETHODIMP SetPageSite(IPropertyPageSite* pSite) override;
    STDMETHODIMP Activate(HWND hParent, LPCRECT pRect, BOOL bModal) override;
    STDMETHODIMP Deactivate() override;
    STDMETHODIMP GetPageInfo(PROPPAGEINFO* pInfo) override;
    STDMETHODIMP SetObjects(ULONG cObjects, IUnknown** ppUnk) override;
    STDMETHODIMP Show(UINT nCmdShow) override;
    STDMETHODIMP Move(LPCRECT pRect) override;
    STDMETHODIMP IsPageDirty() override;
    STDMETHODIMP Apply() override;
    STDMETHODIMP Help(LPCOLESTR) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG* pMsg) override;
    STDMETHODIMP EditProperty(DISPID) override { return E_NOTIMPL; }

protected:
    void* GetInterface(REFIID riid) override;
    void OnFinalRelease() override;

    virtual void DoDataExchange(CDataExchange& dx) = 0;
    // Messages of the dialog before the base handles them; TRUE when taken.
    virtual BOOL OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* pResult);
    // The frame gave the page another set of objects (the dialog may not exist yet).
    virtual void OnObjectsChanged() {}

    void SetModified(BOOL bDirty = TRUE);
    HRESULT UpdateData(bool bSave);  // E_UNEXPECTED when the exchange failed
    HWND GetDialog() const { return m_hDlg; }
    const std::vector<CComPointer<IDispatch>>& GetObjects() const { return m_objects; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);
    HWND CreateDialogWindow(HWND hParent, bool bBind);
    static bool IsEditNotification(WPARAM wParam);
    // Enter, Escape and the cancel key: the frame's keys unless a control asks for them.
    static bool IsFrameKey(const MSG& msg);

    UINT m_nDialogId;
    std::string m_title;
    HWND m_hDlg = nullptr;
    CComPointer<IPropertyPageSite> m_pSite;
    std::vector<CComPointer<IDispatch>> m_objects;
    BOOL m_bDirty = FALSE;
    // The dialog controls the user changed since the page last showed the objects' values.
    std::set<int> m_changedControls;
    bool m_bLoading = false;
};
