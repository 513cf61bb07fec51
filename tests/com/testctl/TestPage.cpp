#include "TestPage.h"

#include "ServerRegistry.h"

void CTestPage::DoDataExchange(CDataExchange& dx)
{
    dx.Text(kCaptionEdit, "Caption");
    dx.Check(kCheckedBox, "Checked");
    dx.Number(kCountEdit, "Count");
}

HRESULT UpdateTestPageRegistry(bool bRegister)
{
    static const PropertyPageClassInfo info = {&CLSID_ComTestPage, "Test page of the test control", nullptr};
    return bRegister ? CServerRegistry::RegisterPropertyPage(info) : CServerRegistry::UnregisterPropertyPage(info);
}
