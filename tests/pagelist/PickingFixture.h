// The picking kinds (ComboBox, BoolComboBox, UserComboBox, ColorComboBox) as they are, in a
// page list of a test frame whose control is a fake that answers LoadItems, keeps the custom
// colours and lets a host act inside every event. The drop-down and the colour popup are found
// as a person sees them: the top-level windows the thread shows.
#pragma once
#include "ColourPopup.h"
#include "PageListCtrl.h"
#include "TestKinds.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The fake control, with custom colours that report a change, and a host's handler that runs
// inside each event after it is recorded.
class CPickingOwner : public CFakeOwner {
public:
    COLORREF customColors[kCustomColorCount];
    std::function<void(const std::string& strEvent)> onEvent;

    CPickingOwner();
    void FireSelectItem(long nPage, long nRow) override;
    void FirePropertyChanging(long nPage, long nRow) override;
    void FirePropertyChanged(long nPage, long nRow, BOOL bUpdate) override;
    bool FireLoadItems(long nPage, long nRow, std::string* pItems) override;
    void GetCustomColors(COLORREF crColors[kCustomColorCount]) const override;
    void SetCustomColors(const COLORREF crColors[kCustomColorCount]) override;

    // The events as "Name row" ("Name row bUpdate" for PropertyChanged), in order.
    std::vector<std::string> Heard() const;

private:
    void Run(const std::string& strEvent);
};

// Rows: 0 "Choice" ComboBox, 1 "Visible" BoolComboBox, 2 "Style" UserComboBox, 3 "Fore"
// ColorComboBox, 4 "Back" ColorComboBox, 5 "Note" of an unregistered kind.
// The primary monitor's work area ends nShorter pixels above the screen's bottom while the
// object lives, as a task bar there makes it; Bottom() is where it ends.
class CShorterWorkArea {
public:
    explicit CShorterWorkArea(int nShorter);
    ~CShorterWorkArea();
    CShorterWorkArea(const CShorterWorkArea&) = delete;
    CShorterWorkArea& operator=(const CShorterWorkArea&) = delete;
    int Bottom() const { return m_rcShorter.bottom; }

private:
    RECT m_rcBefore = {};
    RECT m_rcShorter = {};
};

class PickingTest : public testing::Test {
protected:
    enum Row { kChoice, kVisible, kStyle, kFore, kBack, kNote };

    void SetUp() override;
    void TearDown() override;

    CPageListCtrl& List() { return *m_pList; }
    std::string Value(int nRow) const;
    void SetValue(int nRow, const std::string& strValue);

    // Mouse and keys as the user gives them: the cursor goes where the press is first.
    void MoveCursor(HWND hWnd, POINT pt);
    void Click(HWND hWnd, POINT pt);
    void ClickRow(int nRow);
    void DoubleClickRow(int nRow);
    // The row selected and drawn, then a click in its row button.
    void ClickRowButton(int nRow);
    static void Key(HWND hWnd, UINT nKey);

    // The visible top-level windows of the thread of a class: the drop-down, the popup.
    static std::vector<HWND> ShownWindows(const wchar_t* pszClass);
    static HWND DropDown();
    static CColourPopup* Popup();
    // Texts of a drop-down's items.
    static std::vector<std::string> Items(HWND hDropDown);
    // The value cell of a row, screen coordinates.
    RECT ScreenCell(int nRow);
    // The frame moved so that the list's top is at this height of the screen.
    void MoveFrameTo(int nScreenY);

    CPickingOwner m_owner;
    std::unique_ptr<CPageListCtrl> m_pList;
    HWND m_hFrame = nullptr;
};
