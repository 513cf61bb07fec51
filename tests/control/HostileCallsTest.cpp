// Every member of the registered control's dispatch interface, as its type information lists it
// (a new member joins by itself), called with hostile arguments: too few and too many, empty,
// null and missing values, the 16- and 32-bit limits, strings that are null, empty, 1 MB long or
// hold NULs, separators or characters beyond the BMP, objects, arrays, dates, NaN and
// references of the wrong type; on a fresh control, a loaded one, one without a window and one
// whose host's window is gone. Each call must answer as the member specifies or with a DISP_E
// error of IDispatch itself, within a bound, and the control must stay usable.
#include "ControlTestSupport.h"

#include "Bstr.h"
#include "Pump.h"

#include <olectl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <mutex>
#include <set>
#include <thread>

namespace {

struct Member {
    std::string strName;
    DISPID dispid = DISPID_UNKNOWN;
    WORD wFlags = DISPATCH_METHOD;
    std::vector<VARTYPE> params;   // VT_BYREF marks an out argument
    VARTYPE vtResult = VT_EMPTY;   // VT_EMPTY: no result
};

// The automation type of a type description: interfaces as VT_DISPATCH, aliases resolved.
VARTYPE TypeOf(ITypeInfo* pInfo, const TYPEDESC& desc)
{
    if (desc.vt == VT_PTR) {
        const VARTYPE vtTarget = TypeOf(pInfo, *desc.lptdesc);
        return vtTarget == VT_DISPATCH || vtTarget == VT_UNKNOWN ? vtTarget : VARTYPE(vtTarget | VT_BYREF);
    }
    if (desc.vt != VT_USERDEFINED)
        return desc.vt;
    CComPointer<ITypeInfo> pRef;
    TYPEATTR* pAttr = nullptr;
    if (FAILED(pInfo->GetRefTypeInfo(desc.hreftype, pRef.Out())) || FAILED(pRef->GetTypeAttr(&pAttr)))
        return VT_ERROR;
    const VARTYPE vt = pAttr->typekind == TKIND_ALIAS ? TypeOf(pRef, pAttr->tdescAlias) : VARTYPE(VT_DISPATCH);
    pRef->ReleaseTypeAttr(pAttr);
    return vt;
}

std::string MemberName(ITypeInfo* pInfo, MEMBERID memid)
{
    CBstr name;
    pInfo->GetDocumentation(memid, name.Out(), nullptr, nullptr, nullptr);
    return name.ToUtf8();
}

// The control's dispatch interface from its class information.
CComPointer<ITypeInfo> DispatchTypeInfo(IUnknown* pControl)
{
    CComPointer<IProvideClassInfo> pProvide;
    CComPointer<ITypeInfo> pClass;
    TYPEATTR* pAttr = nullptr;
    if (FAILED(pProvide.QueryFrom(pControl)) || FAILED(pProvide->GetClassInfo(pClass.Out()))
        || FAILED(pClass->GetTypeAttr(&pAttr)))
        return {};
    CComPointer<ITypeInfo> pDispatch;
    for (UINT i = 0; i < pAttr->cImplTypes && !pDispatch; ++i) {
        INT flags = 0;
        HREFTYPE ref = 0;
        if (SUCCEEDED(pClass->GetImplTypeFlags(i, &flags)) && (flags & IMPLTYPEFLAG_FDEFAULT) && !(flags & IMPLTYPEFLAG_FSOURCE)
            && SUCCEEDED(pClass->GetRefTypeOfImplType(i, &ref)))
            pClass->GetRefTypeInfo(ref, pDispatch.Out());
    }
    pClass->ReleaseTypeAttr(pAttr);
    return pDispatch;
}

std::vector<Member> MembersOf(ITypeInfo* pInfo)
{
    std::vector<Member> members;
    TYPEATTR* pAttr = nullptr;
    if (FAILED(pInfo->GetTypeAttr(&pAttr)))
        return members;
    for (UINT i = 0; i < pAttr->cVars; ++i) {
        VARDESC* pVar = nullptr;
        if (FAILED(pInfo->GetVarDesc(i, &pVar)))
            continue;
        const VARTYPE vt = TypeOf(pInfo, pVar->elemdescVar.tdesc);
        const std::string strName = MemberName(pInfo, pVar->memid);
        members.push_back({strName, pVar->memid, DISPATCH_PROPERTYGET, {}, vt});
        if (!(pVar->wVarFlags & VARFLAG_FREADONLY))
            members.push_back({strName, pVar->memid, DISPATCH_PROPERTYPUT, {vt}, VT_EMPTY});
        pInfo->ReleaseVarDesc(pVar);
    }
    for (UINT i = 0; i < pAttr->cFuncs; ++i) {
        FUNCDESC* pFunc = nullptr;
        if (FAILED(pInfo->GetFuncDesc(i, &pFunc)))
            continue;
        if (!(pFunc->wFuncFlags & FUNCFLAG_FRESTRICTED)) {
            Member member{MemberName(pInfo, pFunc->memid), pFunc->memid, static_cast<WORD>(pFunc->invkind), {}, VT_EMPTY};
            for (SHORT p = 0; p < pFunc->cParams; ++p)
                member.params.push_back(TypeOf(pInfo, pFunc->lprgelemdescParam[p].tdesc));
            const VARTYPE vtResult = TypeOf(pInfo, pFunc->elemdescFunc.tdesc);
            member.vtResult = vtResult == VT_VOID || vtResult == VT_HRESULT ? VARTYPE(VT_EMPTY) : vtResult;
            members.push_back(member);
        }
        pInfo->ReleaseFuncDesc(pFunc);
    }
    pInfo->ReleaseTypeAttr(pAttr);
    return members;
}

// Storage that by-reference arguments point into, for the length of one call.
struct Storage {
    short nShort = 0;
    long nLong = 0;
    BSTR bstr = nullptr;
    IDispatch* pDispatch = nullptr;
    CVariant variant;
    ~Storage()
    {
        SysFreeString(bstr);
        if (pDispatch)
            pDispatch->Release();
    }
};

// What a hostile caller passes; made afresh for each call.
struct Hostile {
    const char* label;
    void (*make)(CVariant& value, Storage& storage);
};

CVariant Bstr(const wchar_t* text, UINT nLength)
{
    CVariant value;
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocStringLen(text, nLength);
    return value;
}

const std::wstring& Megabyte()
{
    static const std::wstring text(1 << 20, L'm');
    return text;
}

CComPointer<IDispatch> NotAFont()
{
    return CComPointer<IDispatch>(static_cast<IDispatch*>(NewComObject<CRecordingSink>().Get()));
}

CComPointer<IDispatch> AFont()
{
    FONTDESC desc = {sizeof(FONTDESC), const_cast<LPOLESTR>(L"Arial"), {100000, 0}, FW_BOLD, ANSI_CHARSET, FALSE, FALSE, FALSE};
    CComPointer<IDispatch> pFont;
    OleCreateFontIndirect(&desc, IID_IDispatch, reinterpret_cast<void**>(pFont.Out()));
    return pFont;
}

CVariant Array(VARTYPE vt, LONG nCount)
{
    CVariant value;
    value.vt = VT_ARRAY | vt;
    value.parray = SafeArrayCreateVector(vt, 0, static_cast<ULONG>(nCount));
    return value;
}

CVariant Scalar(VARTYPE vt, LONGLONG n)
{
    CVariant value;
    value.vt = vt;
    value.llVal = n;
    return value;
}

const Hostile kHostile[] = {
    {"empty", [](CVariant& v, Storage&) { v.Clear(); }},
    {"null", [](CVariant& v, Storage&) { v = Scalar(VT_NULL, 0); }},
    {"missing", [](CVariant& v, Storage&) { v = Scalar(VT_ERROR, 0); v.scode = DISP_E_PARAMNOTFOUND; }},
    {"I2 0", [](CVariant& v, Storage&) { v = CVariant(short(0)); }},
    {"I2 1", [](CVariant& v, Storage&) { v = CVariant(short(1)); }},
    {"I2 -1", [](CVariant& v, Storage&) { v = CVariant(short(-1)); }},
    {"I2 max", [](CVariant& v, Storage&) { v = CVariant(short(SHRT_MAX)); }},
    {"I2 min", [](CVariant& v, Storage&) { v = CVariant(short(SHRT_MIN)); }},
    {"I4 65535", [](CVariant& v, Storage&) { v = CVariant(65535L); }},
    {"I4 65536", [](CVariant& v, Storage&) { v = CVariant(65536L); }},
    {"I4 max", [](CVariant& v, Storage&) { v = CVariant(long(LONG_MAX)); }},
    {"I4 min", [](CVariant& v, Storage&) { v = CVariant(long(LONG_MIN)); }},
    {"I4 -1", [](CVariant& v, Storage&) { v = CVariant(-1L); }},
    {"UI4 max", [](CVariant& v, Storage&) { v = Scalar(VT_UI4, 0xFFFFFFFF); }},
    {"I8 huge", [](CVariant& v, Storage&) { v = Scalar(VT_I8, LLONG_MAX); }},
    {"TRUE", [](CVariant& v, Storage&) { v = CVariant(true); }},
    {"NaN", [](CVariant& v, Storage&) { v = CVariant(std::numeric_limits<double>::quiet_NaN()); }},
    {"infinity", [](CVariant& v, Storage&) { v = CVariant(std::numeric_limits<double>::infinity()); }},
    {"R8 1e300", [](CVariant& v, Storage&) { v = CVariant(1e300); }},
    {"R8 -0.5", [](CVariant& v, Storage&) { v = CVariant(-0.5); }},
    {"date", [](CVariant& v, Storage&) { v = CVariant(45000.75); v.vt = VT_DATE; }},
    {"null string", [](CVariant& v, Storage&) { v = Scalar(VT_BSTR, 0); }},
    {"empty string", [](CVariant& v, Storage&) { v = Bstr(L"", 0); }},
    {"1 MB string", [](CVariant& v, Storage&) { v = Bstr(Megabyte().c_str(), static_cast<UINT>(Megabyte().size())); }},
    {"NUL inside", [](CVariant& v, Storage&) { v = Bstr(L"Na\0me", 5); }},
    {"#", [](CVariant& v, Storage&) { v = CVariant("#"); }},
    {"backslash", [](CVariant& v, Storage&) { v = CVariant("\\"); }},
    {"{", [](CVariant& v, Storage&) { v = CVariant("{"); }},
    {"}", [](CVariant& v, Storage&) { v = CVariant("}"); }},
    {"layout", [](CVariant& v, Storage&) { v = CVariant("P#{#a\\Edit\\Enable\\#}#{#}#}#"); }},
    {"page and name", [](CVariant& v, Storage&) { v = CVariant("General\\Name\\x"); }},
    {"number text", [](CVariant& v, Storage&) { v = CVariant("-1"); }},
    {"beyond BMP", [](CVariant& v, Storage&) { v = Bstr(L"\U0001F600\U00010348", 4); }},
    {"lone surrogate", [](CVariant& v, Storage&) { v = Bstr(L"a\xD800z", 3); }},
    {"object", [](CVariant& v, Storage&) { v = CVariant(NotAFont().Get()); }},
    {"font", [](CVariant& v, Storage&) { v = CVariant(AFont().Get()); }},
    {"null object", [](CVariant& v, Storage&) { v = CVariant(static_cast<IDispatch*>(nullptr)); }},
    {"unknown", [](CVariant& v, Storage&) { v = CVariant(static_cast<IUnknown*>(NotAFont().Get())); }},
    {"array", [](CVariant& v, Storage&) { v = Array(VT_I4, 3); }},
    {"empty array", [](CVariant& v, Storage&) { v = Array(VT_VARIANT, 0); }},
    {"ref I2", [](CVariant& v, Storage& s) { v = CVariant::ByRef(&s.nShort); }},
    {"ref I4", [](CVariant& v, Storage& s) { v = CVariant::ByRef(&s.nLong); }},
    {"ref BSTR", [](CVariant& v, Storage& s) { v = CVariant::ByRef(&s.bstr); }},
    {"ref object", [](CVariant& v, Storage& s) { v = CVariant::ByRef(&s.pDispatch); }},
    {"ref variant of text", [](CVariant& v, Storage& s) { s.variant = CVariant("x"); v = CVariant::ByRef(&s.variant); }},
    {"ref variant of empty", [](CVariant& v, Storage& s) { v = CVariant::ByRef(&s.variant); }},
    {"ref nowhere", [](CVariant& v, Storage&) { v = CVariant::ByRef(static_cast<short*>(nullptr)); }},
    {"ref R8 wrong", [](CVariant& v, Storage& s) { v = Scalar(VT_R8 | VT_BYREF, 0); v.byref = &s.variant.llVal; }},
};

// A plausible argument of the declared type, for the arguments not under attack.
CVariant Ordinary(VARTYPE vt, Storage& storage)
{
    switch (vt) {
    case VT_BSTR: return CVariant("Name");
    case VT_BSTR | VT_BYREF: return CVariant::ByRef(&storage.bstr);
    case VT_I2 | VT_BYREF: return CVariant::ByRef(&storage.nShort);
    case VT_I4 | VT_BYREF: return CVariant::ByRef(&storage.nLong);
    case VT_DISPATCH | VT_BYREF: return CVariant::ByRef(&storage.pDispatch);
    case VT_DISPATCH: return CVariant(AFont().Get());
    case VT_I1:
    case VT_BOOL: return CVariant(true);
    case VT_R4:
    case VT_R8: return CVariant(1.0);
    case VT_VARIANT: return CVariant("v");
    default: return CVariant(short(0));
    }
}

struct Answer {
    HRESULT hr = S_OK;
    CVariant result;
    SCODE scode = S_OK;
};

// Hangs end the run with the call that hung, rather than leave the whole suite waiting.
class CWatchdog {
public:
    static constexpr int kHangSeconds = 30;

