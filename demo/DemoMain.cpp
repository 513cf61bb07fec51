// Demo host: a window that hosts the kvVelmora control as an ActiveX child (our containment),
// loads a sample layout (several pages, rows of every kind and type, a grouped page), fills in
// values through the control's automation interface, and lists every event the control fires
// in a log pane. With --screenshots <folder> it takes a tour, as a person would use the control,
// saves a picture of the window (with any drop-down or popup over it) after each step that
// names one, and exits. With --property-pages it opens the control's property pages in the
// system's property frame, as a form designer does; the tour ends there too.
#include "AdoRecordset.h"
#include "ComPointer.h"
#include "ControlWnd.h"
#include "DispatchDriver.h"
#include "Dpi.h"
#include "LayoutText.h"
#include "Text.h"
#include "PngFile.h"
#include "PositionedRecordset.h"
#include "Wnd.h"

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <olectl.h>
#include <prsht.h>
#include <shellapi.h>
#include <shlobj.h>

#include <iterator>
#include <vector>
#include <string>

namespace {

const UINT kControlId = 1;
const UINT kLogId = 2;
const UINT kOpenPropertyPagesCommand = 100;
const UINT_PTR kTourTimer = 1;
const int kLogWidth = 300;

// A length given for a 96-DPI screen, on this one: the demo is a host that scales itself.
int Px(int n)
{
    static const CDpi s_screen = CDpi::OfScreen();
    return s_screen.Scale(n);
}
// Rows of the first page the tour works on.
const int kCaptionRow = 0;   // an Edit row
const int kAlignmentRow = 1; // a drop-down row the host fills: a click shows its row button
const int kVisibleRow = 2;   // a boolean
const int kColourRow = 3;    // a colour
const int kFontRow = 4;      // a Font row
const int kPictureRow = 5;   // an EditButton row, whose value is wider than its cell
const short kGroupedPage = 2;
const int kSignX = 8;        // inside the plus or minus box of a grouped page's row
// Rows of the second page.
const int kFolderRow = 0;    // a ShellFolder row
const int kCustomerRow = 2;  // an ADORComboBox row: the host hands it a recordset
const int kCountryRow = 3;   // a DataComboBox row
const int kProductRow = 4;   // an NComboBox row the host fills itself
const int kSupplierRow = 5;  // an NADORComboBox row, filled from a recordset

// Dispatch ids of the control (its type library, _DPropertiesGrid) and of its floor control.
enum : DISPID {
    kPagesAndItems = 1,
    kGetPagesCount = 11,
    kGetIDListCtrl = 24,
    kGetxFloorWnd = 26,
    kSetDefaultValueByName = 32,
    kGetDefaultValueByName = 33,
    kSetActivePropertyByName = 36,
    kAddProperty = 38,
    kGetNComboObject = 45,
    kColumnWidth = 49,
    kColumnHeader = 51,
    kDropDownWidth = 52,
    kFloorCaptionTopLeft = 17,
};

// Dispatch ids of the NCombo control the NComboBox row hosts.
enum : DISPID {
    kNComboInsertColumn = 5,
    kNComboInsertItem = 8,
    kNComboSetItemText = 9,
    kNComboSetItemData = 10,
};

const char* const kCities[] = {"Lyon", "Porto", "Graz", "Turku", "Ghent", "Brno"};
const char* const kFirstNames[] = {"Ada", "Boris", "Clara", "Dmitri", "Elena", "Farid"};
const char* const kLastNames[] = {"Lind", "Moreau", "Novak", "Okafor", "Petrov", "Quist"};

// Thirty-six customers: number, name, city, customer since, and a credit limit for some.
CComPointer<IDispatch> CustomerRecordset()
{
    std::vector<std::vector<CVariant>> rows;
    for (long n = 0; n < 36; ++n) {
        CVariant since;
        since.vt = VT_DATE;
        since.date = 40000 + n * 97;
        CVariant limit;
        limit.vt = VT_NULL;
        if (n % 4 != 3)
            limit = CVariant(500.0 + 250.0 * (n % 7));
        rows.push_back({CVariant(1001 + n), CVariant(std::string(kFirstNames[n % 6]) + " " + kLastNames[(n / 6) % 6]),
                        CVariant(kCities[(n * 5) % 6]), since, limit});
    }
    return CAdoRecordset::Make({{"Number", CAdoRecordset::adInteger, 0},
                                {"Name", CAdoRecordset::adVarWChar, 40},
                                {"City", CAdoRecordset::adVarWChar, 20},
                                {"Since", CAdoRecordset::adDate, 0},
                                {"Credit", CAdoRecordset::adDouble, 0}},
                               rows);
}

// Wine's ADO does not answer the record position the NADORComboBox kind keeps with each row:
// the recordset goes out wrapped in an object of ours that does.
CComPointer<IDispatch> SupplierRecordset()
{
    const CComPointer<IDispatch> pRecordset = CAdoRecordset::Make(
        {{"Code", CAdoRecordset::adVarWChar, 8}, {"Supplier", CAdoRecordset::adVarWChar, 40}, {"Lead days", CAdoRecordset::adSmallInt, 0}},
        {{CVariant("S-01"), CVariant("Northwind Metals"), CVariant(short(5))},
         {CVariant("S-02"), CVariant("Baltic Fasteners"), CVariant(short(12))},
         {CVariant("S-03"), CVariant("Alpine Tooling"), CVariant(short(3))},
         {CVariant("S-04"), CVariant("Danube Plastics"), CVariant(short(9))}});
    if (!pRecordset)
        return nullptr;
    return static_cast<IDispatch*>(NewComObject<CPositionedRecordset>(pRecordset.Get()).Get());
}

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
    {"Fore colour", "&&H00008B (Dark red)"},
    {"Font", "Arial, 10 pt"},
    {"Picture", "C:\\Users\\Public\\Pictures\\Company logos\\2024\\Quarterly report header, wide version for the printed edition of the annual review, final approved layout with bleed and crop marks.png"},
    {"Created", "2024-03-18"},
    {"Identifier", "RPT-0042"},
    {"Data\\Folder", "C:\\Reports"},
    {"Style", "Compact"},
    {"Country", "2024-03-18"},
    {"Product", "Widget | 12.50"},
};

