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
};

HRESULT UpdateGeneralPropPageRegistry(bool bRegister);