    CWatchdog() : m_thread([this] { Watch(); }) {}
    ~CWatchdog()
    {
        m_bStop = true;
        m_thread.join();
    }
    void Begin(const std::string& strCall)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_strCall = strCall;
        m_start = std::chrono::steady_clock::now();
        m_bBusy = true;
    }
    void End() { m_bBusy = false; }

private:
    void Watch()
    {
        while (!m_bStop) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_bBusy && std::chrono::steady_clock::now() - m_start > std::chrono::seconds(kHangSeconds)) {
                std::fprintf(stderr, "hung for %d s: %s\n", kHangSeconds, m_strCall.c_str());
                std::fflush(stderr);
                std::_Exit(3);
            }
        }
    }

    std::mutex m_mutex;
    std::string m_strCall;
    std::chrono::steady_clock::time_point m_start;
    std::atomic<bool> m_bBusy{false};
    std::atomic<bool> m_bStop{false};
    std::thread m_thread;
};

// Answers every dialog box of this thread at once, counting them.
class CDialogAnswerer {
public:
    CDialogAnswerer()
    {
        s_nShown = 0;
        m_hHook = SetWindowsHookExW(WH_CBT, OnCbt, nullptr, GetCurrentThreadId());
    }
    ~CDialogAnswerer() { UnhookWindowsHookEx(m_hHook); }
    CDialogAnswerer(const CDialogAnswerer&) = delete;
    CDialogAnswerer& operator=(const CDialogAnswerer&) = delete;

