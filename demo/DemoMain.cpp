// Demo host: a window that hosts the kvVelmora control as an ActiveX child (our containment),
// loads a sample layout (several pages, rows of every kind and type, a grouped page), fills in
// values through the control's automation interface, and lists every event the control fires
// in a log pane. With --screenshot <file.png> it takes a short tour - the pages, a group opened
// and closed, a row selected, a long value hovered - saves an image of the window and exits;
// with --screenshots <folder> it also saves a picture of each step of the tour there.
#include "ControlWnd.h"
#include "DispatchDriver.h"
#include "LayoutText.h"
#include "Text.h"
#include "PngFile.h"
#include "Wnd.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <iterator>
#include <string>

namespace {

const UINT kControlId = 1;
const UINT kLogId = 2;
const UINT_PTR kTourTimer = 1;
// Long enough for a tooltip to come up between two steps.
const UINT kTourStepMs = 900;
const int kLogWidth = 300;
const int kTourRow = 1;      // "Alignment", a drop-down row: the click shows its row button
const int kLongValueRow = 5; // "Picture", whose value is wider than its cell
const short kGroupedPage = 2;
const int kSignX = 8;        // inside the plus or minus box of a grouped page's row

// Dispatch ids of the control (its type library, _DPropertiesGrid) and of its floor control.
enum : DISPID {
    kPagesAndItems = 1,
    kGetPagesCount = 11,
    kGetIDListCtrl = 24,
    kGetFloorWnd = 26,
    kSetDefaultValueByName = 32,
    kGetDefaultValueByName = 33,
    kSetActivePropertyByName = 36,
    kAddProperty = 38,
    kFloorCaptionTopLeft = 17,
};

std::string SampleLayout()
{
    std::string text;
    CLayoutText::AppendPageStart(text, "General", false);
    CRowText::AppendRow(text, {"Caption", "Edit", "Enable", ""});
    CRowText::AppendRow(text, {"Alignment", "ComboBox", "Enable", ""});
    CRowText::AppendRow(text, {"Visible", "BoolComboBox", "Enable", ""});
    CRowText::AppendRow(text, {"Fore colour", "ColorComboBox", "Enable", ""});
    CRowText::AppendRow(text, {"Font", "Font", "Enable", ""});
    CRowText::AppendRow(text, {"Picture", "EditButton", "Enable", ""});
    CRowText::AppendRow(text, {"Refresh", "Button", "Enable", ""});
    CRowText::AppendRow(text, {"Created", "Edit", "Grayed", ""});
    CRowText::AppendRow(text, {"Identifier", "Edit", "Black", ""});
    CLayoutText::AppendPageEnd(text);
    CLayoutText::AppendPageStart(text, "Data", false);
    CRowText::AppendRow(text, {"Folder", "ShellFolder", "Enable", ""});
    CRowText::AppendRow(text, {"Style", "UserComboBox", "Enable", ""});
    CRowText::AppendRow(text, {"Customer", "ADORComboBox", "Enable", ""});
    CRowText::AppendRow(text, {"Country", "DataComboBox", "Enable", ""});
    CRowText::AppendRow(text, {"Product", "NComboBox", "Enable", ""});
    CRowText::AppendRow(text, {"Supplier", "NADORComboBox", "Enable", ""});
    CRowText::AppendRow(text, {"Next", "Return", "Enable", ""});
    CRowText::AppendRow(text, {"Help", "Link", "Enable", ""});
    CLayoutText::AppendPageEnd(text);
    CLayoutText::AppendPageStart(text, "Layout", true);
    CRowText::AppendRow(text, {"Position", "Group", "Enable", ""});
    CRowText::AppendRow(text, {"Left", "Edit", "Enable", "Position"});
    CRowText::AppendRow(text, {"Top", "Edit", "Enable", "Position"});
    CRowText::AppendRow(text, {"Size", "Group", "Enable", ""});
    CRowText::AppendRow(text, {"Width", "Edit", "Enable", "Size"});
    CRowText::AppendRow(text, {"Height", "Edit", "Grayed", "Size"});
    CLayoutText::AppendPageEnd(text);
    return text;
}

const char* const kSampleValues[][2] = {
    {"Caption", "Quarterly report"},
    {"Alignment", "Centre"},
    {"Visible", "True"},
    {"Fore colour", "&&H0000C0 (Dark red)"},
    {"Font", "Arial, 10 pt"},
    {"Picture", "C:\\Users\\Public\\Pictures\\Company logos\\2024\\Quarterly report header, wide version for the printed edition of the annual review, final approved layout with bleed and crop marks.png"},
    {"Created", "2024-03-18"},
    {"Identifier", "RPT-0042"},
    {"Data\\Folder", "C:\\Reports"},
    {"Style", "Compact"},
    {"Country", "Norway"},
    {"Product", "Widget | 12.50"},
};

class CDemoFrame : public CWnd, public CEventSinkTarget {
public:
    CDemoFrame(std::string screenshotPath, std::string stepFolder)
        : m_screenshotPath(std::move(screenshotPath)), m_stepFolder(std::move(stepFolder))
    {
    }

