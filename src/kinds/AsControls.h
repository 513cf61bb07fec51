// CAsControls: the registry of editor kinds, translating between a kind name ("As" name, such
// as "Edit") and its numeric identifier. One registry is filled when the module loads and is
// only read afterwards.
#pragma once
#include "KindIds.h"

#include <windows.h>

#include <string>
#include <unordered_map>

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
