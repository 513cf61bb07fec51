// CShapingCaches: the text-shaping caches of the fonts the module's windows are given, filled
// with the shapes of common text once and held while the module is loaded.
//
// Wine keeps one shaping cache per font description for the whole process and fills it without
// a lock the first time text of a script is shaped with it, so edit controls of several threads
// drawing with one font could fill it at the same moment and damage the heap. Filled here, under
// a lock, before any window draws with the font, the cache is only read after.
#pragma once
#include <windows.h>

class CShapingCaches {
public:
    // Fills the cache of the font's description, the first time the description is seen.
    static void Hold(HFONT hFont);
    // Fills the cache of the font the system makes for a dialog that asks for 8-point
    // "MS Shell Dlg", as the common dialogs do, before one is opened.
    static void HoldDialogFont();
};
