#include "ADORField.h"

namespace {

enum : DISPID {
    kValue = 0,
    kName = 1100,
    kType = 1102,
};

const long kVariantTypeBits = 15;

} // namespace

CADORField::CADORField(IDispatch* pField) : m_driver(pField) {}

std::string CADORField::GetName()
{
    return m_driver.Get(kName, VT_BSTR).ToString();
}

long CADORField::GetType()
{
    return m_driver.Get(kType, VT_I4).lVal;
}

CVariant CADORField::GetValue()
{
    return m_driver.Get(kValue, VT_EMPTY);
}

std::string CADORField::GetText()
{
    try {
        CVariant value = GetValue();
        return SUCCEEDED(value.ChangeType(VT_BSTR)) ? value.ToString() : std::string();
    } catch (const CDispatchException&) {
        return std::string();
    }
}

CVariant CADORField::TextToValue(const std::string& strText)
{
    try {
        CVariant value(strText);
        if (SUCCEEDED(value.ChangeType(static_cast<VARTYPE>(GetType() & kVariantTypeBits))))
            return value;
    } catch (const CDispatchException&) {
    }
    return CVariant();
}
