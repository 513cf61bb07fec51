// CDataExchange: moves values between a property page's dialog, the page's own fields and the
// properties of the objects it edits (by name: GetIDsOfNames, then Invoke). Loading reads the
// first object that has the property; saving writes every object. Through fields, a save
// records each field and, once the dialog's controls have been read into the fields, writes
// only the properties whose controls the user changed. An object without the property is
// skipped.
#pragma once
#include "ComPointer.h"
#include "Variant.h"

#include <set>
#include <string>
#include <vector>

class CDataExchange {
public:
    // changedControls: the dialog controls the user changed since the page last showed values.
    CDataExchange(HWND hDlg, const std::vector<CComPointer<IDispatch>>& objects, bool bSave,
                  const std::set<int>& changedControls)
        : m_hDlg(hDlg), m_objects(objects), m_bSave(bSave), m_changedControls(changedControls) {}

    bool IsSaving() const { return m_bSave; }
    HWND GetDialog() const { return m_hDlg; }
    const std::vector<CComPointer<IDispatch>>& GetObjects() const { return m_objects; }

    // Control <-> property at once, with no field of the page's own: saving writes every object.
    void Text(int nIDC, const char* property);    // edit text <-> string property
    void Check(int nIDC, const char* property);   // check box <-> Boolean property
    void Number(int nIDC, const char* property);  // edit text <-> long property

    // Boolean property <-> field; when saving it is written by PostProcess, if control nIDC
    // changed. A property no object has leaves the field as it was.
    void PropertyBool(int nIDC, BOOL& bField, const char* property);
    // Check box <-> field.
    void CheckBox(int nIDC, BOOL& bField);
    // After the fields have taken the dialog's values: the recorded properties are written.
    void PostProcess();

private:
    struct PendingBool {
        int nIDC;
        const BOOL* pField;
        const char* property;
    };

    static bool FindDispid(IDispatch* pObject, const char* property, DISPID* pDispid);
    // The property of the first object that has it; VT_EMPTY when none has it.
    CVariant GetProperty(const char* property) const;
    void SetProperty(const char* property, const CVariant& value) const;

    HWND m_hDlg;
    const std::vector<CComPointer<IDispatch>>& m_objects;
    bool m_bSave;
    const std::set<int>& m_changedControls;
    std::vector<PendingBool> m_pending;
};
