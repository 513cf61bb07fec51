// The kvVelmora module: the class table of the in-process server and its exports. The control's
// factory makes a new control per request; registration writes its class, ProgID and type
// library from this module's resources. As the module loads, its row kinds are registered.
#include "BuiltInKinds.h"
#include "ClassFactory.h"
#include "ServerModule.h"
#include "VelmoraCtrl.h"
#include "kvVelmora_h.h"

namespace {

const ServerClass kClasses[] = {
    {&CLSID_PropertiesGrid, &CreateComObject<CVelmoraCtrl>, &UpdateControlRegistry<g_velmoraCtrlInfo>},
};

} // namespace

IMPLEMENT_SERVER_EXPORTS(kClasses)

BOOL WINAPI DllMain(HINSTANCE, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH)
        RegisterBuiltInKinds();
    return TRUE;
}
