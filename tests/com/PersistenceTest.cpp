// Persistence through DoPropExchange: defaults from InitNew, round trips through a stream, a
// property bag and a storage, and loads from truncated or corrupted streams that fail without
// touching the control.
#include "ComTestSupport.h"

#include "Bstr.h"
#include "ComObject.h"
#include "ComTest_h.h"

#include <gtest/gtest.h>
#include <olectl.h>

#include <map>

namespace {

// A property bag as a container keeps one: values by name, converted to the type asked for.
class CMemoryBag : public IPropertyBag, public CComObject {
public:
    DECLARE_IUNKNOWN()
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* pVar, IErrorLog*) override
    {
        auto it = m_values.find(name);
        if (it == m_values.end())
            return E_INVALIDARG;
        const VARTYPE vt = pVar->vt;
        VariantInit(pVar);
        return vt == VT_EMPTY ? VariantCopy(pVar, &it->second) : VariantChangeType(pVar, &it->second, 0, vt);
    }
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* pVar) override
    {
        m_values[name] = *pVar;
        return S_OK;
    }

    std::map<std::wstring, CVariant> m_values;

protected:
    void* GetInterface(REFIID riid) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyBag))
            return static_cast<IPropertyBag*>(this);
        return nullptr;
    }
};

// A client site whose container has ambient properties, and that counts save requests.
class CAmbientSite : public IOleClientSite, public IDispatch, public CComObject {
public:
    DECLARE_IUNKNOWN()
    STDMETHODIMP SaveObject() override
    {
        ++m_nSaves;
        return S_OK;
    }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer**) override { return E_NOINTERFACE; }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override
    {
        *pctinfo = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* pResult, EXCEPINFO*, UINT*) override
    {
        if (dispid == DISPID_AMBIENT_BACKCOLOR) {
            *pResult = CVariant(static_cast<long>(RGB(9, 8, 7)));
            return S_OK;
        }
        if (dispid == DISPID_AMBIENT_FONT) {
            CVariant(static_cast<IDispatch*>(m_pFont.Get())).Detach(pResult);
            return S_OK;
        }
        return DISP_E_MEMBERNOTFOUND;
    }

    CComPointer<IFontDisp> m_pFont;
    int m_nSaves = 0;

protected:
    void* GetInterface(REFIID riid) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
            return static_cast<IOleClientSite*>(this);
        if (IsEqualIID(riid, IID_IDispatch))
            return static_cast<IDispatch*>(this);
        return nullptr;
    }
};

struct Values {
    std::string caption;
    long count;
    bool checked;
    short small;
    long backColor;
    std::string fontName;
    LONGLONG fontSize;
    BOOL fontBold;
    BOOL fontItalic;
};

Values Read(IDispatch* pControl)
{
    Values v = {};
    v.caption = GetProperty(pControl, L"Caption").ToString();
    v.count = GetProperty(pControl, L"Count").ToLong();
    v.checked = GetProperty(pControl, L"Checked").ToBool();
    v.small = GetProperty(pControl, L"Small").ToShort();
    v.backColor = GetProperty(pControl, L"BackColor").ToLong();
    CVariant font = GetProperty(pControl, L"Font");
    CComPointer<IFont> pFont;
    if (font.vt == VT_DISPATCH && SUCCEEDED(pFont.QueryFrom(font.pdispVal))) {
        CBstr name;
        CY size = {};
        pFont->get_Name(name.Out());
        pFont->get_Size(&size);
        pFont->get_Bold(&v.fontBold);
        pFont->get_Italic(&v.fontItalic);
        v.fontName = name.ToUtf8();
        v.fontSize = size.int64;
    }
    return v;
}

void ExpectEqual(const Values& a, const Values& b)
{
    EXPECT_EQ(a.caption, b.caption);
    EXPECT_EQ(a.count, b.count);
    EXPECT_EQ(a.checked, b.checked);
    EXPECT_EQ(a.small, b.small);
    EXPECT_EQ(a.backColor, b.backColor);
    EXPECT_EQ(a.fontName, b.fontName);
    EXPECT_EQ(a.fontSize, b.fontSize);
    EXPECT_EQ(a.fontBold, b.fontBold);
    EXPECT_EQ(a.fontItalic, b.fontItalic);
}

