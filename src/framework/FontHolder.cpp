#include "FontHolder.h"

CFontHolder::CFontHolder(std::function<void()> onChanged) : m_sink(*this), m_onChanged(std::move(onChanged)) {}

CFontHolder::~CFontHolder()
{
    ReleaseFont();
}

void CFontHolder::InitializeFont(const FONTDESC& description, IUnknown* pFont)
{
    ReleaseFont();
    CComPointer<IFont> pSource;
    if (pFont && SUCCEEDED(pSource.QueryFrom(pFont)))
        pSource->Clone(m_pFont.Out());
    if (!m_pFont) {
        FONTDESC desc = description;
        desc.cbSizeofstruct = sizeof(desc);
        OleCreateFontIndirect(&desc, IID_IFont, reinterpret_cast<void**>(m_pFont.Out()));
    }
    CComPointer<IConnectionPointContainer> pContainer;
    if (m_pFont && SUCCEEDED(pContainer.QueryFrom(m_pFont))
        && SUCCEEDED(pContainer->FindConnectionPoint(IID_IPropertyNotifySink, m_pConnection.Out()))
        && FAILED(m_pConnection->Advise(&m_sink, &m_dwCookie)))
        m_pConnection.Reset();
}

void CFontHolder::ReleaseFont()
{
    if (m_pConnection)
        m_pConnection->Unadvise(m_dwCookie);
    m_pConnection.Reset();
    m_dwCookie = 0;
    m_pFont.Reset();
}

IFontDisp* CFontHolder::GetFontDispatch() const
{
    CComPointer<IFontDisp> pDisp;
    if (m_pFont)
        pDisp.QueryFrom(m_pFont);
    return pDisp.Detach();
}

HFONT CFontHolder::GetFontHandle() const
{
    HFONT hFont = nullptr;
    if (m_pFont)
        m_pFont->get_hFont(&hFont);
    return hFont;
}

bool CFontHolder::Describe(FONTDESC& description, std::wstring& faceName) const
{
    if (!m_pFont)
        return false;
    description = FONTDESC();
    description.cbSizeofstruct = sizeof(description);
    BSTR name = nullptr;
    BOOL bItalic = FALSE, bUnderline = FALSE, bStrike = FALSE;
    if (FAILED(m_pFont->get_Name(&name)) || FAILED(m_pFont->get_Size(&description.cySize))
        || FAILED(m_pFont->get_Weight(&description.sWeight)) || FAILED(m_pFont->get_Charset(&description.sCharset))
        || FAILED(m_pFont->get_Italic(&bItalic)) || FAILED(m_pFont->get_Underline(&bUnderline))
        || FAILED(m_pFont->get_Strikethrough(&bStrike))) {
        SysFreeString(name);
        return false;
    }
    faceName = name ? name : L"";
    SysFreeString(name);
    description.lpstrName = &faceName[0];
    description.fItalic = bItalic;
    description.fUnderline = bUnderline;
    description.fStrikethrough = bStrike;
    return true;
}

FONTDESC CFontHolder::Description(const wchar_t* faceName, double points, short weight)
{
    FONTDESC desc = {};
    desc.cbSizeofstruct = sizeof(desc);
    desc.lpstrName = const_cast<LPOLESTR>(faceName);
    desc.cySize.int64 = static_cast<LONGLONG>(points * 10000.0 + 0.5);
    desc.sWeight = weight;
    desc.sCharset = DEFAULT_CHARSET;
    return desc;
}

STDMETHODIMP CFontHolder::CNotifySink::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyNotifySink)) {
        *ppv = static_cast<IPropertyNotifySink*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP CFontHolder::CNotifySink::OnChanged(DISPID)
{
    if (m_holder.m_onChanged)
        m_holder.m_onChanged();
    return S_OK;
}
