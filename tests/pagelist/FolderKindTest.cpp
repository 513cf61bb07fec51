// The ShellFolder kind on a real page list with a fake control: the pop-up tree of the shell's
// name space, expanded into a folder tree the test makes in the prefix, the chosen path
// committed by Enter, Space or a click outside, left without a change when the focus goes, and
// folders that vanish, long paths and names in many scripts.
#include "ControlsFactory.h"
#include "FolderKind.h"
#include "ShellTreeWalk.h"
#include "TestFolders.h"
#include "TestKinds.h"
#include "Text.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>

namespace {


const wchar_t kManyScripts[] = L"\u00DCn\u00EFc\u00F8d\u00E9 \u6F22\u5B57 \u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC "
                               L"\u0627\u0644\u0639\u0631\u0628\u064A\u0629 \u0939\u093F\u0928\u094D\u0926\u0940";

class FolderKindTest : public PageListFixture<CPageListCtrl> {
protected:
    void SetUp() override
    {
        PageListFixture::SetUp();
        RegisterControlsClass("CControlsWnd_CShellFolder", &NewControlsObject<CControlsWnd_CShellFolder>);
        m_folders.Make(L"Alpha\\Beta\\Gamma");
        m_folders.Make(L"Alpha\\Delta");
        m_folders.Make(kManyScripts);
        m_folders.Make(L"Vanishing\\Inside");
        m_list.AddItemFromText("Reports", "ShellFolder", "Enable", "");
        m_list.SetItemValue(0, "C:\\before");
    }
    void TearDown() override
    {
        m_owner.onEvent = nullptr;
        PageListFixture::TearDown();
        EXPECT_EQ(nullptr, FindWindowW(WC_TREEVIEWW, nullptr)) << "no pop-up is left behind";
    }

    CControlsWnd* Activate()
    {
        m_list.ReleaseActive();
        return m_list.ActivateRow(0) ? m_list.GetActiveControlsWnd() : nullptr;
    }
    HWND Tree()
    {
        CControlsWnd* pObj = m_list.GetActiveControlsWnd();
        return pObj && pObj->m_pEditor ? pObj->m_pEditor->m_hWnd : nullptr;
    }
    // The row's tree dropped, as the row button drops it.
    HWND Open()
    {
        CControlsWnd* pObj = Activate();
        if (!pObj)
            return nullptr;
        SetFocus(m_list.m_hWnd);
        pObj->ShowEditor(2);
        PumpUntilIdle();
        m_owner.events.clear();
        return Tree();
    }
    static void Select(HWND hTree, HTREEITEM hItem)
    {
        SendMessageW(hTree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(hItem));
        PumpUntilIdle();
    }
    static void Key(HWND hTree, UINT nKey)
    {
        PostMessageW(hTree, WM_KEYDOWN, nKey, 1);
        PumpUntilIdle();
    }
    // Chooses the folder at the path in the open tree and presses Enter.
    void Choose(HWND hTree, const std::wstring& path)
    {
        const HTREEITEM hItem = FindTreePath(hTree, path);
        ASSERT_NE(nullptr, hItem) << WideToUtf8(path);
        Select(hTree, hItem);
        Key(hTree, VK_RETURN);
    }

