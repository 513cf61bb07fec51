#include "ColorHeaderCtrl.h"

BEGIN_MESSAGE_MAP(CColorHeaderCtrl, CHeaderCtrl)
END_MESSAGE_MAP(CHeaderCtrl)
