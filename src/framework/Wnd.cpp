#include "Wnd.h"

#include "BusyWindows.h"
#include "GuardCall.h"
#include "ProcessLock.h"
#include "ShapingCaches.h"
#include "ThreadSlot.h"
#include "Text.h"

#include <utility>
#include <vector>

namespace {

CWindowObjects& WindowObjects()
{
    static CWindowObjects objects;
    return objects;
}

CWindowObjects& OverlayObjects()
{
    static CWindowObjects objects;
    return objects;
}

// The classes this module registered, for UnregisterWindowClasses.
CProcessLock g_classesLock;
std::vector<std::wstring> g_classes;

// The window the thread is making, and the hook that binds it once made.
CThreadSlot<CWnd*> t_pCreating;
CThreadSlot<HHOOK> t_hCreateHook;

bool IsReflectable(UINT message)
{
    switch (message) {
    case WM_NOTIFY:
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return true;
    default:
        return false;
    }
}

// The child window a parent-side message came from, or null when it is not from a child: menus
// and accelerators send WM_COMMAND without a sender, and a message that should describe its
// sender may come without the description.
HWND SenderOf(HWND hParent, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0)
        return nullptr;
    switch (message) {
    case WM_NOTIFY:
        return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    case WM_DRAWITEM: {
        const auto* pItem = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return pItem->CtlType == ODT_MENU ? nullptr : pItem->hwndItem;
    }
    case WM_MEASUREITEM: {
        const auto* pItem = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        return pItem->CtlType == ODT_MENU ? nullptr : GetDlgItem(hParent, static_cast<int>(pItem->CtlID));
    }
    case WM_DELETEITEM:
        return reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem;
    case WM_COMPAREITEM:
        return reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem;
    default:
        (void)wParam;
        return reinterpret_cast<HWND>(lParam); // WM_COMMAND from a control, scrolls, WM_CTLCOLOR*
    }
}

// Notification code and control id a map entry is matched on.
void CodeAndId(UINT message, WPARAM wParam, LPARAM lParam, UINT* pCode, UINT* pId)
{
    const UINT plain = message >= OCM__BASE ? message - OCM__BASE : message;
    if (plain == WM_NOTIFY && lParam) {
        const auto* pHeader = reinterpret_cast<const NMHDR*>(lParam);
        *pCode = pHeader->code;
        *pId = static_cast<UINT>(pHeader->idFrom);
    } else if (plain == WM_COMMAND) {
        *pCode = HIWORD(wParam);
        *pId = LOWORD(wParam);
    } else {
        *pCode = 0;
        *pId = 0;
    }
}

} // namespace

HINSTANCE CWnd::ModuleInstance()
{
    // The module this code is linked into (a control DLL or an executable): window classes
    // registered by the module must be found again by the same instance handle.
    HMODULE hModule = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&CWnd::ModuleInstance), &hModule);
    return hModule;
}

CWnd::~CWnd()
{
    // The object lets go first: what its window still says while it goes is not for a half
    // destroyed object. A window whose message is still being handled goes when it returns.
    const HWND hOwned = m_bOwnsWindow ? m_hWnd : nullptr;
    LeaveEntry();
    if (hOwned)
        CBusyWindows::ThisThread().Destroy(hOwned);
}

bool CWnd::RegisterWindowClass(const wchar_t* className, UINT classStyle, HBRUSH background, HCURSOR cursor)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    HINSTANCE hInstance = ModuleInstance();
    const CProcessLockGuard lock(g_classesLock);
    if (GetClassInfoExW(hInstance, className, &wc))
        return true;
    wc.cbSize = sizeof(wc);
    wc.style = classStyle;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = hInstance;
    wc.hCursor = cursor ? cursor : LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    if (!RegisterClassExW(&wc))
        return false;
    g_classes.emplace_back(className);
    return true;
}

