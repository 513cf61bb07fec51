#include "ShellTree.h"

#include "Text.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <memory>

BEGIN_MESSAGE_MAP(CShellTree, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_ITEMEXPANDINGW, OnItemExpanding)
    ON_NOTIFY_REFLECT(TVN_GETDISPINFOW, OnGetDispInfo)
END_MESSAGE_MAP(CTreeCtrl)

namespace {

const ULONG kEnumBatch = 256;

struct CShellStringFree {
    void operator()(wchar_t* psz) const { CoTaskMemFree(psz); }
};

// The shell's text of an item, taken over from the shell's allocator.
std::wstring DisplayName(IShellFolder* pFolder, LPCITEMIDLIST pidl, SHGDNF flags)
{
    STRRET name = {};
    LPWSTR pszName = nullptr;
    if (FAILED(pFolder->GetDisplayNameOf(pidl, flags, &name)) || FAILED(StrRetToStrW(&name, pidl, &pszName)))
        return std::wstring();
    const std::unique_ptr<wchar_t, CShellStringFree> held(pszName);
    return std::wstring(held.get());
}

int SmallIconIndex(LPCITEMIDLIST pidlAbsolute, UINT nFlags)
{
    SHFILEINFOW info = {};
    if (!SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidlAbsolute), 0, &info, sizeof(info),
                        SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | nFlags))
        return 0;
    return info.iIcon;
}

// A folder of the file system that is neither read-only nor a system folder cannot carry an
// icon of its own (the shell reads a folder's own icon only from those): it shows the shell's
// folder icon. Its attributes travel in its identifier, so nothing on the disk is touched.
bool IsPlainFolder(IShellFolder* pParentFolder, LPCITEMIDLIST pidl)
{
    WIN32_FIND_DATAW data = {};
    return SUCCEEDED(SHGetDataFromIDListW(pParentFolder, pidl, SHGDFIL_FINDDATA, &data, sizeof(data)))
        && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        && !(data.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM));
}

} // namespace

void CShellTree::FillTopLevel()
{
    SHFILEINFOW info = {};
    const auto hImages = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    SetImageList(hImages, TVSIL_NORMAL);
    CComPointer<IShellFolder> pDesktop;
    if (FAILED(SHGetDesktopFolder(pDesktop.Out())) || !FillLevel(TVI_ROOT, pDesktop, nullptr))
        return;
    Expand(GetRootItem(), TVE_EXPAND);
}

std::string CShellTree::GetItemPath(HTREEITEM hItem) const
{
    const CShellItem* pItem = hItem ? ShellItemOf(GetItemData(hItem)) : nullptr;
    if (!pItem)
        return std::string();
    LPCITEMIDLIST pidl = pItem->relative.Get();
    SFGAOF attributes = SFGAO_FILESYSTEM;
    if (FAILED(pItem->pParentFolder->GetAttributesOf(1, &pidl, &attributes)) || !(attributes & SFGAO_FILESYSTEM))
        return std::string();
    // The shell cuts a whole path at MAX_PATH; the parent's path and the item's own name are
    // not cut.
    const std::string strParent = GetItemPath(GetParentItem(hItem));
    if (strParent.empty())
        return WideToUtf8(DisplayName(pItem->pParentFolder, pidl, SHGDN_FORPARSING));
    const std::string strName = WideToUtf8(DisplayName(pItem->pParentFolder, pidl, SHGDN_INFOLDER | SHGDN_FORPARSING));
    return strParent.back() == '\\' ? strParent + strName : strParent + '\\' + strName;
}

// Only a folder opened for the first time is read; one with nothing to show loses its button.
LRESULT CShellTree::OnItemExpanding(WPARAM, LPARAM lParam)
{
    const auto* pNotify = reinterpret_cast<const NMTREEVIEWW*>(lParam);
    const TVITEMW& item = pNotify->itemNew;
    const CShellItem* pItem = ShellItemOf(item.lParam);
    if (!(pNotify->action & TVE_EXPAND) || (item.state & TVIS_EXPANDEDONCE) || !pItem)
        return 0;
    CComPointer<IShellFolder> pFolder;
    if (FAILED(pItem->pParentFolder->BindToObject(pItem->relative.Get(), nullptr, IID_IShellFolder,
                                                  reinterpret_cast<void**>(pFolder.Out())))
        || !FillLevel(item.hItem, pFolder, pItem->absolute.Get()))
        SetChildrenFlag(item.hItem, FALSE);
    return 0;
}

