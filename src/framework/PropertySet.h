// CPropertySet: the persistent properties of a control as named, typed values, in the order the
// control exchanged them; written to and read from a stream (our own small versioned format)
// or a property bag. Reading validates everything before the set changes, so that a truncated
// or corrupt stream leaves the set (and the control loading from it) as it was.
//
// Stream format, little-endian: "PXS1" magic, uint16 format version (1), uint32 payload size,
// uint32 FNV-1a hash of the payload, payload = uint16 count, then per property: uint16 name length, UTF-8
// name, uint16 VARTYPE, value (VT_BOOL, VT_I2: 2 bytes; VT_I4: 4 bytes; VT_BSTR: uint32 length +
// UTF-8; VT_DISPATCH: a font: name as a string, int64 size (CY), int16 weight, int16 charset,
// uint8 italic/underline/strikethrough bits).
#pragma once
#include "Variant.h"

#include <objidl.h>
#include <ocidl.h>

#include <string>
#include <utility>
#include <vector>

class CPropertySet {
public:
    // Adds or replaces; the types kept are VT_BOOL, VT_I2, VT_I4, VT_BSTR and fonts (VT_DISPATCH).
    void Set(const std::string& name, const VARIANT& value);
    const VARIANT* Find(const std::string& name) const;   // null when absent
    size_t Count() const { return m_values.size(); }

    HRESULT WriteTo(IStream* pStream) const;
    HRESULT ReadFrom(IStream* pStream);
    ULONG StreamSize() const;

    HRESULT WriteTo(IPropertyBag* pBag) const;
    // Reads the properties named (and typed) in the template that the bag has.
    HRESULT ReadFrom(IPropertyBag* pBag, IErrorLog* pErrorLog, const CPropertySet& layout);

private:
    std::vector<uint8_t> Payload() const;
    HRESULT Parse(const std::vector<uint8_t>& payload);

    std::vector<std::pair<std::string, CVariant>> m_values;
};
