#include "NCombo.h"

// {DE201788-9000-11D2-8726-0040055C08D9}
const CLSID CNCombo::kClassId = {0xDE201788, 0x9000, 0x11D2, {0x87, 0x26, 0x00, 0x40, 0x05, 0x5C, 0x08, 0xD9}};

namespace {

enum : DISPID {
    kDropDownHeight = 1,
    kSelectedRow = 4,
    kInsertColumn = 5,
    kGetColumnCount = 7,
    kInsertItem = 8,
    kSetItemText = 9,
    kSetItemData = 10,
    kGetCellText = 12,
    kGetItemData = 13,
    kActivate = 15,
    kGetControlHeight = 16,
};

} // namespace

BOOL CNCombo::Create(HWND hParent, CEventSinkTarget* pEventTarget)
{
    if (!CreateControl(kClassId, hParent, 0, RECT{0, 0, 0, 0}, false, pEventTarget))
        return FALSE;
    m_driver.Attach(GetControlDispatch());
    return TRUE;
}

void CNCombo::SetDropDownHeight(long nHeight)
{
    m_driver.Put(kDropDownHeight, CVariant(nHeight));
}

long CNCombo::GetSelectedRow()
{
    return m_driver.Get(kSelectedRow, VT_I4).lVal;
}

long CNCombo::InsertColumn(long nIndex, const std::string& heading, long nWidth, long nFormat, BOOL bVisible,
                           BOOL bResizable)
{
    return m_driver.CallLong(kInsertColumn, {CVariant(nIndex), CVariant(heading), CVariant(nWidth), CVariant(nFormat),
                                             CVariant(bVisible != FALSE), CVariant(bResizable != FALSE)});
}

long CNCombo::GetColumnCount()
{
    return m_driver.CallLong(kGetColumnCount);
}

long CNCombo::InsertItem(long nIndex, const std::string& text)
{
    return m_driver.CallLong(kInsertItem, {CVariant(nIndex), CVariant(text)});
}

BOOL CNCombo::SetItemText(long nRow, long nColumn, const std::string& text)
{
    return m_driver.CallBool(kSetItemText, {CVariant(nRow), CVariant(nColumn), CVariant(text)});
}

BOOL CNCombo::SetItemData(long nRow, long nData)
{
    return m_driver.CallBool(kSetItemData, {CVariant(nRow), CVariant(nData)});
}

std::string CNCombo::GetCellText(long nRow, long nColumn)
{
    return m_driver.CallString(kGetCellText, {CVariant(nRow), CVariant(nColumn)});
}

long CNCombo::GetItemData(long nRow)
{
    return m_driver.CallLong(kGetItemData, {CVariant(nRow)});
}

void CNCombo::Activate(BOOL bActive)
{
    m_driver.Call(kActivate, VT_EMPTY, {CVariant(bActive != FALSE)});
}

long CNCombo::GetControlHeight()
{
    return m_driver.CallLong(kGetControlHeight);
}
