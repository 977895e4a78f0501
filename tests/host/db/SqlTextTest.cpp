// Value marks and statement ends are found only outside literals, quoted names and comments.

#include "host/db/SqlText.h"
#include "host/db/Connection.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace host;
using namespace host::db;

namespace {

QString marksOf(const char* sql) {
    QStringList found;
    for (const ValueMark& m : valueMarks(QString::fromUtf8(sql)))
        found << (m.name.isEmpty() ? QStringLiteral("?") : m.name);
    return found.join(QLatin1Char(' '));
}

} // namespace

TEST(SqlText, ValueMarksOutsideLiteralsAndComments) {
    struct Case {
        const char* sql;
        const char* marks;
    };
    const Case cases[] = {
        {"select * from t where a = :A and b = :b_1 and c = :a", "a b_1 a"},
        {"select ':x', 'it'':s :y', \"col:z\" from t where id = :id", "id"},
        {"select 1 -- :comment ?\nfrom t where x = ? /* :block\n ? */ and y = :y", "? y"},
        {"select cast(x as text)::int, a::text from t where b=:b", "b"},
        {"select 'a:b' || :c || ':d'", "c"},
        {"select 5 : 3, x from t", ""}, // a lone colon is no mark
    };
    for (const Case& c : cases)
        EXPECT_EQ(marksOf(c.sql), QString::fromUtf8(c.marks)) << c.sql;

    const QString sql = QStringLiteral("x = :a and y = ':a' and z = :bb");
    EXPECT_EQ(
        replaceMarks(sql, valueMarks(sql), [](const ValueMark& m) { return m.name + m.name; }),
        QStringLiteral("x = aa and y = ':a' and z = bbbb"));
}

TEST(SqlText, UnterminatedTextIsAnError) {
    for (const char* sql : {"select 'abc from t", "select \"abc from t", "select 1 /* never"})
        EXPECT_THROW(valueMarks(QString::fromUtf8(sql)), DbError) << sql;
}

TEST(SqlText, ScriptSplitsAtSemicolonsOutsideText) {
    const auto s = splitStatements(
        QStringLiteral("-- heading; with a semicolon\ncreate table a (x integer);\n\n"
                       "insert into a values (1); -- tail\n"
                       "insert into t (s) values ('a;b'' ;c');\n/* only a comment; */\n;"));
    ASSERT_EQ(s.size(), 3u);
    EXPECT_TRUE(s[0].endsWith(QLatin1String("create table a (x integer)")));
    EXPECT_EQ(s[1], QStringLiteral("insert into a values (1)"));
    EXPECT_EQ(s[2], QStringLiteral("-- tail\ninsert into t (s) values ('a;b'' ;c')"));
    EXPECT_EQ(quoted(QStringLiteral("it's")), QStringLiteral("'it''s'"));
}
