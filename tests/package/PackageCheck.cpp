// Reports what an unpacked release archive left in the registry and what its type library
// declares, one fact a line, for the package test to compare:
//   package_check <type library file>
// prints the type library's name, version and dispatch interfaces, then where the control's
// ProgID leads (its class and in-process server), or that the ProgID is unknown.
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <string>

namespace {

void PrintTypeLibrary(const wchar_t* path)
{
    ITypeLib* pLib = nullptr;
    if (FAILED(LoadTypeLibEx(path, REGKIND_NONE, &pLib))) {
        std::printf("typelib: does not load\n");
        return;
    }
    TLIBATTR* pAttr = nullptr;
    if (SUCCEEDED(pLib->GetLibAttr(&pAttr))) {
        BSTR name = nullptr;
        pLib->GetDocumentation(-1, &name, nullptr, nullptr, nullptr);
        std::printf("typelib: %ls %u.%u\n", name ? name : L"", pAttr->wMajorVerNum, pAttr->wMinorVerNum);
        SysFreeString(name);
        pLib->ReleaseTLibAttr(pAttr);
    }
    for (UINT i = 0; i < pLib->GetTypeInfoCount(); ++i) {
        TYPEKIND kind = TKIND_MAX;
        BSTR name = nullptr;
        if (SUCCEEDED(pLib->GetTypeInfoType(i, &kind)) && kind == TKIND_DISPATCH
            && SUCCEEDED(pLib->GetDocumentation(static_cast<INT>(i), &name, nullptr, nullptr, nullptr)))
            std::printf("dispinterface: %ls\n", name);
        SysFreeString(name);
    }
    pLib->Release();
}

std::wstring ServerOf(const CLSID& clsid)
{
    wchar_t text[64] = {};
    StringFromGUID2(clsid, text, 64);
    wchar_t path[MAX_PATH] = {};
    DWORD cb = sizeof(path);
    const std::wstring key = std::wstring(L"CLSID\\") + text + L"\\InprocServer32";
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, path, &cb) != ERROR_SUCCESS)
        return L"<none>";
    return path;
}

void PrintRegistration()
{
    CLSID clsid = {};
    if (FAILED(CLSIDFromProgID(L"KV.Velmora.1", &clsid))) {
        std::printf("progid: unknown\n");
        return;
    }
    wchar_t text[64] = {};
    StringFromGUID2(clsid, text, 64);
    std::printf("progid: %ls\nserver: %ls\n", text, ServerOf(clsid).c_str());
    IDispatch* pControl = nullptr;
    const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&pControl));
    std::printf("creates: %s\n", SUCCEEDED(hr) ? "yes" : "no");
    if (pControl)
        pControl->Release();
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::printf("usage: package_check <type library file>\n");
        return 2;
    }
    CoInitialize(nullptr);
    PrintTypeLibrary(argv[1]);
    PrintRegistration();
    CoUninitialize();
    return 0;
}
