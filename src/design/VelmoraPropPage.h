// CVelmoraPropPage: the "Preview" property page. The developer lays out the edited controls'
// pages and properties on a design floor (a slider sets the number of pages, a double click on
// a caption edits it in place); Apply writes the layout text back to the controls.
#pragma once
#include "EscapeFilter.h"
#include "EventSinkMap.h"
#include "FloorPropertiesWndDesign.h"
#include "ModalEdit.h"
#include "PropertyPage.h"
#include "SliderCtrl.h"

#include <memory>

class CVelmoraPropPage : public CPropertyPage, public CEventSinkTarget {
public:
    static const CLSID kClassId;
    static constexpr UINT kCaptionEditId = 1000;
    static constexpr int kMaxPages = 6;

    CVelmoraPropPage();
    ~CVelmoraPropPage() override;

    STDMETHODIMP TranslateAccelerator(MSG* pMsg) override;

    void MarkModified() { SetModified(TRUE); }
    // The page whose caption is being edited; -1 when none.
    int GetEditPage() const { return m_nEditPage; }
    void StartCaptionEdit(short nIndex);
    // The caption editor's text becomes the caption of page nIndex, when it is a new one.
    void CommitCaption(int nIndex);

protected:
    void DoDataExchange(CDataExchange& dx) override;
    BOOL OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* pResult) override;
    void OnObjectsChanged() override;

    void OnPageCaptionEdit(DISPPARAMS* pParams);
    DECLARE_EVENTSINK_MAP()

private:
    void OnInitDialog();
    void OnDestroyDialog();
    void OnSliderMoved();
    // The floor takes the back colour of the first edited control.
    void TakeBackColor();

    CModalEdit m_editCaption;
    CSliderCtrl m_slider;
    CFloorPropertiesWndDesign m_floor;
    int m_nEditPage = -1;
    // While the dialog exists: Escape is swallowed in frames that run a modal dialog loop too.
    std::unique_ptr<CEscapeFilter> m_pEscapeFilter;
};

HRESULT UpdateVelmoraPropPageRegistry(bool bRegister);
