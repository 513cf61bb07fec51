#include "ADORFields.h"

namespace {

enum : DISPID {
    kItem = 0,
    kCount = 0x60020000,
};

} // namespace

CADORFields::CADORFields(IDispatch* pFields) : m_driver(pFields) {}

long CADORFields::GetCount()
{
    return m_driver.Get(kCount, VT_I4).lVal;
}

CComPointer<IDispatch> CADORFields::GetItem(long nIndex)
{
    return m_driver.Get(kItem, VT_DISPATCH, {CVariant(nIndex)}).pdispVal;
}
