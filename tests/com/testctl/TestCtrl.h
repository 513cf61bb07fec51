// CTestCtrl: a small control on the framework's control base, built only for the tests: typed
// properties that persist, methods with by-reference arguments, two events, stock BackColor
// and Font, a simple frame and a property page.
#pragma once
#include "OleControl.h"

#include <string>

extern const ControlClassInfo g_testCtrlInfo;

class CTestCtrl : public COleControl {
public:
    CTestCtrl();

    DECLARE_DISPATCH_MAP()

protected:
    void DoPropExchange(CPropExchange& px) override;
    void OnDraw(HDC hdc, const RECT& bounds) override;
    DWORD SafetyOptionsSupported(REFIID riid) const override;
    std::vector<CLSID> GetPropertyPageIds() const override;

private:
    HRESULT OnGetCount(CDispatchCall& call);
    HRESULT OnSetCount(CDispatchCall& call);
    HRESULT OnGetSmall(CDispatchCall& call);
    HRESULT OnSetSmall(CDispatchCall& call);
    HRESULT OnGetText(CDispatchCall& call);
    HRESULT OnSplit(CDispatchCall& call);
    HRESULT OnGetSelf(CDispatchCall& call);
    HRESULT OnAsk(CDispatchCall& call);
    HRESULT OnClick(CDispatchCall& call);

    std::string m_strCaption;
    long m_nCount = 0;
    BOOL m_bChecked = FALSE;
    short m_nSmall = 0;
};
