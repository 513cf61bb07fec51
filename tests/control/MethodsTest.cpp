// The automation methods on a control of the test's own process, hosted in place, with test
// row kinds: names and the name cache, rows and pages, values through
// the row objects, the list-editor settings, and hostile arguments.
#include "ControlTestSupport.h"

#include "Bstr.h"
#include "ControlsFactory.h"
#include "FloorPropertiesWnd.h"
#include "PageListCtrl.h"
#include "Pump.h"
#include "Text.h"
#include "VelmoraCtrl.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

// Found, page, row: what GetPropertyIndex answers.
using Position = std::tuple<bool, short, short>;

class Methods : public HostedSampleTest {
protected:
    Position Lookup(const std::string& name)
    {
        short nPage = 99, nRow = 99;
        CVariant found;
        EXPECT_EQ(CallMember(m_pControl, 31, DISPATCH_METHOD, {CVariant(name), CVariant::ByRef(&nPage), CVariant::ByRef(&nRow)}, &found), S_OK);
        return {found.ToBool(), nPage, nRow};
    }
    std::string Value(int nPage, int nRow)
    {
        CPageListCtrl* pList = List(nPage);
        return pList->GetItemText(nRow, pList->GetValueColumn());
    }
};

TEST_F(Methods, NamesFindTheFirstMatchInPageOrderThenRowOrderIgnoringCase)
{
    EXPECT_EQ(Lookup("Name"), (Position{true, 0, 0}));
    EXPECT_EQ(Lookup("FONT"), (Position{true, 1, 2}));
    EXPECT_EQ(Lookup("look"), (Position{true, 2, 0}));
    // The member of a collapsed group is no row of its page.
    EXPECT_EQ(Lookup("width"), (Position{false, -1, -1}));
    // A page part limits the search to the page with that caption.
    EXPECT_EQ(Lookup("Extra\\Name"), (Position{true, 1, 0}));
    EXPECT_EQ(Lookup("General\\Size\\ignored"), (Position{true, 0, 3}));
    EXPECT_EQ(Lookup("General\\Path"), (Position{false, 0, -1}));
    EXPECT_EQ(Lookup("Nowhere\\Name"), (Position{false, -1, -1}));
    // Nothing after the separator: no page part, the text before it is the property.
    EXPECT_EQ(Lookup("Size\\"), (Position{true, 0, 3}));
    EXPECT_EQ(Lookup("NoSuchProperty"), (Position{false, -1, -1}));
    EXPECT_EQ(Lookup(""), (Position{false, -1, -1}));
    EXPECT_EQ(Lookup("\\"), (Position{false, -1, -1}));
}

TEST_F(Methods, CacheAnswersUntilOneOfTheFourMethodsEmptiesIt)
{
    ASSERT_EQ(Lookup("Size"), (Position{true, 0, 3}));
    // Rows moved behind the control's back: the cache still answers the name as it was
    // asked; another spelling finds the row where it is now.
    ASSERT_TRUE(List(0)->DeleteRow(0));
    EXPECT_EQ(Lookup("Size"), (Position{true, 0, 3}));
    EXPECT_EQ(Lookup("SIZE"), (Position{true, 0, 2}));
    // AddPage keeps the cache.
    EXPECT_EQ(Call(L"AddPage", {CVariant("Fourth")}).ToShort(), 3);
    EXPECT_EQ(Lookup("Size"), (Position{true, 0, 3}));
    // InsertProperty empties it.
    EXPECT_EQ(Call(L"InsertProperty", {I2(1), I2(0), CVariant("Top"), CVariant("Edit"), I2(0)}).ToShort(), 0);
    EXPECT_EQ(Lookup("Size"), (Position{true, 0, 2}));
    // So do SetPropertyName, DeleteProperty and DeletePage.
    ASSERT_EQ(Lookup("Path"), (Position{true, 1, 2}));
    Call(L"SetPropertyName", {I2(1), I2(2), CVariant("Route")});
    EXPECT_EQ(Lookup("Path"), (Position{false, -1, -1}));
    EXPECT_EQ(Lookup("route"), (Position{true, 1, 2}));
    EXPECT_TRUE(Call(L"DeleteProperty", {I2(1), I2(0)}).ToBool());
    EXPECT_EQ(Lookup("route"), (Position{true, 1, 1}));
    EXPECT_TRUE(Call(L"DeletePage", {I2(0)}).ToBool());
    EXPECT_EQ(Lookup("route"), (Position{true, 0, 1}));
}

TEST_F(Methods, LookupsFollowRowsChangedBehindTheControl)
{
    ASSERT_EQ(Lookup("Name"), (Position{true, 0, 0}));
    // A row renamed by the page list itself: the name's old row no longer matches.
    List(0)->SetRowName(3, "Height");
    EXPECT_EQ(Lookup("size"), (Position{false, -1, -1}));
    EXPECT_EQ(Lookup("Height"), (Position{true, 0, 3}));
    // Rows added by the page list: the index is rebuilt.
    List(1)->InsertRow(2, "Depth", 0, "");
    EXPECT_EQ(Lookup("Depth"), (Position{true, 1, 2}));
    // Every name of a layout reloaded from PagesAndItems is looked up afresh.
    ASSERT_EQ(Put(m_pControl, L"PagesAndItems", CVariant("Only#{#Name\\Edit\\Enable\\#}#")), S_OK);
    PumpUntilIdle();
    ASSERT_EQ(Call(L"GetPagesCount").ToLong(), 1);
    EXPECT_EQ(Lookup("Name"), (Position{true, 0, 0}));
    EXPECT_EQ(Lookup("Height"), (Position{false, -1, -1}));
}

