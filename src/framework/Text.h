// Text helpers: the system keeps UTF-8 std::string inside and converts only at the Win32 W
// functions and the automation boundary.
#pragma once
#include <string>

std::wstring Utf8ToWide(const std::string& text);
std::wstring Utf8ToWide(const char* text);
std::string WideToUtf8(const std::wstring& text);
std::string WideToUtf8(const wchar_t* text);
// nLength characters from text, which need not end there.
std::string WideToUtf8(const wchar_t* text, size_t nLength);

// The one case-insensitive comparison of the system (<0, 0, >0, like strcmp).
int CompareNoCase(const std::string& a, const std::string& b);
inline bool EqualNoCase(const std::string& a, const std::string& b) { return CompareNoCase(a, b) == 0; }
// The key under which texts meet that CompareNoCase finds equal: for hash tables of names.
std::string FoldCase(const std::string& text);

// printf-style formatting into a std::string.
std::string FormatText(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
