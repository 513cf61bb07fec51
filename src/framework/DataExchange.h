// CDataExchange: moves values between a property page's dialog controls and the properties of
// the objects it edits, by property name (GetIDsOfNames, then Invoke). Loading reads the first
// object; saving writes every object. A property an object does not have is skipped.
#pragma once
#include "ComPointer.h"
#include "Variant.h"

#include <string>
#include <vector>

class CDataExchange {
public:
    CDataExchange(HWND hDlg, const std::vector<CComPointer<IDispatch>>& objects, bool bSave)
        : m_hDlg(hDlg), m_objects(objects), m_bSave(bSave) {}

    bool IsSaving() const { return m_bSave; }
    HWND GetDialog() const { return m_hDlg; }
    const std::vector<CComPointer<IDispatch>>& GetObjects() const { return m_objects; }

    void Text(int nIDC, const char* property);    // edit text <-> string property
    void Check(int nIDC, const char* property);   // check box <-> Boolean property
    void Number(int nIDC, const char* property);  // edit text <-> long property

    // The property of the first object (VT_EMPTY when none has it), and a write to every object.
    CVariant GetProperty(const char* property) const;
    void SetProperty(const char* property, const CVariant& value) const;

private:
    static bool FindDispid(IDispatch* pObject, const char* property, DISPID* pDispid);

    HWND m_hDlg;
    const std::vector<CComPointer<IDispatch>>& m_objects;
    bool m_bSave;
};
