#include "AdoRecordset.h"

namespace {

enum : DISPID {
    kFields = 0,
    kAddNew = 1012,
    kClose = 1014,
    kMoveNext = 1018,
    kMoveFirst = 1020,
    kOpen = 1022,
    kFieldsItem = 0,
    kFieldsAppend = 0x60040001,
    kFieldValue = 0,
};

const long adOpenStatic = 3;
const long adLockBatchOptimistic = 4;
const long adCmdUnspecified = -1;

CVariant Missing()
{
    CVariant missing;
    missing.vt = VT_ERROR;
    missing.scode = DISP_E_PARAMNOTFOUND;
    return missing;
}

} // namespace

CComPointer<IDispatch> CAdoRecordset::Make(const std::vector<Field>& fields, const std::vector<std::vector<CVariant>>& rows)
{
    CLSID clsid;
    CComPointer<IDispatch> pRecordset;
    if (FAILED(CLSIDFromProgID(L"ADODB.Recordset", &clsid))
        || FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(pRecordset.Out()))))
        return nullptr;
    try {
        CDispatchDriver recordset(pRecordset);
        CDispatchDriver fieldList(recordset.Get(kFields, VT_DISPATCH).pdispVal);
        for (const Field& field : fields)
            fieldList.Call(kFieldsAppend, VT_EMPTY, {CVariant(field.strName), CVariant(field.nType), CVariant(field.nSize), CVariant(adFldIsNullable), Missing()});
        recordset.Call(kOpen, VT_EMPTY, {Missing(), Missing(), CVariant(adOpenStatic), CVariant(adLockBatchOptimistic), CVariant(adCmdUnspecified)});
        for (size_t nRow = 0; nRow < rows.size(); ++nRow)
            recordset.Call(kAddNew, VT_EMPTY, {Missing(), Missing()});
        if (rows.empty())
            return pRecordset;
        recordset.Call(kMoveFirst, VT_EMPTY);
        for (const std::vector<CVariant>& row : rows) {
            for (size_t nField = 0; nField < row.size() && nField < fields.size(); ++nField) {
                CDispatchDriver field(fieldList.Get(kFieldsItem, VT_DISPATCH, {CVariant(static_cast<long>(nField))}).pdispVal);
                field.Put(kFieldValue, row[nField]);
            }
            recordset.Call(kMoveNext, VT_EMPTY);
        }
        recordset.Call(kMoveFirst, VT_EMPTY);
    } catch (const CDispatchException&) {
        return nullptr;
    }
    return pRecordset;
}

void CAdoRecordset::Close(IDispatch* pRecordset)
{
    try {
        CDispatchDriver(pRecordset).Call(kClose, VT_EMPTY);
    } catch (const CDispatchException&) {
    }
}
