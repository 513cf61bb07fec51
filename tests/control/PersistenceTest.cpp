// Persistence of the registered control: defaults, stream and property bag round trips in their
// order, loading with missing properties, reset, and the control without a window.
#include "ControlTestSupport.h"

#include "Pump.h"
#include "Text.h"
#include "VelmoraCtrl.h"
#include "kvVelmora_h.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <memory>

namespace {

// A property bag in memory that remembers the order of the writes.
class CMemoryBag : public IPropertyBag, public CComObject {
public:
    DECLARE_IUNKNOWN()
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* pValue, IErrorLog*) override
    {
        const auto found = m_values.find(name);
        if (found == m_values.end())
            return E_INVALIDARG;
        return VariantCopy(pValue, &found->second);
    }
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* pValue) override
    {
        m_order.push_back(name);
        m_values[name] = CVariant(*pValue);
        return S_OK;
    }

    std::vector<std::wstring> m_order;
    std::map<std::wstring, CVariant> m_values;

protected:
    void* GetInterface(REFIID riid) override
    {
        return IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyBag) ? static_cast<IPropertyBag*>(this) : nullptr;
    }
};

CComPointer<IDispatch> NewRegisteredControl()
{
    CComPointer<IDispatch> pControl;
    CLSID clsid = {};
    if (SUCCEEDED(CLSIDFromProgID(kVelmoraProgId, &clsid)))
        pControl.CreateInstance(clsid);
    return pControl;
}

std::string FontText(IDispatch* pControl, const wchar_t* property)
{
    CVariant font = Get(pControl, property);
    if (font.vt != VT_DISPATCH || !font.pdispVal)
        return "no font";
    return GetProperty(font.pdispVal, L"Name").ToString() + " " + std::to_string(GetProperty(font.pdispVal, L"Size").ToDouble())
        + " " + std::to_string(GetProperty(font.pdispVal, L"Weight").ToLong()) + (GetProperty(font.pdispVal, L"Italic").ToBool() ? " italic" : "")
        + (GetProperty(font.pdispVal, L"Underline").ToBool() ? " underline" : "")
        + (GetProperty(font.pdispVal, L"Strikethrough").ToBool() ? " strike" : "") + " "
        + std::to_string(GetProperty(font.pdispVal, L"Charset").ToLong());
}

// Every persistent property as text, in a fixed order.
std::string Properties(IDispatch* pControl)
{
    std::string text;
    for (const wchar_t* name : {L"AsFloor", L"AutoResizingColumns", L"SignEnableDisable", L"ToolTips", L"FirstPageHasCaption",
                                L"ResizeFirstColumn", L"Animation"}) {
        CVariant value = Get(pControl, name);
        text += (value.vt == VT_BOOL ? (value.boolVal ? "1" : "0") : "?");
    }
    text += " [" + Get(pControl, L"PagesAndItems").ToString() + "]";
    text += " " + std::to_string(Get(pControl, L"BackColor").ToLong());
    text += " {" + FontText(pControl, L"ItemFont") + "}";
    return text;
}

void SetNonDefaults(IDispatch* pControl)
{
    for (const wchar_t* name : {L"AsFloor", L"AutoResizingColumns", L"SignEnableDisable", L"ToolTips", L"ResizeFirstColumn"})
        ASSERT_EQ(Put(pControl, name, CVariant(false)), S_OK);
    ASSERT_EQ(Put(pControl, L"FirstPageHasCaption", CVariant(true)), S_OK);
    ASSERT_EQ(Put(pControl, L"Animation", CVariant(true)), S_OK);
    ASSERT_EQ(Put(pControl, L"PagesAndItems", CVariant(SampleLayout())), S_OK);
    ASSERT_EQ(Put(pControl, L"BackColor", CVariant(static_cast<long>(RGB(1, 2, 3)))), S_OK);
    CVariant font = Get(pControl, L"ItemFont");
    ASSERT_EQ(PutProperty(font.pdispVal, L"Name", CVariant("Courier New")), S_OK);
    ASSERT_EQ(PutProperty(font.pdispVal, L"Italic", CVariant(true)), S_OK);
}

// A font as FontText describes it after the font mapper has chosen the face and rounded the size.
std::string RealizedFontText(const wchar_t* faceName, const char* styles = "")
{
    std::string strName;
    LONGLONG nSize = 0;
    RealizedFont(faceName, 80000, &strName, &nSize);
    return strName + " " + std::to_string(static_cast<double>(nSize) / 10000.0) + " 400" + styles + " 0";
}

