#pragma once

#include <QString>

// What a file operation tells its caller: success, or a sentence for the person naming the file and the reason.
struct Result {
    bool ok = true;
    QString error;

    static Result success() { return {}; }
    static Result failure(const QString& text) { return {false, text}; }
    explicit operator bool() const { return ok; }
};