    DECLARE_EVENTSINK_MAP()

protected:
    LRESULT OnCreate(WPARAM, LPARAM)
    {
        m_log.Create(L"LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | LBS_NOINTEGRALHEIGHT, 0,
                     RECT{0, 0, 0, 0}, m_hWnd, kLogId);
        m_log.SetFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        CLSID clsid = {};
        if (FAILED(CLSIDFromProgID(L"KV.Velmora.1", &clsid))
            || !m_control.CreateControl(clsid, m_hWnd, kControlId, RECT{0, 0, 0, 0}, true, this)) {
            Log("The kvVelmora control is not registered (run scripts/demo.sh).");
        } else {
            m_driver.Attach(m_control.GetControlDispatch());
            Populate();
        }
        if (!m_screenshotPath.empty())
            SetTimer(m_hWnd, kTourTimer, kTourStepMs, nullptr);
        return 0;
    }

    LRESULT OnSize(WPARAM, LPARAM lParam)
    {
        const int cx = LOWORD(lParam), cy = HIWORD(lParam);
        const RECT control = {0, 0, cx - kLogWidth, cy};
        if (m_control.GetControlUnknown())
            m_control.MoveControl(control);
        m_log.MoveWindow(RECT{cx - kLogWidth + 4, 0, cx, cy});
        return 0;
    }

    LRESULT OnTimer(WPARAM wParam, LPARAM);

    LRESULT OnDestroy(WPARAM, LPARAM)
    {
        m_driver.Release();
        m_control.DestroyControl();
        PostQuitMessage(0);
        return 0;
    }

    DECLARE_MESSAGE_MAP()

private:
    // The tour: pages brought to front as a user clicks their captions, a group of the grouped
    // page opened and closed by its sign, a row selected by name and then one by a click (the
    // mouse first goes there, as a user's would), and a long value hovered.
    struct TourStep {
        void (CDemoFrame::*run)();
        const char* pszPicture; // saved as <folder>/<name>.png; null for none
    };
    static const TourStep kTour[];