TEST_F(Methods, LookupsSeeRowsChangedThroughTheListWindows)
{
    ASSERT_EQ(Lookup("Name"), (Position{true, 0, 0}));
    // A host renames a row by talking to the list window itself; the new name is looked up
    // before the old one.
    const HWND hList = List(0)->GetSafeHwnd();
    wchar_t szHeight[] = L"Height";
    LVITEMW item = {};
    item.iSubItem = List(0)->GetNameColumn();
    item.pszText = szHeight;
    ASSERT_TRUE(SendMessageW(hList, LVM_SETITEMTEXTW, 3, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(Lookup("height"), (Position{true, 0, 3}));
    EXPECT_EQ(Lookup("size"), (Position{false, -1, -1}));
    // A row named like one of a later page, put in front by the page list: it is the first
    // match now, although the later page's row still has the name.
    ASSERT_EQ(List(0)->InsertRow(0, "Font", 0, ""), 0);
    EXPECT_EQ(Lookup("FONT"), (Position{true, 0, 0}));
    // Rows deleted through the window: the later page's row is the first match again.
    ASSERT_TRUE(SendMessageW(hList, LVM_DELETEITEM, 0, 0));
    EXPECT_EQ(Lookup("font"), (Position{true, 1, 2}));
}

// Every edit keeps the pages' name indices in step: after each of a long run of edits through
// the methods and the list windows, on pages holding the same names in several cases, each
// name is found where a scan of every row in page order, then row order, finds it first.
TEST_F(Methods, LookupsAfterEveryEditAnswerAsAScanOfEveryRow)
{
    const char* const pool[] = {"Alpha", "ALPHA", "beta", "Gamma", "delta", "BETA"};
    const int nPool = 6;
    std::string layout;
    for (int p = 0; p < 3; ++p) {
        layout += FormatText("Page %d#{#", p);
        for (int r = 0; r < 6; ++r)
            layout += std::string(pool[(p * 5 + r * 7) % nPool]) + "\\Edit\\Enable\\#";
        layout += "}#";
    }
    ASSERT_EQ(Put(m_pControl, L"PagesAndItems", CVariant(layout)), S_OK);
    auto scan = [&](const std::string& name) {
        for (short p = 0; p < 3; ++p) {
            const int nRows = Call(L"GetPropertyCount", {I2(p)}).ToLong();
            for (short r = 0; r < nRows; ++r) {
                if (FoldCase(Call(L"GetPropertyName", {I2(p), I2(r)}).ToString()) == FoldCase(name))
                    return Position{true, p, r};
            }
        }
        return Position{false, -1, -1};
    };
    unsigned nSeed = 12345;
    auto next = [&nSeed](int nBelow) {
        nSeed = nSeed * 1103515245u + 12345u;
        return static_cast<int>((nSeed >> 16) % static_cast<unsigned>(nBelow));
    };
    for (int step = 0; step < 300; ++step) {
        const short nPage = static_cast<short>(next(3));
        const int nRows = Call(L"GetPropertyCount", {I2(nPage)}).ToLong();
        const std::string name = pool[next(nPool)];
        const HWND hList = List(nPage)->GetSafeHwnd();
        switch (next(5)) {
        case 0:
            Call(L"InsertProperty", {I2(nPage), I2(next(nRows + 1)), CVariant(name), CVariant("Edit"), I2(0)});
            break;
        case 1:
            Call(L"DeleteProperty", {I2(nPage), I2(next(std::max(nRows, 1)))});
            break;
        case 2:
            Call(L"SetPropertyName", {I2(nPage), I2(next(std::max(nRows, 1))), CVariant(name)});
            break;
        case 3: {
            // Behind the control, through the list window; a lookup answers from the cache
            // until one of the four methods empties it (DeletePage of no page does).
            std::wstring wide = Utf8ToWide(name);
            LVITEMW item = {};
            item.iSubItem = List(nPage)->GetNameColumn();
            item.pszText = wide.data();
            SendMessageW(hList, LVM_SETITEMTEXTW, static_cast<WPARAM>(next(std::max(nRows, 1))), reinterpret_cast<LPARAM>(&item));
            Call(L"DeletePage", {I2(99)});
            break;
        }
        default:
            SendMessageW(hList, LVM_DELETEITEM, static_cast<WPARAM>(next(std::max(nRows, 1))), 0);
            Call(L"DeletePage", {I2(99)});
            break;
        }
        for (const char* pszName : pool)
            ASSERT_EQ(Lookup(pszName), scan(pszName)) << "step " << step << ", name " << pszName;
    }
}

TEST_F(Methods, ByNameMethods)
{
    EXPECT_TRUE(Call(L"SetDefaultValueByName", {CVariant("Extra\\Name"), CVariant("second")}).ToBool());
    EXPECT_EQ(Value(1, 0), "second");
    EXPECT_EQ(Call(L"GetDefaultValueByName", {CVariant("Extra\\Name")}).ToString(), "second");
    EXPECT_EQ(Call(L"GetDefaultValueByName", {CVariant("Name")}).ToString(), "");
    EXPECT_TRUE(AnswersNullString(m_pControl, 33, DISPATCH_METHOD, {CVariant("Nothing")}));
    EXPECT_FALSE(AnswersNullString(m_pControl, 33, DISPATCH_METHOD, {CVariant("Name")}));
    EXPECT_FALSE(Call(L"SetDefaultValueByName", {CVariant("Nothing"), CVariant("x")}).ToBool());

    EXPECT_TRUE(Call(L"SetActivePropertyByName", {CVariant("Path")}).ToBool());
    EXPECT_EQ(Call(L"GetActivePage").ToShort(), 1);
    short nPage = -5;
    CVariant row;
    ASSERT_EQ(CallMember(m_pControl, 34, DISPATCH_METHOD, {CVariant::ByRef(&nPage)}, &row), S_OK);
    EXPECT_EQ(nPage, 1);
    EXPECT_EQ(row.ToShort(), 1);
    EXPECT_FALSE(Call(L"SetActivePropertyByName", {CVariant("Nothing")}).ToBool());

    EXPECT_TRUE(Call(L"DeletePropertyByName", {CVariant("General\\Name")}).ToBool());
    EXPECT_EQ(Lookup("Name"), (Position{true, 1, 0}));
    EXPECT_FALSE(Call(L"DeletePropertyByName", {CVariant("Nothing")}).ToBool());

    EXPECT_EQ(Call(L"GetValueByName", {CVariant("Extra\\Name"), CVariant(3L)}).ToString(), "3:second");
    EXPECT_EQ(Call(L"GetValueByName", {CVariant("Nothing"), CVariant(3L)}).vt, VT_EMPTY);
}

TEST_F(Methods, InsertAndAddProperty)
{
    // An unregistered kind inserts nothing.
    EXPECT_EQ(Call(L"InsertProperty", {I2(0), I2(0), CVariant("X"), CVariant("NoKind"), I2(0)}).ToShort(), -1);
    EXPECT_EQ(Call(L"InsertProperty", {I2(0), I2(0), CVariant("X"), CVariant("edit"), I2(0)}).ToShort(), -1);
    EXPECT_EQ(Call(L"GetPropertyCount", {I2(0)}).ToShort(), 4);
    // Index -1 appends.
    EXPECT_EQ(Call(L"InsertProperty", {I2(0), I2(-1), CVariant("Last"), CVariant("Button"), I2(4)}).ToShort(), 4);
    EXPECT_EQ(Call(L"GetPropertyName", {I2(0), I2(4)}).ToString(), "Last");
    EXPECT_EQ(Call(L"GetPropertyAs", {I2(0), I2(4)}).ToString(), "Button");
    EXPECT_EQ(Call(L"GetPropertyType", {I2(0), I2(4)}).ToShort(), 4);
    EXPECT_EQ(Call(L"InsertProperty", {I2(0), I2(1), CVariant("Second"), CVariant("Edit"), I2(0)}).ToShort(), 1);
    EXPECT_EQ(Call(L"GetPropertyName", {I2(0), I2(2)}).ToString(), "Colour");

    // AddProperty: the page part names the page, else page 0; an existing name goes to the
    // page of its first row.
    // On the grouped page the property joins the group above the end, which is folded: it is
    // filed, and no row shows it.
    EXPECT_EQ(Call(L"AddProperty", {CVariant("Grouped\\Depth"), CVariant("Edit"), I2(0)}).ToShort(), -1);
    EXPECT_EQ(Call(L"GetPropertyCount", {I2(2)}).ToShort(), 1);
    EXPECT_EQ(Call(L"AddProperty", {CVariant("Nowhere\\Free"), CVariant("Edit"), I2(0)}).ToShort(), 6);
    EXPECT_EQ(Call(L"GetPropertyName", {I2(0), I2(6)}).ToString(), "Free");
    EXPECT_EQ(Call(L"AddProperty", {CVariant("Path"), CVariant("Edit"), I2(1)}).ToShort(), 4);
    EXPECT_EQ(Call(L"GetPropertyName", {I2(1), I2(4)}).ToString(), "Path");
    EXPECT_EQ(Call(L"AddProperty", {CVariant("Path"), CVariant("NoKind"), I2(1)}).ToShort(), -1);

    // SetPropertyType keeps the kind.
    Call(L"SetPropertyType", {I2(1), I2(4), I2(2)});
    EXPECT_EQ(Call(L"GetPropertyType", {I2(1), I2(4)}).ToShort(), 2);
    EXPECT_EQ(Call(L"GetPropertyAs", {I2(1), I2(4)}).ToString(), "Edit");
    EXPECT_EQ(HIWORD(List(1)->GetItemData(4)), 2);
}

namespace {

// A short page, then page "Long" with rows named R0, R1, ...: row 65,541 is row 5 modulo 65,536
// and row 40,000 a negative 16-bit number.
std::string LongPageLayout(int nRows)
{
    std::string text = "Short#{#A\\Edit\\Enable\\#}#Long#{#";
    for (int r = 0; r < nRows; ++r)
        text += "R" + std::to_string(r) + "\\Edit\\Enable\\#";
    return text + "}#";
}

} // namespace

TEST_F(Methods, RowsPastTheSixteenBitRangeAreReachedByNameAndNeverTakenForOthers)
{
    const int nRows = 65536 + 8;
    ASSERT_EQ(Put(m_pControl, L"PagesAndItems", CVariant(LongPageLayout(nRows))), S_OK);
    PumpUntilIdle();
    ASSERT_EQ(List(1)->GetItemCount(), nRows);
    EXPECT_EQ(Call(L"GetPropertyCount", {I2(1)}).ToShort(), 32767);

    // A 16-bit answer cannot name them: not found, whether looked up afresh or from the cache.
    for (int nTime = 0; nTime < 2; ++nTime) {
        EXPECT_EQ(Lookup("R65541"), (Position{false, -1, -1}));
        EXPECT_EQ(Lookup("Long\\R40000"), (Position{false, -1, -1}));
        EXPECT_EQ(Lookup("R32767"), (Position{true, 1, 32767}));
        EXPECT_EQ(Lookup("R5"), (Position{true, 1, 5}));
    }

    // The by-name methods act on the rows themselves.
    EXPECT_TRUE(Call(L"SetDefaultValueByName", {CVariant("R65541"), CVariant("far")}).ToBool());
    EXPECT_TRUE(Call(L"SetDefaultValueByName", {CVariant("Long\\R40000"), CVariant("middle")}).ToBool());
    EXPECT_EQ(Value(1, 65541), "far");
    EXPECT_EQ(Value(1, 40000), "middle");
    EXPECT_EQ(Value(1, 5), "");
    EXPECT_EQ(Call(L"GetDefaultValueByName", {CVariant("R65541")}).ToString(), "far");
    EXPECT_EQ(Call(L"GetDefaultValueByName", {CVariant("R5")}).ToString(), "");
    EXPECT_EQ(Call(L"GetValueByName", {CVariant("Long\\R40000"), CVariant(1L)}).ToString(), "1:middle");

    // Selected by name, it is no row to the 16-bit answer of GetActiveProperty either.
    EXPECT_TRUE(Call(L"SetActivePropertyByName", {CVariant("R65541")}).ToBool());
    EXPECT_EQ(List(1)->GetNextItem(-1, LVNI_SELECTED), 65541);
    short nPage = -5;
    CVariant row;
    ASSERT_EQ(CallMember(m_pControl, 34, DISPATCH_METHOD, {CVariant::ByRef(&nPage)}, &row), S_OK);
    EXPECT_EQ(nPage, 1);
    EXPECT_EQ(row.ToShort(), -1);

    EXPECT_TRUE(Call(L"DeletePropertyByName", {CVariant("R65541")}).ToBool());
    EXPECT_EQ(List(1)->GetItemText(65541, List(1)->GetNameColumn()), "R65542");
    EXPECT_EQ(Call(L"GetPropertyName", {I2(1), I2(5)}).ToString(), "R5");

    // Added to the page of a name found past the range: appended there, with no index to tell.
    EXPECT_EQ(Call(L"AddProperty", {CVariant("R65542"), CVariant("Edit"), I2(0)}).ToShort(), -1);
    ASSERT_EQ(List(1)->GetItemCount(), nRows);
    EXPECT_EQ(List(1)->GetItemText(nRows - 1, List(1)->GetNameColumn()), "R65542");
    EXPECT_EQ(List(0)->GetItemCount(), 1);
}

TEST_F(Methods, AddPropertyWithoutPagesGivesMinusOne)
{
    ASSERT_EQ(Put(m_pControl, L"PagesAndItems", CVariant("")), S_OK);
    EXPECT_EQ(Call(L"GetPagesCount").ToLong(), 0);
    EXPECT_EQ(Call(L"AddProperty", {CVariant("Name"), CVariant("Edit"), I2(0)}).ToShort(), -1);
    EXPECT_EQ(Call(L"AddPage", {CVariant("Made")}).ToShort(), 0);
    EXPECT_EQ(Call(L"AddProperty", {CVariant("Name"), CVariant("Edit"), I2(0)}).ToShort(), 0);
}

TEST_F(Methods, PagesAndRows)
{
    EXPECT_EQ(Call(L"GetPage", {CVariant("Extra")}).ToShort(), 1);
    EXPECT_EQ(Call(L"GetPage", {CVariant("None")}).ToShort(), -1);
    for (short p = 0; p < 3; ++p)
        EXPECT_EQ(Call(L"GetIDListCtrl", {I2(p)}).ToLong(), 1000 + p);
    EXPECT_TRUE(Call(L"IsProperty", {I2(2), I2(0)}).ToBool());
    EXPECT_FALSE(Call(L"IsProperty", {I2(2), I2(1)}).ToBool()) << "the group is collapsed";
    Call(L"ActivatePage", {I2(2)});
    EXPECT_EQ(Call(L"GetActivePage").ToShort(), 2);
    EXPECT_TRUE(Call(L"SetActiveProperty", {I2(0), I2(3)}).ToBool());
    EXPECT_EQ(Call(L"GetActivePage").ToShort(), 0);
    EXPECT_EQ(List(0)->GetNextItem(-1, LVNI_SELECTED), 3);
    Call(L"Init");

    BSTR value = nullptr;
    EXPECT_TRUE(Call(L"SetDefaultValue", {I2(0), I2(1), CVariant("Red")}).ToBool());
    ASSERT_EQ(CallMember(m_pControl, 27, DISPATCH_METHOD, {I2(0), I2(1), CVariant::ByRef(&value)}), S_OK);
    EXPECT_EQ(CBstr::ToUtf8(value), "Red");
    SysFreeString(value);

    // Deleting a page takes its rows and row objects with it; the front page stays in front.
    Call(L"ActivatePage", {I2(1)});
    EXPECT_TRUE(Call(L"DeletePage", {I2(0)}).ToBool());
    EXPECT_EQ(Call(L"GetActivePage").ToShort(), 0);
    EXPECT_EQ(Call(L"GetPagesCount").ToLong(), 2);
    EXPECT_EQ(Call(L"GetPageName", {I2(0)}).ToString(), "Extra");
    EXPECT_EQ(Call(L"GetIDListCtrl", {I2(0)}).ToLong(), 1001);
}

// Turns the BSTR cache off, so that freed strings reach the task allocator (and its spy) at
// once. No MinGW header declares it, and the import libraries list it undecorated: without
// arguments a stdcall function is called as any other.
extern "C" void SetOaNoCache();

namespace {

// Counts how often the task allocator frees one block: the next one allocated after Capture.
// A block allocated again at the same address is a new block and no longer counted.
class CFreeSpy : public IMallocSpy {
public:
    void Capture() { m_bCapture = true; m_pBlock = nullptr; m_nFrees = 0; }
    bool Captured() const { return m_pBlock != nullptr; }
    int Frees() const { return m_nFrees; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IMallocSpy)) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        *ppv = static_cast<IMallocSpy*>(this);
        return S_OK;
    }
    // Static: Wine may keep the spy registered until blocks allocated under it are freed.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP_(SIZE_T) PreAlloc(SIZE_T cbRequest) override { return cbRequest; }
    STDMETHODIMP_(void*) PostAlloc(void* pActual) override
    {
        if (m_bCapture)
            m_pBlock = pActual;
        else if (pActual == m_pBlock)
            m_pBlock = nullptr;
        m_bCapture = false;
        return pActual;
    }
    STDMETHODIMP_(void*) PreFree(void* pRequest, BOOL) override
    {
        if (pRequest && pRequest == m_pBlock)
            ++m_nFrees;
        return pRequest;
    }
    STDMETHODIMP_(void) PostFree(BOOL) override {}
    STDMETHODIMP_(SIZE_T) PreRealloc(void* pRequest, SIZE_T cbRequest, void** ppNewRequest, BOOL) override
    {
        *ppNewRequest = pRequest;
        return cbRequest;
    }
    STDMETHODIMP_(void*) PostRealloc(void* pActual, BOOL) override { return pActual; }
    STDMETHODIMP_(void*) PreGetSize(void* pRequest, BOOL) override { return pRequest; }
    STDMETHODIMP_(SIZE_T) PostGetSize(SIZE_T cbActual, BOOL) override { return cbActual; }
    STDMETHODIMP_(void*) PreDidAlloc(void* pRequest, BOOL) override { return pRequest; }
    STDMETHODIMP_(int) PostDidAlloc(void*, BOOL, int fActual) override { return fActual; }
    STDMETHODIMP_(void) PreHeapMinimize() override {}
    STDMETHODIMP_(void) PostHeapMinimize() override {}

private:
    bool m_bCapture = false;
    void* m_pBlock = nullptr;
    int m_nFrees = 0;
};

CFreeSpy g_freeSpy;

// A new string whose block the spy counts the frees of.
BSTR WatchedString(const wchar_t* text)
{
    g_freeSpy.Capture();
    BSTR bstr = SysAllocString(text);
    EXPECT_TRUE(g_freeSpy.Captured());
    return bstr;
}

} // namespace

