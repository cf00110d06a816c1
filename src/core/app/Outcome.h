#pragma once

#include "Refusal.h"

#include <utility>
#include <variant>

namespace tkd {

// The result of a command that has nothing to hand back but "done".
struct Done {};

// What every core command returns: its result, or the refusal the window shows (message,
// icon, field to focus, fields to empty). A refused command has written nothing.
template <typename T = Done> class Outcome {
public:
    Outcome(T value) : m_state(std::move(value)) {}
    Outcome(Refusal refusal) : m_state(std::move(refusal)) {}

    bool ok() const { return std::holds_alternative<T>(m_state); }
    bool refused() const { return !ok(); }
    // Only on a refused outcome.
    const Refusal& refusal() const { return std::get<Refusal>(m_state); }
    // Only on an accepted outcome.
    const T& value() const { return std::get<T>(m_state); }
    T& value() { return std::get<T>(m_state); }
    const T& operator*() const { return value(); }
    T& operator*() { return value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }

private:
    std::variant<Refusal, T> m_state;
};

} // namespace tkd