    static int s_nShown;

private:
    static LRESULT CALLBACK OnCbt(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_ACTIVATE) {
            const HWND hWnd = reinterpret_cast<HWND>(wParam);
            wchar_t className[16] = {};
            GetClassNameW(hWnd, className, 16);
            if (lstrcmpW(className, L"#32770") == 0) {
                ++s_nShown;
                PostMessageW(hWnd, WM_COMMAND, IDOK, 0);
            }
        }
        return CallNextHookEx(nullptr, nCode, wParam, lParam);
    }

    HHOOK m_hHook = nullptr;
};
int CDialogAnswerer::s_nShown = 0;

std::string Describe(const Member& member, const std::string& strArgs)
{
    const char* kind = member.wFlags == DISPATCH_PROPERTYPUT ? "put " : member.wFlags == DISPATCH_PROPERTYGET ? "get " : "";
    return std::string(kind) + member.strName + "(" + strArgs + ")";
}

class HostileCalls : public testing::Test {
protected:
    // Calls that take longer than this count as a hang.
    static constexpr DWORD kLongestCallMs = 3000;
    // Members that show a modal box by design: AboutBox and the diagnostic Check.
    const std::set<std::string> kDialogMembers = {"AboutBox", "Check"};

    void SetUp() override
    {
        m_hFrame = CreateTestFrame(420, 320);
        CLSID clsid = {};
        ASSERT_EQ(CLSIDFromProgID(kVelmoraProgId, &clsid), S_OK);
        ASSERT_EQ(m_pControl.CreateInstance(clsid), S_OK);
        ASSERT_EQ(As<IPersistStreamInit>(m_pControl)->InitNew(), S_OK);
        CComPointer<ITypeInfo> pInfo = DispatchTypeInfo(m_pControl);
        ASSERT_TRUE(pInfo);
        m_members = MembersOf(pInfo);
        // The interface the control answers calls on is the one its class information names.
        CComPointer<ITypeInfo> pOwn;
        ASSERT_EQ(m_pControl->GetTypeInfo(0, LOCALE_USER_DEFAULT, pOwn.Out()), S_OK);
        TYPEATTR* pA = nullptr;
        TYPEATTR* pB = nullptr;
        ASSERT_EQ(pInfo->GetTypeAttr(&pA), S_OK);
        ASSERT_EQ(pOwn->GetTypeAttr(&pB), S_OK);
        EXPECT_TRUE(IsEqualGUID(pA->guid, pB->guid));
        pInfo->ReleaseTypeAttr(pA);
        pOwn->ReleaseTypeAttr(pB);
    }

