// CTestFolders: a folder tree of a test's own in the prefix's temporary folder, removed when the
// object goes.
#pragma once
#include <string>

class CTestFolders {
public:
    // The folders given (relative, nested with backslashes) under a root of this process.
    explicit CTestFolders(const std::wstring& strName);
    ~CTestFolders();
    CTestFolders(const CTestFolders&) = delete;
    CTestFolders& operator=(const CTestFolders&) = delete;

    std::wstring Path(const std::wstring& relative) const { return m_root + L"\\" + relative; }
    void Make(const std::wstring& relative) const;
    // Nested folders under "Long" until the path is longer than MAX_PATH; the deepest path.
    std::wstring MakeLong() const;
    // Removes a folder with everything in it, paths of any length.
    static void Remove(const std::wstring& path);

private:
    std::wstring m_root;
};