    void ShowDataPage() { ClickCaption(1); }
    void ShowGroupedPage() { ClickCaption(kGroupedPage); }
    void OpenGroup()
    {
        ClickRow(kGroupedPage, 0, kSignX);
        // Members of a closed group are not rows of their page: their names are found now.
        CallLogged("SetDefaultValueByName Left", kSetDefaultValueByName, VT_BOOL, {CVariant("Left"), CVariant("120")});
        CallLogged("SetDefaultValueByName Top", kSetDefaultValueByName, VT_BOOL, {CVariant("Top"), CVariant("80")});
    }
    void CloseGroup() { ClickRow(kGroupedPage, 0, kSignX); }
    void ShowGeneralPage()
    {
        ClickCaption(0);
        CallLogged("SetActivePropertyByName", kSetActivePropertyByName, VT_BOOL, {CVariant("Fore colour")});
        PointAtRow(0, kTourRow);
    }
    void SelectRow() { ClickRow(0, kTourRow); }
    // Over the value cell; the list hears of the move as it would of the mouse's own.
    void HoverLongValue()
    {
        HWND hList = nullptr;
        POINT point = {};
        if (!RowPoint(0, kLongValueRow, &hList, &point))
            return;
        point.x = ListView_GetColumnWidth(hList, 0) + 60;
        POINT screen = point;
        ClientToScreen(hList, &screen);
        SetCursorPos(screen.x, screen.y);
        ::SendMessageW(hList, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    }

    // The window as the screen shows it, with the pop-ups it shows (a tooltip) whole, even
    // where they reach beyond it.
    WindowImage Picture()
    {
        UpdateWindow();
        RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        RECT area = GetWindowRect();
        EnumThreadWindows(GetCurrentThreadId(), AddPopup, reinterpret_cast<LPARAM>(&area));
        return WindowImage::CaptureScreen(area);
    }

    static BOOL CALLBACK AddPopup(HWND hWnd, LPARAM lParam)
    {
        RECT popup = {};
        if ((GetWindowLongW(hWnd, GWL_STYLE) & WS_POPUP) && ::IsWindowVisible(hWnd) && ::GetWindowRect(hWnd, &popup)) {
            RECT* pArea = reinterpret_cast<RECT*>(lParam);
            UnionRect(pArea, pArea, &popup);
        }
        return TRUE;
    }

    void SaveStepPicture(const char* pszName)
    {
        if (pszName && !m_stepFolder.empty())
            PngFile::Save(Picture(), m_stepFolder + "\\" + pszName + ".png");
    }

    void Log(const std::string& line)
    {
        const std::wstring text = Utf8ToWide(line);
        const LRESULT nIndex = m_log.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        m_log.SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(nIndex));
    }

    CVariant CallLogged(const char* name, DISPID dispid, VARTYPE vtResult, std::initializer_list<CVariant> args)
    {
        try {
            CVariant result = m_driver.Call(dispid, vtResult, args);
            const std::string text = result.vt == VT_BOOL ? (result.boolVal ? "True" : "False") : result.ToString();
            Log(FormatText("> %s -> %s", name, text.c_str()));
            return result;
        } catch (const CDispatchException&) {
            Log(FormatText("> %s failed", name));
            return CVariant();
        }
    }

    void Populate()
    {
        try {
            m_driver.Put(kPagesAndItems, CVariant(SampleLayout()));
            Log(FormatText("> PagesAndItems: %ld pages", m_driver.CallLong(kGetPagesCount)));
            for (const auto& value : kSampleValues)
                m_driver.Call(kSetDefaultValueByName, VT_EMPTY, {CVariant(value[0]), CVariant(value[1])});
            Log(FormatText("> SetDefaultValueByName x %d", static_cast<int>(std::size(kSampleValues))));
            CallLogged("AddProperty Data\\Notes", kAddProperty, VT_I2, {CVariant("Data\\Notes"), CVariant("Edit"), CVariant(short(0))});
            CallLogged("GetDefaultValueByName Caption", kGetDefaultValueByName, VT_BSTR, {CVariant("Caption")});
        } catch (const CDispatchException&) {
            Log("> the control refused the sample");
        }
    }