    void TearDown() override
    {
        m_pHost.reset();
        m_pControl.Reset();
        DestroyWindow(m_hFrame);
        PumpUntilIdle();
    }

    void Host()
    {
        m_pHost = std::make_unique<CTestHost>(m_pControl, m_hFrame, RECT{0, 0, 400, 300});
        ASSERT_EQ(m_pHost->Result(), S_OK);
        PumpUntilIdle();
    }

    Answer Call(const Member& member, std::vector<CVariant> args, const std::string& strArgs)
    {
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPID putId = DISPID_PROPERTYPUT;
        const bool bPut = member.wFlags == DISPATCH_PROPERTYPUT;
        DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), bPut ? &putId : nullptr,
                             static_cast<UINT>(args.size()), bPut ? 1u : 0u};
        Answer answer;
        EXCEPINFO info = {};
        UINT nArgErr = 0;
        const std::string strCall = Describe(member, strArgs);
        const int nDialogs = CDialogAnswerer::s_nShown;
        m_watchdog.Begin(strCall);
        const ULONGLONG nStart = GetTickCount64();
        answer.hr = m_pControl->Invoke(member.dispid, IID_NULL, LOCALE_USER_DEFAULT, member.wFlags, &params,
                                       answer.result.Out(), &info, &nArgErr);
        const ULONGLONG nTook = GetTickCount64() - nStart;
        m_watchdog.End();
        ++m_nCalls;
        m_nRefused += FAILED(answer.hr) ? 1 : 0;
        answer.scode = info.scode;
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrHelpFile);
        EXPECT_LE(nTook, kLongestCallMs) << strCall;
        if (nTook > m_nSlowestMs) {
            m_nSlowestMs = nTook;
            m_strSlowest = strCall;
        }
        EXPECT_TRUE(CDialogAnswerer::s_nShown == nDialogs || kDialogMembers.count(member.strName)) << strCall << " showed a dialog";
        return answer;
    }

    // An answer with the arguments the member declares.
    void ExpectSpecified(const Member& member, const Answer& answer, const std::string& strArgs)
    {
        const std::string strCall = Describe(member, strArgs);
        if (answer.hr == DISP_E_EXCEPTION) {
            // Only the stock colour refuses a value, the way stock properties do.
            EXPECT_TRUE(member.dispid == DISPID_BACKCOLOR && member.wFlags == DISPATCH_PROPERTYPUT) << strCall;
            EXPECT_EQ(answer.scode, CTL_E_INVALIDPROPERTYVALUE) << strCall;
            return;
        }
        if (FAILED(answer.hr)) {
            EXPECT_EQ(HRESULT_FACILITY(answer.hr), FACILITY_DISPATCH) << strCall << " answered " << std::hex << answer.hr;
            return;
        }
        EXPECT_EQ(answer.hr, S_OK) << strCall;
        EXPECT_TRUE(ResultHasType(answer.result, member.vtResult)) << strCall << " gave type " << answer.result.vt;
    }

    static bool ResultHasType(const VARIANT& result, VARTYPE vtDeclared)
    {
        switch (vtDeclared) {
        case VT_VARIANT: return true;
        case VT_I1: return result.vt == VT_BOOL;   // exchanged as a Boolean
        case VT_UI4: return result.vt == VT_I4 || result.vt == VT_UI4;
        default: return result.vt == vtDeclared;
        }
    }

    void Sweep(const std::function<void()>& prepare)
    {
        CDialogAnswerer dialogs;
        for (const Member& member : m_members) {
            prepare();
            SweepArity(member);
            SweepValues(member);
            PumpUntilIdle();
        }
    }

    void SweepArity(const Member& member)
    {
        const size_t nDeclared = member.params.size();
        for (size_t nCount = 0; nCount <= nDeclared + 1; ++nCount) {
            if (nCount == nDeclared)
                continue;
            Storage storage;
            std::vector<CVariant> args;
            for (size_t i = 0; i < nCount; ++i)
                args.push_back(Ordinary(i < nDeclared ? member.params[i] : VARTYPE(VT_I2), storage));
            const std::string strArgs = std::to_string(nCount) + " of " + std::to_string(nDeclared) + " arguments";
            const Answer answer = Call(member, std::move(args), strArgs);
            EXPECT_TRUE(answer.hr == DISP_E_BADPARAMCOUNT || answer.hr == DISP_E_PARAMNOTFOUND)
                << Describe(member, strArgs) << " answered " << std::hex << answer.hr;
        }
    }

    // Each argument in turn attacked while the others are plausible, then all at once.
    void SweepValues(const Member& member)
    {
        const size_t nDeclared = member.params.size();
        for (const Hostile& hostile : kHostile) {
            for (size_t nAttacked = 0; nAttacked <= nDeclared; ++nAttacked) {
                if (nAttacked == nDeclared && nDeclared < 2)
                    break;   // "all at once" is the single case already made
                Storage storage;
                std::vector<CVariant> args;
                for (size_t i = 0; i < nDeclared; ++i) {
                    if (i == nAttacked || nAttacked == nDeclared) {
                        CVariant value;
                        hostile.make(value, storage);
                        args.push_back(std::move(value));
                    } else {
                        args.push_back(Ordinary(member.params[i], storage));
                    }
                }
                const std::string strArgs = nAttacked == nDeclared ? std::string("all ") + hostile.label
                                                                   : "#" + std::to_string(nAttacked) + " " + hostile.label;
                ExpectSpecified(member, Call(member, std::move(args), strArgs), strArgs);
            }
            if (nDeclared == 0)
                break;   // nothing to attack: the one call with no arguments is made
        }
    }

    // What a host does next still works.
    void ExpectUsable(bool bWindow)
    {
        ASSERT_EQ(Put(m_pControl, L"PagesAndItems", CVariant(SampleLayout())), S_OK);
        EXPECT_EQ(Get(m_pControl, L"PagesAndItems").ToString(), SampleLayout());
        if (!bWindow)
            return;
        PumpUntilIdle();
        ASSERT_EQ(Invoke(m_pControl, L"GetPagesCount").ToLong(), 3);
        EXPECT_TRUE(Invoke(m_pControl, L"SetDefaultValueByName", {CVariant("Extra\\Path"), CVariant("C:\\")}).ToBool());
        EXPECT_EQ(Invoke(m_pControl, L"GetValue", {CVariant(short(1)), CVariant(short(1)), CVariant(0L)}).ToString(), "C:\\");
        EXPECT_EQ(Invoke(m_pControl, L"GetPropertyCount", {CVariant(short(0))}).ToShort(), 4);
    }

    // The sample again, with every page change animated as slowly as a host can ask.
    void ResetToSample()
    {
        Put(m_pControl, L"PagesAndItems", CVariant(SampleLayout()));
        Put(m_pControl, L"Animation", CVariant(true));
        Put(m_pControl, L"Sleep", CVariant(long(LONG_MAX)));
    }

    HWND m_hFrame = nullptr;
    CComPointer<IDispatch> m_pControl;
    std::unique_ptr<CTestHost> m_pHost;
    std::vector<Member> m_members;
    CWatchdog m_watchdog;
    long m_nCalls = 0;
    long m_nRefused = 0;
    ULONGLONG m_nSlowestMs = 0;
    std::string m_strSlowest;
};

