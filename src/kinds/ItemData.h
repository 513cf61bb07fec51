// The item data word of a page-list row: the editor kind identifier in the low 16 bits, the
// row's type word (grey, black, bold) in the high 16 bits.
#pragma once
#include <windows.h>

#include <string>

enum : WORD {
    ITEM_TYPE_GRAYED = 1,  // disabled, drawn grey
    ITEM_TYPE_BLACK = 2,   // disabled ("Read Only"), drawn in the normal colour
    ITEM_TYPE_BOLD = 4,    // name drawn bold
};

constexpr WORD kUnregisteredKind = 0xFFFF;

constexpr WORD ItemKind(DWORD dwData) { return LOWORD(dwData); }
constexpr WORD ItemType(DWORD dwData) { return HIWORD(dwData); }
constexpr DWORD MakeItemData(WORD nKind, WORD nType) { return nKind | (static_cast<DWORD>(nType) << 16); }
constexpr bool IsEnabledType(WORD nType) { return (nType & (ITEM_TYPE_GRAYED | ITEM_TYPE_BLACK)) == 0; }

// "Enable" 0, "Grayed" 1, anything else 2 (disabled, black), ignoring case.
WORD TypeFromName(const std::string& strType);
// The word of a row described by kind and type names; an unknown kind gives kind 0xFFFF.
DWORD ItemDataFromNames(const std::string& strAs, const std::string& strType);
