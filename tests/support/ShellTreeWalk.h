// Walking a tree view of the shell's name space as a person would, by the names it shows: the
// computer, the drive, each folder of a path.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

std::wstring TreeItemText(HWND hTree, HTREEITEM hItem);
// Next item by a TVGN_ code; TVGN_CHILD of null means the first root item.
HTREEITEM NextTreeItem(HWND hTree, HTREEITEM hItem, UINT nCode);
std::vector<std::wstring> TreeChildren(HWND hTree, HTREEITEM hParent);
// The child shown with the text, the parent opened first as a click on its button would.
HTREEITEM OpenTreeChild(HWND hTree, HTREEITEM hParent, const std::wstring& text);
// What the shell shows for a path, and for the computer that holds the drives.
std::wstring ShellName(const std::wstring& path);
std::wstring ComputerName();
// The item of a path (drive letter first), its ancestors opened; null where a name is missing.
HTREEITEM FindTreePath(HWND hTree, const std::wstring& path);
