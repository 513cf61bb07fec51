// CTestPage: a property page of the test control, built only for the tests: the control's
// Caption in an edit, its Checked flag in a check box and its Count in a number field.
#pragma once
#include "PropertyPage.h"

// {6A4F0A11-2B7C-4D1E-9A51-3C0E447B2190}: the page the test control names.
inline const CLSID CLSID_ComTestPage = {0x6a4f0a11, 0x2b7c, 0x4d1e, {0x9a, 0x51, 0x3c, 0x0e, 0x44, 0x7b, 0x21, 0x90}};

class CTestPage : public CPropertyPage {
public:
    static constexpr UINT kDialogId = 100;
    static constexpr int kCaptionEdit = 101;
    static constexpr int kCheckedBox = 102;
    static constexpr int kCountEdit = 103;

    CTestPage() : CPropertyPage(kDialogId, "Test") {}

protected:
    void DoDataExchange(CDataExchange& dx) override;
};

HRESULT UpdateTestPageRegistry(bool bRegister);
