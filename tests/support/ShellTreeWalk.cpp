#include "ShellTreeWalk.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>

std::wstring TreeItemText(HWND hTree, HTREEITEM hItem)
{
    wchar_t text[512] = {};
    TVITEMW item = {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = text;
    item.cchTextMax = 512;
    SendMessageW(hTree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return text;
}

HTREEITEM NextTreeItem(HWND hTree, HTREEITEM hItem, UINT nCode)
{
    if (!hItem && nCode == TVGN_CHILD)
        nCode = TVGN_ROOT;
    return reinterpret_cast<HTREEITEM>(SendMessageW(hTree, TVM_GETNEXTITEM, nCode, reinterpret_cast<LPARAM>(hItem)));
}

std::vector<std::wstring> TreeChildren(HWND hTree, HTREEITEM hParent)
{
    std::vector<std::wstring> names;
    for (HTREEITEM hChild = NextTreeItem(hTree, hParent, TVGN_CHILD); hChild; hChild = NextTreeItem(hTree, hChild, TVGN_NEXT))
        names.push_back(TreeItemText(hTree, hChild));
    return names;
}

HTREEITEM OpenTreeChild(HWND hTree, HTREEITEM hParent, const std::wstring& text)
{
    if (hParent)
        SendMessageW(hTree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(hParent));
    for (HTREEITEM hChild = NextTreeItem(hTree, hParent, TVGN_CHILD); hChild; hChild = NextTreeItem(hTree, hChild, TVGN_NEXT))
        if (TreeItemText(hTree, hChild) == text)
            return hChild;
    return nullptr;
}

std::wstring ShellName(const std::wstring& path)
{
    SHFILEINFOW info = {};
    SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), SHGFI_DISPLAYNAME);
    return info.szDisplayName;
}

std::wstring ComputerName()
{
    LPITEMIDLIST pidl = nullptr;
    SHGetFolderLocation(nullptr, CSIDL_DRIVES, nullptr, 0, &pidl);
    SHFILEINFOW info = {};
    SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidl), 0, &info, sizeof(info), SHGFI_PIDL | SHGFI_DISPLAYNAME);
    CoTaskMemFree(pidl);
    return info.szDisplayName;
}

HTREEITEM FindTreePath(HWND hTree, const std::wstring& path)
{
    HTREEITEM hItem = OpenTreeChild(hTree, nullptr, ComputerName());
    hItem = hItem ? OpenTreeChild(hTree, hItem, ShellName(path.substr(0, 3))) : nullptr;
    size_t nStart = 3;
    while (hItem && nStart < path.size()) {
        const size_t nEnd = std::min(path.find(L'\\', nStart), path.size());
        hItem = OpenTreeChild(hTree, hItem, ShellName(path.substr(0, nEnd)));
        nStart = nEnd + 1;
    }
    return hItem;
}
