// Times the registered kvVelmora control as a host drives it through IDispatch, for layouts of
// growing size on ten pages: loading through PagesAndItems against filling bare report list
// views with the same rows and texts, and the per-name methods (GetPropertyIndex of every name,
// first and again from the cache, SetDefaultValueByName and GetDefaultValueByName of every
// name), whose cost per name must stay flat as the control grows; and layouts of many one-row
// pages against as many bare list views. Needs kvVelmora
// and the floor control registered (run through scripts/bench.sh).
#include "ControlWnd.h"
#include "LayoutText.h"
#include "ListCtrl.h"
#include "Text.h"
#include "Variant.h"

#include <commctrl.h>
#include <ole2.h>

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

std::string ManyPagesLayout(int nPages)
{
    std::string text;
    for (int p = 0; p < nPages; ++p) {
        CLayoutText::AppendPageStart(text, FormatText("Page %d", p), false);
        CRowText::AppendRow(text, {PropertyName(p), "Edit", "Enable", ""});
        CLayoutText::AppendPageEnd(text);
    }
    return text;
}

// The physical floor of many pages: a bare report list view per page with its row, all but the
// first hidden, as the floor keeps them.
double BarePages(HWND hParent, int nPages)
{
    std::vector<CListCtrl> lists(static_cast<size_t>(nPages));
    CStopwatch watch;
    for (int p = 0; p < nPages; ++p) {
        CListCtrl& list = lists[static_cast<size_t>(p)];
        list.Create(WS_CHILD | (p == 0 ? WS_VISIBLE : 0) | LVS_REPORT, RECT{0, 0, 380, 360}, hParent, 1000 + p);
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 140);
        list.InsertColumn(1, "Value", LVCFMT_LEFT, 128);
        list.InsertItem(0, PropertyName(p), 32771);
    }
    return watch.Seconds();
}

void MeasurePages(IDispatch* pControl, HWND hFrame)
{
    std::printf("\n%8s %10s %10s %7s\n", "pages", "load (ms)", "bare (ms)", "ratio");
    for (int nPages : {100, 1000, 3000}) {
        const CVariant layout(ManyPagesLayout(nPages));
        const double load = Load(pControl, layout);
        Call(pControl, 1, DISPATCH_PROPERTYPUT, {CVariant("")});
        const double bare = BarePages(hFrame, nPages);
        std::printf("%8d %10.1f %10.1f %7.2f\n", nPages, load * 1000.0, bare * 1000.0, load / bare);
    }
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
            MeasurePages(control.GetControlDispatch(), hFrame);
        }
        control.DestroyControl();
    }
    DestroyWindow(hFrame);
    OleUninitialize();
    return result;
}
