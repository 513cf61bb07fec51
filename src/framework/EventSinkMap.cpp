#include "EventSinkMap.h"

#include <oleauto.h>

BOOL CEventSinkTarget::OnChildEvent(UINT nID, DISPID dispid, DISPPARAMS* pParams)
{
    for (const EventSinkMap* pMap = GetEventSinkMap(); pMap; pMap = pMap->base ? pMap->base() : nullptr) {
        for (const EventSinkEntry* pEntry = pMap->entries; pEntry->handler; ++pEntry) {
            if (pEntry->nID == nID && pEntry->dispid == dispid) {
                (this->*pEntry->handler)(pParams);
                return TRUE;
            }
        }
    }
    return FALSE;
}

long CEventSinkTarget::ArgLong(const DISPPARAMS* pParams, UINT i)
{
    if (!pParams || i >= pParams->cArgs)
        return 0;
    VARIANT converted;
    VariantInit(&converted);
    VARIANT* pArg = &pParams->rgvarg[pParams->cArgs - 1 - i];
    long value = 0;
    if (SUCCEEDED(VariantChangeType(&converted, pArg, 0, VT_I4)))
        value = converted.lVal;
    VariantClear(&converted);
    return value;
}

const EventSinkMap* CEventSinkTarget::GetThisEventSinkMap()
{
    static const EventSinkEntry entries[] = {{0, 0, nullptr}};
    static const EventSinkMap map = {nullptr, entries};
    return &map;
}
