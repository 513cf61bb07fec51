#include "FloorView.h"

#include "Brush.h"
#include "ClientDC.h"
#include "FloorAccessible.h"
#include "PaintDC.h"
#include "ShortIndex.h"
#include "Text.h"

#include <algorithm>

namespace {

const wchar_t kClassName[] = L"FloorControlView";
const int kAnimationSteps = 8;
// Each step waits Sleep milliseconds, but the whole slide keeps within this, drawing included:
// whatever a host or a script sets, a page change holds the host's thread only briefly.
const ULONGLONG kLongestSlideMs = 160;
const int kTabPadding = 16;

} // namespace

BEGIN_MESSAGE_MAP(CFloorView, CWnd)
    ON_MESSAGE(WM_PAINT, OnPaint)
    ON_MESSAGE(WM_ERASEBKGND, OnEraseBackground)
    ON_MESSAGE(WM_LBUTTONDOWN, OnLeftButtonDown)
    ON_MESSAGE(WM_LBUTTONDBLCLK, OnLeftButtonDoubleClick)
    ON_MESSAGE(WM_SIZE, OnSize)
    ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
    ON_MESSAGE(WM_DPICHANGED_AFTERPARENT, OnDpiChanged)
END_MESSAGE_MAP(CWnd)

BOOL CFloorView::Create(HWND hParent, const RECT& rect)
{
    RegisterWindowClass(kClassName, CS_DBLCLKS);
    if (!CWnd::Create(kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, rect, hParent, 0))
        return FALSE;
    m_dpi = CDpi::OfWindow(m_hWnd);
    return TRUE;
}

LRESULT CFloorView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The page windows belong to the hosting control's module: their notifications go back
    // to them, as a container's reflector does.
    LRESULT result = 0;
    if (CWnd::ReflectToSender(m_hWnd, message, wParam, lParam, &result))
        return result;
    return CWnd::WindowProc(message, wParam, lParam);
}

short CFloorView::AddPage(const std::string& strCaption)
{
    if (m_pages.size() >= 0x7FFF)
        return -1;
    const int nHeight = m_dpi.Scale(kDefaultCaptionHeight);
    m_pages.push_back({strCaption, nullptr, nHeight});
    const short nPage = static_cast<short>(m_pages.size() - 1);
    if (m_nActive < 0)
        m_nActive = nPage;
    CountCaption(nHeight, 1);
    CaptionsChanged(nPage);
    RecalcLayout();
    return nPage;
}

BOOL CFloorView::DeletePage(short nPage)
{
    if (!IsPage(nPage))
        return FALSE;
    HWND hPage = m_pages[static_cast<size_t>(nPage)].hWindow;
    const int nHeight = m_pages[static_cast<size_t>(nPage)].nCaptionHeight;
    CountCaption(nHeight, -1);
    // A page before the front one leaves the captions above the body without its own; the
    // front page's going makes another the front one.
    m_bCaptionsLaidOut = false;
    if (nPage == m_nActive)
        m_nTopCaptionsHeight = -1;
    else if (nPage < m_nActive && m_nTopCaptionsHeight >= 0)
        m_nTopCaptionsHeight -= nHeight;
    m_pages.erase(m_pages.begin() + nPage);
    if (hPage && ::IsWindow(hPage))
        ::ShowWindow(hPage, SW_HIDE);
    if (hPage == m_hShown)
        m_hShown = nullptr;
    if (m_nActive >= GetPagesCount() || (m_nActive > nPage))
        --m_nActive;
    if (m_nActive < 0 && !m_pages.empty())
        m_nActive = 0;
    RecalcLayout();
    return TRUE;
}

std::string CFloorView::GetPageName(short nPage) const
{
    return IsPage(nPage) ? m_pages[static_cast<size_t>(nPage)].strCaption : std::string();
}

short CFloorView::GetPageIndex(const std::string& strCaption) const
{
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (m_pages[i].strCaption == strCaption)
            return static_cast<short>(i);
    return -1;
}

