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

// Design time: the property pages, their controls and the design list's menu.
#define IDD_PROPPAGE_PREVIEW 201
#define IDD_PROPPAGE_GENERAL 202
#define IDM_LISTCTRL_DESIGN 203
#define IDS_PROPPAGE_PREVIEW_CAPTION 200
#define IDS_PROPPAGE_GENERAL_CAPTION 201
#define IDC_PREVIEW_FLOOR 201
#define IDC_PREVIEW_SLIDER 206
#define IDC_GENERAL_TOOLTIPS 211
#define IDC_GENERAL_FIRSTPAGECAPTION 212
#define IDC_GENERAL_ASFLOOR 213
#define IDC_GENERAL_RESIZEFIRSTCOLUMN 214
#define IDC_GENERAL_ANIMATION 215

#define ID_DESIGN_INSERT 32768
#define ID_DESIGN_DELETE 32769
#define ID_DESIGN_EDIT 32770
#define ID_DESIGN_TYPE_ENABLE 32780
#define ID_DESIGN_TYPE_GRAYED 32781
#define ID_DESIGN_TYPE_BLACK 32782
#define ID_DESIGN_GROUPS_NONE 36864
