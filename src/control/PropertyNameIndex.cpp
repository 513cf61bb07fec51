#include "PropertyNameIndex.h"

#include "FloorPropertiesWnd.h"
#include "PageListCtrl.h"
#include "ShortIndex.h"
#include "Text.h"

#include <algorithm>
#include <climits>

bool CPropertyNameIndex::Find(const std::string& strName, short nOnly, long nPages, Position* pPosition) const
{
    const std::string strFolded = FoldCase(strName);
    // The floor control takes pages by 16-bit index: none past that can be named.
    const long nEnd = nOnly >= 0 ? nOnly + 1 : std::min(nPages, long{SHRT_MAX} + 1);
    for (long p = std::max<long>(nOnly, 0); p < nEnd; ++p) {
        CPageListCtrl* pList = m_floor.GetPageList(static_cast<int>(p));
        const int nRow = pList ? pList->FindRowNamed(strFolded) : -1;
        if (nRow >= 0) {
            *pPosition = Position{ToShortIndex(p), nRow};
            return true;
        }
    }
    return false;
}
