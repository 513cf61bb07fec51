#include "PropertySet.h"

#include "Bstr.h"
#include "ComPointer.h"
#include "FontHolder.h"
#include "Text.h"

#include <algorithm>
#include <cstring>

namespace {

const char kMagic[4] = {'P', 'X', 'S', '1'};
const uint16_t kFormatVersion = 1;
const size_t kHeaderSize = 4 + 2 + 4 + 4;
// Far above anything a control saves; a larger size can only come from a damaged stream.
const uint32_t kMaxPayload = 16u * 1024 * 1024;

uint32_t Hash(const std::vector<uint8_t>& data)
{
    uint32_t hash = 2166136261u;
    for (uint8_t byte : data)
        hash = (hash ^ byte) * 16777619u;
    return hash;
}

class CWriter {
public:
    std::vector<uint8_t> bytes;

    void Put(uint64_t value, int size)
    {
        for (int i = 0; i < size; ++i)
            bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
    void PutText(const std::string& text, int lengthSize)
    {
        Put(text.size(), lengthSize);
        bytes.insert(bytes.end(), text.begin(), text.end());
    }
};

class CReader {
public:
    CReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool Get(uint64_t& value, int size)
    {
        if (m_size - m_pos < static_cast<size_t>(size))
            return false;
        value = 0;
        for (int i = 0; i < size; ++i)
            value |= static_cast<uint64_t>(m_data[m_pos++]) << (8 * i);
        return true;
    }
    bool GetText(std::string& text, int lengthSize)
    {
        uint64_t length = 0;
        if (!Get(length, lengthSize) || m_size - m_pos < length)
            return false;
        text.assign(reinterpret_cast<const char*>(m_data + m_pos), static_cast<size_t>(length));
        m_pos += static_cast<size_t>(length);
        return true;
    }
    bool AtEnd() const { return m_pos == m_size; }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

void PutFont(CWriter& out, IDispatch* pFontDisp)
{
    CFontHolder holder(nullptr);
    holder.InitializeFont(CFontHolder::Description(L"", 0), pFontDisp);
    FONTDESC desc;
    std::wstring faceName;
    holder.Describe(desc, faceName);
    out.PutText(WideToUtf8(faceName), 4);
    out.Put(static_cast<uint64_t>(desc.cySize.int64), 8);
    out.Put(static_cast<uint16_t>(desc.sWeight), 2);
    out.Put(static_cast<uint16_t>(desc.sCharset), 2);
    out.Put((desc.fItalic ? 1 : 0) | (desc.fUnderline ? 2 : 0) | (desc.fStrikethrough ? 4 : 0), 1);
}

bool GetFont(CReader& in, CVariant& value)
{
    std::string name;
    uint64_t size = 0, weight = 0, charset = 0, flags = 0;
    if (!in.GetText(name, 4) || !in.Get(size, 8) || !in.Get(weight, 2) || !in.Get(charset, 2) || !in.Get(flags, 1))
        return false;
    if (flags > 7)
        return false;
    std::wstring faceName = Utf8ToWide(name);
    FONTDESC desc = {};
    desc.cbSizeofstruct = sizeof(desc);
    desc.lpstrName = &faceName[0];
    desc.cySize.int64 = static_cast<LONGLONG>(size);
    desc.sWeight = static_cast<SHORT>(weight);
    desc.sCharset = static_cast<SHORT>(charset);
    desc.fItalic = (flags & 1) != 0;
    desc.fUnderline = (flags & 2) != 0;
    desc.fStrikethrough = (flags & 4) != 0;
    CComPointer<IDispatch> pFont;
    if (FAILED(OleCreateFontIndirect(&desc, IID_IDispatch, reinterpret_cast<void**>(pFont.Out()))))
        return false;
    value = CVariant(pFont.Get());
    return true;
}

bool GetValue(CReader& in, VARTYPE vt, CVariant& value)
{
    uint64_t raw = 0;
    std::string text;
    switch (vt) {
    case VT_BOOL:
        if (!in.Get(raw, 2) || (raw != 0 && raw != 0xFFFF))
            return false;
        value = CVariant(raw != 0);
        return true;
    case VT_I2:
        if (!in.Get(raw, 2))
            return false;
        value = CVariant(static_cast<short>(raw));
        return true;
    case VT_I4:
        if (!in.Get(raw, 4))
            return false;
        value = CVariant(static_cast<long>(static_cast<int32_t>(raw)));
        return true;
    case VT_BSTR:
        if (!in.GetText(text, 4))
            return false;
        value = CVariant(text);
        return true;
    case VT_DISPATCH:
        return GetFont(in, value);
    default:
        return false;
    }
}

} // namespace

void CPropertySet::Set(const std::string& name, const VARIANT& value)
{
    auto it = std::find_if(m_values.begin(), m_values.end(), [&](const auto& p) { return p.first == name; });
    if (it != m_values.end())
        it->second = value;
    else
        m_values.emplace_back(name, CVariant(value));
}

const VARIANT* CPropertySet::Find(const std::string& name) const
{
    auto it = std::find_if(m_values.begin(), m_values.end(), [&](const auto& p) { return p.first == name; });
    return it != m_values.end() ? &it->second : nullptr;
}

std::vector<uint8_t> CPropertySet::Payload() const
{
    CWriter out;
    std::vector<const std::pair<std::string, CVariant>*> kept;
    for (const auto& p : m_values) {
        const VARTYPE vt = p.second.vt;
        if (vt == VT_BOOL || vt == VT_I2 || vt == VT_I4 || vt == VT_BSTR || (vt == VT_DISPATCH && p.second.pdispVal))
            kept.push_back(&p);
    }
    out.Put(kept.size(), 2);
    for (const auto* p : kept) {
        const VARIANT& v = p->second;
        out.PutText(p->first, 2);
        out.Put(v.vt, 2);
        switch (v.vt) {
        case VT_BOOL: out.Put(static_cast<uint16_t>(v.boolVal), 2); break;
        case VT_I2: out.Put(static_cast<uint16_t>(v.iVal), 2); break;
        case VT_I4: out.Put(static_cast<uint32_t>(v.lVal), 4); break;
        case VT_BSTR: out.PutText(CBstr::ToUtf8(v.bstrVal), 4); break;
        default: PutFont(out, v.pdispVal); break;
        }
    }
    return out.bytes;
}

HRESULT CPropertySet::Parse(const std::vector<uint8_t>& payload)
{
    CReader in(payload.data(), payload.size());
    uint64_t count = 0;
    if (!in.Get(count, 2))
        return STG_E_DOCFILECORRUPT;
    std::vector<std::pair<std::string, CVariant>> values;
    for (uint64_t i = 0; i < count; ++i) {
        std::string name;
        uint64_t vt = 0;
        CVariant value;
        if (!in.GetText(name, 2) || !in.Get(vt, 2) || !GetValue(in, static_cast<VARTYPE>(vt), value))
            return STG_E_DOCFILECORRUPT;
        values.emplace_back(std::move(name), std::move(value));
    }
    if (!in.AtEnd())
        return STG_E_DOCFILECORRUPT;
    m_values = std::move(values);
    return S_OK;
}

HRESULT CPropertySet::WriteTo(IStream* pStream) const
{
    if (!pStream)
        return E_POINTER;
    const std::vector<uint8_t> payload = Payload();
    CWriter out;
    out.bytes.assign(kMagic, kMagic + 4);
    out.Put(kFormatVersion, 2);
    out.Put(payload.size(), 4);
    out.Put(Hash(payload), 4);
    out.bytes.insert(out.bytes.end(), payload.begin(), payload.end());
    ULONG written = 0;
    HRESULT hr = pStream->Write(out.bytes.data(), static_cast<ULONG>(out.bytes.size()), &written);
    if (FAILED(hr))
        return hr;
    return written == out.bytes.size() ? S_OK : STG_E_WRITEFAULT;
}

HRESULT CPropertySet::ReadFrom(IStream* pStream)
{
    if (!pStream)
        return E_POINTER;
    uint8_t header[kHeaderSize];
    ULONG read = 0;
    HRESULT hr = pStream->Read(header, sizeof(header), &read);
    if (FAILED(hr))
        return hr;
    if (read != sizeof(header))
        return STG_E_READFAULT;
    CReader in(header + sizeof(kMagic), sizeof(header) - sizeof(kMagic));
    uint64_t version = 0, size = 0, hash = 0;
    in.Get(version, 2);
    in.Get(size, 4);
    in.Get(hash, 4);
    if (std::memcmp(header, kMagic, 4) != 0 || version != kFormatVersion || size > kMaxPayload)
        return STG_E_INVALIDHEADER;
    std::vector<uint8_t> payload(static_cast<size_t>(size));
    read = 0;
    hr = payload.empty() ? S_OK : pStream->Read(payload.data(), static_cast<ULONG>(payload.size()), &read);
    if (FAILED(hr))
        return hr;
    if (read != payload.size())
        return STG_E_READFAULT;
    if (Hash(payload) != hash)
        return STG_E_DOCFILECORRUPT;
    return Parse(payload);
}

ULONG CPropertySet::StreamSize() const
{
    return static_cast<ULONG>(kHeaderSize + Payload().size());
}

HRESULT CPropertySet::WriteTo(IPropertyBag* pBag) const
{
    if (!pBag)
        return E_POINTER;
    for (const auto& p : m_values) {
        const std::wstring name = Utf8ToWide(p.first);
        HRESULT hr = pBag->Write(name.c_str(), const_cast<CVariant*>(&p.second));
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT CPropertySet::ReadFrom(IPropertyBag* pBag, IErrorLog* pErrorLog, const CPropertySet& layout)
{
    if (!pBag)
        return E_POINTER;
    std::vector<std::pair<std::string, CVariant>> values;
    for (const auto& p : layout.m_values) {
        const std::wstring name = Utf8ToWide(p.first);
        CVariant value;
        value.llVal = 0;
        value.vt = p.second.vt;   // asks the bag for the type the control keeps
        if (SUCCEEDED(pBag->Read(name.c_str(), &value, pErrorLog)))
            values.emplace_back(p.first, std::move(value));
        else
            value.vt = VT_EMPTY;
    }
    m_values = std::move(values);
    return S_OK;
}
