// CVelmoraCtrl: the kvVelmora ActiveX control a host places on a form. It owns the floor of
// pages, keeps the persistent options, answers the automation interface _DPropertiesGrid,
// fires the events of _DPropertiesGridEvents for its page lists and row objects, and keeps the
// row maps of all pages and the property-name cache.
#pragma once
#include "EventSinkMap.h"
#include "FloorPropertiesWnd.h"
#include "FontHolder.h"
#include "OleControl.h"
#include "PageListOwner.h"
#include "PropertyNameIndex.h"
#include "RowMapTable.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

class CPageListCtrl;

extern const ControlClassInfo g_velmoraCtrlInfo;

class CVelmoraCtrl : public COleControl, public CPageListOwner, public CEventSinkTarget {
public:
    // Version 1.0 of the persistent properties (major in the high word).
    static constexpr DWORD kPersistVersion = 0x10000;
    static constexpr COLORREF kEditorColor = RGB(0, 0, 255);
    // The control's own property pages: Preview and Options.
    static const CLSID kPreviewPageId;
    static const CLSID kGeneralPageId;

    CVelmoraCtrl();
    ~CVelmoraCtrl() override;

    DECLARE_DISPATCH_MAP()
    DECLARE_EVENTSINK_MAP()

public:

    // Events, one operation per event of _DPropertiesGridEvents. A page or row that a 16-bit
    // argument cannot carry goes out as -1 (none).
    void FireSelectItem(long nIndexPage, long nIndexItem) override;
    void FireSelectPage(short nIndex);
    void FireUnselectItem(long nIndexPage, long nIndexItem) override;
    void FirePropertyChanging(long nIndexPage, long nIndexItem) override;
    void FirePropertyChanged(long nIndexPage, long nIndexItem, BOOL bUpdate) override;
    void FireButtonClick(long nIndexPage, long nIndexItem) override;
    bool FireLoadItems(long nIndexPage, long nIndexItem, std::string* pItems) override;
    void FireSetObject(long nIndexPage, long nIndexItem, IDispatch** ppObject) override;
    void FireDelete(long nIndexPage, long nIndexItem) override;
    void FireCustomColorChange();

    // What the page lists read of the control.
    BOOL GetToolTips() const override { return m_bToolTips; }
    BOOL GetResizeFirstColumn() const override { return m_bResizeFirstColumn; }
    bool GetItemFont(LOGFONTW* pDescription) const override;
    COLORREF GetEditorColor() const override { return m_crEditor; }
    void GetCustomColors(COLORREF crColors[kCustomColorCount]) const override;
    // Fires CustomColorChange when at least one colour differs.
    void SetCustomColors(const COLORREF crColors[kCustomColorCount]) override;
    CFloorPropertiesWnd* GetFloor() { return &m_floor; }
    // The front page of the floor (-1 without a floor control).
    short GetActivePage() const;
    CRowMapTable& GetRowMapTable() override { return m_rowMaps; }

    // The page list of a page when row is one of its rows; null otherwise. Rows go by their
    // full index here and below, so that rows found by name past the 16-bit range are reached.
    virtual CPageListCtrl* GetRowPageList(short nPage, int nRow);
    virtual std::string GetPropertyPart(const std::string& strName);
    virtual std::string GetPagePart(const std::string& strName);
    virtual void OnPageSelected(short nIndex);
    virtual BOOL CreateFloor();
    virtual void ClearRowMaps();

    // Automation methods of _DPropertiesGrid that other methods build on.
    long GetPagesCount();
    short AddPage(const std::string& strPageName);
    BOOL DeletePage(short nIndexPage);
    short GetPage(const std::string& strPageName);
    short InsertProperty(short nIndexPage, short nIndexProperty, const std::string& strName, const std::string& strAs,
                         short nType);
    BOOL DeleteProperty(short nIndexPage, int nIndexProperty);
    std::string GetPropertyName(short nIndexPage, int nIndexProperty);
    short GetPropertyCount(short nIndexPage);
    void SetPropertyName(short nIndexPage, int nIndexProperty, const std::string& strName);
    // The row as a 16-bit index: one past that range is not found (FALSE, -1 and -1).
    BOOL GetPropertyIndex(const std::string& strName, short* pIndexPage, short* pIndexProperty);
    BOOL SetDefaultValue(short nIndexPage, int nIndexProperty, const std::string& strValue);
    BOOL SetActiveProperty(short nIndexPage, int nIndexProperty);
    short AddProperty(const std::string& strName, const std::string& strAs, short nType);
    CVariant GetValue(short nIndexPage, int nIndexProperty, long nColumn);
    void SetValue(short nIndexPage, int nIndexProperty, const VARIANT& vValue, short nColumn);
    long GetColumnKey(short nIndexPage, int nIndexProperty);
    void SetColumnKey(short nIndexPage, int nIndexProperty, long nKey);
    // Null (no row, no object, no name) is told apart from an empty name.
    bool GetColumnName(short nIndexPage, int nIndexProperty, long nColumn, std::string* pName);
    void AboutBox();

