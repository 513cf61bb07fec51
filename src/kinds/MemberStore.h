// CMemberStore: where a group row finds the rows of its group - the store behind a page that
// folds its properties under group rows.
#pragma once
#include <string>

class CControlsWnd_CGroup;

class CMemberStore {
public:
    // Replaces the group's members by the store rows filed under strGroup (case ignored), in
    // store order.
    virtual void CollectMembers(CControlsWnd_CGroup* pGroup, const std::string& strGroup) = 0;

protected:
    ~CMemberStore() = default;
};
