// The exports of the test control server: the control and its property page.
#include "ClassFactory.h"
#include "ComTest_h.h"
#include "ServerModule.h"
#include "TestCtrl.h"
#include "TestPage.h"

namespace {

const ServerClass kClasses[] = {
    {&CLSID_ComTest, &CreateComObject<CTestCtrl>, &UpdateControlRegistry<g_testCtrlInfo>},
    {&CLSID_ComTestPage, &CreateComObject<CTestPage>, &UpdateTestPageRegistry},
};

} // namespace

IMPLEMENT_SERVER_EXPORTS(kClasses, nullptr)
