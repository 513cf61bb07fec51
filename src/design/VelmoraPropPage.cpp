#include "VelmoraPropPage.h"

#include "DataExchange.h"
#include "PageListCtrl.h"
#include "ServerRegistry.h"
#include "ShortIndex.h"
#include "Text.h"
#include "resource.h"

#include <commctrl.h>

// {F4475476-50E7-433B-91F4-34202595B584}
const CLSID CVelmoraPropPage::kClassId = {0xF4475476, 0x50E7, 0x433B, {0x91, 0xF4, 0x34, 0x20, 0x25, 0x95, 0xB5, 0x84}};

namespace {

const DISPID kPageCaptionEdit = 2;
const int kCaptionInset = 2;

const PropertyPageClassInfo kPreviewPageInfo = {&CVelmoraPropPage::kClassId, "Preview kvVelmora Property Page",
                                                "KV.VelmoraPreviewPropPage.1"};

} // namespace

BEGIN_EVENTSINK_MAP(CVelmoraPropPage, CEventSinkTarget)
    ON_EVENT(IDC_PREVIEW_FLOOR, kPageCaptionEdit, OnPageCaptionEdit)
END_EVENTSINK_MAP(CEventSinkTarget)

HRESULT UpdateVelmoraPropPageRegistry(bool bRegister)
{
    return UpdatePropertyPageRegistry<kPreviewPageInfo>(bRegister);
}

CVelmoraPropPage::CVelmoraPropPage() : CPropertyPage(IDD_PROPPAGE_PREVIEW, IDS_PROPPAGE_PREVIEW_CAPTION)
{
    m_floor.SetDesignOwner(this);
}

CVelmoraPropPage::~CVelmoraPropPage() = default;

// Escape (and the cancel key) would close the frame or reach a control: both are swallowed.
STDMETHODIMP CVelmoraPropPage::TranslateAccelerator(MSG* pMsg)
{
    if (pMsg && CEscapeFilter::IsFilteredKey(*pMsg))
        return S_OK;
    return CPropertyPage::TranslateAccelerator(pMsg);
}

BOOL CVelmoraPropPage::OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR*)
{
    if (message == WM_INITDIALOG)
        OnInitDialog();
    else if (message == WM_DESTROY)
        OnDestroyDialog();
    else if (message == WM_VSCROLL && reinterpret_cast<HWND>(lParam) == m_slider.m_hWnd && m_slider.m_hWnd)
        OnSliderMoved();
    (void)wParam;
    return FALSE;
}

void CVelmoraPropPage::OnInitDialog()
{
    const HWND hDlg = GetDialog();
    m_pEscapeFilter = std::make_unique<CEscapeFilter>(hDlg);
    RECT rcFloor = {7, 13, 7 + 205, 13 + 88};
    MapDialogRect(hDlg, &rcFloor);
    // Above the "Pages" frame, which the dialog made first and which would paint over it; a
    // stop of the page's Tab order like the dialog's own controls.
    if (m_floor.Create(hDlg, IDC_PREVIEW_FLOOR, rcFloor, this)) {
        SetWindowPos(m_floor.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetWindowLongPtrW(m_floor.m_hWnd, GWL_STYLE, GetWindowLongPtrW(m_floor.m_hWnd, GWL_STYLE) | WS_TABSTOP);
    }
    m_slider.Attach(GetDlgItem(hDlg, IDC_PREVIEW_SLIDER));
    if (m_floor.IsWindow() && m_editCaption.Create(m_floor, kCaptionEditId))
        m_editCaption.SetFont(reinterpret_cast<HFONT>(SendMessageW(hDlg, WM_GETFONT, 0, 0)), TRUE);
    TakeBackColor();
}

// The dialog's children go with it: the page lists and the floor control first.
void CVelmoraPropPage::OnDestroyDialog()
{
    m_editCaption.DestroyWindow();
    m_floor.DestroyPageLists();
    m_floor.DestroyControl();
    m_slider.Detach();
    m_nEditPage = -1;
    m_pEscapeFilter.reset();
}

void CVelmoraPropPage::OnObjectsChanged()
{
    TakeBackColor();
}

void CVelmoraPropPage::TakeBackColor()
{
    if (GetObjects().empty() || !m_floor.IsWindow())
        return;
    CVariant color;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    if (SUCCEEDED(GetObjects().front()->Invoke(DISPID_BACKCOLOR, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                                               &none, &color, nullptr, nullptr)))
        m_floor.SetBackColor(static_cast<OLE_COLOR>(color.ToLong()));
}

void CVelmoraPropPage::DoDataExchange(CDataExchange& dx)
{
    if (!m_floor.IsWindow())
        return;
    m_floor.ExchangeLayout(dx);
    if (m_slider.m_hWnd) {
        m_slider.SetRange(0, kMaxPages, FALSE);
        m_slider.SetPos(static_cast<int>(m_floor.GetPagesCount()));
    }
}

// The slider says how many pages there are: new ones are named by their position, pages past
// it go from the end.
void CVelmoraPropPage::OnSliderMoved()
{
    const int nPages = m_slider.GetPos();
    for (short nPage = 0; nPage < nPages; ++nPage) {
        if (!m_floor.IsPage(nPage))
            m_floor.CreatePage(FormatText("Page %i", nPage + 1), nullptr, std::string());
    }
    while (m_floor.GetPagesCount() > nPages) {
        if (!m_floor.RemovePage(ToShortIndex(nPages)))
            break;
    }
    m_floor.RecalcLayout();
    MarkModified();
}

void CVelmoraPropPage::OnPageCaptionEdit(DISPPARAMS* pParams)
{
    StartCaptionEdit(ToShortIndex(ArgLong(pParams, 0)));
}

void CVelmoraPropPage::StartCaptionEdit(short nIndex)
{
    if (!m_editCaption.IsWindow())
        return;
    const unsigned long topLeft = static_cast<unsigned long>(m_floor.GetCaptionTopLeft(nIndex));
    const unsigned long bottomRight = static_cast<unsigned long>(m_floor.GetCaptionBottomRight(nIndex));
    m_nEditPage = nIndex;
    m_editCaption.ShowAt(static_cast<int>(LOWORD(topLeft)) + kCaptionInset, static_cast<int>(HIWORD(topLeft)) + kCaptionInset,
                         static_cast<int>(LOWORD(bottomRight)) - kCaptionInset,
                         static_cast<int>(HIWORD(bottomRight)) - kCaptionInset, m_floor.GetPageName(nIndex));
}

void CVelmoraPropPage::CommitCaption(int nIndex)
{
    const short nPage = ToShortIndex(nIndex);
    if (nPage < 0 || !m_editCaption.IsWindow())
        return;
    const std::string strText = m_editCaption.GetWindowText();
    if (strText.empty() || strText == m_floor.GetPageName(nPage))
        return;
    m_floor.SetPageName(nPage, strText);
    m_floor.Invalidate(TRUE);
    m_nEditPage = -1;
    MarkModified();
}
