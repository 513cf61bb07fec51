// CWnd: a window object bound to an HWND, with a message map and reflection of child
// notifications. It either creates its window (and destroys it when it goes), or attaches to
// an existing one, optionally subclassing it (the old procedure comes back on detach, unless
// another procedure was stacked on ours since), or lies over a window's own object and sees its
// messages first. The object may be deleted from inside one of its window's messages: what is
// left to do waits for the end of the outermost one, and so does the destruction of a window
// (common controls included) that is in the middle of a message.
#pragma once
#include "MessageMap.h"
#include "WindowObjects.h"

#include <string>

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Registers a window class whose windows start with the default procedure; CWnd::Create
    // subclasses them as they are created. Registering the same name again, from any thread, is
    // harmless: the class stays until the module unloads.
    static bool RegisterWindowClass(const wchar_t* className, UINT classStyle = CS_DBLCLKS,
                                    HBRUSH background = nullptr, HCURSOR cursor = nullptr);
    // Every class the module registered goes: the system keeps a DLL's classes, with procedures
    // into its code, after the DLL is gone. For a module that unloads, once none of its windows
    // is left.
    static void UnregisterWindowClasses();

    static HINSTANCE ModuleInstance();

    // Creates a window of any class and subclasses it before its first message arrives.
    BOOL Create(const wchar_t* className, const std::string& text, DWORD style, DWORD exStyle,
                const RECT& rect, HWND hParent, UINT nID);
    BOOL DestroyWindow();

    BOOL SubclassWindow(HWND hWnd);   // attach and route its messages through this object
    // Subclasses a window whether or not it has an object of its own: this object gets each
    // message first, and Default() hands it on to the window's own object. One such object per
    // window; FromHandle still answers the window's own.
    BOOL OverlayWindow(HWND hWnd);
    HWND UnsubclassWindow();          // restore the previous procedure and detach
    void Attach(HWND hWnd);           // wrap without taking messages (calls only)
    HWND Detach();

    static CWnd* FromHandle(HWND hWnd); // the object whose procedure handles hWnd, or null
    static CWnd* OverlayFromHandle(HWND hWnd); // the object over hWnd's own, or null

    // For parents that are not CWnd objects (a plain window procedure, another module's window):
    // sends a child's notification back to the child as OCM__BASE + message, as OLE containers'
    // reflector windows do. FALSE when the message is not a reflectable child notification.
    static BOOL ReflectToSender(HWND hParent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    BOOL IsWindow() const;
    HWND GetParent() const;
    int GetDlgCtrlID() const;
    RECT GetClientRect() const;
    RECT GetWindowRect() const;
    BOOL MoveWindow(const RECT& rect, BOOL bRepaint = TRUE);
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    HWND SetFocus();
    void Invalidate(BOOL bErase = TRUE);
    void UpdateWindow();
    void SetFont(HFONT hFont, BOOL bRedraw = TRUE);
    HFONT GetFont() const;
    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;

    // Keyboard messages offered before dispatch; TRUE means taken.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    HWND m_hWnd = nullptr;

protected:
    // Dispatch: reflection to a child first, then the message map chain, then Default().
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Default processing of the message being handled (the subclassed procedure).
    LRESULT Default();
    // A parent offers a child's notification; TRUE when this child took it (result in *pResult).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Called after the window is gone (WM_NCDESTROY), once its outermost message has ended;
    // the object may delete itself here.
    virtual void PostNcDestroy() {}

    static const MessageMap* GetThisMessageMap();
    virtual const MessageMap* GetMessageMap() const { return GetThisMessageMap(); }

private:
    // The objects of one layer: windows' own objects, or the objects over them. Each layer has
    // its table and its procedure in the window's chain.
    struct Layer {
        CWindowObjects& objects;
        WNDPROC pfnProc;
    };
    static Layer OwnLayer();
    static Layer OverlayLayer();
    Layer MyLayer() const { return m_bOverlay ? OverlayLayer() : OwnLayer(); }

    static LRESULT CALLBACK StandardProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK OverlayProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT Route(const Layer& layer, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CreateHookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static void Settle(const Layer& layer, HWND hWnd, const CWindowObjects::Settled& settled);
    bool DispatchToMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam);
    void BindProcedure(HWND hWnd);
    void LeaveEntry();

    // The window whose entry in the window objects table names this object. It outlives m_hWnd
    // from WM_NCDESTROY to the end of the window's outermost message, when PostNcDestroy runs.
    HWND m_hEntry = nullptr;
    bool m_bOwnsWindow = false;
    bool m_bOverlay = false;
};

// The work area (the monitor less its task bars) of the monitor that holds most of rcScreen,
// or of the nearest one: where a popup shown at rcScreen has to fit.
RECT WorkAreaAt(const RECT& rcScreen);
