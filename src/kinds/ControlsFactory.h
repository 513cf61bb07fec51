// Creation of row behaviour objects by class name ("CControlsWnd_C" + kind name): the
// process-wide class-name table, and the factory that gives a row its behaviour object.
#pragma once
#include "ControlsWnd.h"

#include <memory>
#include <string>

class CItemList;

using ControlsCreateFunction = CControlsWndPtr (*)();

template <class TKind>
CControlsWndPtr NewControlsObject()
{
    return CControlsWndPtr(new TKind());
}

// Enters or replaces one class of the table, e.g.
// RegisterControlsClass("CControlsWnd_CEdit", &NewControlsObject<CControlsWnd_CEdit>).
void RegisterControlsClass(const std::string& strClassName, ControlsCreateFunction pfnCreate);
// A new object of the class registered under exactly this name; null when there is none.
CControlsWndPtr CreateControlsObject(const std::string& strClassName);

// The behaviour object of a row: the one the row map holds for it, else a new object of the
// kind with its editor made. Null when the kind is unknown, makes no editor, or is persistent
// on a page list without a row map. A new transient object belongs to the caller until its
// Release; a persistent one is entered in the row map before its editor is made.
CControlsWnd* CreateControlsWnd(const char* lpszAs, CItemList* pList, long nRow, long nColumn);