TEST_F(HostileCalls, EveryMemberIsListedWithItsArguments)
{
    // The sweep reaches the members through the type information alone: it must see them all.
    std::set<std::string> names;
    for (const Member& member : m_members)
        names.insert(member.strName);
    for (const char* name : {"PagesAndItems", "Sleep", "BackColor", "Font", "GetPagesCount", "InsertProperty", "GetPropertyIndex",
                             "GetDefaultValue", "SetValue", "ColumnWidth", "ColumnKeyByName", "AboutBox"})
        EXPECT_TRUE(names.count(name)) << name;
    const auto insert = std::find_if(m_members.begin(), m_members.end(), [](const Member& m) { return m.strName == "InsertProperty"; });
    ASSERT_NE(insert, m_members.end());
    EXPECT_EQ(insert->params, (std::vector<VARTYPE>{VT_I2, VT_I2, VT_BSTR, VT_BSTR, VT_I2}));
    const auto index = std::find_if(m_members.begin(), m_members.end(), [](const Member& m) { return m.strName == "GetPropertyIndex"; });
    ASSERT_NE(index, m_members.end());
    EXPECT_EQ(index->params, (std::vector<VARTYPE>{VT_BSTR, VT_I2 | VT_BYREF, VT_I2 | VT_BYREF}));
    EXPECT_GT(m_members.size(), 60u);
}

