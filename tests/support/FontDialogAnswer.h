// Answers the system font dialog that an action opens, from a timer that runs inside the
// dialog's own modal loop, as a person would: reads what it shows, then picks a face and a size
// and presses OK, or presses Cancel.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct FontDialogAnswer {
    bool bOk = false;
    std::string strFace;   // a face of the dialog's list; empty keeps the one shown
    std::string strSize;   // points as typed into the size box; empty keeps the one shown
    // Runs inside the dialog's loop before it is answered, as a host's code could.
    std::function<void()> whileOpen;
};

struct FontDialogSeen {
    bool bSeen = false;
    HWND hOwner = nullptr;
    std::string strFace;                 // the face selected when it opened
    std::vector<std::string> faces;      // every face it offers
};

FontDialogSeen AnswerFontDialog(const std::function<void()>& action, const FontDialogAnswer& answer);
// A visible font dialog of this thread; null when none is open.
HWND FindFontDialog();
