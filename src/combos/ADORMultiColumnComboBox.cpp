#include "ADORMultiColumnComboBox.h"

#include "ControlsWnd.h"
#include "Dpi.h"
#include "ItemList.h"
#include "PageListOwner.h"
#include "Text.h"

#include <algorithm>

namespace {

const int kColumnWidth = 128;
const UINT kHeaderId = 0;

std::wstring Folded(const std::wstring& text)
{
    std::wstring folded = text;
    if (!folded.empty())
        LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_LOWERCASE, text.c_str(), static_cast<int>(text.size()), folded.data(),
                     static_cast<int>(folded.size()));
    return folded;
}

} // namespace

BEGIN_MESSAGE_MAP(CADORMultiColumnComboBox, CMultiColumnComboBox)
    ON_MESSAGE(WM_CTLCOLOREDIT, OnEditColor)
    ON_MESSAGE(WM_DESTROY, OnDestroy)
END_MESSAGE_MAP(CMultiColumnComboBox)

CADORMultiColumnComboBox::CADORMultiColumnComboBox() : CMultiColumnComboBox(0) {}

CADORMultiColumnComboBox::~CADORMultiColumnComboBox()
{
    if (IsWindow())
        DestroyWindow();
    ReleaseRecordset();
}

BOOL CADORMultiColumnComboBox::Create(CControlsWnd* pOwner, IDispatch* pRecordset)
{
    m_pOwner = nullptr;
    if (!pOwner || !pOwner->m_pList || !AttachRecordset(pRecordset))
        return FALSE;
    if (!CWnd::Create(kClassName, "", WS_CHILD, 0, RECT{0, 0, 0, 0}, pOwner->m_pList->GetListWindow(), 0))
        return FALSE;
    m_pOwner = pOwner;
    SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE) & ~WS_EX_STATICEDGE);
    FillRows();
    return TRUE;
}

BOOL CADORMultiColumnComboBox::CommitSelection()
{
    const CLifeToken::CWatch alive = Watch();
    const BOOL bCommitted = CMultiColumnComboBox::CommitSelection();
    if (!alive || !bCommitted || !m_pOwner || !GetEditCtrl())
        return bCommitted;
    std::string strText = GetEditCtrl()->GetWindowText();
    m_pOwner->CommitText(strText, 0);
    return bCommitted;
}

BOOL CADORMultiColumnComboBox::CreateChildren()
{
    if (!CMultiColumnComboBox::CreateChildren())
        return FALSE;
    const HWND hHeader = GetDlgItem(GetListCtrl()->m_hWnd, kHeaderId);
    if (hHeader)
        m_wndHeader.SubclassWindow(hHeader);
    return TRUE;
}

void CADORMultiColumnComboBox::ShowHeader(BOOL bShow)
{
    CListCtrl* pList = GetListCtrl();
    if (!pList || !pList->IsWindow())
        return;
    const LONG_PTR style = GetWindowLongPtrW(pList->m_hWnd, GWL_STYLE);
    SetWindowLongPtrW(pList->m_hWnd, GWL_STYLE, bShow ? style & ~LVS_NOCOLUMNHEADER : style | LVS_NOCOLUMNHEADER);
}

BOOL CADORMultiColumnComboBox::IsHeaderShown() const
{
    const HWND hList = GetListWindow();
    return hList && ::IsWindow(hList) && (GetWindowLongPtrW(hList, GWL_STYLE) & LVS_NOCOLUMNHEADER) == 0;
}

BOOL CADORMultiColumnComboBox::Requery()
{
    EmptyList();
    ReleaseRecordset();
    CPageListOwner* pControl = m_pOwner && m_pOwner->m_pList ? m_pOwner->m_pList->GetControl() : nullptr;
    if (!pControl)
        return FALSE;
    CComPointer<IDispatch> pRecordset;
    const CLifeToken::CWatch alive = Watch();
    const CLifeToken::CWatch ownerAlive = m_pOwner->Watch();
    pControl->FireSetObject(m_pOwner->GetOwnPage(), m_pOwner->m_nRow, pRecordset.Out());
    if (!alive || !ownerAlive || !IsWindow() || !AttachRecordset(pRecordset))
        return FALSE;
    FillRows();
    return TRUE;
}

void CADORMultiColumnComboBox::SetEditTextColor(COLORREF crText)
{
    m_crEditText = crText;
}

