#include "ControlsFactory.h"

#include "ItemList.h"
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

CControlsWndPtr CreateControlsObject(const std::string& strClassName)
{
    const ClassTable& table = ControlsClasses();
    const auto found = table.find(strClassName);
    return found == table.end() ? nullptr : found->second();
}

CControlsWnd* CreateControlsWnd(const char* lpszAs, CItemList* pList, long nRow, long nColumn)
{
    if (CControlsWnd* pKept = FindControlsWnd(pList, nRow))
        return pKept;
    CControlsWndPtr pObj = CreateControlsObject(std::string("CControlsWnd_C") + (lpszAs ? lpszAs : ""));
    if (!pObj)
        return nullptr;
    pObj->m_pList = pList;
    pObj->m_nRow = nRow;
    pObj->m_nColumn = nColumn;
    CControlsWnd* pResult = pObj.get();
    if (pResult->IsPersistent() && !RegisterControlsWnd(std::move(pObj)))
        return nullptr;
    // A kind that asks its host while it makes its editor may be ended by the host's handler.
    // An object that made no editor goes, from the row map too: the row asks again next time
    // (a host that opens its data late, or answered while another row was asking).
    const CLifeToken::CWatch alive = pResult->Watch();
    CWnd* pEditor = pResult->CreateEditor();
    if (!alive)
        return nullptr;
    pResult->m_pEditor = pEditor;
    if (!pResult->m_pEditor) {
        if (pResult->IsPersistent())
            RemoveControlsWnd(pResult);
        return nullptr;
    }
    if (pResult->m_pEditor->IsWindow() && pList)
        pResult->m_pEditor->SetFont(pList->GetItemFont(), TRUE);
    (void)pObj.release(); // the caller's until its Release
    return pResult;
}