BOOL CFloorView::ActivatePage(short nPage)
{
    if (!IsPage(nPage))
        return FALSE;
    if (nPage == m_nActive)
        return TRUE;
    const bool bFromBelow = nPage > m_nActive;
    m_nActive = nPage;
    CaptionsChanged(-1);
    if (m_hWnd)
        NotifyWinEvent(EVENT_OBJECT_SELECTION, m_hWnd, OBJID_CLIENT, CAccessibleBase::ChildId(nPage));
    HWND hPage = m_pages[static_cast<size_t>(nPage)].hWindow;
    if (m_bAnimation && m_hWnd && hPage && ::IsWindow(hPage)) {
        const RECT body = BodyRectFor(hPage);
        ShowOnlyActivePage();
        SlideIn(hPage, body, bFromBelow);
    }
    RecalcLayout();
    return TRUE;
}

BOOL CFloorView::SetPageWindow(short nPage, HWND hPage)
{
    if (!IsPage(nPage) || (hPage && !::IsWindow(hPage)))
        return FALSE;
    m_pages[static_cast<size_t>(nPage)].hWindow = hPage;
    if (hPage && nPage != m_nActive)
        ::ShowWindow(hPage, SW_HIDE);
    RecalcLayout();
    return TRUE;
}

BOOL CFloorView::SetPageName(short nPage, const std::string& strCaption)
{
    if (!IsPage(nPage))
        return FALSE;
    m_pages[static_cast<size_t>(nPage)].strCaption = strCaption;
    m_pages[static_cast<size_t>(nPage)].nTabWidth = -1;
    CaptionsChanged(nPage);
    if (m_hWnd)
        Invalidate();
    return TRUE;
}

BOOL CFloorView::SetPageCaptionHeight(short nPage, short nHeight)
{
    if (!IsPage(nPage) || nHeight < 0)
        return FALSE;
    int& nCaptionHeight = m_pages[static_cast<size_t>(nPage)].nCaptionHeight;
    CountCaption(nCaptionHeight, -1);
    CountCaption(nHeight, 1);
    nCaptionHeight = nHeight;
    CaptionsChanged(nPage);
    RecalcLayout();
    return TRUE;
}

short CFloorView::GetPageCaptionHeight(short nPage) const
{
    return IsPage(nPage) ? static_cast<short>(m_pages[static_cast<size_t>(nPage)].nCaptionHeight) : 0;
}

void CFloorView::SetAsFloor(BOOL bAsFloor)
{
    m_bAsFloor = bAsFloor;
    CaptionsChanged(-1);
    RecalcLayout();
}

void CFloorView::SetBackColor(COLORREF crBack)
{
    m_crBack = crBack;
    if (m_hWnd)
        Invalidate();
}

void CFloorView::SetCaptionFont(HFONT hFont)
{
    m_hFont = hFont;
    for (const Page& page : m_pages)
        page.nTabWidth = -1;
    CaptionsChanged(-1);
    if (m_hWnd)
        RecalcLayout();
}

int CFloorView::TabWidth(const Page& page) const
{
    if (page.nTabWidth >= 0)
        return page.nTabWidth;
    CClientDC hdc(m_hWnd);
    HGDIOBJ hOld = SelectObject(hdc, m_hFont ? m_hFont : GetStockObject(DEFAULT_GUI_FONT));
    const std::wstring caption = Utf8ToWide(page.strCaption);
    SIZE size = {};
    GetTextExtentPoint32W(hdc, caption.c_str(), static_cast<int>(caption.size()), &size);
    SelectObject(hdc, hOld);
    page.nTabWidth = size.cx + m_dpi.Scale(kTabPadding);
    return page.nTabWidth;
}

void CFloorView::CaptionsChanged(short nPage)
{
    m_bCaptionsLaidOut = false;
    if (nPage < 0 || nPage <= m_nActive)
        m_nTopCaptionsHeight = -1;
}

