// CADORFields: drives the Fields collection of an ADO Recordset by dispatch id. A failed call
// raises CDispatchException.
#pragma once
#include "DispatchDriver.h"

class CADORFields {
public:
    explicit CADORFields(IDispatch* pFields);

    long GetCount();
    CComPointer<IDispatch> GetItem(long nIndex);

private:
    CDispatchDriver m_driver;
};
