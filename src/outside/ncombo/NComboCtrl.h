// CNComboCtrl: the NCombo control, a multi-column combo as an ActiveX control. Its window holds
// the combo view; a picked row is told to the container as event 2 with the row.
#pragma once
#include "NComboView.h"
#include "OleControl.h"

extern const ControlClassInfo g_nComboCtrlInfo;

class CNComboCtrl : public COleControl, private CNComboView::CEvents {
public:
    CNComboCtrl();

    DECLARE_DISPATCH_MAP()

protected:
    void DoPropExchange(CPropExchange& px) override;
    int OnCreate(CREATESTRUCT* pCreate) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnSetFocus(HWND hOldFocus) override;
    void OnFontChanged() override;

private:
    void OnRowPicked(long nRow) override;

    HRESULT OnGetDropDownHeight(CDispatchCall& call);
    HRESULT OnSetDropDownHeight(CDispatchCall& call);
    HRESULT OnGetDropDownWidth(CDispatchCall& call);
    HRESULT OnSetDropDownWidth(CDispatchCall& call);
    HRESULT OnGetShowHeadings(CDispatchCall& call);
    HRESULT OnSetShowHeadings(CDispatchCall& call);
    HRESULT OnGetSelectedRow(CDispatchCall& call);
    HRESULT OnSetSelectedRow(CDispatchCall& call);
    HRESULT OnInsertColumn(CDispatchCall& call);
    HRESULT OnDeleteColumn(CDispatchCall& call);
    HRESULT OnGetColumnCount(CDispatchCall& call);
    HRESULT OnInsertItem(CDispatchCall& call);
    HRESULT OnSetItemText(CDispatchCall& call);
    HRESULT OnSetItemData(CDispatchCall& call);
    HRESULT OnGetItemCount(CDispatchCall& call);
    HRESULT OnGetCellText(CDispatchCall& call);
    HRESULT OnGetItemData(CDispatchCall& call);
    HRESULT OnGetColumnName(CDispatchCall& call);
    HRESULT OnActivate(CDispatchCall& call);
    HRESULT OnGetControlHeight(CDispatchCall& call);
    HRESULT OnGetColumnWidth(CDispatchCall& call);
    HRESULT OnSetColumnWidth(CDispatchCall& call);
    HRESULT OnGetColumnVisible(CDispatchCall& call);
    HRESULT OnSetColumnVisible(CDispatchCall& call);
    HRESULT OnIsRow(CDispatchCall& call);
    HRESULT OnAboutBox(CDispatchCall& call);

    CNComboView m_view;
};
