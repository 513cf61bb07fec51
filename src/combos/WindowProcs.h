// CWindowProcs: the process-wide record of the window procedures the multi-column combos have
// replaced - in their edits, their drop-down lists and their parents - so that each hook can
// hand every message on to the procedure it replaced, and put it back when the hook goes.
#pragma once
#include <windows.h>

#include <unordered_map>

class CWindowProcs {
public:
    enum Kind { kEdit, kList, kParent, kKindCount };

    static CWindowProcs& Instance();

    // Installs pfnHook in the window, or counts one more user of a hook already there.
    void Hook(Kind kind, HWND hWnd, WNDPROC pfnHook);
    // One user fewer; the last one puts the replaced procedure back.
    void Unhook(Kind kind, HWND hWnd);
    // Hands a message on to the procedure the hook replaced. A window being destroyed gets its
    // own procedure back first, so that nothing outlives it in the record.
    LRESULT CallPrevious(Kind kind, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool IsHooked(Kind kind, HWND hWnd) const;

private:
    struct SWindowProcedure {
        WNDPROC pfnPrevious;
        WNDPROC pfnHook;
        int nUsers;
    };
    using ProcedureMap = std::unordered_map<HWND, SWindowProcedure>;

    // Puts the replaced procedure back unless another one has been stacked on the hook since:
    // then the hook stays, handing messages on, until the window goes.
    static bool Restore(HWND hWnd, const SWindowProcedure& record);

    ProcedureMap m_maps[kKindCount];
};
