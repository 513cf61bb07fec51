// CFloorView: the window of the floor control. It keeps a list of pages, draws one caption per
// page and shows the window of the front page in the area the captions leave: captions stacked
// above and below the body (the floor look) or as a row of tabs.
#pragma once
#include "Dpi.h"
#include "Wnd.h"

#include <map>
#include <string>
#include <vector>

class CFloorView : public CWnd {
public:
    // What the view tells its control object.
    class CEvents {
    public:
        virtual ~CEvents() = default;
        virtual void OnPageSelected(short nPage) = 0;
        virtual void OnPageCaptionEdit(short nPage) = 0;
    };

    // On a 96-DPI screen.
    static constexpr int kDefaultCaptionHeight = 20;

    explicit CFloorView(CEvents& events) : m_events(events) {}

    BOOL Create(HWND hParent, const RECT& rect);

    short AddPage(const std::string& strCaption);
    BOOL DeletePage(short nPage);
    std::string GetPageName(short nPage) const;
    short GetPageIndex(const std::string& strCaption) const;
    BOOL ActivatePage(short nPage);
    // As a click on the page's caption, from the keyboard or an accessibility client: the page
    // comes to the front, takes the focus if the floor had it, and the control hears of it.
    void SwitchTo(short nPage);
    BOOL SetPageWindow(short nPage, HWND hPage);
    BOOL SetPageName(short nPage, const std::string& strCaption);
    void RecalcLayout();
    short GetActivePage() const { return m_nActive; }
    HWND GetPageWindow(short nPage) const { return IsPage(nPage) ? m_pages[static_cast<size_t>(nPage)].hWindow : nullptr; }
    long GetPagesCount() const { return static_cast<long>(m_pages.size()); }
    BOOL IsPage(short nPage) const { return nPage >= 0 && nPage < GetPagesCount(); }
    long GetCaptionTopLeft(short nPage) const;
    long GetCaptionBottomRight(short nPage) const;
    void SetAsFloor(BOOL bAsFloor);
    BOOL GetAsFloor() const { return m_bAsFloor; }
    BOOL SetPageCaptionHeight(short nPage, short nHeight);
    short GetPageCaptionHeight(short nPage) const;

    void SetBackColor(COLORREF crBack);
    void SetCaptionFont(HFONT hFont); // not owned: the control's font holder keeps it alive
    void SetAnimation(BOOL bAnimation) { m_bAnimation = bAnimation; }
    BOOL GetAnimation() const { return m_bAnimation; }
    void SetSleep(long nSleep) { m_nSleep = nSleep < 0 ? 0 : nSleep; }
    long GetSleep() const { return m_nSleep; }

    RECT GetCaptionRect(short nPage) const; // empty when the caption is hidden
    RECT GetBodyRect() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnEraseBackground(WPARAM, LPARAM);
    LRESULT OnLeftButtonDown(WPARAM, LPARAM);
    LRESULT OnLeftButtonDoubleClick(WPARAM, LPARAM);
    LRESULT OnSize(WPARAM, LPARAM);
    // Ctrl+Tab and Ctrl+Page Down switch to the next page, Ctrl+Shift+Tab and Ctrl+Page Up to
    // the one before, round the ends; the page windows pass these keys up.
    LRESULT OnKeyDown(WPARAM, LPARAM);
    LRESULT OnGetObject(WPARAM, LPARAM);
    // Every caption's height follows the window's new DPI.
    LRESULT OnDpiChanged(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    struct Page {
        std::string strCaption;
        HWND hWindow = nullptr;
        int nCaptionHeight = kDefaultCaptionHeight;
        mutable int nTabWidth = -1; // measured once per caption and font
    };

    // Every caption's rectangle (empty for a hidden caption), laid out once per change of the
    // pages, their heights, the look, the font or the size, and kept until the next one.
    const std::vector<RECT>& CaptionRects() const;
    // Caption heights summed: the body's place follows from them without laying out every
    // caption, so that adding a page costs the same however many there are.
    int TopCaptionsHeight() const;
    int TallestCaption() const;
    // A caption of nHeight come (nBy 1) or gone (nBy -1).
    void CountCaption(int nHeight, int nBy);
    // After a change of the pages or their heights at nPage (-1: any page).
    void CaptionsChanged(short nPage);
    short CaptionAt(POINT point) const;
    int TabWidth(const Page& page) const;
    void DrawCaption(HDC hdc, short nPage, const RECT& rect) const;
    void ShowOnlyActivePage();
    RECT BodyRectFor(HWND hPage) const;
    void SlideIn(HWND hPage, const RECT& body, bool bFromBelow);
    static long PackPoint(LONG x, LONG y);

    CEvents& m_events;
    std::vector<Page> m_pages;
    short m_nActive = -1;
    HWND m_hShown = nullptr; // the one page window shown; the others are hidden as they come
    BOOL m_bAsFloor = TRUE;
    BOOL m_bAnimation = FALSE;
    long m_nSleep = 10;
    COLORREF m_crBack = RGB(192, 192, 192);
    HFONT m_hFont = nullptr;
    // The window's, once it exists.
    CDpi m_dpi = CDpi::OfScreen();
    int m_nCaptionsHeight = 0;             // every caption's height summed
    mutable int m_nTopCaptionsHeight = -1; // the front page's and those before it; -1: to sum
    std::map<int, int> m_captionHeights;   // how many captions have each height
    mutable std::vector<RECT> m_captionRects;
    mutable RECT m_rcLaidOut = {0, 0, 0, 0}; // the client rectangle the captions were laid out in
    mutable bool m_bCaptionsLaidOut = false;
};
