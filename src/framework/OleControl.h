// COleControl: the base of an ActiveX control served by this module: the OLE embedding and
// in-place activation interfaces with the control's window as a child of the container's
// window, drawing through OnDraw (on screen and into a container's DC), automation through the
// derived class's dispatch map, events through a connection point for the default source
// dispinterface (and IPropertyNotifySink), stock BackColor and Font, ambient properties, the
// modified flag and persistence through the derived class's DoPropExchange (stream, property
// bag, storage).
//
// A derived control: passes its ControlClassInfo (static) to the constructor; declares
// DECLARE_DISPATCH_MAP() and maps its members (DISP_STOCKPROP_BACKCOLOR() / _FONT() for the
// stock properties); overrides DoPropExchange (ExchangeVersion first, then
// COleControl::DoPropExchange for the stock properties, then its own); overrides OnDraw and
// the window hooks it needs; fires events with FireEvent.
#pragma once
#include "ComObject.h"
#include "ConnectionPoint.h"
#include "DispatchTarget.h"
#include "FontHolder.h"
#include "PropExchange.h"
#include "ServerRegistry.h"
#include "Variant.h"
#include "Wnd.h"

#include <objsafe.h>
#include <ocidl.h>
#include <olectl.h>

#include <initializer_list>
#include <string>
#include <vector>

