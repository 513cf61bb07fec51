#include "LinkKind.h"

std::string CControlsWnd_CLink::GetClassName() const
{
    return "CControlsWnd_CLink";
}