TEST_F(Methods, StringHandedInByReferenceIsOverwrittenAndStaysTheCallers)
{
    SetOaNoCache();
    ASSERT_TRUE(Call(L"SetDefaultValue", {I2(0), I2(1), CVariant("Red")}).ToBool());
    ASSERT_EQ(CoRegisterMallocSpy(&g_freeSpy), S_OK);

    // As a typed reference: the value replaces the pointer, and the caller still owns (and
    // frees) the string it held.
    const BSTR previous = WatchedString(L"previous");
    BSTR value = previous;
    CVariant got;
    EXPECT_EQ(CallMember(m_pControl, 27, DISPATCH_METHOD, {I2(0), I2(1), CVariant::ByRef(&value)}, &got), S_OK);
    EXPECT_TRUE(got.ToBool());
    EXPECT_EQ(CBstr::ToUtf8(value), "Red");
    EXPECT_EQ(g_freeSpy.Frees(), 0);
    EXPECT_EQ(CBstr::ToUtf8(previous), "previous");
    SysFreeString(value);

    // No row: nothing is written.
    value = previous;
    EXPECT_EQ(CallMember(m_pControl, 27, DISPATCH_METHOD, {I2(0), I2(9), CVariant::ByRef(&value)}, &got), S_OK);
    EXPECT_FALSE(got.ToBool());
    EXPECT_EQ(value, previous);

    // As scripts pass a variable, a variant holding the string: the same.
    VARIANT variable;
    variable.vt = VT_BSTR;
    variable.bstrVal = previous;
    EXPECT_EQ(CallMember(m_pControl, 27, DISPATCH_METHOD, {I2(0), I2(1), CVariant::ByRef(&variable)}, &got), S_OK);
    EXPECT_TRUE(got.ToBool());
    ASSERT_EQ(variable.vt, VT_BSTR);
    EXPECT_EQ(CBstr::ToUtf8(variable.bstrVal), "Red");
    EXPECT_EQ(g_freeSpy.Frees(), 0);
    EXPECT_EQ(CBstr::ToUtf8(previous), "previous");
    VariantClear(&variable);
    SysFreeString(previous);

    CoRevokeMallocSpy();
}

