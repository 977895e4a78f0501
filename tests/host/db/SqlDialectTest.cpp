// SQL Server texts of the module and what each backend receives.

#include "host/db/SqlDialect.h"

#include <gtest/gtest.h>

using namespace host;

namespace {

struct Case {
    const char* name;
    const char* input;
    const char* sqlite;
    const char* postgres; // nullptr: same as sqlite
};

const Case kCases[] = {
    {"top_in_subquery_limits_the_subquery",
     "select * from t where id = (select top (1) id from u order by id desc) and x = 1",
     "select * from t where id = (select id from u order by id desc limit 1) and x = 1", nullptr},
    {"distinct_top_with_trailing_blanks", "select distinct top 5 nr_rej from t order by 1 \n",
     "select distinct nr_rej from t order by 1 limit 5 \n", nullptr},
    {"isnull", "select isnull(ustawa, 2) as ustawa, ISNULL (x,0) from naruszenia",
     "select coalesce(ustawa, 2) as ustawa, coalesce (x,0) from naruszenia", nullptr},
    {"bracketed_names_and_dbo",
     "select [Data], d.[id_] from [dbo].[Komunikacja] d join dbo.tacho t on 1=1",
     "select \"Data\", d.\"id_\" from \"Komunikacja\" d join tacho t on 1=1",
     "select \"data\", d.\"id_\" from \"komunikacja\" d join tacho t on 1=1"},
    {"bracketed_alias_with_blank_keeps_its_case", "select nr_rej as [Nr rej] from samochod",
     "select nr_rej as \"Nr rej\" from samochod", nullptr},
    {"unicode_literal", "select * from miasto where miasto = N'Łódź'",
     "select * from miasto where miasto = 'Łódź'", nullptr},
    {"literals_and_comments_untouched",
     "select 'top 1 isnull( [x] dbo.y @v :p' as t -- top 3 isnull(\nfrom t /* dateadd(day,1,x) */",
     "select 'top 1 isnull( [x] dbo.y @v :p' as t -- top 3 isnull(\nfrom t /* dateadd(day,1,x) */",
     nullptr},
    {"dateadd_amount_expression", "select dateadd(mi, :n * 15, data) from tacho",
     "select strftime('%Y-%m-%d %H:%M:%f', data, (:n * 15) || ' minutes') from tacho",
     "select (cast(data as timestamp(3)) + (:n * 15) * interval '1 minute') from tacho"},
    {"dateadd_nested_and_weeks", "select dateadd(wk, 2, dateadd(hh, 3, getdate()))",
     "select strftime('%Y-%m-%d %H:%M:%f', strftime('%Y-%m-%d %H:%M:%f', strftime('%Y-%m-%d "
     "%H:%M:%f', 'now', 'localtime'), '3 hours'), '14 days')",
     "select (cast((cast(localtimestamp(3) as timestamp(3)) + interval '3 hour') as timestamp(3)) "
     "+ interval '14 day')"},
    {"delete_without_from", "delete kierowcy_opisy where czy_premium = 0 and id_k = 5",
     "delete from kierowcy_opisy where czy_premium = 0 and id_k = 5", nullptr},
    {"plus_next_to_a_literal_concatenates",
     "select 'Kierowca: ' + nazwisko + ' ' + imie, km_kon + 1 from kierowca",
     "select 'Kierowca: ' || nazwisko || ' ' || imie, km_kon + 1 from kierowca", nullptr},
    {"positional_insert_into_identity_table", "insert into sesja values ('lista_tacho.dll', 5, 3)",
     "insert into sesja (nazwa_dll, id_, id_u) values ('lista_tacho.dll', 5, 3)", nullptr},
    {"positional_insert_without_identity_unchanged", "insert into kierowcy_opisy values (4, 0)",
     "insert into kierowcy_opisy values (4, 0)", nullptr},
    {"declare_select_batch",
     " declare @id_k int, @czas_od datetime, @czas_do datetime;  select @id_k = :id_k, @czas_od = "
     ":czas_od, @czas_do = :czas_do  select t.id_t from tacho t where (id_k=@id_k ) AND t.data >= "
     "dateadd(day, -1, @czas_od) and p.czas_od < @czas_do",
     "select t.id_t from tacho t where (id_k=:id_k ) AND t.data >= strftime('%Y-%m-%d %H:%M:%f', "
     ":czas_od, '-1 days') and p.czas_od < :czas_do",
     "select t.id_t from tacho t where (id_k=cast(:id_k as integer) ) AND t.data >= "
     "(cast(:czas_od as timestamp(3)) + interval '-1 day') and p.czas_od < cast(:czas_do as "
     "timestamp(3))"},
    {"unset_variable_is_null_and_set_uses_earlier_variables",
     "declare @a int, @b int, @c varchar(10) set @a = 4 set @b = @a * 2 select @a, @b, @c",
     "select 4, (4 * 2), NULL", "select 4, cast(4 * 2 as integer), NULL"},
    // The compact SQL Server date form is stored in the canonical text.
    {"execute_sql_with_positional_date_argument",
     "declare @d datetime, @k float set @d = '20240305 10:45' set @k = 361.5 exec sp_executesql "
     "N' INSERT INTO [dbo].[poz_zdarz_org] ([czas_do], [km]) VALUES (@d, @k)', N'@d datetime, "
     "@k float', @d, @k",
     "INSERT INTO \"poz_zdarz_org\" (\"czas_do\", \"km\") VALUES ('2024-03-05 10:45:00.000', "
     "361.5)",
     "INSERT INTO \"poz_zdarz_org\" (\"czas_do\", \"km\") VALUES (cast('2024-03-05 10:45:00.000' "
     "as timestamp(3)), 361.5)"},
    {"execute_sql_named_arguments",
     "exec sp_executesql N'select * from t where a = @x and b = @y', N'@x int, @y nvarchar(20)', "
     "@y = N'O''Brien', @x = 7",
     "select * from t where a = 7 and b = 'O''Brien'",
     "select * from t where a = 7 and b = cast('O''Brien' as text)"},
};

std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

class Dialect : public ::testing::TestWithParam<Case> {};

QStringList insertColumns(const QString& table) {
    if (table == QLatin1String("sesja"))
        return {QStringLiteral("nazwa_dll"), QStringLiteral("id_"), QStringLiteral("id_u")};
    return {};
}

} // namespace

