#pragma once
// A seam's stand-in: while one is installed it replaces a piece of the platform (a dialog, a
// sound, a folder), so that tests run without a person, audio or the installed files. Each
// seam keeps one Hook behind its own setter; ScopedHook installs a stand-in for a scope.

#include <type_traits>
#include <utility>

namespace platform {

template <typename T>
class Hook
{
public:
    // The stand-in; empty (no function, an empty path) while the real thing runs.
    const T& get() const { return value_; }
    // Installs `value` and returns the stand-in it replaces.
    T exchange(T value) { return std::exchange(value_, std::move(value)); }

private:
    T value_{};
};

// Installs `value` through a seam's setter for as long as it lives, then puts back what was
// installed before: also when a failed assertion leaves the test early, so that an override
// never leaks into the next test.
template <typename T>
class ScopedHook
{
public:
    using Setter = T (*)(T);

    ScopedHook(Setter set, std::type_identity_t<T> value) : set_(set), previous_(set(std::move(value))) {}
    ~ScopedHook() { set_(std::move(previous_)); }
    ScopedHook(const ScopedHook&) = delete;
    ScopedHook& operator=(const ScopedHook&) = delete;

private:
    Setter set_;
    T previous_;
};

} // namespace platform