void CWnd::UnregisterWindowClasses()
{
    const CProcessLockGuard lock(g_classesLock);
    for (const std::wstring& className : g_classes)
        UnregisterClassW(className.c_str(), ModuleInstance());
    g_classes.clear();
}

LRESULT CALLBACK CWnd::CreateHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CallNextHookEx(t_hCreateHook.Get(), nCode, wParam, lParam);
    CWnd* pWnd = t_pCreating.Get();
    if (nCode == HCBT_CREATEWND && pWnd) {
        t_pCreating.Set(nullptr);
        // Only the first window created is ours: the windows it makes while it is created (a
        // list's header, a tooltip) pass no hook of ours.
        UnhookWindowsHookEx(t_hCreateHook.Get());
        t_hCreateHook.Set(nullptr);
        pWnd->BindProcedure(reinterpret_cast<HWND>(wParam));
    }
    return result;
}

BOOL CWnd::Create(const wchar_t* className, const std::string& text, DWORD style, DWORD exStyle,
                  const RECT& rect, HWND hParent, UINT nID)
{
    if (m_hWnd)
        return FALSE;
    LeaveEntry(); // the layer of an entry left from a window gone goes with it
    m_bOverlay = false;
    CWnd* pOuterCreating = t_pCreating.Get();
    const HHOOK hOuterHook = t_hCreateHook.Get();
    t_pCreating.Set(this);
    t_hCreateHook.Set(SetWindowsHookExW(WH_CBT, CreateHookProc, nullptr, GetCurrentThreadId()));
    const HMENU hMenuOrId = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)) : nullptr;
    HWND hWnd = CreateWindowExW(exStyle, className, Utf8ToWide(text).c_str(), style, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, hParent, hMenuOrId,
                                ModuleInstance(), nullptr);
    if (const HHOOK hHook = t_hCreateHook.Get())
        UnhookWindowsHookEx(hHook);
    t_pCreating.Set(pOuterCreating);
    t_hCreateHook.Set(hOuterHook);
    if (!hWnd) {
        LeaveEntry();
        m_hWnd = nullptr;
        return FALSE;
    }
    m_bOwnsWindow = true;
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    HWND hWnd = m_hWnd;
    if (!m_hEntry) { // attached only: nothing of ours runs at WM_NCDESTROY
        m_hWnd = nullptr;
        m_bOwnsWindow = false;
    }
    return ::DestroyWindow(hWnd);
}

CWnd::Layer CWnd::OwnLayer()
{
    return {WindowObjects(), &CWnd::StandardProc};
}

CWnd::Layer CWnd::OverlayLayer()
{
    return {OverlayObjects(), &CWnd::OverlayProc};
}

void CWnd::BindProcedure(HWND hWnd)
{
    LeaveEntry(); // a window gone whose outermost message has not ended yet
    m_hWnd = hWnd;
    m_hEntry = hWnd;
    const Layer layer = MyLayer();
    // Our procedure may still be in the chain, under one stacked on it since an object let go.
    if (layer.objects.Adopt(hWnd, this))
        return;
    const auto pfnPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(layer.pfnProc)));
    layer.objects.Add(hWnd, this, pfnPrevious);
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (m_hWnd || !::IsWindow(hWnd) || FromHandle(hWnd))
        return FALSE;
    LeaveEntry();
    m_bOverlay = false;
    BindProcedure(hWnd);
    m_bOwnsWindow = false;
    return TRUE;
}

BOOL CWnd::OverlayWindow(HWND hWnd)
{
    if (m_hWnd || !::IsWindow(hWnd) || OverlayFromHandle(hWnd))
        return FALSE;
    LeaveEntry();
    m_bOverlay = true;
    BindProcedure(hWnd);
    m_bOwnsWindow = false;
    return TRUE;
}

HWND CWnd::UnsubclassWindow()
{
    HWND hWnd = m_hWnd;
    if (!hWnd || !m_hEntry)
        return nullptr;
    LeaveEntry();
    m_hWnd = nullptr;
    m_bOwnsWindow = false;
    return hWnd;
}

