// CFontHolder: owns a control's font object (IFont / IFontDisp from OleCreateFontIndirect) and
// listens to it as an IPropertyNotifySink, so that the owner hears when a client changes the
// font through its properties (Name, Size, Bold, ...).
#pragma once
#include "ComPointer.h"

#include <ocidl.h>
#include <olectl.h>

#include <functional>
#include <string>

class CFontHolder {
public:
    // onChanged runs after any property of the held font changed.
    explicit CFontHolder(std::function<void()> onChanged);
    ~CFontHolder();
    CFontHolder(const CFontHolder&) = delete;
    CFontHolder& operator=(const CFontHolder&) = delete;

    // A new font: a clone of pFont when given, otherwise made from the description.
    void InitializeFont(const FONTDESC& description, IUnknown* pFont = nullptr);
    void ReleaseFont();

    IFont* GetFont() const { return m_pFont; }
    IFontDisp* GetFontDispatch() const;   // AddRef'd, null without a font
    HFONT GetFontHandle() const;          // owned by the font object; valid until it changes
    // The description of the held font (the name's storage in faceName).
    bool Describe(FONTDESC& description, std::wstring& faceName) const;

    // A description with the name, size (points) and weight given, everything else off.
    static FONTDESC Description(const wchar_t* faceName, double points, short weight = FW_NORMAL);

private:
    class CNotifySink : public IPropertyNotifySink {
    public:
        explicit CNotifySink(CFontHolder& holder) : m_holder(holder) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
        // The sink lives exactly as long as its holder, which unadvises it before it goes.
        STDMETHODIMP_(ULONG) AddRef() override { return 2; }
        STDMETHODIMP_(ULONG) Release() override { return 1; }
        STDMETHODIMP OnChanged(DISPID) override;
        STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }

    private:
        CFontHolder& m_holder;
    };

    CNotifySink m_sink;
    std::function<void()> m_onChanged;
    CComPointer<IFont> m_pFont;
    CComPointer<IConnectionPoint> m_pConnection;
    DWORD m_dwCookie = 0;
};
