// Message maps: a static table of message -> member handler per window class, chained to the
// base class's table. Handlers have the form LRESULT OnX(WPARAM, LPARAM); a handler that wants
// the default processing as well calls Default().
#pragma once
#include <windows.h>

class CWnd;

using MessageHandler = LRESULT (CWnd::*)(WPARAM, LPARAM);

struct MessageMapEntry {
    UINT message;   // a window message, or a reflected one (OCM__BASE + message)
    UINT code;      // notification code for WM_NOTIFY / WM_COMMAND (reflected or not); ANY_CODE matches all
    UINT idFirst;   // control id range for parent-side WM_COMMAND / WM_NOTIFY entries; 0, 0xFFFF = any
    UINT idLast;
    MessageHandler handler;
};

struct MessageMap {
    const MessageMap* (*base)();
    const MessageMapEntry* entries; // ends with an entry whose handler is null
};

constexpr UINT ANY_CODE = 0xFFFFFFFFu;

#define DECLARE_MESSAGE_MAP()                                   \
public:                                                         \
    static const MessageMap* GetThisMessageMap();               \
protected:                                                      \
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                          \
    const MessageMap* theClass::GetThisMessageMap()                                     \
    {                                                                                   \
        using ThisClass = theClass;                                                     \
        static const MessageMapEntry entries[] = {

#define END_MESSAGE_MAP(baseClass)                                                      \
            { 0, 0, 0, 0, nullptr }                                                     \
        };                                                                              \
        (void)sizeof(ThisClass);                                                        \
        static const MessageMap map = { &baseClass::GetThisMessageMap, entries };       \
        return &map;                                                                    \
    }

#define FW_HANDLER(fn) static_cast<MessageHandler>(&ThisClass::fn)

// Any message, handled by this window.
#define ON_MESSAGE(msg, fn) { msg, ANY_CODE, 0, 0xFFFF, FW_HANDLER(fn) },
// A notification (WM_NOTIFY) from a child with id in [idFirst, idLast].
#define ON_NOTIFY_RANGE(code, idFirst, idLast, fn) { WM_NOTIFY, static_cast<UINT>(code), idFirst, idLast, FW_HANDLER(fn) },
#define ON_NOTIFY(code, id, fn) ON_NOTIFY_RANGE(code, id, id, fn)
// A WM_COMMAND from a control (or menu, code 0) with id in [idFirst, idLast].
#define ON_COMMAND_RANGE(code, idFirst, idLast, fn) { WM_COMMAND, static_cast<UINT>(code), idFirst, idLast, FW_HANDLER(fn) },
#define ON_COMMAND(code, id, fn) ON_COMMAND_RANGE(code, id, id, fn)
// Messages the parent reflected back to this control (it sent them to its parent).
#define ON_NOTIFY_REFLECT(code, fn) { OCM__BASE + WM_NOTIFY, static_cast<UINT>(code), 0, 0xFFFF, FW_HANDLER(fn) },
#define ON_COMMAND_REFLECT(code, fn) { OCM__BASE + WM_COMMAND, static_cast<UINT>(code), 0, 0xFFFF, FW_HANDLER(fn) },
#define ON_MESSAGE_REFLECT(msg, fn) { OCM__BASE + (msg), ANY_CODE, 0, 0xFFFF, FW_HANDLER(fn) },

#ifndef OCM__BASE
#define OCM__BASE (WM_USER + 0x1c00)
#endif
