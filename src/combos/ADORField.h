// CADORField: drives one Field of an ADO Recordset by dispatch id, and converts between its
// value and the text a list shows. The driver calls raise CDispatchException; the two
// conversions never do.
#pragma once
#include "DispatchDriver.h"

#include <string>

class CADORField {
public:
    explicit CADORField(IDispatch* pField);

    std::string GetName();
    long GetType();
    CVariant GetValue();

    // The value as text; empty when it cannot be read or has no text (a null).
    std::string GetText();
    // The text as a value of the field's type (the low four bits of the ADO type taken as the
    // VARIANT type); empty when it does not convert.
    CVariant TextToValue(const std::string& strText);

private:
    CDispatchDriver m_driver;
};
