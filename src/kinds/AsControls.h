// CAsControls: the registry of editor kinds, translating between a kind name ("As" name, such
// as "Edit") and its numeric identifier. One registry is filled when the module loads and is
// only read afterwards.
#pragma once
#include <windows.h>

#include <string>
#include <unordered_map>

// Kind identifiers; they double as the command ids of the design-time "As" submenu.
enum : UINT {
    ID_AS_EDIT = 32771,
    ID_AS_COMBOBOX = 32772,
    ID_AS_BOOLCOMBOBOX = 32773,
    ID_AS_BUTTON = 32774,
    ID_AS_USERCOMBOBOX = 32775,
    ID_AS_EDITBUTTON = 32776,
    ID_AS_COLORCOMBOBOX = 32783,
    ID_AS_SHELLFOLDER = 32784,
    ID_AS_ADORCOMBOBOX = 32785,
    ID_AS_DATACOMBOBOX = 32787,
    ID_AS_RETURN = 32788,
    ID_AS_LINK = 32789,
    ID_AS_FONT = 32790,
    ID_AS_GROUP = 32791,
    ID_AS_NCOMBOBOX = 32793,
    ID_AS_NADORCOMBOBOX = 32794,
};

class CAsControls {
public:
    static constexpr UINT kNotRegistered = 0xFFFFFFFFu;

    CAsControls();
    virtual ~CAsControls();
    CAsControls(const CAsControls&) = delete;
    CAsControls& operator=(const CAsControls&) = delete;

    // The registry every part of the module reads.
    static const CAsControls& Get();

    virtual BOOL IsGroupKind(UINT nID) const;
    // Exact, case-sensitive lookup; kNotRegistered for an unknown name.
    virtual UINT Lookup(const std::string& strAs) const;
    // Null when nID names no kind.
    virtual const char* GetAsName(UINT nID) const;
    virtual void RemoveAll();
    virtual void Add(UINT nID, const std::string& strAs, BOOL bAdd);

private:
    std::unordered_map<UINT, std::string> m_mapIdToName;
    std::unordered_map<std::string, UINT> m_mapNameToId;
};
