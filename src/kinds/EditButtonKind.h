// CControlsWnd_CEditButton: the "EditButton" kind - the Edit kind's text, plus the button the
// page list draws in the value cell, whose press the host answers.
#pragma once
#include "ControlsWnd.h"
#include "DropEdit.h"

class CControlsWnd_CEditButton : public CControlsWnd {
public:
    std::string GetClassName() const override;
    CWnd* CreateEditor() override;
    // 1, a second click on the row: the edit; 2, a click on the cell button: a press.
    void ShowEditor(int nMode) override;
    void HideEditor(BOOL bFlag) override;
    void CommitText(std::string& strText, BOOL bFlag) override;

private:
    void ShowEdit(int nMode);

    CDropEdit m_edit;
};