namespace {

CControlsWndPtr NoObject()
{
    return nullptr;
}

} // namespace

TEST_F(Methods, ValuesGoThroughTheRowObjects)
{
    // The folder row stands for a kind that makes no object (the next test's set-up brings the
    // real kind back).
    RegisterControlsClass("CControlsWnd_CShellFolder", &NoObject);
    CTestEditKind::Log().clear();
    Call(L"SetDefaultValue", {I2(0), I2(3), CVariant("10")});
    // An "Edit" row has a (test) object: its value, asked with the column.
    CVariant value = Call(L"GetValue", {I2(0), I2(3), CVariant(2L)});
    EXPECT_EQ(value.vt, VT_BSTR);
    EXPECT_EQ(value.ToString(), "2:10");
    // A row whose kind has no object gives its value text.
    Call(L"SetDefaultValue", {I2(1), I2(1), CVariant("Blue")});
    EXPECT_EQ(Call(L"GetValue", {I2(1), I2(1), CVariant(0L)}).ToString(), "Blue");

    CallMember(m_pControl, 43, DISPATCH_METHOD, {I2(0), I2(3), CVariant(42L), I2(1)});
    ASSERT_EQ(CTestEditKind::Log().size(), 1u);
    EXPECT_EQ(CTestEditKind::Log()[0], "SetValue 3 42 1");
    EXPECT_EQ(Value(0, 3), "42");
    // No object, no row: nothing happens.
    CallMember(m_pControl, 43, DISPATCH_METHOD, {I2(1), I2(1), CVariant("Green"), I2(0)});
    CallMember(m_pControl, 43, DISPATCH_METHOD, {I2(-1), I2(0), CVariant("Green"), I2(0)});
    EXPECT_EQ(Value(1, 1), "Blue");
    EXPECT_EQ(CTestEditKind::Log().size(), 1u);
}

