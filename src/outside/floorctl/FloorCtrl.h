// CFloorCtrl: the floor control, an ActiveX control that shows pages: one caption per page and
// the window of the front page in the body. Its window holds the view that draws the captions;
// the page windows handed to it are its children too.
#pragma once
#include "FloorView.h"
#include "OleControl.h"

#include <string>

extern const ControlClassInfo g_floorCtrlInfo;

class CFloorCtrl : public COleControl, private CFloorView::CEvents {
public:
    CFloorCtrl();

    DECLARE_DISPATCH_MAP()

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DoPropExchange(CPropExchange& px) override;
    int OnCreate(CREATESTRUCT* pCreate) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnBackColorChanged() override;
    void OnFontChanged() override;

private:
    void OnPageSelected(short nPage) override;
    void OnPageCaptionEdit(short nPage) override;

    HRESULT OnAddPage(CDispatchCall& call);
    HRESULT OnDeletePage(CDispatchCall& call);
    HRESULT OnGetPageName(CDispatchCall& call);
    HRESULT OnGetPageIndex(CDispatchCall& call);
    HRESULT OnActivatePage(CDispatchCall& call);
    HRESULT OnSetPageWindow(CDispatchCall& call);
    HRESULT OnSetPageName(CDispatchCall& call);
    HRESULT OnRecalcLayout(CDispatchCall& call);
    HRESULT OnGetActivePage(CDispatchCall& call);
    HRESULT OnGetPagesCount(CDispatchCall& call);
    HRESULT OnIsPage(CDispatchCall& call);
    HRESULT OnGetCaptionTopLeft(CDispatchCall& call);
    HRESULT OnGetCaptionBottomRight(CDispatchCall& call);
    HRESULT OnSetAsFloor(CDispatchCall& call);
    HRESULT OnGetPageWindow(CDispatchCall& call);
    HRESULT OnGetAnimation(CDispatchCall& call);
    HRESULT OnSetAnimation(CDispatchCall& call);
    HRESULT OnGetSleep(CDispatchCall& call);
    HRESULT OnSetSleep(CDispatchCall& call);
    HRESULT OnGetAsFloor(CDispatchCall& call);
    HRESULT OnGetEnabled(CDispatchCall& call);
    HRESULT OnSetEnabled(CDispatchCall& call);
    HRESULT OnGetPageCaptionHeight(CDispatchCall& call);
    HRESULT OnSetPageCaptionHeight(CDispatchCall& call);
    HRESULT OnGetUnused(CDispatchCall& call);
    HRESULT OnSetUnused(CDispatchCall& call);
    HRESULT OnAboutBox(CDispatchCall& call);

    CFloorView m_view;
    std::string m_strTag;
};
