// CPageListArt: the row-button icons and the fonts the page lists draw with, made once and
// shared by every page list of the process, on any thread, while any of them or a floor holds
// them, and the item fonts shared by the page lists given the same description: a page then
// costs no GDI object of its own.
#pragma once
#include "Dpi.h"
#include "Font.h"

#include <memory>
#include <type_traits>

class CPageListArt {
public:
    // The one set of the process for a DPI, made as the first holder asks and gone with the last.
    static std::shared_ptr<const CPageListArt> Shared(const CDpi& dpi);
    // The font of that description, shared with whoever holds it already.
    static std::shared_ptr<const CFont> ItemFont(const LOGFONTW& description);

    explicit CPageListArt(const CDpi& dpi);

    // The size the row-button icons were drawn in, for a 96-DPI screen.
    static SIZE IconSize() { return SIZE{16, 16}; }

    HICON Drop() const { return m_hIconDrop.get(); }
    HICON Button() const { return m_hIconButton.get(); }
    HICON EditButton() const { return m_hIconEditButton.get(); }
    HICON Pressed() const { return m_hIconPressed.get(); }
    HICON Return() const { return m_hIconReturn.get(); }
    HICON Link() const { return m_hIconLink.get(); }
    HFONT NormalFont() const { return m_NormalFont; }
    HFONT BoldFont() const { return m_BoldFont; }

private:
    struct IconDeleter {
        void operator()(HICON hIcon) const { DestroyIcon(hIcon); }
    };
    using CIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

    static CIcon LoadRowIcon(int nID);

    CFont m_NormalFont;
    CFont m_BoldFont;
    CIcon m_hIconDrop;       // 204, the default drop button
    CIcon m_hIconArrow;      // 205, the combo arrow of the drop-down lists
    CIcon m_hIconButton;     // 206, "Button" and "Font"
    CIcon m_hIconEditButton; // 213
    CIcon m_hIconPressed;    // 208, drawn over a pressed button
    CIcon m_hIconReturn;     // 211
    CIcon m_hIconLink;       // 212
};
