// Times the registered kvVelmora control as a host drives it through IDispatch, against bare
// list views made and filled exactly as the control makes and fills its own page lists (the same
// styles, the parent hidden while they fill, one shown, texts made before the watch starts),
// the best of a few runs with both sides interleaved. Sections, each selectable by name on the
// command line (all without one):
// - load: layouts of 1,000 to 100,000 rows on ten pages, loaded and replaced, and the per-name
//   methods (lookup first and from the cache, set and get by name), whose cost per name must
//   stay flat;
// - edits: AddProperty, InsertProperty at the top, DeleteProperty at the top and
//   SetPropertyName, each followed by a lookup by name, per operation, at 1,000 to 100,000 rows;
// - shapes: 100 and 1,000 pages of 10 rows, and layouts of 1 KB names, loaded, replaced and
//   cleared;
// - drawing: a page of 100,000 rows painted first, repainted and scrolled page by page against a
//   plain list of the same look, and page switching;
// - picking: a ComboBox row's list opened on 10 to 100,000 host items against a bare list box,
//   the colour popup, colour texts written and read;
// - grouped: a grouped page of 100,000 rows in 1,000 groups against the same rows ungrouped,
//   every group folded by the space bar, single groups folded on pages of different sizes;
// - folders: a ShellFolder row's tree opened and expanded on 10,000 subfolders against a bare
//   tree view;
// - recordset: an ADORComboBox row bound to an ADO recordset of 100 to 100,000 records opened
//   until its list is painted, against a bare report list view filled with the same texts and
//   shown under the same cell, and a prefix typed into the combo of 100,000 rows.
// Needs kvVelmora and the floor control registered (run through scripts/bench.sh).
#include "Stopwatch.h"
#include "BareFloor.h"
#include "AdoRecordset.h"
#include "ColourText.h"
#include "ControlWnd.h"
#include "EventSinkMap.h"
#include "LayoutText.h"
#include "ListCtrl.h"
#include "Text.h"
#include "Variant.h"

#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const int kPages = 10;
const int kRuns = 3;
// Loading is short next to the machine's hiccups: more runs give a steadier best.
const int kLoadRuns = 7;
const UINT kControlId = 1;

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

double BareFill(HWND hFrame, const PageNames& pages, bool bTips)
{
    CBareFloor floor(hFrame, bTips);
    CStopwatch watch;
    floor.Fill(pages);
    return watch.Seconds();
}

struct Figures {
    double load, bare, replace, bareReplace, loadNoTips, bareTips; // seconds
    double firstLookup, cachedLookup, setByName, getByName;        // seconds
};

// PagesAndItems put with the caller's own string, as a host hands it over: no copy of a large
// layout is timed with the control's work.
void PutLayout(IDispatch* pControl, const CVariant& layout)
{
    VARIANT argument = layout;
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&argument, &putId, 1, 1};
    pControl->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

// Loading alone: the previous layout goes before the watch starts, as the bare fill starts from
// nothing too.
double Load(IDispatch* pControl, const CVariant& layout)
{
    PutLayout(pControl, CVariant(""));
    CStopwatch watch;
    PutLayout(pControl, layout);
    return watch.Seconds();
}

struct ShapeTimes {
    double load, replace, clear; // seconds
};

void KeepBest(ShapeTimes* pBest, const ShapeTimes& times)
{
    pBest->load = std::min(pBest->load, times.load);
    pBest->replace = std::min(pBest->replace, times.replace);
    pBest->clear = std::min(pBest->clear, times.clear);
}

ShapeTimes ControlShape(IDispatch* pControl, const CVariant& layout)
{
    ShapeTimes times = {};
    times.load = Load(pControl, layout);
    CStopwatch replace;
    PutLayout(pControl, layout);
    times.replace = replace.Seconds();
    CStopwatch clear;
    PutLayout(pControl, CVariant(""));
    times.clear = clear.Seconds();
    return times;
}

ShapeTimes BareShape(HWND hFrame, const PageNames& pages, bool bTips)
{
    ShapeTimes times = {};
    CBareFloor floor(hFrame, bTips);
    CStopwatch load;
    floor.Fill(pages);
    times.load = load.Seconds();
    CStopwatch replace;
    floor.Clear();
    floor.Fill(pages);
    times.replace = replace.Seconds();
    CStopwatch clear;
    floor.Clear();
    times.clear = clear.Seconds();
    return times;
}

const DISPID kToolTipsId = 4;

