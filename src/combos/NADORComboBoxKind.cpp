#include "NADORComboBoxKind.h"

#include "ADORField.h"
#include "ADORFields.h"
#include "ADORRecordset.h"
#include "Dpi.h"
#include "NComboKinds.h"
#include "PageListOwner.h"

namespace {

const long kColumnWidth = 128;

} // namespace

std::string CControlsWnd_CNADORComboBox::GetClassName() const
{
    return kNADORComboBoxClass;
}

void CControlsWnd_CNADORComboBox::LoadItems()
{
    CPageListOwner* pOwner = GetOwner();
    if (m_bLoaded || !pOwner)
        return;
    CComPointer<IDispatch> pDispatch;
    const CLifeToken::CWatch alive = Watch();
    pOwner->FireSetObject(GetOwnPage(), m_nRow, pDispatch.Out());
    if (!alive || !pDispatch || !HasNCombo())
        return;
    try {
        CADORRecordset recordset(pDispatch);
        CADORFields fields(recordset.GetFields());
        const long nFields = fields.GetCount();
        const long nColumnWidth = CDpi::OfWindow(m_ncombo.m_hWnd).Scale(kColumnWidth);
        for (long nField = 0; nField < nFields; ++nField)
            m_ncombo.InsertColumn(nField, CADORField(fields.GetItem(nField)).GetName(), nColumnWidth, 0, TRUE, TRUE);
        recordset.MoveFirst();
        for (long nNext = 0; !recordset.IsEOF(); ++nNext) {
            const long nRow = m_ncombo.InsertItem(nNext, std::string());
            m_ncombo.SetItemData(nRow, recordset.GetAbsolutePosition());
            for (long nField = 0; nField < nFields; ++nField)
                m_ncombo.SetItemText(nRow, nField, CADORField(fields.GetItem(nField)).GetText());
            recordset.MoveNext();
        }
        m_bLoaded = TRUE;
    } catch (const CDispatchException&) {
    }
}
