// CControlsWnd_CUserComboBox: the "UserComboBox" kind - a row that shows its value and cannot
// be edited: it makes no editor, so no object is ever made for its row. The base of the
// colour kind, which brings its own editor.
#pragma once
#include "ControlsWnd.h"

class CControlsWnd_CUserComboBox : public CControlsWnd {
public:
    std::string GetClassName() const override;
    CWnd* CreateEditor() override;
    void ShowEditor(int nMode) override;
    void HideEditor(BOOL bFlag) override;
    void CommitText(std::string& strText, BOOL bFlag) override;
};
