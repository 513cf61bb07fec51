#include "FontDialogAnswer.h"

#include "Text.h"

#include <dlgs.h>

namespace {

struct Answering {
    const FontDialogAnswer* pAnswer;
    FontDialogSeen* pSeen;
};
Answering* g_pAnswering = nullptr;

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
{
    wchar_t className[32] = {};
    GetClassNameW(hWnd, className, 32);
    if (lstrcmpW(className, L"#32770") != 0 || !IsWindowVisible(hWnd) || !GetDlgItem(hWnd, cmb1))
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

std::string ComboText(HWND hCombo, int nIndex)
{
    const LRESULT nLength = SendMessageW(hCombo, CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex), 0);
    if (nLength < 0)
        return std::string();
    std::wstring text(static_cast<size_t>(nLength) + 1, L'\0');
    SendMessageW(hCombo, CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(text.data()));
    return WideToUtf8(text.c_str());
}

void Read(HWND hDialog, FontDialogSeen* pSeen)
{
    pSeen->bSeen = true;
    pSeen->hOwner = GetWindow(hDialog, GW_OWNER);
    const HWND hFaces = GetDlgItem(hDialog, cmb1);
    const LRESULT nCount = SendMessageW(hFaces, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < nCount; ++i)
        pSeen->faces.push_back(ComboText(hFaces, i));
    pSeen->strFace = ComboText(hFaces, static_cast<int>(SendMessageW(hFaces, CB_GETCURSEL, 0, 0)));
}

// A choice in a combo box, told to the dialog as the box itself tells it.
void Choose(HWND hDialog, int nId, const std::string& strText)
{
    const HWND hCombo = GetDlgItem(hDialog, nId);
    const std::wstring text = Utf8ToWide(strText);
    const LRESULT nIndex = SendMessageW(hCombo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    if (nIndex >= 0) {
        SendMessageW(hCombo, CB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
        SendMessageW(hDialog, WM_COMMAND, MAKEWPARAM(nId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(hCombo));
    }
    SetWindowTextW(hCombo, text.c_str());
    SendMessageW(hDialog, WM_COMMAND, MAKEWPARAM(nId, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(hCombo));
}

void CALLBACK AnswerTimer(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    const HWND hDialog = FindFontDialog();
    if (!hDialog || !g_pAnswering)
        return;
    KillTimer(nullptr, nTimer);
    const FontDialogAnswer& answer = *g_pAnswering->pAnswer;
    Read(hDialog, g_pAnswering->pSeen);
    if (answer.whileOpen) {
        answer.whileOpen();
        if (!IsWindow(hDialog))
            return;
    }
    if (answer.bOk && !answer.strFace.empty())
        Choose(hDialog, cmb1, answer.strFace);
    if (answer.bOk && !answer.strSize.empty())
        Choose(hDialog, cmb3, answer.strSize);
    PostMessageW(hDialog, WM_COMMAND, MAKEWPARAM(answer.bOk ? IDOK : IDCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hDialog, answer.bOk ? IDOK : IDCANCEL)));
}

} // namespace

HWND FindFontDialog()
{
    HWND hDialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&hDialog));
    return hDialog;
}

FontDialogSeen AnswerFontDialog(const std::function<void()>& action, const FontDialogAnswer& answer)
{
    FontDialogSeen seen;
    Answering answering = {&answer, &seen};
    g_pAnswering = &answering;
    const UINT_PTR nTimer = SetTimer(nullptr, 0, 50, &AnswerTimer);
    action();
    KillTimer(nullptr, nTimer);
    g_pAnswering = nullptr;
    return seen;
}
