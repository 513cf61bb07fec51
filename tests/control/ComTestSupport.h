// Helpers of the control's tests: calls through IDispatch, the font a description realises,
// and running a console program under the test.
#pragma once
#include "ComPointer.h"
#include "Variant.h"

#include <string>
#include <vector>

// Calls dispid with the arguments in their declared order; a property put passes its value
// as the named DISPID_PROPERTYPUT argument.
HRESULT CallMember(IDispatch* pDispatch, DISPID dispid, WORD wFlags, std::vector<CVariant> args,
                   CVariant* pResult = nullptr, UINT* puArgErr = nullptr);
DISPID DispIdOf(IDispatch* pDispatch, const wchar_t* name);   // DISPID_UNKNOWN when unknown
CVariant GetProperty(IDispatch* pDispatch, const wchar_t* name);
HRESULT PutProperty(IDispatch* pDispatch, const wchar_t* name, const CVariant& value);

template <class T>
CComPointer<T> As(IUnknown* p)
{
    CComPointer<T> q;
    q.QueryFrom(p);
    return q;
}

// The name and size (CY) a font object made from this description reports: the font mapper
// may substitute the face and round the size.
void RealizedFont(const wchar_t* faceName, LONGLONG size, std::string* pName, LONGLONG* pSize);

std::wstring TempFilePath(const wchar_t* name);
// Runs a command line, waits, and gives its exit code (-1 when it could not start) and what it
// wrote to its standard output.
int RunProcess(const std::wstring& commandLine, std::string* pOutput = nullptr);
