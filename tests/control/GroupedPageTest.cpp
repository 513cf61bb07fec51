// A grouped page in the hosted control, driven by real clicks on its group signs: what the
// automation methods answer on it, compared with the same layout ungrouped; member values kept
// through folds; the layout text read back as it was set; and layouts and hosts that do what
// a grouped page does not expect.
#include "ControlTestSupport.h"

#include "Bstr.h"
#include "DispatchDriver.h"
#include "PageListCtrl.h"
#include "Pump.h"
#include "Text.h"
#include "UserInput.h"
#include "VelmoraCtrl.h"

#include <gtest/gtest.h>

#include <olectl.h>

#include <string>
#include <vector>

namespace {

using Answers = std::vector<std::string>;

std::string ShapeLayout(bool bGroup)
{
    return std::string("Shape#") + (bGroup ? "[Group]#" : "") +
           "{#Position\\Group\\Enable\\#Left\\Edit\\Enable\\Position#Top\\Edit\\Grayed\\Position#"
           "Size\\Group\\Black\\#Width\\Edit\\Enable\\Size#Tint\\ColorComboBox\\Black\\size#Height\\Edit\\Enable\\Size#}#"
           "Other#{#Name\\Edit\\Enable\\#}#";
}

class GroupedPage : public HostedSampleTest {
protected:
    void Load(const std::string& strLayout)
    {
        ASSERT_EQ(Put(m_pControl, L"PagesAndItems", CVariant(strLayout)), S_OK);
        PumpUntilIdle();
    }

    short Count(short nPage) { return Call(L"GetPropertyCount", {I2(nPage)}).ToShort(); }
    std::string As(short nPage, short nRow) { return Call(L"GetPropertyAs", {I2(nPage), I2(nRow)}).ToString(); }

    // A press and release on the row's sign, as a person clicks.
    void ClickSign(short nPage, short nRow)
    {
        const HWND hList = List(nPage)->m_hWnd;
        ClickAt(hList, PointInRow(hList, nRow, 8));
    }

    // Every group row's sign clicked, the last first, so that the rows above stay where they are.
    void ClickEveryGroup(short nPage)
    {
        for (short nRow = static_cast<short>(Count(nPage) - 1); nRow >= 0; --nRow) {
            if (As(nPage, nRow) == "Group")
                ClickSign(nPage, nRow);
        }
    }

