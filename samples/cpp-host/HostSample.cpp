// A small C++ host of the kvVelmora control: a window that hosts the control through the ATL
// host window of atl.dll, fills it with two pages, answers its events through a connection
// point (the list items of a ComboBox row included), and reads values back by name.
//
//   host_sample.exe                 fills and reads the control from C++
//   host_sample.exe --script F.vbs  runs a VBScript file against the hosted control, which the
//                                   script knows as "Grid"; "Host.Echo text" prints a line
//
// Everything it does is printed, one line a step, so the run can be compared with a transcript.
#include <windows.h>
#include <activscp.h>
#include <ocidl.h>
#include <wrl/client.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

const wchar_t kProgId[] = L"KV.Velmora.1";
const IID kEventsIid = {0xA2D332A2, 0x080B, 0x4A0B, {0x80, 0xA5, 0x35, 0xE5, 0x3A, 0x23, 0x24, 0xD8}};

// A VARIANT that clears itself.
struct Variant : VARIANT {
    Variant() { VariantInit(this); }
    explicit Variant(const wchar_t* text) { vt = VT_BSTR; bstrVal = SysAllocString(text); }
    explicit Variant(short n) { vt = VT_I2; iVal = n; }
    explicit Variant(bool b) { vt = VT_BOOL; boolVal = b ? VARIANT_TRUE : VARIANT_FALSE; }
    explicit Variant(VARIANT* pByRef, VARTYPE type) { vt = type | VT_BYREF; byref = pByRef; }
    ~Variant() { VariantClear(this); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    std::wstring Text() const
    {
        Variant text;
        if (FAILED(VariantChangeType(&text, const_cast<Variant*>(this), VARIANT_ALPHABOOL, VT_BSTR)) || !text.bstrVal)
            return L"";
        return text.bstrVal;
    }
};

// Calls a member of a dispatch interface by name; arguments in the order of the declaration.
HRESULT Call(IDispatch* pObject, const wchar_t* name, WORD flags, std::vector<VARIANT*> args, VARIANT* pResult = nullptr)
{
    DISPID dispid = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = pObject->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispid);
    if (FAILED(hr))
        return hr;
    std::vector<VARIANT> reversed;
    for (auto it = args.rbegin(); it != args.rend(); ++it)
        reversed.push_back(**it);
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    return pObject->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, pResult, nullptr, nullptr);
}

std::wstring CallText(IDispatch* pObject, const wchar_t* name, std::vector<VARIANT*> args = {})
{
    Variant result;
    Call(pObject, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, std::move(args), &result);
    return result.Text();
}

void Print(const std::wstring& line)
{
    std::printf("%ls\n", line.c_str());
    std::fflush(stdout);
}

// The host's answers to the control's events: each one printed; a ComboBox row asking for its
// items gets the shapes.
class EventSink : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == kEventsIid) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_nRefs; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_nRefs; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pCount) override
    {
        *pCount = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* pParams, VARIANT*, EXCEPINFO*, UINT*) override
    {
        static const wchar_t* const names[] = {L"", L"SelectItem", L"SelectPage", L"UnselectItem", L"PropertyChanging",
                                               L"PropertyChanged", L"ButtonClick", L"LoadItems", L"SetObject", L"Delete",
                                               L"CustomColorChange"};
        if (dispid < 1 || dispid > 10)
            return DISP_E_MEMBERNOTFOUND;
        // Arguments arrive last first.
        std::wstring line = std::wstring(L"event ") + names[dispid] + L"(";
        for (UINT i = pParams->cArgs; i-- > 0;) {
            const VARIANT& arg = pParams->rgvarg[i];
            if (arg.vt & VT_BYREF)
                line += L"by reference";
            else {
                Variant copy;
                VariantCopy(&copy, const_cast<VARIANT*>(&arg));
                line += copy.Text();
            }
            if (i > 0)
                line += L", ";
        }
        Print(line + L")");
        if (dispid == 7 && pParams->cArgs == 3 && pParams->rgvarg[0].vt == (VT_BSTR | VT_BYREF)) {
            // The row hands over an empty string and frees what the host stores in it.
            BSTR* pItems = pParams->rgvarg[0].pbstrVal;
            SysFreeString(*pItems);
            *pItems = SysAllocString(L"Circle\\Square\\Triangle");
        }
        return S_OK;
    }

private:
    ULONG m_nRefs = 1;
};

