#include "LayoutText.h"

#include <algorithm>

class CLayoutText::CTokenReader {
public:
    explicit CTokenReader(std::string_view text) : m_text(text) {}

    // The next piece; false once it is empty (two separators in a row, or past the end).
    bool Next(std::string_view* pToken)
    {
        if (m_nPos > m_text.size())
            return false;
        const size_t end = std::min(m_text.find(kTokenEnd, m_nPos), m_text.size());
        *pToken = m_text.substr(m_nPos, end - m_nPos);
        m_nPos = end + 1;
        return !pToken->empty();
    }

private:
    std::string_view m_text;
    size_t m_nPos = 0;
};

void CLayoutText::ReadLayout(std::string_view text, CPageSink& sink)
{
    std::string strCaption;
    std::string strPageText;
    // The rows of a page are the tokens since the last brace: "{" opens the page, and the "}"
    // that closes an inner pair drops the rows gathered before it.
    size_t nRowsStart = 0;
    bool bFirstToken = true;
    short nPage = -1;
    int nDepth = 0;

    CTokenReader reader(text);
    std::string_view token;
    while (reader.Next(&token)) {
        const size_t nTokenStart = static_cast<size_t>(token.data() - text.data());
        if (token == kOpenPage) {
            ++nDepth;
            if (!strCaption.empty() && nDepth == 1)
                nPage = sink.CreatePage(strCaption, strPageText);
            nRowsStart = nTokenStart + token.size() + 1;
        } else if (token == kClosePage) {
            --nDepth;
            if (nDepth == 0 && nPage >= 0)
                sink.LoadPageRows(nPage, text.substr(nRowsStart, nTokenStart - nRowsStart));
            nDepth = std::max(nDepth, 0);
            nRowsStart = nTokenStart + token.size() + 1;
            strPageText.clear();
            bFirstToken = true;
        } else if (nDepth == 0) {
            if (bFirstToken) {
                strCaption.assign(token);
                bFirstToken = false;
            } else {
                strPageText.append(token);
            }
        }
    }
}

void CLayoutText::AppendPageStart(std::string& text, const std::string& strCaption, bool bGroup)
{
    text.append(strCaption).push_back(kTokenEnd);
    if (bGroup)
        text.append(kGroupWord).push_back(kTokenEnd);
    text.append(kOpenPage).push_back(kTokenEnd);
}

void CLayoutText::AppendPageEnd(std::string& text)
{
    text.append(kClosePage).push_back(kTokenEnd);
}