TEST_F(Methods, ListEditorSettingsWithoutAPersistentObjectGiveTheirDefaults)
{
    // An "Edit" row has only a transient object; row 9 does not exist.
    for (short nRow : {short(0), short(9)}) {
        const CVariant page = I2(0), row = I2(nRow);
        EXPECT_EQ(Get(m_pControl, L"ColumnKey", {page, row}).ToLong(), -1) << nRow;
        EXPECT_EQ(Get(m_pControl, L"ColumnWidth", {page, row, I2(0)}).ToLong(), -1) << nRow;
        EXPECT_TRUE(AnswersNullString(m_pControl, 50, DISPATCH_PROPERTYGET, {page, row, I2(0)})) << nRow;
        EXPECT_TRUE(AnswersNullString(m_pControl, 54, DISPATCH_PROPERTYGET, {page, row})) << nRow;
        EXPECT_FALSE(Get(m_pControl, L"ColumnHeader", {page, row}).ToBool()) << nRow;
        EXPECT_DOUBLE_EQ(Get(m_pControl, L"DropDownWidth", {page, row}).ToDouble(), -1.0) << nRow;
        EXPECT_EQ(Get(m_pControl, L"DropDownHeight", {page, row}).ToLong(), -1) << nRow;
        EXPECT_EQ(Put(m_pControl, L"ColumnKey", CVariant(1L), {page, row}), S_OK);
        EXPECT_EQ(Put(m_pControl, L"ColumnKeyByName", CVariant("Code"), {page, row}), S_OK);
    }
}