int CFloorView::TopCaptionsHeight() const
{
    if (m_nTopCaptionsHeight < 0) {
        const size_t nTop = m_nActive < 0 ? m_pages.size() : std::min(m_pages.size(), static_cast<size_t>(m_nActive) + 1);
        m_nTopCaptionsHeight = 0;
        for (size_t i = 0; i < nTop; ++i)
            m_nTopCaptionsHeight += m_pages[i].nCaptionHeight;
    }
    return m_nTopCaptionsHeight;
}

void CFloorView::CountCaption(int nHeight, int nBy)
{
    m_nCaptionsHeight += nHeight * nBy;
    int& nCount = m_captionHeights[nHeight];
    nCount += nBy;
    if (nCount == 0)
        m_captionHeights.erase(nHeight);
}

int CFloorView::TallestCaption() const
{
    return m_captionHeights.empty() ? 0 : m_captionHeights.rbegin()->first;
}

const std::vector<RECT>& CFloorView::CaptionRects() const
{
    const RECT client = m_hWnd ? GetClientRect() : RECT{0, 0, 0, 0};
    if (m_bCaptionsLaidOut && m_captionRects.size() == m_pages.size() && EqualRect(&client, &m_rcLaidOut))
        return m_captionRects;
    m_bCaptionsLaidOut = true;
    m_rcLaidOut = client;
    std::vector<RECT>& rects = m_captionRects;
    rects.assign(m_pages.size(), RECT{0, 0, 0, 0});
    if (!m_hWnd)
        return rects;
    if (!m_bAsFloor) {
        const int rowHeight = TallestCaption();
        int left = 0;
        for (size_t i = 0; i < m_pages.size(); ++i) {
            if (m_pages[i].nCaptionHeight == 0)
                continue;
            const int width = TabWidth(m_pages[i]);
            rects[i] = RECT{left, 0, left + width, rowHeight};
            left += width;
        }
        return rects;
    }
    // Floor look: the front page's caption and those before it on top, the rest at the bottom.
    const size_t nLastTop = m_nActive < 0 ? m_pages.size() : static_cast<size_t>(m_nActive) + 1;
    int top = 0;
    for (size_t i = 0; i < nLastTop && i < m_pages.size(); ++i) {
        const int height = m_pages[i].nCaptionHeight;
        if (height > 0)
            rects[i] = RECT{0, top, client.right, top + height};
        top += height;
    }
    int bottom = client.bottom;
    for (size_t i = m_pages.size(); i > nLastTop; --i) {
        const int height = m_pages[i - 1].nCaptionHeight;
        if (height > 0)
            rects[i - 1] = RECT{0, bottom - height, client.right, bottom};
        bottom -= height;
    }
    return rects;
}

RECT CFloorView::GetCaptionRect(short nPage) const
{
    return IsPage(nPage) ? CaptionRects()[static_cast<size_t>(nPage)] : RECT{0, 0, 0, 0};
}

// The captions' heights place the body: the front page's caption and those before it above it
// (all captions in the tab look, as one row as tall as the tallest), the others below.
RECT CFloorView::GetBodyRect() const
{
    RECT body = m_hWnd ? GetClientRect() : RECT{0, 0, 0, 0};
    if (!m_bAsFloor) {
        body.top = std::max<LONG>(body.top, TallestCaption());
    } else {
        const int nTop = TopCaptionsHeight();
        body.top = std::max<LONG>(body.top, nTop);
        body.bottom = std::min<LONG>(body.bottom, body.bottom - (m_nCaptionsHeight - nTop));
    }
    if (body.bottom < body.top)
        body.bottom = body.top;
    return body;
}

void CFloorView::RecalcLayout()
{
    if (!m_hWnd)
        return;
    ShowOnlyActivePage();
    // A floor out of sight is painted whole when it comes into view: pages added or removed
    // while it is hidden (as a layout loads) ask nothing of the window system.
    if (::IsWindowVisible(m_hWnd))
        Invalidate();
}

