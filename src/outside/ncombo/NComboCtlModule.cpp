// The exports of the NCombo control server.
#include "ClassFactory.h"
#include "NComboControl_h.h"
#include "NComboCtrl.h"
#include "ServerModule.h"
#include "ServerRegistry.h"

namespace {

HRESULT UpdateNComboRegistry(bool bRegister)
{
    return bRegister ? CServerRegistry::RegisterControl(g_nComboCtrlInfo) : CServerRegistry::UnregisterControl(g_nComboCtrlInfo);
}

const ServerClass kClasses[] = {
    {&CLSID_NCombo, &CreateComObject<CNComboCtrl>, &UpdateNComboRegistry},
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