class COleControl : public CWnd,
                    public CComObject,
                    public CDispatchTarget,
                    public IDispatch,
                    public IOleObject,
                    public IOleInPlaceObject,
                    public IOleInPlaceActiveObject,
                    public IOleControl,
                    public IViewObject2,
                    public IPersistStreamInit,
                    public IPersistPropertyBag,
                    public IPersistStorage,
                    public IConnectionPointContainer,
                    public IProvideClassInfo2,
                    public ISpecifyPropertyPages,
                    public IObjectSafety {
public:
    explicit COleControl(const ControlClassInfo& info);
    ~COleControl() override;

    DECLARE_IUNKNOWN()

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
    STDMETHODIMP Invoke(DISPID dispid, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pParams,
                        VARIANT* pResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;
    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* pClientSite) override;
    STDMETHODIMP GetClientSite(IOleClientSite** ppClientSite) override;
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD dwSaveOption) override;
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** ppmk) override;
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject** ppDataObject) override;
    STDMETHODIMP DoVerb(LONG iVerb, LPMSG lpmsg, IOleClientSite* pActiveSite, LONG lindex, HWND hwndParent,
                        LPCRECT lprcPosRect) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** ppEnumOleVerb) override;
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* pClsid) override;
    STDMETHODIMP GetUserType(DWORD dwFormOfType, LPOLESTR* pszUserType) override;
    STDMETHODIMP SetExtent(DWORD dwDrawAspect, SIZEL* psizel) override;
    STDMETHODIMP GetExtent(DWORD dwDrawAspect, SIZEL* psizel) override;
    STDMETHODIMP Advise(IAdviseSink* pAdvSink, DWORD* pdwConnection) override;
    STDMETHODIMP Unadvise(DWORD dwConnection) override;
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** ppenumAdvise) override;
    STDMETHODIMP GetMiscStatus(DWORD dwAspect, DWORD* pdwStatus) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }
    // IOleWindow, IOleInPlaceObject
    STDMETHODIMP GetWindow(HWND* phwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override;
    STDMETHODIMP SetObjectRects(LPCRECT lprcPosRect, LPCRECT lprcClipRect) override;
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }
    // IOleInPlaceActiveObject
    STDMETHODIMP TranslateAccelerator(LPMSG lpmsg) override;
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    // IOleControl
    STDMETHODIMP GetControlInfo(CONTROLINFO* pCI) override;
    STDMETHODIMP OnMnemonic(MSG* pMsg) override;
    STDMETHODIMP OnAmbientPropertyChange(DISPID dispid) override;
    STDMETHODIMP FreezeEvents(BOOL bFreeze) override;
    // IViewObject, IViewObject2
    STDMETHODIMP Draw(DWORD dwDrawAspect, LONG lindex, void* pvAspect, DVTARGETDEVICE* ptd, HDC hdcTargetDev,
                      HDC hdcDraw, LPCRECTL lprcBounds, LPCRECTL lprcWBounds,
                      BOOL(STDMETHODCALLTYPE* pfnContinue)(ULONG_PTR), ULONG_PTR dwContinue) override;
    STDMETHODIMP GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE**) override { return E_NOTIMPL; }
    STDMETHODIMP Freeze(DWORD, LONG, void*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unfreeze(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SetAdvise(DWORD aspects, DWORD advf, IAdviseSink* pAdvSink) override;
    STDMETHODIMP GetAdvise(DWORD* pAspects, DWORD* pAdvf, IAdviseSink** ppAdvSink) override;
    STDMETHODIMP GetExtent(DWORD dwDrawAspect, LONG lindex, DVTARGETDEVICE* ptd, LPSIZEL lpsizel) override;
    // IPersist, IPersistStreamInit, IPersistPropertyBag, IPersistStorage
    STDMETHODIMP GetClassID(CLSID* pClassID) override;
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP Load(LPSTREAM pStm) override;
    STDMETHODIMP Save(LPSTREAM pStm, BOOL fClearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* pcbSize) override;
    STDMETHODIMP InitNew() override;
    STDMETHODIMP Load(IPropertyBag* pPropBag, IErrorLog* pErrorLog) override;
    STDMETHODIMP Save(IPropertyBag* pPropBag, BOOL fClearDirty, BOOL fSaveAllProperties) override;
    STDMETHODIMP InitNew(IStorage* pStg) override;
    STDMETHODIMP Load(IStorage* pStg) override;
    STDMETHODIMP Save(IStorage* pStgSave, BOOL fSameAsLoad) override;
    STDMETHODIMP SaveCompleted(IStorage*) override { return S_OK; }
    STDMETHODIMP HandsOffStorage() override { return S_OK; }
    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** ppEnum) override;
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override;
    // IProvideClassInfo, IProvideClassInfo2
    STDMETHODIMP GetClassInfo(ITypeInfo** ppTI) override;
    STDMETHODIMP GetGUID(DWORD dwGuidKind, GUID* pGUID) override;
    // ISpecifyPropertyPages
    STDMETHODIMP GetPages(CAUUID* pPages) override;
    // IObjectSafety
    STDMETHODIMP GetInterfaceSafetyOptions(REFIID riid, DWORD* pdwSupportedOptions, DWORD* pdwEnabledOptions) override;
    STDMETHODIMP SetInterfaceSafetyOptions(REFIID riid, DWORD dwOptionSetMask, DWORD dwEnabledOptions) override;

    // Stock properties.
    OLE_COLOR GetBackColor() const { return m_clrBack; }
    void SetBackColor(OLE_COLOR clrBack);
    CFontHolder& GetFont() { return m_font; }
    void SetFont(IFontDisp* pFont);   // the control keeps a clone
    COLORREF TranslateColor(OLE_COLOR clr) const;

    // Ambient properties of the container, with the usual defaults when it has none.
    bool GetAmbientProperty(DISPID dispid, CVariant& value) const;
    bool AmbientUserMode() const;
    OLE_COLOR AmbientBackColor() const;
    OLE_COLOR AmbientForeColor() const;
    CComPointer<IFontDisp> AmbientFont() const;
    std::string AmbientDisplayName() const;

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool bModified = true) { m_bModified = bModified; }
    bool IsInPlaceActive() const { return m_bInPlaceActive; }
    bool IsUIActive() const { return m_bUIActive; }
    IOleClientSite* ClientSite() const { return m_pClientSite; }

    // Redraws on screen, or asks the container to redraw a control without a window.
    void InvalidateControl();
    // Calls an event of the default source dispinterface on every sink (none while the
    // container froze events). Arguments in the declared order; CVariant::ByRef arguments
    // point at the caller's storage, which holds what the (last) sink wrote after the call.
    void FireEvent(DISPID dispid, std::initializer_list<CVariant> args = {});
    // Tells IPropertyNotifySink sinks (containers, property browsers) a property changed.
    void BoundPropertyChanged(DISPID dispid);

    // Shows the property pages (through the container's frame when it offers one).
    HRESULT ShowPropertyPages(HWND hwndParent);

