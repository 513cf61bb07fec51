// Persistence through DoPropExchange where the control's own tests do not reach: every exchanged
// type through a stream, a storage and a property bag, and loads from truncated or corrupted
// streams that fail without touching the control.
#include "ComTestSupport.h"

#include "Bstr.h"
#include "ComObject.h"
#include "Text.h"

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

// Every persistent property as text, the font as the font object reports it.
std::string Describe(IDispatch* pControl)
{
    std::string text = GetProperty(pControl, L"Caption").ToString() + "|" + GetProperty(pControl, L"Count").ToString() + "|"
        + (GetProperty(pControl, L"Checked").ToBool() ? "1" : "0") + "|" + GetProperty(pControl, L"Small").ToString() + "|"
        + GetProperty(pControl, L"BackColor").ToString() + "|";
    CVariant font = GetProperty(pControl, L"Font");
    CComPointer<IFont> pFont;
    if (font.vt != VT_DISPATCH || FAILED(pFont.QueryFrom(font.pdispVal)))
        return text + "no font";
    CBstr name;
    CY size = {};
    BOOL bBold = FALSE, bItalic = FALSE;
    pFont->get_Name(name.Out());
    pFont->get_Size(&size);
    pFont->get_Bold(&bBold);
    pFont->get_Italic(&bItalic);
    return text + name.ToUtf8() + " " + std::to_string(size.int64) + (bBold ? " bold" : "") + (bItalic ? " italic" : "");
}

std::string Defaults()
{
    std::string name;
    LONGLONG size = 0;
    RealizedFont(L"MS Sans Serif", 80000, &name, &size);
    return "Test|7|1|-3|" + std::to_string(static_cast<long>(0x80000000 | COLOR_WINDOW)) + "|" + name + " " + std::to_string(size);
}

// A control with every persistent property away from its default.
CComPointer<IDispatch> ChangedControl()
{
    CComPointer<IDispatch> pControl = NewTestControl();
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

TEST(Persistence, StreamStorageAndBagKeepEveryValue)
{
    CComPointer<IDispatch> pSource = ChangedControl();
    const std::string changed = Describe(pSource);
    EXPECT_NE(changed, Defaults());
    EXPECT_EQ(changed.substr(0, changed.find('|', changed.find('|') + 1)), "Z\xC3\xBCrich \\ #1|-123456");

    const std::vector<uint8_t> bytes = SavedBytes(pSource);
    ULARGE_INTEGER sizeMax = {};
    ASSERT_EQ(As<IPersistStreamInit>(pSource)->GetSizeMax(&sizeMax), S_OK);
    EXPECT_GE(sizeMax.QuadPart, bytes.size());
    CComPointer<IDispatch> pFromStream = CreateTestControl();
    ASSERT_EQ(As<IPersistStreamInit>(pFromStream)->Load(StreamOf(bytes)), S_OK);
    EXPECT_EQ(Describe(pFromStream), changed);

    CComPointer<ILockBytes> pBytes;
    ASSERT_EQ(CreateILockBytesOnHGlobal(nullptr, TRUE, pBytes.Out()), S_OK);
    CComPointer<IStorage> pStorage;
    ASSERT_EQ(StgCreateDocfileOnILockBytes(pBytes, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, pStorage.Out()), S_OK);
    ASSERT_EQ(As<IPersistStorage>(pSource)->Save(pStorage, TRUE), S_OK);
    CComPointer<IDispatch> pFromStorage = CreateTestControl();
    ASSERT_EQ(As<IPersistStorage>(pFromStorage)->Load(pStorage), S_OK);
    EXPECT_EQ(Describe(pFromStorage), changed);

    CComPointer<CMemoryBag> pBag = NewComObject<CMemoryBag>();
    ASSERT_EQ(As<IPersistPropertyBag>(pSource)->Save(pBag, TRUE, TRUE), S_OK);
    const std::pair<const wchar_t*, VARTYPE> types[] = {{L"Caption", VT_BSTR}, {L"Count", VT_I4}, {L"Checked", VT_BOOL},
                                                        {L"Small", VT_I2}, {L"BackColor", VT_I4}, {L"Font", VT_DISPATCH}};
    for (const auto& type : types)
        EXPECT_EQ(pBag->m_values[type.first].vt, type.second) << WideToUtf8(type.first);
    EXPECT_GT(pBag->m_values[L"_ExtentX"].ToLong(), 0);
    CComPointer<IDispatch> pFromBag = CreateTestControl();
    ASSERT_EQ(As<IPersistPropertyBag>(pFromBag)->Load(pBag, nullptr), S_OK);
    EXPECT_EQ(Describe(pFromBag), changed);
    // The loaded font is the control's own, not the one in the bag.
    EXPECT_NE(GetProperty(pFromBag, L"Font").pdispVal, pBag->m_values[L"Font"].pdispVal);
}

TEST(Persistence, ControlsShareAContainerStream)
{
    CComPointer<IDispatch> pFirst = ChangedControl();
    CComPointer<IDispatch> pSecond = NewTestControl();
    PutProperty(pSecond, L"Caption", CVariant("second"));
    CComPointer<IStream> pStream = StreamOf({});
    ASSERT_EQ(As<IPersistStream>(pFirst)->Save(pStream, TRUE), S_OK);
    ASSERT_EQ(As<IPersistStream>(pSecond)->Save(pStream, TRUE), S_OK);
    LARGE_INTEGER zero = {};
    pStream->Seek(zero, STREAM_SEEK_SET, nullptr);
    CComPointer<IDispatch> pFirstBack = CreateTestControl();
    CComPointer<IDispatch> pSecondBack = CreateTestControl();
    ASSERT_EQ(As<IPersistStream>(pFirstBack)->Load(pStream), S_OK);
    ASSERT_EQ(As<IPersistStream>(pSecondBack)->Load(pStream), S_OK);
    EXPECT_EQ(Describe(pFirstBack), Describe(pFirst));
    EXPECT_EQ(Describe(pSecondBack), Describe(pSecond));
}

TEST(Persistence, MissingOrUnconvertibleBagValuesLoadAsDefaults)
{
    CComPointer<CMemoryBag> pBag = NewComObject<CMemoryBag>();
    pBag->m_values[L"Count"] = CVariant("99");
    pBag->m_values[L"Small"] = CVariant("not a number");
    CComPointer<IDispatch> pControl = ChangedControl();
    ASSERT_EQ(As<IPersistPropertyBag>(pControl)->Load(pBag, nullptr), S_OK);
    std::string expected = Defaults();
    expected.replace(expected.find("|7|"), 3, "|99|");
    EXPECT_EQ(Describe(pControl), expected);
}
