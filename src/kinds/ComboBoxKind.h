// CControlsWnd_CComboBox: the "ComboBox" kind - the value is picked from a list that the host
// supplies through the LoadItems event each time the list is needed, in a CDropListBox opened
// under the value cell. Every selection commits at once. The base of the BoolComboBox kind.
#pragma once
#include "ControlsWnd.h"
#include "DropListBox.h"

class CControlsWnd_CComboBox : public CControlsWnd {
public:
    std::string GetClassName() const override;
    CWnd* CreateEditor() override;
    // Opens the drop-down, whatever the mode, on the item the value begins with.
    void ShowEditor(int nMode) override;
    // bFlag: the index of the chosen item, whose text is committed.
    void CommitText(std::string& strText, BOOL bFlag) override;
    // Steps to the item after the value's and commits it; only while the list window exists.
    void DoDefaultAction() override;
    void LoadItems() override;

protected:
    static constexpr char kItemSeparator = '\\';
    // Lines of the drop-down at most.
    static constexpr int kDropDownLines = 8;

    CDropListBox m_list;
};
