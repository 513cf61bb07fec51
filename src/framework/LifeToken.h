// CLifeToken: held by an object that host code, run from inside the object's own calls, may
// delete. A watch taken from the token tells whether the object still exists, even when a new
// object has since been made at the same address.
#pragma once
#include <memory>

class CLifeToken {
public:
    class CWatch {
    public:
        CWatch() = default;
        bool IsAlive() const { return !m_alive.expired(); }
        explicit operator bool() const { return IsAlive(); }

    private:
        friend class CLifeToken;
        explicit CWatch(std::weak_ptr<const void> alive) : m_alive(std::move(alive)) {}
        std::weak_ptr<const void> m_alive;
    };

    CLifeToken() = default;
    CLifeToken(const CLifeToken&) = delete;
    CLifeToken& operator=(const CLifeToken&) = delete;

    CWatch Watch() const { return CWatch(m_alive); }

private:
    std::shared_ptr<const void> m_alive = std::make_shared<char>(0);
};
