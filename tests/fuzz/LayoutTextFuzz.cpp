// libFuzzer target for the layout reader: any bytes as PagesAndItems text. The reader must read
// what a plain, slow reading of the format reads, hand out only pages it was asked to make, and
// what it reads, written back and read again, must give the same pages, captions, grouped flags
// and rows.
#include "LayoutText.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Page {
    std::string strCaption;
    bool bGroup = false;
    std::vector<CRowText::Row> rows;

    bool operator==(const Page& other) const
    {
        if (strCaption != other.strCaption || bGroup != other.bGroup || rows.size() != other.rows.size())
            return false;
        for (size_t i = 0; i < rows.size(); ++i) {
            const CRowText::Row& a = rows[i];
            const CRowText::Row& b = other.rows[i];
            if (a.strName != b.strName || a.strAs != b.strAs || a.strType != b.strType || a.strGroup != b.strGroup)
                return false;
        }
        return true;
    }
};

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "layout reader: %s\n", what);
    std::abort();
}

// A floor as the reader sees it: pages get consecutive indices, and like the floor control it
// refuses a page once a 16-bit index can no longer name it.
class CModelFloor : public CLayoutText::CPageSink {
public:
    std::vector<Page> m_pages;

    short CreatePage(const std::string& strCaption, const std::string& strPageText) override
    {
        if (strCaption.empty())
            Fail("a page without a caption");
        if (strCaption.find(CLayoutText::kTokenEnd) != std::string::npos)
            Fail("a caption holding the token end");
        if (m_pages.size() >= 32767)
            return -1;
        Page page;
        page.strCaption = strCaption;
        page.bGroup = strPageText.find(CLayoutText::kGroupWord) != std::string::npos;
        m_pages.push_back(std::move(page));
        return static_cast<short>(m_pages.size() - 1);
    }

    void LoadPageRows(short nPage, std::string_view rowText) override
    {
        if (nPage < 0 || static_cast<size_t>(nPage) >= m_pages.size())
            Fail("rows for a page that was never made");
        std::vector<CRowText::Row>& rows = m_pages[static_cast<size_t>(nPage)].rows;
        rows.clear();
        CRowText::ReadRows(rowText, [&](const CRowText::Row& row) {
            for (const std::string* pField : {&row.strName, &row.strAs, &row.strType, &row.strGroup}) {
                if (pField->find(CRowText::kTokenEnd) != std::string::npos
                    || pField->find(CRowText::kFieldSeparator) != std::string::npos)
                    Fail("a row field holding a separator");
            }
            rows.push_back(row);
        });
    }
};

std::vector<std::string> Pieces(const std::string& text, char separator)
{
    std::vector<std::string> pieces(1);
    for (const char c : text) {
        if (c == separator)
            pieces.emplace_back();
        else
            pieces.back().push_back(c);
    }
    return pieces;
}

// The format read the plain way, piece by piece as it is described, with nothing shared with
// the reader under test.
std::vector<Page> PlainReading(const std::string& text)
{
    std::vector<Page> pages;
    std::string strCaption;
    std::string strPageText;
    std::vector<std::string> rowTokens;
    bool bFirst = true;
    long nPage = -1;
    int nDepth = 0;
    for (const std::string& token : Pieces(text, '#')) {
        if (token.empty())
            break;
        if (token == "{") {
            ++nDepth;
            if (!strCaption.empty() && nDepth == 1) {
                nPage = pages.size() < 32767 ? static_cast<long>(pages.size()) : -1;
                if (nPage >= 0)
                    pages.push_back({strCaption, strPageText.find("[Group]") != std::string::npos, {}});
            }
        } else if (token == "}") {
            --nDepth;
            if (nDepth == 0 && nPage >= 0) {
                std::vector<CRowText::Row>& rows = pages[static_cast<size_t>(nPage)].rows;
                rows.clear();
                for (const std::string& row : rowTokens) {
                    std::vector<std::string> fields = Pieces(row, '\\');
                    fields.resize(std::max<size_t>(fields.size(), 4));
                    rows.push_back({fields[0], fields[1], fields[2], fields[3]});
                }
            }
            if (nDepth < 0)
                nDepth = 0;
            rowTokens.clear();
            strPageText.clear();
            bFirst = true;
        } else if (nDepth == 0) {
            if (bFirst)
                strCaption = token;
            else
                strPageText += token;
            bFirst = false;
        } else if (nDepth == 1) {
            rowTokens.push_back(token);
        }
    }
    return pages;
}

std::string Write(const std::vector<Page>& pages)
{
    std::string text;
    for (const Page& page : pages) {
        CLayoutText::AppendPageStart(text, page.strCaption, page.bGroup);
        for (const CRowText::Row& row : page.rows)
            CRowText::AppendRow(text, row);
        CLayoutText::AppendPageEnd(text);
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    CModelFloor first;
    CLayoutText::ReadLayout(text, first);
    if (first.m_pages != PlainReading(text))
        Fail("the reader reads otherwise than the format says");

    const std::string written = Write(first.m_pages);
    CModelFloor second;
    CLayoutText::ReadLayout(written, second);
    if (second.m_pages != first.m_pages)
        Fail("a written layout reads back differently");
    if (Write(second.m_pages) != written)
        Fail("writing is not stable");
    return 0;
}