Values Defaults()
{
    Values v = {"Test", 7, true, -3, static_cast<long>(0x80000000 | COLOR_WINDOW), "", 0, FALSE, FALSE};
    RealizedFont(L"MS Sans Serif", 80000, &v.fontName, &v.fontSize);
    return v;
}

template <class T>
CComPointer<T> As(IUnknown* p)
{
    CComPointer<T> q;
    q.QueryFrom(p);
    return q;
}

CComPointer<IDispatch> NewControl()
{
    CComPointer<IDispatch> pControl = CreateTestControl();
    if (pControl)
        As<IPersistStreamInit>(pControl)->InitNew();
    return pControl;
}

// A control with every persistent property away from its default.
CComPointer<IDispatch> ChangedControl()
{
    CComPointer<IDispatch> pControl = NewControl();
    PutProperty(pControl, L"Caption", CVariant("Z\xC3\xBCrich \\ #1"));
    PutProperty(pControl, L"Count", CVariant(-123456L));
    PutProperty(pControl, L"Checked", CVariant(false));
    PutProperty(pControl, L"Small", CVariant(short(300)));
    PutProperty(pControl, L"BackColor", CVariant(static_cast<long>(RGB(1, 2, 3))));
    CComPointer<IFont> pFont;
    FONTDESC desc = {sizeof(desc), const_cast<LPOLESTR>(L"Tahoma"), {{120000, 0}}, FW_BOLD, DEFAULT_CHARSET, TRUE, FALSE, FALSE};
    OleCreateFontIndirect(&desc, IID_IFont, reinterpret_cast<void**>(pFont.Out()));
    PutProperty(pControl, L"Font", CVariant(static_cast<IUnknown*>(pFont.Get())));
    return pControl;
}

std::vector<uint8_t> SavedBytes(IDispatch* pControl)
{
    CComPointer<IStream> pStream;
    CreateStreamOnHGlobal(nullptr, TRUE, pStream.Out());
    As<IPersistStreamInit>(pControl)->Save(pStream, TRUE);
    STATSTG stat = {};
    pStream->Stat(&stat, STATFLAG_NONAME);
    std::vector<uint8_t> bytes(static_cast<size_t>(stat.cbSize.QuadPart));
    LARGE_INTEGER zero = {};
    pStream->Seek(zero, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    pStream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    return bytes;
}

CComPointer<IStream> StreamOf(const std::vector<uint8_t>& bytes)
{
    CComPointer<IStream> pStream;
    CreateStreamOnHGlobal(nullptr, TRUE, pStream.Out());
    ULONG written = 0;
    if (!bytes.empty())
        pStream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    LARGE_INTEGER zero = {};
    pStream->Seek(zero, STREAM_SEEK_SET, nullptr);
    return pStream;
}

} // namespace

TEST(Persistence, InitNewGivesTheDefaults)
{
    CComPointer<IDispatch> pControl = NewControl();
    ASSERT_NE(pControl.Get(), nullptr);
    ExpectEqual(Read(pControl), Defaults());
    EXPECT_EQ(As<IPersistStreamInit>(pControl)->IsDirty(), S_FALSE);
    PutProperty(pControl, L"Count", CVariant(1L));
    EXPECT_EQ(As<IPersistStreamInit>(pControl)->IsDirty(), S_OK);
    As<IPersistStreamInit>(pControl)->InitNew();
    EXPECT_EQ(GetProperty(pControl, L"Count").ToLong(), 7);
}

