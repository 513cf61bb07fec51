#include "TestKinds.h"

#include "ControlsFactory.h"
#include "PageListCtrl.h"

namespace {

int g_nLiveKinds = 0;

HWND EditorParent(CControlsWnd* pObj)
{
    return pObj->m_pList ? pObj->m_pList->GetListWindow() : nullptr;
}

} // namespace

std::vector<std::string>& KindLog()
{
    static std::vector<std::string> log;
    return log;
}

int LiveTestKinds()
{
    return g_nLiveKinds;
}

bool CTestTransientKind::s_bFailEditor = false;
bool CTestPersistentKind::s_bFailEditor = false;

CTestTransientKind::CTestTransientKind()
{
    ++g_nLiveKinds;
}

CTestTransientKind::~CTestTransientKind()
{
    --g_nLiveKinds;
    KindLog().push_back("transient destroyed");
}

CWnd* CTestTransientKind::CreateEditor()
{
    if (s_bFailEditor)
        return nullptr;
    RECT rect = {};
    GetCellRect(&rect);
    m_editor.Create(L"EDIT", "", WS_CHILD, 0, rect, EditorParent(this), 0);
    return &m_editor;
}

BOOL CTestTransientKind::Release()
{
    KindLog().push_back("transient Release");
    return CControlsWnd::Release();
}

CTestPersistentKind::CTestPersistentKind()
{
    ++g_nLiveKinds;
}

CTestPersistentKind::~CTestPersistentKind()
{
    --g_nLiveKinds;
    KindLog().push_back("persistent destroyed");
}

CWnd* CTestPersistentKind::CreateEditor()
{
    if (s_bFailEditor)
        return nullptr;
    m_editor.Create(L"BUTTON", "", WS_CHILD, 0, RECT{0, 0, 10, 10}, EditorParent(this), 0);
    return &m_editor;
}

BOOL CTestPersistentKind::Release()
{
    KindLog().push_back("persistent Release");
    if (m_editor.IsWindow())
        m_editor.ShowWindow(SW_HIDE);
    return FALSE;
}

void RegisterTestKinds()
{
    RegisterControlsClass("CControlsWnd_CComboBox", &NewControlsObject<CTestTransientKind>);
    RegisterControlsClass("CControlsWnd_CADORComboBox", &NewControlsObject<CTestPersistentKind>);
}
