// CControlsWnd_CEdit: the "Edit" kind - free text typed into the value cell, in a CDropEdit
// opened over it.
#pragma once
#include "ControlsWnd.h"
#include "DropEdit.h"

class CControlsWnd_CEdit : public CControlsWnd {
public:
    std::string GetClassName() const override;
    CWnd* CreateEditor() override;
    void ShowEditor(int nMode) override;
    void HideEditor(BOOL bFlag) override;
    void CommitText(std::string& strText, BOOL bFlag) override;

private:
    CDropEdit m_edit;
};
