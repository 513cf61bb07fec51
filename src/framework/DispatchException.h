// CDispatchException: a failed call through a dispatch driver. Callers that drive an outside
// object through a sequence of calls catch it to end the sequence quietly.
#pragma once
#include <windows.h>

#include <stdexcept>

class CDispatchException : public std::runtime_error {
public:
    CDispatchException(HRESULT hr, DISPID dispid)
        : std::runtime_error("dispatch call failed"), m_hr(hr), m_dispid(dispid) {}
    HRESULT GetResult() const { return m_hr; }
    DISPID GetDispid() const { return m_dispid; }

private:
    HRESULT m_hr;
    DISPID m_dispid;
};