RECT CFloorView::BodyRectFor(HWND hPage) const
{
    // A page window may be a sibling of the view (a child of the control's window) rather than
    // a child of it: place it in its own parent's coordinates.
    RECT body = GetBodyRect();
    MapWindowPoints(m_hWnd, ::GetParent(hPage), reinterpret_cast<POINT*>(&body), 2);
    return body;
}

// Only the window shown before and the front page's window are touched: every other page
// window was hidden when it was given to the view.
void CFloorView::ShowOnlyActivePage()
{
    HWND hActive = IsPage(m_nActive) ? m_pages[static_cast<size_t>(m_nActive)].hWindow : nullptr;
    if (hActive && !::IsWindow(hActive))
        hActive = nullptr;
    if (m_hShown && m_hShown != hActive && ::IsWindow(m_hShown))
        ::ShowWindow(m_hShown, SW_HIDE);
    const bool bShownBefore = m_hShown == hActive;
    m_hShown = hActive;
    if (!hActive)
        return;
    const RECT body = BodyRectFor(hActive);
    // Pages added behind the front one change nothing of it: it is not moved or shown again.
    RECT current = {};
    ::GetWindowRect(hActive, &current);
    MapWindowPoints(nullptr, ::GetParent(hActive), reinterpret_cast<POINT*>(&current), 2);
    const bool bVisible = (::GetWindowLongW(hActive, GWL_STYLE) & WS_VISIBLE) != 0;
    if (bShownBefore && bVisible && EqualRect(&current, &body))
        return;
    ::SetWindowPos(hActive, HWND_TOP, body.left, body.top, body.right - body.left, body.bottom - body.top, SWP_SHOWWINDOW);
}

void CFloorView::SlideIn(HWND hPage, const RECT& body, bool bFromBelow)
{
    const int height = body.bottom - body.top;
    const ULONGLONG nEnd = GetTickCount64() + kLongestSlideMs;
    for (int step = kAnimationSteps - 1; step >= 0; --step) {
        const int offset = height * step / kAnimationSteps * (bFromBelow ? 1 : -1);
        ::SetWindowPos(hPage, HWND_TOP, body.left, body.top + offset, body.right - body.left, height, SWP_SHOWWINDOW);
        ::UpdateWindow(hPage);
        const ULONGLONG nNow = GetTickCount64();
        if (nNow >= nEnd)
            break;   // out of time: the page is placed at rest by the caller's layout
        // The time left is shared by the steps left, so no step eats the whole slide.
        const ULONGLONG nShare = (nEnd - nNow) / static_cast<ULONGLONG>(step + 1);
        Sleep(static_cast<DWORD>(std::min(static_cast<ULONGLONG>(m_nSleep), nShare)));
    }
}

long CFloorView::PackPoint(LONG x, LONG y)
{
    return static_cast<long>((static_cast<unsigned long>(y & 0xFFFF) << 16) | static_cast<unsigned long>(x & 0xFFFF));
}

long CFloorView::GetCaptionTopLeft(short nPage) const
{
    const RECT rect = GetCaptionRect(nPage);
    return PackPoint(rect.left, rect.top);
}

long CFloorView::GetCaptionBottomRight(short nPage) const
{
    const RECT rect = GetCaptionRect(nPage);
    return PackPoint(rect.right, rect.bottom);
}

short CFloorView::CaptionAt(POINT point) const
{
    const std::vector<RECT>& captions = CaptionRects();
    for (size_t i = 0; i < captions.size(); ++i) {
        if (PtInRect(&captions[i], point))
            return ToShortIndex(static_cast<long long>(i));
    }
    return -1;
}

