#include "FloorPropertiesWnd.h"

#include "LayoutText.h"
#include "PageListCtrl.h"
#include "PageTreeCtrl.h"
#include "ShortIndex.h"

namespace {

// On a 96-DPI screen: the page lists scale it to their own.
const int kItemHeight = 18;
const UINT kFirstPageListId = 1000;

// Hands the layout reader's pages to the floor, for the control that loads them.
class CFloorPageSink : public CLayoutText::CPageSink {
public:
    CFloorPageSink(CFloorPropertiesWnd& floor, CPageListOwner* pParent) : m_floor(floor), m_pParent(pParent) {}

    short CreatePage(const std::string& strCaption, const std::string& strPageText) override
    {
        return m_floor.CreatePage(strCaption, m_pParent, strPageText);
    }

    void LoadPageRows(short nPage, std::string_view rowText) override
    {
        if (CPageListCtrl* pList = m_floor.GetPageList(nPage))
            pList->LoadItemsText(rowText);
    }

private:
    CFloorPropertiesWnd& m_floor;
    CPageListOwner* m_pParent;
};

} // namespace

CFloorPropertiesWnd::~CFloorPropertiesWnd()
{
    DestroyPageLists();
}

void CFloorPropertiesWnd::SetAutoResizingColumns(BOOL bAuto)
{
    CPageListCtrl::SetAutoResizingColumns(bAuto);
}

CPageListCtrl* CFloorPropertiesWnd::GetPageList(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetPageListCount())
        return nullptr;
    return m_pages[static_cast<size_t>(nIndex)].get();
}

short CFloorPropertiesWnd::CreatePage(const std::string& strCaption, CPageListOwner* pParent, const std::string& strPageText)
{
    const short nIndex = AddPage(strCaption);
    if (nIndex < 0)
        return nIndex;
    const BOOL bGroup = strPageText.find(CLayoutText::kGroupWord) != std::string::npos;
    std::unique_ptr<CPageListCtrl> pPage = CreatePageList(nIndex, pParent, bGroup);
    if (!pPage)
        return nIndex;
    if (m_bLoadingLayout) {
        m_waitingWindows.push_back({nIndex, pPage->m_hWnd});
    } else {
        UpdateFirstCaption();
        SetPageWindow(nIndex, pPage->m_hWnd);
    }
    pPage->SetPageIndex(GetPageListCount());
    m_pages.push_back(std::move(pPage));
    if (!m_bLoadingLayout)
        RecalcLayout();
    return nIndex;
}

std::unique_ptr<CPageListCtrl> CFloorPropertiesWnd::CreatePageList(short nIndex, CPageListOwner* pParent, BOOL bGroup)
{
    std::unique_ptr<CPageListCtrl> pPage = bGroup ? std::make_unique<CPageTreeCtrl>(pParent, kItemHeight)
                                                  : std::make_unique<CPageListCtrl>(pParent, kItemHeight);
    if (!CreatePageWindow(*pPage, nIndex))
        return nullptr;
    return pPage;
}

BOOL CFloorPropertiesWnd::CreatePageWindow(CPageListCtrl& page, short nIndex)
{
    const UINT nID = kFirstPageListId + static_cast<UINT>(nIndex);
    page.ShareToolTip(m_pToolTip);
    return nIndex == GetActivePage() ? page.Create(m_hWnd, nID) : page.CreateBehind(m_hWnd, nID);
}

BOOL CFloorPropertiesWnd::RemovePage(short nIndex)
{
    const BOOL bRemoved = DeletePage(nIndex);
    if (bRemoved && nIndex >= 0 && nIndex < GetPageListCount()) {
        // The list dies after it has left the floor: whatever its ending sets off sees a
        // consistent set of pages.
        std::unique_ptr<CPageListCtrl> pDying = std::move(m_pages[static_cast<size_t>(nIndex)]);
        m_pages.erase(m_pages.begin() + nIndex);
        // Page lists report their position with their events: keep it that of their floor page.
        for (int i = nIndex; i < GetPageListCount(); ++i)
            m_pages[static_cast<size_t>(i)]->SetPageIndex(i);
        // Emptying the floor leaves no first page to give a caption to.
        if (!m_bRemovingAll)
            UpdateFirstCaption();
    }
    return bRemoved;
}

void CFloorPropertiesWnd::RemoveAllPages()
{
    TakeBackPageWindows();
    m_bRemovingAll = true;
    while (RemovePage(0)) {
    }
    m_bRemovingAll = false;
    SetAsFloor(m_bAsFloor);
}

// The pages go from the front: without their windows, none of the pages behind is brought
// forward and placed only to be destroyed next. The front page's window goes last, so the
// floor shows no other on the way.
void CFloorPropertiesWnd::TakeBackPageWindows()
{
    for (long nPage = GetPagesCount() - 1; nPage >= 0; --nPage)
        SetPageWindow(ToShortIndex(nPage), nullptr);
}

void CFloorPropertiesWnd::DestroyPageLists()
{
    std::vector<std::unique_ptr<CPageListCtrl>> dying = std::move(m_pages);
    m_pages.clear();
    dying.clear();
    // The tip goes with the pages it served, not with the floor object.
    if (m_pToolTip->IsWindow())
        m_pToolTip->DestroyWindow();
}

void CFloorPropertiesWnd::UpdateFirstCaption()
{
    if (m_bFirstPageHasCaption)
        return;
    const long nPages = GetPagesCount();
    if (nPages == 0)
        return;
    SetPageCaptionHeight(0, nPages == 1 ? 0 : static_cast<short>(CDpi::OfWindow(m_hWnd).Scale(kCaptionHeight)));
}

void CFloorPropertiesWnd::LoadLayout(const std::string& strText, CPageListOwner* pParent)
{
    if (!IsWindow())
        return;
    RemoveAllPages();
    if (strText.empty())
        return;
    CFloorPageSink sink(*this, pParent);
    m_bLoadingLayout = true;
    CLayoutText::ReadLayout(strText, sink);
    m_bLoadingLayout = false;
    HandOverPageWindows();
}

void CFloorPropertiesWnd::HandOverPageWindows()
{
    const std::vector<PageWindow> waiting = std::move(m_waitingWindows);
    m_waitingWindows.clear();
    if (waiting.empty())
        return;
    UpdateFirstCaption();
    for (const PageWindow& page : waiting)
        SetPageWindow(page.nIndex, page.hWnd);
    RecalcLayout();
}
