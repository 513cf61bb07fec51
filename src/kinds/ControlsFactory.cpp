#include "ControlsFactory.h"

#include "PageListCtrl.h"
#include "RowMaps.h"
#include "Wnd.h"

#include <unordered_map>

namespace {

using ClassTable = std::unordered_map<std::string, ControlsCreateFunction>;

ClassTable& ControlsClasses()
{
    static ClassTable table;
    return table;
}

} // namespace

void RegisterControlsClass(const std::string& strClassName, ControlsCreateFunction pfnCreate)
{
    ControlsClasses()[strClassName] = pfnCreate;
}

std::unique_ptr<CControlsWnd> CreateControlsObject(const std::string& strClassName)
{
    const ClassTable& table = ControlsClasses();
    const auto found = table.find(strClassName);
    return found == table.end() ? nullptr : found->second();
}

CControlsWnd* CreateControlsWnd(const char* lpszAs, CPageListCtrl* pList, long nRow, long nColumn)
{
    if (CControlsWnd* pKept = FindControlsWnd(pList, nRow))
        return pKept;
    std::unique_ptr<CControlsWnd> pObj = CreateControlsObject(std::string("CControlsWnd_C") + (lpszAs ? lpszAs : ""));
    if (!pObj)
        return nullptr;
    pObj->m_pList = pList;
    pObj->m_nRow = nRow;
    pObj->m_nColumn = nColumn;
    pObj->m_pEditor = pObj->CreateEditor();
    CControlsWnd* pResult = pObj.get();
    // A persistent kind has entered itself in the row map while making its editor.
    if (FindControlsWnd(pList, nRow) == pResult)
        pObj.release();
    if (!pResult->m_pEditor)
        return nullptr;
    if (pResult->m_pEditor->IsWindow() && pList)
        pResult->m_pEditor->SetFont(pList->GetItemFont(), TRUE);
    pObj.release();
    return pResult;
}
