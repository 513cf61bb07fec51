// CDateComboBox: the date picker that the DataComboBox kind places over a value cell. Every
// change of its date reaches the row at once, as the text the picker shows.
#pragma once
#include "DateTimeCtrl.h"
#include "LifeToken.h"

class CControlsWnd;

class CDateComboBox : public CDateTimeCtrl {
public:
    static constexpr UINT kPickerId = 1000;
    static constexpr WORD kFirstYear = 1601;

    // Makes the hidden picker in the row's page list, in the list's font. The picker belongs
    // to pControlsWnd.
    virtual BOOL CreateForRow(CControlsWnd* pControlsWnd);

    // Shows the date a text names in the user's short date format; a text that names no date
    // the picker can show leaves it on the date it shows.
    void ShowDateOf(const std::string& strText);

protected:
    LRESULT OnDateTimeChange(WPARAM, LPARAM);
    LRESULT OnCommitChange(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    // Posted by a change: the row hears of it once the picker is done with its own handling,
    // so a host that ends the row as it hears does not pull the picker from under that.
    static constexpr UINT kCommitChange = WM_APP + 1;

    bool m_bCommitPosted = false;
    CControlsWnd* m_pControlsWnd = nullptr;
    CLifeToken::CWatch m_controlsAlive;
};
