#include "AsControls.h"

namespace {

struct KindEntry {
    UINT nID;
    const char* pszAs;
};

// Registration order is the order the kinds are presented in.
const KindEntry kKinds[] = {
    {ID_AS_EDIT, "Edit"},
    {ID_AS_COMBOBOX, "ComboBox"},
    {ID_AS_ADORCOMBOBOX, "ADORComboBox"},
    {ID_AS_BOOLCOMBOBOX, "BoolComboBox"},
    {ID_AS_DATACOMBOBOX, "DataComboBox"},
    {ID_AS_USERCOMBOBOX, "UserComboBox"},
    {ID_AS_SHELLFOLDER, "ShellFolder"},
    {ID_AS_COLORCOMBOBOX, "ColorComboBox"},
    {ID_AS_BUTTON, "Button"},
    {ID_AS_EDITBUTTON, "EditButton"},
    {ID_AS_RETURN, "Return"},
    {ID_AS_LINK, "Link"},
    {ID_AS_FONT, "Font"},
    {ID_AS_GROUP, "Group"},
    {ID_AS_NCOMBOBOX, "NComboBox"},
    {ID_AS_NADORCOMBOBOX, "NADORComboBox"},
};

} // namespace

CAsControls::CAsControls()
{
    for (const KindEntry& kind : kKinds)
        Add(kind.nID, kind.pszAs, TRUE);
}

CAsControls::~CAsControls()
{
    RemoveAll();
}

const CAsControls& CAsControls::Get()
{
    static const CAsControls registry;
    return registry;
}

BOOL CAsControls::IsGroupKind(UINT nID) const
{
    return nID == ID_AS_GROUP;
}

UINT CAsControls::Lookup(const std::string& strAs) const
{
    const auto found = m_mapNameToId.find(strAs);
    return found == m_mapNameToId.end() ? kNotRegistered : found->second;
}

const char* CAsControls::GetAsName(UINT nID) const
{
    const auto found = m_mapIdToName.find(nID);
    return found == m_mapIdToName.end() ? nullptr : found->second.c_str();
}

void CAsControls::RemoveAll()
{
    m_mapIdToName.clear();
}

void CAsControls::Add(UINT nID, const std::string& strAs, BOOL bAdd)
{
    if (!bAdd)
        return;
    m_mapIdToName[nID] = strAs;
    m_mapNameToId[strAs] = nID;
}
