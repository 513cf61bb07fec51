// CLayoutText: the pages of the PagesAndItems layout format, read and written in one place so
// that the two cannot drift apart. Tokens end with "#" and nothing is escaped; each page's rows
// are the page list's to read and write (CRowText).
#pragma once
#include "RowText.h"

#include <string>
#include <string_view>

class CLayoutText {
public:
    static constexpr char kTokenEnd = CRowText::kTokenEnd;
    static constexpr const char* kGroupWord = "[Group]";
    static constexpr const char* kOpenPage = "{";
    static constexpr const char* kClosePage = "}";

    // What the reader asks of the floor it fills.
    class CPageSink {
    public:
        virtual ~CPageSink() = default;
        // Adds a page; a negative index means the page was refused.
        virtual short CreatePage(const std::string& strCaption, const std::string& strPageText) = 0;
        // Gives an existing page its rows ("#"-terminated row tokens), a part of the layout text.
        virtual void LoadPageRows(short nPage, std::string_view rowText) = 0;
    };

    // Reads a whole layout, page by page, as far as the text is well formed, in one pass: each
    // page's rows are handed on as the part of the text they are.
    static void ReadLayout(std::string_view text, CPageSink& sink);

    static void AppendPageStart(std::string& text, const std::string& strCaption, bool bGroup);
    static void AppendPageEnd(std::string& text);

private:
    // Hands out the "#"-separated pieces front to back (each once: reading stays linear).
    class CTokenReader;
};
