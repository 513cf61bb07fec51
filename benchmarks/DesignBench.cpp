// Times the Preview property page of the registered kvVelmora module on a control of 10,000
// rows on ten pages: the page opened on the control (its layout read into the design floor)
// and applied (the layout written back into the control, which rebuilds its pages), against
// loading the same layout into the empty control through PagesAndItems, and against setting it
// again over itself (the rebuild alone). Section: design. Needs kvVelmora and the floor control
// registered (run through scripts/bench.sh).
#include "Stopwatch.h"
#include "ControlWnd.h"
#include "ComPointer.h"
#include "LayoutText.h"
#include "Text.h"
#include "Variant.h"

#include <commctrl.h>
#include <ole2.h>
#include <olectl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

const int kPages = 10;
const int kRows = 10000;
const int kRuns = 3;
const UINT kControlId = 1;
// {F4475476-50E7-433B-91F4-34202595B584}
const CLSID kPreviewPage = {0xF4475476, 0x50E7, 0x433B, {0x91, 0xF4, 0x34, 0x20, 0x25, 0x95, 0xB5, 0x84}};
// The Type > Enable command of the design list's menu: with no row selected it only marks the
// page modified, so that Apply writes.
const UINT kTypeEnableCommand = 32780;

std::string MakeLayout()
{
    static const char* kinds[] = {"Edit", "ComboBox", "ColorComboBox", "Button", "Font", "BoolComboBox"};
    static const char* types[] = {"Enable", "Grayed", "Black"};
    std::string text;
    for (int p = 0; p < kPages; ++p) {
        CLayoutText::AppendPageStart(text, FormatText("Page %d", p), false);
        for (int r = p; r < kRows; r += kPages)
            CRowText::AppendRow(text, {FormatText("Property %d", r), kinds[r % 6], types[r % 3], ""});
        CLayoutText::AppendPageEnd(text);
    }
    return text;
}

void PutLayout(IDispatch* pControl, const CVariant& layout)
{
    DISPID putId = DISPID_PROPERTYPUT;
    VARIANT arg = layout;
    DISPPARAMS params = {&arg, &putId, 1, 1};
    pControl->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

std::string GetLayout(IDispatch* pControl)
{
    CVariant result;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    pControl->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr);
    return result.ToString();
}

double Load(IDispatch* pControl, const CVariant& layout)
{
    PutLayout(pControl, CVariant(""));
    CStopwatch watch;
    PutLayout(pControl, layout);
    return watch.Seconds();
}

// The layout set over itself: every page removed and made again.
double Reload(IDispatch* pControl, const CVariant& layout)
{
    CStopwatch watch;
    PutLayout(pControl, layout);
    return watch.Seconds();
}

BOOL CALLBACK FindFirstList(HWND hWnd, LPARAM lParam)
{
    wchar_t className[32] = {};
    GetClassNameW(hWnd, className, 32);
    if (std::wstring(className) != WC_LISTVIEWW || GetDlgCtrlID(hWnd) != 1000)
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

struct PageFigures {
    double open, apply;
    bool bSame;
};

// The page as a frame opens it: made, given its site-less object, activated; then one change
// and Apply, as on OK.
PageFigures OpenAndApply(IDispatch* pControl, HWND hFrame)
{
    PageFigures figures = {0, 0, false};
    CStopwatch openWatch;
    CComPointer<IPropertyPage> pPage;
    if (FAILED(pPage.CreateInstance(kPreviewPage)))
        return figures;
    IUnknown* objects[] = {pControl};
    pPage->SetObjects(1, objects);
    RECT rect = {0, 0, 400, 300};
    pPage->Activate(hFrame, &rect, FALSE);
    pPage->Show(SW_SHOW);
    figures.open = openWatch.Seconds();
    // The control's own page lists are children of the frame too: the page's are in its dialog.
    HWND hList = nullptr;
    const HWND hDialog = FindWindowExW(hFrame, nullptr, L"#32770", nullptr);
    if (hDialog)
        EnumChildWindows(hDialog, FindFirstList, reinterpret_cast<LPARAM>(&hList));
    const std::string strBefore = GetLayout(pControl);
    SendMessageW(hList, WM_COMMAND, kTypeEnableCommand, 0);
    CStopwatch applyWatch;
    pPage->Apply();
    figures.apply = applyWatch.Seconds();
    figures.bSame = hList && GetLayout(pControl) == strBefore;
    pPage->Deactivate();
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    // Its section is "design": it runs when no section is named, or that one.
    if (argc > 1 && std::none_of(argv + 1, argv + argc, [](const char* p) { return std::strcmp(p, "design") == 0; }))
        return 0;
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
            || !control.CreateControl(clsid, hFrame, kControlId, RECT{0, 0, 400, 380}, true, nullptr)) {
            std::printf("the kvVelmora control is not registered\n");
            result = 1;
        } else {
            IDispatch* pControl = control.GetControlDispatch();
            const CVariant layout(MakeLayout());
            double load = 1e9, reload = 1e9, open = 1e9, apply = 1e9;
            bool bSame = true;
            for (int run = 0; run < kRuns; ++run) {
                load = std::min(load, Load(pControl, layout));
                reload = std::min(reload, Reload(pControl, layout));
                const PageFigures figures = OpenAndApply(pControl, hFrame);
                open = std::min(open, figures.open);
                apply = std::min(apply, figures.apply);
                bSame = bSame && figures.bSame;
            }
            std::printf("%8s %10s %12s %10s %10s %11s %13s\n", "rows", "load (ms)", "reload (ms)", "open (ms)",
                        "open/load", "apply (ms)", "apply/reload");
            std::printf("%8d %10.1f %12.1f %10.1f %10.2f %11.1f %13.2f\n", kRows, load * 1000.0, reload * 1000.0,
                        open * 1000.0, open / load, apply * 1000.0, apply / reload);
            if (!bSame) {
                std::printf("the applied layout differs from the one the page opened on\n");
                result = 1;
            }
        }
        control.DestroyControl();
    }
    DestroyWindow(hFrame);
    OleUninitialize();
    return result;
}
