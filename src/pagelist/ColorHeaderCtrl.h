// CColorHeaderCtrl: the column header that the recordset combo's list takes over. It draws and
// behaves as the system's header does; the class gives the combo a header object of its own.
#pragma once
#include "HeaderCtrl.h"

class CColorHeaderCtrl : public CHeaderCtrl {
    DECLARE_MESSAGE_MAP()
};