TEST_F(Methods, NComboObjectOfANComboBoxRow)
{
    CVariant object = Invoke(m_pControl, 45, {CVariant(1L), CVariant(3L)});
    ASSERT_EQ(object.vt, VT_DISPATCH);
    ASSERT_NE(object.pdispVal, nullptr);
    // It is the NCombo control's own interface: it answers that control's members.
    EXPECT_NE(DispIdOf(object.pdispVal, L"InsertColumn"), DISPID_UNKNOWN);
    EXPECT_EQ(DispIdOf(object.pdispVal, L"GetPropertyIndex"), DISPID_UNKNOWN);
    // Other kinds, other rows: null.
    for (long nRow : {0L, 9L, -1L}) {
        CVariant none = Invoke(m_pControl, 45, {CVariant(0L), CVariant(nRow)});
        EXPECT_EQ(none.vt, VT_DISPATCH);
        EXPECT_EQ(none.pdispVal, nullptr);
    }
    // Deleting the page deletes the row's registered object, and the control it hosts.
    CComPointer<IOleWindow> pWindow;
    ASSERT_EQ(pWindow.QueryFrom(object.pdispVal), S_OK);
    HWND hNCombo = nullptr;
    ASSERT_EQ(pWindow->GetWindow(&hNCombo), S_OK);
    EXPECT_TRUE(IsWindow(hNCombo));
    pWindow.Reset();
    object.Clear();
    EXPECT_TRUE(Call(L"DeletePage", {I2(1)}).ToBool());
    EXPECT_FALSE(IsWindow(hNCombo));
}