class CDemoFrame : public CWnd, public CEventSinkTarget {
public:
    CDemoFrame(std::string screenshotFolder, bool bPropertyPages)
        : m_screenshotFolder(std::move(screenshotFolder)), m_bPropertyPages(bPropertyPages) {}

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
        if (!m_screenshotFolder.empty())
            SetTimer(m_hWnd, kTourTimer, 400, nullptr);
        else if (m_bPropertyPages)
            PostMessage(WM_COMMAND, kOpenPropertyPagesCommand);
        return 0;
    }

    LRESULT OnSize(WPARAM, LPARAM lParam)
    {
        const int cx = LOWORD(lParam), cy = HIWORD(lParam);
        const RECT control = {0, 0, cx - Px(kLogWidth), cy};
        if (m_control.GetControlUnknown())
            m_control.MoveControl(control);
        m_log.MoveWindow(RECT{cx - Px(kLogWidth) + Px(4), 0, cx, cy});
        return 0;
    }

    LRESULT OnTimer(WPARAM wParam, LPARAM);
    LRESULT OnCommand(WPARAM wParam, LPARAM)
    {
        if (LOWORD(wParam) == kOpenPropertyPagesCommand)
            OpenPropertyPages();
        return 0;
    }

    LRESULT OnDestroy(WPARAM, LPARAM)
    {
        m_driver.Release();
        m_control.DestroyControl();
        PostQuitMessage(0);
        return 0;
    }

    DECLARE_MESSAGE_MAP()

