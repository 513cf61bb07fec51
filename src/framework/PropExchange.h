// CPropExchange: runs a control's DoPropExchange for one of three purposes: saving its
// properties into a property set, loading them from one, or resetting them to their defaults.
// Every typed exchange names the property and gives its default; a property that is missing
// or of an unconvertible type loads as its default.
#pragma once
#include "PropertySet.h"

#include <olectl.h>

#include <string>

class CFontHolder;

class CPropExchange {
public:
    enum class Mode { Save, Load, Reset };

    CPropExchange(Mode mode, CPropertySet& set) : m_mode(mode), m_set(set) {}

    Mode GetMode() const { return m_mode; }
    bool IsLoading() const { return m_mode != Mode::Save; }

    // The control's persistence version, exchanged first; after a load, dwVersion is the
    // version the properties were saved with.
    void ExchangeVersion(DWORD& dwVersion, DWORD dwDefault);

    void ExchangeBool(const char* name, BOOL& value, BOOL bDefault);
    void ExchangeLong(const char* name, long& value, long nDefault);
    void ExchangeShort(const char* name, short& value, short nDefault);
    void ExchangeColor(const char* name, OLE_COLOR& value, OLE_COLOR clrDefault);
    void ExchangeString(const char* name, std::string& value, const std::string& strDefault);
    // The default is pDefaultFont when given (an ambient font), otherwise the description.
    void ExchangeFont(const char* name, CFontHolder& font, const FONTDESC& defaultDescription,
                      IFontDisp* pDefaultFont = nullptr);

private:
    // Saves value, or fetches the stored one converted to vt; false when the default applies.
    bool Exchange(const char* name, VARTYPE vt, const CVariant& value, CVariant& loaded);

    Mode m_mode;
    CPropertySet& m_set;
};
