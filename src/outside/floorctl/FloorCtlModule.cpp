// The exports of the floor control server.
#include "ClassFactory.h"
#include "FloorControl_h.h"
#include "FloorCtrl.h"
#include "ServerModule.h"
#include "ServerRegistry.h"

namespace {

HRESULT UpdateFloorRegistry(bool bRegister)
{
    return bRegister ? CServerRegistry::RegisterControl(g_floorCtrlInfo) : CServerRegistry::UnregisterControl(g_floorCtrlInfo);
}

const ServerClass kClasses[] = {
    {&CLSID_Floor, &CreateComObject<CFloorCtrl>, &UpdateFloorRegistry},
};

} // namespace

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv)
{
    return CServerModule::GetClassObject(kClasses, rclsid, riid, ppv);
}

STDAPI DllCanUnloadNow()
{
    return CServerModule::CanUnloadNow();
}

STDAPI DllRegisterServer()
{
    return CServerModule::RegisterServer(kClasses);
}

STDAPI DllUnregisterServer()
{
    return CServerModule::UnregisterServer(kClasses);
}
