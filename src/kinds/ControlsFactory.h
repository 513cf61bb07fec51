// Creation of row behaviour objects by class name ("CControlsWnd_C" + kind name): the
// process-wide class-name table, and the factory that gives a row its behaviour object.
#pragma once
#include "ControlsWnd.h"

#include <memory>
#include <string>

using ControlsCreateFunction = std::unique_ptr<CControlsWnd> (*)();

template <class TKind>
std::unique_ptr<CControlsWnd> NewControlsObject()
{
    return std::make_unique<TKind>();
}

// Enters or replaces one class of the table, e.g.
// RegisterControlsClass("CControlsWnd_CEdit", &NewControlsObject<CControlsWnd_CEdit>).
void RegisterControlsClass(const std::string& strClassName, ControlsCreateFunction pfnCreate);
// A new object of the class registered under exactly this name; null when there is none.
std::unique_ptr<CControlsWnd> CreateControlsObject(const std::string& strClassName);

// The behaviour object of a row: the one the row map holds for it, else a new object of the
// kind with its editor made. Null when the kind is unknown or makes no editor. A new
// transient object belongs to the caller until its Release; persistent ones to the row map.
CControlsWnd* CreateControlsWnd(const char* lpszAs, CPageListCtrl* pList, long nRow, long nColumn);
