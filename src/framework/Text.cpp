#include "Text.h"

#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

namespace {

// Leading ASCII is copied unit for unit, which is what the converter would do with it, only
// faster: layouts and names are mostly ASCII, and a layout text may be megabytes long. An
// ASCII unit never stands inside a longer sequence, so the converter takes over from the first
// other unit with nothing split.
template <class From, class To>
size_t CopyLeadingAscii(const From* source, size_t nLength, To* target)
{
    size_t i = 0;
    for (; i < nLength && static_cast<unsigned int>(source[i]) < 0x80; ++i)
        target[i] = static_cast<To>(source[i]);
    return i;
}

} // namespace

std::wstring Utf8ToWide(const std::string& text)
{
    // No text has more UTF-16 units than UTF-8 bytes: one pass over it instead of two.
    std::wstring wide(text.size(), L'\0');
    const size_t nAscii = CopyLeadingAscii(text.data(), text.size(), wide.data());
    if (nAscii == text.size())
        return wide;
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data() + nAscii, static_cast<int>(text.size() - nAscii),
                                           wide.data() + nAscii, static_cast<int>(wide.size() - nAscii));
    wide.resize(nAscii + static_cast<size_t>(std::max(length, 0)));
    return wide;
}

std::wstring Utf8ToWide(const char* text)
{
    return text ? Utf8ToWide(std::string(text)) : std::wstring();
}

std::string WideToUtf8(const std::wstring& text)
{
    return WideToUtf8(text.data(), text.size());
}

std::string WideToUtf8(const wchar_t* text, size_t nLength)
{
    // Most texts are plain ASCII, one byte a unit: one pass when they fit, a measured second
    // try for the rest when they do not.
    std::string narrow(nLength, '\0');
    const size_t nAscii = CopyLeadingAscii(text, nLength, narrow.data());
    if (nAscii == nLength)
        return narrow;
    const wchar_t* rest = text + nAscii;
    const int nRest = static_cast<int>(nLength - nAscii);
    int length = WideCharToMultiByte(CP_UTF8, 0, rest, nRest, narrow.data() + nAscii, nRest, nullptr, nullptr);
    if (length == 0) {
        length = WideCharToMultiByte(CP_UTF8, 0, rest, nRest, nullptr, 0, nullptr, nullptr);
        narrow.resize(nAscii + static_cast<size_t>(std::max(length, 0)));
        WideCharToMultiByte(CP_UTF8, 0, rest, nRest, narrow.data() + nAscii, length, nullptr, nullptr);
    }
    narrow.resize(nAscii + static_cast<size_t>(std::max(length, 0)));
    return narrow;
}

std::string WideToUtf8(const wchar_t* text)
{
    return text ? WideToUtf8(std::wstring(text)) : std::string();
}

namespace {

bool IsAscii(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char AsciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The same order as the ordinal comparison of upper-cased text, without converting to UTF-16.
int CompareAsciiNoCase(const std::string& a, const std::string& b)
{
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const char ca = AsciiUpper(a[i]);
        const char cb = AsciiUpper(b[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

} // namespace

int CompareNoCase(const std::string& a, const std::string& b)
{
    // Layout loading and name lookups compare mostly ASCII names, many per row.
    if (IsAscii(a) && IsAscii(b))
        return CompareAsciiNoCase(a, b);
    // Linguistic case folding of the whole Unicode range, not just ASCII: property names may be
    // in any script.
    const std::wstring wa = Utf8ToWide(a);
    const std::wstring wb = Utf8ToWide(b);
    const int result = CompareStringOrdinal(wa.data(), static_cast<int>(wa.size()), wb.data(), static_cast<int>(wb.size()), TRUE);
    return result - CSTR_EQUAL;
}

std::string FoldCase(const std::string& text)
{
    if (IsAscii(text)) {
        std::string folded(text);
        std::transform(folded.begin(), folded.end(), folded.begin(), AsciiUpper);
        return folded;
    }
    // Ordinal comparison ignoring case upper-cases each character with the system's own table,
    // whatever the user's language; so does the invariant locale.
    const std::wstring wide = Utf8ToWide(text);
    std::wstring folded(wide.size(), L'\0');
    const int nLength = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, wide.data(), static_cast<int>(wide.size()),
                                      folded.data(), static_cast<int>(folded.size()), nullptr, nullptr, 0);
    folded.resize(nLength > 0 ? static_cast<size_t>(nLength) : 0);
    return WideToUtf8(folded);
}

std::string FormatText(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (length > 0) {
        std::vector<char> buffer(static_cast<size_t>(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, args);
        text.assign(buffer.data(), static_cast<size_t>(length));
    }
    va_end(args);
    return text;
}
