#pragma once

#include <QString>
#include <QtGlobal>

#include <concepts>
#include <optional>
#include <utility>

// The sentence a failed operation leaves for the person: what failed, the file's full native path and the reason.
struct Failure {
    QString message;
};

// What a successful operation hands back: `Success{value}`, or `Success{}` when it has nothing to hand back.
template <typename T = void> struct Success { T value; };
template <> struct Success<void> {};
template <typename T> Success(T) -> Success<T>;
Success()->Success<void>;

// What every operation that can fail hands back: its value, or the person's message. A result is made only from a
// `Success` or a `Failure`, so that neither can be written by accident (there is no default result); a failure is
// passed on as a result of another kind by `return Failure{r.error()};`.
template <typename T = void> class [[nodiscard]] Result {
public:
    template <typename U>
    requires std::convertible_to<U, T> Result(Success<U> success) : m_value(T(std::move(success.value))) {}
    Result(Failure failure) : m_error(std::move(failure.message)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    // Empty for a result that is ok.
    const QString& error() const { return m_error; }

    // Only a result that is ok holds a value.
    const T& value() const& {
        Q_ASSERT(ok());
        return *m_value;
    }
    T& value() & {
        Q_ASSERT(ok());
        return *m_value;
    }
    T&& value() && {
        Q_ASSERT(ok());
        return std::move(*m_value);
    }
    const T& operator*() const& { return value(); }
    T& operator*() & { return value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }
    // The value, or `fallback` for a failure.
    T valueOr(T fallback) const { return ok() ? *m_value : std::move(fallback); }

private:
    std::optional<T> m_value;
    QString m_error;
};

template <> class [[nodiscard]] Result<void> {
public:
    Result(Success<void>) : m_ok(true) {}
    Result(Failure failure) : m_error(std::move(failure.message)) {}

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const QString& error() const { return m_error; }

private:
    bool m_ok = false;
    QString m_error;
};