// Icons are looked up as the tree first shows an item: a lookup costs far more than an item,
// and a level may hold thousands of folders of which a few are ever seen.
LRESULT CShellTree::OnGetDispInfo(WPARAM, LPARAM lParam)
{
    auto* pInfo = reinterpret_cast<NMTVDISPINFOW*>(lParam);
    TVITEMW& item = pInfo->item;
    const CShellItem* pItem = ShellItemOf(item.lParam);
    if (!pItem)
        return 0;
    if (item.mask & TVIF_IMAGE)
        item.iImage = IconOf(*pItem, 0);
    if (item.mask & TVIF_SELECTEDIMAGE)
        item.iSelectedImage = IconOf(*pItem, SHGFI_OPENICON);
    item.mask |= TVIF_DI_SETITEM;
    return 0;
}

// The shell's icon of an item; asking for a folder's costs as much as the folder's parent is
// large, so plain folders share the icon the shell gave the first of them.
int CShellTree::IconOf(const CShellItem& item, UINT nOpen)
{
    const bool bPlain = IsPlainFolder(item.pParentFolder, item.relative.Get());
    int& nShared = m_nPlainFolderIcons[nOpen ? 1 : 0];
    if (bPlain && nShared >= 0)
        return nShared;
    const int nIcon = SmallIconIndex(item.absolute.Get(), nOpen);
    if (bPlain)
        nShared = nIcon;
    return nIcon;
}

BOOL CShellTree::FillLevel(HTREEITEM hParent, IShellFolder* pFolder, LPCITEMIDLIST pidlFolder)
{
    CComPointer<IEnumIDList> pEnum;
    // S_FALSE: nothing to enumerate, and no enumerator.
    if (pFolder->EnumObjects(::GetParent(m_hWnd), SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, pEnum.Out()) != S_OK || !pEnum)
        return FALSE;
    std::vector<CFound> found = ReadFolders(pFolder, pEnum);
    SortLikeShell(pFolder, found);
    for (CFound& folder : found)
        InsertFolder(hParent, pFolder, pidlFolder, folder);
    return !found.empty();
}

std::vector<CShellTree::CFound> CShellTree::ReadFolders(IShellFolder* pFolder, IEnumIDList* pEnum)
{
    std::vector<CFound> found;
    LPITEMIDLIST batch[kEnumBatch];
    ULONG nFetched = 0;
    while (SUCCEEDED(pEnum->Next(kEnumBatch, batch, &nFetched)) && nFetched > 0) {
        std::vector<CItemIdList> fetched(batch, batch + nFetched);
        for (CItemIdList& pidl : fetched) {
            LPCITEMIDLIST pidlItem = pidl.Get();
            SFGAOF attributes = SFGAO_FOLDER | SFGAO_HASSUBFOLDER;
            if (FAILED(pFolder->GetAttributesOf(1, &pidlItem, &attributes)) || !(attributes & SFGAO_FOLDER))
                continue;
            std::wstring strName = DisplayName(pFolder, pidlItem, SHGDN_NORMAL);
            found.push_back(CFound{std::move(pidl), std::move(strName), (attributes & SFGAO_HASSUBFOLDER) != 0});
        }
        nFetched = 0;
    }
    return found;
}

// A folder commonly lists its items in order already; then one pass over them says so.
void CShellTree::SortLikeShell(IShellFolder* pFolder, std::vector<CFound>& found)
{
    const auto precedes = [pFolder](const CFound& a, const CFound& b) {
        return static_cast<short>(HRESULT_CODE(pFolder->CompareIDs(0, a.relative.Get(), b.relative.Get()))) < 0;
    };
    if (!std::is_sorted(found.begin(), found.end(), precedes))
        std::stable_sort(found.begin(), found.end(), precedes);
}

void CShellTree::InsertFolder(HTREEITEM hParent, IShellFolder* pFolder, LPCITEMIDLIST pidlFolder, CFound& found)
{
    CItemIdList absolute(ILCombine(pidlFolder, found.relative.Get()));
    m_items.push_back(CShellItem{CComPointer<IShellFolder>(pFolder), std::move(found.relative), std::move(absolute)});
    TVINSERTSTRUCTW insert = {};
    insert.hParent = hParent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    insert.item.pszText = found.strName.data();
    insert.item.iImage = I_IMAGECALLBACK;
    insert.item.iSelectedImage = I_IMAGECALLBACK;
    insert.item.cChildren = found.bHasSubfolders ? 1 : 0;
    insert.item.lParam = reinterpret_cast<LPARAM>(&m_items.back());
    SendMessage(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
}

const CShellTree::CShellItem* CShellTree::ShellItemOf(LPARAM lParam)
{
    return reinterpret_cast<const CShellItem*>(lParam);
}
