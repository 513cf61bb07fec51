#include "Bstr.h"

#include "Text.h"

#include <utility>

CBstr::CBstr(const std::string& text)
{
    const std::wstring wide = Utf8ToWide(text);
    m_bstr = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

CBstr::CBstr(const wchar_t* text) : m_bstr(text ? SysAllocString(text) : nullptr) {}

CBstr::CBstr(const CBstr& other) : m_bstr(other.Copy()) {}

CBstr::CBstr(CBstr&& other) noexcept : m_bstr(other.Detach()) {}

CBstr& CBstr::operator=(const CBstr& other)
{
    if (this != &other)
        Attach(other.Copy());
    return *this;
}

CBstr& CBstr::operator=(CBstr&& other) noexcept
{
    if (this != &other)
        Attach(other.Detach());
    return *this;
}

CBstr::~CBstr()
{
    SysFreeString(m_bstr);
}

BSTR* CBstr::Out()
{
    Attach(nullptr);
    return &m_bstr;
}

void CBstr::Attach(BSTR bstr)
{
    if (bstr != m_bstr)
        SysFreeString(m_bstr);
    m_bstr = bstr;
}

BSTR CBstr::Detach()
{
    return std::exchange(m_bstr, nullptr);
}

BSTR CBstr::Copy() const
{
    return m_bstr ? SysAllocStringLen(m_bstr, SysStringLen(m_bstr)) : nullptr;
}

std::string CBstr::ToUtf8(BSTR bstr)
{
    return bstr ? WideToUtf8(bstr, SysStringLen(bstr)) : std::string();
}
