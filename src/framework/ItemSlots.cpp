#include "ItemSlots.h"

#include <algorithm>

template <class Move>
void CItemSlots::MoveEach(Move move)
{
    m_slots.erase(std::remove_if(m_slots.begin(), m_slots.end(), [](const std::weak_ptr<long>& w) { return w.expired(); }),
                  m_slots.end());
    for (const std::weak_ptr<long>& weak : m_slots) {
        if (const std::shared_ptr<long> pSlot = weak.lock(); pSlot && *pSlot >= 0)
            *pSlot = move(*pSlot);
    }
}

std::shared_ptr<long> CItemSlots::Slot(long nIndex)
{
    for (const std::weak_ptr<long>& weak : m_slots) {
        if (std::shared_ptr<long> pSlot = weak.lock(); pSlot && *pSlot == nIndex)
            return pSlot;
    }
    auto pSlot = std::make_shared<long>(nIndex);
    MoveEach([](long n) { return n; });
    m_slots.push_back(pSlot);
    return pSlot;
}

void CItemSlots::OnInserted(long nFirst, long nCount)
{
    if (!m_slots.empty())
        MoveEach([nFirst, nCount](long n) { return n < nFirst ? n : n + nCount; });
}

void CItemSlots::OnDeleted(long nFirst, long nCount)
{
    if (!m_slots.empty())
        MoveEach([nFirst, nCount](long n) { return n < nFirst ? n : n < nFirst + nCount ? -1 : n - nCount; });
}

void CItemSlots::ForgetAll()
{
    MoveEach([](long) { return -1L; });
    m_slots.clear();
}
