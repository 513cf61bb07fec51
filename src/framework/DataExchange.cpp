#include "DataExchange.h"

#include "DispatchDriver.h"
#include "Text.h"

#include <vector>

bool CDataExchange::FindDispid(IDispatch* pObject, const char* property, DISPID* pDispid)
{
    std::wstring name = Utf8ToWide(property);
    LPOLESTR names[] = {name.data()};
    return pObject && SUCCEEDED(pObject->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, pDispid));
}

CVariant CDataExchange::GetProperty(const char* property) const
{
    for (const CComPointer<IDispatch>& pObject : m_objects) {
        DISPID dispid = DISPID_UNKNOWN;
        if (!FindDispid(pObject, property, &dispid))
            continue;
        try {
            return CDispatchDriver(pObject).Get(dispid, VT_EMPTY);
        } catch (const CDispatchException&) {
            return CVariant();
        }
    }
    return CVariant();
}

void CDataExchange::SetProperty(const char* property, const CVariant& value) const
{
    for (const CComPointer<IDispatch>& pObject : m_objects) {
        DISPID dispid = DISPID_UNKNOWN;
        if (!FindDispid(pObject, property, &dispid))
            continue;
        try {
            CDispatchDriver(pObject).Put(dispid, value);
        } catch (const CDispatchException&) {
            // an object that refuses the value keeps its own; the others still get it
        }
    }
}

void CDataExchange::Text(int nIDC, const char* property)
{
    HWND hControl = GetDlgItem(m_hDlg, nIDC);
    if (!hControl)
        return;
    if (m_bSave) {
        const int length = GetWindowTextLengthW(hControl);
        std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
        GetWindowTextW(hControl, buffer.data(), length + 1);
        SetProperty(property, CVariant(WideToUtf8(buffer.data())));
    } else {
        SetWindowTextW(hControl, Utf8ToWide(GetProperty(property).ToString()).c_str());
    }
}

void CDataExchange::Check(int nIDC, const char* property)
{
    if (m_bSave)
        SetProperty(property, CVariant(IsDlgButtonChecked(m_hDlg, nIDC) == BST_CHECKED));
    else
        CheckDlgButton(m_hDlg, nIDC, GetProperty(property).ToBool() ? BST_CHECKED : BST_UNCHECKED);
}

void CDataExchange::Number(int nIDC, const char* property)
{
    if (m_bSave) {
        BOOL bTranslated = FALSE;
        const int value = static_cast<int>(GetDlgItemInt(m_hDlg, nIDC, &bTranslated, TRUE));
        if (bTranslated)
            SetProperty(property, CVariant(static_cast<long>(value)));
    } else {
        SetDlgItemInt(m_hDlg, nIDC, static_cast<UINT>(GetProperty(property).ToLong()), TRUE);
    }
}

void CDataExchange::PropertyBool(int nIDC, BOOL& bField, const char* property)
{
    if (m_bSave) {
        m_pending.push_back(PendingBool{nIDC, &bField, property});
        return;
    }
    const CVariant value = GetProperty(property);
    if (!value.IsEmpty())
        bField = value.ToBool() ? TRUE : FALSE;
}

void CDataExchange::CheckBox(int nIDC, BOOL& bField)
{
    if (m_bSave)
        bField = IsDlgButtonChecked(m_hDlg, nIDC) == BST_CHECKED ? TRUE : FALSE;
    else
        CheckDlgButton(m_hDlg, nIDC, bField ? BST_CHECKED : BST_UNCHECKED);
}

// Only what the user changed is written: with several objects, the others keep their own values.
void CDataExchange::PostProcess()
{
    for (const PendingBool& pending : m_pending) {
        if (m_changedControls.count(pending.nIDC))
            SetProperty(pending.property, CVariant(*pending.pField != FALSE));
    }
    m_pending.clear();
}
