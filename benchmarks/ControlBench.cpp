// Times the registered kvVelmora control as a host drives it through IDispatch, for layouts of
// growing size on ten pages: loading through PagesAndItems against filling bare report list
// views with the same rows and texts, and the per-name methods (GetPropertyIndex of every name,
// first and again from the cache, SetDefaultValueByName and GetDefaultValueByName of every
// name), whose cost per name must stay flat as the control grows. Then a grouped page of
// 100,000 rows in 1,000 groups against the same rows ungrouped: loading, every group expanded
// and collapsed by the space bar as a user would, and the lookup of every name; and single
// groups folded on pages and in groups of different sizes, whose cost must follow the group,
// not the page. Needs kvVelmora and the floor control registered (run through scripts/bench.sh).
#include "ControlWnd.h"
#include "LayoutText.h"
#include "ListCtrl.h"
#include "Text.h"
#include "Variant.h"

#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <climits>
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

struct ListSearch {
    long nId;
    HWND hFound;
};

BOOL CALLBACK FindList(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<ListSearch*>(lParam);
    if (GetDlgCtrlID(hWnd) != pSearch->nId || !IsWindowVisible(hWnd))
        return TRUE;
    pSearch->hFound = hWnd;
    return FALSE;
}

// The list window of page 0.
HWND PageList(IDispatch* pControl, HWND hControl)
{
    ListSearch search = {Call(pControl, 24, DISPATCH_METHOD, {CVariant(short(0))}).ToLong(), nullptr};
    EnumChildWindows(hControl, FindList, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
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
            if (result == 0 && !ReportGrouped(control.GetControlDispatch(), control.m_hWnd))
                result = 1;
        }
        control.DestroyControl();
    }
    DestroyWindow(hFrame);
    OleUninitialize();
    return result;
}
