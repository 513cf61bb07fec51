// GuardCall: the edge where calls come in from code that knows nothing of C++ exceptions (the
// system calling a window procedure, a COM client calling a method). Whatever the call throws
// ends here, and the caller gets the fallback's answer instead: a value, or a function giving one.
#pragma once
#include <type_traits>

template <class Call, class Fallback>
auto GuardCall(Call&& call, Fallback&& fallback) noexcept -> decltype(call())
{
    try {
        return call();
    } catch (...) {
        if constexpr (std::is_invocable_v<Fallback>)
            return fallback();
        else
            return fallback;
    }
}
