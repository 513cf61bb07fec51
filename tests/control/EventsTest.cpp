// Events reach a sink connected through the control's connection point, with their arguments;
// what a sink writes into LoadItems' and SetObject's by-reference arguments reaches the code
// that fired them.
#include "ControlTestSupport.h"

#include "PageListCtrl.h"
#include "Pump.h"
#include "UserInput.h"
#include "VelmoraCtrl.h"

class Events : public HostedSampleTest {
protected:
    void SetUp() override
    {
        HostedSampleTest::SetUp();
        m_pSink = NewComObject<CRecordingSink>();
        ASSERT_EQ(m_pSink->Connect(m_pControl), S_OK);
    }
    void TearDown() override
    {
        m_pSink->Disconnect();
        HostedSampleTest::TearDown();
    }

    CComPointer<CRecordingSink> m_pSink;
};

// Several hosts listen at once, each until it leaves, whichever leaves first.
TEST_F(Events, EachSinkHearsUntilItLeaves)
{
    CComPointer<CRecordingSink> pSecond = NewComObject<CRecordingSink>();
    ASSERT_EQ(pSecond->Connect(m_pControl), S_OK);
    m_pObject->FireSelectPage(1);
    pSecond->Disconnect();
    m_pObject->FireSelectPage(2);
    EXPECT_EQ(m_pSink->m_events, (std::vector<std::string>{"SelectPage 1", "SelectPage 2"}));
    EXPECT_EQ(pSecond->m_events, (std::vector<std::string>{"SelectPage 1"}));
}

TEST_F(Events, EveryFireOperationReachesTheSinkWithItsArguments)
{
    m_pObject->FireSelectItem(1, 2);
    m_pObject->FireSelectPage(2);
    m_pObject->FireUnselectItem(0, -1);
    m_pObject->FirePropertyChanging(1, 3);
    m_pObject->FirePropertyChanged(1, 3, TRUE);
    m_pObject->FirePropertyChanged(1, 3, FALSE);
    m_pObject->FireButtonClick(0, 1);
    m_pObject->FireDelete(2, 0);
    m_pObject->FireCustomColorChange();
    const std::vector<std::string> expected = {
        "SelectItem 1 2",        "SelectPage 2",          "UnselectItem 0 -1",
        "PropertyChanging 1 3",  "PropertyChanged 1 3 1", "PropertyChanged 1 3 0",
        "ButtonClick 0 1",       "Delete 2 0",            "CustomColorChange",
    };
    EXPECT_EQ(m_pSink->m_events, expected);
}

TEST_F(Events, LoadItemsTextWrittenByTheSinkReachesTheControl)
{
    std::string items = "a\\b";
    m_pSink->m_strItems = "north\\south\\east";
    m_pObject->FireLoadItems(1, 2, &items);
    ASSERT_EQ(m_pSink->m_events.size(), 1u);
    EXPECT_EQ(m_pSink->m_events[0], "LoadItems 1 2 a\\b");
    EXPECT_EQ(items, "north\\south\\east");
}

TEST_F(Events, SetObjectObjectPlacedByTheSinkReachesTheControl)
{
    CComPointer<CRecordingSink> pRecordset = NewComObject<CRecordingSink>();
    m_pSink->m_pObject = static_cast<IDispatch*>(pRecordset.Get());
    IDispatch* pObject = nullptr;
    m_pObject->FireSetObject(70000, 4, &pObject);
    ASSERT_EQ(m_pSink->m_events.size(), 1u);
    EXPECT_EQ(m_pSink->m_events[0], "SetObject 70000 4 null");
    ASSERT_EQ(pObject, static_cast<IDispatch*>(pRecordset.Get()));
    pObject->Release();
    // Without a place for the object the event still goes out, and nothing leaks.
    m_pObject->FireSetObject(0, 0, nullptr);
    EXPECT_EQ(m_pSink->m_events.size(), 2u);
}

// A row of a page behind the front one names its own page, not the front one.
TEST_F(Events, RowObjectsFireThroughTheControlWithTheirOwnPage)
{
    Call(L"ActivatePage", {I2(2)});
    Call(L"SetDefaultValue", {I2(0), I2(3), CVariant("old")});
    CControlsWnd* pObj = List(0)->GetControlsWnd(3, FALSE);
    ASSERT_NE(pObj, nullptr);
    pObj->ShowEditor(0);
    // A host reading the value in PropertyChanged reads the new one.
    std::vector<std::string> valuesRead;
    m_pSink->m_onEvent = [&](const std::string& strEvent) {
        if (strEvent.rfind("PropertyChanged", 0) == 0)
            valuesRead.push_back(DefaultValue(0, 3));
    };
    // The same text again is no update; the same text in another case is one.
    for (std::string text : {"new", "new", "NEW"})
        pObj->CommitText(text, TRUE);
    pObj->Release();
    const std::vector<std::string> expected = {"PropertyChanging 0 3", "PropertyChanged 0 3 1", "PropertyChanged 0 3 0",
                                               "PropertyChanged 0 3 1"};
    EXPECT_EQ(m_pSink->m_events, expected);
    EXPECT_EQ(valuesRead, (std::vector<std::string>{"new", "new", "NEW"}));
    EXPECT_EQ(List(0)->GetItemText(3, List(0)->GetValueColumn()), "NEW");
}

