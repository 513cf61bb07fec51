// Times opening a form that holds the kvVelmora control, as a host opens one: a top-level window
// made, the control created and hosted in it, a layout of 3 pages and 30 rows set, the window
// shown and painted once, everything destroyed. Against the same window holding 3 bare lists
// filled with the same rows (the fair floor), and the same window hosting a trivial control on
// the same control base (kvTrivial): what loading and hosting any control costs. The control's
// time is broken down: its server loaded (the library mapped, its kinds registered, its class
// object made), the control created and activated (its window and the floor control made in
// it; the floor control hosted alone shows its part), the pages, the first paint, the end.
// The first table unloads the servers before each run (the first form of a process), the second
// keeps them (every later form). Best of seven runs, the sides interleaved. Section: form.
// Needs kvVelmora, the floor control and kvTrivial registered (run through scripts/bench.sh).
#include "BareFloor.h"
#include "ControlWnd.h"
#include "FloorWnd.h"
#include "Stopwatch.h"
#include "Variant.h"

#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const int kRuns = 7;
const int kFormPages = 3;
const int kFormRows = 30;
const UINT kControlId = 1;

struct FormTimes {
    double server, create, pages, paint, destroy, total; // seconds
};

const FormTimes kNoTimes = {1e9, 1e9, 1e9, 1e9, 1e9, 1e9};

void KeepBest(FormTimes* pBest, const FormTimes& times)
{
    pBest->server = std::min(pBest->server, times.server);
    pBest->create = std::min(pBest->create, times.create);
    pBest->pages = std::min(pBest->pages, times.pages);
    pBest->paint = std::min(pBest->paint, times.paint);
    pBest->destroy = std::min(pBest->destroy, times.destroy);
    pBest->total = std::min(pBest->total, times.total);
}

// The form: a top-level window, hidden until its controls are in place.
HWND MakeForm()
{
    return CreateWindowExW(0, L"STATIC", L"form", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 420, 400, nullptr,
                           nullptr, nullptr, nullptr);
}

void ShowAndPaint(HWND hForm)
{
    ShowWindow(hForm, SW_SHOW);
    UpdateWindow(hForm);
}

void PutLayout(IDispatch* pControl, const CVariant& layout)
{
    VARIANT argument = layout;
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&argument, &putId, 1, 1};
    pControl->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

// A control of the class opened in a form, with the layout when there is one. Negative total
// when the control could not be made.
FormTimes OpenControlForm(REFCLSID clsid, const CVariant* pLayout)
{
    FormTimes times = {};
    CStopwatch total;
    const HWND hForm = MakeForm();
    {
        CStopwatch watch;
        IClassFactory* pFactory = nullptr;
        if (SUCCEEDED(CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                       reinterpret_cast<void**>(&pFactory))))
            pFactory->Release();
        times.server = watch.Seconds();
    }
    CControlWnd control;
    {
        CStopwatch watch;
        const BOOL bMade = control.CreateControl(clsid, hForm, kControlId, kFloorRect, true, nullptr);
        times.create = watch.Seconds();
        if (!bMade) {
            DestroyWindow(hForm);
            times.total = -1.0;
            return times;
        }
    }
    if (pLayout) {
        CStopwatch watch;
        PutLayout(control.GetControlDispatch(), *pLayout);
        times.pages = watch.Seconds();
    }
    {
        CStopwatch watch;
        ShowAndPaint(hForm);
        times.paint = watch.Seconds();
    }
    {
        CStopwatch watch;
        control.DestroyControl();
        DestroyWindow(hForm);
        times.destroy = watch.Seconds();
    }
    times.total = total.Seconds();
    return times;
}

// The same form holding bare lists: no server, the lists made and filled as pages.
FormTimes OpenBareForm(const PageNames& pages)
{
    FormTimes times = {};
    CStopwatch total;
    const HWND hForm = MakeForm();
    auto pFloor = std::make_unique<CBareFloor>(hForm);
    {
        CStopwatch watch;
        pFloor->Fill(pages);
        times.pages = watch.Seconds();
    }
    {
        CStopwatch watch;
        ShowAndPaint(hForm);
        times.paint = watch.Seconds();
    }
    {
        CStopwatch watch;
        pFloor.reset();
        DestroyWindow(hForm);
        times.destroy = watch.Seconds();
    }
    times.total = total.Seconds();
    return times;
}

