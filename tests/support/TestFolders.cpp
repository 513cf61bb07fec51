#include "TestFolders.h"

#include <windows.h>
#include <shlobj.h>

CTestFolders::CTestFolders(const std::wstring& strName)
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    m_root = std::wstring(temp) + strName + L"-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(m_root.c_str(), nullptr);
}

CTestFolders::~CTestFolders()
{
    Remove(m_root);
}

void CTestFolders::Make(const std::wstring& relative) const
{
    SHCreateDirectoryExW(nullptr, Path(relative).c_str(), nullptr);
}

std::wstring CTestFolders::MakeLong() const
{
    std::wstring path = L"\\\\?\\" + m_root + L"\\Long";
    CreateDirectoryW(path.c_str(), nullptr);
    while (path.size() < MAX_PATH + 40) {
        path += L"\\" + std::wstring(40, L'd');
        CreateDirectoryW(path.c_str(), nullptr);
    }
    return path.substr(4);
}

void CTestFolders::Remove(const std::wstring& path)
{
    const std::wstring longPath = L"\\\\?\\" + path;
    WIN32_FIND_DATAW found;
    HANDLE hFind = FindFirstFileW((longPath + L"\\*").c_str(), &found);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..")
                Remove(path + L"\\" + name);
        } while (FindNextFileW(hFind, &found));
        FindClose(hFind);
    }
    RemoveDirectoryW(longPath.c_str());
}
