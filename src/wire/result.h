#pragma once

#include <QString>

#include <utility>
#include <variant>

namespace wire {

// Why a body or a value could not be decoded, or a value could not be read
// as the kind a caller asked for. The message names the place ("result[0]",
// "row 12, column 3 (FIYAT, float)") and what was expected.
struct Error {
    QString message;

    // The same error with a place in front: "result[2]: " + message.
    Error within(const QString &place) const;
};

// A value or the error that prevented it (a small stand-in for std::expected,
// which this compiler does not offer yet).
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(Error error) : m_state(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    // Only when ok().
    T &value() & { return std::get<0>(m_state); }
    const T &value() const & { return std::get<0>(m_state); }
    T &&value() && { return std::get<0>(std::move(m_state)); }
    T *operator->() { return &std::get<0>(m_state); }
    const T *operator->() const { return &std::get<0>(m_state); }

    // Only when !ok().
    const Error &error() const { return std::get<1>(m_state); }
    QString errorText() const { return ok() ? QString() : error().message; }

private:
    std::variant<T, Error> m_state;
};

} // namespace wire
