// Times the registered kvVelmora control as a host drives it through IDispatch, for layouts of
// growing size on ten pages: loading through PagesAndItems against filling bare report list
// views with the same rows and texts, and the per-name methods (GetPropertyIndex of every name,
// first and again from the cache, SetDefaultValueByName and GetDefaultValueByName of every
// name), whose cost per name must stay flat as the control grows; and a ShellFolder row's tree
// opened and then expanded on a folder of 10,000 subfolders, against a bare tree view of the
// same style filled with the same names and expanded. Needs kvVelmora and the floor control
// registered (run through scripts/bench.sh).
#include "ControlWnd.h"
#include "LayoutText.h"
#include "ListCtrl.h"
#include "Text.h"
#include "Variant.h"

#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kPages = 10;
const int kRuns = 3;

std::string PropertyName(int nRow)
{
    return FormatText("Property %d", nRow);
}

std::string MakeLayout(int nRows)
{
    static const char* kinds[] = {"Edit", "ComboBox", "ColorComboBox", "Button", "Font", "BoolComboBox"};
    static const char* types[] = {"Enable", "Grayed", "Black"};
    std::string text;
    for (int p = 0; p < kPages; ++p) {
        CLayoutText::AppendPageStart(text, FormatText("Page %d", p), false);
        for (int r = p; r < nRows; r += kPages)
            CRowText::AppendRow(text, {PropertyName(r), kinds[r % 6], types[r % 3], ""});
        CLayoutText::AppendPageEnd(text);
    }
    return text;
}

class CStopwatch {
public:
    CStopwatch() { QueryPerformanceCounter(&m_start); }
    double Seconds() const
    {
        LARGE_INTEGER now, frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(now.QuadPart - m_start.QuadPart) / static_cast<double>(frequency.QuadPart);
    }

private:
    LARGE_INTEGER m_start;
};

// One IDispatch call by dispatch id, arguments in their declared order.
CVariant Call(IDispatch* pControl, DISPID dispid, WORD wFlags, std::vector<CVariant> args)
{
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID putId = DISPID_PROPERTYPUT;
    const bool bPut = wFlags == DISPATCH_PROPERTYPUT;
    DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), bPut ? &putId : nullptr,
                         static_cast<UINT>(reversed.size()), bPut ? 1u : 0u};
    CVariant result;
    pControl->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params, result.Out(), nullptr, nullptr);
    return result;
}

// The physical floor: the same rows and texts into bare report list views, one per page.
double BareFill(HWND hParent, int nRows)
{
    std::vector<CListCtrl> lists(kPages);
    CStopwatch watch;
    for (int p = 0; p < kPages; ++p) {
        CListCtrl& list = lists[static_cast<size_t>(p)];
        list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, RECT{0, 0, 380, 360}, hParent, 1);
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 140);
        list.InsertColumn(1, "Value", LVCFMT_LEFT, 128);
        list.SendMessage(WM_SETREDRAW, FALSE);
        for (int r = p; r < nRows; r += kPages)
            list.InsertItem(list.GetItemCount(), PropertyName(r), 32771);
        list.SendMessage(WM_SETREDRAW, TRUE);
    }
    return watch.Seconds();
}

struct Figures {
    double load, bare, firstLookup, cachedLookup, setByName, getByName;   // seconds
};

// Loading alone: the previous layout goes before the watch starts, as the bare fill starts from
// nothing too.
double Load(IDispatch* pControl, const CVariant& layout)
{
    Call(pControl, 1, DISPATCH_PROPERTYPUT, {CVariant("")});
    CStopwatch watch;
    Call(pControl, 1, DISPATCH_PROPERTYPUT, {layout});
    return watch.Seconds();
}

// The best of a few runs of each side, interleaved, so that a busy machine does not decide
// the ratio.
void MeasureLoad(IDispatch* pControl, HWND hFrame, int nRows, Figures* pFigures)
{
    const CVariant layout(MakeLayout(nRows));
    pFigures->load = pFigures->bare = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        pFigures->load = std::min(pFigures->load, Load(pControl, layout));
        pFigures->bare = std::min(pFigures->bare, BareFill(hFrame, nRows));
    }
}

