// CGeneralPropPage: the "Options" property page, the edited controls' Boolean display options
// as check boxes.
#pragma once
#include "PropertyPage.h"

class CGeneralPropPage : public CPropertyPage {
public:
    static const CLSID kClassId;

    CGeneralPropPage();

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    BOOL m_bToolTips = FALSE;
    BOOL m_bFirstPageHasCaption = FALSE;
    BOOL m_bAsFloor = FALSE;
    BOOL m_bResizeFirstColumn = FALSE;
    BOOL m_bAnimation = FALSE;
};

HRESULT UpdateGeneralPropPageRegistry(bool bRegister);
