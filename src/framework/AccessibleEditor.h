// CAccessibleEditor: an editor window of any class as accessibility clients find it - named
// after what it edits (a label that is no window of its own), through the window's own object
// or the standard one otherwise, and told to them as it shows and hides. The name is kept
// with the window and goes with it; naming the window again replaces its name.
#pragma once
#include "AccessibleBase.h"

#include <string>

class CAccessibleEditor : public CAccessibleBase {
public:
    static void Give(HWND hWnd, const std::string& strName);

    STDMETHODIMP get_accName(VARIANT varChild, BSTR* pName) override;

private:
    CAccessibleEditor(HWND hWnd, std::string strName) : CAccessibleBase(hWnd), m_strName(std::move(strName)) {}

    static LRESULT CALLBACK EditorProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR nId,
                                       DWORD_PTR pData);

    std::string m_strName;
};