bool Measure(IDispatch* pControl, HWND hFrame, int nRows, Figures* pFigures)
{
    MeasureLoad(pControl, hFrame, nRows, pFigures);
    if (Call(pControl, 11, DISPATCH_METHOD, {}).ToLong() != kPages)
        return false;
    std::vector<CVariant> names;
    for (int r = 0; r < nRows; ++r)
        names.emplace_back(PropertyName(r));
    for (double* pFigure : {&pFigures->firstLookup, &pFigures->cachedLookup}) {
        CStopwatch watch;
        for (int r = 0; r < nRows; ++r) {
            short nPage = -1, nRow = -1;
            Call(pControl, 31, DISPATCH_METHOD, {names[static_cast<size_t>(r)], CVariant::ByRef(&nPage), CVariant::ByRef(&nRow)});
            if (nPage != r % kPages || nRow != r / kPages)
                return false;
        }
        *pFigure = watch.Seconds();
    }
    {
        const CVariant value("value");
        CStopwatch watch;
        for (int r = 0; r < nRows; ++r)
            Call(pControl, 32, DISPATCH_METHOD, {names[static_cast<size_t>(r)], value});
        pFigures->setByName = watch.Seconds();
    }
    {
        CStopwatch watch;
        for (int r = 0; r < nRows; ++r) {
            if (Call(pControl, 33, DISPATCH_METHOD, {names[static_cast<size_t>(r)]}).ToString() != "value")
                return false;
        }
        pFigures->getByName = watch.Seconds();
    }
    return true;
}

double Micro(double seconds, int nRows)
{
    return seconds * 1e6 / nRows;
}

// --- The folder tree ---

const int kFolders = 10000;
const wchar_t kBenchFolder[] = L"C:\\velmora-bench-folders";
const DWORD kTreeStyle = WS_POPUP | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_DISABLEDRAGDROP;

struct FolderFigures {
    double open, expand, bare;   // seconds
};

