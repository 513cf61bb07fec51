// The automation methods of CVelmoraCtrl: pages, rows, names, values and the settings of the
// list-type editors, each a thin layer over the floor, its page lists and the row objects.
#include "VelmoraCtrl.h"

#include "AsControls.h"
#include "Bstr.h"
#include "ControlWnd.h"
#include "DispatchCall.h"
#include "NComboKinds.h"
#include "PageListCtrl.h"
#include "ShortIndex.h"
#include "Text.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <type_traits>

namespace {

unsigned long long Address(const void* p)
{
    return static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(p));
}

void SetNullString(CDispatchCall& call)
{
    call.Result().Clear();
    call.Result().vt = VT_BSTR;
    call.Result().bstrVal = nullptr;
}

} // namespace

// --- Rows, names and the name cache ---

CPageListCtrl* CVelmoraCtrl::GetRowPageList(short nPage, int nRow)
{
    if (!FloorExists() || !m_floor.IsPage(nPage))
        return nullptr;
    CPageListCtrl* pList = m_floor.GetPageList(nPage);
    if (!pList || nRow < 0 || nRow >= pList->GetItemCount())
        return nullptr;
    return pList;
}

namespace {

// A name "page\property": the text before the first "\" and the text up to a second one.
void SplitName(const std::string& strName, std::string* pPage, std::string* pProperty)
{
    const size_t nSeparator = strName.find('\\');
    pPage->clear();
    if (nSeparator == std::string::npos) {
        *pProperty = strName;
        return;
    }
    const size_t nEnd = strName.find('\\', nSeparator + 1);
    *pProperty = strName.substr(nSeparator + 1, nEnd == std::string::npos ? std::string::npos : nEnd - nSeparator - 1);
    if (pProperty->empty())
        *pProperty = strName.substr(0, nSeparator);
    else
        *pPage = strName.substr(0, nSeparator);
}

} // namespace

std::string CVelmoraCtrl::GetPropertyPart(const std::string& strName)
{
    std::string strPage, strProperty;
    SplitName(strName, &strPage, &strProperty);
    return strProperty;
}

std::string CVelmoraCtrl::GetPagePart(const std::string& strName)
{
    std::string strPage, strProperty;
    SplitName(strName, &strPage, &strProperty);
    return strPage;
}

void CVelmoraCtrl::EmptyNameCache()
{
    m_mapNameCache.clear();
}

bool CVelmoraCtrl::FindProperty(const std::string& strName, CPropertyNameIndex::Position* pPosition)
{
    *pPosition = CPropertyNameIndex::Position{kNoIndex, kNoIndex};
    if (const auto cached = m_mapNameCache.find(strName); cached != m_mapNameCache.end()) {
        *pPosition = cached->second;
        return true;
    }
    const std::string strProperty = GetPropertyPart(strName);
    if (strProperty.empty())
        return false;
    const std::string strPage = GetPagePart(strName);
    const short nOnly = strPage.empty() ? kNoIndex : GetPage(strPage);
    if (!strPage.empty() && nOnly < 0)
        return false;
    pPosition->nPage = nOnly;
    // Rows inserted, deleted, sorted or renamed by anyone through the list windows are in the
    // pages' own indices.
    if (!m_nameIndex.Find(strProperty, nOnly, GetPagesCount(), pPosition))
        return false;
    m_mapNameCache[strName] = *pPosition;
    return true;
}

BOOL CVelmoraCtrl::GetPropertyIndex(const std::string& strName, short* pIndexPage, short* pIndexProperty)
{
    CPropertyNameIndex::Position position;
    bool bFound = FindProperty(strName, &position);
    // A row past the 16-bit range cannot be told to the caller: it answers as no row at all,
    // never as the row its index would wrap to. The by-name methods reach it all the same.
    const short nRow = ToShortIndex(position.nRow);
    if (nRow != position.nRow) {
        bFound = false;
        position.nPage = kNoIndex;
    }
    if (pIndexPage)
        *pIndexPage = position.nPage;
    if (pIndexProperty)
        *pIndexProperty = nRow;
    return bFound;
}