TEST_F(Events, PagesAndRowsPastTheSixteenBitRangeGoOutAsNone)
{
    m_pObject->FireSelectItem(65536 + 1, 65536 + 2);
    m_pObject->FireDelete(1, 40000);
    // A row object hands its row over whole, as it would on a page that long: no row, never
    // row 3, which its index is modulo 65,536.
    Call(L"ActivatePage", {I2(1)});
    CControlsWnd* pObj = List(0)->GetControlsWnd(3, FALSE);
    ASSERT_NE(pObj, nullptr);
    pObj->m_nRow = 65536 + 3;
    pObj->ShowEditor(0);
    std::string text = "far";
    pObj->CommitText(text, TRUE);
    pObj->Release();
    const std::vector<std::string> expected = {"SelectItem -1 -1", "Delete 1 -1", "PropertyChanging 0 -1",
                                               "PropertyChanged 0 -1 1"};
    EXPECT_EQ(m_pSink->m_events, expected);
}

static void ClickRow(CPageListCtrl* pList, int nRow)
{
    ClickAt(pList->m_hWnd, PointInRow(pList->m_hWnd, nRow, 20));
}

TEST_F(Events, ClickedRowsAndActivePropertiesReachTheSinkWithTheirPage)
{
    Call(L"ActivatePage", {I2(1)});
    PumpUntilIdle();
    m_pSink->m_events.clear();
    ClickRow(List(1), 2);
    ClickRow(List(1), 0);
    EXPECT_TRUE(Call(L"SetActiveProperty", {I2(1), I2(3)}).ToBool());
    const std::vector<std::string> expected = {"SelectItem 1 2", "UnselectItem 1 2", "SelectItem 1 0",
                                               "UnselectItem 1 0", "SelectItem 1 3"};
    EXPECT_EQ(m_pSink->m_events, expected);
    EXPECT_EQ(List(1)->GetItemState(3, LVIS_SELECTED | LVIS_FOCUSED), UINT(LVIS_SELECTED | LVIS_FOCUSED));
}

TEST_F(Events, CustomColoursFireOnlyWhenOneDiffers)
{
    for (short i = 0; i < 16; ++i)
        EXPECT_EQ(Call(L"GetCustomColor", {I2(i)}).ToLong(), 0xFFFFFF) << i;
    COLORREF colours[16];
    m_pObject->GetCustomColors(colours);
    m_pObject->SetCustomColors(colours);
    EXPECT_TRUE(m_pSink->m_events.empty());
    colours[7] = RGB(9, 8, 7);
    colours[8] = RGB(1, 1, 1);
    m_pObject->SetCustomColors(colours);
    EXPECT_EQ(m_pSink->m_events, std::vector<std::string>{"CustomColorChange"});
    EXPECT_EQ(Call(L"GetCustomColor", {I2(7)}).ToLong(), static_cast<long>(RGB(9, 8, 7)));
    // Single entries set through automation fire nothing; outside the table they are ignored,
    // and read as the colour every entry starts with.
    Call(L"SetCustomColor", {I2(15), CVariant(static_cast<long>(RGB(1, 2, 3)))});
    m_pObject->GetCustomColors(colours);
    EXPECT_EQ(colours[15], RGB(1, 2, 3));
    for (short i : {short(16), short(-1)}) {
        Call(L"SetCustomColor", {I2(i), CVariant(0L)});
        EXPECT_EQ(Call(L"GetCustomColor", {I2(i)}).ToLong(), 0xFFFFFF);
    }
    EXPECT_EQ(m_pSink->m_events.size(), 1u);
}

TEST_F(Events, ItemFontChangesReachEveryPageList)
{
    CVariant font = Get(m_pControl, L"ItemFont");
    ASSERT_EQ(font.vt, VT_DISPATCH);
    ASSERT_NE(font.pdispVal, nullptr);
    ASSERT_EQ(PutProperty(font.pdispVal, L"Bold", CVariant(true)), S_OK);
    for (int i = 0; i < 3; ++i) {
        LOGFONTW description = {};
        ASSERT_EQ(GetObjectW(List(i)->GetItemFont(), sizeof(description), &description), static_cast<int>(sizeof(description)));
        EXPECT_EQ(description.lfWeight, FW_BOLD) << i;
    }
    // The notification sink of the control answers as specified.
    CComPointer<IPropertyNotifySink> pNotify;
    ASSERT_EQ(pNotify.QueryFrom(m_pControl), S_OK);
    EXPECT_EQ(pNotify->AddRef(), 1u);
    EXPECT_EQ(pNotify->Release(), 0u);
    EXPECT_EQ(pNotify->OnRequestEdit(9), S_OK);
    CComPointer<IDispatch> pNone;
    EXPECT_EQ(pNone.QueryFrom(pNotify), E_NOINTERFACE);
}
