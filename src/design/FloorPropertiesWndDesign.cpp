#include "FloorPropertiesWndDesign.h"

#include "DataExchange.h"
#include "LayoutText.h"
#include "PageListCtrlDesign.h"
#include "Text.h"
#include "VelmoraPropPage.h"

namespace {

const int kItemHeight = 18;

// The dispid of the layout property; false when the object has none.
bool FindLayoutDispid(IDispatch* pObject, DISPID* pDispid)
{
    std::wstring name = Utf8ToWide(CFloorPropertiesWndDesign::kLayoutProperty);
    LPOLESTR pszName = name.data();
    return SUCCEEDED(pObject->GetIDsOfNames(IID_NULL, &pszName, 1, LOCALE_USER_DEFAULT, pDispid));
}

void PutLayout(IDispatch* pObject, DISPID dispid, const std::string& strText)
{
    CVariant value(strText);
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&value, &putId, 1, 1};
    pObject->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

bool GetLayout(IDispatch* pObject, DISPID dispid, std::string* pText)
{
    CVariant result;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    if (FAILED(pObject->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, nullptr,
                               nullptr)))
        return false;
    *pText = result.ToString();
    return true;
}

} // namespace

CFloorPropertiesWndDesign& CFloorPropertiesWndDesign::SetDesignOwner(CVelmoraPropPage* pOwner)
{
    m_pOwner = pOwner;
    return *this;
}

std::unique_ptr<CPageListCtrl> CFloorPropertiesWndDesign::CreatePageList(short nIndex, CPageListOwner*, BOOL)
{
    auto pPage = std::make_unique<CPageListCtrlDesign>(m_pOwner, this);
    if (!CreatePageWindow(*pPage, nIndex))
        return nullptr;
    return pPage;
}

void CFloorPropertiesWndDesign::RemoveAllPages()
{
    while (RemovePage(0)) {
    }
}

CPageListCtrlDesign* CFloorPropertiesWndDesign::GetDesignPageList(int nIndex) const
{
    // Every page list of this floor is made by CreatePageList above.
    return static_cast<CPageListCtrlDesign*>(GetPageList(nIndex));
}

void CFloorPropertiesWndDesign::SaveLayout(std::string& strText)
{
    for (short nPage = 0; IsPage(nPage); ++nPage) {
        CPageListCtrlDesign* pList = GetDesignPageList(nPage);
        CLayoutText::AppendPageStart(strText, GetPageName(nPage), pList && pList->IsGroupPage());
        if (pList)
            pList->SaveItemsText(strText);
        CLayoutText::AppendPageEnd(strText);
    }
}

void CFloorPropertiesWndDesign::ExchangeLayout(CDataExchange& dx)
{
    std::string strText;
    if (dx.IsSaving())
        SaveLayout(strText);
    for (const CComPointer<IDispatch>& pObject : dx.GetObjects()) {
        DISPID dispid = DISPID_UNKNOWN;
        if (!FindLayoutDispid(pObject, &dispid))
            continue;
        if (dx.IsSaving())
            PutLayout(pObject, dispid, strText);
        else
            GetLayout(pObject, dispid, &strText);
    }
    if (!dx.IsSaving())
        LoadLayout(strText, nullptr);
}

void CFloorPropertiesWndDesign::OnChildCommand(UINT nID, UINT nCode)
{
    if (m_pOwner && nCode == EN_KILLFOCUS && nID == CVelmoraPropPage::kCaptionEditId)
        m_pOwner->CommitCaption(m_pOwner->GetEditPage());
}
