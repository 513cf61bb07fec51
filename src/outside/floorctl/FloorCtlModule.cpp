// The exports of the floor control server.
#include "ClassFactory.h"
#include "FloorControl_h.h"
#include "FloorCtrl.h"
#include "ServerModule.h"

namespace {

const ServerClass kClasses[] = {
    {&CLSID_Floor, &CreateComObject<CFloorCtrl>, &UpdateControlRegistry<g_floorCtrlInfo>},
};

} // namespace

IMPLEMENT_SERVER_EXPORTS(kClasses, nullptr)
