#pragma once

#include <QString>
#include <stdexcept>

// The one error type of the core. It carries a message in Turkish, ready to show
// in the message window; `what()` gives the same text in UTF-8 for logs and tests.
class AppError : public std::runtime_error {
public:
    explicit AppError(const QString& message);
    AppError(const QString& message, const QString& detail);

    const QString& message() const noexcept { return message_; }
    // Technical detail (for example the database's own words); may be empty.
    const QString& detail() const noexcept { return detail_; }

private:
    QString message_;
    QString detail_;
};

// A command that lost a race with another workstation (the server found the two could not both
// stand, or that they waited on each other). Nothing of it was written; the same command run
// again normally succeeds, so a command transaction retries it before telling the user.
class ConcurrentChangeError : public AppError {
public:
    using AppError::AppError;
};
