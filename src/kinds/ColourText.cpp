#include "ColourText.h"

#include <cstdlib>

COLORREF ParseColourText(const std::string& strText)
{
    if (strText.empty())
        return RGB(255, 255, 255);
    const std::string digits = strText.size() > 3 ? strText.substr(3, 6) : std::string();
    return static_cast<COLORREF>(std::strtoul(("0x" + digits).c_str(), nullptr, 16));
}
