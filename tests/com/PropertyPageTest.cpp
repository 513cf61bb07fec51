// The framework's property page on the test control: the page shows the control's values, edits
// make it dirty and Apply writes them back.
#include "ComTestSupport.h"
#include "Pump.h"
#include "RecordingPageSite.h"
#include "TestPage.h"

#include <gtest/gtest.h>
#include <olectl.h>

#include <string>
#include <vector>

namespace {

// A control of the page's dialog, the frame's only child.
HWND FindPageControl(HWND hFrame, int nId)
{
    const HWND hPage = GetWindow(hFrame, GW_CHILD);
    return hPage ? GetDlgItem(hPage, nId) : nullptr;
}

std::wstring TextOf(HWND hWnd)
{
    wchar_t text[256] = {};
    GetWindowTextW(hWnd, text, 256);
    return text;
}

// Wine's frame never calls Apply (a known limit of its OleCreatePropertyFrame), so the page is
// driven here as a frame does it on OK.
TEST(PropertyPage, EditsMakeThePageDirtyAndApplyWritesThemBack)
{
    CComPointer<IDispatch> pControl = CreateTestControl();
    ASSERT_EQ(PutProperty(pControl, L"Caption", CVariant("Before")), S_OK);
    ASSERT_EQ(PutProperty(pControl, L"Count", CVariant(41L)), S_OK);
    ASSERT_EQ(PutProperty(pControl, L"Checked", CVariant(false)), S_OK);
    CComPointer<IPropertyPage> pPage;
    ASSERT_EQ(pPage.CreateInstance(CLSID_ComTestPage), S_OK);
    CRecordingPageSite site;
    ASSERT_EQ(pPage->SetPageSite(&site), S_OK);
    PROPPAGEINFO info = {};
    ASSERT_EQ(pPage->GetPageInfo(&info), S_OK);
    EXPECT_STREQ(info.pszTitle, L"Test");
    EXPECT_GT(info.size.cx, 0);
    CoTaskMemFree(info.pszTitle);

    HWND hFrame = CreateTestFrame(400, 200);
    IUnknown* objects[] = {pControl.Get()};
    ASSERT_EQ(pPage->SetObjects(1, objects), S_OK);
    RECT rect = {0, 0, 400, 200};
    ASSERT_EQ(pPage->Activate(hFrame, &rect, TRUE), S_OK);
    HWND hCaption = FindPageControl(hFrame, CTestPage::kCaptionEdit);
    ASSERT_NE(hCaption, nullptr);
    EXPECT_EQ(TextOf(hCaption), L"Before");
    EXPECT_EQ(TextOf(FindPageControl(hFrame, CTestPage::kCountEdit)), L"41");
    EXPECT_EQ(IsDlgButtonChecked(GetParent(hCaption), CTestPage::kCheckedBox), BST_UNCHECKED);
    EXPECT_EQ(pPage->IsPageDirty(), S_FALSE);   // loading the values is not an edit
    EXPECT_TRUE(site.statusChanges.empty());

    SetWindowTextW(hCaption, L"After");
    SendMessageW(FindPageControl(hFrame, CTestPage::kCheckedBox), BM_CLICK, 0, 0);
    EXPECT_EQ(pPage->IsPageDirty(), S_OK);
    ASSERT_EQ(site.statusChanges.size(), 1u);
    EXPECT_TRUE(site.statusChanges[0] & PROPPAGESTATUS_DIRTY);
    EXPECT_EQ(GetProperty(pControl, L"Caption").ToString(), "Before"); // nothing written yet

    ASSERT_EQ(pPage->Apply(), S_OK);
    EXPECT_EQ(GetProperty(pControl, L"Caption").ToString(), "After");
    EXPECT_TRUE(GetProperty(pControl, L"Checked").ToBool());
    EXPECT_EQ(GetProperty(pControl, L"Count").ToLong(), 41);
    EXPECT_EQ(pPage->IsPageDirty(), S_FALSE);

    EXPECT_EQ(pPage->Deactivate(), S_OK);
    EXPECT_EQ(FindPageControl(hFrame, CTestPage::kCaptionEdit), nullptr);
    EXPECT_EQ(pPage->Deactivate(), E_UNEXPECTED);
    pPage->SetPageSite(nullptr);
    DestroyWindow(hFrame);
}

} // namespace
