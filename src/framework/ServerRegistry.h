// CServerRegistry: the registry entries of the server's classes (controls and property pages,
// under HKEY_CLASSES_ROOT) and the registration of the type library embedded in the module.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>

// What the registry and the containers know about a control class.
struct ControlClassInfo {
    const CLSID* clsid;
    const char* progId;
    const char* typeName;        // the class's user type name
    const GUID* libid;           // its type library
    WORD wVerMajor;              // the type library's version, also the class's Version key
    WORD wVerMinor;
    const IID* dispatchIid;      // the default dispinterface
    const IID* eventsIid;        // the default source dispinterface
    DWORD miscStatus;            // OLEMISC_* flags for DVASPECT_CONTENT
    UINT toolboxBitmapId;        // bitmap resource of this module
};

struct PropertyPageClassInfo {
    const CLSID* clsid;
    const char* typeName;
    const char* progId;          // null: the page has none
};

class CServerRegistry {
public:
    // CLSID key (type name, ProgID, InprocServer32 with ThreadingModel Apartment, TypeLib,
    // Version, Control, Insertable, MiscStatus, ToolboxBitmap32) and the ProgID key.
    static HRESULT RegisterControl(const ControlClassInfo& info);
    static HRESULT UnregisterControl(const ControlClassInfo& info);
    // CLSID key with the type name and InprocServer32 with ThreadingModel Apartment; the ProgID
    // key and the class's ProgID when it has one.
    static HRESULT RegisterPropertyPage(const PropertyPageClassInfo& info);
    static HRESULT UnregisterPropertyPage(const PropertyPageClassInfo& info);

    // The TYPELIB resource of this module; unregistration by its library id and version.
    static HRESULT RegisterTypeLibrary();
    static HRESULT UnregisterTypeLibrary();

    static std::wstring GuidText(REFGUID guid);   // "{xxxxxxxx-...}"
};

// A ServerClass registry entry for a control class: registers or removes its keys.
template <const ControlClassInfo& info>
HRESULT UpdateControlRegistry(bool bRegister)
{
    return bRegister ? CServerRegistry::RegisterControl(info) : CServerRegistry::UnregisterControl(info);
}

// A ServerClass registry entry for a property page class.
template <const PropertyPageClassInfo& info>
HRESULT UpdatePropertyPageRegistry(bool bRegister)
{
    return bRegister ? CServerRegistry::RegisterPropertyPage(info) : CServerRegistry::UnregisterPropertyPage(info);
}
