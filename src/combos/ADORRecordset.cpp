#include "ADORRecordset.h"

namespace {

enum : DISPID {
    kFields = 0,
    kAbsolutePosition = 1000,
    kEOF = 1006,
    kMoveNext = 1018,
    kMoveFirst = 1020,
};

} // namespace

CADORRecordset::CADORRecordset(IDispatch* pRecordset) : m_driver(pRecordset) {}

CComPointer<IDispatch> CADORRecordset::GetFields()
{
    return m_driver.Get(kFields, VT_DISPATCH).pdispVal;
}

bool CADORRecordset::IsEOF()
{
    return m_driver.Get(kEOF, VT_BOOL).boolVal != VARIANT_FALSE;
}

void CADORRecordset::MoveFirst()
{
    m_driver.Call(kMoveFirst, VT_EMPTY);
}

void CADORRecordset::MoveNext()
{
    m_driver.Call(kMoveNext, VT_EMPTY);
}

long CADORRecordset::GetAbsolutePosition()
{
    return m_driver.Get(kAbsolutePosition, VT_I4).lVal;
}