TEST_P(Dialect, AdaptsForEachBackend) {
    const Case& c = GetParam();
    EXPECT_EQ(SqlDialect::adapt(QString::fromUtf8(c.input), Backend::SQLite, insertColumns),
              QString::fromUtf8(c.sqlite));
    EXPECT_EQ(SqlDialect::adapt(QString::fromUtf8(c.input), Backend::PostgreSQL, insertColumns),
              QString::fromUtf8(c.postgres ? c.postgres : c.sqlite));
}

INSTANTIATE_TEST_SUITE_P(SqlServerTexts, Dialect, ::testing::ValuesIn(kCases), caseName);

TEST(DialectErrors, RefusedTextsNameTheProblem) {
    const std::pair<const char*, const char*> bad[] = {
        {"select a from t where b = @b", "@b"},
        {"declare @a int select x from t where a = @b", "@b"},
        {"select top 10 percent * from t", "percent"},
        {"select dateadd(fortnight, 1, data) from t", "fortnight"},
        {"select dateadd(day, 1) from t", "three arguments"},
        {"exec sp_executesql N'select @a', N'@a int', 1, 2", "more arguments"},
        {"declare @a int; select 1 from t; select 2 from t", "one statement"},
        {"select 'unterminated from t", "Unterminated"},
    };
    for (const auto& [sql, why] : bad) {
        for (Backend backend : {Backend::SQLite, Backend::PostgreSQL}) {
            try {
                SqlDialect::adapt(QString::fromLatin1(sql), backend);
                ADD_FAILURE() << "accepted: " << sql;
            } catch (const DbError& e) {
                EXPECT_TRUE(e.message.contains(QLatin1String(why))) << e.message.toStdString();
                EXPECT_EQ(e.statement, QString::fromLatin1(sql));
            }
        }
    }
}
