// The user guide's reference against the registered type library: every property, method and
// event has its heading and its declaration, as the type library gives them, and the reference
// names nothing the type library does not have.
#include "ControlTestSupport.h"

#include "Bstr.h"
#include "Text.h"
#include "kvVelmora_h.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

namespace {

std::string ReadReference()
{
    std::ifstream file(VELMORA_REFERENCE_PATH, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    std::string reference = text.str();
    reference.erase(std::remove(reference.begin(), reference.end(), '\r'), reference.end());
    return reference;
}

std::string NameOf(ITypeInfo* pInfo, MEMBERID id)
{
    CBstr name;
    pInfo->GetDocumentation(id, name.Out(), nullptr, nullptr, nullptr);
    return WideToUtf8(name ? static_cast<BSTR>(name) : L"");
}

std::string TypeText(ITypeInfo* pInfo, const TYPEDESC& type)
{
    switch (type.vt) {
    case VT_PTR: return TypeText(pInfo, *type.lptdesc) + "*";
    case VT_USERDEFINED: {
        CComPointer<ITypeInfo> pRef;
        if (FAILED(pInfo->GetRefTypeInfo(type.hreftype, pRef.Out())))
            return "?";
        return NameOf(pRef, MEMBERID_NIL);
    }
    case VT_I1: return "char";
    case VT_I2: return "short";
    case VT_I4: return "long";
    case VT_R8: return "double";
    // widl writes OLE_COLOR as its base type; colours are the only unsigned longs here.
    case VT_UI4: return "OLE_COLOR";
    case VT_BSTR: return "BSTR";
    case VT_VARIANT: return "VARIANT";
    case VT_DISPATCH: return "IDispatch*";
    case VT_UNKNOWN: return "IUnknown*";
    case VT_VOID: return "void";
    default: return "vt" + std::to_string(type.vt);
    }
}

// "short AddPage(BSTR lpszPageName)"; a property put reads "ColumnKey(...) = long nNewValue".
std::string Declaration(ITypeInfo* pInfo, const FUNCDESC& func)
{
    std::vector<CBstr> names(func.cParams + 1);
    UINT nNames = 0;
    std::vector<BSTR> raw(names.size());
    pInfo->GetNames(func.memid, raw.data(), static_cast<UINT>(raw.size()), &nNames);
    for (UINT i = 0; i < nNames; ++i)
        names[i].Attach(raw[i]);
    const auto param = [&](int i) {
        return TypeText(pInfo, func.lprgelemdescParam[i].tdesc) + " " + (i + 1 < static_cast<int>(nNames) ? WideToUtf8(static_cast<BSTR>(names[i + 1])) : "value");
    };
    const bool bPut = func.invkind == INVOKE_PROPERTYPUT;
    const int nIndices = bPut ? func.cParams - 1 : func.cParams;
    std::string text = bPut ? "" : TypeText(pInfo, func.elemdescFunc.tdesc) + " ";
    text += WideToUtf8(static_cast<BSTR>(names[0])) + "(";
    for (int i = 0; i < nIndices; ++i)
        text += (i ? ", " : "") + param(i);
    text += ")";
    if (bPut)
        text += " = " + param(func.cParams - 1);
    return text;
}

// Every member's heading and declaration lines, in the reference's form.
std::vector<std::string> MemberLines(const IID& iid, std::set<std::string>* pNames)
{
    CComPointer<ITypeLib> pLib;
    CComPointer<ITypeInfo> pInfo;
    if (FAILED(LoadRegTypeLib(LIBID_kvVelmoraLib, 1, 0, 0x409, pLib.Out())) || FAILED(pLib->GetTypeInfoOfGuid(iid, pInfo.Out())))
        return {"<no type information>"};
    TYPEATTR* pAttr = nullptr;
    pInfo->GetTypeAttr(&pAttr);
    std::vector<std::string> lines;
    for (WORD i = 0; i < pAttr->cVars; ++i) {
        VARDESC* pVar = nullptr;
        pInfo->GetVarDesc(i, &pVar);
        const std::string name = NameOf(pInfo, pVar->memid);
        pNames->insert(name);
        lines.push_back("### `" + name + "`");
        lines.push_back("`" + TypeText(pInfo, pVar->elemdescVar.tdesc) + " " + name + "`");
        pInfo->ReleaseVarDesc(pVar);
    }
    for (WORD i = 0; i < pAttr->cFuncs; ++i) {
        FUNCDESC* pFunc = nullptr;
        pInfo->GetFuncDesc(i, &pFunc);
        const std::string name = NameOf(pInfo, pFunc->memid);
        pNames->insert(name);
        lines.push_back("### `" + name + "`");
        lines.push_back("`" + Declaration(pInfo, *pFunc) + "`");
        pInfo->ReleaseFuncDesc(pFunc);
    }
    pInfo->ReleaseTypeAttr(pAttr);
    return lines;
}

bool HasLine(const std::string& text, const std::string& line)
{
    return ("\n" + text + "\n").find("\n" + line + "\n") != std::string::npos;
}

} // namespace

TEST(Reference, DeclaresEveryMemberAsTheTypeLibraryDoes)
{
    const std::string reference = ReadReference();
    ASSERT_FALSE(reference.empty()) << VELMORA_REFERENCE_PATH;
    std::set<std::string> names;
    for (const IID* iid : {&DIID__DPropertiesGrid, &DIID__DPropertiesGridEvents})
        for (const std::string& line : MemberLines(*iid, &names))
            EXPECT_TRUE(HasLine(reference, line)) << "the reference lacks the line\n" << line;
    EXPECT_GT(names.size(), 60u);

    // No heading for a member that is gone.
    std::istringstream lines(reference);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("### `", 0) == 0 && line.size() > 6) {
            EXPECT_EQ(names.count(line.substr(5, line.size() - 6)), 1u) << "the reference names " << line;
        }
    }
}
