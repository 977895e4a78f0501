// The demo charts in every state the chart window opens differently, each opened from the
// host's list as a user would.

#include "DemoTarcze.h"
#include "HostAppFixture.h"

#include "host/HostContext.h"
#include "host/Resstrings.h"
#include "host/db/Query.h"

#include <QLineEdit>
#include <QTableView>

#include <vector>

TEST_F(HostAppTest, EveryDemoStateOpensWithItsPeriods) {
    host::SetDataFolder(katalog.path());
    ASSERT_GT(dodajTarczeDemo(), 0);
    ASSERT_EQ(dodajTarczeStanow(), 5);
    std::vector<int> id;
    host::Query q(QStringLiteral("select id_t from tacho order by id_t desc limit 5"));
    for (q.open(); !q.Eof(); q.Next())
        id.insert(id.begin(), q.asInteger(QStringLiteral("id_t")));
    ASSERT_EQ(id.size(), 5u);
    const auto otworz = [&](int idt) {
        QWidget* w = okno->otworzZapisana(idt);
        EXPECT_NE(w, nullptr) << idt;
        return w;
    };
    // The host sees the window's controls only: the period grid and the picture's path.
    const auto okresy = [](QWidget* w) {
        return w->findChild<QTableView*>(QStringLiteral("zdarz_grid"))->model()->rowCount();
    };
    const auto sciezka = [](QWidget* w) {
        return w->findChild<QLineEdit*>(QStringLiteral("sciezkaedit"))->text();
    };

    // Stored without periods, and a scan whose centre was never measured: both are read.
    for (const int idt : {id[0], id[1]}) {
        QWidget* w = otworz(idt);
        ASSERT_NE(w, nullptr);
        EXPECT_GT(okresy(w), 2) << idt;
    }
    EXPECT_TRUE(dialogi->shown.isEmpty()) << dialogi->shown.join(QLatin1Char('|')).toStdString();

    // A free day: the option's text, no notice.
    QWidget* wolny = otworz(id[2]);
    ASSERT_NE(wolny, nullptr);
    EXPECT_TRUE(
        sciezka(wolny).contains(host::LoadResstrings(QStringLiteral("Resstrings_IDS_Dodaj_wuc"))));
    EXPECT_TRUE(dialogi->shown.isEmpty());

    // The picture missing: the notice names it, the stored periods stay.
    dialogi->pushAnswer(host::IDYES);
    QWidget* bez_obrazu = otworz(id[3]);
    ASSERT_NE(bez_obrazu, nullptr);
    ASSERT_EQ(dialogi->shown.size(), 1);
    EXPECT_TRUE(dialogi->shown[0].contains(QStringLiteral("%1.bmp").arg(id[3])));
    EXPECT_GT(okresy(bez_obrazu), 2);

    // Added by hand: no picture looked for, the stored periods on the blank disc.
    QWidget* reczna = otworz(id[4]);
    ASSERT_NE(reczna, nullptr);
    EXPECT_EQ(dialogi->shown.size(), 1);
    EXPECT_GT(okresy(reczna), 2);
}
