// A script client: VBScript under cscript creates the control by its ProgID and calls it,
// properties, methods, and by-reference arguments passed as script variables.
#include "ComTestSupport.h"

#include "Text.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

std::string RunScript(const char* name, const std::string& script, int* pExitCode)
{
    const std::wstring path = TempFilePath(Utf8ToWide(name).c_str());
    {
        std::ofstream file(WideToUtf8(path).c_str(), std::ios::binary);
        file << script;
    }
    std::string output;
    *pExitCode = RunProcess(L"cscript.exe //nologo \"" + path + L"\"", &output);
    DeleteFileW(path.c_str());
    return output;
}

std::string Lines(std::string text)
{
    std::string lines;
    for (char c : text) {
        if (c != '\r')
            lines += c;
    }
    return lines;
}

} // namespace

TEST(Script, VbscriptCreatesTheControlByProgIdAndCallsIt)
{
    const std::string script =
        "Set c = CreateObject(\"ComTest.Control.1\")\r\n"
        "WScript.Echo c.Add(40, 2)\r\n"
        "c.Caption = \"from script\"\r\n"
        "WScript.Echo c.caption\r\n"
        "Dim t\r\n"
        "c.GetText t\r\n"
        "WScript.Echo t\r\n"
        "Dim hi, lo\r\n"
        "c.Split 7042, hi, lo\r\n"
        "WScript.Echo hi & \"/\" & lo\r\n"
        "If c.IsEven(10) Then WScript.Echo \"even\"\r\n"
        "WScript.Quit 7\r\n";
    int nExit = 0;
    const std::string output = Lines(RunScript("com_tests_call.vbs", script, &nExit));
    EXPECT_EQ(nExit, 7) << output;
    EXPECT_EQ(output, "42\nfrom script\nfrom script!\n7/42\neven\n");
}

TEST(Script, ErrorsReachTheScript)
{
    const std::string script =
        "Set c = CreateObject(\"ComTest.Control.1\")\r\n"
        "On Error Resume Next\r\n"
        "c.Add \"x\", 1\r\n"
        "WScript.Echo Hex(Err.Number)\r\n"
        "Err.Clear\r\n"
        "c.NoSuchMethod\r\n"
        "WScript.Echo Hex(Err.Number)\r\n";
    int nExit = 0;
    const std::string output = Lines(RunScript("com_tests_errors.vbs", script, &nExit));
    EXPECT_EQ(nExit, 0) << output;
    // Type mismatch, then object doesn't support this property or method.
    EXPECT_EQ(output, "D\n1B6\n") << output;
}
