#pragma once
// A small lexer for SQL text: enough to rewrite statements without touching what lies inside
// string literals, quoted names and comments. Concatenating the texts of all tokens gives the
// input back exactly.

#include <QString>

#include <vector>

namespace host::sql {

enum class Tok {
    Space,    // blanks, tabs, line ends
    Comment,  // -- to end of line, /* ... */
    Word,     // identifier or keyword
    Number,   // 12, 1.5, 1e-3
    String,   // '...' (also N'...')
    QName,    // "name" or [name]
    Param,    // :name
    Variable, // @name (and @@name)
    Symbol,   // one punctuation character, or one of <= >= <> != || ::
    Raw       // text produced by a rewrite, never by lex()
};

struct Token {
    Tok kind;
    QString text;

    bool isWord(const char* w) const; // case-insensitive keyword test
    bool isSymbol(char c) const { return kind == Tok::Symbol && text.size() == 1 && text[0] == c; }
    bool blank() const { return kind == Tok::Space || kind == Tok::Comment; }
    // Inner text of a String or QName token, quotes removed and doubled quotes undone.
    QString unquoted() const;
    // Param or Variable name without its ':' / '@'.
    QString name() const { return text.mid(1); }
};

using Tokens = std::vector<Token>;

// Throws DbError on an unterminated literal or comment.
Tokens lex(const QString& text);
QString join(const Tokens& tokens, size_t from = 0, size_t to = size_t(-1));

// Index of the next / previous token that is not blank, or npos.
constexpr size_t npos = size_t(-1);
size_t nextSolid(const Tokens& t, size_t i);
size_t prevSolid(const Tokens& t, size_t i);
// Index of the ")" matching the "(" at open, or npos.
size_t matchingParen(const Tokens& t, size_t open);

// SQL string literal for a text: apostrophes doubled.
QString quoted(const QString& text);

// The statements of a script, split at top-level ";" (comments kept with their statement,
// empty statements dropped).
std::vector<QString> splitStatements(const QString& script);

} // namespace host::sql
