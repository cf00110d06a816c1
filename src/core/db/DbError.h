#pragma once

#include <QString>
#include <stdexcept>

namespace tkd {

// An error of the database engine or of the data layer, carrying the engine's own message.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message, int code = 0)
        : std::runtime_error(message.toStdString()), m_message(message), m_code(code)
    {
    }
    const QString& message() const { return m_message; }
    // The engine's result code (SQLite's extended code), 0 for errors raised by the layer itself.
    int code() const { return m_code; }

private:
    QString m_message;
    int m_code;
};

} // namespace tkd
