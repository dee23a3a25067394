#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>
#include <utility>

// The sentence a failed operation leaves for the person: what failed, the file's full native path and the reason.
struct Failure {
    QString message;
};

// What every operation that can fail hands back: its value, or the person's message in `error`. `Result<>`
// carries no value. A failure is passed on as a result of another kind by `return Failure{r.error};`.
template <typename T = void> class [[nodiscard]] Result {
public:
    Result(T value) : ok(true), m_value(std::move(value)) {}
    Result(Failure failure) : error(std::move(failure.message)) {}
    static Result failure(QString message) { return Failure{std::move(message)}; }

    explicit operator bool() const { return ok; }

    // Only a result that is ok holds a value.
    const T& value() const& {
        Q_ASSERT(ok);
        return *m_value;
    }
    T& value() & {
        Q_ASSERT(ok);
        return *m_value;
    }
    T&& value() && {
        Q_ASSERT(ok);
        return std::move(*m_value);
    }
    const T& operator*() const& { return value(); }
    T& operator*() & { return value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }

    bool ok = false;
    QString error;

private:
    std::optional<T> m_value;
};

template <> class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : ok(false), error(std::move(failure.message)) {}
    static Result success() { return {}; }
    static Result failure(QString message) { return Failure{std::move(message)}; }

    explicit operator bool() const { return ok; }

    bool ok = true;
    QString error;
};