TEST_F(HostileCalls, NoSleepValueHoldsAPageChangeForLong)
{
    Host();
    ResetToSample();
    for (const long nSleep : {65535L, long(LONG_MAX)}) {
        ASSERT_EQ(Put(m_pControl, L"Sleep", CVariant(nSleep)), S_OK);
        ASSERT_EQ(Get(m_pControl, L"Sleep").ToLong(), nSleep);
        for (const short nPage : {short(1), short(2), short(0), short(2)}) {
            const ULONGLONG nStart = GetTickCount64();
            Invoke(m_pControl, L"ActivatePage", {CVariant(nPage)});
            EXPECT_LT(GetTickCount64() - nStart, 500u) << nSleep << " to page " << nPage;
            EXPECT_EQ(Invoke(m_pControl, L"GetActivePage").ToShort(), nPage);
        }
    }
}

TEST_F(HostileCalls, OnAFreshHostedControl)
{
    Host();
    Sweep([this] { Put(m_pControl, L"PagesAndItems", CVariant("")); });
    ExpectUsable(true);
    std::printf("[ sweep    ] %ld calls on a fresh control, %ld refused; slowest %lu ms: %s\n", m_nCalls, m_nRefused, static_cast<unsigned long>(m_nSlowestMs), m_strSlowest.c_str());
}

