// VBScript under cscript creates the control by its ProgID, without any window: properties
// read and write, methods that need the floor give their "no floor" results, wrong argument
// types are script errors.
#include "ControlTestSupport.h"

#include "Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace {

// Runs the script under cscript; its output without carriage returns, after its exit code.
std::string RunScript(const std::string& script)
{
    const std::wstring path = TempFilePath(L"control_tests_script.vbs");
    std::ofstream(WideToUtf8(path).c_str(), std::ios::binary) << script;
    std::string output;
    const int nExit = RunProcess(L"cscript.exe //nologo \"" + path + L"\"", &output);
    DeleteFileW(path.c_str());
    output.erase(std::remove(output.begin(), output.end(), '\r'), output.end());
    return std::to_string(nExit) + "\n" + output;
}

} // namespace

TEST(Script, MethodsWithoutAFloorGiveTheirNoFloorResults)
{
    const std::string script =
        "Set c = CreateObject(\"KV.Velmora.1\")\r\n"
        "WScript.Echo c.GetPagesCount() & \" \" & c.AddPage(\"New\") & \" \" & c.GetActivePage() & \" \" & c.GetPage(\"New\")\r\n"
        "WScript.Echo \"[\" & c.GetPageName(0) & \"] \" & c.DeletePage(0) & \" \" & c.GetPropertyCount(0) & \" \" & c.GetIDListCtrl(0)\r\n"
        "Dim p, r\r\n"
        "WScript.Echo c.GetPropertyIndex(\"Name\", p, r) & \" \" & p & \" \" & r\r\n"
        "WScript.Echo c.AddProperty(\"Name\", \"Edit\", 0) & \" \" & c.InsertProperty(0, -1, \"Name\", \"Edit\", 0)\r\n"
        "WScript.Echo IsEmpty(c.GetValue(0, 0, 0)) & \" \" & IsEmpty(c.GetValueByName(\"Name\", 0))\r\n"
        "WScript.Echo c.IsProperty(0, 0) & \" \" & c.GetPropertyType(0, 0) & \" [\" & c.GetPropertyName(0, 0) & \"]\"\r\n"
        "Dim v\r\n"
        "WScript.Echo c.GetDefaultValue(0, 0, v) & \" \" & c.SetDefaultValue(0, 0, \"x\") & \" \" & c.SetDefaultValueByName(\"Name\", \"x\")\r\n"
        "WScript.Echo c.ColumnKey(0, 0) & \" \" & c.ColumnWidth(0, 0, 1) & \" \" & c.DropDownWidth(0, 0) & \" \" & c.DropDownHeight(0, 0) & \" \" & c.ColumnHeader(0, 0)\r\n"
        "Dim a\r\n"
        "WScript.Echo c.GetActiveProperty(a) & \" \" & a\r\n"
        "If c.GetxFloorWnd() Is Nothing Then WScript.Echo \"no floor\"\r\n"
        "If c.GetNComboObject(0, 0) Is Nothing Then WScript.Echo \"no ncombo\"\r\n"
        "c.Init\r\n"
        "c.ActivatePage 0\r\n"
        "c.RefreshProperty 0, 0\r\n"
        "c.SetValue 0, 0, \"v\", 0\r\n"
        "c.ColumnKey(0, 0) = 2\r\n"
        "c.ColumnKeyByName(0, 0) = \"Code\"\r\n"
        // Wrong argument types reach the script as errors; the control goes on answering.
        "On Error Resume Next\r\n"
        "c.GetPageName \"first\"\r\n"
        "WScript.Echo Hex(Err.Number)\r\n"
        "Err.Clear\r\n"
        "c.GetPropertyName 0\r\n"
        "WScript.Echo Hex(Err.Number)\r\n"
        "WScript.Echo c.GetPagesCount()\r\n";
    EXPECT_EQ(RunScript(script),
              "0\n"
              "0 -1 -1 -1\n"
              "[] False 0 -1\n"
              "False -1 -1\n"
              "-1 -1\n"
              "True True\n"
              "False -1 []\n"
              "False False False\n"
              "-1 -1 -1 -1 False\n"
              "-1 -1\n"
              "no floor\n"
              "no ncombo\n"
              "D\n1C2\n0\n");
}
