// CGdiObject: owns one GDI object handle and deletes it when it goes; movable, not copyable.
// The font, brush, pen, bitmap and palette classes derive from it.
#pragma once
#include <windows.h>

#include <utility>

template <typename THandle>
class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(THandle hObject) : m_hObject(hObject) {}
    ~CGdiObject() { Reset(); }
    CGdiObject(CGdiObject&& other) noexcept : m_hObject(other.Detach()) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    THandle Get() const { return m_hObject; }
    operator THandle() const { return m_hObject; }
    bool IsNull() const { return m_hObject == nullptr; }

    // Takes ownership of hObject, deleting the handle held before.
    void Reset(THandle hObject = nullptr)
    {
        if (m_hObject)
            DeleteObject(m_hObject);
        m_hObject = hObject;
    }
    THandle Detach() { return std::exchange(m_hObject, nullptr); }

private:
    THandle m_hObject = nullptr;
};