std::string DefaultProperties()
{
    return "1111010 [] " + std::to_string(static_cast<long>(0x80000000UL | COLOR_APPWORKSPACE)) + " {"
        + RealizedFontText(L"MS Sans Serif") + "}";
}

} // namespace

// A registered control given its defaults through InitNew.
class Persistence : public testing::Test {
protected:
    void SetUp() override
    {
        m_pControl = NewRegisteredControl();
        ASSERT_EQ(m_pPersist.QueryFrom(m_pControl), S_OK);
        ASSERT_EQ(m_pPersist->InitNew(), S_OK);
    }

    CComPointer<IDispatch> m_pControl;
    CComPointer<IPersistStreamInit> m_pPersist;
};

TEST_F(Persistence, NewControlHasTheDefaultsOfTheTable)
{
    EXPECT_EQ(Properties(m_pControl), DefaultProperties());
    // No window, no floor control: Sleep reads 0 and a write is lost.
    EXPECT_EQ(Get(m_pControl, L"Sleep").vt, VT_I4);
    ASSERT_EQ(Put(m_pControl, L"Sleep", CVariant(30L)), S_OK);
    EXPECT_EQ(Get(m_pControl, L"Sleep").ToLong(), 0);
}

TEST_F(Persistence, StreamRoundTripKeepsEveryProperty)
{
    SetNonDefaults(m_pControl);
    const std::string saved = Properties(m_pControl);
    EXPECT_EQ(m_pPersist->IsDirty(), S_OK);
    CComPointer<IStream> pStream = SavedStream(m_pControl);
    ASSERT_NE(pStream.Get(), nullptr);
    EXPECT_EQ(m_pPersist->IsDirty(), S_FALSE);

    CComPointer<IDispatch> pTarget = NewRegisteredControl();
    CComPointer<IPersistStreamInit> pLoad;
    ASSERT_EQ(pLoad.QueryFrom(pTarget), S_OK);
    ASSERT_EQ(pLoad->Load(pStream), S_OK);
    EXPECT_EQ(Properties(pTarget), saved);
    EXPECT_EQ(saved, "0000101 [" + SampleLayout() + "] " + std::to_string(RGB(1, 2, 3)) + " {"
                         + RealizedFontText(L"Courier New", " italic") + "}");
}

TEST_F(Persistence, PropertyBagGetsThePropertiesInTheirOrder)
{
    SetNonDefaults(m_pControl);
    CComPointer<CMemoryBag> pBag = NewComObject<CMemoryBag>();
    CComPointer<IPersistPropertyBag> pPersist;
    ASSERT_EQ(pPersist.QueryFrom(m_pControl), S_OK);
    ASSERT_EQ(pPersist->Save(pBag, TRUE, TRUE), S_OK);
    const std::vector<std::wstring> expected = {L"_Version", L"BackColor", L"Font", L"AsFloor", L"PagesAndItems",
                                                L"AutoResizingColumns", L"SignEnableDisable", L"ToolTips",
                                                L"FirstPageHasCaption", L"ResizeFirstColumn", L"Animation", L"ItemFont"};
    ASSERT_GE(pBag->m_order.size(), expected.size());
    EXPECT_EQ(std::vector<std::wstring>(pBag->m_order.begin(), pBag->m_order.begin() + expected.size()), expected);
    EXPECT_EQ(pBag->m_values[L"_Version"].ToLong(), 0x10000);
    EXPECT_EQ(pBag->m_values[L"AsFloor"].vt, VT_BOOL);
    EXPECT_EQ(pBag->m_values.count(L"Sleep"), 0u);

    CComPointer<IDispatch> pTarget = NewRegisteredControl();
    CComPointer<IPersistPropertyBag> pLoad;
    ASSERT_EQ(pLoad.QueryFrom(pTarget), S_OK);
    ASSERT_EQ(pLoad->Load(pBag, nullptr), S_OK);
    EXPECT_EQ(Properties(pTarget), Properties(m_pControl));
}

TEST(PersistenceMissing, MissingPropertiesLoadAsDefaults)
{
    CComPointer<CMemoryBag> pBag = NewComObject<CMemoryBag>();
    pBag->m_values[L"ToolTips"] = CVariant(false);
    pBag->m_values[L"PagesAndItems"] = CVariant("x");
    CComPointer<IDispatch> pControl = NewRegisteredControl();
    CComPointer<IPersistPropertyBag> pLoad;
    ASSERT_EQ(pLoad.QueryFrom(pControl), S_OK);
    ASSERT_EQ(pLoad->Load(pBag, nullptr), S_OK);
    EXPECT_EQ(Properties(pControl).substr(0, 12), "1110010 [x] ");
    EXPECT_EQ(FontText(pControl, L"ItemFont"), RealizedFontText(L"MS Sans Serif"));
}

