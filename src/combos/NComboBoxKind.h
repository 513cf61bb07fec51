// CControlsWnd_CNComboBox: the "NComboBox" kind - the outside NCombo control over the value
// cell. The host fills the control itself (GetNComboObject); a picked row's cells, joined by
// " | ", become the value. The control and what the host put into it stay with the row.
#pragma once
#include "ComboBoxKind.h"
#include "NCombo.h"

class CControlsWnd_CNComboBox : public CControlsWnd_CComboBox {
public:
    BOOL IsPersistent() const override;
    // A cell of the picked row for a column the control has; the row's item data otherwise.
    CVariant GetValue(long nColumn) override;
    // Hides the control; the row map owns the object.
    BOOL Release() override;
    std::string GetClassName() const override;
    // Null when the NCombo control cannot be made.
    CWnd* CreateEditor() override;
    // Over the value cell, as high as the control wants to be.
    void ShowEditor(int nMode) override;
    void HideEditor(BOOL bFlag) override;
    // bFlag: the control's row whose cells are committed; nothing without columns.
    void CommitText(std::string& strText, BOOL bFlag) override;
    void DoDefaultAction() override;
    void LoadItems() override;

protected:
    static constexpr int kDefaultActionMode = 6;

    bool HasNCombo() const;

    CNCombo m_ncombo;
};