TEST_F(HostileCalls, OnALoadedControl)
{
    Host();
    Sweep([this] { ResetToSample(); });
    ExpectUsable(true);
    std::printf("[ sweep    ] %ld calls on a loaded control, %ld refused; slowest %lu ms: %s\n", m_nCalls, m_nRefused, static_cast<unsigned long>(m_nSlowestMs), m_strSlowest.c_str());
}

TEST_F(HostileCalls, OnAControlWithoutAWindow)
{
    Sweep([this] { ResetToSample(); });
    EXPECT_EQ(ControlWindow(m_pControl), nullptr);
    ExpectUsable(false);
    Host();
    ExpectUsable(true);
    std::printf("[ sweep    ] %ld calls on a control without a window, %ld refused; slowest %lu ms: %s\n", m_nCalls, m_nRefused, static_cast<unsigned long>(m_nSlowestMs), m_strSlowest.c_str());
}

TEST_F(HostileCalls, OnAControlWhoseHostWindowIsGone)
{
    Host();
    ResetToSample();
    // The form's window goes first, as when a host tears its window down before its objects.
    DestroyWindow(m_hFrame);
    PumpUntilIdle();
    Sweep([this] { ResetToSample(); });
    ExpectUsable(false);
    m_pHost.reset();
    m_hFrame = CreateTestFrame(420, 320);
    Host();
    ExpectUsable(true);
    std::printf("[ sweep    ] %ld calls on a control whose host window is gone, %ld refused; slowest %lu ms: %s\n", m_nCalls, m_nRefused, static_cast<unsigned long>(m_nSlowestMs), m_strSlowest.c_str());
}

} // namespace
