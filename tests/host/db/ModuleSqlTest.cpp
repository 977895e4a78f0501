// The chart module's look-ups against the demo fleet on each backend, through the functions
// the window calls. Where the module's statement was written for SQL Server (top N, isnull,
// dateadd, delete without from), the portable one is used: limit N, coalesce, the date
// arithmetic done before binding, delete from.

#include "DbFixture.h"

#include "host/Flota.h"
#include "host/KatyCzas.h"
#include "host/Naruszenia.h"
#include "host/Sesja.h"
#include "host/Slowniki.h"
#include "host/db/DemoData.h"

using namespace host;
using namespace tacho_test;

namespace {

class ModuleSql : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_TRUE(db::FillDemoData(db()));
    }
    int rows(const QString& sql) {
        Query q(sql, db());
        q.open();
        return q.RecordCount();
    }
};

} // namespace

TEST_P(ModuleSql, DriversAndDictionaries) {
    // Employed on the chart's day and visible to the user: the driver who left in 2023 is not.
    auto on = [](int y, int u) {
        Query q = KierowcyZatrudnieni(QDate(y, 3, 5), u);
        q.open();
        return q;
    };
    EXPECT_EQ(on(2024, 1).RecordCount(), 5);
    EXPECT_EQ(on(2023, 1).RecordCount(), 6);
    EXPECT_EQ(on(2024, 2).RecordCount(), 3);
    EXPECT_EQ(on(2024, 1).asString(QStringLiteral("nazwisko_imie")),
              QStringLiteral("Kamiński Adam"));

    Query en = StatusyTarczy(2);
    en.open();
    EXPECT_EQ(en.asString(QStringLiteral("wartosc")), QStringLiteral("Abroad"));
    // A language without translations falls back to the dictionary's own texts.
    Query inny = StatusyTarczy(3);
    inny.open();
    EXPECT_EQ(inny.RecordCount(), 4);
}

TEST_P(ModuleSql, OpenChartRows) {
    const QString dll = QStringLiteral("lista_tacho.dll");
    const int a = addChart(1, TDateTime::encode(2024, 3, 5));
    EXPECT_FALSE(JestWierszSesji(dll, a, 1));
    ZapiszWierszSesji(dll, a, 1);
    ZapiszWierszSesji(dll, a, 1);
    ZapiszWierszSesji(dll, 0, 1); // not stored yet: nothing to tell others
    EXPECT_EQ(rows(QStringLiteral("select id_sesji from sesja")), 1);
    EXPECT_TRUE(JestWierszSesji(dll, a, 1));
    EXPECT_FALSE(JestWierszSesji(dll, a, 2));
    UsunWierszSesji(dll, a, 1);
    EXPECT_FALSE(JestWierszSesji(dll, a, 1));
}

TEST_P(ModuleSql, ApprovedInfringements) {
    // Approved infringements of a day: a missing act reads as 2 (coalesce for isnull).
    exec(QStringLiteral("insert into naruszenia (id_k, data, data_do, typ, ustawa, zatwierdzone) "
                        "values (1, '2024-03-05 20:00:00.000', null, 4, null, 1)"));
    const std::vector<NaruszenieZatwierdzone> inf =
        NaruszeniaZatwierdzone(1, TDateTime::encode(2024, 3, 5));
    ASSERT_EQ(inf.size(), 2u);
    EXPECT_EQ(inf[0].typ, 0);
    EXPECT_EQ(inf[0].ustawa, 2);
    EXPECT_EQ(inf[1].typ, 4);
    EXPECT_EQ(inf[1].ustawa, 2);
    EXPECT_EQ(inf[1].data, TDateTime::encode(2024, 3, 5, 20, 0));
    EXPECT_EQ(inf[1].data_do.value, 0.0);
}

INSTANTIATE_TEST_SUITE_P(, ModuleSql, ::testing::Values(backendUnderTest()), backendName);
