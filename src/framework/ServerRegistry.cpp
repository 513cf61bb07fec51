#include "ServerRegistry.h"

#include "ComPointer.h"
#include "ServerModule.h"
#include "Text.h"

#include <olectl.h>
#include <shlwapi.h>

#include <string>

namespace {

// Writes the default value (and optionally one named value) of HKCR\path.
bool WriteKey(const std::wstring& path, const std::wstring& value, const wchar_t* name = nullptr,
              const std::wstring& namedValue = std::wstring())
{
    HKEY hKey = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return false;
    auto set = [hKey](const wchar_t* valueName, const std::wstring& text) {
        return RegSetValueExW(hKey, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    };
    bool ok = set(nullptr, value);
    if (ok && name)
        ok = set(name, namedValue);
    RegCloseKey(hKey);
    return ok;
}

bool DeleteTree(const std::wstring& path)
{
    const DWORD result = SHDeleteKeyW(HKEY_CLASSES_ROOT, path.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

std::wstring ClassKey(REFCLSID clsid)
{
    return L"CLSID\\" + CServerRegistry::GuidText(clsid);
}

bool WriteInprocServer(const std::wstring& classKey)
{
    return WriteKey(classKey + L"\\InprocServer32", CServerModule::ModulePath(), L"ThreadingModel", L"Apartment");
}

} // namespace

std::wstring CServerRegistry::GuidText(REFGUID guid)
{
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

HRESULT CServerRegistry::RegisterControl(const ControlClassInfo& info)
{
    const std::wstring key = ClassKey(*info.clsid);
    const std::wstring typeName = Utf8ToWide(info.typeName);
    const std::wstring progId = Utf8ToWide(info.progId);
    const std::wstring version = Utf8ToWide(FormatText("%u.%u", info.wVerMajor, info.wVerMinor));
    const std::wstring bitmap = CServerModule::ModulePath() + L", " + std::to_wstring(info.toolboxBitmapId);
    const bool ok = WriteKey(key, typeName)
        && WriteKey(key + L"\\ProgID", progId)
        && WriteInprocServer(key)
        && WriteKey(key + L"\\TypeLib", GuidText(*info.libid))
        && WriteKey(key + L"\\Version", version)
        && WriteKey(key + L"\\Control", L"")
        && WriteKey(key + L"\\Insertable", L"")
        && WriteKey(key + L"\\MiscStatus", L"0")
        && WriteKey(key + L"\\MiscStatus\\1", std::to_wstring(info.miscStatus))
        && WriteKey(key + L"\\ToolboxBitmap32", bitmap)
        && WriteKey(progId, typeName)
        && WriteKey(progId + L"\\CLSID", GuidText(*info.clsid))
        && WriteKey(progId + L"\\Insertable", L"");
    return ok ? S_OK : SELFREG_E_CLASS;
}

HRESULT CServerRegistry::UnregisterControl(const ControlClassInfo& info)
{
    const bool ok = DeleteTree(ClassKey(*info.clsid)) && DeleteTree(Utf8ToWide(info.progId));
    return ok ? S_OK : SELFREG_E_CLASS;
}

HRESULT CServerRegistry::RegisterPropertyPage(const PropertyPageClassInfo& info)
{
    const std::wstring key = ClassKey(*info.clsid);
    const std::wstring typeName = Utf8ToWide(info.typeName);
    bool ok = WriteKey(key, typeName) && WriteInprocServer(key);
    if (ok && info.progId) {
        const std::wstring progId = Utf8ToWide(info.progId);
        ok = WriteKey(key + L"\\ProgID", progId) && WriteKey(progId, typeName)
            && WriteKey(progId + L"\\CLSID", GuidText(*info.clsid));
    }
    return ok ? S_OK : SELFREG_E_CLASS;
}

HRESULT CServerRegistry::UnregisterPropertyPage(const PropertyPageClassInfo& info)
{
    const bool ok = DeleteTree(ClassKey(*info.clsid)) && (!info.progId || DeleteTree(Utf8ToWide(info.progId)));
    return ok ? S_OK : SELFREG_E_CLASS;
}

HRESULT CServerRegistry::RegisterTypeLibrary()
{
    CComPointer<ITypeLib> lib;
    HRESULT hr = CServerModule::LoadTypeLibrary(lib.Out());
    if (FAILED(hr))
        return hr;
    std::wstring path = CServerModule::ModulePath();
    return RegisterTypeLib(lib, &path[0], nullptr);
}

HRESULT CServerRegistry::UnregisterTypeLibrary()
{
    CComPointer<ITypeLib> lib;
    HRESULT hr = CServerModule::LoadTypeLibrary(lib.Out());
    if (FAILED(hr))
        return hr;
    TLIBATTR* pAttr = nullptr;
    hr = lib->GetLibAttr(&pAttr);
    if (FAILED(hr))
        return hr;
    hr = UnRegisterTypeLib(pAttr->guid, pAttr->wMajorVerNum, pAttr->wMinorVerNum, pAttr->lcid, pAttr->syskind);
    if (FAILED(hr)) {
        // Unregistering what is not registered (a second regsvr32 /u) has nothing left to do.
        const std::wstring key = L"TypeLib\\" + GuidText(pAttr->guid);
        HKEY hKey = nullptr;
        if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
            hr = S_OK;
        else
            RegCloseKey(hKey);
    }
    lib->ReleaseTLibAttr(pAttr);
    return hr;
}
