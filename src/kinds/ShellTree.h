// CShellTree: a tree view of the shell's name space - the desktop's folders at the top, each
// folder's subfolders read when it is first opened, in the shell's own order and with the
// system's small icons. Each item knows its folder in the name space.
#pragma once
#include "ComPointer.h"
#include "ItemIdList.h"
#include "TreeCtrl.h"

#include <shlobj.h>

#include <deque>
#include <string>
#include <vector>

class CShellTree : public CTreeCtrl {
public:
    // What a tree item stands for: its folder as its parent folder knows it, and its place
    // from the desktop down.
    struct CShellItem {
        CComPointer<IShellFolder> pParentFolder;
        CItemIdList relative;
        CItemIdList absolute;
    };

    // The desktop's folders under the root, the first of them opened, and the system's small
    // icons as the tree's images. The tree stays empty without a desktop folder.
    void FillTopLevel();
    // The file-system path of the item; empty for a virtual folder.
    std::string GetItemPath(HTREEITEM hItem) const;

protected:
    LRESULT OnItemExpanding(WPARAM, LPARAM);
    LRESULT OnGetDispInfo(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    // A folder found in a level, not yet in the tree.
    struct CFound {
        CItemIdList relative;
        std::wstring strName;
        bool bHasSubfolders = false;
    };

    // Fills hParent with the folders of pFolder, whose place is pidlFolder (null: the desktop).
    // FALSE when it has none to show.
    BOOL FillLevel(HTREEITEM hParent, IShellFolder* pFolder, LPCITEMIDLIST pidlFolder);
    static std::vector<CFound> ReadFolders(IShellFolder* pFolder, IEnumIDList* pEnum);
    static void SortLikeShell(IShellFolder* pFolder, std::vector<CFound>& found);
    void InsertFolder(HTREEITEM hParent, IShellFolder* pFolder, LPCITEMIDLIST pidlFolder, CFound& found);
    static const CShellItem* ShellItemOf(LPARAM lParam);
    // nOpen: 0 or SHGFI_OPENICON.
    int IconOf(const CShellItem& item, UINT nOpen);

    // The items' records; addresses stay put as the tree grows.
    std::deque<CShellItem> m_items;
    // The icons, closed and open, of folders that cannot have one of their own; -1 until one
    // was looked up.
    int m_nPlainFolderIcons[2] = {-1, -1};
};
