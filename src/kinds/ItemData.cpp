#include "ItemData.h"

#include "AsControls.h"
#include "Text.h"

WORD TypeFromName(const std::string& strType)
{
    if (EqualNoCase(strType, "Enable"))
        return 0;
    if (EqualNoCase(strType, "Grayed"))
        return ITEM_TYPE_GRAYED;
    return ITEM_TYPE_BLACK;
}

DWORD ItemDataFromNames(const std::string& strAs, const std::string& strType)
{
    const WORD nKind = static_cast<WORD>(CAsControls::Get().Lookup(strAs) & 0xFFFF);
    return MakeItemData(nKind, TypeFromName(strType));
}
