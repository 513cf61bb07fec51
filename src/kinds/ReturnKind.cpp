#include "ReturnKind.h"

std::string CControlsWnd_CReturn::GetClassName() const
{
    return "CControlsWnd_CReturn";
}
