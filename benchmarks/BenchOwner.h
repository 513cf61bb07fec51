// CBenchOwner: the least a control must be for page lists to load and run: no events kept,
// default settings, a row-map table.
#pragma once
#include "PageListOwner.h"
#include "RowMapTable.h"

class CBenchOwner : public CPageListOwner {
public:
    void FireSelectItem(short, short) override {}
    void FireUnselectItem(short, short) override {}
    void FirePropertyChanging(short, short) override {}
    void FirePropertyChanged(short, short, BOOL) override {}
    void FireButtonClick(short, short) override {}
    void FireLoadItems(short, short, std::string*) override {}
    void FireSetObject(long, long, IDispatch**) override {}
    void FireDelete(short, short) override {}
    BOOL GetToolTips() const override { return FALSE; }
    BOOL GetResizeFirstColumn() const override { return TRUE; }
    bool GetItemFont(LOGFONTW*) const override { return false; }
    COLORREF GetEditorColor() const override { return RGB(0, 0, 255); }
    void GetCustomColors(COLORREF crColors[kCustomColorCount]) const override
    {
        for (int i = 0; i < kCustomColorCount; ++i)
            crColors[i] = RGB(255, 255, 255);
    }
    void SetCustomColors(const COLORREF[kCustomColorCount]) override {}
    CFloorPropertiesWnd* GetFloor() override { return nullptr; }
    short GetActivePage() const override { return 0; }
    CRowMapTable& GetRowMapTable() override { return m_rowMaps; }

private:
    CRowMapTable m_rowMaps;
};