protected:
    void* GetInterface(REFIID riid) override;
    void OnFinalRelease() override;

    // The control's persistent properties, for saving, loading and resetting to defaults.
    // COleControl's own exchanges the stock BackColor and Font.
    virtual void DoPropExchange(CPropExchange& px);
    // Resets every property to its default (InitNew); runs DoPropExchange in reset mode.
    virtual void OnResetState();
    virtual FONTDESC DefaultFontDescription() const;

    // Draws the control into dc within bounds (its window or a container's DC).
    virtual void OnDraw(HDC hdc, const RECT& bounds);

    // Window hooks. OnCreate returns -1 to refuse the window.
    virtual int OnCreate(CREATESTRUCT* pCreate);
    virtual void OnSize(UINT nType, int cx, int cy);
    virtual void OnSetFocus(HWND hOldFocus);
    virtual void OnDestroy();

    virtual void OnBackColorChanged();
    virtual void OnFontChanged();
    virtual void OnAmbientChanged(DISPID dispid);
    virtual void OnMnemonic(const MSG& msg);
    // Keyboard messages of the UI-active control come first to CWnd::PreTranslateMessage.

    virtual std::vector<CLSID> GetPropertyPageIds() const { return {}; }
    // IObjectSafety options the control supports for an interface (INTERFACESAFE_FOR_*).
    virtual DWORD SafetyOptionsSupported(REFIID riid) const;

    // The control's initial extent, in pixels of the screen.
    void SetInitialSize(int cx, int cy);
    // Makes the control a simple frame (a container of other controls): a site that answers
    // ISimpleFrameSite sees the window's messages before and after the control.
    void EnableSimpleFrame() { m_bSimpleFrame = true; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Stock property handlers for dispatch maps (DISP_STOCKPROP_BACKCOLOR / _FONT).
    HRESULT OnGetBackColor(CDispatchCall& call);
    HRESULT OnSetBackColor(CDispatchCall& call);
    HRESULT OnGetFont(CDispatchCall& call);
    HRESULT OnSetFont(CDispatchCall& call);

    DECLARE_MESSAGE_MAP()

private:
    HRESULT RunVerb(LONG iVerb, HWND hwndParent);
    HRESULT InPlaceActivate(bool bUIActivate);
    bool CreateControlWindow(HWND hParent, const RECT& rect);
    CPropertySet CollectProperties();
    HRESULT ApplyProperties(CPropertySet& set);
    void OnFontObjectChanged();

    LRESULT OnWmCreate(WPARAM wParam, LPARAM lParam);
    LRESULT OnWmSize(WPARAM wParam, LPARAM lParam);
    LRESULT OnWmSetFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnWmKillFocus(WPARAM wParam, LPARAM lParam);
    LRESULT OnWmMouseActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnWmDestroy(WPARAM wParam, LPARAM lParam);
    LRESULT OnWmPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnWmEraseBkgnd(WPARAM wParam, LPARAM lParam);

    const ControlClassInfo& m_info;
    CComPointer<IOleClientSite> m_pClientSite;
    CComPointer<IOleControlSite> m_pControlSite;
    CComPointer<IDispatch> m_pAmbient;
    CComPointer<ISimpleFrameSite> m_pSimpleFrameSite;
    CComPointer<IOleInPlaceSite> m_pInPlaceSite;
    CComPointer<IOleInPlaceFrame> m_pFrame;
    CComPointer<IOleInPlaceUIWindow> m_pDoc;
    CComPointer<IOleAdviseHolder> m_pOleAdviseHolder;
    CComPointer<IAdviseSink> m_pViewAdviseSink;
    DWORD m_dwViewAspects = 0;
    DWORD m_dwViewAdvf = 0;
    CConnectionPoint m_eventPoint;
    CConnectionPoint m_notifyPoint;

    bool m_bSimpleFrame = false;
    bool m_bInPlaceActive = false;
    bool m_bUIActive = false;
    bool m_bModified = false;
    bool m_bInitialized = false;
    int m_nFreezeEvents = 0;
    DWORD m_dwSafety = 0;
    SIZEL m_sizeExtent = {5080, 2540};   // HIMETRIC
    RECT m_rcPos = {0, 0, 0, 0};

    OLE_COLOR m_clrBack;
    CFontHolder m_font;
};

// Stock property entries for a derived control's dispatch map.
#define DISP_STOCKPROP_BACKCOLOR()                                                                   \
    { DISPID_BACKCOLOR, "BackColor", DISPATCH_PROPERTYGET, VT_I4, {}, DISP_HANDLER(OnGetBackColor) }, \
    { DISPID_BACKCOLOR, "BackColor", DISPATCH_PROPERTYPUT, VT_EMPTY, { VT_I4 }, DISP_HANDLER(OnSetBackColor) },
#define DISP_STOCKPROP_FONT()                                                                        \
    { DISPID_FONT, "Font", DISPATCH_PROPERTYGET, VT_DISPATCH, {}, DISP_HANDLER(OnGetFont) },          \
    { DISPID_FONT, "Font", DISPATCH_PROPERTYPUT, VT_EMPTY, { VT_DISPATCH }, DISP_HANDLER(OnSetFont) },
