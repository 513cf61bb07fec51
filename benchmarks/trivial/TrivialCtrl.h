// CTrivialCtrl: a control that only paints its background, on the same control base as ours.
// Hosted as the benchmark hosts kvVelmora, it shows what loading and hosting any control costs.
#pragma once
#include "OleControl.h"

extern const ControlClassInfo g_trivialCtrlInfo;

class CTrivialCtrl : public COleControl {
public:
    CTrivialCtrl();
};