void CFloorView::DrawCaption(HDC hdc, short nPage, const RECT& rcCaption) const
{
    RECT rect = rcCaption;
    if (IsRectEmpty(&rect))
        return;
    FillRect(hdc, &rect, CBrush(m_crBack));
    DrawEdge(hdc, &rect, nPage == m_nActive && !m_bAsFloor ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    std::wstring caption = Utf8ToWide(m_pages[static_cast<size_t>(nPage)].strCaption);
    // No box shows more characters than it has pixels across: the rest of a long caption would
    // only be measured, again and again, to be cut off by the ellipsis.
    const size_t nShown = static_cast<size_t>(std::max<LONG>(rect.right - rect.left, 0)) + 1;
    if (caption.size() > nShown)
        caption.resize(nShown);
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(hdc, caption.c_str(), static_cast<int>(caption.size()), &rect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

LRESULT CFloorView::OnPaint(WPARAM, LPARAM)
{
    CPaintDC hdc(m_hWnd);
    const RECT client = GetClientRect();
    FillRect(hdc, &client, CBrush(m_crBack));
    HGDIOBJ hOldFont = SelectObject(hdc, m_hFont ? m_hFont : GetStockObject(DEFAULT_GUI_FONT));
    const std::vector<RECT>& captions = CaptionRects();
    for (size_t i = 0; i < captions.size(); ++i) {
        RECT visible = {};
        if (IntersectRect(&visible, &captions[i], &hdc.PaintRect()))
            DrawCaption(hdc, ToShortIndex(static_cast<long long>(i)), captions[i]);
    }
    SelectObject(hdc, hOldFont);
    return 0;
}

LRESULT CFloorView::OnEraseBackground(WPARAM, LPARAM)
{
    return 1; // painted whole in OnPaint
}

LRESULT CFloorView::OnLeftButtonDown(WPARAM, LPARAM lParam)
{
    const short nPage = CaptionAt(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    if (nPage < 0)
        return 0;
    ActivatePage(nPage);
    m_events.OnPageSelected(nPage);
    return 0;
}

void CFloorView::SwitchTo(short nPage)
{
    // The page windows are the view's siblings, in the floor control's window.
    const HWND hFloor = GetParent();
    const HWND hFocus = ::GetFocus();
    const bool bHadFocus = hFocus && hFloor && (hFocus == hFloor || ::IsChild(hFloor, hFocus));
    if (!ActivatePage(nPage))
        return;
    if (const HWND hPage = GetPageWindow(nPage); bHadFocus && hPage)
        ::SetFocus(hPage);
    m_events.OnPageSelected(nPage);
}

LRESULT CFloorView::OnKeyDown(WPARAM wParam, LPARAM)
{
    const long nCount = GetPagesCount();
    if (!(GetKeyState(VK_CONTROL) & 0x8000) || nCount == 0)
        return Default();
    long nBy = 0;
    if (wParam == VK_TAB)
        nBy = (GetKeyState(VK_SHIFT) & 0x8000) ? -1 : 1;
    else if (wParam == VK_NEXT || wParam == VK_PRIOR)
        nBy = wParam == VK_NEXT ? 1 : -1;
    if (nBy == 0)
        return Default();
    SwitchTo(ToShortIndex((m_nActive + nBy + nCount) % nCount));
    return 0;
}

LRESULT CFloorView::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(lParam) != OBJID_CLIENT)
        return Default();
    return CAccessibleBase::Serve(NewComObject<CFloorAccessible>(*this), wParam, lParam);
}

LRESULT CFloorView::OnLeftButtonDoubleClick(WPARAM, LPARAM lParam)
{
    const short nPage = CaptionAt(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    if (nPage >= 0)
        m_events.OnPageCaptionEdit(nPage);
    return 0;
}

LRESULT CFloorView::OnDpiChanged(WPARAM, LPARAM)
{
    const CDpi dpi = CDpi::OfWindow(m_hWnd);
    if (dpi == m_dpi)
        return 0;
    m_captionHeights.clear();
    m_nCaptionsHeight = 0;
    for (Page& page : m_pages) {
        page.nCaptionHeight = MulDiv(page.nCaptionHeight, dpi.Get(), m_dpi.Get());
        page.nTabWidth = -1;
        CountCaption(page.nCaptionHeight, 1);
    }
    m_dpi = dpi;
    CaptionsChanged(-1);
    RecalcLayout();
    return 0;
}

LRESULT CFloorView::OnSize(WPARAM, LPARAM)
{
    RecalcLayout();
    return 0;
}
