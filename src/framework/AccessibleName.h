// CAccessibleName: gives a window of any class the accessible name of what it edits (a label
// that is not a window of its own), through the window's standard object otherwise. The name
// is kept with the window and goes with it; naming a window again replaces its name.
#pragma once
#include "AccessibleBase.h"

#include <string>

class CAccessibleName : public CAccessibleBase {
public:
    static void Give(HWND hWnd, const std::string& strName);

    STDMETHODIMP get_accName(VARIANT varChild, BSTR* pName) override;

private:
    CAccessibleName(HWND hWnd, std::string strName) : CAccessibleBase(hWnd), m_strName(std::move(strName)) {}

    static LRESULT CALLBACK NamedProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR nId,
                                      DWORD_PTR pData);

    std::string m_strName;
};
