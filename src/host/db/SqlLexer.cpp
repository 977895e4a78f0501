#include "host/db/SqlLexer.h"

#include "host/db/Connection.h"

namespace host::sql {

namespace {

bool identStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_');
}
bool identPart(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$') ||
           c == QLatin1Char('#');
}

// End (exclusive) of a quoted run starting at i with quote character q; doubled quotes are
// part of the run.
qsizetype quotedEnd(const QString& s, qsizetype i, QChar q, const QString& whole) {
    qsizetype k = i + 1;
    while (true) {
        if (k >= s.size()) throw DbError(QStringLiteral("Unterminated quoted text in SQL"), whole);
        if (s[k] == q) {
            if (k + 1 < s.size() && s[k + 1] == q) {
                k += 2;
                continue;
            }
            return k + 1;
        }
        ++k;
    }
}

} // namespace

bool Token::isWord(const char* w) const {
    return kind == Tok::Word && text.compare(QLatin1String(w), Qt::CaseInsensitive) == 0;
}

QString Token::unquoted() const {
    if (kind == Tok::String) {
        const qsizetype start = text.indexOf(QLatin1Char('\'')) + 1;
        QString inner = text.mid(start, text.size() - start - 1);
        return inner.replace(QStringLiteral("''"), QStringLiteral("'"));
    }
    if (kind == Tok::QName) {
        QString inner = text.mid(1, text.size() - 2);
        if (text.startsWith(QLatin1Char('"')))
            inner.replace(QStringLiteral("\"\""), QStringLiteral("\""));
        else
            inner.replace(QStringLiteral("]]"), QStringLiteral("]"));
        return inner;
    }
    return text;
}

Tokens lex(const QString& s) {
    Tokens out;
    const qsizetype n = s.size();
    qsizetype i = 0;
    auto push = [&](Tok k, qsizetype end) {
        out.push_back({k, s.mid(i, end - i)});
        i = end;
    };
    while (i < n) {
        const QChar c = s[i];
        const QChar d = i + 1 < n ? s[i + 1] : QChar();
        if (c.isSpace()) {
            qsizetype k = i;
            while (k < n && s[k].isSpace())
                ++k;
            push(Tok::Space, k);
        } else if (c == QLatin1Char('-') && d == QLatin1Char('-')) {
            qsizetype k = s.indexOf(QLatin1Char('\n'), i);
            push(Tok::Comment, k < 0 ? n : k);
        } else if (c == QLatin1Char('/') && d == QLatin1Char('*')) {
            const qsizetype k = s.indexOf(QStringLiteral("*/"), i + 2);
            if (k < 0) throw DbError(QStringLiteral("Unterminated comment in SQL"), s);
            push(Tok::Comment, k + 2);
        } else if (c == QLatin1Char('\'')) {
            push(Tok::String, quotedEnd(s, i, c, s));
        } else if ((c == QLatin1Char('N') || c == QLatin1Char('n')) && d == QLatin1Char('\'')) {
            push(Tok::String, quotedEnd(s, i + 1, d, s));
        } else if (c == QLatin1Char('"')) {
            push(Tok::QName, quotedEnd(s, i, c, s));
        } else if (c == QLatin1Char('[')) {
            push(Tok::QName, quotedEnd(s, i, QLatin1Char(']'), s));
        } else if (c == QLatin1Char(':') && identStart(d)) {
            qsizetype k = i + 1;
            while (k < n && (s[k].isLetterOrNumber() || s[k] == QLatin1Char('_')))
                ++k;
            push(Tok::Param, k);
        } else if (c == QLatin1Char('@') && (identStart(d) || d == QLatin1Char('@'))) {
            qsizetype k = i + 1;
            while (k < n && (identPart(s[k]) || s[k] == QLatin1Char('@')))
                ++k;
            push(Tok::Variable, k);
        } else if (identStart(c)) {
            qsizetype k = i;
            while (k < n && identPart(s[k]))
                ++k;
            push(Tok::Word, k);
        } else if (c.isDigit() || (c == QLatin1Char('.') && d.isDigit())) {
            qsizetype k = i;
            while (k < n && (s[k].isDigit() || s[k] == QLatin1Char('.')))
                ++k;
            if (k < n && (s[k] == QLatin1Char('e') || s[k] == QLatin1Char('E'))) {
                qsizetype e = k + 1;
                if (e < n && (s[e] == QLatin1Char('+') || s[e] == QLatin1Char('-'))) ++e;
                if (e < n && s[e].isDigit()) {
                    while (e < n && s[e].isDigit())
                        ++e;
                    k = e;
                }
            }
            push(Tok::Number, k);
        } else {
            static const char* const pairs[] = {"<=", ">=", "<>", "!=", "||", "::"};
            qsizetype len = 1;
            for (const char* p : pairs)
                if (c == QLatin1Char(p[0]) && d == QLatin1Char(p[1])) len = 2;
            push(Tok::Symbol, i + len);
        }
    }
    return out;
}

QString join(const Tokens& t, size_t from, size_t to) {
    QString r;
    for (size_t i = from; i < t.size() && i < to; ++i)
        r += t[i].text;
    return r;
}

size_t nextSolid(const Tokens& t, size_t i) {
    for (size_t k = i; k < t.size(); ++k)
        if (!t[k].blank()) return k;
    return npos;
}

size_t prevSolid(const Tokens& t, size_t i) {
    for (size_t k = i; k-- > 0;)
        if (!t[k].blank()) return k;
    return npos;
}

size_t matchingParen(const Tokens& t, size_t open) {
    int depth = 0;
    for (size_t k = open; k < t.size(); ++k) {
        if (t[k].isSymbol('('))
            ++depth;
        else if (t[k].isSymbol(')') && --depth == 0)
            return k;
    }
    return npos;
}

QString quoted(const QString& text) {
    QString inner = text;
    inner.replace(QStringLiteral("'"), QStringLiteral("''"));
    return QLatin1Char('\'') + inner + QLatin1Char('\'');
}

std::vector<QString> splitStatements(const QString& script) {
    const Tokens t = lex(script);
    std::vector<QString> out;
    size_t start = 0;
    auto flush = [&](size_t end) {
        const QString stmt = join(t, start, end);
        bool solid = false;
        for (size_t k = start; k < end; ++k)
            solid = solid || !t[k].blank();
        if (solid) out.push_back(stmt.trimmed());
        start = end + 1;
    };
    for (size_t k = 0; k < t.size(); ++k)
        if (t[k].isSymbol(';')) flush(k);
    flush(t.size());
    return out;
}

} // namespace host::sql
