// CControlsWnd_CADORComboBox: the "ADORComboBox" kind - the value is picked from the records of
// a recordset that the host hands over (SetObject event), shown in the multi-column combo over
// the value cell. The combo, with its recordset and column settings, stays with the row.
#pragma once
#include "ADORMultiColumnComboBox.h"
#include "ControlsWnd.h"

class CControlsWnd_CADORComboBox : public CControlsWnd {
public:
    BOOL IsPersistent() const override;
    // The picked record's cell of the column, as a value of its field's type.
    CVariant GetValue(long nColumn) override;
    void SetColumnKey(long nKey) override;
    long GetColumnKey() override;
    void SetColumnWidth(long nColumn, long nWidth) override;
    long GetColumnWidth(long nColumn) override;
    void SetColumnName(long nColumn, const std::string& strName) override;
    // Read into the row's buffer, which the row's next call overwrites.
    const char* GetColumnName(long nColumn) override;
    void SetColumnHeader(BOOL bHeader) override;
    BOOL GetColumnHeader() override;
    void SetDropDownWidth(double dWidth) override;
    double GetDropDownWidth() override;
    void SetDropDownHeight(long nHeight) override;
    long GetDropDownHeight() override;
    // Asks the host for the recordset again.
    BOOL Refresh() override;
    // Hides the combo; the row map owns the object.
    BOOL Release() override;
    std::string GetClassName() const override;
    // Null when the host hands over no recordset, or while another row is asking for one.
    CWnd* CreateEditor() override;
    // Over the value cell, dropped down at once.
    void ShowEditor(int nMode) override;
    void HideEditor(BOOL bFlag) override;

private:
    bool HasCombo() const;

    CADORMultiColumnComboBox m_combo;
    std::string m_strColumnName;
};
