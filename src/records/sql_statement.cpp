#include "records/sql_statement.h"

#include <sqlite3.h>

#include <cstring>

namespace tesselo {

SqlStatement::SqlStatement(sqlite3* db, const char* sql)
{
    prepared = db ? sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) : SQLITE_MISUSE;
}

SqlStatement::~SqlStatement()
{
    sqlite3_finalize(statement);
}

SqlStatement& SqlStatement::Bind(int index, std::int64_t value)
{
    sqlite3_bind_int64(statement, index, value);
    return *this;
}

SqlStatement& SqlStatement::Bind(int index, const QString& text)
{
    return Bind(index, text.toUtf8());
}

SqlStatement& SqlStatement::Bind(int index, const QByteArray& utf8)
{
    // An empty text is still a text, not NULL.
    sqlite3_bind_text64(statement, index, utf8.isNull() ? "" : utf8.constData(), sqlite3_uint64(utf8.size()),
                        SQLITE_TRANSIENT, SQLITE_UTF8);
    return *this;
}

SqlStatement& SqlStatement::BindNull(int index)
{
    sqlite3_bind_null(statement, index);
    return *this;
}

int SqlStatement::Step()
{
    if (prepared != SQLITE_OK)
        return prepared;
    if (!statement)
        return SQLITE_MISUSE; // an empty statement
    return sqlite3_step(statement);
}

int SqlStatement::Run()
{
    int rc = Step();
    while (rc == SQLITE_ROW)
        rc = Step();
    return rc;
}

void SqlStatement::Reset()
{
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
}

bool SqlStatement::IsNull(int column) const
{
    return sqlite3_column_type(statement, column) == SQLITE_NULL;
}

std::int64_t SqlStatement::Int(int column) const
{
    return sqlite3_column_int64(statement, column);
}

std::optional<std::int64_t> SqlStatement::WholeNumber(int column) const
{
    if (sqlite3_column_type(statement, column) != SQLITE_INTEGER)
        return std::nullopt;
    return sqlite3_column_int64(statement, column);
}

QString SqlStatement::Text(int column) const
{
    return QString::fromUtf8(Utf8(column));
}

QByteArray SqlStatement::Utf8(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text ? QByteArray(text, sqlite3_column_bytes(statement, column)) : QByteArray();
}

bool SqlStatement::TextIs(int column, const QByteArray& utf8) const
{
    // Compared where SQLite holds it: no copy for each row of a long read.
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    const int bytes = sqlite3_column_bytes(statement, column);
    return text && bytes == utf8.size() && std::memcmp(text, utf8.constData(), std::size_t(bytes)) == 0;
}

} // namespace tesselo