// --- Pages ---

long CVelmoraCtrl::GetPagesCount()
{
    return FloorExists() ? m_floor.GetPagesCount() : 0;
}

short CVelmoraCtrl::AddPage(const std::string& strPageName)
{
    return FloorExists() ? m_floor.CreatePage(strPageName, this, std::string()) : short(-1);
}

BOOL CVelmoraCtrl::DeletePage(short nIndexPage)
{
    EmptyNameCache();
    // The page's row objects go with its page list.
    return FloorExists() ? m_floor.RemovePage(nIndexPage) : FALSE;
}

// --- Rows ---

short CVelmoraCtrl::InsertProperty(short nIndexPage, short nIndexProperty, const std::string& strName,
                                   const std::string& strAs, short nType)
{
    if (!FloorExists() || !m_floor.IsPage(nIndexPage))
        return -1;
    CPageListCtrl* pList = m_floor.GetPageList(nIndexPage);
    const UINT nKind = CAsControls::Get().Lookup(strAs);
    if (!pList || nKind == CAsControls::kNotRegistered)
        return -1;
    EmptyNameCache();
    const DWORD dwData = (nKind & 0xFFFF) | (static_cast<DWORD>(static_cast<WORD>(nType)) << 16);
    const int nIndex = nIndexProperty == -1 ? pList->GetItemCount() : nIndexProperty;
    // A row appended past the 16-bit range is there, but its index cannot be told: -1.
    return ToShortIndex(pList->InsertProperty(nIndex, strName, dwData));
}

BOOL CVelmoraCtrl::DeleteProperty(short nIndexPage, int nIndexProperty)
{
    CPageListCtrl* pList = GetRowPageList(nIndexPage, nIndexProperty);
    if (!pList)
        return FALSE;
    EmptyNameCache();
    return pList->DeleteRow(nIndexProperty);
}

std::string CVelmoraCtrl::GetPropertyName(short nIndexPage, int nIndexProperty)
{
    CPageListCtrl* pList = GetRowPageList(nIndexPage, nIndexProperty);
    return pList ? pList->GetItemText(nIndexProperty, pList->GetNameColumn()) : std::string();
}

short CVelmoraCtrl::GetPropertyCount(short nIndexPage)
{
    CPageListCtrl* pList = m_floor.GetPageList(nIndexPage);
    return pList ? ToShortCount(pList->GetItemCount()) : short(0);
}

void CVelmoraCtrl::SetPropertyName(short nIndexPage, int nIndexProperty, const std::string& strName)
{
    CPageListCtrl* pList = GetRowPageList(nIndexPage, nIndexProperty);
    if (!pList)
        return;
    EmptyNameCache();
    pList->SetRowName(nIndexProperty, strName);
}

std::string CVelmoraCtrl::ValueText(CPageListCtrl* pList, int nRow)
{
    return pList->GetItemText(nRow, pList->GetValueColumn());
}

BOOL CVelmoraCtrl::SetDefaultValue(short nIndexPage, int nIndexProperty, const std::string& strValue)
{
    CPageListCtrl* pList = GetRowPageList(nIndexPage, nIndexProperty);
    return pList ? pList->SetItemValue(nIndexProperty, strValue) : FALSE;
}

BOOL CVelmoraCtrl::SetActiveProperty(short nIndexPage, int nIndexProperty)
{
    CPageListCtrl* pList = GetRowPageList(nIndexPage, nIndexProperty);
    if (!pList)
        return FALSE;
    m_floor.ActivatePage(nIndexPage);
    // The host may have changed the pages as it heard of the page: the row is looked up again.
    if (CPageListCtrl* pShown = GetRowPageList(nIndexPage, nIndexProperty))
        pShown->SelectRow(nIndexProperty);
    return TRUE;
}

