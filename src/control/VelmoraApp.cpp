// The kvVelmora module: the class table of the in-process server and its exports. The control's
// factory makes a new control per request, and so do its two property pages' factories;
// registration writes their classes, ProgIDs and the type library from this module's resources.
// The row kinds are registered as the module loads.
#include "BuiltInKinds.h"
#include "ClassFactory.h"
#include "GeneralPropPage.h"
#include "ServerModule.h"
#include "VelmoraCtrl.h"
#include "VelmoraPropPage.h"
#include "kvVelmora_h.h"

namespace {

const ServerClass kClasses[] = {
    {&CLSID_PropertiesGrid, &CreateComObject<CVelmoraCtrl>, &UpdateControlRegistry<g_velmoraCtrlInfo>},
    {&CVelmoraPropPage::kClassId, &CreateComObject<CVelmoraPropPage>, &UpdateVelmoraPropPageRegistry},
    {&CGeneralPropPage::kClassId, &CreateComObject<CGeneralPropPage>, &UpdateGeneralPropPageRegistry},
};

} // namespace

IMPLEMENT_SERVER_EXPORTS(kClasses, &RegisterBuiltInKinds)
