// CBstr: owns one BSTR (SysAllocString / SysFreeString) and converts it to and from the UTF-8
// text the rest of the system keeps.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>

class CBstr {
public:
    CBstr() = default;
    explicit CBstr(const std::string& text);
    explicit CBstr(const wchar_t* text);
    CBstr(const CBstr& other);
    CBstr(CBstr&& other) noexcept;
    CBstr& operator=(const CBstr& other);
    CBstr& operator=(CBstr&& other) noexcept;
    ~CBstr();

    BSTR Get() const { return m_bstr; }
    operator BSTR() const { return m_bstr; }
    UINT Length() const { return SysStringLen(m_bstr); }
    bool IsEmpty() const { return Length() == 0; }

    // Address of the held string for an [out] argument: the current string is freed first.
    BSTR* Out();
    // Address of the held string for an [in, out] argument: the callee may free and replace it.
    BSTR* Ref() { return &m_bstr; }

    void Attach(BSTR bstr);   // takes ownership
    BSTR Detach();            // gives ownership away
    BSTR Copy() const;        // a new string for the caller to own

    std::string ToUtf8() const { return ToUtf8(m_bstr); }
    static std::string ToUtf8(BSTR bstr);   // a null BSTR is the empty string

private:
    BSTR m_bstr = nullptr;
};
