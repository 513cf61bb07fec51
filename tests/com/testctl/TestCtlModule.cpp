// The exports of the test control server.
#include "ClassFactory.h"
#include "ComTest_h.h"
#include "ServerModule.h"
#include "ServerRegistry.h"
#include "TestCtrl.h"

#include <olectl.h>

namespace {

HRESULT UpdateTestCtrlRegistry(bool bRegister)
{
    return bRegister ? CServerRegistry::RegisterControl(g_testCtrlInfo) : CServerRegistry::UnregisterControl(g_testCtrlInfo);
}

const ServerClass kClasses[] = {
    {&CLSID_ComTest, &CreateComObject<CTestCtrl>, &UpdateTestCtrlRegistry},
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
