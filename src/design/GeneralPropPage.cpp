#include "GeneralPropPage.h"

#include "ServerRegistry.h"
#include "resource.h"

// {B8893431-478F-451F-8D41-8C3E1EFF9E1C}
const CLSID CGeneralPropPage::kClassId = {0xB8893431, 0x478F, 0x451F, {0x8D, 0x41, 0x8C, 0x3E, 0x1E, 0xFF, 0x9E, 0x1C}};

namespace {

const PropertyPageClassInfo kGeneralPageInfo = {&CGeneralPropPage::kClassId, "General kvVelmora Property Page",
                                                "KV.VelmoraGeneralPropPage"};

} // namespace

HRESULT UpdateGeneralPropPageRegistry(bool bRegister)
{
    return UpdatePropertyPageRegistry<kGeneralPageInfo>(bRegister);
}

CGeneralPropPage::CGeneralPropPage() : CPropertyPage(IDD_PROPPAGE_GENERAL, IDS_PROPPAGE_GENERAL_CAPTION)
{
}

void CGeneralPropPage::DoDataExchange(CDataExchange& dx)
{
    dx.Check(IDC_GENERAL_TOOLTIPS, "ToolTips");
    dx.Check(IDC_GENERAL_FIRSTPAGECAPTION, "FirstPageHasCaption");
    dx.Check(IDC_GENERAL_ASFLOOR, "AsFloor");
    dx.Check(IDC_GENERAL_RESIZEFIRSTCOLUMN, "ResizeFirstColumn");
    dx.Check(IDC_GENERAL_ANIMATION, "Animation");
}
