// Helpers of the control tests: the sample layout, the control made in the test's own process
// and hosted in place, a recording event sink, and test row kinds.
#pragma once
#include "AutomationObject.h"
#include "ControlSite.h"
#include "ComPointer.h"
#include "ComTestSupport.h"
#include "ControlsWnd.h"
#include "Variant.h"
#include "Wnd.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CPageListCtrl;
class CVelmoraCtrl;

extern const wchar_t kVelmoraProgId[];

// Three pages: "General" (Name, Colour, Visible, Size), "Extra" (Name, Path, Font, Code) and
// "Grouped" with a group row; "Name" is on two pages.
std::string SampleLayout();

// The long run (VELMORA_SOAK=full): every cycle and every pair, not the suite's share.
bool FullSoak();

// Our own containment site holding a control made in the test's process in place in hParent
// (Wine's AtlAxAttachControl does not activate it); the control goes out of place with it.
class CTestHost {
public:
    CTestHost(IUnknown* pControl, HWND hParent, const RECT& rect);
    ~CTestHost();
    CTestHost(const CTestHost&) = delete;
    CTestHost& operator=(const CTestHost&) = delete;

    HRESULT Result() const { return m_hr; }

private:
    CComPointer<IOleObject> m_pObject;
    IOleClientSite* m_pSite = nullptr;
    HRESULT m_hr = E_FAIL;
};

// A new control of the test's own process (CVelmoraCtrl linked in), initialised to defaults.
CComPointer<IDispatch> NewInProcessControl(CVelmoraCtrl** ppObject = nullptr);
HWND ControlWindow(IUnknown* pControl);   // null while it has no window
std::string CellText(HWND hList, int nRow, int nColumn); // of any list view window

// Runs action (which shows a modal message box or dialog) and answers the first dialog box of
// this thread: its caption and its texts, top to bottom, then presses OK.
struct DialogSeen {
    std::string strCaption;
    std::vector<std::string> texts;
    bool bHasIcon = false;
    bool bHasOk = false;
};
DialogSeen AnswerDialog(const std::function<void()>& action);
// Runs action (which opens the colour dialog) and answers the dialog from inside its modal loop:
// crColour typed into its fields, added to the custom colours when bAdd, then OK.
void AnswerColourDialog(const std::function<void()>& action, COLORREF crColour, bool bAdd);

// Calls by name or dispid; the result of a failed call is VT_EMPTY.
CVariant Invoke(IDispatch* pControl, const wchar_t* name, std::vector<CVariant> args = {});
CVariant Invoke(IDispatch* pControl, DISPID dispid, std::vector<CVariant> args = {});
CVariant Get(IDispatch* pControl, const wchar_t* name, std::vector<CVariant> indexes = {});
HRESULT Put(IDispatch* pControl, const wchar_t* name, const CVariant& value, std::vector<CVariant> indexes = {});

// The control saved into a stream, rewound for loading.
CComPointer<IStream> SavedStream(IUnknown* pControl);

// Whether the call answers a null BSTR (copies of the result would turn it into "").
bool AnswersNullString(IDispatch* pControl, DISPID dispid, WORD wFlags, std::vector<CVariant> args);

// Records the control's events as "Name a b ..."; answers LoadItems and SetObject. A host's
// handler may be attached: it runs inside the event, after the event is recorded.
class CRecordingSink : public CAutomationObject {
public:
    CRecordingSink();
    DECLARE_DISPATCH_MAP()

    std::vector<std::string> m_events;
    std::function<void(const std::string& strEvent)> m_onEvent;
    std::string m_strItems = "one\\two\\three";   // written into LoadItems' argument
    bool m_bAnswerItems = true;                    // false: LoadItems' argument is left alone
    CComPointer<IDispatch> m_pObject;              // written into SetObject's argument

    // Connects to the control's events; Disconnect ends it.
    HRESULT Connect(IUnknown* pControl);
    void Disconnect();

private:
    void Heard(const char* name, std::string strRecord);
    HRESULT OnTwoShorts(CDispatchCall& call, const char* name);
    HRESULT OnSelectItem(CDispatchCall& call) { return OnTwoShorts(call, "SelectItem"); }
    HRESULT OnSelectPage(CDispatchCall& call);
    HRESULT OnUnselectItem(CDispatchCall& call) { return OnTwoShorts(call, "UnselectItem"); }
    HRESULT OnPropertyChanging(CDispatchCall& call) { return OnTwoShorts(call, "PropertyChanging"); }
    HRESULT OnPropertyChanged(CDispatchCall& call);
    HRESULT OnButtonClick(CDispatchCall& call) { return OnTwoShorts(call, "ButtonClick"); }
    HRESULT OnLoadItems(CDispatchCall& call);
    HRESULT OnSetObject(CDispatchCall& call);
    HRESULT OnDelete(CDispatchCall& call) { return OnTwoShorts(call, "Delete"); }
    HRESULT OnCustomColorChange(CDispatchCall& call);

    CComPointer<IConnectionPoint> m_pPoint;
    DWORD m_dwCookie = 0;
};

// A control of the test's own process with the test row kinds, in place in a test frame, with
// the sample layout loaded.
class HostedSampleTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    CVariant Call(const wchar_t* name, std::vector<CVariant> args = {}) { return Invoke(m_pControl, name, std::move(args)); }
    static CVariant I2(int n) { return CVariant(static_cast<short>(n)); }
    CPageListCtrl* List(int nPage);
    std::string DefaultValue(int nPage, int nRow); // as GetDefaultValue hands it out

    HWND m_hFrame = nullptr;
    std::unique_ptr<CTestHost> m_pHost;
    CVelmoraCtrl* m_pObject = nullptr;
    CComPointer<IDispatch> m_pControl;
};

// The kinds of the control, with a test kind of the test's own process over one of them: "Edit"
// rows get a transient object whose value is "<column>:<text>" and which records SetValue.
void RegisterControlTestKinds();

class CTestEditKind : public CControlsWnd {
public:
    static std::vector<std::string>& Log();
    static int s_nLive;
    CTestEditKind() { ++s_nLive; }
    ~CTestEditKind() override { --s_nLive; }
    CVariant GetValue(long nColumn) override;
    void SetValue(const VARIANT& vValue, short nColumn) override;
    std::string GetClassName() const override { return "CControlsWnd_CEdit"; }
    CWnd* CreateEditor() override;
    // Places its editor over the cell once the host has heard of it, as editing kinds do.
    void ShowEditor(int nMode) override;

    CWnd m_editor;
};