void CWnd::LeaveEntry()
{
    const HWND hEntry = std::exchange(m_hEntry, nullptr);
    CWindowObjects::Settled settled = {};
    const Layer layer = MyLayer();
    if (hEntry && layer.objects.LetGo(hEntry, &settled))
        Settle(layer, hEntry, settled);
}

void CWnd::Attach(HWND hWnd)
{
    m_hWnd = hWnd;
    m_bOwnsWindow = false;
}

HWND CWnd::Detach()
{
    if (m_hEntry)
        return UnsubclassWindow();
    HWND hWnd = m_hWnd;
    m_hWnd = nullptr;
    m_bOwnsWindow = false;
    return hWnd;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return hWnd ? WindowObjects().Find(hWnd) : nullptr;
}

CWnd* CWnd::OverlayFromHandle(HWND hWnd)
{
    return hWnd ? OverlayObjects().Find(hWnd) : nullptr;
}

LRESULT CALLBACK CWnd::StandardProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Route(OwnLayer(), hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::OverlayProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Route(OverlayLayer(), hWnd, message, wParam, lParam);
}

LRESULT CWnd::Route(const Layer& layer, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindowObjects::Frame frame = {};
    if (!layer.objects.Enter(hWnd, {message, wParam, lParam}, &frame))
        return DefWindowProcW(hWnd, message, wParam, lParam);
    CBusyWindows& busy = CBusyWindows::ThisThread();
    busy.Enter(hWnd);
    // Windows inside this one that are in the middle of a message must outlive it.
    if (message == WM_DESTROY)
        busy.Evacuate(hWnd);
    // Once the object let go, its window's messages go on down the chain. frame.pWnd is not
    // touched after the handler: the handler may have deleted it.
    const auto passOn = [&] {
        return frame.pfnPrevious ? CallWindowProcW(frame.pfnPrevious, hWnd, message, wParam, lParam)
                                 : DefWindowProcW(hWnd, message, wParam, lParam);
    };
    const LRESULT result = frame.pWnd ? GuardCall([&] { return frame.pWnd->WindowProc(message, wParam, lParam); }, passOn)
                                      : passOn();
    if (message == WM_NCDESTROY) {
        if (CWnd* pWnd = layer.objects.MarkDestroyed(hWnd)) {
            pWnd->m_hWnd = nullptr;
            pWnd->m_bOwnsWindow = false;
        }
    }
    CWindowObjects::Settled settled = {};
    if (layer.objects.Leave(hWnd, frame.outer, &settled))
        Settle(layer, hWnd, settled);
    busy.Leave(hWnd);
    return result;
}

void CWnd::Settle(const Layer& layer, HWND hWnd, const CWindowObjects::Settled& settled)
{
    if (settled.bDestroyed) {
        layer.objects.Remove(hWnd);
        if (settled.pWnd) {
            settled.pWnd->m_hEntry = nullptr;
            GuardCall([&] { settled.pWnd->PostNcDestroy(); }, [] {});
        }
    } else if (!settled.pWnd) {
        // Our procedure leaves the chain only from the top: under another procedure stacked on
        // it, the entry stays to pass on what still comes through ours, until the window goes.
        if (GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(layer.pfnProc)) {
            SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(settled.pfnPrevious));
            layer.objects.Remove(hWnd);
        }
    }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (IsReflectable(message) && ReflectToChild(message, wParam, lParam, &result))
        return result;
    if (DispatchToMap(message, wParam, lParam, &result))
        return result;
    return CallPrevious(message, wParam, lParam);
}