short CVelmoraCtrl::AddProperty(const std::string& strName, const std::string& strAs, short nType)
{
    CPropertyNameIndex::Position position;
    FindProperty(strName, &position);
    return InsertProperty(position.nPage < 0 ? short(0) : position.nPage, -1, GetPropertyPart(strName), strAs, nType);
}

// --- Values through the row objects ---

CVariant CVelmoraCtrl::GetValue(short nIndexPage, int nIndexProperty, long nColumn)
{
    CPageListCtrl* pList = GetRowPageList(nIndexPage, nIndexProperty);
    if (!pList)
        return CVariant();
    // Making the row's object may ask the host, whose handler may end the row, its page or
    // the control's window: the row's text is read only while the rows are as they were.
    const CLifeToken::CWatch listAlive = pList->Watch();
    const unsigned nNameChanges = pList->GetNameChanges();
    CControlsWnd* pObj = pList->GetControlsWnd(nIndexProperty, FALSE);
    if (!pObj) {
        const bool bSameRows = listAlive && pList->GetNameChanges() == nNameChanges;
        return bSameRows ? CVariant(ValueText(pList, nIndexProperty)) : CVariant();
    }
    const CLifeToken::CWatch alive = pObj->Watch();
    CVariant value = pObj->GetValue(nColumn);
    if (alive)
        pObj->Release();
    return value;
}

void CVelmoraCtrl::SetValue(short nIndexPage, int nIndexProperty, const VARIANT& vValue, short nColumn)
{
    CPageListCtrl* pList = GetRowPageList(nIndexPage, nIndexProperty);
    if (!pList)
        return;
    const CLifeToken::CWatch listAlive = pList->Watch();
    CControlsWnd* pObj = pList->GetControlsWnd(nIndexProperty, FALSE);
    if (!pObj)
        return;
    const CLifeToken::CWatch alive = pObj->Watch();
    pObj->SetValue(vValue, nColumn);
    if (!alive)
        return;
    // A transient object is gone after its Release.
    const int nRow = static_cast<int>(pObj->m_nRow);
    pObj->Release();
    if (listAlive)
        pList->RedrawItems(nRow, nRow);
}

template <class Result, class Use>
Result CVelmoraCtrl::WithRowObject(short nIndexPage, int nIndexProperty, Result fallback, Use use)
{
    CPageListCtrl* pList = GetRowPageList(nIndexPage, nIndexProperty);
    CControlsWnd* pObj = pList ? pList->GetControlsWnd(nIndexProperty, TRUE) : nullptr;
    if (!pObj)
        return fallback;
    if constexpr (std::is_void_v<std::invoke_result_t<Use, CControlsWnd&>>) {
        use(*pObj);
        return fallback;
    } else {
        return use(*pObj);
    }
}

long CVelmoraCtrl::GetColumnKey(short nIndexPage, int nIndexProperty)
{
    return WithRowObject(nIndexPage, nIndexProperty, -1L, [](CControlsWnd& obj) { return obj.GetColumnKey(); });
}

void CVelmoraCtrl::SetColumnKey(short nIndexPage, int nIndexProperty, long nKey)
{
    WithRowObject(nIndexPage, nIndexProperty, 0, [nKey](CControlsWnd& obj) { obj.SetColumnKey(nKey); });
}

bool CVelmoraCtrl::GetColumnName(short nIndexPage, int nIndexProperty, long nColumn, std::string* pName)
{
    const char* pszName = WithRowObject(nIndexPage, nIndexProperty, static_cast<const char*>(nullptr),
                                        [nColumn](CControlsWnd& obj) { return obj.GetColumnName(nColumn); });
    if (!pszName)
        return false;
    *pName = pszName;
    return true;
}

// --- Diagnostics and the About box ---