TEST(Persistence, DefaultsFollowTheContainersAmbientProperties)
{
    CComPointer<CAmbientSite> pSite = NewComObject<CAmbientSite>();
    FONTDESC desc = {sizeof(desc), const_cast<LPOLESTR>(L"Tahoma"), {{140000, 0}}, FW_BOLD, DEFAULT_CHARSET, FALSE, FALSE, FALSE};
    ASSERT_EQ(OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(pSite->m_pFont.Out())), S_OK);
    CComPointer<IDispatch> pControl = CreateTestControl();
    ASSERT_NE(pControl.Get(), nullptr);
    ASSERT_EQ(As<IOleObject>(pControl)->SetClientSite(pSite), S_OK);
    ASSERT_EQ(As<IPersistStreamInit>(pControl)->InitNew(), S_OK);
    EXPECT_EQ(GetProperty(pControl, L"BackColor").ToLong(), static_cast<long>(RGB(9, 8, 7)));
    const Values values = Read(pControl);
    std::string name;
    LONGLONG size = 0;
    RealizedFont(L"Tahoma", 140000, &name, &size);
    EXPECT_EQ(values.fontSize, size);
    EXPECT_TRUE(values.fontBold);
    // A copy: the container's font stays as it is when the control's changes.
    CVariant font = GetProperty(pControl, L"Font");
    EXPECT_NE(font.pdispVal, static_cast<IDispatch*>(pSite->m_pFont.Get()));
    PutProperty(font.pdispVal, L"Bold", CVariant(false));
    EXPECT_TRUE(GetProperty(pSite->m_pFont, L"Bold").ToBool());

    // Closing a modified control asks the container to save it.
    ASSERT_EQ(As<IOleObject>(pControl)->Close(OLECLOSE_SAVEIFDIRTY), S_OK);
    EXPECT_EQ(pSite->m_nSaves, 1);
    As<IOleObject>(pControl)->SetClientSite(nullptr);
}

TEST(Persistence, StreamRoundTripKeepsEveryValue)
{
    CComPointer<IDispatch> pSource = ChangedControl();
    const Values changed = Read(pSource);
    EXPECT_GT(changed.fontSize, 110000);
    EXPECT_TRUE(changed.fontBold);
    EXPECT_EQ(As<IPersistStreamInit>(pSource)->IsDirty(), S_OK);
    const std::vector<uint8_t> bytes = SavedBytes(pSource);
    EXPECT_EQ(As<IPersistStreamInit>(pSource)->IsDirty(), S_FALSE);
    ULARGE_INTEGER sizeMax = {};
    ASSERT_EQ(As<IPersistStreamInit>(pSource)->GetSizeMax(&sizeMax), S_OK);
    EXPECT_GE(sizeMax.QuadPart, bytes.size());

    CComPointer<IDispatch> pTarget = CreateTestControl();
    ASSERT_EQ(As<IPersistStreamInit>(pTarget)->Load(StreamOf(bytes)), S_OK);
    ExpectEqual(Read(pTarget), changed);
    EXPECT_EQ(As<IPersistStreamInit>(pTarget)->IsDirty(), S_FALSE);
}

TEST(Persistence, ControlsShareAContainerStream)
{
    CComPointer<IDispatch> pFirst = ChangedControl();
    CComPointer<IDispatch> pSecond = NewControl();
    PutProperty(pSecond, L"Caption", CVariant("second"));
    CComPointer<IStream> pStream;
    CreateStreamOnHGlobal(nullptr, TRUE, pStream.Out());
    ASSERT_EQ(As<IPersistStream>(pFirst)->Save(pStream, TRUE), S_OK);
    ASSERT_EQ(As<IPersistStream>(pSecond)->Save(pStream, TRUE), S_OK);
    LARGE_INTEGER zero = {};
    pStream->Seek(zero, STREAM_SEEK_SET, nullptr);
    CComPointer<IDispatch> pFirstBack = CreateTestControl();
    CComPointer<IDispatch> pSecondBack = CreateTestControl();
    ASSERT_EQ(As<IPersistStream>(pFirstBack)->Load(pStream), S_OK);
    ASSERT_EQ(As<IPersistStream>(pSecondBack)->Load(pStream), S_OK);
    ExpectEqual(Read(pFirstBack), Read(pFirst));
    EXPECT_EQ(GetProperty(pSecondBack, L"Caption").ToString(), "second");
}

