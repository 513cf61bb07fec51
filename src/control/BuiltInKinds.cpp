#include "BuiltInKinds.h"

#include "ADORComboBoxKind.h"
#include "BoolComboBoxKind.h"
#include "ButtonKind.h"
#include "ColorComboBoxKind.h"
#include "ComboBoxKind.h"
#include "ControlsFactory.h"
#include "DateKind.h"
#include "EditButtonKind.h"
#include "EditKind.h"
#include "FolderKind.h"
#include "FontKind.h"
#include "GroupKind.h"
#include "LinkKind.h"
#include "NADORComboBoxKind.h"
#include "NComboBoxKind.h"
#include "NComboKinds.h"
#include "ReturnKind.h"
#include "UserComboBoxKind.h"

namespace {

struct BuiltInKind {
    const char* pszClassName;
    ControlsCreateFunction pfnCreate;
};

const BuiltInKind kBuiltInKinds[] = {
    {"CControlsWnd_CEdit", &NewControlsObject<CControlsWnd_CEdit>},
    {"CControlsWnd_CButton", &NewControlsObject<CControlsWnd_CButton>},
    {"CControlsWnd_CEditButton", &NewControlsObject<CControlsWnd_CEditButton>},
    {"CControlsWnd_CReturn", &NewControlsObject<CControlsWnd_CReturn>},
    {"CControlsWnd_CLink", &NewControlsObject<CControlsWnd_CLink>},
    {"CControlsWnd_CComboBox", &NewControlsObject<CControlsWnd_CComboBox>},
    {"CControlsWnd_CBoolComboBox", &NewControlsObject<CControlsWnd_CBoolComboBox>},
    {"CControlsWnd_CUserComboBox", &NewControlsObject<CControlsWnd_CUserComboBox>},
    {"CControlsWnd_CColorComboBox", &NewControlsObject<CControlsWnd_CColorComboBox>},
    {"CControlsWnd_CFont", &NewControlsObject<CControlsWnd_CFont>},
    {"CControlsWnd_CDataComboBox", &NewControlsObject<CControlsWnd_CDataComboBox>},
    {"CControlsWnd_CShellFolder", &NewControlsObject<CControlsWnd_CShellFolder>},
    {"CControlsWnd_CGroup", &NewControlsObject<CControlsWnd_CGroup>},
    {"CControlsWnd_CADORComboBox", &NewControlsObject<CControlsWnd_CADORComboBox>},
    {kNComboBoxClass, &NewControlsObject<CControlsWnd_CNComboBox>},
    {kNADORComboBoxClass, &NewControlsObject<CControlsWnd_CNADORComboBox>},
};

} // namespace

void RegisterBuiltInKinds()
{
    for (const BuiltInKind& kind : kBuiltInKinds)
        RegisterControlsClass(kind.pszClassName, kind.pfnCreate);
}
