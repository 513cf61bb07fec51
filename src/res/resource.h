// Resource identifiers of the control's module.
#pragma once

#define IDI_ROW_DROP 204        // drop button of list-like rows
#define IDI_COMBO_ARROW 205     // arrow of the multi-column combo box
#define IDI_ROW_BUTTON 206      // "Button" and "Font" rows
#define IDI_ROW_PRESSED 208     // overlay of a pressed row button
#define IDI_ROW_RETURN 211      // "Return" rows
#define IDI_ROW_LINK 212        // "Link" rows
#define IDI_ROW_EDITBUTTON 213  // "EditButton" rows

#define IDS_ITEM_TIP_PLACEHOLDER 34000  // text of the item tooltip's tool until a row needs one
