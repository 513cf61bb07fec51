// Times loading layouts of growing size into a floor of page lists: the time per row must stay
// flat as the layout grows. Needs the floor control registered (run through scripts/bench.sh).
#include "BenchOwner.h"
#include "ListCtrl.h"
#include "FloorPropertiesWnd.h"
#include "LayoutText.h"
#include "Text.h"

#include <commctrl.h>
#include <ole2.h>

#include <cstdio>

namespace {

const int kPages = 10;

std::string MakeLayout(int nRows)
{
    static const char* kinds[] = {"Edit", "ComboBox", "ColorComboBox", "Button", "Font", "BoolComboBox"};
    static const char* types[] = {"Enable", "Grayed", "Black"};
    std::string text;
    for (int p = 0; p < kPages; ++p) {
        CLayoutText::AppendPageStart(text, FormatText("Page %d", p), false);
        for (int r = p; r < nRows; r += kPages)
            CLayoutText::AppendRow(text, {FormatText("Property %d", r), kinds[r % 6], types[r % 3], ""});
        CLayoutText::AppendPageEnd(text);
    }
    return text;
}

double Seconds(const LARGE_INTEGER& start, const LARGE_INTEGER& end)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The physical floor: the same rows into bare report list views, one per page.
double BareFill(HWND hParent, int nRows)
{
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int p = 0; p < kPages; ++p) {
        CListCtrl list;
        list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, RECT{0, 0, 380, 360}, hParent, 1);
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 140);
        list.InsertColumn(1, "Value", LVCFMT_LEFT, 128);
        list.SendMessage(WM_SETREDRAW, FALSE);
        for (int r = p; r < nRows; r += kPages) {
            const int nItem = list.InsertItem(list.GetItemCount(), FormatText("Property %d", r));
            list.SetItemData(nItem, 32771);
        }
        list.SendMessage(WM_SETREDRAW, TRUE);
        if (p == kPages - 1)
            QueryPerformanceCounter(&end);
    }
    return Seconds(start, end);
}

} // namespace

int main()
{
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    HWND hFrame = CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 400, nullptr,
                                  nullptr, nullptr, nullptr);
    int result = 0;
    {
        CBenchOwner owner;
        CFloorPropertiesWnd floor(&owner);
        if (!floor.Create(hFrame, 0, RECT{0, 0, 380, 360}, nullptr)) {
            std::printf("the floor control is not registered\n");
            result = 1;
        } else {
            std::printf("%10s %12s %14s %14s %8s\n", "rows", "load (ms)", "per row (us)", "bare (us/row)", "ratio");
            for (int nRows : {1000, 10000, 100000}) {
                const std::string layout = MakeLayout(nRows);
                LARGE_INTEGER start, end;
                QueryPerformanceCounter(&start);
                floor.LoadLayout(layout, &owner);
                QueryPerformanceCounter(&end);
                const double seconds = Seconds(start, end);
                const double bare = BareFill(hFrame, nRows);
                std::printf("%10d %12.1f %14.2f %14.2f %8.2f\n", nRows, seconds * 1000.0, seconds * 1e6 / nRows,
                            bare * 1e6 / nRows, seconds / bare);
            }
            floor.DestroyPageLists();
        }
    }
    DestroyWindow(hFrame);
    OleUninitialize();
    return result;
}
