// CADORMultiColumnComboBox: the multi-column combo bound to one ADO recordset the host hands
// over - a list column per field, a list row per record - and the editor of the ADORComboBox
// kind, to which it hands each committed row's key text.
#pragma once
#include "ADORField.h"
#include "ADORFields.h"
#include "ADORRecordset.h"
#include "ColorHeaderCtrl.h"
#include "MultiColumnComboBox.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

class CControlsWnd;

class CADORMultiColumnComboBox : public CMultiColumnComboBox {
public:
    CADORMultiColumnComboBox();
    ~CADORMultiColumnComboBox() override;

    // Binds the recordset and makes the hidden, filled window over the owner's page list.
    // FALSE when the recordset cannot be bound or the window not made.
    BOOL Create(CControlsWnd* pOwner, IDispatch* pRecordset);

    BOOL CommitSelection() override;
    BOOL CreateChildren() override;

    virtual void ShowHeader(BOOL bShow);
    virtual BOOL IsHeaderShown() const;
    // Empties the list, asks the host for a recordset again and fills the list from it.
    virtual BOOL Requery();
    virtual void SetEditTextColor(COLORREF crText);
    virtual void FillRows();
    virtual int InsertColumns();
    virtual void ReleaseRecordset();
    virtual BOOL AttachRecordset(IDispatch* pRecordset);

    int GetFieldCount() const { return static_cast<int>(m_arrFields.size()); }
    // The text of a list cell as a value of its field's type; empty for a column without one.
    CVariant GetCellValue(int nRow, int nColumn);

protected:
    // From the texts of the last fill, sorted by key text: typing stays quick in long lists.
    int FindKeyPrefix(const std::wstring& text) override;

    LRESULT OnEditColor(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void EmptyList();
    void IndexKeyColumn();

    // Key texts folded to lower case, with their rows, sorted.
    using KeyIndex = std::vector<std::pair<std::wstring, int>>;

    CColorHeaderCtrl m_wndHeader;
    CControlsWnd* m_pOwner = nullptr;
    std::unique_ptr<CADORRecordset> m_pRecordset;
    std::unique_ptr<CADORFields> m_pFields;
    std::vector<std::unique_ptr<CADORField>> m_arrFields;
    COLORREF m_crEditText = RGB(0, 0, 255);
    // The texts the list was filled with, row by row, and the index of the key column's.
    std::vector<std::vector<std::string>> m_rowTexts;
    KeyIndex m_keyIndex;
    int m_nIndexedColumn = -1;
};
