// CDispatchCall: one automation call as a dispatch-map handler sees it: the arguments in the
// caller's order, already converted to the declared types (by-reference ones point at storage
// the handler may write), and the result the handler sets.
#pragma once
#include "Variant.h"

#include <string>
#include <vector>

class CDispatchCall {
public:
    explicit CDispatchCall(std::vector<CVariant>& args) : m_args(args) {}

    UINT Count() const { return static_cast<UINT>(m_args.size()); }
    const VARIANT& Arg(UINT i) const;   // VT_EMPTY beyond the last

    // Values of by-value arguments; zero / empty when the argument is not of that type.
    short Short(UINT i) const;
    long Long(UINT i) const;
    bool Bool(UINT i) const;
    double Double(UINT i) const;
    std::string String(UINT i) const;
    BSTR Bstr(UINT i) const;
    IDispatch* Dispatch(UINT i) const;
    IUnknown* Unknown(UINT i) const;

    // Storage of by-reference arguments; null when the argument is not of that type.
    BSTR* BstrRef(UINT i) const;
    short* ShortRef(UINT i) const;
    long* LongRef(UINT i) const;
    IDispatch** DispatchRef(UINT i) const;
    VARIANT* VariantRef(UINT i) const;

    // Answers through a by-reference string argument. The string it held is freed first: a
    // caller such as VB hands in its previous string and expects it replaced, not kept (for a
    // reference to a variant it is the converted copy; the caller's own goes at write-back).
    // False, and nothing written, when the argument is no such reference or points nowhere.
    bool SetStringRef(UINT i, const std::string& text);

    // Converted to the declared result type on the way out.
    CVariant& Result() { return m_result; }
    template <class T>
    void SetResult(T value) { m_result = CVariant(value); }

private:
    const VARIANT* Typed(UINT i, VARTYPE vt) const;

    std::vector<CVariant>& m_args;
    CVariant m_result;
};
