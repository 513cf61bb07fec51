// CFloorPropertiesWnd: the pages of one control inside the floor control. For every page the
// floor control shows, one page list (owned here, in floor page order) is that page's body.
#pragma once
#include "FloorWnd.h"
#include "ItemToolTipCtrl.h"
#include "PageListArt.h"

#include <memory>
#include <string>
#include <vector>

class CPageListCtrl;
class CPageListOwner;

class CFloorPropertiesWnd : public CFloorWnd {
public:
    // On a 96-DPI screen.
    static constexpr short kCaptionHeight = 20;

    CFloorPropertiesWnd() = default;
    ~CFloorPropertiesWnd() override;

    // Copies of the control's options, written by the control when they change.
    BOOL m_bAsFloor = TRUE;
    BOOL m_bFirstPageHasCaption = FALSE;

    virtual BOOL GetSignEnableDisable() const { return m_bSignEnableDisable; }
    virtual void SetSignEnableDisable(BOOL bSign) { m_bSignEnableDisable = bSign; }
    // The process-wide flag every page list reads.
    virtual void SetAutoResizingColumns(BOOL bAuto);
    virtual CPageListCtrl* GetPageList(int nIndex) const;
    virtual short CreatePage(const std::string& strCaption, CPageListOwner* pParent, const std::string& strPageText);
    virtual BOOL RemovePage(short nIndex);
    virtual void RemoveAllPages();
    virtual void DestroyPageLists();
    virtual void UpdateFirstCaption();
    // Rebuilds every page from the layout text; pParent is the control the pages report to.
    virtual void LoadLayout(const std::string& strText, CPageListOwner* pParent);
    virtual std::unique_ptr<CPageListCtrl> CreatePageList(short nIndex, CPageListOwner* pParent, BOOL bGroup);

    int GetPageListCount() const { return static_cast<int>(m_pages.size()); }

protected:
    // The window of the page list of page nIndex, shown only when that page is at the front:
    // the floor hides every other page's window as it is given.
    BOOL CreatePageWindow(CPageListCtrl& page, short nIndex);

private:
    struct PageWindow {
        short nIndex;
        HWND hWnd;
    };

    void HandOverPageWindows();
    void TakeBackPageWindows();

    BOOL m_bSignEnableDisable = TRUE;
    // Held while the floor lives: a layout loaded again finds the icons and fonts its page
    // lists draw with already made.
    std::shared_ptr<const CPageListArt> m_art = CPageListArt::Shared(CDpi::OfScreen());
    // The one item tooltip of the pages, made when the first page needs it: a window each would
    // cost more than a small page's list.
    std::shared_ptr<CItemToolTipCtrl> m_pToolTip = std::make_shared<CItemToolTipCtrl>();
    std::vector<std::unique_ptr<CPageListCtrl>> m_pages;
    // While a layout loads, the page windows wait here and reach the floor control together
    // once every page exists: the front page is placed once, not again for every caption that
    // a later page adds below it.
    bool m_bLoadingLayout = false;
    bool m_bRemovingAll = false;
    std::vector<PageWindow> m_waitingWindows;
};
