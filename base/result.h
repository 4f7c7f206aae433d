#pragma once
// Results of operations that can fail: a value, or a failure with a message a user can
// read (in French when a user will read it). Readers of outside data return these and
// never throw.
#include <QString>
#include <expected>

struct Failure {
    QString message;
};

template <class T>
using Result = std::expected<T, Failure>;

inline std::unexpected<Failure> fail(const QString &message)
{
    return std::unexpected(Failure{message});
}