    // What the row methods answer for every row of the page, values set by row first.
    Answers RowAnswers(short nPage)
    {
        Answers answers = {FormatText("count %d", Count(nPage))};
        for (short nRow = 0; nRow < Count(nPage); ++nRow) {
            const CVariant row = I2(nRow);
            Call(L"SetDefaultValue", {I2(nPage), row, CVariant(FormatText("v%d", nRow))});
            const std::string strName = Call(L"GetPropertyName", {I2(nPage), row}).ToString();
            short nFoundPage = -1, nFoundRow = -1;
            CallMember(m_pControl, 31, DISPATCH_METHOD,
                       {CVariant("Shape\\" + strName), CVariant::ByRef(&nFoundPage), CVariant::ByRef(&nFoundRow)});
            answers.push_back(FormatText("%s %s type %d property %d value %s variant %s found %d,%d", strName.c_str(),
                                         As(nPage, nRow).c_str(), Call(L"GetPropertyType", {I2(nPage), row}).ToShort(),
                                         Call(L"IsProperty", {I2(nPage), row}).ToBool(),
                                         Call(L"GetDefaultValueByName", {CVariant("Shape\\" + strName)}).ToString().c_str(),
                                         Call(L"GetValue", {I2(nPage), row, CVariant(3L)}).ToString().c_str(), nFoundPage,
                                         nFoundRow));
        }
        return answers;
    }
};

TEST_F(GroupedPage, CollapsedItAnswersForItsGroupRowsOnly)
{
    Load(ShapeLayout(true));
    EXPECT_EQ(Count(0), 2);
    EXPECT_EQ(Call(L"GetPropertyName", {I2(0), I2(1)}).ToString(), "Size");
    EXPECT_EQ(As(0, 1), "Group");
    EXPECT_EQ(Call(L"GetPropertyType", {I2(0), I2(1)}).ToShort(), 2);
    EXPECT_FALSE(Call(L"IsProperty", {I2(0), I2(2)}).ToBool());
    short nPage = 9, nRow = 9;
    CVariant found;
    CallMember(m_pControl, 31, DISPATCH_METHOD, {CVariant("Left"), CVariant::ByRef(&nPage), CVariant::ByRef(&nRow)}, &found);
    EXPECT_FALSE(found.ToBool());
    EXPECT_EQ(Call(L"GetValueByName", {CVariant("Width"), CVariant(0L)}).vt, VT_EMPTY);
    EXPECT_EQ(Count(1), 1) << "the next page is a page as any";
}

TEST_F(GroupedPage, ExpandedItAnswersAsTheSameLayoutUngrouped)
{
    Load(ShapeLayout(false));
    const Answers ungrouped = RowAnswers(0);
    ASSERT_EQ(ungrouped.size(), 8u);

    Load(ShapeLayout(true));
    ClickEveryGroup(0);
    EXPECT_EQ(RowAnswers(0), ungrouped);
    // Folded and unfolded again, the members come back with their values.
    ClickEveryGroup(0);
    EXPECT_EQ(Count(0), 2);
    ClickEveryGroup(0);
    EXPECT_EQ(Call(L"GetDefaultValueByName", {CVariant("Tint")}).ToString(), "v5");
    EXPECT_EQ(Call(L"GetDefaultValueByName", {CVariant("Left")}).ToString(), "v1");
}

TEST_F(GroupedPage, ValuesSetThroughTheRowObjectsSurviveFolding)
{
    Load(ShapeLayout(true));
    ClickSign(0, 0);
    Call(L"SetValue", {I2(0), I2(2), CVariant("40"), I2(0)});
    ASSERT_EQ(Call(L"GetDefaultValueByName", {CVariant("Top")}).ToString(), "40");
    ClickSign(0, 0);
    ClickSign(0, 0);
    EXPECT_EQ(Call(L"GetDefaultValueByName", {CVariant("Top")}).ToString(), "40");
}

// A property the host inserts joins the group shown above its place: shown there when the
// group is open, with an index the other methods take for it; filed until it opens when folded.
TEST_F(GroupedPage, PropertiesAddedByTheHostJoinTheGroupAboveThem)
{
    Load(ShapeLayout(true));
    ClickSign(0, 0);
    ASSERT_EQ(Count(0), 4);
    const auto insert = [this](short nIndex, const char* pszName, const char* pszAs) {
        return Call(L"InsertProperty", {I2(0), I2(nIndex), CVariant(pszName), CVariant(pszAs), I2(0)}).ToShort();
    };
    const auto name = [this](short nRow) { return Call(L"GetPropertyName", {I2(0), I2(nRow)}).ToString(); };
    EXPECT_EQ(insert(1, "Depth", "Edit"), 1);
    EXPECT_EQ(name(1), "Depth");
    EXPECT_EQ(name(2), "Left");
    EXPECT_TRUE(Call(L"SetDefaultValue", {I2(0), I2(1), CVariant("d")}).ToBool());
    EXPECT_EQ(Call(L"GetDefaultValueByName", {CVariant("Left")}).ToString(), "");
    // After the folded Size group: filed in it, shown when it opens.
    EXPECT_EQ(Call(L"AddProperty", {CVariant("Shape\\Angle"), CVariant("Edit"), I2(0)}).ToShort(), -1);
    EXPECT_EQ(Count(0), 5);
    ClickSign(0, 4);
    ASSERT_EQ(Count(0), 9);
    EXPECT_EQ(name(8), "Angle");
    // After the open Size group: shown at the end, in it.
    EXPECT_EQ(Call(L"AddProperty", {CVariant("Shape\\Slant"), CVariant("Edit"), I2(0)}).ToShort(), 9);
    EXPECT_EQ(name(9), "Slant");
    // Folded and opened again, the members come back in their places with their values.
    ClickSign(0, 0);
    ClickSign(0, 0);
    EXPECT_EQ(name(1), "Depth");
    EXPECT_EQ(Call(L"GetDefaultValueByName", {CVariant("Depth")}).ToString(), "d");
    // Above every group: shown in no group. A group row is shown where it is inserted.
    EXPECT_EQ(insert(0, "Note", "Edit"), 0);
    EXPECT_EQ(insert(-1, "Style", "Group"), 11);
    EXPECT_EQ(name(11), "Style");
    EXPECT_EQ(Count(0), 12);
}

// Folding changes what is shown, never what a row holds: a Font member keeps its font and
// colour, an NComboBox member the control its host filled.
TEST_F(GroupedPage, MembersKeepWhatTheyHoldAcrossFolding)
{
    Load("Shape#[Group]#{#Looks\\Group\\Enable\\#Face\\Font\\Enable\\Looks#Pick\\NComboBox\\Enable\\Looks#}#");
    ClickSign(0, 0);
    ASSERT_EQ(Count(0), 3);
    CComPointer<IFont> pArial;
    ASSERT_EQ(pArial.CreateInstance(CLSID_StdFont, CLSCTX_ALL), S_OK);
    pArial->put_Name(CBstr(L"Arial"));
    CComPointer<IDispatch> pArialDispatch;
    pArialDispatch.QueryFrom(pArial);
    Call(L"SetValue", {I2(0), I2(1), CVariant(pArialDispatch.Get()), I2(0)});
    Call(L"SetValue", {I2(0), I2(1), CVariant(255L), I2(1)});
    const auto ncombo = [this] {
        const CVariant object = Invoke(m_pControl, 45, {CVariant(0L), CVariant(2L)});
        return CComPointer<IDispatch>(object.vt == VT_DISPATCH ? object.pdispVal : nullptr);
    };
    ASSERT_NE(ncombo(), nullptr);
    CDispatchDriver(ncombo().Get()).Call(5, VT_I4, {CVariant(0L), CVariant("c"), CVariant(80L), CVariant(0L), CVariant(true), CVariant(true)});
    CDispatchDriver(ncombo().Get()).Call(8, VT_I4, {CVariant(0L), CVariant("kept")});

    ClickSign(0, 0);
    ASSERT_EQ(Count(0), 1);
    ClickSign(0, 0);
    ASSERT_EQ(Count(0), 3);
    const CVariant font = Call(L"GetValue", {I2(0), I2(1), CVariant(0L)});
    ASSERT_EQ(font.vt, VT_DISPATCH);
    EXPECT_EQ(GetProperty(font.pdispVal, L"Name").ToString(), GetProperty(pArialDispatch.Get(), L"Name").ToString());
    EXPECT_EQ(Call(L"GetValue", {I2(0), I2(1), CVariant(1L)}).ToLong(), 255);
    ASSERT_NE(ncombo(), nullptr);
    EXPECT_EQ(CDispatchDriver(ncombo().Get()).CallLong(7), 1) << "the row the host put in";
}

TEST_F(GroupedPage, DeletedMembersStayDeletedAndRenamingChangesNothing)
{
    Load(ShapeLayout(true));
    ClickEveryGroup(0);
    ASSERT_EQ(Count(0), 7);
    EXPECT_TRUE(Call(L"DeletePropertyByName", {CVariant("Width")}).ToBool());
    Call(L"SetPropertyName", {I2(0), I2(0), CVariant("Place")});
    EXPECT_EQ(Call(L"GetPropertyName", {I2(0), I2(0)}).ToString(), "Position");
    ClickEveryGroup(0);
    ClickEveryGroup(0);
    EXPECT_EQ(Count(0), 6);
    short nPage = 9, nRow = 9;
    CVariant found;
    CallMember(m_pControl, 31, DISPATCH_METHOD, {CVariant("Width"), CVariant::ByRef(&nPage), CVariant::ByRef(&nRow)}, &found);
    EXPECT_FALSE(found.ToBool());
}

TEST_F(GroupedPage, AGroupRowDeletedWhileExpandedLeavesItsMembersAlone)
{
    Load(ShapeLayout(true));
    ClickEveryGroup(0);
    EXPECT_TRUE(Call(L"DeleteProperty", {I2(0), I2(3)}).ToBool());
    ASSERT_EQ(Call(L"GetPropertyName", {I2(0), I2(3)}).ToString(), "Width");
    EXPECT_TRUE(Call(L"SetDefaultValue", {I2(0), I2(3), CVariant("orphan")}).ToBool());
    ClickSign(0, 0);
    EXPECT_EQ(Count(0), 4);
    EXPECT_EQ(Call(L"GetDefaultValueByName", {CVariant("Width")}).ToString(), "orphan");
    ClickSign(0, 0);
    EXPECT_EQ(Call(L"GetDefaultValueByName", {CVariant("Left")}).ToString(), "") << "no member took the orphan's value";
}

TEST_F(GroupedPage, TheLayoutTextReadsBackAsItWasSet)
{
    const std::string strLayout = ShapeLayout(true);
    Load(strLayout);
    ClickEveryGroup(0);
    Call(L"SetDefaultValueByName", {CVariant("Left"), CVariant("12")});
    Call(L"DeleteProperty", {I2(0), I2(1)});
    EXPECT_EQ(Get(m_pControl, L"PagesAndItems").ToString(), strLayout);
}

// Layouts a grouped page does not expect: each loads, every group it shows opens and closes by
// its sign, and the text reads back as it was set.
struct BadLayout {
    const char* pszName;
    const char* pszText;
    short nShown;    // rows of the first page, collapsed
    short nOpened;   // rows of the first page after every group's sign is clicked once
};

class GroupedPageBadLayout : public GroupedPage, public testing::WithParamInterface<BadLayout> {};

TEST_P(GroupedPageBadLayout, LoadsFoldsAndReadsBack)
{
    const BadLayout& layout = GetParam();
    Load(layout.pszText);
    ASSERT_GE(Call(L"GetPagesCount").ToLong(), 1);
    EXPECT_EQ(Count(0), layout.nShown);
    ClickEveryGroup(0);
    EXPECT_EQ(Count(0), layout.nOpened);
    ClickEveryGroup(0);
    EXPECT_EQ(Get(m_pControl, L"PagesAndItems").ToString(), layout.pszText);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, GroupedPageBadLayout,
    testing::Values(BadLayout{"NoGroups", "P#[Group]#{#a\\Edit\\Enable\\#b\\Edit\\Enable\\x#}#", 0, 0},
                    BadLayout{"NoRows", "P#[Group]#{#}#", 0, 0},
                    BadLayout{"GroupsWithoutMembers", "P#[Group]#{#G\\Group\\Enable\\#H\\Group\\Enable\\#}#", 2, 2},
                    BadLayout{"MembersBeforeAnyGroup", "P#[Group]#{#a\\Edit\\Enable\\G#G\\Group\\Enable\\#}#", 1, 2},
                    BadLayout{"MembersOfNoGroup", "P#[Group]#{#G\\Group\\Enable\\#a\\Edit\\Enable\\X#}#", 1, 1},
                    BadLayout{"NestedGroupMarkers",
                              "P#[Group]#{#A\\Group\\Enable\\#B\\Group\\Enable\\A#b\\Edit\\Enable\\B#}#", 2, 4},
                    BadLayout{"GroupNamedTwice", "P#[Group]#{#G\\Group\\Enable\\#g\\Group\\Enable\\#m\\Edit\\Enable\\G#}#", 2,
                              4},
                    BadLayout{"EmptyGroupName", "P#[Group]#{#\\Group\\Enable\\#a\\Edit\\Enable\\#}#", 1, 3},
                    BadLayout{"GroupWordInTheCaption", "P [Group]#{#G\\Group\\Enable\\#a\\Edit\\Enable\\G#}#", 2, 2},
                    BadLayout{"PageNeverClosed", "P#[Group]#{#G\\Group\\Enable\\#a\\Edit\\Enable\\G#", 0, 0}),
    [](const testing::TestParamInfo<BadLayout>& info) { return std::string(info.param.pszName); });

} // namespace
