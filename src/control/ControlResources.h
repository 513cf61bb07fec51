// Resource identifiers of the control itself (the page lists' icons are in resource.h).
#pragma once

#define IDS_VELMORA 1                // type name of the control
#define IDS_VELMORA_PREVIEW_PPG 2    // type name of the Preview property page
#define IDS_VELMORA_GENERAL_PPG 3    // type name of the Options property page
#define IDD_ABOUTBOX_VELMORA 1
#define IDI_ABOUTDLL 1               // the control's icon
#define IDB_VELMORA_TOOLBOX 1        // the control's toolbox bitmap
#define IDC_ABOUT_ICON 100
#define IDC_ABOUT_TEXT 101
