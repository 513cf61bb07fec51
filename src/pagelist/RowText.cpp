#include "RowText.h"

#include <algorithm>

void CRowText::ReadRows(std::string_view text, const std::function<void(const Row&)>& addRow)
{
    size_t nPos = 0;
    while (nPos < text.size()) {
        const size_t nEnd = std::min(text.find(kTokenEnd, nPos), text.size());
        if (nEnd == nPos)
            return;
        addRow(SplitRow(text.substr(nPos, nEnd - nPos)));
        nPos = nEnd + 1;
    }
}

CRowText::Row CRowText::SplitRow(std::string_view token)
{
    Row row;
    std::string* const fields[] = {&row.strName, &row.strAs, &row.strType, &row.strGroup};
    size_t nStart = 0;
    for (std::string* pField : fields) {
        if (nStart > token.size())
            break;
        const size_t nEnd = std::min(token.find(kFieldSeparator, nStart), token.size());
        pField->assign(token.substr(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
    return row;
}

void CRowText::AppendRow(std::string& text, const Row& row)
{
    text.append(row.strName).push_back(kFieldSeparator);
    text.append(row.strAs).push_back(kFieldSeparator);
    text.append(row.strType).push_back(kFieldSeparator);
    text.append(row.strGroup).push_back(kTokenEnd);
}
