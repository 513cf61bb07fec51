// The exports of the trivial control server.
#include "ClassFactory.h"
#include "ServerModule.h"
#include "TrivialControl_h.h"
#include "TrivialCtrl.h"

namespace {

const ServerClass kClasses[] = {
    {&CLSID_Trivial, &CreateComObject<CTrivialCtrl>, &UpdateControlRegistry<g_trivialCtrlInfo>},
};

} // namespace

IMPLEMENT_SERVER_EXPORTS(kClasses, nullptr)
