// CItemSlots: follows the indices of the items that outside objects stand for while items come
// and go before them. A slot holds its item's index, or -1 once the item is gone; it lives as
// long as one of its holders.
#pragma once
#include <memory>
#include <vector>

class CItemSlots {
public:
    // The slot of the item at nIndex: the same one for every holder of that item.
    std::shared_ptr<long> Slot(long nIndex);
    void OnInserted(long nFirst, long nCount);
    void OnDeleted(long nFirst, long nCount);
    // Every item gone at once (all deleted, or moved beyond following).
    void ForgetAll();

private:
    // Calls move for every slot still held; the others are let go.
    template <class Move>
    void MoveEach(Move move);

    std::vector<std::weak_ptr<long>> m_slots;
};