TEST(Persistence, PropertyBagRoundTripKeepsEveryValue)
{
    CComPointer<IDispatch> pSource = ChangedControl();
    CComPointer<CMemoryBag> pBag = NewComObject<CMemoryBag>();
    ASSERT_EQ(As<IPersistPropertyBag>(pSource)->Save(pBag, TRUE, TRUE), S_OK);
    EXPECT_EQ(pBag->m_values[L"Caption"].vt, VT_BSTR);
    EXPECT_EQ(pBag->m_values[L"Count"].vt, VT_I4);
    EXPECT_EQ(pBag->m_values[L"Checked"].vt, VT_BOOL);
    EXPECT_EQ(pBag->m_values[L"Small"].vt, VT_I2);
    EXPECT_EQ(pBag->m_values[L"BackColor"].vt, VT_I4);
    EXPECT_EQ(pBag->m_values[L"Font"].vt, VT_DISPATCH);
    EXPECT_EQ(pBag->m_values[L"_Version"].ToLong(), 0x00010000);
    EXPECT_GT(pBag->m_values[L"_ExtentX"].ToLong(), 0);

    CComPointer<IDispatch> pTarget = CreateTestControl();
    ASSERT_EQ(As<IPersistPropertyBag>(pTarget)->Load(pBag, nullptr), S_OK);
    ExpectEqual(Read(pTarget), Read(pSource));
    // The loaded font is the control's own, not the one in the bag.
    EXPECT_NE(GetProperty(pTarget, L"Font").pdispVal, pBag->m_values[L"Font"].pdispVal);
}

TEST(Persistence, MissingBagValuesLoadAsDefaults)
{
    CComPointer<CMemoryBag> pBag = NewComObject<CMemoryBag>();
    pBag->m_values[L"Count"] = CVariant("99");
    pBag->m_values[L"Small"] = CVariant("not a number");
    CComPointer<IDispatch> pControl = ChangedControl();
    ASSERT_EQ(As<IPersistPropertyBag>(pControl)->Load(pBag, nullptr), S_OK);
    Values expected = Defaults();
    expected.count = 99;
    ExpectEqual(Read(pControl), expected);
}

TEST(Persistence, StorageRoundTripKeepsEveryValue)
{
    CComPointer<ILockBytes> pBytes;
    ASSERT_EQ(CreateILockBytesOnHGlobal(nullptr, TRUE, pBytes.Out()), S_OK);
    CComPointer<IStorage> pStorage;
    ASSERT_EQ(StgCreateDocfileOnILockBytes(pBytes, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, pStorage.Out()), S_OK);
    CComPointer<IDispatch> pSource = ChangedControl();
    ASSERT_EQ(As<IPersistStorage>(pSource)->Save(pStorage, TRUE), S_OK);
    CComPointer<IDispatch> pTarget = CreateTestControl();
    ASSERT_EQ(As<IPersistStorage>(pTarget)->Load(pStorage), S_OK);
    ExpectEqual(Read(pTarget), Read(pSource));
}

TEST(Persistence, TruncatedStreamsFailAndLeaveTheDefaults)
{
    const std::vector<uint8_t> bytes = SavedBytes(ChangedControl());
    ASSERT_GT(bytes.size(), 40u);
    for (size_t length = 0; length < bytes.size(); ++length) {
        CComPointer<IDispatch> pControl = CreateTestControl();
        const std::vector<uint8_t> part(bytes.begin(), bytes.begin() + length);
        EXPECT_TRUE(FAILED(As<IPersistStreamInit>(pControl)->Load(StreamOf(part)))) << length;
        ExpectEqual(Read(pControl), Defaults());
    }
}

TEST(Persistence, CorruptedStreamsFailAndLeaveTheControlAlone)
{
    const std::vector<uint8_t> bytes = SavedBytes(ChangedControl());
    CComPointer<IDispatch> pKept = NewControl();
    PutProperty(pKept, L"Caption", CVariant("kept"));
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::vector<uint8_t> damaged = bytes;
        damaged[i] ^= 0xA5;
        EXPECT_TRUE(FAILED(As<IPersistStreamInit>(pKept)->Load(StreamOf(damaged)))) << i;
        EXPECT_EQ(GetProperty(pKept, L"Caption").ToString(), "kept");
        EXPECT_EQ(GetProperty(pKept, L"Count").ToLong(), 7);
    }
    CComPointer<IDispatch> pFresh = CreateTestControl();
    EXPECT_TRUE(FAILED(As<IPersistStreamInit>(pFresh)->Load(StreamOf({'n', 'o', 'p', 'e', 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}))));
    ExpectEqual(Read(pFresh), Defaults());
}