private:
    // The grouped page: a group opened and closed by a click on its sign.
    void ShowGroupedPage() { ClickCaption(kGroupedPage); }
    void OpenGroup()
    {
        ClickRowAt(kGroupedPage, 0, Px(kSignX));
        // Members of a closed group are not rows of their page: their names are found now.
        CallLogged("SetDefaultValueByName Left", kSetDefaultValueByName, VT_BOOL, {CVariant("Left"), CVariant("120")});
        CallLogged("SetDefaultValueByName Top", kSetDefaultValueByName, VT_BOOL, {CVariant("Top"), CVariant("80")});
    }
    void CloseGroup() { ClickRowAt(kGroupedPage, 0, Px(kSignX)); }
    // Over the value cell; the list hears of the move as it would of the mouse's own, and its
    // tooltip comes up after its delay.
    void HoverLongValue()
    {
        HWND hList = nullptr;
        POINT point = {};
        if (!RowPoint(0, kPictureRow, &hList, &point))
            return;
        point.x = ListView_GetColumnWidth(hList, 0) + Px(60);
        POINT screen = point;
        ClientToScreen(hList, &screen);
        SetCursorPos(screen.x, screen.y);
        ::SendMessageW(hList, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
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
            FillProducts();
            CallLogged("GetDefaultValueByName Caption", kGetDefaultValueByName, VT_BSTR, {CVariant("Caption")});
        } catch (const CDispatchException&) {
            Log("> the control refused the sample");
        }
    }

    // Clicks a page's caption in the floor control, as the user would.
    void ClickCaption(short nPage)
    {
        try {
            CVariant floor = m_driver.Call(kGetxFloorWnd, VT_UNKNOWN);
            CComPointer<IDispatch> pFloor;
            if (FAILED(pFloor.QueryFrom(floor.punkVal)))
                return;
            const long nTopLeft = CDispatchDriver(pFloor).CallLong(kFloorCaptionTopLeft, {CVariant(nPage)});
            const HWND hFloor = GetWindow(m_control.m_hWnd, GW_CHILD);
            POINT point = {static_cast<short>(LOWORD(nTopLeft)) + Px(40), static_cast<short>(HIWORD(nTopLeft)) + Px(6)};
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
            *pPoint = POINT{Px(40), (bounds.top + bounds.bottom) / 2};
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

    // Presses and releases the left button over a row's name, or its value, as the user would; a
    // double click presses once more.
    void ClickRow(short nPage, int nRow, bool bOnValue = false, bool bDouble = false)
    {
        HWND hList = nullptr;
        POINT point = {};
        if (!RowPoint(nPage, nRow, &hList, &point)) {
            Log("> the row to click is not there");
            return;
        }
        if (bOnValue) {
            RECT client = {};
            ::GetClientRect(hList, &client);
            point.x = client.right - Px(60);
        }
        Click(hList, point);
        if (bDouble)
            ::SendMessageW(hList, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    }

    void ClickRowAt(short nPage, int nRow, int x)
    {
        HWND hList = nullptr;
        POINT point = {};
        if (!RowPoint(nPage, nRow, &hList, &point))
            return;
        point.x = x;
        Click(hList, point);
    }

    // The row button sits at the right end of the selected row.
    void ClickRowButton(short nPage, int nRow)
    {
        HWND hList = nullptr;
        POINT point = {};
        if (!RowPoint(nPage, nRow, &hList, &point))
            return;
        RECT bounds = {};
        ListView_GetItemRect(hList, nRow, &bounds, LVIR_BOUNDS);
        point.x = bounds.right - Px(6);
        Click(hList, point);
    }

    // The mouse goes there first, as a user's would: the list tells a press on its column
    // divider by where it is.
    static void Click(HWND hWnd, POINT point)
    {
        POINT screen = point;
        ClientToScreen(hWnd, &screen);
        SetCursorPos(screen.x, screen.y);
        ::SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        ::SendMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    }

    // A key, where the keyboard focus is: in an open drop-down or popup, that is where it goes.
    static void PressKey(UINT nKey)
    {
        ::SendMessageW(::GetFocus(), WM_KEYDOWN, nKey, 1);
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
    // The recordset rows ask for their records: customers for one, suppliers for the other.
    void OnSetObject(DISPPARAMS* pParams)
    {
        LogRowEvent("SetObject", pParams);
        VARIANT& object = pParams->rgvarg[0];
        if (pParams->cArgs != 3 || object.vt != (VT_DISPATCH | VT_BYREF) || !object.ppdispVal)
            return;
        const long nRow = ArgLong(pParams, 1);
        CComPointer<IDispatch> pRecordset = nRow == kCustomerRow ? CustomerRecordset() : nRow == kSupplierRow ? SupplierRecordset() : nullptr;
        if (!pRecordset) {
            Log("> no recordset: ADO does not answer (is its type library 1.0 registered?)");
            return;
        }
        if (*object.ppdispVal)
            (*object.ppdispVal)->Release();
        *object.ppdispVal = pRecordset.Detach();
    }

    // The NComboBox row's control, filled by the host through its own interface.
    void FillProducts()
    {
        try {
            CVariant object = m_driver.Call(kGetNComboObject, VT_DISPATCH, {CVariant(1L), CVariant(long(kProductRow))});
            if (!object.pdispVal) {
                Log("> GetNComboObject: no NCombo control");
                return;
            }
            CDispatchDriver ncombo(object.pdispVal);
            const char* const headings[] = {"Product", "Price"};
            for (long n = 0; n < 2; ++n)
                ncombo.Call(kNComboInsertColumn, VT_I4, {CVariant(n), CVariant(headings[n]), CVariant(110L), CVariant(0L), CVariant(true), CVariant(true)});
            const char* const products[][2] = {{"Widget", "12.50"}, {"Gadget", "8.75"}, {"Sprocket", "3.20"}, {"Flange", "6.10"}, {"Gasket", "0.95"}};
            for (long n = 0; n < 5; ++n) {
                ncombo.Call(kNComboInsertItem, VT_I4, {CVariant(n), CVariant(products[n][0])});
                ncombo.Call(kNComboSetItemText, VT_BOOL, {CVariant(n), CVariant(1L), CVariant(products[n][1])});
                ncombo.Call(kNComboSetItemData, VT_BOOL, {CVariant(n), CVariant(100L + n)});
            }
            Log("> GetNComboObject: 5 products");
        } catch (const CDispatchException&) {
            Log("> the NCombo control did not answer");
        }
    }
    void OnDelete(DISPPARAMS* pParams) { LogRowEvent("Delete", pParams); }
    void OnCustomColorChange(DISPPARAMS*) { Log("CustomColorChange"); }

    void LogRowEvent(const char* name, const DISPPARAMS* pParams)
    {
        Log(FormatText("%s page %ld row %ld", name, ArgLong(pParams, 0), ArgLong(pParams, 1)));
    }

    // The tour, one step a timer tick: what a person does, and the picture it is worth. A step
    // that opens a modal dialog returns only when a later step (run by the dialog's own message
    // loop) has answered it. Pictures of pop-ups take the screen around the frame and them.
    struct TourStep {
        void (CDemoFrame::*action)();
        const char* picture;
    };
    static const TourStep kTour[];

    void ShowDataPage() { ClickCaption(1); }
    void ShowGeneralPage()
    {
        ClickCaption(0);
        CallLogged("SetActivePropertyByName", kSetActivePropertyByName, VT_BOOL, {CVariant("Fore colour")});
    }
    void PointAtAlignment() { PointAtRow(0, kAlignmentRow); }
    void SelectAlignment() { ClickRow(0, kAlignmentRow); }
    // A first click selects the Edit row, a second one opens its edit; the person types.
    void OpenCaptionEdit()
    {
        ClickRow(0, kCaptionRow, true);
        ClickRow(0, kCaptionRow, true);
        TypeIntoFocus(" (draft)");
    }
    void CommitCaptionEdit()
    {
        ::SendMessageW(::GetFocus(), WM_KEYDOWN, VK_RETURN, 1);
        CallLogged("GetDefaultValueByName Caption", kGetDefaultValueByName, VT_BSTR, {CVariant("Caption")});
    }
    void SelectPicture() { ClickRow(0, kPictureRow); }
    // The button drawn at the right of the selected EditButton row: the host hears a ButtonClick.
    void PressPictureButton() { ClickRowButton(0, kPictureRow); }

    // The row button opens the list the host answered to LoadItems; the selection follows the
    // mouse down the list.
    void OpenAlignmentList()
    {
        ClickRowButton(0, kAlignmentRow);
        const HWND hDropDown = ::GetFocus();
        RECT item = {};
        ::SendMessageW(hDropDown, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
        POINT point = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        POINT screen = point;
        ClientToScreen(hDropDown, &screen);
        SetCursorPos(screen.x, screen.y);
        ::SendMessageW(hDropDown, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    }
    // A click on the item under the mouse picks it and closes the list.
    void PickFromAlignmentList()
    {
        POINT cursor = {};
        GetCursorPos(&cursor);
        const HWND hDropDown = ::GetFocus();
        ScreenToClient(hDropDown, &cursor);
        Click(hDropDown, cursor);
    }
    // A double click on the boolean row toggles it.
    void ToggleVisible() { ClickRow(0, kVisibleRow, false, true); }
    void OpenColourPopup()
    {
        ClickRow(0, kColourRow);
        PressKey(VK_F4);
    }
    void HighlightColour()
    {
        PressKey(VK_RIGHT);
        PressKey(VK_RIGHT);
    }
    void PickColour() { PressKey(VK_RETURN); }

    // The font dialog opens modally; the tour goes on inside its loop.
    void SelectFont() { ClickRow(0, kFontRow); }
    void OpenFontDialog() { ClickRowButton(0, kFontRow); }
    // A person looks at what is open.
    void Look() {}
    void ChooseFontInDialog()
    {
        HWND hDialog = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindFontDialog, reinterpret_cast<LPARAM>(&hDialog));
        if (!hDialog)
            return;
        for (const wchar_t* pszFace : {L"Tahoma", L"DejaVu Sans", L"Liberation Sans"})
            if (ChooseInCombo(hDialog, cmb1, pszFace))
                break;
        ChooseInCombo(hDialog, cmb3, L"12");
        ::PostMessageW(hDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    void SelectCountry() { ClickRow(1, kCountryRow); }
    // The row button places the date picker over the cell; its arrow drops the calendar.
    void OpenDatePicker()
    {
        ClickRowButton(1, kCountryRow);
        HWND hList = nullptr;
        POINT point = {};
        const HWND hPicker = RowPoint(1, kCountryRow, &hList, &point) ? ::GetDlgItem(hList, 1000) : nullptr;
        if (!hPicker)
            return;
        RECT client = {};
        ::GetClientRect(hPicker, &client);
        Click(hPicker, POINT{client.right - Px(8), client.bottom / 2});
    }
    // The recordset row opened by its button: the host hands over its customers, the list
    // drops down under the cell with the header shown, and the arrow keys walk it.
    void SelectCustomer() { ClickRow(1, kCustomerRow); }
    void OpenCustomerList()
    {
        ShapeCustomerList();
        ClickRowButton(1, kCustomerRow);
        for (int n = 0; n < 4; ++n)
            PressKey(VK_DOWN);
    }
    void PickCustomer() { PressKey(VK_RETURN); }
    // The host's settings of the row's list: column widths, the header, a wider drop-down.
    void ShapeCustomerList()
    {
        const CVariant page{short(1)}, row{short(kCustomerRow)};
        const long widths[] = {56, 104, 52, 72, 56};
        try {
            for (short n = 0; n < 5; ++n)
                m_driver.Put(kColumnWidth, CVariant(widths[n]), {page, row, CVariant(n)});
            m_driver.Put(kColumnHeader, CVariant(true), {page, row});
            m_driver.Put(kDropDownWidth, CVariant(0.4), {page, row});
            Log("> ColumnWidth, ColumnHeader, DropDownWidth of Customer");
        } catch (const CDispatchException&) {
            Log("> the Customer row took no settings");
        }
    }
    void SelectProduct() { ClickRow(1, kProductRow); }
    // The NCombo control over the cell, its own list opened (Alt+Down).
    void OpenProductList()
    {
        ClickRowButton(1, kProductRow);
        ::SendMessageW(::GetFocus(), WM_SYSKEYDOWN, VK_DOWN, 1);
    }
    void PickProduct() { PressKey(VK_DOWN); }
    void SelectSupplier() { ClickRow(1, kSupplierRow); }
    void OpenSupplierList()
    {
        ClickRowButton(1, kSupplierRow);
        ::SendMessageW(::GetFocus(), WM_SYSKEYDOWN, VK_DOWN, 1);
    }

    void SelectFolder() { ClickRow(1, kFolderRow); }
    // The row button drops the folder tree; the person opens the computer and selects drive C:.
    void OpenFolderTree()
    {
        ClickRowButton(1, kFolderRow);
        const HWND hTree = ::GetFocus();
        LPITEMIDLIST pidlDrives = nullptr;
        SHFILEINFOW computer = {};
        if (SUCCEEDED(SHGetFolderLocation(nullptr, CSIDL_DRIVES, nullptr, 0, &pidlDrives)))
            SHGetFileInfoW(reinterpret_cast<LPCWSTR>(pidlDrives), 0, &computer, sizeof(computer), SHGFI_PIDL | SHGFI_DISPLAYNAME);
        CoTaskMemFree(pidlDrives);
        TreeView_Expand(hTree, TreeView_GetRoot(hTree), TVE_COLLAPSE);
        for (HTREEITEM hItem = TreeView_GetRoot(hTree); hItem; hItem = TreeView_GetNextSibling(hTree, hItem)) {
            if (TreeText(hTree, hItem) != computer.szDisplayName)
                continue;
            TreeView_Expand(hTree, hItem, TVE_EXPAND);
            for (HTREEITEM hDrive = TreeView_GetChild(hTree, hItem); hDrive; hDrive = TreeView_GetNextSibling(hTree, hDrive))
                if (TreeText(hTree, hDrive).find(L"C:") != std::wstring::npos)
                    TreeView_SelectItem(hTree, hDrive);
        }
    }

    static std::wstring TreeText(HWND hTree, HTREEITEM hItem)
    {
        wchar_t text[MAX_PATH] = {};
        TVITEMW item = {};
        item.mask = TVIF_TEXT;
        item.hItem = hItem;
        item.pszText = text;
        item.cchTextMax = MAX_PATH;
        TreeView_GetItem(hTree, &item);
        return text;
    }
    void ChooseFolder() { ::SendMessageW(::GetFocus(), WM_KEYDOWN, VK_RETURN, 1); }

    // The control's own pages (Preview and Options) in the system's property frame. The frame is
    // modal: the tour goes on inside its loop and closes it.
    void OpenPropertyPages()
    {
        CComPointer<ISpecifyPropertyPages> pSpecify;
        CAUUID pages = {};
        if (FAILED(pSpecify.QueryFrom(m_control.GetControlUnknown())) || FAILED(pSpecify->GetPages(&pages))) {
            Log("> the control names no property pages");
            return;
        }
        // Only pages this machine can make: the stock font and colour pages may be missing.
        std::vector<CLSID> available;
        for (ULONG i = 0; i < pages.cElems; ++i) {
            IClassFactory* pFactory = nullptr;
            if (SUCCEEDED(CoGetClassObject(pages.pElems[i], CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                           reinterpret_cast<void**>(&pFactory)))) {
                pFactory->Release();
                available.push_back(pages.pElems[i]);
            }
        }
        CoTaskMemFree(pages.pElems);
        IUnknown* pObject = m_control.GetControlUnknown();
        Log("OleCreatePropertyFrame");
        OleCreatePropertyFrame(m_hWnd, 20, 20, L"kvVelmora", 1, &pObject, static_cast<ULONG>(available.size()),
                               available.data(), LOCALE_USER_DEFAULT, 0, nullptr);
    }

    static BOOL CALLBACK FindPropertyFrame(HWND hWnd, LPARAM lParam)
    {
        wchar_t className[16] = {};
        GetClassNameW(hWnd, className, 16);
        if (!::IsWindowVisible(hWnd) || std::wstring(className) != L"#32770" || !FindWindowExW(hWnd, nullptr, WC_TABCONTROLW, nullptr))
            return TRUE;
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }

    static HWND PropertyFrame()
    {
        HWND hFrame = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindPropertyFrame, reinterpret_cast<LPARAM>(&hFrame));
        return hFrame;
    }

    static BOOL CALLBACK FindDesignList(HWND hWnd, LPARAM lParam)
    {
        wchar_t className[32] = {};
        GetClassNameW(hWnd, className, 32);
        if (!::IsWindowVisible(hWnd) || std::wstring(className) != WC_LISTVIEWW || ::GetDlgCtrlID(hWnd) != 1000)
            return TRUE;
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }

    // A right click on a row of the Preview page's first page opens the design menu; the menu's
    // loop runs the next steps until one closes it.
    void OpenDesignMenu()
    {
        HWND hList = nullptr;
        if (const HWND hFrame = PropertyFrame())
            EnumChildWindows(hFrame, FindDesignList, reinterpret_cast<LPARAM>(&hList));
        RECT bounds = {};
        if (!hList || !ListView_GetItemRect(hList, 1, &bounds, LVIR_BOUNDS)) {
            Log("> the Preview page shows no rows");
            return;
        }
        const POINT point = {30, (bounds.top + bounds.bottom) / 2};
        POINT screen = point;
        ClientToScreen(hList, &screen);
        SetCursorPos(screen.x, screen.y);
        // The list waits for the release inside the press, to tell a click from a drag.
        ::PostMessageW(hList, WM_RBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        ::SendMessageW(hList, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
    }
    // Down the menu to "As" and into its submenu, as the keys go.
    void OpenKindMenu()
    {
        for (UINT nKey : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT})
            PressKeyInMenu(nKey);
    }
    static void PressKeyInMenu(UINT nKey)
    {
        const HWND hMenu = FindWindowW(L"#32768", nullptr);
        if (hMenu)
            ::PostMessageW(hMenu, WM_KEYDOWN, nKey, 1);
    }
    void CloseDesignMenu() { EndMenu(); }
    void ShowOptionsPage()
    {
        if (const HWND hFrame = PropertyFrame())
            ::SendMessageW(hFrame, PSM_SETCURSEL, 1, 0);
    }
    void ClosePropertyPages()
    {
        if (const HWND hFrame = PropertyFrame())
            ::PostMessageW(hFrame, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }

    static BOOL CALLBACK FindFontDialog(HWND hWnd, LPARAM lParam)
    {
        if (!::IsWindowVisible(hWnd) || !::GetDlgItem(hWnd, cmb1))
            return TRUE;
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }

    // FALSE when the box does not offer the text.
    static bool ChooseInCombo(HWND hDialog, int nId, const wchar_t* pszText)
    {
        const HWND hCombo = ::GetDlgItem(hDialog, nId);
        const LRESULT nIndex = ::SendMessageW(hCombo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(pszText));
        if (nIndex < 0)
            return false;
        ::SendMessageW(hCombo, CB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
        ::SendMessageW(hDialog, WM_COMMAND, MAKEWPARAM(nId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hCombo));
        return true;
    }

    // A pop-up just opened has not painted yet: it paints now, and its place joins the picture.
    static BOOL CALLBACK PaintAndAddVisibleWindow(HWND hWnd, LPARAM lParam)
    {
        RECT window = {};
        auto* pBounds = reinterpret_cast<RECT*>(lParam);
        if (!::IsWindowVisible(hWnd) || !::GetWindowRect(hWnd, &window))
            return TRUE;
        RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        UnionRect(pBounds, pBounds, &window);
        return TRUE;
    }

    // The screen under the window and every pop-up of the tour (a drop-down, the colour popup,
    // the font dialog are windows of their own).
    void SavePicture(const char* name)
    {
        RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        RECT bounds = GetWindowRect();
        EnumThreadWindows(GetCurrentThreadId(), PaintAndAddVisibleWindow, reinterpret_cast<LPARAM>(&bounds));
        const std::string path = m_screenshotFolder + "\\" + name + ".png";
        if (!PngFile::Save(WindowImage::CaptureScreen(bounds), path))
            Log("> could not save " + path);
    }

    static void TypeIntoFocus(const std::string& text)
    {
        for (wchar_t ch : Utf8ToWide(text))
            ::SendMessageW(::GetFocus(), WM_CHAR, ch, 1);
    }

    std::string m_screenshotFolder;
    bool m_bPropertyPages;
    CControlWnd m_control;
    CDispatchDriver m_driver;
    CWnd m_log;
    size_t m_nTourStep = 0;
};

const CDemoFrame::TourStep CDemoFrame::kTour[] = {
    {&CDemoFrame::ShowDataPage, nullptr},
    {&CDemoFrame::ShowGroupedPage, "groups-collapsed"},
    {&CDemoFrame::OpenGroup, "groups-expanded"},
    {&CDemoFrame::CloseGroup, nullptr},
    {&CDemoFrame::ShowGeneralPage, "pages"},
    {&CDemoFrame::PointAtAlignment, nullptr},
    {&CDemoFrame::SelectAlignment, "row-selected"},
    {&CDemoFrame::HoverLongValue, nullptr},
    {&CDemoFrame::Look, nullptr},
    {&CDemoFrame::Look, "tooltip"},
    {&CDemoFrame::OpenAlignmentList, "combobox"},
    {&CDemoFrame::PickFromAlignmentList, nullptr},
    {&CDemoFrame::ToggleVisible, "boolcombobox"},
    {&CDemoFrame::OpenColourPopup, nullptr},
    {&CDemoFrame::HighlightColour, "colourpopup"},
    {&CDemoFrame::PickColour, nullptr},
    {&CDemoFrame::OpenCaptionEdit, "edit-open"},
    {&CDemoFrame::CommitCaptionEdit, nullptr},
    {&CDemoFrame::SelectPicture, nullptr},
    {&CDemoFrame::PressPictureButton, "button-pressed"},
    {&CDemoFrame::SelectFont, nullptr},
    {&CDemoFrame::OpenFontDialog, nullptr},
    {&CDemoFrame::Look, "font-dialog"},
    {&CDemoFrame::ChooseFontInDialog, nullptr},
    {&CDemoFrame::Look, "font-chosen"},
    {&CDemoFrame::ShowDataPage, nullptr},
    {&CDemoFrame::SelectCountry, nullptr},
    {&CDemoFrame::OpenDatePicker, "date-picker"},
    {&CDemoFrame::SelectFolder, nullptr},
    {&CDemoFrame::OpenFolderTree, "folder-tree"},
    {&CDemoFrame::ChooseFolder, "folder-chosen"},
    {&CDemoFrame::SelectCustomer, nullptr},
    {&CDemoFrame::OpenCustomerList, "adorcombobox"},
    {&CDemoFrame::PickCustomer, "adorcombobox-picked"},
    {&CDemoFrame::SelectProduct, nullptr},
    {&CDemoFrame::OpenProductList, "ncombobox"},
    {&CDemoFrame::PickProduct, nullptr},
    {&CDemoFrame::SelectSupplier, nullptr},
    {&CDemoFrame::OpenSupplierList, "nadorcombobox"},
    {&CDemoFrame::OpenPropertyPages, nullptr},
    {&CDemoFrame::Look, "design-preview"},
    {&CDemoFrame::OpenDesignMenu, nullptr},
    {&CDemoFrame::OpenKindMenu, nullptr},
    {&CDemoFrame::Look, "design-menu"},
    {&CDemoFrame::CloseDesignMenu, nullptr},
    {&CDemoFrame::ShowOptionsPage, nullptr},
    {&CDemoFrame::Look, "design-options"},
    {&CDemoFrame::ClosePropertyPages, nullptr},
};

LRESULT CDemoFrame::OnTimer(WPARAM wParam, LPARAM)
{
    if (wParam != kTourTimer)
        return Default();
    if (m_nTourStep >= std::size(kTour)) {
        KillTimer(m_hWnd, kTourTimer);
        DestroyWindow();
        return 0;
    }
    const TourStep& step = kTour[m_nTourStep++];
    (this->*step.action)();
    if (step.picture)
        SavePicture(step.picture);
    return 0;
}

BEGIN_MESSAGE_MAP(CDemoFrame, CWnd)
    ON_MESSAGE(WM_CREATE, OnCreate)
    ON_MESSAGE(WM_SIZE, OnSize)
    ON_MESSAGE(WM_TIMER, OnTimer)
    ON_MESSAGE(WM_COMMAND, OnCommand)
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

bool HasArgument(const wchar_t* pszSwitch)
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    bool bFound = false;
    for (int i = 1; i < argc; ++i)
        bFound = bFound || std::wstring(argv[i]) == pszSwitch;
    LocalFree(argv);
    return bFound;
}

std::string ScreenshotFolderArgument()
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::string folder;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::wstring(argv[i]) == L"--screenshots")
            folder = WideToUtf8(argv[i + 1]);
    LocalFree(argv);
    return folder;
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
        CDemoFrame frame(ScreenshotFolderArgument(), HasArgument(L"--property-pages"));
        if (frame.Create(L"VelmoraDemoFrame", "kvVelmora demo", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                         RECT{Px(40), Px(40), Px(940), Px(560)}, nullptr, 0)) {
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
