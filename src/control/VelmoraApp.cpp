// The kvVelmora module: the class table of the in-process server and its exports. The control's
// factory makes a new control per request; registration writes its class, ProgID and type
// library from this module's resources. The editor kinds are known from the moment the module
// is loaded, before any control exists.
#include "BuiltInKinds.h"
#include "ClassFactory.h"
#include "ServerModule.h"
#include "VelmoraCtrl.h"
#include "kvVelmora_h.h"

namespace {

const ServerClass kClasses[] = {
    {&CLSID_PropertiesGrid, &CreateComObject<CVelmoraCtrl>, &UpdateControlRegistry<g_velmoraCtrlInfo>},
};

struct KindsAtLoad {
    KindsAtLoad() { RegisterBuiltInKinds(); }
} g_kindsAtLoad;

} // namespace

IMPLEMENT_SERVER_EXPORTS(kClasses)