// "Host.Echo text" for scripts: prints the line.
class ScriptHost : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IDispatch) {
            *ppv = static_cast<IDispatch*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pCount) override
    {
        *pCount = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        if (count != 1 || CompareStringOrdinal(names[0], -1, L"Echo", -1, TRUE) != CSTR_EQUAL)
            return DISP_E_UNKNOWNNAME;
        ids[0] = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS* pParams, VARIANT*, EXCEPINFO*, UINT*) override
    {
        if (dispid != 1 || pParams->cArgs != 1)
            return DISP_E_BADPARAMCOUNT;
        Variant copy;
        VariantCopyInd(&copy, &pParams->rgvarg[0]);
        Print(copy.Text());
        return S_OK;
    }
};

// The script engine's view of this host: two named items, "Grid" (the control) and "Host".
class ScriptSite : public IActiveScriptSite {
public:
    ScriptSite(IDispatch* pGrid, IDispatch* pHost) : m_pGrid(pGrid), m_pHost(pHost) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IActiveScriptSite) {
            *ppv = static_cast<IActiveScriptSite*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetLCID(LCID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** ppUnknown, ITypeInfo** ppTypeInfo) override
    {
        if (ppTypeInfo)
            *ppTypeInfo = nullptr;
        if (!(mask & SCRIPTINFO_IUNKNOWN) || !ppUnknown)
            return E_INVALIDARG;
        IDispatch* pItem = CompareStringOrdinal(name, -1, L"Grid", -1, TRUE) == CSTR_EQUAL   ? m_pGrid
                           : CompareStringOrdinal(name, -1, L"Host", -1, TRUE) == CSTR_EQUAL ? m_pHost
                                                                                             : nullptr;
        if (!pItem)
            return TYPE_E_ELEMENTNOTFOUND;
        pItem->AddRef();
        *ppUnknown = pItem;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDocVersionString(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnScriptTerminate(const VARIANT*, const EXCEPINFO*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnStateChange(SCRIPTSTATE) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnScriptError(IActiveScriptError* pError) override
    {
        EXCEPINFO info = {};
        DWORD context = 0;
        ULONG line = 0;
        LONG column = 0;
        pError->GetExceptionInfo(&info);
        pError->GetSourcePosition(&context, &line, &column);
        Print(L"script error on line " + std::to_wstring(line + 1) + L": " + (info.bstrDescription ? info.bstrDescription : L""));
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrHelpFile);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnEnterScript() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnLeaveScript() override { return S_OK; }

private:
    IDispatch* m_pGrid;
    IDispatch* m_pHost;
};

std::wstring ReadFile(const wchar_t* path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    const std::string bytes = text.str();
    std::wstring wide(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), static_cast<int>(wide.size()));
    return wide;
}

bool RunScript(IDispatch* pGrid, const wchar_t* path)
{
    CLSID clsid = {};
    ComPtr<IActiveScript> pScript;
    ComPtr<IActiveScriptParse> pParse;
    if (FAILED(CLSIDFromProgID(L"VBScript", &clsid))
        || FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&pScript)))
        || FAILED(pScript.As(&pParse)))
        return false;
    ScriptHost host;
    ScriptSite site(pGrid, &host);
    EXCEPINFO info = {};
    const bool bRan = SUCCEEDED(pScript->SetScriptSite(&site)) && SUCCEEDED(pParse->InitNew())
                      && SUCCEEDED(pScript->AddNamedItem(L"Grid", SCRIPTITEM_ISVISIBLE))
                      && SUCCEEDED(pScript->AddNamedItem(L"Host", SCRIPTITEM_ISVISIBLE))
                      && SUCCEEDED(pParse->ParseScriptText(ReadFile(path).c_str(), nullptr, nullptr, nullptr, 0, 0,
                                                           SCRIPTTEXT_ISVISIBLE, nullptr, &info))
                      && SUCCEEDED(pScript->SetScriptState(SCRIPTSTATE_CONNECTED));
    pScript->Close();
    return bRan;
}

