// BSTR, VARIANT and interface pointer ownership, and conversions that fall back.
#include "Bstr.h"
#include "ComPointer.h"
#include "Variant.h"

#include <gtest/gtest.h>
#include <olectl.h>

TEST(Bstr, CopiesAndMovesOwnership)
{
    CBstr a("abc");
    CBstr b(a);
    EXPECT_NE(a.Get(), b.Get());
    EXPECT_EQ(b.ToUtf8(), "abc");
    CBstr c(std::move(a));
    EXPECT_EQ(a.Get(), nullptr);
    EXPECT_EQ(c.ToUtf8(), "abc");
    *c.Out() = SysAllocString(L"xy");
    EXPECT_EQ(c.ToUtf8(), "xy");
    BSTR raw = c.Detach();
    EXPECT_TRUE(c.IsEmpty());
    SysFreeString(raw);
    EXPECT_EQ(CBstr::ToUtf8(nullptr), "");
}

TEST(Variant, ConvertsWithFallbacks)
{
    EXPECT_EQ(CVariant("42").ToLong(), 42);
    EXPECT_EQ(CVariant("4x").ToLong(-1), -1);
    EXPECT_EQ(CVariant(42L).ToString(), "42");
    EXPECT_TRUE(CVariant(1L).ToBool());
    EXPECT_EQ(CVariant(100000L).ToShort(9), 9);   // overflow
    CVariant v("17");
    EXPECT_EQ(v.ChangeType(VT_I2), S_OK);
    EXPECT_EQ(v.vt, VT_I2);
    EXPECT_EQ(v.iVal, 17);
    EXPECT_NE(v.ChangeType(VT_DISPATCH), S_OK);
    EXPECT_EQ(v.vt, VT_I2);
}

TEST(Variant, ReadsThroughReferences)
{
    BSTR text = SysAllocString(L"12");
    CVariant ref = CVariant::ByRef(&text);
    EXPECT_EQ(ref.vt, VT_BSTR | VT_BYREF);
    EXPECT_EQ(ref.ToLong(), 12);
    CVariant copy(ref);
    copy.Clear();           // a reference owns nothing
    EXPECT_EQ(CBstr::ToUtf8(text), "12");
    SysFreeString(text);
}

TEST(Variant, HoldsInterfaceReferences)
{
    CComPointer<IFont> pFont;
    FONTDESC desc = {sizeof(desc), const_cast<LPOLESTR>(L"Arial"), {{90000, 0}}, FW_NORMAL, DEFAULT_CHARSET, FALSE, FALSE, FALSE};
    ASSERT_EQ(OleCreateFontIndirect(&desc, IID_IFont, reinterpret_cast<void**>(pFont.Out())), S_OK);
    pFont->AddRef();
    const ULONG before = pFont->Release();
    {
        CVariant v(static_cast<IUnknown*>(pFont.Get()));
        CVariant copy = v;
        pFont->AddRef();
        EXPECT_EQ(pFont->Release(), before + 2);
    }
    pFont->AddRef();
    EXPECT_EQ(pFont->Release(), before);
    CComPointer<IFontDisp> pDisp;
    EXPECT_EQ(pDisp.QueryFrom(pFont), S_OK);
    EXPECT_NE(pDisp.Get(), nullptr);
}