TEST_F(Methods, AboutBox)
{
    const DialogSeen seen = AnswerDialog([&] { Call(L"AboutBox"); });
    EXPECT_EQ(seen.strCaption, "About ZIRuvidavadeDer Control");
    EXPECT_EQ(seen.texts, std::vector<std::string>{"Properties Window ActiveX Control"});
    EXPECT_TRUE(seen.bHasIcon);
    EXPECT_TRUE(seen.bHasOk);
}

TEST_F(Methods, HostilePagesAndRowsGiveTheirNoRowResults)
{
    for (short nPage : {short(-1), short(3), short(32767), short(-32768)}) {
        EXPECT_EQ(Call(L"GetPageName", {I2(nPage)}).ToString(), "") << nPage;
        EXPECT_FALSE(Call(L"DeletePage", {I2(nPage)}).ToBool()) << nPage;
        EXPECT_EQ(Call(L"GetPropertyCount", {I2(nPage)}).ToShort(), 0) << nPage;
        EXPECT_EQ(Call(L"GetIDListCtrl", {I2(nPage)}).ToLong(), -1) << nPage;
        Call(L"ActivatePage", {I2(nPage)});
    }
    EXPECT_EQ(Call(L"GetPagesCount").ToLong(), 3);
    for (short nPage : {short(-1), short(0), short(3)}) {
        for (short nRow : {short(-1), short(4), short(32767)}) {
            const CVariant page = I2(nPage), row = I2(nRow);
            EXPECT_FALSE(Call(L"DeleteProperty", {page, row}).ToBool());
            EXPECT_EQ(Call(L"GetPropertyName", {page, row}).ToString(), "");
            EXPECT_EQ(Call(L"GetPropertyType", {page, row}).ToShort(), -1);
            Call(L"SetPropertyType", {page, row, I2(1)});
            EXPECT_EQ(Call(L"GetPropertyAs", {page, row}).ToString(), "");
            EXPECT_FALSE(Call(L"IsProperty", {page, row}).ToBool());
            BSTR value = nullptr;
            CVariant got;
            EXPECT_EQ(CallMember(m_pControl, 27, DISPATCH_METHOD, {page, row, CVariant::ByRef(&value)}, &got), S_OK);
            EXPECT_FALSE(got.ToBool());
            EXPECT_EQ(value, nullptr);
            EXPECT_FALSE(Call(L"SetDefaultValue", {page, row, CVariant("x")}).ToBool());
            Call(L"SetPropertyName", {page, row, CVariant("x")});
            EXPECT_FALSE(Call(L"SetActiveProperty", {page, row}).ToBool());
            Call(L"RefreshProperty", {page, row});
            EXPECT_EQ(Call(L"GetValue", {page, row, CVariant(0L)}).vt, VT_EMPTY);
            EXPECT_EQ(Call(L"InsertProperty", {page, I2(nRow == 4 ? 4 : 0), CVariant("New"), CVariant("Edit"), I2(0)}).ToShort(),
                      nPage == 0 ? (nRow == 4 ? 4 : 0) : -1);
            if (nPage == 0)
                Call(L"DeleteProperty", {page, I2(nRow == 4 ? 4 : 0)});
        }
    }
    EXPECT_EQ(Call(L"GetPropertyCount", {I2(0)}).ToShort(), 4);
    EXPECT_EQ(Call(L"GetPropertyName", {I2(0), I2(0)}).ToString(), "Name");
}