void MakeBenchFolders()
{
    CreateDirectoryW(kBenchFolder, nullptr);
    for (int i = 0; i < kFolders; ++i) {
        wchar_t path[MAX_PATH];
        swprintf(path, MAX_PATH, L"%ls\\Folder %05d", kBenchFolder, i);
        CreateDirectoryW(path, nullptr);
    }
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Click(HWND hWnd, POINT pt)
{
    SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    SendMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

std::wstring ItemText(HWND hTree, HTREEITEM hItem)
{
    wchar_t text[MAX_PATH] = {};
    TVITEMW item = {};
    item.mask = TVIF_TEXT;
    item.hItem = hItem;
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    SendMessageW(hTree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return text;
}

std::vector<std::wstring> ChildTexts(HWND hTree, HTREEITEM hParent)
{
    std::vector<std::wstring> texts;
    for (auto hChild = TreeView_GetChild(hTree, hParent); hChild; hChild = TreeView_GetNextSibling(hTree, hChild))
        texts.push_back(ItemText(hTree, hChild));
    return texts;
}

// The child shown with the name the shell gives the path (or the pidl), the parent opened first.
HTREEITEM ChildNamed(HWND hTree, HTREEITEM hParent, LPCWSTR pszPath, UINT nFlags = 0)
{
    SHFILEINFOW info = {};
    SHGetFileInfoW(pszPath, 0, &info, sizeof(info), SHGFI_DISPLAYNAME | nFlags);
    if (hParent)
        TreeView_Expand(hTree, hParent, TVE_EXPAND);
    for (auto hChild = hParent ? TreeView_GetChild(hTree, hParent) : TreeView_GetRoot(hTree); hChild;
         hChild = TreeView_GetNextSibling(hTree, hChild))
        if (ItemText(hTree, hChild) == info.szDisplayName)
            return hChild;
    return nullptr;
}

HTREEITEM BenchFolderItem(HWND hTree)
{
    LPITEMIDLIST pidlDrives = nullptr;
    SHGetFolderLocation(nullptr, CSIDL_DRIVES, nullptr, 0, &pidlDrives);
    HTREEITEM hItem = ChildNamed(hTree, nullptr, reinterpret_cast<LPCWSTR>(pidlDrives), SHGFI_PIDL);
    CoTaskMemFree(pidlDrives);
    hItem = hItem ? ChildNamed(hTree, hItem, L"C:\\") : nullptr;
    return hItem ? ChildNamed(hTree, hItem, kBenchFolder) : nullptr;
}

// The same names into a bare pop-up tree of the same style, size and images, under an item that
// is then expanded, as the control's tree does when it opens a folder.
double BareTree(const std::vector<std::wstring>& names, const RECT& place)
{
    SHFILEINFOW info = {};
    const auto hImages = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    SHGetFileInfoW(kBenchFolder, 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    HWND hTree = CreateWindowExW(WS_EX_TOOLWINDOW, WC_TREEVIEWW, L"", kTreeStyle | WS_VISIBLE, place.left, place.top,
                                 place.right - place.left, place.bottom - place.top, nullptr, nullptr, nullptr, nullptr);
    TreeView_SetImageList(hTree, hImages, TVSIL_NORMAL);
    TVINSERTSTRUCTW insert = {};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
    insert.item.pszText = const_cast<LPWSTR>(L"velmora-bench-folders");
    insert.item.iImage = insert.item.iSelectedImage = info.iIcon;
    insert.item.cChildren = 1;
    const auto hParent = reinterpret_cast<HTREEITEM>(SendMessageW(hTree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    UpdateWindow(hTree);
    PumpMessages();
    insert.hParent = hParent;
    CStopwatch watch;
    for (const std::wstring& name : names) {
        insert.item.pszText = const_cast<LPWSTR>(name.c_str());
        SendMessageW(hTree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
    }
    TreeView_Expand(hTree, hParent, TVE_EXPAND);
    UpdateWindow(hTree);
    const double seconds = watch.Seconds();
    DestroyWindow(hTree);
    return seconds;
}

// Each run: the row selected and its tree dropped (open), then the bench folder, reached by its
// names, expanded (expand); both until painted. The bare tree runs in between.
bool MeasureFolderTree(IDispatch* pControl, HWND hControl, FolderFigures* pFigures)
{
    Call(pControl, 1, DISPATCH_PROPERTYPUT, {CVariant("Folders#{#Folder\\ShellFolder\\Enable\\#Other\\Edit\\Enable\\#}#")});
    PumpMessages();
    const HWND hList = GetDlgItem(GetWindow(hControl, GW_CHILD), 1000);
    RECT folderRow = {}, otherRow = {};
    if (!hList || !ListView_GetItemRect(hList, 0, &folderRow, LVIR_BOUNDS) || !ListView_GetItemRect(hList, 1, &otherRow, LVIR_BOUNDS))
        return false;
    const int nFolderY = (folderRow.top + folderRow.bottom) / 2;
    *pFigures = {1e9, 1e9, 1e9};
    for (int run = 0; run < kRuns; ++run) {
        Click(hList, POINT{20, (otherRow.top + otherRow.bottom) / 2});
        PumpMessages();
        CStopwatch open;
        Click(hList, POINT{20, nFolderY});
        // The row button is where the selected row is drawn with it.
        UpdateWindow(hList);
        Click(hList, POINT{folderRow.right - 6, nFolderY});
        const HWND hTree = GetFocus();
        UpdateWindow(hTree);
        pFigures->open = std::min(pFigures->open, open.Seconds());
        const HTREEITEM hBench = BenchFolderItem(hTree);
        if (!hBench)
            return false;
        UpdateWindow(hTree);
        PumpMessages();
        CStopwatch expand;
        TreeView_Expand(hTree, hBench, TVE_EXPAND);
        UpdateWindow(hTree);
        pFigures->expand = std::min(pFigures->expand, expand.Seconds());
        const std::vector<std::wstring> names = ChildTexts(hTree, hBench);
        if (names.size() != static_cast<size_t>(kFolders))
            return false;
        RECT place = {};
        GetWindowRect(hTree, &place);
        pFigures->bare = std::min(pFigures->bare, BareTree(names, place));
    }
    Click(hList, POINT{20, (otherRow.top + otherRow.bottom) / 2});
    PumpMessages();
    return true;
}

} // namespace

int main()
{
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    HWND hFrame = CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 420, 400, nullptr,
                                  nullptr, nullptr, nullptr);
    int result = 0;
    {
        CLSID clsid = {};
        CControlWnd control;
        if (FAILED(CLSIDFromProgID(L"KV.Velmora.1", &clsid))
            || !control.CreateControl(clsid, hFrame, 1, RECT{0, 0, 400, 380}, true, nullptr)) {
            std::printf("the kvVelmora control is not registered\n");
            result = 1;
        } else {
            std::printf("%8s %10s %10s %7s | per name (us): %9s %9s %9s %9s\n", "rows", "load (ms)", "bare (ms)", "ratio",
                        "index 1st", "cached", "set", "get");
            for (int nRows : {1000, 10000, 100000}) {
                Figures figures = {};
                if (!Measure(control.GetControlDispatch(), hFrame, nRows, &figures)) {
                    std::printf("%8d: the control did not answer as expected\n", nRows);
                    result = 1;
                    break;
                }
                std::printf("%8d %10.1f %10.1f %7.2f | %24.2f %9.2f %9.2f %9.2f\n", nRows, figures.load * 1000.0,
                            figures.bare * 1000.0, figures.load / figures.bare, Micro(figures.firstLookup, nRows),
                            Micro(figures.cachedLookup, nRows), Micro(figures.setByName, nRows),
                            Micro(figures.getByName, nRows));
            }
        }
        FolderFigures folders = {};
        MakeBenchFolders();
        if (result == 0 && MeasureFolderTree(control.GetControlDispatch(), control.m_hWnd, &folders)) {
            std::printf("\n%8s %10s %11s %10s %7s\n", "folders", "open (ms)", "expand (ms)", "bare (ms)", "ratio");
            std::printf("%8d %10.1f %11.1f %10.1f %7.2f\n", kFolders, folders.open * 1000.0, folders.expand * 1000.0,
                        folders.bare * 1000.0, folders.expand / folders.bare);
        } else if (result == 0) {
            std::printf("the folder tree did not open on the bench folder\n");
            result = 1;
        }
        control.DestroyControl();
    }
    DestroyWindow(hFrame);
    OleUninitialize();
    return result;
}