std::string CVelmoraCtrl::CheckText()
{
    std::string text = FormatText("\t\tthis = %08llX \n\n", Address(&m_rowMaps));
    for (int p = 0; CPageListCtrl* pList = m_floor.GetPageList(p); ++p) {
        CRowMapTable::CRowMap* pRowMap = m_rowMaps.FindRowMap(pList);
        if (!pRowMap)
            continue;
        text += FormatText("%s, %08llX\n", m_floor.GetPageName(ToShortIndex(pList->GetPageIndex())).c_str(), Address(pList));
        for (const auto& entry : *pRowMap) {
            text += FormatText("\t %i %s %08llX\n", static_cast<int>(entry.first),
                               pList->GetItemText(static_cast<int>(entry.first), pList->GetNameColumn()).c_str(),
                               Address(entry.second.get()));
        }
    }
    return text;
}

namespace {

INT_PTR CALLBACK AboutDialogProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hDlg, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

} // namespace

void CVelmoraCtrl::AboutBox()
{
    DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(1), m_hWnd, &AboutDialogProc, 0);
}

// --- Dispatch handlers ---

HRESULT CVelmoraCtrl::OnGetPagesCount(CDispatchCall& call)
{
    call.SetResult(GetPagesCount());
    return S_OK;
}

HRESULT CVelmoraCtrl::OnAddPage(CDispatchCall& call)
{
    call.SetResult(AddPage(call.String(0)));
    return S_OK;
}

HRESULT CVelmoraCtrl::OnDeletePage(CDispatchCall& call)
{
    call.SetResult(DeletePage(call.Short(0)) != FALSE);
    return S_OK;
}

HRESULT CVelmoraCtrl::OnGetPageName(CDispatchCall& call)
{
    call.SetResult(FloorExists() ? m_floor.GetPageName(call.Short(0)) : std::string());
    return S_OK;
}

HRESULT CVelmoraCtrl::OnGetPage(CDispatchCall& call)
{
    call.SetResult(GetPage(call.String(0)));
    return S_OK;
}

short CVelmoraCtrl::GetPage(const std::string& strPageName)
{
    return FloorExists() ? m_floor.GetPageIndex(strPageName) : short(-1);
}

HRESULT CVelmoraCtrl::OnActivatePage(CDispatchCall& call)
{
    if (FloorExists())
        m_floor.ActivatePage(call.Short(0));
    return S_OK;
}

HRESULT CVelmoraCtrl::OnInsertProperty(CDispatchCall& call)
{
    call.SetResult(InsertProperty(call.Short(0), call.Short(1), call.String(2), call.String(3), call.Short(4)));
    return S_OK;
}

HRESULT CVelmoraCtrl::OnDeleteProperty(CDispatchCall& call)
{
    call.SetResult(DeleteProperty(call.Short(0), call.Short(1)) != FALSE);
    return S_OK;
}

HRESULT CVelmoraCtrl::OnGetPropertyName(CDispatchCall& call)
{
    call.SetResult(GetPropertyName(call.Short(0), call.Short(1)));
    return S_OK;
}

HRESULT CVelmoraCtrl::OnGetPropertyType(CDispatchCall& call)
{
    CPageListCtrl* pList = GetRowPageList(call.Short(0), call.Short(1));
    call.SetResult(pList ? static_cast<short>(HIWORD(pList->GetItemData(call.Short(1)))) : short(-1));
    return S_OK;
}

HRESULT CVelmoraCtrl::OnSetPropertyType(CDispatchCall& call)
{
    const short nRow = call.Short(1);
    if (CPageListCtrl* pList = GetRowPageList(call.Short(0), nRow)) {
        const DWORD dwData = static_cast<DWORD>(pList->GetItemData(nRow));
        pList->SetItemData(nRow, (dwData & 0xFFFF) | (static_cast<DWORD>(static_cast<WORD>(call.Short(2))) << 16));
    }
    return S_OK;
}

HRESULT CVelmoraCtrl::OnGetPropertyAs(CDispatchCall& call)
{
    CPageListCtrl* pList = GetRowPageList(call.Short(0), call.Short(1));
    const char* pszAs = pList ? pList->GetItemAs(call.Short(1)) : nullptr;
    call.SetResult(std::string(pszAs ? pszAs : ""));
    return S_OK;
}

