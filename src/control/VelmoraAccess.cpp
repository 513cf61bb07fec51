// The control's window answers accessibility clients with its pane.
#include "VelmoraCtrl.h"

#include "AccessiblePane.h"

BEGIN_MESSAGE_MAP(CVelmoraCtrl, COleControl)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP(COleControl)

LRESULT CVelmoraCtrl::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(lParam) != OBJID_CLIENT)
        return Default();
    return CAccessibleBase::Serve(NewComObject<CAccessiblePane>(m_hWnd, AmbientDisplayName()), wParam, lParam);
}