struct FormFigures {
    FormTimes control, floor, trivial, bare;
};

bool IsLoaded(const wchar_t* pszModule)
{
    return GetModuleHandleW(pszModule) != nullptr;
}

// Servers no object of which is alive are unloaded, so that the next form loads them again.
// False when one stayed loaded.
bool UnloadServers()
{
    CoFreeUnusedLibrariesEx(0, 0);
    return !IsLoaded(L"kvVelmora.dll") && !IsLoaded(L"kvFloor.dll") && !IsLoaded(L"kvTrivial.dll");
}

bool MeasureForms(REFCLSID velmora, REFCLSID trivial, bool bCold, FormFigures* pFigures, bool* pUnloaded)
{
    const PageNames names = Names(kFormPages, kFormRows, 0);
    const CVariant layout(LayoutOf(names));
    *pFigures = {kNoTimes, kNoTimes, kNoTimes, kNoTimes};
    *pUnloaded = true;
    const auto open = [&](FormTimes* pBest, REFCLSID clsid, const CVariant* pLayout) {
        if (bCold)
            *pUnloaded = UnloadServers() && *pUnloaded;
        const FormTimes times = OpenControlForm(clsid, pLayout);
        KeepBest(pBest, times);
        return times.total >= 0;
    };
    for (int run = 0; run < kRuns; ++run) {
        if (!open(&pFigures->control, velmora, &layout) || !open(&pFigures->floor, CFloorWnd::kClassId, nullptr)
            || !open(&pFigures->trivial, trivial, nullptr))
            return false;
        KeepBest(&pFigures->bare, OpenBareForm(names));
    }
    return true;
}

void PrintTimes(const char* pszName, const FormTimes& times, bool bServer)
{
    std::printf("  %-24s", pszName);
    if (bServer)
        std::printf(" %8.2f %8.2f", times.server * 1e3, times.create * 1e3);
    else
        std::printf(" %8s %8s", "-", "-");
    std::printf(" %8.2f %8.2f %8.2f %8.2f\n", times.pages * 1e3, times.paint * 1e3, times.destroy * 1e3, times.total * 1e3);
}

void PrintForms(const char* pszTitle, const FormFigures& f)
{
    std::printf("\n%s\n  %-24s %8s %8s %8s %8s %8s %8s\n", pszTitle, "(ms)", "server", "create", "pages", "paint",
                "destroy", "total");
    PrintTimes("kvVelmora", f.control, true);
    PrintTimes("floor control alone", f.floor, true);
    PrintTimes("trivial control", f.trivial, true);
    PrintTimes("bare lists", f.bare, false);
    const double share = f.control.total - f.trivial.total;
    std::printf("  the control's own share (kvVelmora - trivial): %.2f ms, %.2fx the bare lists' form\n", share * 1e3,
                share / f.bare.total);
}

bool ReportForms()
{
    CLSID velmora = {}, trivial = {};
    if (FAILED(CLSIDFromProgID(L"KV.Velmora.1", &velmora)) || FAILED(CLSIDFromProgID(L"KV.Trivial.1", &trivial))) {
        std::printf("kvVelmora or kvTrivial is not registered\n");
        return false;
    }
    std::printf("opening a form of %d pages and %d rows, best of %d\n", kFormPages, kFormRows, kRuns);
    for (const bool bCold : {true, false}) {
        FormFigures figures = {};
        bool bUnloaded = true;
        if (!MeasureForms(velmora, trivial, bCold, &figures, &bUnloaded)) {
            std::printf("a control could not be made\n");
            return false;
        }
        PrintForms(bCold ? "the first form of a process: the servers loaded afresh every run"
                         : "every later form: the servers stay loaded",
                   figures);
        if (!bUnloaded)
            std::printf("  (a server stayed loaded between runs: the server column counts no loading)\n");
    }
    return true;
}

bool Wanted(int argc, char** argv, const char* pszSection)
{
    if (argc < 2)
        return true;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], pszSection) == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (!Wanted(argc, argv, "form"))
        return 0;
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    const int result = ReportForms() ? 0 : 1;
    OleUninitialize();
    return result;
}