TEST_F(Methods, EmptyAndNullNames)
{
    BSTR nullName = nullptr;
    VARIANT bstrNull;
    bstrNull.vt = VT_BSTR;
    bstrNull.bstrVal = nullName;
    for (const CVariant& name : {CVariant(""), CVariant(bstrNull), CVariant("\\\\")}) {
        short nPage = 7, nRow = 7;
        CVariant found;
        ASSERT_EQ(CallMember(m_pControl, 31, DISPATCH_METHOD, {name, CVariant::ByRef(&nPage), CVariant::ByRef(&nRow)}, &found), S_OK);
        EXPECT_FALSE(found.ToBool());
        EXPECT_EQ(nPage, -1);
        EXPECT_EQ(nRow, -1);
        EXPECT_FALSE(Invoke(m_pControl, 32, {name, CVariant("x")}).ToBool());
        EXPECT_TRUE(AnswersNullString(m_pControl, 33, DISPATCH_METHOD, {name}));
        EXPECT_FALSE(Invoke(m_pControl, 36, {name}).ToBool());
        EXPECT_FALSE(Invoke(m_pControl, 37, {name}).ToBool());
        EXPECT_EQ(Invoke(m_pControl, 42, {name, CVariant(0L)}).vt, VT_EMPTY);
        EXPECT_EQ(Invoke(m_pControl, 15, {name}).ToShort(), -1);
        EXPECT_EQ(Invoke(m_pControl, 38, {name, CVariant("Edit"), I2(0)}).ToShort(), 4);
        Invoke(m_pControl, 18, {I2(0), I2(4)});
    }
    // A page made with an empty name is still a page.
    EXPECT_EQ(Invoke(m_pControl, 12, {CVariant("")}).ToShort(), 3);
}

TEST_F(Methods, WrongVariantTypesAreRefusedWithoutHarm)
{
    UINT nArgErr = 99;
    EXPECT_EQ(CallMember(m_pControl, 19, DISPATCH_METHOD, {CVariant("zero"), I2(0)}, nullptr, &nArgErr), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(nArgErr, 1u);
    // Out of the 16-bit range.
    EXPECT_EQ(CallMember(m_pControl, 19, DISPATCH_METHOD, {CVariant(70000L), I2(0)}), DISP_E_TYPEMISMATCH);
    // Numbers as text and text as numbers convert where automation converts them.
    EXPECT_EQ(Invoke(m_pControl, 19, {CVariant("1"), CVariant(2.0)}).ToString(), "Font");
    EXPECT_EQ(Invoke(m_pControl, 15, {CVariant(5L)}).ToShort(), -1);
    EXPECT_EQ(Invoke(m_pControl, L"GetPagesCount").ToLong(), 3);
}

TEST_F(Methods, LoadingPropertiesIntoAnActiveControlRunsTheChangeActions)
{
    ASSERT_EQ(Lookup("Path"), (Position{true, 1, 1}));
    // Properties saved by another control: one page, not as a floor.
    CComPointer<IDispatch> pOther = NewInProcessControl();
    ASSERT_EQ(Put(pOther, L"PagesAndItems", CVariant("Single#{#Path\\Edit\\Enable\\#}#")), S_OK);
    ASSERT_EQ(Put(pOther, L"AsFloor", CVariant(false)), S_OK);
    ASSERT_EQ(Put(pOther, L"SignEnableDisable", CVariant(false)), S_OK);
    CComPointer<IPersistStreamInit> pLoad;
    ASSERT_EQ(pLoad.QueryFrom(m_pControl), S_OK);
    ASSERT_EQ(pLoad->Load(SavedStream(pOther)), S_OK);
    PumpUntilIdle();

    EXPECT_EQ(Call(L"GetPagesCount").ToLong(), 1);
    EXPECT_EQ(Call(L"GetPageName", {I2(0)}).ToString(), "Single");
    EXPECT_EQ(Lookup("Path"), (Position{true, 0, 0}));
    EXPECT_FALSE(m_pObject->GetFloor()->m_bAsFloor);
    EXPECT_FALSE(m_pObject->GetFloor()->GetSignEnableDisable());
    CVariant floor = Invoke(m_pControl, 26);
    CComPointer<IDispatch> pFloor;
    ASSERT_EQ(pFloor.QueryFrom(floor.punkVal), S_OK);
    EXPECT_FALSE(GetProperty(pFloor, L"AsFloor").ToBool());
}

TEST_F(Methods, FirstPageCaptionOptionWaitsForTheNextPage)
{
    ASSERT_TRUE(Call(L"DeletePage", {I2(2)}).ToBool());
    ASSERT_TRUE(Call(L"DeletePage", {I2(1)}).ToBool());
    EXPECT_EQ(m_pObject->GetFloor()->GetCaptionBottomRight(0) >> 16, 0);
    ASSERT_EQ(Put(m_pControl, L"FirstPageHasCaption", CVariant(true)), S_OK);
    EXPECT_EQ(m_pObject->GetFloor()->GetCaptionBottomRight(0) >> 16, 0);
}
