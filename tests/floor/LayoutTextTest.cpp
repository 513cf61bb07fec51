#include "LayoutText.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Page {
    std::string caption;
    std::string pageText;
    std::vector<std::string> rows; // "name|as|type|group"
    bool loaded = false;
};

// Records what the reader asks of a floor; refuses pages whose caption starts with "!".
class CRecordingSink : public CLayoutText::CPageSink {
public:
    std::vector<Page> pages;

    short CreatePage(const std::string& strCaption, const std::string& strPageText) override
    {
        if (strCaption[0] == '!')
            return -1;
        pages.push_back({strCaption, strPageText, {}, false});
        return static_cast<short>(pages.size() - 1);
    }

    void LoadPageRows(short nPage, std::string_view rowText) override
    {
        Page& page = pages.at(static_cast<size_t>(nPage));
        page.loaded = true;
        page.rows.clear();
        CRowText::ReadRows(rowText, [&](const CRowText::Row& row) {
            page.rows.push_back(row.strName + "|" + row.strAs + "|" + row.strType + "|" + row.strGroup);
        });
    }
};

CRecordingSink Read(const std::string& text)
{
    CRecordingSink sink;
    CLayoutText::ReadLayout(text, sink);
    return sink;
}

TEST(LayoutText, WellFormedPagesAndRows)
{
    const auto sink = Read("General#{#Name\\Edit\\Enable\\#Colour\\ColorComboBox\\Grayed\\#}#"
                           "Tree#[Group]#{#G\\Group\\Enable\\#Child\\Edit\\\\G#}#");
    ASSERT_EQ(sink.pages.size(), 2u);
    EXPECT_EQ(sink.pages[0].caption, "General");
    EXPECT_EQ(sink.pages[0].pageText, "");
    EXPECT_EQ(sink.pages[0].rows, (std::vector<std::string>{"Name|Edit|Enable|", "Colour|ColorComboBox|Grayed|"}));
    EXPECT_EQ(sink.pages[1].pageText, "[Group]");
    EXPECT_EQ(sink.pages[1].rows, (std::vector<std::string>{"G|Group|Enable|", "Child|Edit||G"}));
}

TEST(LayoutText, RowFieldsMissingOrExtra)
{
    EXPECT_EQ(Read("P#{#OnlyName#A\\Edit#B\\Edit\\Enable\\G\\extra\\more#}#").pages.at(0).rows,
              (std::vector<std::string>{"OnlyName|||", "A|Edit||", "B|Edit|Enable|G"}));
}

TEST(LayoutText, OpenBeforeAnyCaptionDropsItsRows)
{
    const auto sink = Read("{#lost\\Edit#}#A#{#kept\\Edit#}#");
    ASSERT_EQ(sink.pages.size(), 1u);
    EXPECT_EQ(sink.pages[0].rows, (std::vector<std::string>{"kept|Edit||"}));
}

TEST(LayoutText, GroupWordOnlyCountsBetweenCaptionAndBrace)
{
    const auto sink = Read("My [Group] page#{#}#Q#x[Group]y#{#}#R#[group]#{#}#");
    ASSERT_EQ(sink.pages.size(), 3u);
    EXPECT_EQ(sink.pages[0].pageText, "");             // in the caption: not a page text
    EXPECT_EQ(sink.pages[1].pageText, "x[Group]y");
    EXPECT_EQ(sink.pages[2].pageText, "[group]");      // the floor tests the case-sensitive word
}

TEST(LayoutText, RefusedPageDropsItsRows)
{
    const auto sink = Read("!no#{#r\\Edit#}#Yes#{#s\\Edit#}#");
    ASSERT_EQ(sink.pages.size(), 1u);
    EXPECT_EQ(sink.pages[0].rows, (std::vector<std::string>{"s|Edit||"}));
}

TEST(LayoutText, WrittenLayoutReadsBack)
{
    std::string text;
    CLayoutText::AppendPageStart(text, "First", false);
    CRowText::AppendRow(text, {"Name", "Edit", "Enable", ""});
    CRowText::AppendRow(text, {"Grp", "Group", "Black", ""});
    CLayoutText::AppendPageEnd(text);
    CLayoutText::AppendPageStart(text, "Second", true);
    CLayoutText::AppendPageEnd(text);
    EXPECT_EQ(text, "First#{#Name\\Edit\\Enable\\#Grp\\Group\\Black\\#}#Second#[Group]#{#}#");
    const auto sink = Read(text);
    ASSERT_EQ(sink.pages.size(), 2u);
    EXPECT_EQ(sink.pages[0].rows, (std::vector<std::string>{"Name|Edit|Enable|", "Grp|Group|Black|"}));
    EXPECT_EQ(sink.pages[1].pageText, "[Group]");
}

} // namespace