    // IObjectSafety, as the control answers it for untrusted scripts and data.
    STDMETHODIMP GetInterfaceSafetyOptions(REFIID riid, DWORD* pdwSupportedOptions, DWORD* pdwEnabledOptions) override;
    STDMETHODIMP SetInterfaceSafetyOptions(REFIID riid, DWORD dwOptionSetMask, DWORD dwEnabledOptions) override;

    // The sink of the ItemFont holder: applies a changed item font to every page list.
    class XItemFontNotify : public IPropertyNotifySink {
    public:
        explicit XItemFontNotify(CVelmoraCtrl& control) : m_control(control) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
        // The sink lives inside the control.
        STDMETHODIMP_(ULONG) AddRef() override { return 1; }
        STDMETHODIMP_(ULONG) Release() override { return 0; }
        STDMETHODIMP OnChanged(DISPID dispid) override;
        STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }

    private:
        CVelmoraCtrl& m_control;
    };

protected:
    void* GetInterface(REFIID riid) override;
    void DoPropExchange(CPropExchange& px) override;
    void OnResetState() override;
    void OnDraw(HDC hdc, const RECT& bounds) override;
    int OnCreate(CREATESTRUCT* pCreate) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnSetFocus(HWND hOldFocus) override;
    void OnDestroy() override;
    void OnBackColorChanged() override;
    void OnFontChanged() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    std::vector<CLSID> GetPropertyPageIds() const override;
    // A screen reader finds the control as a pane named after the host's name for it.
    LRESULT OnGetObject(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    // Change actions of the persistent properties.
    void OnPagesAndItemsChanged();
    void OnAutoResizingColumnsChanged();
    void OnSignEnableDisableChanged();
    void OnFirstPageHasCaptionChanged();
    void OnAsFloorChanged();
    void OnAnimationChanged();
    bool FloorExists() const { return m_floor.IsWindow() != FALSE; }

    void EmptyNameCache();
    // The name lookup of GetPropertyIndex and of every by-name method, rows by full index.
    // Not found: false, with the page searched (or -1) and row -1.
    bool FindProperty(const std::string& strName, CPropertyNameIndex::Position* pPosition);
    // What use makes of the row's persistent behaviour object; fallback when the row has none,
    // or when the host ended the row as the object was made (some kinds ask the host then).
    // Nothing of the object is touched after use, whose calls may reach the host as well.
    template <class Result, class Use>
    Result WithRowObject(short nIndexPage, int nIndexProperty, Result fallback, Use use);
    std::string ValueText(CPageListCtrl* pList, int nRow);
    std::string CheckText();

    void OnFloorPageSelected(DISPPARAMS* pParams);

    // Property handlers.
    HRESULT OnGetItemFont(CDispatchCall& call);
    HRESULT OnSetItemFont(CDispatchCall& call);
    HRESULT OnGetSleep(CDispatchCall& call);
    HRESULT OnSetSleep(CDispatchCall& call);

    // Method handlers (VelmoraCtrlMethods.cpp).
    HRESULT OnGetPagesCount(CDispatchCall& call);
    HRESULT OnAddPage(CDispatchCall& call);
    HRESULT OnDeletePage(CDispatchCall& call);
    HRESULT OnGetPageName(CDispatchCall& call);
    HRESULT OnGetPage(CDispatchCall& call);
    HRESULT OnActivatePage(CDispatchCall& call);
    HRESULT OnInsertProperty(CDispatchCall& call);
    HRESULT OnDeleteProperty(CDispatchCall& call);
    HRESULT OnGetPropertyName(CDispatchCall& call);
    HRESULT OnGetPropertyType(CDispatchCall& call);
    HRESULT OnSetPropertyType(CDispatchCall& call);
    HRESULT OnGetPropertyAs(CDispatchCall& call);
    HRESULT OnIsProperty(CDispatchCall& call);
    HRESULT OnGetIDListCtrl(CDispatchCall& call);
    HRESULT OnGetActivePage(CDispatchCall& call);
    HRESULT OnGetxFloorWnd(CDispatchCall& call);
    HRESULT OnGetDefaultValue(CDispatchCall& call);
    HRESULT OnSetDefaultValue(CDispatchCall& call);
    HRESULT OnGetPropertyCount(CDispatchCall& call);
    HRESULT OnSetPropertyName(CDispatchCall& call);
    HRESULT OnGetPropertyIndex(CDispatchCall& call);
    HRESULT OnSetDefaultValueByName(CDispatchCall& call);
    HRESULT OnGetDefaultValueByName(CDispatchCall& call);
    HRESULT OnGetActiveProperty(CDispatchCall& call);
    HRESULT OnSetActiveProperty(CDispatchCall& call);
    HRESULT OnSetActivePropertyByName(CDispatchCall& call);
    HRESULT OnDeletePropertyByName(CDispatchCall& call);
    HRESULT OnAddProperty(CDispatchCall& call);
    HRESULT OnInit(CDispatchCall& call);
    HRESULT OnRefreshProperty(CDispatchCall& call);
    HRESULT OnGetValue(CDispatchCall& call);
    HRESULT OnGetValueByName(CDispatchCall& call);
    HRESULT OnSetValue(CDispatchCall& call);
    HRESULT OnCheck(CDispatchCall& call);
    HRESULT OnGetNComboObject(CDispatchCall& call);
    HRESULT OnSetCustomColor(CDispatchCall& call);
    HRESULT OnGetCustomColor(CDispatchCall& call);
    HRESULT OnGetColumnKey(CDispatchCall& call);
    HRESULT OnSetColumnKey(CDispatchCall& call);
    HRESULT OnGetColumnWidth(CDispatchCall& call);
    HRESULT OnSetColumnWidth(CDispatchCall& call);
    HRESULT OnGetColumnName(CDispatchCall& call);
    HRESULT OnSetColumnName(CDispatchCall& call);
    HRESULT OnGetColumnHeader(CDispatchCall& call);
    HRESULT OnSetColumnHeader(CDispatchCall& call);
    HRESULT OnGetDropDownWidth(CDispatchCall& call);
    HRESULT OnSetDropDownWidth(CDispatchCall& call);
    HRESULT OnGetDropDownHeight(CDispatchCall& call);
    HRESULT OnSetDropDownHeight(CDispatchCall& call);
    HRESULT OnGetColumnKeyByName(CDispatchCall& call);
    HRESULT OnSetColumnKeyByName(CDispatchCall& call);
    HRESULT OnAboutBox(CDispatchCall& call);

    OLE_COLOR m_clrCustom[kCustomColorCount];
    COLORREF m_crEditor = kEditorColor;
    XItemFontNotify m_xItemFontNotify;
    CFontHolder m_ItemFont;
    // Declared before the floor: page lists hand their row maps back to it as they go.
    CRowMapTable m_rowMaps;
    // The floor control answers by dispatch calls, which even a const question makes.
    mutable CFloorPropertiesWnd m_floor;
    std::string m_strPagesAndItems;
    BOOL m_bAutoResizingColumns = TRUE;
    BOOL m_bSignEnableDisable = TRUE;
    BOOL m_bToolTips = TRUE;
    BOOL m_bFirstPageHasCaption = FALSE;
    BOOL m_bAsFloor = TRUE;
    BOOL m_bResizeFirstColumn = TRUE;
    BOOL m_bAnimation = FALSE;
    // Name as the caller gave it -> where the lookup found it.
    std::map<std::string, CPropertyNameIndex::Position> m_mapNameCache;
    // The index behind the cache: every row name as the pages have it now.
    CPropertyNameIndex m_nameIndex{m_floor};
};