void CADORMultiColumnComboBox::FillRows()
{
    CListCtrl* pList = GetListCtrl();
    const int nFields = InsertColumns();
    if (nFields <= 0 || !pList)
        return;
    m_rowTexts.clear();
    try {
        m_pRecordset->MoveFirst();
        int nRow = 0;
        // Many thousands of rows: the list draws once, at the end.
        pList->SendMessage(WM_SETREDRAW, FALSE);
        while (!m_pRecordset->IsEOF()) {
            std::vector<std::string> texts;
            for (int nColumn = 0; nColumn < nFields; ++nColumn)
                texts.push_back(m_arrFields[nColumn]->GetText());
            nRow = pList->InsertItem(nRow + 1, texts[0]);
            for (int nColumn = 1; nColumn < nFields; ++nColumn)
                pList->SetItemText(nRow, nColumn, texts[nColumn]);
            m_rowTexts.push_back(std::move(texts));
            m_pRecordset->MoveNext();
        }
    } catch (const CDispatchException&) {
    }
    pList->SendMessage(WM_SETREDRAW, TRUE);
    IndexKeyColumn();
}

int CADORMultiColumnComboBox::FindKeyPrefix(const std::wstring& text)
{
    // Rows the list got from elsewhere are not in the texts: the list is asked then.
    if (!GetListCtrl() || static_cast<size_t>(GetListCtrl()->GetItemCount()) != m_rowTexts.size())
        return CMultiColumnComboBox::FindKeyPrefix(text);
    if (m_nIndexedColumn != GetKeyColumn())
        IndexKeyColumn();
    const std::wstring prefix = Folded(text);
    int nFirst = -1;
    for (auto it = std::lower_bound(m_keyIndex.begin(), m_keyIndex.end(), std::make_pair(prefix, -1));
         it != m_keyIndex.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
        if (nFirst < 0 || it->second < nFirst)
            nFirst = it->second;
    }
    return nFirst;
}

void CADORMultiColumnComboBox::IndexKeyColumn()
{
    m_nIndexedColumn = GetKeyColumn();
    m_keyIndex.clear();
    m_keyIndex.reserve(m_rowTexts.size());
    for (size_t nRow = 0; nRow < m_rowTexts.size(); ++nRow) {
        const std::vector<std::string>& texts = m_rowTexts[nRow];
        const size_t nColumn = static_cast<size_t>(m_nIndexedColumn);
        m_keyIndex.emplace_back(nColumn < texts.size() ? Folded(Utf8ToWide(texts[nColumn])) : std::wstring(), static_cast<int>(nRow));
    }
    std::sort(m_keyIndex.begin(), m_keyIndex.end());
}

int CADORMultiColumnComboBox::InsertColumns()
{
    CListCtrl* pList = GetListCtrl();
    if (!pList)
        return 0;
    const int nFields = GetFieldCount();
    for (int nField = 0; nField < nFields; ++nField) {
        std::string strName;
        try {
            strName = m_arrFields[nField]->GetName();
        } catch (const CDispatchException&) {
        }
        pList->InsertColumn(nField, strName, LVCFMT_LEFT, CDpi::OfWindow(pList->m_hWnd).Scale(kColumnWidth));
    }
    return nFields;
}

void CADORMultiColumnComboBox::ReleaseRecordset()
{
    if (!m_pRecordset)
        return;
    m_arrFields.clear();
    m_pFields.reset();
    m_pRecordset.reset();
}

BOOL CADORMultiColumnComboBox::AttachRecordset(IDispatch* pRecordset)
{
    if (!pRecordset)
        return FALSE;
    try {
        m_pRecordset = std::make_unique<CADORRecordset>(pRecordset);
        m_pFields = std::make_unique<CADORFields>(m_pRecordset->GetFields());
        const long nCount = m_pFields->GetCount();
        for (long nField = 0; nField < nCount; ++nField)
            m_arrFields.push_back(std::make_unique<CADORField>(m_pFields->GetItem(nField)));
    } catch (const CDispatchException&) {
        return FALSE;
    }
    return TRUE;
}

CVariant CADORMultiColumnComboBox::GetCellValue(int nRow, int nColumn)
{
    CListCtrl* pList = GetListCtrl();
    if (!pList || nColumn < 0 || nColumn >= GetFieldCount())
        return CVariant();
    return m_arrFields[nColumn]->TextToValue(pList->GetItemText(nRow, nColumn));
}

LRESULT CADORMultiColumnComboBox::OnEditColor(WPARAM wParam, LPARAM lParam)
{
    const LRESULT brush = Default();
    CEdit* pEdit = GetEditCtrl();
    if (pEdit && reinterpret_cast<HWND>(lParam) == pEdit->m_hWnd)
        SetTextColor(reinterpret_cast<HDC>(wParam), m_crEditText);
    return brush;
}

LRESULT CADORMultiColumnComboBox::OnDestroy(WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CMultiColumnComboBox::OnDestroy(wParam, lParam);
    ReleaseRecordset();
    return result;
}

void CADORMultiColumnComboBox::EmptyList()
{
    CListCtrl* pList = GetListCtrl();
    if (!pList || !pList->IsWindow())
        return;
    pList->DeleteAllItems();
    while (pList->DeleteColumn(0)) {
    }
    m_rowTexts.clear();
    m_keyIndex.clear();
}
