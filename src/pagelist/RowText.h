// CRowText: the rows of one page in the layout text, read and written in one place. Each row
// is a "#"-terminated token of "\"-separated fields (name, kind, type, group); nothing is
// escaped, and the first empty token ends the rows.
#pragma once
#include <functional>
#include <string>
#include <string_view>

class CRowText {
public:
    static constexpr char kTokenEnd = '#';
    static constexpr char kFieldSeparator = '\\';

    struct Row {
        std::string strName;
        std::string strAs;
        std::string strType;
        std::string strGroup;
    };

    // Every row token up to the first empty one.
    static void ReadRows(std::string_view text, const std::function<void(const Row&)>& addRow);
    // A missing field is empty; fields past the fourth are ignored.
    static Row SplitRow(std::string_view token);
    static void AppendRow(std::string& text, const Row& row);
};
