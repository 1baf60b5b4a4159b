#pragma once

#include <QString>
#include <utility>

// Outcome of a parser or a checked builder: a value, or an error text that
// says why the input was refused.
template <typename T>
struct CodecResult
{
    T Value{};
    QString Error;

    bool Ok() const { return Error.isEmpty(); }
    explicit operator bool() const { return Ok(); }

    static CodecResult Success(T value) { return CodecResult{std::move(value), QString()}; }
    static CodecResult Failure(const QString &error) { return CodecResult{T{}, error}; }
};
