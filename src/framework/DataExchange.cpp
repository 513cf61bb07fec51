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
    DISPID dispid = DISPID_UNKNOWN;
    if (m_objects.empty() || !FindDispid(m_objects.front(), property, &dispid))
        return CVariant();
    try {
        return CDispatchDriver(m_objects.front()).Get(dispid, VT_EMPTY);
    } catch (const CDispatchException&) {
        return CVariant();
    }
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