HRESULT CVelmoraCtrl::OnIsProperty(CDispatchCall& call)
{
    call.SetResult(GetRowPageList(call.Short(0), call.Short(1)) != nullptr);
    return S_OK;
}

HRESULT CVelmoraCtrl::OnGetIDListCtrl(CDispatchCall& call)
{
    const short nPage = call.Short(0);
    CPageListCtrl* pList = FloorExists() && m_floor.IsPage(nPage) ? m_floor.GetPageList(nPage) : nullptr;
    call.SetResult(pList ? static_cast<long>(pList->GetDlgCtrlID()) : -1L);
    return S_OK;
}

HRESULT CVelmoraCtrl::OnGetActivePage(CDispatchCall& call)
{
    call.SetResult(GetActivePage());
    return S_OK;
}

HRESULT CVelmoraCtrl::OnGetxFloorWnd(CDispatchCall& call)
{
    call.SetResult(m_floor.GetControlUnknown());
    return S_OK;
}

HRESULT CVelmoraCtrl::OnGetDefaultValue(CDispatchCall& call)
{
    CPageListCtrl* pList = GetRowPageList(call.Short(0), call.Short(1));
    BSTR* pValue = call.BstrRef(2);
    if (!pList || !pValue) {
        call.SetResult(false);
        return S_OK;
    }
    // The string the caller held stays the caller's: it is overwritten, not freed.
    *pValue = CBstr(ValueText(pList, call.Short(1))).Detach();
    call.SetResult(true);
    return S_OK;
}

HRESULT CVelmoraCtrl::OnSetDefaultValue(CDispatchCall& call)
{
    call.SetResult(SetDefaultValue(call.Short(0), call.Short(1), call.String(2)) != FALSE);
    return S_OK;
}

HRESULT CVelmoraCtrl::OnGetPropertyCount(CDispatchCall& call)
{
    call.SetResult(GetPropertyCount(call.Short(0)));
    return S_OK;
}

HRESULT CVelmoraCtrl::OnSetPropertyName(CDispatchCall& call)
{
    SetPropertyName(call.Short(0), call.Short(1), call.String(2));
    return S_OK;
}

HRESULT CVelmoraCtrl::OnGetPropertyIndex(CDispatchCall& call)
{
    call.SetResult(GetPropertyIndex(call.String(0), call.ShortRef(1), call.ShortRef(2)) != FALSE);
    return S_OK;
}

HRESULT CVelmoraCtrl::OnSetDefaultValueByName(CDispatchCall& call)
{
    CPropertyNameIndex::Position at;
    const bool bSet = FindProperty(call.String(0), &at) && SetDefaultValue(at.nPage, at.nRow, call.String(1));
    call.SetResult(bSet);
    return S_OK;
}

HRESULT CVelmoraCtrl::OnGetDefaultValueByName(CDispatchCall& call)
{
    CPropertyNameIndex::Position at;
    CPageListCtrl* pList = FindProperty(call.String(0), &at) ? GetRowPageList(at.nPage, at.nRow) : nullptr;
    if (pList)
        call.SetResult(ValueText(pList, at.nRow));
    else
        SetNullString(call);
    return S_OK;
}

HRESULT CVelmoraCtrl::OnGetActiveProperty(CDispatchCall& call)
{
    short* pPage = call.ShortRef(0);
    if (!pPage) {
        call.SetResult(short(-1));
        return S_OK;
    }
    *pPage = GetActivePage();
    CPageListCtrl* pList = FloorExists() ? m_floor.GetPageList(*pPage) : nullptr;
    call.SetResult(pList ? ToShortIndex(pList->GetNextItem(-1, LVNI_SELECTED)) : kNoIndex);
    return S_OK;
}

HRESULT CVelmoraCtrl::OnSetActiveProperty(CDispatchCall& call)
{
    call.SetResult(SetActiveProperty(call.Short(0), call.Short(1)) != FALSE);
    return S_OK;
}