bool CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    HWND hChild = SenderOf(m_hWnd, message, wParam, lParam);
    if (!hChild || hChild == m_hWnd)
        return false;
    CWnd* pChild = FromHandle(hChild);
    return pChild && pChild->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectToSender(HWND hParent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (!IsReflectable(message))
        return FALSE;
    HWND hChild = SenderOf(hParent, message, wParam, lParam);
    if (!hChild || hChild == hParent || ::GetParent(hChild) != hParent)
        return FALSE;
    *pResult = ::SendMessageW(hChild, OCM__BASE + message, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return DispatchToMap(OCM__BASE + message, wParam, lParam, pResult);
}

bool CWnd::DispatchToMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    UINT code = 0;
    UINT id = 0;
    CodeAndId(message, wParam, lParam, &code, &id);
    const bool reflected = message >= OCM__BASE;
    for (const MessageMap* pMap = GetMessageMap(); pMap; pMap = pMap->base ? pMap->base() : nullptr) {
        for (const MessageMapEntry* pEntry = pMap->entries; pEntry->handler; ++pEntry) {
            if (pEntry->message != message)
                continue;
            if (pEntry->code != ANY_CODE && pEntry->code != code)
                continue;
            if (!reflected && (id < pEntry->idFirst || id > pEntry->idLast))
                continue;
            *pResult = (this->*pEntry->handler)(wParam, lParam);
            return true;
        }
    }
    return false;
}

LRESULT CWnd::Default()
{
    const CWindowObjects::Message current = MyLayer().objects.Current(m_hEntry);
    return CallPrevious(current.message, current.wParam, current.lParam);
}

LRESULT CWnd::CallPrevious(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Reflections end at the window's own object: the control under it does not know them. An
    // object laid over the window passes them down to that object.
    if (!m_bOverlay && message >= OCM__BASE && message < OCM__BASE + 0x1000)
        return 0;
    if (const WNDPROC pfnPrevious = MyLayer().objects.Previous(m_hEntry))
        return CallWindowProcW(pfnPrevious, m_hWnd, message, wParam, lParam);
    return DefWindowProcW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

const MessageMap* CWnd::GetThisMessageMap()
{
    static const MessageMapEntry entries[] = {{0, 0, 0, 0, nullptr}};
    static const MessageMap map = {nullptr, entries};
    return &map;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
HWND CWnd::GetParent() const { return ::GetParent(m_hWnd); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

RECT CWnd::GetClientRect() const
{
    RECT rect = {};
    ::GetClientRect(m_hWnd, &rect);
    return rect;
}

RECT CWnd::GetWindowRect() const
{
    RECT rect = {};
    ::GetWindowRect(m_hWnd, &rect);
    return rect;
}

BOOL CWnd::MoveWindow(const RECT& rect, BOOL bRepaint)
{
    return ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, bRepaint);
}

BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL bEnable) { return ::EnableWindow(m_hWnd, bEnable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
HWND CWnd::SetFocus() { return ::SetFocus(m_hWnd); }
void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }
void CWnd::SetFont(HFONT hFont, BOOL bRedraw)
{
    CShapingCaches::Hold(hFont);
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), bRedraw);
}
HFONT CWnd::GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }

void CWnd::SetWindowText(const std::string& text)
{
    ::SetWindowTextW(m_hWnd, Utf8ToWide(text).c_str());
}

std::string CWnd::GetWindowText() const
{
    const int length = ::GetWindowTextLengthW(m_hWnd);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    ::GetWindowTextW(m_hWnd, buffer.data(), length + 1);
    return WideToUtf8(buffer.data());
}

RECT WorkAreaAt(const RECT& rcScreen)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(MonitorFromRect(&rcScreen, MONITOR_DEFAULTTONEAREST), &info))
        return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    // The primary monitor's work area as a program set it (a desk band): Windows gives it in
    // both places, Wine only in the system parameter.
    RECT rcSet = {};
    RECT rcBoth = {};
    if ((info.dwFlags & MONITORINFOF_PRIMARY) && SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcSet, 0) &&
        IntersectRect(&rcBoth, &info.rcWork, &rcSet))
        return rcBoth;
    return info.rcWork;
}
