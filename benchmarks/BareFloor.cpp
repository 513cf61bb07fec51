#include "BareFloor.h"

#include "LayoutText.h"
#include "Text.h"

#include <commctrl.h>

#include <algorithm>

const DWORD kPageListStyle = LVS_OWNERDRAWFIXED | LVS_SINGLESEL | WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN |
                             LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS | LVS_REPORT;
const DWORD kPageListExStyle = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
const RECT kFloorRect = {0, 0, 400, 380};

namespace {

// A list's own tooltip window, made as a page list with the ToolTips option on once made its
// own: what the platform charges for that window is then part of the floor.
void AddListTip(HWND hList)
{
    HWND hTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, L"", WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, 0, 0, hList, nullptr, nullptr, nullptr);
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = hList;
    tool.uId = reinterpret_cast<UINT_PTR>(hList);
    tool.lpszText = const_cast<LPWSTR>(L"");
    SendMessageW(hTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

} // namespace

std::string PropertyName(int nRow)
{
    return FormatText("Property %d", nRow);
}

PageNames Names(int nPages, int nRows, size_t nLength)
{
    PageNames pages(static_cast<size_t>(nPages));
    for (int r = 0; r < nRows; ++r) {
        std::wstring name = Utf8ToWide(PropertyName(r));
        name.resize(std::max(name.size(), nLength), L'x');
        pages[static_cast<size_t>(r % nPages)].push_back(std::move(name));
    }
    return pages;
}

std::string LayoutOf(const PageNames& pages)
{
    std::string text;
    for (size_t p = 0; p < pages.size(); ++p) {
        CLayoutText::AppendPageStart(text, FormatText("Page %d", static_cast<int>(p)), false);
        for (const std::wstring& name : pages[p])
            CRowText::AppendRow(text, {WideToUtf8(name), "Edit", "Enable", ""});
        CLayoutText::AppendPageEnd(text);
    }
    return text;
}

void InsertNamedRow(HWND hList, int nRow, const std::wstring& name)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = nRow;
    item.pszText = const_cast<LPWSTR>(name.c_str());
    item.lParam = 32771;
    SendMessageW(hList, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void AddColumns(HWND hList)
{
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.cx = 140;
    column.pszText = const_cast<LPWSTR>(L"Name");
    SendMessageW(hList, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    column.cx = 128;
    column.iSubItem = 1;
    column.pszText = const_cast<LPWSTR>(L"Value");
    SendMessageW(hList, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
}

CBareFloor::CBareFloor(HWND hFrame, bool bTips)
    : m_hParent(CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_CLIPCHILDREN, 0, 0, kFloorRect.right,
                                kFloorRect.bottom, hFrame, nullptr, nullptr, nullptr)),
      m_bTips(bTips)
{
}

CBareFloor::~CBareFloor()
{
    Clear();
    DestroyWindow(m_hParent);
}

void CBareFloor::Fill(const PageNames& pages)
{
    ShowWindow(m_hParent, SW_HIDE);
    for (size_t p = 0; p < pages.size(); ++p) {
        const DWORD style = p == 0 ? kPageListStyle : kPageListStyle & ~WS_VISIBLE;
        HWND hList = CreateWindowExW(0, WC_LISTVIEWW, L"", style, 0, 0, 0, 0, m_hParent,
                                     reinterpret_cast<HMENU>(1000 + p), nullptr, nullptr);
        SendMessageW(hList, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, kPageListExStyle);
        AddColumns(hList);
        if (m_bTips)
            AddListTip(hList);
        if (p == 0)
            SetWindowPos(hList, HWND_TOP, 0, 0, kFloorRect.right, kFloorRect.bottom, SWP_SHOWWINDOW);
        SendMessageW(hList, WM_SETREDRAW, FALSE, 0);
        int nRow = 0;
        for (const std::wstring& name : pages[p])
            InsertNamedRow(hList, nRow++, name);
        SendMessageW(hList, WM_SETREDRAW, TRUE, 0);
        m_lists.push_back(hList);
    }
    ShowWindow(m_hParent, SW_SHOW);
}

void CBareFloor::Clear()
{
    for (HWND hList : m_lists)
        DestroyWindow(hList);
    m_lists.clear();
}