HRESULT CVelmoraCtrl::OnSetActivePropertyByName(CDispatchCall& call)
{
    CPropertyNameIndex::Position at;
    call.SetResult(FindProperty(call.String(0), &at) && SetActiveProperty(at.nPage, at.nRow));
    return S_OK;
}

HRESULT CVelmoraCtrl::OnDeletePropertyByName(CDispatchCall& call)
{
    CPropertyNameIndex::Position at;
    call.SetResult(FindProperty(call.String(0), &at) && DeleteProperty(at.nPage, at.nRow));
    return S_OK;
}

HRESULT CVelmoraCtrl::OnAddProperty(CDispatchCall& call)
{
    call.SetResult(AddProperty(call.String(0), call.String(1), call.Short(2)));
    return S_OK;
}

HRESULT CVelmoraCtrl::OnInit(CDispatchCall&)
{
    if (FloorExists())
        m_floor.RecalcLayout();
    return S_OK;
}

HRESULT CVelmoraCtrl::OnRefreshProperty(CDispatchCall& call)
{
    return WithRowObject(call.Short(0), call.Short(1), S_OK, [](CControlsWnd& obj) { obj.Refresh(); });
}

HRESULT CVelmoraCtrl::OnGetValue(CDispatchCall& call)
{
    call.Result() = GetValue(call.Short(0), call.Short(1), call.Long(2));
    return S_OK;
}

HRESULT CVelmoraCtrl::OnGetValueByName(CDispatchCall& call)
{
    CPropertyNameIndex::Position at;
    if (FindProperty(call.String(0), &at))
        call.Result() = GetValue(at.nPage, at.nRow, call.Long(1));
    return S_OK;
}

HRESULT CVelmoraCtrl::OnSetValue(CDispatchCall& call)
{
    SetValue(call.Short(0), call.Short(1), call.Arg(2), call.Short(3));
    return S_OK;
}

HRESULT CVelmoraCtrl::OnCheck(CDispatchCall&)
{
    const std::wstring text = Utf8ToWide(CheckText());
    MessageBoxW(m_hWnd, text.c_str(), L"kvVelmora", MB_OK);
    return S_OK;
}

HRESULT CVelmoraCtrl::OnGetNComboObject(CDispatchCall& call)
{
    call.SetResult(static_cast<IDispatch*>(nullptr));
    // The only method that takes page and row as 32-bit integers; a page past the 16-bit range is none.
    const CControlWnd* pHost = WithRowObject(ToShortIndex(call.Long(0)), call.Long(1), static_cast<const CControlWnd*>(nullptr),
                                             [](CControlsWnd& obj) {
                                                 return IsNComboClass(obj.GetClassName()) ? dynamic_cast<const CControlWnd*>(obj.m_pEditor) : nullptr;
                                             });
    CComPointer<IDispatch> pDispatch;
    if (pHost && SUCCEEDED(pDispatch.QueryFrom(pHost->GetControlUnknown())))
        call.SetResult(pDispatch.Get());
    return S_OK;
}

HRESULT CVelmoraCtrl::OnSetCustomColor(CDispatchCall& call)
{
    // Indexes outside the 16 entries are ignored.
    const short nIndex = call.Short(0);
    if (nIndex >= 0 && nIndex < kCustomColorCount)
        m_clrCustom[nIndex] = static_cast<OLE_COLOR>(call.Long(1));
    return S_OK;
}

HRESULT CVelmoraCtrl::OnGetCustomColor(CDispatchCall& call)
{
    // Outside the 16 entries: white, the colour every entry starts with.
    const short nIndex = call.Short(0);
    call.SetResult(static_cast<long>(nIndex >= 0 && nIndex < kCustomColorCount ? m_clrCustom[nIndex] : 0xFFFFFF));
    return S_OK;
}

HRESULT CVelmoraCtrl::OnGetColumnKey(CDispatchCall& call)
{
    call.SetResult(GetColumnKey(call.Short(0), call.Short(1)));
    return S_OK;
}

HRESULT CVelmoraCtrl::OnSetColumnKey(CDispatchCall& call)
{
    SetColumnKey(call.Short(0), call.Short(1), call.Long(2));
    return S_OK;
}