    // Clicks a page's caption in the floor control, as the user would.
    void ClickCaption(short nPage)
    {
        try {
            CVariant floor = m_driver.Call(kGetFloorWnd, VT_UNKNOWN);
            CComPointer<IDispatch> pFloor;
            if (FAILED(pFloor.QueryFrom(floor.punkVal)))
                return;
            const long nTopLeft = CDispatchDriver(pFloor).CallLong(kFloorCaptionTopLeft, {CVariant(nPage)});
            const HWND hFloor = GetWindow(m_control.m_hWnd, GW_CHILD);
            POINT point = {static_cast<short>(LOWORD(nTopLeft)) + 40, static_cast<short>(HIWORD(nTopLeft)) + 6};
            const HWND hView = RealChildWindowFromPoint(hFloor, point);
            MapWindowPoints(hFloor, hView, &point, 1);
            ::SendMessageW(hView, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
            ::SendMessageW(hView, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        } catch (const CDispatchException&) {
            Log("> the floor control did not answer");
        }
    }

    // Where a row's name is drawn in its page's list, in the list's client coordinates; false
    // when the list or the row is not there.
    bool RowPoint(short nPage, int nRow, HWND* phList, POINT* pPoint)
    {
        try {
            const long nId = m_driver.CallLong(kGetIDListCtrl, {CVariant(nPage)});
            ListSearch search = {nId, nullptr};
            EnumChildWindows(m_control.m_hWnd, FindList, reinterpret_cast<LPARAM>(&search));
            RECT bounds = {};
            if (!search.hFound || !ListView_GetItemRect(search.hFound, nRow, &bounds, LVIR_BOUNDS))
                return false;
            *phList = search.hFound;
            *pPoint = POINT{40, (bounds.top + bounds.bottom) / 2};
            return true;
        } catch (const CDispatchException&) {
            return false;
        }
    }

    void PointAtRow(short nPage, int nRow)
    {
        HWND hList = nullptr;
        POINT point = {};
        if (!RowPoint(nPage, nRow, &hList, &point))
            return;
        ClientToScreen(hList, &point);
        SetCursorPos(point.x, point.y);
    }

    // Presses and releases the left button over a row (at x when given), as the user would.
    void ClickRow(short nPage, int nRow, int x = -1)
    {
        HWND hList = nullptr;
        POINT point = {};
        if (!RowPoint(nPage, nRow, &hList, &point)) {
            Log("> the row to click is not there");
            return;
        }
        if (x >= 0)
            point.x = x;
        ::SendMessageW(hList, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        ::SendMessageW(hList, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }

    struct ListSearch {
        long nId;
        HWND hFound;
    };

    static BOOL CALLBACK FindList(HWND hWnd, LPARAM lParam)
    {
        auto* pSearch = reinterpret_cast<ListSearch*>(lParam);
        if (::GetDlgCtrlID(hWnd) != pSearch->nId || !::IsWindowVisible(hWnd))
            return TRUE;
        pSearch->hFound = hWnd;
        return FALSE;
    }

    // Event handlers; arguments arrive last first.
    void OnSelectItem(DISPPARAMS* pParams) { LogRowEvent("SelectItem", pParams); }
    void OnSelectPage(DISPPARAMS* pParams) { Log(FormatText("SelectPage %ld", ArgLong(pParams, 0))); }
    void OnUnselectItem(DISPPARAMS* pParams) { LogRowEvent("UnselectItem", pParams); }
    void OnPropertyChanging(DISPPARAMS* pParams) { LogRowEvent("PropertyChanging", pParams); }
    void OnPropertyChanged(DISPPARAMS* pParams)
    {
        Log(FormatText("PropertyChanged page %ld row %ld%s", ArgLong(pParams, 0), ArgLong(pParams, 1),
                       ArgLong(pParams, 2) ? " (new value)" : ""));
    }
    void OnButtonClick(DISPPARAMS* pParams) { LogRowEvent("ButtonClick", pParams); }
    void OnLoadItems(DISPPARAMS* pParams)
    {
        LogRowEvent("LoadItems", pParams);
        VARIANT& items = pParams->rgvarg[0];
        if (pParams->cArgs == 3 && items.vt == (VT_BSTR | VT_BYREF) && items.pbstrVal) {
            SysFreeString(*items.pbstrVal);
            *items.pbstrVal = SysAllocString(L"Left\\Centre\\Right");
        }
    }
    void OnSetObject(DISPPARAMS* pParams) { LogRowEvent("SetObject", pParams); }
    void OnDelete(DISPPARAMS* pParams) { LogRowEvent("Delete", pParams); }
    void OnCustomColorChange(DISPPARAMS*) { Log("CustomColorChange"); }

    void LogRowEvent(const char* name, const DISPPARAMS* pParams)
    {
        Log(FormatText("%s page %ld row %ld", name, ArgLong(pParams, 0), ArgLong(pParams, 1)));
    }

    std::string m_screenshotPath;
    std::string m_stepFolder;
    CControlWnd m_control;
    CDispatchDriver m_driver;
    CWnd m_log;
    int m_nTourStep = 0;
};

const CDemoFrame::TourStep CDemoFrame::kTour[] = {
    {&CDemoFrame::ShowDataPage, "page-data"},
    {&CDemoFrame::ShowGroupedPage, "groups-collapsed"},
    {&CDemoFrame::OpenGroup, "groups-expanded"},
    {&CDemoFrame::CloseGroup, nullptr},
    {&CDemoFrame::ShowGeneralPage, nullptr},
    {&CDemoFrame::SelectRow, "row-selected"},
    {&CDemoFrame::HoverLongValue, "tooltip"},
};

LRESULT CDemoFrame::OnTimer(WPARAM wParam, LPARAM)
{
    if (wParam != kTourTimer)
        return Default();
    // The picture of a step is taken at the next tick, when what the step set off (a repaint, a
    // tooltip's delay) has happened.
    if (m_nTourStep > 0)
        SaveStepPicture(kTour[m_nTourStep - 1].pszPicture);
    if (m_nTourStep < static_cast<int>(std::size(kTour))) {
        (this->*kTour[m_nTourStep++].run)();
        return 0;
    }
    KillTimer(m_hWnd, kTourTimer);
    PngFile::Save(Picture(), m_screenshotPath);
    DestroyWindow();
    return 0;
}

BEGIN_MESSAGE_MAP(CDemoFrame, CWnd)
    ON_MESSAGE(WM_CREATE, OnCreate)
    ON_MESSAGE(WM_SIZE, OnSize)
    ON_MESSAGE(WM_TIMER, OnTimer)
    ON_MESSAGE(WM_DESTROY, OnDestroy)
END_MESSAGE_MAP(CWnd)

BEGIN_EVENTSINK_MAP(CDemoFrame, CEventSinkTarget)
    ON_EVENT(kControlId, 1, OnSelectItem)
    ON_EVENT(kControlId, 2, OnSelectPage)
    ON_EVENT(kControlId, 3, OnUnselectItem)
    ON_EVENT(kControlId, 4, OnPropertyChanging)
    ON_EVENT(kControlId, 5, OnPropertyChanged)
    ON_EVENT(kControlId, 6, OnButtonClick)
    ON_EVENT(kControlId, 7, OnLoadItems)
    ON_EVENT(kControlId, 8, OnSetObject)
    ON_EVENT(kControlId, 9, OnDelete)
    ON_EVENT(kControlId, 10, OnCustomColorChange)
END_EVENTSINK_MAP(CEventSinkTarget)

// The value after the option on the command line; empty without it.
std::string Argument(const wchar_t* pszOption)
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::string value;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::wstring(argv[i]) == pszOption)
            value = WideToUtf8(argv[i + 1]);
    LocalFree(argv);
    return value;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int nCmdShow)
{
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CWnd::RegisterWindowClass(L"VelmoraDemoFrame", CS_DBLCLKS, GetSysColorBrush(COLOR_BTNFACE));
    int result = 0;
    {
        CDemoFrame frame(Argument(L"--screenshot"), Argument(L"--screenshots"));
        if (frame.Create(L"VelmoraDemoFrame", "kvVelmora demo", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                         RECT{40, 40, 940, 560}, nullptr, 0)) {
            frame.ShowWindow(nCmdShow);
            MSG msg;
            while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        } else {
            result = 1;
        }
    }
    OleUninitialize();
    return result;
}
