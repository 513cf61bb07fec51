#include "BuiltInKinds.h"

#include "BoolComboBoxKind.h"
#include "ColorComboBoxKind.h"
#include "ComboBoxKind.h"
#include "ControlsFactory.h"
#include "UserComboBoxKind.h"

namespace {

struct BuiltInKind {
    const char* pszClassName;
    ControlsCreateFunction pfnCreate;
};

const BuiltInKind kBuiltInKinds[] = {
    {"CControlsWnd_CComboBox", &NewControlsObject<CControlsWnd_CComboBox>},
    {"CControlsWnd_CBoolComboBox", &NewControlsObject<CControlsWnd_CBoolComboBox>},
    {"CControlsWnd_CUserComboBox", &NewControlsObject<CControlsWnd_CUserComboBox>},
    {"CControlsWnd_CColorComboBox", &NewControlsObject<CControlsWnd_CColorComboBox>},
};

} // namespace

void RegisterBuiltInKinds()
{
    for (const BuiltInKind& kind : kBuiltInKinds)
        RegisterControlsClass(kind.pszClassName, kind.pfnCreate);
}
