// CFloorPropertiesWndDesign: the floor inside the Preview property page. Every page is a design
// page list, and the floor writes the layout back as text and moves it between the page and the
// controls it edits.
#pragma once
#include "FloorPropertiesWnd.h"

#include <string>

class CDataExchange;
class CPageListCtrlDesign;
class CVelmoraPropPage;

class CFloorPropertiesWndDesign : public CFloorPropertiesWnd {
public:
    static constexpr const char* kLayoutProperty = "PagesAndItems";

    std::unique_ptr<CPageListCtrl> CreatePageList(short nIndex, CPageListOwner* pParent, BOOL bGroup) override;
    void RemoveAllPages() override;

    virtual CFloorPropertiesWndDesign& SetDesignOwner(CVelmoraPropPage* pOwner);
    // Appends the whole layout to strText.
    virtual void SaveLayout(std::string& strText);
    virtual void ExchangeLayout(CDataExchange& dx);

    CPageListCtrlDesign* GetDesignPageList(int nIndex) const;
    // A command notification of a child of the floor control, which reflects them back to the
    // child: the caption editor's end goes to the owner page.
    void OnChildCommand(UINT nID, UINT nCode);

private:
    CVelmoraPropPage* m_pOwner = nullptr;
};