HRESULT CVelmoraCtrl::OnGetColumnWidth(CDispatchCall& call)
{
    call.SetResult(WithRowObject(call.Short(0), call.Short(1), -1L, [&](CControlsWnd& obj) { return obj.GetColumnWidth(call.Short(2)); }));
    return S_OK;
}

HRESULT CVelmoraCtrl::OnSetColumnWidth(CDispatchCall& call)
{
    return WithRowObject(call.Short(0), call.Short(1), S_OK, [&](CControlsWnd& obj) { obj.SetColumnWidth(call.Short(2), call.Long(3)); });
}

HRESULT CVelmoraCtrl::OnGetColumnName(CDispatchCall& call)
{
    std::string strName;
    if (GetColumnName(call.Short(0), call.Short(1), call.Short(2), &strName))
        call.SetResult(strName);
    else
        SetNullString(call);
    return S_OK;
}

HRESULT CVelmoraCtrl::OnSetColumnName(CDispatchCall& call)
{
    return WithRowObject(call.Short(0), call.Short(1), S_OK, [&](CControlsWnd& obj) { obj.SetColumnName(call.Short(2), call.String(3)); });
}

HRESULT CVelmoraCtrl::OnGetColumnHeader(CDispatchCall& call)
{
    call.SetResult(WithRowObject(call.Short(0), call.Short(1), false, [](CControlsWnd& obj) { return obj.GetColumnHeader() != FALSE; }));
    return S_OK;
}

HRESULT CVelmoraCtrl::OnSetColumnHeader(CDispatchCall& call)
{
    return WithRowObject(call.Short(0), call.Short(1), S_OK, [&](CControlsWnd& obj) { obj.SetColumnHeader(call.Bool(2)); });
}

HRESULT CVelmoraCtrl::OnGetDropDownWidth(CDispatchCall& call)
{
    call.SetResult(WithRowObject(call.Short(0), call.Short(1), -1.0, [](CControlsWnd& obj) { return obj.GetDropDownWidth(); }));
    return S_OK;
}

HRESULT CVelmoraCtrl::OnSetDropDownWidth(CDispatchCall& call)
{
    return WithRowObject(call.Short(0), call.Short(1), S_OK, [&](CControlsWnd& obj) { obj.SetDropDownWidth(call.Double(2)); });
}

HRESULT CVelmoraCtrl::OnGetDropDownHeight(CDispatchCall& call)
{
    call.SetResult(WithRowObject(call.Short(0), call.Short(1), -1L, [](CControlsWnd& obj) { return obj.GetDropDownHeight(); }));
    return S_OK;
}

HRESULT CVelmoraCtrl::OnSetDropDownHeight(CDispatchCall& call)
{
    return WithRowObject(call.Short(0), call.Short(1), S_OK, [&](CControlsWnd& obj) { obj.SetDropDownHeight(call.Long(2)); });
}

HRESULT CVelmoraCtrl::OnGetColumnKeyByName(CDispatchCall& call)
{
    const short nPage = call.Short(0), nRow = call.Short(1);
    std::string strName;
    if (GetColumnName(nPage, nRow, GetColumnKey(nPage, nRow), &strName))
        call.SetResult(strName);
    else
        SetNullString(call);
    return S_OK;
}

HRESULT CVelmoraCtrl::OnSetColumnKeyByName(CDispatchCall& call)
{
    const short nPage = call.Short(0), nRow = call.Short(1);
    const std::string strWanted = call.String(2);
    std::string strName;
    for (short c = 0; c >= 0 && GetColumnName(nPage, nRow, c, &strName) && !strName.empty(); ++c) {
        if (EqualNoCase(strName, strWanted)) {
            SetColumnKey(nPage, nRow, c);
            break;
        }
    }
    SetModifiedFlag();
    return S_OK;
}

HRESULT CVelmoraCtrl::OnAboutBox(CDispatchCall&)
{
    AboutBox();
    return S_OK;
}
