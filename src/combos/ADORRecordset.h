// CADORRecordset: drives an ADO Recordset through its dispatch interface - the members the
// recordset kinds read. A failed call raises CDispatchException.
#pragma once
#include "DispatchDriver.h"

class CADORRecordset {
public:
    explicit CADORRecordset(IDispatch* pRecordset);

    CComPointer<IDispatch> GetFields();
    bool IsEOF();
    void MoveFirst();
    void MoveNext();
    long GetAbsolutePosition();

private:
    CDispatchDriver m_driver;
};