void FillAndRead(IDispatch* pGrid)
{
    Variant layout(L"General#{#Name\\Edit\\Enable\\#Visible\\BoolComboBox\\Enable\\#Shape\\ComboBox\\Enable\\#}#"
                   L"Colours#{#Back colour\\ColorComboBox\\Enable\\#Fore colour\\ColorComboBox\\Grayed\\#}#");
    Call(pGrid, L"PagesAndItems", DISPATCH_PROPERTYPUT, {&layout});
    Print(L"pages: " + CallText(pGrid, L"GetPagesCount"));
    Variant first(short(0));
    Print(L"rows on " + CallText(pGrid, L"GetPageName", {&first}) + L": " + CallText(pGrid, L"GetPropertyCount", {&first}));

    Variant name(L"Name"), value(L"Velmora");
    Call(pGrid, L"SetDefaultValueByName", DISPATCH_METHOD, {&name, &value});
    Variant colourName(L"Colours\\Back colour"), colour(L"&H0000FF (Red)");
    Call(pGrid, L"SetDefaultValueByName", DISPATCH_METHOD, {&colourName, &colour});
    Print(L"Name = " + CallText(pGrid, L"GetDefaultValueByName", {&name}));
    Print(L"Back colour = " + CallText(pGrid, L"GetDefaultValueByName", {&colourName}));

    // By-reference answers: the page and row of a name.
    Variant shape(L"Shape"), page, row;
    Variant pageRef(&page, VT_VARIANT), rowRef(&row, VT_VARIANT);
    const std::wstring found = CallText(pGrid, L"GetPropertyIndex", {&shape, &pageRef, &rowRef});
    Print(L"Shape found: " + found + L" at page " + page.Text() + L", row " + row.Text());

    // Selecting the ComboBox row makes it ask the host for its items.
    Print(L"select Shape: " + CallText(pGrid, L"SetActivePropertyByName", {&shape}));
    Variant second(short(1));
    Call(pGrid, L"ActivatePage", DISPATCH_METHOD, {&second});
    Print(L"active page: " + CallText(pGrid, L"GetActivePage"));
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

int Run(int argc, wchar_t** argv)
{
    using AxWinInit = BOOL(WINAPI*)();
    using AxGetControl = HRESULT(WINAPI*)(HWND, IUnknown**);
    const HMODULE hAtl = LoadLibraryW(L"atl.dll");
    const auto pfnInit = hAtl ? reinterpret_cast<AxWinInit>(reinterpret_cast<void*>(GetProcAddress(hAtl, "AtlAxWinInit"))) : nullptr;
    const auto pfnGetControl = hAtl ? reinterpret_cast<AxGetControl>(reinterpret_cast<void*>(GetProcAddress(hAtl, "AtlAxGetControl"))) : nullptr;
    if (!pfnInit || !pfnGetControl || !pfnInit()) {
        Print(L"atl.dll has no ATL host window");
        return 1;
    }
    const HWND hFrame = CreateWindowExW(0, L"STATIC", L"kvVelmora host sample", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                                        CW_USEDEFAULT, CW_USEDEFAULT, 440, 340, nullptr, nullptr, nullptr, nullptr);
    const HWND hHost = CreateWindowExW(0, L"AtlAxWin", kProgId, WS_CHILD | WS_VISIBLE, 0, 0, 420, 300, hFrame, nullptr, nullptr, nullptr);
    ComPtr<IUnknown> pUnknown;
    ComPtr<IDispatch> pGrid;
    if (!hHost || FAILED(pfnGetControl(hHost, &pUnknown)) || FAILED(pUnknown.As(&pGrid))) {
        Print(L"KV.Velmora.1 could not be hosted: is it registered?");
        DestroyWindow(hFrame);
        return 1;
    }
    Print(L"hosted: KV.Velmora.1");

    ComPtr<IConnectionPointContainer> pContainer;
    ComPtr<IConnectionPoint> pPoint;
    EventSink sink;
    DWORD cookie = 0;
    if (FAILED(pGrid.As(&pContainer)) || FAILED(pContainer->FindConnectionPoint(kEventsIid, &pPoint))
        || FAILED(pPoint->Advise(&sink, &cookie)))
        Print(L"the control's events could not be connected");

    int nExit = 0;
    if (argc == 3 && std::wstring(argv[1]) == L"--script")
        nExit = RunScript(pGrid.Get(), argv[2]) ? 0 : 1;
    else
        FillAndRead(pGrid.Get());
    PumpMessages();

    if (pPoint)
        pPoint->Unadvise(cookie);
    pPoint.Reset();
    pContainer.Reset();
    pGrid.Reset();
    pUnknown.Reset();
    DestroyWindow(hFrame);
    PumpMessages();
    return nExit;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (FAILED(OleInitialize(nullptr)))
        return 1;
    const int nExit = Run(argc, argv);
    OleUninitialize();
    return nExit;
}
