// The exports of the NCombo control server.
#include "ClassFactory.h"
#include "NComboControl_h.h"
#include "NComboCtrl.h"
#include "ServerModule.h"

namespace {

const ServerClass kClasses[] = {
    {&CLSID_NCombo, &CreateComObject<CNComboCtrl>, &UpdateControlRegistry<g_nComboCtrlInfo>},
};

} // namespace

IMPLEMENT_SERVER_EXPORTS(kClasses, nullptr)
