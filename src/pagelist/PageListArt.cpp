#include "PageListArt.h"

#include "ProcessLock.h"
#include "Wnd.h"
#include "resource.h"

#include <cwchar>
#include <map>
#include <string>

namespace {

// Page lists of every thread share the sets (one per DPI) and the fonts: a thread may let go
// of the last holder while another asks for its first.
CProcessLock g_artLock;
std::map<int, std::weak_ptr<const CPageListArt>> g_shared;
std::map<std::string, std::weak_ptr<const CFont>> g_fonts;

} // namespace

std::shared_ptr<const CPageListArt> CPageListArt::Shared(const CDpi& dpi)
{
    const CProcessLockGuard lock(g_artLock);
    std::weak_ptr<const CPageListArt>& shared = g_shared[dpi.Get()];
    std::shared_ptr<const CPageListArt> pArt = shared.lock();
    if (!pArt) {
        pArt = std::make_shared<const CPageListArt>(dpi);
        shared = pArt;
    }
    return pArt;
}

std::shared_ptr<const CFont> CPageListArt::ItemFont(const LOGFONTW& description)
{
    // Keyed by every field, the face name without what may follow its end.
    LOGFONTW key = description;
    const size_t nFace = wcsnlen(description.lfFaceName, LF_FACESIZE);
    std::wmemset(key.lfFaceName, L'\0', LF_FACESIZE);
    std::wmemcpy(key.lfFaceName, description.lfFaceName, nFace < LF_FACESIZE ? nFace : LF_FACESIZE - 1);
    const std::string strKey(reinterpret_cast<const char*>(&key), sizeof(key));
    const CProcessLockGuard lock(g_artLock);
    std::shared_ptr<const CFont> pFont = g_fonts[strKey].lock();
    if (!pFont) {
        // Fonts no page list holds any more leave the table as new ones come in.
        for (auto it = g_fonts.begin(); it != g_fonts.end();)
            it = it->second.expired() ? g_fonts.erase(it) : std::next(it);
        pFont = std::make_shared<const CFont>(key);
        g_fonts[strKey] = pFont;
    }
    return pFont;
}

CPageListArt::CPageListArt(const CDpi& dpi)
    : m_NormalFont(CFont::Describe("MS Sans Serif", dpi.Scale(8), 300)),
      m_BoldFont(CFont::Describe("MS Sans Serif", dpi.Scale(8), 700)),
      m_hIconDrop(LoadRowIcon(IDI_ROW_DROP)),
      m_hIconArrow(LoadRowIcon(IDI_COMBO_ARROW)),
      m_hIconButton(LoadRowIcon(IDI_ROW_BUTTON)),
      m_hIconEditButton(LoadRowIcon(IDI_ROW_EDITBUTTON)),
      m_hIconPressed(LoadRowIcon(IDI_ROW_PRESSED)),
      m_hIconReturn(LoadRowIcon(IDI_ROW_RETURN)),
      m_hIconLink(LoadRowIcon(IDI_ROW_LINK))
{
}

CPageListArt::CIcon CPageListArt::LoadRowIcon(int nID)
{
    // At the size it was drawn in: the button box is smaller than a standard icon.
    return CIcon(static_cast<HICON>(LoadImageW(CWnd::ModuleInstance(), MAKEINTRESOURCEW(nID), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR)));
}
