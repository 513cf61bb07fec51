#include "ComTestSupport.h"

#include "Bstr.h"

#include <olectl.h>

HRESULT CallMember(IDispatch* pDispatch, DISPID dispid, WORD wFlags, std::vector<CVariant> args, CVariant* pResult,
                   UINT* puArgErr)
{
    // Shallow copies, last argument first; args keeps the values.
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID putId = DISPID_PROPERTYPUT;
    const bool bPut = (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), bPut ? &putId : nullptr,
                         static_cast<UINT>(args.size()), bPut ? 1u : 0u};
    CVariant result;
    UINT argErr = 0;
    HRESULT hr = pDispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params, result.Out(), nullptr, &argErr);
    if (pResult)
        *pResult = result;
    if (puArgErr)
        *puArgErr = argErr;
    return hr;
}

DISPID DispIdOf(IDispatch* pDispatch, const wchar_t* name)
{
    DISPID dispid = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    pDispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispid);
    return dispid;
}

CVariant GetProperty(IDispatch* pDispatch, const wchar_t* name)
{
    CVariant result;
    CallMember(pDispatch, DispIdOf(pDispatch, name), DISPATCH_PROPERTYGET, {}, &result);
    return result;
}

HRESULT PutProperty(IDispatch* pDispatch, const wchar_t* name, const CVariant& value)
{
    return CallMember(pDispatch, DispIdOf(pDispatch, name), DISPATCH_PROPERTYPUT, {value});
}

void RealizedFont(const wchar_t* faceName, LONGLONG size, std::string* pName, LONGLONG* pSize)
{
    FONTDESC desc = {sizeof(desc), const_cast<LPOLESTR>(faceName), {}, FW_NORMAL, DEFAULT_CHARSET, FALSE, FALSE, FALSE};
    desc.cySize.int64 = size;
    CComPointer<IFont> pFont;
    OleCreateFontIndirect(&desc, IID_IFont, reinterpret_cast<void**>(pFont.Out()));
    CBstr name;
    CY cy = {};
    pFont->get_Name(name.Out());
    pFont->get_Size(&cy);
    *pName = name.ToUtf8();
    *pSize = cy.int64;
}

std::wstring TempFilePath(const wchar_t* name)
{
    wchar_t dir[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

int RunProcess(const std::wstring& commandLine, std::string* pOutput)
{
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    const std::wstring outputPath = TempFilePath(L"control_tests_output.txt");
    HANDLE hOutput = CreateFileW(outputPath.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hOutput == INVALID_HANDLE_VALUE)
        return -1;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = hOutput;
    startup.hStdError = hOutput;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process = {};
    std::wstring command = commandLine;
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(hOutput);
        return -1;
    }
    WaitForSingleObject(process.hProcess, 60000);
    DWORD dwExit = static_cast<DWORD>(-1);
    GetExitCodeProcess(process.hProcess, &dwExit);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (pOutput) {
        pOutput->clear();
        SetFilePointer(hOutput, 0, nullptr, FILE_BEGIN);
        char buffer[4096];
        DWORD dwRead = 0;
        while (ReadFile(hOutput, buffer, sizeof(buffer), &dwRead, nullptr) && dwRead > 0)
            pOutput->append(buffer, dwRead);
    }
    CloseHandle(hOutput);
    return static_cast<int>(dwExit);
}