    CTestFolders m_folders{L"velmora-folders"};
};

TEST_F(FolderKindTest, TreeIsAHiddenPopUpOfTheDesktopsFoldersWithTheFirstOneOpen)
{
    CControlsWnd* pObj = Activate();
    ASSERT_NE(nullptr, pObj);
    const HWND hTree = Tree();
    ASSERT_NE(nullptr, hTree);
    const LONG style = GetWindowLongW(hTree, GWL_STYLE);
    EXPECT_EQ(static_cast<LONG>(WS_POPUP | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_DISABLEDRAGDROP),
              style & (WS_POPUP | WS_BORDER | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_DISABLEDRAGDROP));
    EXPECT_TRUE(GetWindowLongW(hTree, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    RECT window = {};
    GetWindowRect(hTree, &window);
    EXPECT_EQ(164, window.right - window.left);
    EXPECT_EQ(128, window.bottom - window.top);
    EXPECT_EQ(GetAncestor(m_list.m_hWnd, GA_ROOT), GetWindow(hTree, GW_OWNER));
    EXPECT_NE(nullptr, reinterpret_cast<HIMAGELIST>(SendMessageW(hTree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0)));

    const std::vector<std::wstring> top = TreeChildren(hTree, nullptr);
    ASSERT_FALSE(top.empty());
    EXPECT_NE(top.end(), std::find(top.begin(), top.end(), ComputerName()));
    const HTREEITEM hFirst = NextTreeItem(hTree, nullptr, TVGN_ROOT);
    EXPECT_TRUE(SendMessageW(hTree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(hFirst), TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_FALSE(TreeChildren(hTree, hFirst).empty());
    EXPECT_NE(hTree, GetCapture());
}

TEST_F(FolderKindTest, DroppedBelowTheCellWithTheFocusAndTheMouse)
{
    CControlsWnd* pObj = Activate();
    SetFocus(m_list.m_hWnd);
    m_owner.events.clear();
    pObj->ShowEditor(2);
    EXPECT_EQ(Events{Changing(0)}, m_owner.events);
    const HWND hTree = Tree();
    EXPECT_TRUE(IsWindowVisible(hTree));
    EXPECT_EQ(hTree, GetFocus());
    EXPECT_EQ(hTree, GetCapture());
    RECT cell = {}, placed = {};
    m_list.GetCellRect(&cell, 0);
    MapWindowPoints(m_list.m_hWnd, nullptr, reinterpret_cast<POINT*>(&cell), 2);
    GetWindowRect(hTree, &placed);
    EXPECT_EQ(cell.bottom, placed.top);
    EXPECT_EQ(cell.right, placed.right);
    if (cell.right - cell.left >= 164)
        EXPECT_EQ(cell.left, placed.left);
    else
        EXPECT_EQ(164, placed.right - placed.left);
}

TEST_F(FolderKindTest, NarrowCellGetsTheFullTreeLinedUpWithItsRightEdge)
{
    m_list.SetColumnWidth(m_list.GetNameColumn(), 330);
    m_list.SetColumnWidth(m_list.GetValueColumn(), 60);
    const HWND hTree = Open();
    RECT cell = {}, placed = {};
    m_list.GetCellRect(&cell, 0);
    MapWindowPoints(m_list.m_hWnd, nullptr, reinterpret_cast<POINT*>(&cell), 2);
    ASSERT_LT(cell.right - cell.left, 164);
    GetWindowRect(hTree, &placed);
    EXPECT_EQ(164, placed.right - placed.left);
    EXPECT_EQ(cell.right, placed.right);
    EXPECT_EQ(cell.bottom, placed.top);
}

TEST_F(FolderKindTest, FoldersAreReadWhenFirstOpenedInTheShellsOrder)
{
    const HWND hTree = Open();
    const HTREEITEM hAlpha = FindTreePath(hTree, m_folders.Path(L"Alpha"));
    ASSERT_NE(nullptr, hAlpha);
    TVITEMW item = {};
    item.mask = TVIF_CHILDREN;
    item.hItem = hAlpha;
    SendMessageW(hTree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(1, item.cChildren) << "shows a button before it is read";
    EXPECT_EQ(nullptr, NextTreeItem(hTree, hAlpha, TVGN_CHILD)) << "nothing read before it opens";
    SendMessageW(hTree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(hAlpha));
    EXPECT_EQ((std::vector<std::wstring>{L"Beta", L"Delta"}), TreeChildren(hTree, hAlpha));
    SendMessageW(hTree, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(hAlpha));
    SendMessageW(hTree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(hAlpha));
    EXPECT_EQ((std::vector<std::wstring>{L"Beta", L"Delta"}), TreeChildren(hTree, hAlpha)) << "read once";
    // The shell may say a folder has subfolders without looking; once opened empty, its button goes.
    const HTREEITEM hDelta = OpenTreeChild(hTree, hAlpha, L"Delta");
    SendMessageW(hTree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(hDelta));
    EXPECT_TRUE(TreeChildren(hTree, hDelta).empty());
    item.hItem = hDelta;
    SendMessageW(hTree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(0, item.cChildren) << "a folder without subfolders has no button";
}

TEST_F(FolderKindTest, ItemsShowTheSystemsSmallIcons)
{
    const HWND hTree = Open();
    const HTREEITEM hAlpha = FindTreePath(hTree, m_folders.Path(L"Alpha"));
    ASSERT_NE(nullptr, hAlpha);
    SendMessageW(hTree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(hAlpha));
    Select(hTree, hAlpha);
    UpdateWindow(hTree);
    TVITEMW item = {};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = hAlpha;
    SendMessageW(hTree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    SHFILEINFOW info = {};
    SHGetFileInfoW(m_folders.Path(L"Alpha").c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    EXPECT_EQ(info.iIcon, item.iImage);
    SHGetFileInfoW(m_folders.Path(L"Alpha").c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON);
    EXPECT_EQ(info.iIcon, item.iSelectedImage);
}

TEST_F(FolderKindTest, AClickOutsideChoosesTheSelectedFolderAndOneInsideDoesNot)
{
    const HWND hTree = Open();
    const HTREEITEM hAlpha = FindTreePath(hTree, m_folders.Path(L"Alpha"));
    SendMessageW(hTree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(hAlpha));
    RECT item = {};
    std::memcpy(&item, &hAlpha, sizeof(hAlpha));
    SendMessageW(hTree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&item));
    const LPARAM inside = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageW(hTree, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    SendMessageW(hTree, WM_LBUTTONUP, 0, inside);
    PumpUntilIdle();
    EXPECT_TRUE(IsWindowVisible(hTree));
    EXPECT_EQ(hAlpha, NextTreeItem(hTree, nullptr, TVGN_CARET)) << "the click selected the folder";
    EXPECT_TRUE(m_owner.events.empty());

    RECT window = {};
    GetWindowRect(hTree, &window);
    POINT outside = {window.right + 30, window.bottom + 30};
    ScreenToClient(hTree, &outside);
    SendMessageW(hTree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(outside.x, outside.y));
    SendMessageW(hTree, WM_LBUTTONUP, 0, MAKELPARAM(outside.x, outside.y));
    PumpUntilIdle();
    EXPECT_FALSE(IsWindowVisible(hTree));
    EXPECT_EQ(Events{Changed(0, TRUE)}, m_owner.events);
    EXPECT_EQ(WideToUtf8(m_folders.Path(L"Alpha")), Value(0));
}

} // namespace