TEST_F(Persistence, ResetGivesTheDefaultsAgain)
{
    SetNonDefaults(m_pControl);
    ASSERT_EQ(m_pPersist->InitNew(), S_OK);
    EXPECT_EQ(Properties(m_pControl), DefaultProperties());
    EXPECT_EQ(m_pPersist->IsDirty(), S_FALSE);
}

TEST_F(Persistence, EveryPropertyChangeMarksTheControlModified)
{
    const std::vector<std::pair<const wchar_t*, CVariant>> changes = {
        {L"PagesAndItems", CVariant("a")}, {L"AutoResizingColumns", CVariant(true)}, {L"SignEnableDisable", CVariant(true)},
        {L"ToolTips", CVariant(true)}, {L"FirstPageHasCaption", CVariant(false)}, {L"AsFloor", CVariant(true)},
        {L"ResizeFirstColumn", CVariant(true)}, {L"Animation", CVariant(false)}, {L"Sleep", CVariant(1L)},
        {L"BackColor", CVariant(0L)}, {L"ItemFont", Get(m_pControl, L"ItemFont")}};
    for (const auto& change : changes) {
        ASSERT_NE(SavedStream(m_pControl).Get(), nullptr);
        ASSERT_EQ(m_pPersist->IsDirty(), S_FALSE);
        ASSERT_EQ(Put(m_pControl, change.first, change.second), S_OK);
        EXPECT_EQ(m_pPersist->IsDirty(), S_OK) << WideToUtf8(change.first);
    }
}

TEST_F(Persistence, LayoutStoredBeforeTheWindowAppearsWithIt)
{
    CComPointer<IDispatch> pControl = m_pControl;
    ASSERT_EQ(Put(pControl, L"PagesAndItems", CVariant(SampleLayout())), S_OK);
    EXPECT_EQ(Invoke(pControl, L"GetPagesCount").ToLong(), 0);

    const HWND hFrame = CreateTestFrame(420, 320);
    auto pHost = std::make_unique<CTestHost>(pControl, hFrame, RECT{0, 0, 400, 300});
    ASSERT_EQ(pHost->Result(), S_OK);
    PumpUntilIdle();
    EXPECT_EQ(Invoke(pControl, L"GetPagesCount").ToLong(), 3);
    EXPECT_EQ(Invoke(pControl, L"GetActivePage").ToShort(), 0);
    EXPECT_EQ(Invoke(pControl, L"GetPropertyName", {CVariant(short(2)), CVariant(short(0))}).ToString(), "Look");
    // Deactivated, the control loses its floor and answers as before; activated again, it
    // has the pages again.
    CComPointer<IOleInPlaceObject> pInPlace;
    ASSERT_EQ(pInPlace.QueryFrom(pControl), S_OK);
    ASSERT_EQ(pInPlace->InPlaceDeactivate(), S_OK);
    EXPECT_EQ(ControlWindow(pControl), nullptr);
    EXPECT_EQ(Invoke(pControl, L"GetPagesCount").ToLong(), 0);
    EXPECT_EQ(Invoke(pControl, L"GetPropertyName", {CVariant(short(2)), CVariant(short(1))}).ToString(), "");
    CComPointer<IOleObject> pObject;
    ASSERT_EQ(pObject.QueryFrom(pControl), S_OK);
    CComPointer<IOleClientSite> pSite;
    ASSERT_EQ(pObject->GetClientSite(pSite.Out()), S_OK);
    RECT rect = {0, 0, 400, 300};
    ASSERT_EQ(pObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, pSite, 0, hFrame, &rect), S_OK);
    PumpUntilIdle();
    EXPECT_EQ(Invoke(pControl, L"GetPagesCount").ToLong(), 3);
    EXPECT_EQ(Invoke(pControl, L"GetPropertyCount", {CVariant(short(1))}).ToShort(), 4);
    pSite.Reset();
    pObject.Reset();
    pInPlace.Reset();
    pHost.reset();
    pControl.Reset();
    m_pPersist.Reset();
    m_pControl.Reset();
    DestroyWindow(hFrame);
    PumpUntilIdle();
}
