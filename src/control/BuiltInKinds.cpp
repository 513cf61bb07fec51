#include "BuiltInKinds.h"

#include "ControlsFactory.h"
#include "GroupKind.h"

namespace {

struct BuiltInKind {
    const char* pszClassName;
    ControlsCreateFunction pfnCreate;
};

const BuiltInKind kBuiltInKinds[] = {
    {"CControlsWnd_CGroup", &NewControlsObject<CControlsWnd_CGroup>},
};

} // namespace

void RegisterBuiltInKinds()
{
    for (const BuiltInKind& kind : kBuiltInKinds)
        RegisterControlsClass(kind.pszClassName, kind.pfnCreate);
}
