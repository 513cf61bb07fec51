#include "ADORComboBoxKind.h"

#include "ItemList.h"
#include "PageListOwner.h"
#include "Text.h"
#include "ThreadSlot.h"

namespace {

// A row asking its host for a recordset makes no other row of the thread ask.
CThreadSlot<int> t_nCreating;

const int kColumnNameLength = 256;

} // namespace

BOOL CControlsWnd_CADORComboBox::IsPersistent() const
{
    return TRUE;
}

CVariant CControlsWnd_CADORComboBox::GetValue(long nColumn)
{
    if (!HasCombo())
        return CVariant();
    const int nRow = m_combo.GetListCtrl()->GetNextItem(-1, LVNI_SELECTED);
    return nRow < 0 ? CVariant() : m_combo.GetCellValue(nRow, static_cast<int>(nColumn));
}

void CControlsWnd_CADORComboBox::SetColumnKey(long nKey)
{
    if (HasCombo())
        m_combo.SetKeyColumn(static_cast<int>(nKey));
}

long CControlsWnd_CADORComboBox::GetColumnKey()
{
    return HasCombo() ? m_combo.GetKeyColumn() : -1;
}

void CControlsWnd_CADORComboBox::SetColumnWidth(long nColumn, long nWidth)
{
    if (!HasCombo())
        return;
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH;
    column.cx = static_cast<int>(nWidth);
    m_combo.GetListCtrl()->SendMessage(LVM_SETCOLUMNW, static_cast<WPARAM>(nColumn), reinterpret_cast<LPARAM>(&column));
}

long CControlsWnd_CADORComboBox::GetColumnWidth(long nColumn)
{
    if (!HasCombo())
        return -1;
    LVCOLUMNW column = {};
    column.mask = LVCF_WIDTH;
    if (!m_combo.GetListCtrl()->SendMessage(LVM_GETCOLUMNW, static_cast<WPARAM>(nColumn), reinterpret_cast<LPARAM>(&column)))
        return -1;
    return column.cx;
}

void CControlsWnd_CADORComboBox::SetColumnName(long nColumn, const std::string& strName)
{
    if (!HasCombo())
        return;
    std::wstring name = Utf8ToWide(strName);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT;
    column.pszText = name.data();
    column.cchTextMax = static_cast<int>(name.size());
    m_combo.GetListCtrl()->SendMessage(LVM_SETCOLUMNW, static_cast<WPARAM>(nColumn), reinterpret_cast<LPARAM>(&column));
}

const char* CControlsWnd_CADORComboBox::GetColumnName(long nColumn)
{
    if (!HasCombo())
        return nullptr;
    wchar_t name[kColumnNameLength] = {};
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT;
    column.pszText = name;
    column.cchTextMax = kColumnNameLength;
    if (!m_combo.GetListCtrl()->SendMessage(LVM_GETCOLUMNW, static_cast<WPARAM>(nColumn), reinterpret_cast<LPARAM>(&column)))
        return nullptr;
    m_strColumnName = WideToUtf8(name);
    return m_strColumnName.c_str();
}

void CControlsWnd_CADORComboBox::SetColumnHeader(BOOL bHeader)
{
    if (HasCombo())
        m_combo.ShowHeader(bHeader);
}

BOOL CControlsWnd_CADORComboBox::GetColumnHeader()
{
    return HasCombo() && m_combo.IsHeaderShown();
}

void CControlsWnd_CADORComboBox::SetDropDownWidth(double dWidth)
{
    if (HasCombo())
        m_combo.SetDropDownWidthRatio(dWidth);
}

double CControlsWnd_CADORComboBox::GetDropDownWidth()
{
    return HasCombo() ? m_combo.GetDropDownWidthRatio() : -1.0;
}

void CControlsWnd_CADORComboBox::SetDropDownHeight(long nHeight)
{
    if (HasCombo())
        m_combo.SetDropDownLines(static_cast<int>(nHeight));
}

long CControlsWnd_CADORComboBox::GetDropDownHeight()
{
    return HasCombo() ? m_combo.GetDropDownLines() : -1;
}

BOOL CControlsWnd_CADORComboBox::Refresh()
{
    return HasCombo() && m_combo.Requery();
}

BOOL CControlsWnd_CADORComboBox::Release()
{
    if (!HasCombo())
        return FALSE;
    // A hidden combo no longer closes its list: the list goes first.
    m_combo.ShowDropDown(FALSE);
    m_combo.ShowWindow(SW_HIDE);
    return FALSE;
}

std::string CControlsWnd_CADORComboBox::GetClassName() const
{
    return "CControlsWnd_CADORComboBox";
}

CWnd* CControlsWnd_CADORComboBox::CreateEditor()
{
    CPageListOwner* pOwner = GetOwner();
    if (t_nCreating.Get() != 0 || !pOwner)
        return nullptr;
    t_nCreating.Set(t_nCreating.Get() + 1);
    CComPointer<IDispatch> pRecordset;
    const CLifeToken::CWatch alive = Watch();
    pOwner->FireSetObject(GetOwnPage(), m_nRow, pRecordset.Out());
    CWnd* pEditor = nullptr;
    if (alive && m_combo.Create(this, pRecordset)) {
        m_combo.SetEditTextColor(pOwner->GetEditorColor());
        pEditor = &m_combo;
    }
    t_nCreating.Set(t_nCreating.Get() - 1);
    return pEditor;
}

void CControlsWnd_CADORComboBox::ShowEditor(int nMode)
{
    if (!HasCombo())
        return;
    RECT cell;
    if (!AnnounceEditor(nMode) || !HasCombo() || !GetCellRect(&cell))
        return;
    InflateRect(&cell, -1, -1);
    cell.right -= 1;
    m_combo.MoveWindow(cell, TRUE);
    m_combo.ShowWindow(SW_SHOW);
    m_combo.ShowDropDown(TRUE);
}

// The combo stays over the cell until the row is left.
void CControlsWnd_CADORComboBox::HideEditor(BOOL) {}

bool CControlsWnd_CADORComboBox::HasCombo() const
{
    return m_combo.IsWindow();
}
