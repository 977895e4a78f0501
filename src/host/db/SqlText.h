#pragma once
// What the host needs to find in SQL text without understanding it: the value marks of a
// statement and the ends of the statements of a script. String literals ('it''s'), quoted
// names ("a b") and comments (-- and /* */) are skipped, so a colon or a semicolon inside
// them is left alone. The text itself is never rewritten: it is already portable SQL.

#include <QString>

#include <vector>

namespace host::db {

struct ValueMark {
    qsizetype pos = 0; // where the mark starts
    qsizetype len = 0; // ":name" or "?"
    QString name;      // lower case, without ':'; empty for "?"
};

// The ":name" and "?" marks, in order. "::" (a PostgreSQL cast) is no mark. Throws DbError on
// an unterminated literal, quoted name or comment.
std::vector<ValueMark> valueMarks(const QString& sql);

// The text with each mark replaced by what replace(mark) gives.
template <typename F>
QString replaceMarks(const QString& sql, const std::vector<ValueMark>& marks, F replace) {
    QString out;
    qsizetype from = 0;
    for (const ValueMark& m : marks) {
        out += QStringView(sql).mid(from, m.pos - from);
        out += replace(m);
        from = m.pos + m.len;
    }
    out += QStringView(sql).mid(from);
    return out;
}

// The statements of a script split at ";" (blank ones dropped, comments kept with their
// statement).
std::vector<QString> splitStatements(const QString& script);

// A text as an SQL string literal: apostrophes doubled.
QString quoted(const QString& text);

} // namespace host::db
