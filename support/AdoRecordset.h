// CAdoRecordset: a disconnected recordset of the system's ADO (ADODB.Recordset), made and
// filled through its dispatch interface as a host hands one to the control. Wine's ADO keeps
// no values written to a new record once the next record is added, so all records are added
// first and filled afterwards, walking from the first.
#pragma once
#include "DispatchDriver.h"

#include <string>
#include <vector>

class CAdoRecordset {
public:
    // ADO data types the tests and the demo use.
    enum : long {
        adSmallInt = 2,
        adInteger = 3,
        adDouble = 5,
        adCurrency = 6,
        adDate = 7,
        adBoolean = 11,
        adBigInt = 20,
        adVarWChar = 202,
    };
    enum : long { adFldIsNullable = 0x20 };

    struct Field {
        std::string strName;
        long nType;
        long nSize;   // characters for text types, 0 for the rest
    };

    // Null when ADO cannot be made or does not answer through its dispatch interface.
    static CComPointer<IDispatch> Make(const std::vector<Field>& fields, const std::vector<std::vector<CVariant>>& rows);
    // The same recordset closed (Recordset.Close).
    static void Close(IDispatch* pRecordset);
};
