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
    dx.PropertyBool(IDC_GENERAL_TOOLTIPS, m_bToolTips, "ToolTips");
    dx.CheckBox(IDC_GENERAL_TOOLTIPS, m_bToolTips);
    dx.PropertyBool(IDC_GENERAL_FIRSTPAGECAPTION, m_bFirstPageHasCaption, "FirstPageHasCaption");
    dx.CheckBox(IDC_GENERAL_FIRSTPAGECAPTION, m_bFirstPageHasCaption);
    dx.PropertyBool(IDC_GENERAL_ASFLOOR, m_bAsFloor, "AsFloor");
    dx.CheckBox(IDC_GENERAL_ASFLOOR, m_bAsFloor);
    dx.PropertyBool(IDC_GENERAL_RESIZEFIRSTCOLUMN, m_bResizeFirstColumn, "ResizeFirstColumn");
    dx.CheckBox(IDC_GENERAL_RESIZEFIRSTCOLUMN, m_bResizeFirstColumn);
    dx.PropertyBool(IDC_GENERAL_ANIMATION, m_bAnimation, "Animation");
    dx.CheckBox(IDC_GENERAL_ANIMATION, m_bAnimation);
    dx.PostProcess();
}