// The best of a few runs of each side, interleaved, so that a busy machine does not decide
// the ratio. The control loads with its ToolTips option on (the default) and off, and replaces
// its layout by the same; the bare lists are filled and replaced without tooltip windows, and
// filled with a tooltip window each.
void MeasureLoad(IDispatch* pControl, HWND hFrame, int nRows, Figures* pFigures)
{
    const CVariant layout(MakeLayout(nRows));
    const PageNames names = Names(kPages, nRows, 0);
    ShapeTimes control = {1e9, 1e9, 1e9}, bare = control;
    pFigures->loadNoTips = pFigures->bareTips = 1e9;
    for (int run = 0; run < kLoadRuns; ++run) {
        KeepBest(&control, ControlShape(pControl, layout));
        Call(pControl, kToolTipsId, DISPATCH_PROPERTYPUT, {CVariant(false)});
        pFigures->loadNoTips = std::min(pFigures->loadNoTips, Load(pControl, layout));
        Call(pControl, kToolTipsId, DISPATCH_PROPERTYPUT, {CVariant(true)});
        // Each side fills with the other's rows gone.
        PutLayout(pControl, CVariant(""));
        KeepBest(&bare, BareShape(hFrame, names, false));
        pFigures->bareTips = std::min(pFigures->bareTips, BareFill(hFrame, names, true));
    }
    pFigures->load = control.load;
    pFigures->replace = control.replace;
    pFigures->bare = bare.load;
    pFigures->bareReplace = bare.replace;
    PutLayout(pControl, layout);
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

struct ShapeFigures {
    ShapeTimes control, bare, bareTips;
};

// Load from nothing, replace by the same layout, clear; the bare floor does the same with its
// lists, without and with a tooltip window each. The best of seven runs, the sides interleaved.
void MeasureShape(IDispatch* pControl, HWND hFrame, const PageNames& pages, ShapeFigures* pFigures)
{
    const CVariant layout(LayoutOf(pages));
    const ShapeTimes none = {1e9, 1e9, 1e9};
    *pFigures = {none, none, none};
    for (int run = 0; run < kLoadRuns; ++run) {
        KeepBest(&pFigures->control, ControlShape(pControl, layout));
        KeepBest(&pFigures->bare, BareShape(hFrame, pages, false));
        KeepBest(&pFigures->bareTips, BareShape(hFrame, pages, true));
    }
}

void PrintShapeRatios(const char* pszName, const ShapeTimes& control, const ShapeTimes& bare)
{
    std::printf("%-30s %9.1f %9.1f %6.2f | %9.1f %9.1f %6.2f | %9.1f %9.1f %6.2f\n", pszName, control.load * 1e3,
                bare.load * 1e3, control.load / bare.load, control.replace * 1e3, bare.replace * 1e3,
                control.replace / bare.replace, control.clear * 1e3, bare.clear * 1e3, control.clear / bare.clear);
}

void ReportShapes(IDispatch* pControl, HWND hFrame)
{
    struct Shape {
        const char* pszName;
        int nPages, nRows;
        size_t nNameLength;
    };
    const Shape shapes[] = {{"100 pages x 10 rows", 100, 1000, 0},
                            {"1,000 pages x 10 rows", 1000, 10000, 0},
                            {"1 KB names, 1,000 rows", kPages, 1000, 1024},
                            {"1 KB names, 10,000 rows", kPages, 10000, 1024}};
    std::printf("\n%-30s %9s %9s %6s | %9s %9s %6s | %9s %9s %6s\n", "layout (ms)", "load", "bare", "ratio", "replace",
                "bare", "ratio", "clear", "bare", "ratio");
    for (const Shape& shape : shapes) {
        ShapeFigures f = {};
        MeasureShape(pControl, hFrame, Names(shape.nPages, shape.nRows, shape.nNameLength), &f);
        PrintShapeRatios(shape.pszName, f.control, f.bare);
        PrintShapeRatios("  against bare lists with tips", f.control, f.bareTips);
    }
}

// --- Drawing and page switching ---

const int kPaintRuns = 5;
const int kScrollPages = 100;

struct IdListSearch {
    long nId;
    HWND hFound;
};

BOOL CALLBACK FindList(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<IdListSearch*>(lParam);
    if (GetDlgCtrlID(hWnd) != pSearch->nId || !IsWindowVisible(hWnd))
        return TRUE;
    pSearch->hFound = hWnd;
    return FALSE;
}

// The list window of a page, while it is the one shown.
HWND PageList(IDispatch* pControl, HWND hControl, short nPage = 0)
{
    IdListSearch search = {Call(pControl, 24, DISPATCH_METHOD, {CVariant(nPage)}).ToLong(), nullptr};
    EnumChildWindows(hControl, FindList, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

// Where a window lies in the frame's coordinates: the bare reference goes in the same place.
RECT PlaceIn(HWND hWnd, HWND hFrame)
{
    RECT place = {};
    GetWindowRect(hWnd, &place);
    MapWindowPoints(nullptr, hFrame, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

void Repaint(HWND hWnd)
{
    RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// The bare reference of drawing: a plain report list (it draws its own texts) with the page
// list's look - rows 18 high, no header, grid lines, full-row selection, the same font - and
// the same names, where the page list is.
class CBareList {
public:
    // Made hidden.
    CBareList(HWND hFrame, const RECT& place, const std::vector<std::wstring>& names, HFONT hFont)
        : m_hImages(ImageList_Create(1, 18, ILC_COLOR, 0, 0)),
          m_hList(CreateWindowExW(0, WC_LISTVIEWW, L"",
                                  (kPageListStyle & ~(LVS_OWNERDRAWFIXED | WS_VISIBLE)) | WS_CLIPSIBLINGS, place.left, place.top,
                                  place.right - place.left, place.bottom - place.top, hFrame, nullptr, nullptr, nullptr))
    {
        SendMessageW(m_hList, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
        SendMessageW(m_hList, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, kPageListExStyle);
        SendMessageW(m_hList, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_hImages));
        AddColumns(m_hList);
        SendMessageW(m_hList, WM_SETREDRAW, FALSE, 0);
        for (const std::wstring& name : names)
            InsertNamedRow(m_hList, static_cast<int>(SendMessageW(m_hList, LVM_GETITEMCOUNT, 0, 0)), name);
        SendMessageW(m_hList, WM_SETREDRAW, TRUE, 0);
    }
    ~CBareList()
    {
        DestroyWindow(m_hList);
        ImageList_Destroy(m_hImages);
    }
    CBareList(const CBareList&) = delete;
    CBareList& operator=(const CBareList&) = delete;
    HWND Window() const { return m_hList; }

private:
    HIMAGELIST m_hImages;
    HWND m_hList;
};

double Scroll(HWND hList)
{
    SendMessageW(hList, LVM_ENSUREVISIBLE, 0, FALSE);
    UpdateWindow(hList);
    CStopwatch watch;
    for (int i = 0; i < kScrollPages; ++i) {
        SendMessageW(hList, WM_VSCROLL, SB_PAGEDOWN, 0);
        UpdateWindow(hList);
    }
    return watch.Seconds() / kScrollPages;
}

double BestRepaint(HWND hWnd)
{
    double best = 1e9;
    for (int run = 0; run < kPaintRuns; ++run) {
        CStopwatch watch;
        Repaint(hWnd);
        best = std::min(best, watch.Seconds());
    }
    return best;
}

struct DrawFigures {
    double first, bareFirst, repaint, bareRepaint, scroll, bareScroll; // seconds
};

// One page of 100,000 rows: the first paint after loading, a full repaint, and a page-by-page
// scroll, against the bare list in the same place; the control hidden while the bare list runs.
bool MeasureDrawing(IDispatch* pControl, HWND hFrame, HWND hControl, DrawFigures* pFigures)
{
    const int nRows = 100000;
    const PageNames names = Names(1, nRows, 0);
    const CVariant layout(LayoutOf(names));
    HFONT hFont = CreateFontW(8, 0, 0, 0, 300, 0, 0, 0, 0, 0, 0, 0, 0, L"MS Sans Serif");
    *pFigures = {1e9, 1e9, 1e9, 1e9, 1e9, 1e9};
    bool bShown = true;
    for (int run = 0; run < kRuns && bShown; ++run) {
        ShowWindow(hControl, SW_SHOW);
        Load(pControl, layout);
        CStopwatch first;
        UpdateWindow(hFrame);
        Repaint(hControl);
        pFigures->first = std::min(pFigures->first, first.Seconds());
        HWND hList = PageList(pControl, hControl);
        bShown = hList != nullptr;
        if (!bShown)
            break;
        pFigures->repaint = std::min(pFigures->repaint, BestRepaint(hList));
        pFigures->scroll = std::min(pFigures->scroll, Scroll(hList));
        const RECT place = PlaceIn(hList, hFrame);
        ShowWindow(hControl, SW_HIDE);
        CBareList bare(hFrame, place, names[0], hFont);
        CStopwatch bareFirst;
        ShowWindow(bare.Window(), SW_SHOW);
        UpdateWindow(hFrame);
        Repaint(bare.Window());
        pFigures->bareFirst = std::min(pFigures->bareFirst, bareFirst.Seconds());
        pFigures->bareRepaint = std::min(pFigures->bareRepaint, BestRepaint(bare.Window()));
        pFigures->bareScroll = std::min(pFigures->bareScroll, Scroll(bare.Window()));
    }
    ShowWindow(hControl, SW_SHOW);
    DeleteObject(hFont);
    return bShown;
}

const int kSwitchPages = 10;
const int kSwitchRows = 1000;

// Every page brought to front in turn until painted, through ActivatePage; the bare side shows
// one of as many plain lists in the same place and hides the one shown before.
bool MeasureSwitching(IDispatch* pControl, HWND hFrame, HWND hControl, double* pSwitch, double* pBare)
{
    const PageNames names = Names(kSwitchPages, kSwitchRows * kSwitchPages, 0);
    Call(pControl, 1, DISPATCH_PROPERTYPUT, {CVariant(LayoutOf(names))});
    Repaint(hControl);
    HWND hList = PageList(pControl, hControl);
    if (!hList)
        return false;
    const RECT place = PlaceIn(hList, hFrame);
    HFONT hFont = CreateFontW(8, 0, 0, 0, 300, 0, 0, 0, 0, 0, 0, 0, 0, L"MS Sans Serif");
    *pSwitch = *pBare = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        ShowWindow(hControl, SW_SHOW);
        CStopwatch watch;
        for (short p = 1; p <= kSwitchPages; ++p) {
            Call(pControl, 16, DISPATCH_METHOD, {CVariant(static_cast<short>(p % kSwitchPages))});
            UpdateWindow(hFrame);
            Repaint(hControl);
        }
        *pSwitch = std::min(*pSwitch, watch.Seconds() / kSwitchPages);
        ShowWindow(hControl, SW_HIDE);
        std::vector<std::unique_ptr<CBareList>> lists;
        for (const std::vector<std::wstring>& page : names)
            lists.push_back(std::make_unique<CBareList>(hFrame, place, page, hFont));
        ShowWindow(lists[0]->Window(), SW_SHOW);
        Repaint(hFrame);
        CStopwatch bare;
        for (size_t p = 1; p <= lists.size(); ++p) {
            ShowWindow(lists[p - 1]->Window(), SW_HIDE);
            HWND hShown = lists[p % lists.size()]->Window();
            SetWindowPos(hShown, HWND_TOP, place.left, place.top, place.right - place.left, place.bottom - place.top,
                         SWP_SHOWWINDOW);
            UpdateWindow(hFrame);
            Repaint(hShown);
        }
        *pBare = std::min(*pBare, bare.Seconds() / kSwitchPages);
    }
    ShowWindow(hControl, SW_SHOW);
    DeleteObject(hFont);
    return true;
}

// --- Edits followed by a lookup ---

const int kEditOps = 200;
const double kEditBudget = 1.0; // seconds per kind of edit and size, at most

struct EditFigures {
    double add, insert, remove, rename;             // seconds per operation
    double bareAdd, bareInsert, bareRemove, bareRename;
};

bool FindsAt(IDispatch* pControl, const CVariant& name, short nPage, short nRow)
{
    short nFoundPage = -1, nFoundRow = -1;
    Call(pControl, 31, DISPATCH_METHOD, {name, CVariant::ByRef(&nFoundPage), CVariant::ByRef(&nFoundRow)});
    return nFoundPage == nPage && nFoundRow == nRow;
}

// Up to kEditOps operations, fewer when they are slow: the time per operation, negative when
// the control answered one of them wrongly.
double PerOperation(const std::function<bool(int)>& operation)
{
    CStopwatch watch;
    int nDone = 0;
    while (nDone < kEditOps && (nDone < 3 || watch.Seconds() < kEditBudget)) {
        if (!operation(nDone))
            return -1.0;
        ++nDone;
    }
    return watch.Seconds() / nDone;
}

// Each edit as a host makes it, then a lookup by name: AddProperty looks its name up first,
// the others are followed by GetPropertyIndex. Names made before the watch starts.
bool MeasureEdits(IDispatch* pControl, int nRows, EditFigures* pFigures)
{
    Call(pControl, 1, DISPATCH_PROPERTYPUT, {CVariant(MakeLayout(nRows))});
    std::vector<CVariant> added, top, renamed;
    for (int i = 0; i < kEditOps; ++i) {
        added.emplace_back(FormatText("Added %d", i));
        top.emplace_back(FormatText("Top %d", i));
        renamed.emplace_back(FormatText("Renamed %d", i));
    }
    const CVariant last(PropertyName(nRows - 1));
    const short nLastPage = static_cast<short>((nRows - 1) % kPages);
    const short nLastRow = static_cast<short>((nRows - 1) / kPages);
    const CVariant edit("Edit");
    const CVariant first(short(0)), enabled(short(0));
    pFigures->add = PerOperation([&](int i) {
        return Call(pControl, 38, DISPATCH_METHOD, {added[static_cast<size_t>(i)], edit, enabled}).ToLong() >= 0;
    });
    pFigures->insert = PerOperation([&](int i) {
        Call(pControl, 17, DISPATCH_METHOD, {first, first, top[static_cast<size_t>(i)], edit, enabled});
        return FindsAt(pControl, top[static_cast<size_t>(i)], 0, 0);
    });
    pFigures->remove = PerOperation([&](int) {
        Call(pControl, 18, DISPATCH_METHOD, {first, first});
        return FindsAt(pControl, last, nLastPage, nLastRow);
    });
    pFigures->rename = PerOperation([&](int i) {
        Call(pControl, 30, DISPATCH_METHOD, {first, first, renamed[static_cast<size_t>(i)]});
        return FindsAt(pControl, renamed[static_cast<size_t>(i)], 0, 0);
    });
    return pFigures->add > 0 && pFigures->insert > 0 && pFigures->remove > 0 && pFigures->rename > 0;
}

// The same edits on a bare list of the page's rows, shown where the page list is: the list
// view's own cost of each, with nothing to look up.
void MeasureBareEdits(HWND hFrame, HWND hControl, const RECT& place, int nRows, EditFigures* pFigures)
{
    const PageNames names = Names(kPages, nRows, 0);
    HFONT hFont = CreateFontW(8, 0, 0, 0, 300, 0, 0, 0, 0, 0, 0, 0, 0, L"MS Sans Serif");
    ShowWindow(hControl, SW_HIDE);
    {
        CBareList bare(hFrame, place, names[0], hFont);
        ShowWindow(bare.Window(), SW_SHOW);
        UpdateWindow(hFrame);
        const HWND hList = bare.Window();
        const std::wstring name = L"Edited";
        auto count = [hList] { return static_cast<int>(SendMessageW(hList, LVM_GETITEMCOUNT, 0, 0)); };
        pFigures->bareAdd = PerOperation([&](int) {
            InsertNamedRow(hList, count(), name);
            return true;
        });
        pFigures->bareInsert = PerOperation([&](int) {
            InsertNamedRow(hList, 0, name);
            return true;
        });
        pFigures->bareRemove = PerOperation([&](int) { return SendMessageW(hList, LVM_DELETEITEM, 0, 0) != 0; });
        pFigures->bareRename = PerOperation([&](int) {
            LVITEMW item = {};
            item.pszText = const_cast<LPWSTR>(name.c_str());
            return SendMessageW(hList, LVM_SETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item)) != 0;
        });
    }
    ShowWindow(hControl, SW_SHOW);
    DeleteObject(hFont);
}

bool ReportEdits(IDispatch* pControl, HWND hFrame, HWND hControl)
{
    std::printf("\nedit then lookup by name, per operation (us); bare: the same edit of a shown bare list\n"
                "%8s %12s %9s %12s %9s %12s %9s %12s %9s\n", "rows", "AddProperty", "bare", "Insert+find", "bare",
                "Delete+find", "bare", "Rename+find", "bare");
    for (int nRows : {1000, 10000, 100000}) {
        EditFigures f = {};
        if (!MeasureEdits(pControl, nRows, &f)) {
            std::printf("%8d: the control did not answer as expected\n", nRows);
            return false;
        }
        HWND hList = PageList(pControl, hControl);
        if (!hList)
            return false;
        const RECT place = PlaceIn(hList, hFrame);
        MeasureBareEdits(hFrame, hControl, place, nRows, &f);
        std::printf("%8d %12.1f %9.1f %12.1f %9.1f %12.1f %9.1f %12.1f %9.1f\n", nRows, f.add * 1e6, f.bareAdd * 1e6,
                    f.insert * 1e6, f.bareInsert * 1e6, f.remove * 1e6, f.bareRemove * 1e6, f.rename * 1e6,
                    f.bareRename * 1e6);
    }
    return true;
}

bool ReportDrawing(IDispatch* pControl, HWND hFrame, HWND hControl)
{
    DrawFigures d = {};
    double nSwitch = 0, bareSwitch = 0;
    if (!MeasureDrawing(pControl, hFrame, hControl, &d) || !MeasureSwitching(pControl, hFrame, hControl, &nSwitch, &bareSwitch)) {
        std::printf("drawing: the page list is not shown\n");
        return false;
    }
    std::printf("\ndrawing a page of 100,000 rows (ms)   control      bare   ratio\n");
    std::printf("  first paint after loading       %9.2f %9.2f %7.2f\n", d.first * 1e3, d.bareFirst * 1e3, d.first / d.bareFirst);
    std::printf("  full repaint                    %9.2f %9.2f %7.2f\n", d.repaint * 1e3, d.bareRepaint * 1e3, d.repaint / d.bareRepaint);
    std::printf("  scroll, per page down           %9.2f %9.2f %7.2f\n", d.scroll * 1e3, d.bareScroll * 1e3, d.scroll / d.bareScroll);
    std::printf("  page switch, %d pages of %d  %9.2f %9.2f %7.2f\n", kSwitchPages, kSwitchRows, nSwitch * 1e3,
                bareSwitch * 1e3, nSwitch / bareSwitch);
    return true;
}

// --- Picking ---

const DISPID kLoadItemsEvent = 7;
const int kListRow = 0;
const int kColourRow = 1;
const int kPopupRuns = 20;
const int kColourTexts = 1000000;

const DISPID kSetObjectEvent = 8;

// The host: answers LoadItems with a text, and SetObject with a recordset, made before the
// watch starts.
class CItemsHost : public CEventSinkTarget {
public:
    std::wstring m_items;
    CComPointer<IDispatch> m_pRecordset;
    DECLARE_EVENTSINK_MAP()

private:
    void OnSetObject(DISPPARAMS* pParams)
    {
        VARIANT& object = pParams->rgvarg[0];
        if (pParams->cArgs != 3 || object.vt != (VT_DISPATCH | VT_BYREF) || !object.ppdispVal || !m_pRecordset)
            return;
        if (*object.ppdispVal)
            (*object.ppdispVal)->Release();
        *object.ppdispVal = m_pRecordset.Get();
        m_pRecordset->AddRef();
    }
    void OnLoadItems(DISPPARAMS* pParams)
    {
        VARIANT& items = pParams->rgvarg[0];
        if (pParams->cArgs != 3 || items.vt != (VT_BSTR | VT_BYREF) || !items.pbstrVal)
            return;
        SysFreeString(*items.pbstrVal);
        *items.pbstrVal = SysAllocStringLen(m_items.data(), static_cast<UINT>(m_items.size()));
    }
};

BEGIN_EVENTSINK_MAP(CItemsHost, CEventSinkTarget)
    ON_EVENT(kControlId, kLoadItemsEvent, OnLoadItems)
    ON_EVENT(kControlId, kSetObjectEvent, OnSetObject)
END_EVENTSINK_MAP(CEventSinkTarget)

std::vector<std::wstring> ItemTexts(int nItems)
{
    std::vector<std::wstring> texts;
    for (int i = 0; i < nItems; ++i)
        texts.push_back(Utf8ToWide(FormatText("Item %d", i)));
    return texts;
}

std::wstring Joined(const std::vector<std::wstring>& texts)
{
    std::wstring joined;
    for (const std::wstring& text : texts)
        joined += (joined.empty() ? L"" : L"\\") + text;
    return joined;
}

struct ListSearch {
    HWND hFound;
};

BOOL CALLBACK FindPageList(HWND hWnd, LPARAM lParam)
{
    if (GetDlgCtrlID(hWnd) != 1000 || !IsWindowVisible(hWnd))
        return TRUE;
    reinterpret_cast<ListSearch*>(lParam)->hFound = hWnd;
    return FALSE;
}

// A row selected by a click on its name, as a user selects it.
void SelectRow(HWND hList, int nRow)
{
    RECT bounds = {LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(hList, LVM_GETITEMRECT, static_cast<WPARAM>(nRow), reinterpret_cast<LPARAM>(&bounds));
    const LPARAM point = MAKELPARAM(40, (bounds.top + bounds.bottom) / 2);
    SendMessageW(hList, WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(hList, WM_LBUTTONUP, 0, point);
}

// F4 on the selected row until its editor is painted; the editor has the focus then.
double OpenEditor(HWND hList, HWND* phEditor)
{
    CStopwatch watch;
    SendMessageW(hList, WM_KEYDOWN, VK_F4, 0);
    *phEditor = GetFocus();
    UpdateWindow(*phEditor);
    return watch.Seconds();
}

// The list row opened; closed with Enter, its window goes, and the next opening asks the host
// for the items again. Negative when the list did not show them all.
double OpenList(HWND hList, int nItems)
{
    HWND hDropDown = nullptr;
    const double seconds = OpenEditor(hList, &hDropDown);
    const bool bAll = SendMessageW(hDropDown, LB_GETCOUNT, 0, 0) == nItems;
    SendMessageW(hDropDown, WM_KEYDOWN, VK_RETURN, 0);
    return bAll ? seconds : -1.0;
}

// The same kind of list box, in the same font, filled with the same texts the fastest plain way
// and shown under the same cell, until it is painted.
double BareList(HWND hList, const std::vector<std::wstring>& texts)
{
    RECT cell = {LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(hList, LVM_GETITEMRECT, kListRow, reinterpret_cast<LPARAM>(&cell));
    MapWindowPoints(hList, nullptr, reinterpret_cast<POINT*>(&cell), 2);
    const auto hFont = static_cast<WPARAM>(SendMessageW(hList, WM_GETFONT, 0, 0));
    CStopwatch watch;
    const HWND hBox = CreateWindowExW(WS_EX_TOOLWINDOW, L"LISTBOX", L"", WS_POPUP | WS_BORDER | WS_VSCROLL | WS_HSCROLL, 0, 0,
                                      0, 0, hList, nullptr, nullptr, nullptr);
    SendMessageW(hBox, WM_SETFONT, hFont, TRUE);
    SendMessageW(hBox, WM_SETREDRAW, FALSE, 0);
    SendMessageW(hBox, LB_INITSTORAGE, texts.size(), static_cast<LPARAM>(texts.size() * 16 * sizeof(wchar_t)));
    for (const std::wstring& text : texts)
        SendMessageW(hBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(hBox, WM_SETREDRAW, TRUE, 0);
    const int nHeight = static_cast<int>(SendMessageW(hBox, LB_GETITEMHEIGHT, 0, 0)) * std::min<int>(8, static_cast<int>(texts.size())) + 2;
    SetWindowPos(hBox, HWND_TOPMOST, cell.left, cell.bottom, cell.right - cell.left, nHeight, 0);
    ShowWindow(hBox, SW_SHOW);
    SetFocus(hBox);
    UpdateWindow(hBox);
    const double seconds = watch.Seconds();
    DestroyWindow(hBox);
    SetFocus(hList);
    return seconds;
}

bool MeasureLists(HWND hList, CItemsHost* pHost)
{
    std::printf("\n%8s %10s %10s %7s | per item (us): %9s %9s\n", "items", "open (ms)", "bare (ms)", "ratio", "open",
                "bare");
    SelectRow(hList, kListRow);
    for (int nItems : {10, 1000, 100000}) {
        const std::vector<std::wstring> texts = ItemTexts(nItems);
        pHost->m_items = Joined(texts);
        double open = 1e9, bare = 1e9;
        OpenList(hList, nItems); // the first opening after a change of the items, not counted
        for (int run = 0; run < kRuns; ++run) {
            const double seconds = OpenList(hList, nItems);
            if (seconds < 0) {
                std::printf("%8d: the list did not show the host's items\n", nItems);
                return false;
            }
            open = std::min(open, seconds);
            bare = std::min(bare, BareList(hList, texts));
        }
        std::printf("%8d %10.2f %10.2f %7.2f | %24.3f %9.3f\n", nItems, open * 1000.0, bare * 1000.0, open / bare,
                    Micro(open, nItems), Micro(bare, nItems));
    }
    return true;
}

void MeasurePopup(HWND hList)
{
    SelectRow(hList, kColourRow);
    std::vector<double> times;
    for (int run = 0; run <= kPopupRuns; ++run) {
        HWND hPopup = nullptr;
        const double seconds = OpenEditor(hList, &hPopup);
        SendMessageW(hPopup, WM_KEYDOWN, VK_ESCAPE, 0);
        if (run > 0) // the first opening registers the popup's window class
            times.push_back(seconds);
    }
    std::sort(times.begin(), times.end());
    std::printf("\ncolour popup, opened until painted (ms): best %.2f, median %.2f, worst %.2f of %d\n", times.front() * 1000.0,
                times[times.size() / 2] * 1000.0, times.back() * 1000.0, kPopupRuns);
}

void MeasureColourTexts()
{
    std::vector<COLORREF> colours;
    for (int i = 0; i < kColourTableCount; ++i)
        colours.push_back(kColourTable[i].crColour);
    for (COLORREF crCustom : {RGB(1, 2, 3), RGB(200, 100, 50), CLR_DEFAULT})
        colours.push_back(crCustom);
    std::vector<std::string> texts;
    for (COLORREF crColour : colours)
        texts.push_back(FormatColourText(crColour));
    size_t nLength = 0;
    CStopwatch formatWatch;
    for (int i = 0; i < kColourTexts; ++i)
        nLength += FormatColourText(colours[static_cast<size_t>(i) % colours.size()]).size();
    const double format = formatWatch.Seconds();
    COLORREF crSum = 0;
    CStopwatch parseWatch;
    for (int i = 0; i < kColourTexts; ++i)
        crSum += ParseColourText(texts[static_cast<size_t>(i) % texts.size()]);
    const double parse = parseWatch.Seconds();
    std::printf("colour text, per text (ns): format %.1f, parse %.1f (%zu characters, sum %08lX)\n", format * 1e9 / kColourTexts,
                parse * 1e9 / kColourTexts, nLength, static_cast<unsigned long>(crSum));
}

bool MeasurePicking(IDispatch* pControl, HWND hControl, CItemsHost* pHost)
{
    std::string layout;
    CLayoutText::AppendPageStart(layout, "Picking", false);
    CRowText::AppendRow(layout, {"Choice", "ComboBox", "Enable", ""});
    CRowText::AppendRow(layout, {"Fore colour", "ColorComboBox", "Enable", ""});
    CLayoutText::AppendPageEnd(layout);
    Call(pControl, 1, DISPATCH_PROPERTYPUT, {CVariant(layout)});
    ListSearch search = {nullptr};
    EnumChildWindows(hControl, &FindPageList, reinterpret_cast<LPARAM>(&search));
    if (!search.hFound) {
        std::printf("the picking page is not shown\n");
        return false;
    }
    if (!MeasureLists(search.hFound, pHost))
        return false;
    MeasurePopup(search.hFound);
    MeasureColourTexts();
    return true;
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

// --- Grouped pages ---

std::string GroupName(int nGroup)
{
    return FormatText("Group %d", nGroup);
}

// One page of nGroups groups, each a group row followed by its nMembers members; marked as a
// grouped page or not, with the same rows either way.
std::string MakeGroupedLayout(int nGroups, int nMembers, bool bGroup)
{
    std::string text;
    CLayoutText::AppendPageStart(text, "Grouped", bGroup);
    for (int g = 0, r = 0; g < nGroups; ++g) {
        CRowText::AppendRow(text, {GroupName(g), "Group", "Enable", ""});
        for (int m = 0; m < nMembers; ++m, ++r)
            CRowText::AppendRow(text, {PropertyName(r), "Edit", "Enable", GroupName(g)});
    }
    CLayoutText::AppendPageEnd(text);
    return text;
}

// The group row brought into view and selected as a click would (the control makes it the
// active row), then the space bar, which folds or unfolds it: the time of the key alone.
double ToggleByKey(HWND hList, int nRow)
{
    SendMessageW(hList, LVM_ENSUREVISIBLE, static_cast<WPARAM>(nRow), FALSE);
    LVITEMW state = {};
    state.state = state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(hList, LVM_SETITEMSTATE, static_cast<WPARAM>(nRow), reinterpret_cast<LPARAM>(&state));
    CStopwatch watch;
    SendMessageW(hList, WM_KEYDOWN, VK_SPACE, 1);
    return watch.Seconds();
}

int RowCount(HWND hList)
{
    return static_cast<int>(SendMessageW(hList, LVM_GETITEMCOUNT, 0, 0));
}

struct GroupedFigures {
    double load, ungroupedLoad;                    // seconds
    double expandAll, collapseAll;                 // seconds, the keys alone
    double lookup, cachedLookup, ungroupedLookup;  // seconds for every name
};

double BestLoad(IDispatch* pControl, const CVariant& layout, double best)
{
    return std::min(best, Load(pControl, layout));
}

// Every name looked up once; rows past the 16-bit range answer as not found, the others where
// their row is.
bool LookUpAll(IDispatch* pControl, int nGroups, int nMembers, double* pSeconds)
{
    const int nRows = nGroups * nMembers;
    std::vector<CVariant> names;
    for (int r = 0; r < nRows; ++r)
        names.emplace_back(PropertyName(r));
    CStopwatch watch;
    for (int r = 0; r < nRows; ++r) {
        short nPage = -1, nRow = -1;
        const CVariant found = Call(pControl, 31, DISPATCH_METHOD,
                                    {names[static_cast<size_t>(r)], CVariant::ByRef(&nPage), CVariant::ByRef(&nRow)});
        const int nExpected = r / nMembers * (nMembers + 1) + r % nMembers + 1;
        if (nExpected <= SHRT_MAX ? nRow != nExpected : found.ToBool())
            return false;
    }
    *pSeconds = watch.Seconds();
    return true;
}

bool MeasureGrouped(IDispatch* pControl, HWND hControl, int nGroups, int nMembers, GroupedFigures* pFigures)
{
    const CVariant grouped(MakeGroupedLayout(nGroups, nMembers, true));
    const CVariant ungrouped(MakeGroupedLayout(nGroups, nMembers, false));
    pFigures->load = pFigures->ungroupedLoad = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        pFigures->ungroupedLoad = BestLoad(pControl, ungrouped, pFigures->ungroupedLoad);
        pFigures->load = BestLoad(pControl, grouped, pFigures->load);
    }
    HWND hList = PageList(pControl, hControl);
    if (!hList || RowCount(hList) != nGroups)
        return false;
    // Top down: each group opens with the groups below it still closed.
    pFigures->expandAll = 0;
    for (int g = 0; g < nGroups; ++g)
        pFigures->expandAll += ToggleByKey(hList, g * (nMembers + 1));
    if (RowCount(hList) != nGroups * (nMembers + 1))
        return false;
    if (!LookUpAll(pControl, nGroups, nMembers, &pFigures->lookup)
        || !LookUpAll(pControl, nGroups, nMembers, &pFigures->cachedLookup))
        return false;
    // Bottom up, for the same reason.
    pFigures->collapseAll = 0;
    for (int g = nGroups - 1; g >= 0; --g)
        pFigures->collapseAll += ToggleByKey(hList, g * (nMembers + 1));
    if (RowCount(hList) != nGroups)
        return false;
    Call(pControl, 1, DISPATCH_PROPERTYPUT, {ungrouped});
    return LookUpAll(pControl, nGroups, nMembers, &pFigures->ungroupedLookup);
}

// The first group of the page opened and closed again, the others staying closed; the best of
// a few runs.
bool MeasureOneGroup(IDispatch* pControl, HWND hControl, int nGroups, int nMembers, double* pExpand, double* pCollapse)
{
    Call(pControl, 1, DISPATCH_PROPERTYPUT, {CVariant(MakeGroupedLayout(nGroups, nMembers, true))});
    HWND hList = PageList(pControl, hControl);
    if (!hList)
        return false;
    *pExpand = *pCollapse = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        *pExpand = std::min(*pExpand, ToggleByKey(hList, 0));
        if (RowCount(hList) != nGroups + nMembers)
            return false;
        *pCollapse = std::min(*pCollapse, ToggleByKey(hList, 0));
        if (RowCount(hList) != nGroups)
            return false;
    }
    return true;
}

bool ReportGrouped(IDispatch* pControl, HWND hControl)
{
    const int nGroups = 1000, nMembers = 99;
    const int nRows = nGroups * (nMembers + 1);
    GroupedFigures figures = {};
    if (!MeasureGrouped(pControl, hControl, nGroups, nMembers, &figures)) {
        std::printf("grouped page: the control did not answer as expected\n");
        return false;
    }
    std::printf("\ngrouped page of %d rows in %d groups of %d members, against the same rows ungrouped\n", nRows,
                nGroups, nMembers);
    std::printf("  load (ms)                     %9.1f  ungrouped %9.1f  ratio %5.2f\n", figures.load * 1000.0,
                figures.ungroupedLoad * 1000.0, figures.load / figures.ungroupedLoad);
    std::printf("  expand all, top down (ms)     %9.1f  per group (us) %8.1f  per member (us) %6.2f\n",
                figures.expandAll * 1000.0, Micro(figures.expandAll, nGroups), Micro(figures.expandAll, nGroups * nMembers));
    std::printf("  collapse all, bottom up (ms)  %9.1f  per group (us) %8.1f  per member (us) %6.2f\n",
                figures.collapseAll * 1000.0, Micro(figures.collapseAll, nGroups),
                Micro(figures.collapseAll, nGroups * nMembers));
    std::printf("  GetPropertyIndex, every name, expanded (us per name): first %.2f  cached %.2f  ungrouped %.2f\n",
                Micro(figures.lookup, nGroups * nMembers), Micro(figures.cachedLookup, nGroups * nMembers),
                Micro(figures.ungroupedLookup, nGroups * nMembers));

    std::printf("\none group opened and closed, the others closed\n");
    std::printf("%8s %8s %10s | %12s %13s | per member (us): %8s %8s\n", "groups", "members", "page rows",
                "expand (us)", "collapse (us)", "expand", "collapse");
    // A group of 100 on pages of growing size; groups of 10, 100 and 1,000 on pages of about
    // 100,000 rows.
    const int cases[][2] = {{10, 100}, {100, 100}, {1000, 100}, {10000, 10}, {100, 1000}};
    for (const auto& c : cases) {
        double expand = 0, collapse = 0;
        if (!MeasureOneGroup(pControl, hControl, c[0], c[1], &expand, &collapse)) {
            std::printf("one group: the control did not answer as expected\n");
            return false;
        }
        std::printf("%8d %8d %10d | %12.0f %13.0f | %25.2f %8.2f\n", c[0], c[1], c[0] * (c[1] + 1), expand * 1e6,
                    collapse * 1e6, Micro(expand, c[1]), Micro(collapse, c[1]));
    }
    return true;
}

// --- The recordset row ---

const int kRecordFields = 3;

std::vector<std::string> RecordTexts(int nRecord)
{
    return {std::to_string(nRecord), FormatText("Name %d", nRecord), FormatText("City %d", nRecord % 97)};
}

CComPointer<IDispatch> MakeRecordset(int nRecords)
{
    std::vector<std::vector<CVariant>> rows;
    rows.reserve(static_cast<size_t>(nRecords));
    for (int n = 0; n < nRecords; ++n) {
        const std::vector<std::string> texts = RecordTexts(n);
        rows.push_back({CVariant(n), CVariant(texts[1]), CVariant(texts[2])});
    }
    return CAdoRecordset::Make({{"Code", CAdoRecordset::adInteger, 0}, {"Name", CAdoRecordset::adVarWChar, 40},
                                {"City", CAdoRecordset::adVarWChar, 40}},
                               rows);
}

BOOL CALLBACK FindShownReport(HWND hWnd, LPARAM lParam)
{
    wchar_t className[32] = {};
    GetClassNameW(hWnd, className, 32);
    if (wcscmp(className, WC_LISTVIEWW) != 0 || !IsWindowVisible(hWnd))
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

// The combo's drop-down: the report list of the thread shown outside the frame's windows.
HWND ShownDropDown()
{
    HWND hFound = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindShownReport, reinterpret_cast<LPARAM>(&hFound));
    return hFound;
}

// A fresh page with the recordset row; the row selected by a click (the host hands over the
// recordset, the combo is filled) and opened with F4, until its list is painted. Negative when
// the list does not show every record.
double OpenRecordsetRow(IDispatch* pControl, HWND hControl, int nRecords, HWND* phDropDown)
{
    std::string layout;
    CLayoutText::AppendPageStart(layout, "Records", false);
    CRowText::AppendRow(layout, {"Customer", "ADORComboBox", "Enable", ""});
    CLayoutText::AppendPageEnd(layout);
    Call(pControl, 1, DISPATCH_PROPERTYPUT, {CVariant(layout)});
    const HWND hList = PageList(pControl, hControl);
    if (!hList)
        return -1.0;
    CStopwatch watch;
    SelectRow(hList, 0);
    SendMessageW(hList, WM_KEYDOWN, VK_F4, 0);
    const HWND hDropDown = ShownDropDown();
    if (!hDropDown)
        return -1.0;
    UpdateWindow(hDropDown);
    const double seconds = watch.Seconds();
    *phDropDown = hDropDown;
    return ListView_GetItemCount(hDropDown) == nRecords ? seconds : -1.0;
}

// The same report list view, made and filled with the same texts the fastest plain way, shown
// where the combo's list shows, until it is painted.
double BareReport(HWND hDropDown, int nRecords)
{
    RECT place = {};
    GetWindowRect(hDropDown, &place);
    std::vector<std::vector<std::wstring>> rows;
    for (int n = 0; n < nRecords; ++n) {
        std::vector<std::wstring> texts;
        for (const std::string& text : RecordTexts(n))
            texts.push_back(Utf8ToWide(text));
        rows.push_back(std::move(texts));
    }
    CStopwatch watch;
    const HWND hReport = CreateWindowExW(WS_EX_TOOLWINDOW, WC_LISTVIEWW, L"", WS_CHILD | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                                         0, 0, 0, 0, GetDesktopWindow(), nullptr, nullptr, nullptr);
    ListView_SetExtendedListViewStyle(hReport, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    for (int n = 0; n < kRecordFields; ++n) {
        LVCOLUMNW column = {};
        column.mask = LVCF_WIDTH | LVCF_TEXT;
        column.cx = 128;
        column.pszText = const_cast<wchar_t*>(L"Field");
        ListView_InsertColumn(hReport, n, &column);
    }
    SendMessageW(hReport, WM_SETREDRAW, FALSE, 0);
    for (int n = 0; n < nRecords; ++n) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = n;
        item.pszText = rows[static_cast<size_t>(n)][0].data();
        const int nItem = ListView_InsertItem(hReport, &item);
        for (int f = 1; f < kRecordFields; ++f)
            ListView_SetItemText(hReport, nItem, f, rows[static_cast<size_t>(n)][static_cast<size_t>(f)].data());
    }
    SendMessageW(hReport, WM_SETREDRAW, TRUE, 0);
    SetWindowPos(hReport, HWND_TOPMOST, place.left, place.top, place.right - place.left, place.bottom - place.top, SWP_SHOWWINDOW);
    UpdateWindow(hReport);
    const double seconds = watch.Seconds();
    DestroyWindow(hReport);
    return seconds;
}

// A prefix of the key column (the record's code) typed into the combo's edit, until the first
// row with it is selected.
double TypePrefix(HWND hEdit, HWND hDropDown, const std::wstring& prefix, int nExpected)
{
    CStopwatch watch;
    SetWindowTextW(hEdit, prefix.c_str());
    const double seconds = watch.Seconds();
    return ListView_GetNextItem(hDropDown, -1, LVNI_SELECTED) == nExpected ? seconds : -1.0;
}

bool MeasureRecordsetRow(IDispatch* pControl, HWND hControl, CItemsHost* pHost)
{
    std::printf("\nrecordset row (ADORComboBox) opened until its list is painted, against a bare report list\n");
    std::printf("%8s %10s %10s %10s %7s | per record (us): %8s %8s\n", "records", "made (s)", "open (ms)", "bare (ms)", "ratio",
                "open", "bare");
    for (int nRecords : {100, 10000, 100000}) {
        CStopwatch made;
        pHost->m_pRecordset = MakeRecordset(nRecords);
        const double madeSeconds = made.Seconds();
        if (!pHost->m_pRecordset) {
            std::printf("ADO does not answer: is its type library 1.0 registered?\n");
            return false;
        }
        double open = 1e9, bare = 1e9;
        HWND hDropDown = nullptr;
        for (int run = 0; run < kRuns; ++run) {
            const double seconds = OpenRecordsetRow(pControl, hControl, nRecords, &hDropDown);
            if (seconds < 0) {
                std::printf("%8d: the combo did not show every record\n", nRecords);
                return false;
            }
            open = std::min(open, seconds);
            bare = std::min(bare, BareReport(hDropDown, nRecords));
        }
        std::printf("%8d %10.2f %10.1f %10.1f %7.2f | %25.2f %8.2f\n", nRecords, madeSeconds, open * 1000.0, bare * 1000.0,
                    open / bare, Micro(open, nRecords), Micro(bare, nRecords));
        if (nRecords != 100000)
            continue;
        const HWND hEdit = GetFocus();
        std::printf("prefix typed into the combo of %d rows, until selected (ms):", nRecords);
        const int targets[] = {0, nRecords / 2, nRecords - 1};
        for (int nTarget : targets) {
            double best = 1e9;
            for (int run = 0; run < kRuns; ++run) {
                SetWindowTextW(hEdit, L"");
                const double seconds = TypePrefix(hEdit, hDropDown, std::to_wstring(nTarget), nTarget);
                if (seconds < 0) {
                    std::printf(" row %d was not selected\n", nTarget);
                    return false;
                }
                best = std::min(best, seconds);
            }
            std::printf("  row %d: %.2f", nTarget, best * 1000.0);
        }
        std::printf("\n");
    }
    pHost->m_pRecordset.Reset();
    return true;
}

// The sections named on the command line, or all of them: load, edits, shapes, drawing,
// picking, grouped, folders, recordset.
bool Wanted(int argc, char** argv, const char* pszSection)
{
    if (argc < 2)
        return true;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], pszSection) == 0)
            return true;
    return false;
}

bool ReportLoad(IDispatch* pControl, HWND hFrame)
{
    std::printf("%8s %10s %10s %7s | %10s %10s %7s | %10s %7s | %10s %7s | per name (us): %9s %9s %9s %9s\n", "rows",
                "load (ms)", "bare (ms)", "ratio", "replace", "bare", "ratio", "bare+tips", "ratio", "no tips", "ratio",
                "index 1st", "cached", "set", "get");
    for (int nRows : {1000, 10000, 100000}) {
        Figures figures = {};
        if (!Measure(pControl, hFrame, nRows, &figures)) {
            std::printf("%8d: the control did not answer as expected\n", nRows);
            return false;
        }
        std::printf("%8d %10.1f %10.1f %7.2f | %10.1f %10.1f %7.2f | %10.1f %7.2f | %10.1f %7.2f | %24.2f %9.2f %9.2f %9.2f\n",
                    nRows, figures.load * 1000.0, figures.bare * 1000.0, figures.load / figures.bare,
                    figures.replace * 1000.0, figures.bareReplace * 1000.0, figures.replace / figures.bareReplace,
                    figures.bareTips * 1000.0, figures.load / figures.bareTips, figures.loadNoTips * 1000.0,
                    figures.loadNoTips / figures.bare, Micro(figures.firstLookup, nRows),
                    Micro(figures.cachedLookup, nRows), Micro(figures.setByName, nRows), Micro(figures.getByName, nRows));
    }
    return true;
}

bool ReportFolders(IDispatch* pControl, HWND hControl)
{
    FolderFigures folders = {};
    MakeBenchFolders();
    if (!MeasureFolderTree(pControl, hControl, &folders)) {
        std::printf("the folder tree did not open on the bench folder\n");
        return false;
    }
    std::printf("\n%8s %10s %11s %10s %7s\n", "folders", "open (ms)", "expand (ms)", "bare (ms)", "ratio");
    std::printf("%8d %10.1f %11.1f %10.1f %7.2f\n", kFolders, folders.open * 1000.0, folders.expand * 1000.0,
                folders.bare * 1000.0, folders.expand / folders.bare);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const char* sections[] = {"load", "edits", "shapes", "drawing", "picking", "grouped", "folders", "recordset"};
    if (std::none_of(std::begin(sections), std::end(sections), [&](const char* p) { return Wanted(argc, argv, p); }))
        return 0;
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    HWND hFrame = CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 420,
                                  400, nullptr, nullptr, nullptr, nullptr);
    int result = 0;
    {
        CLSID clsid = {};
        CItemsHost host;
        CControlWnd control;
        if (FAILED(CLSIDFromProgID(L"KV.Velmora.1", &clsid))
            || !control.CreateControl(clsid, hFrame, kControlId, kFloorRect, true, &host)) {
            std::printf("the kvVelmora control is not registered\n");
            result = 1;
        } else {
            IDispatch* pControl = control.GetControlDispatch();
            bool bOk = true;
            bOk = bOk && (!Wanted(argc, argv, "load") || ReportLoad(pControl, hFrame));
            bOk = bOk && (!Wanted(argc, argv, "edits") || ReportEdits(pControl, hFrame, control.m_hWnd));
            if (bOk && Wanted(argc, argv, "shapes"))
                ReportShapes(pControl, hFrame);
            bOk = bOk && (!Wanted(argc, argv, "drawing") || ReportDrawing(pControl, hFrame, control.m_hWnd));
            bOk = bOk && (!Wanted(argc, argv, "picking") || MeasurePicking(pControl, control.m_hWnd, &host));
            bOk = bOk && (!Wanted(argc, argv, "grouped") || ReportGrouped(pControl, control.m_hWnd));
            bOk = bOk && (!Wanted(argc, argv, "folders") || ReportFolders(pControl, control.m_hWnd));
            bOk = bOk && (!Wanted(argc, argv, "recordset") || MeasureRecordsetRow(pControl, control.m_hWnd, &host));
            result = bOk ? 0 : 1;
        }
        control.DestroyControl();
    }
    DestroyWindow(hFrame);
    OleUninitialize();
    return result;
}
