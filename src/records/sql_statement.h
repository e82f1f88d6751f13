#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace tesselo {

// One statement prepared on an SQLite connection, finalized when it goes.
// Binding is by position from 1; a statement that did not prepare answers
// its error code at Step, so that callers check one result.
class SqlStatement {
public:
    SqlStatement(sqlite3* db, const char* sql);
    ~SqlStatement();
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    SqlStatement& Bind(int index, std::int64_t value);
    SqlStatement& Bind(int index, const QString& text);
    SqlStatement& Bind(int index, const QByteArray& utf8);
    SqlStatement& BindNull(int index);
    template <typename T>
    SqlStatement& Bind(int index, const std::optional<T>& value)
    {
        return value ? Bind(index, *value) : BindNull(index);
    }

    // SQLITE_ROW while there are rows, SQLITE_DONE at the end, else the
    // error (the preparation's own when it failed).
    int Step();
    // Runs the statement to its end; SQLITE_DONE when it went through.
    int Run();
    // Makes the statement ready to run again with new bindings.
    void Reset();

    bool IsNull(int column) const;
    std::int64_t Int(int column) const;
    // The column's whole number, or none when it holds another type (text,
    // a real number, a blob, null), which Int would turn into some number.
    std::optional<std::int64_t> WholeNumber(int column) const;
    QString Text(int column) const;
    QByteArray Utf8(int column) const;
    // Whether the column holds exactly this text.
    bool TextIs(int column, const QByteArray& utf8) const;

private:
    sqlite3_stmt* statement = nullptr;
    int prepared = 0;
};

} // namespace tesselo
