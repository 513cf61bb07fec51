// The editor kinds' numeric identifiers. They double as the command ids of the design-time "As"
// submenu, so the resource script reads them too: macros, as the resource compiler reads no
// C++.
#pragma once

#define ID_AS_EDIT 32771
#define ID_AS_COMBOBOX 32772
#define ID_AS_BOOLCOMBOBOX 32773
#define ID_AS_BUTTON 32774
#define ID_AS_USERCOMBOBOX 32775
#define ID_AS_EDITBUTTON 32776
#define ID_AS_COLORCOMBOBOX 32783
#define ID_AS_SHELLFOLDER 32784
#define ID_AS_ADORCOMBOBOX 32785
#define ID_AS_DATACOMBOBOX 32787
#define ID_AS_RETURN 32788
#define ID_AS_LINK 32789
#define ID_AS_FONT 32790
#define ID_AS_GROUP 32791
#define ID_AS_NCOMBOBOX 32793
#define ID_AS_NADORCOMBOBOX 32794
