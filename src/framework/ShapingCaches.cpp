#include "ShapingCaches.h"

#include "ProcessLock.h"

#include <usp10.h>

#include <cstring>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

namespace {

// Letters, digits, spaces and punctuation: each is a script of its own to the shaper.
const wchar_t kCommonText[] =
    L"Aa Zz 0123456789 !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~ \u00a0\u00c9\u00e9\u00df\u00b0\u00b1";

void ShapeCommonText(HDC hDC)
{
    const int nLength = static_cast<int>(std::wcslen(kCommonText));
    SCRIPT_STRING_ANALYSIS analysis = nullptr;
    if (SUCCEEDED(ScriptStringAnalyse(hDC, kCommonText, nLength, nLength * 3 / 2 + 16, -1, SSA_GLYPHS, 0, nullptr,
                                      nullptr, nullptr, nullptr, nullptr, &analysis)))
        ScriptStringFree(&analysis);
}

// A template of an empty hidden dialog in 8-point "MS Shell Dlg".
std::vector<WORD> ShellDialogTemplate()
{
    const DLGTEMPLATE header = {DS_SETFONT | WS_POPUP, 0, 0, 0, 0, 10, 10};
    std::vector<WORD> words(sizeof(header) / sizeof(WORD));
    std::memcpy(words.data(), &header, sizeof(header));
    words.insert(words.end(), {0, 0, 0, 8}); // no menu, the dialog class, no title; the point size
    for (const wchar_t* pch = L"MS Shell Dlg"; *pch; ++pch)
        words.push_back(static_cast<WORD>(*pch));
    words.push_back(0);
    return words;
}

INT_PTR CALLBACK EmptyDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// The caches held, by font description; freed as the module unloads.
class CHeldCaches {
public:
    CHeldCaches() = default;
    CHeldCaches(const CHeldCaches&) = delete;
    CHeldCaches& operator=(const CHeldCaches&) = delete;
    ~CHeldCaches()
    {
        for (auto& held : m_caches)
            ScriptFreeCache(&held.second);
    }

    void Hold(HFONT hFont)
    {
        const CProcessLockGuard lock(m_lock);
        HoldLocked(hFont);
    }

    void HoldDialogFont()
    {
        const CProcessLockGuard lock(m_lock);
        if (m_bDialogFontHeld)
            return;
        const std::vector<WORD> dialog = ShellDialogTemplate();
        const HWND hDialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialog.data()),
                                                        nullptr, EmptyDialogProc, 0);
        if (!hDialog)
            return;
        HoldLocked(reinterpret_cast<HFONT>(SendMessageW(hDialog, WM_GETFONT, 0, 0)));
        DestroyWindow(hDialog);
        m_bDialogFontHeld = true;
    }

private:
    void HoldLocked(HFONT hFont)
    {
        LOGFONTW description = {};
        if (!hFont || !GetObjectW(hFont, sizeof(description), &description))
            return;
        // Keyed as the shaper keys them: every field, the face name without what may follow its end.
        const size_t nFace = wcsnlen(description.lfFaceName, LF_FACESIZE);
        std::wmemset(description.lfFaceName + nFace, L'\0', LF_FACESIZE - nFace);
        const std::string strKey(reinterpret_cast<const char*>(&description), sizeof(description));
        if (m_caches.count(strKey))
            return;
        const HDC hDC = CreateCompatibleDC(nullptr);
        if (!hDC)
            return;
        const HGDIOBJ hOld = SelectObject(hDC, hFont);
        SCRIPT_CACHE cache = nullptr;
        SCRIPT_FONTPROPERTIES properties = {};
        properties.cBytes = sizeof(properties);
        if (SUCCEEDED(ScriptGetFontProperties(hDC, &cache, &properties))) {
            ShapeCommonText(hDC);
            m_caches[strKey] = cache;
        }
        SelectObject(hDC, hOld);
        DeleteDC(hDC);
    }

    CProcessLock m_lock;
    std::map<std::string, SCRIPT_CACHE> m_caches;
    bool m_bDialogFontHeld = false;
};

CHeldCaches g_held;

} // namespace

void CShapingCaches::Hold(HFONT hFont)
{
    g_held.Hold(hFont);
}

void CShapingCaches::HoldDialogFont()
{
    g_held.HoldDialogFont();
}
