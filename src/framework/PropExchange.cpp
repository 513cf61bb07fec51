#include "PropExchange.h"

#include "FontHolder.h"

bool CPropExchange::Exchange(const char* name, VARTYPE vt, const CVariant& value, CVariant& loaded)
{
    switch (m_mode) {
    case Mode::Save:
        m_set.Set(name, value);
        return false;
    case Mode::Load:
        if (const VARIANT* pStored = m_set.Find(name)) {
            loaded = *pStored;
            return SUCCEEDED(loaded.ChangeType(vt));
        }
        return false;
    case Mode::Reset:
        return false;
    }
    return false;
}

void CPropExchange::ExchangeVersion(DWORD& dwVersion, DWORD dwDefault)
{
    CVariant loaded;
    if (Exchange("_Version", VT_I4, CVariant(static_cast<long>(dwVersion)), loaded))
        dwVersion = static_cast<DWORD>(loaded.lVal);
    else if (IsLoading())
        dwVersion = dwDefault;
}

void CPropExchange::ExchangeBool(const char* name, BOOL& value, BOOL bDefault)
{
    CVariant loaded;
    if (Exchange(name, VT_BOOL, CVariant(value != FALSE), loaded))
        value = loaded.boolVal != VARIANT_FALSE;
    else if (IsLoading())
        value = bDefault;
}

void CPropExchange::ExchangeLong(const char* name, long& value, long nDefault)
{
    CVariant loaded;
    if (Exchange(name, VT_I4, CVariant(value), loaded))
        value = loaded.lVal;
    else if (IsLoading())
        value = nDefault;
}

void CPropExchange::ExchangeShort(const char* name, short& value, short nDefault)
{
    CVariant loaded;
    if (Exchange(name, VT_I2, CVariant(value), loaded))
        value = loaded.iVal;
    else if (IsLoading())
        value = nDefault;
}

void CPropExchange::ExchangeColor(const char* name, OLE_COLOR& value, OLE_COLOR clrDefault)
{
    // Colours travel as signed longs, the type containers and scripts use for OLE_COLOR.
    CVariant loaded;
    if (Exchange(name, VT_I4, CVariant(static_cast<long>(value)), loaded))
        value = static_cast<OLE_COLOR>(loaded.lVal);
    else if (IsLoading())
        value = clrDefault;
}

void CPropExchange::ExchangeString(const char* name, std::string& value, const std::string& strDefault)
{
    CVariant loaded;
    if (Exchange(name, VT_BSTR, CVariant(value), loaded))
        value = loaded.ToString();
    else if (IsLoading())
        value = strDefault;
}

void CPropExchange::ExchangeFont(const char* name, CFontHolder& font, const FONTDESC& defaultDescription,
                                 IFontDisp* pDefaultFont)
{
    CComPointer<IFontDisp> pCurrent;
    pCurrent.Attach(font.GetFontDispatch());
    CVariant loaded;
    if (Exchange(name, VT_DISPATCH, CVariant(static_cast<IDispatch*>(pCurrent.Get())), loaded) && loaded.pdispVal)
        font.InitializeFont(defaultDescription, loaded.pdispVal);
    else if (IsLoading())
        font.InitializeFont(defaultDescription, pDefaultFont);
}
