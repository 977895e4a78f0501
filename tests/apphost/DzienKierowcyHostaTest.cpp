// The driver's next chart opened from a window of tacho-host: the module makes the window, the
// host frames it and counts a module handle for it, and the module goes when both are closed.

#include "HostAppFixture.h"

#include "ModulChild.h"
#include "SrodowiskoHosta.h"

#include "chartwin/TOknoKXMDIChild.h"
#include "host/TDateTime.h"
#include "host/Ustawienia.h"
#include "host/db/Query.h"

#include <QComboBox>
#include <QDateEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolButton>

namespace {

TEST_F(HostAppTest, NextChartOfTheDriverOpensInTheHostsArea) {
    host::ExecQuery(QStringLiteral("insert into kierowca (id_k, nazwisko) values (7, 'Nowak')"));
    const int t1 = dodajTarczeReczna({{2024, 3, 5}, 7});
    const int t2 = dodajTarczeReczna({{2024, 3, 6}, 7});
    QWidget* w1 = okno->otworzZapisana(t1);
    ASSERT_NE(w1, nullptr);
    auto* kierowca = w1->findChild<QComboBox*>(QStringLiteral("kierowca"));
    if (kierowca->findData(7) < 0) kierowca->addItem(QStringLiteral("Nowak"), 7);
    kierowca->setCurrentIndex(kierowca->findData(7));
    w1->findChild<QDateEdit*>(QStringLiteral("data_tacho"))->setDate({2024, 3, 5});

    w1->findChild<QToolButton*>(QStringLiteral("nast_dzien"))->click();
    dostarcz();
    ASSERT_EQ(okno->oknaTarcz().size(), 2u);
    QWidget* w2 = okno->oknaTarcz().back();
    EXPECT_TRUE(static_cast<TOknoKXMDIChild*>(w2)->CzyTarcza(t2));
    EXPECT_EQ(okno->obszar()->subWindowList().size(), 2);
    const kx::HostTag tag = static_cast<TOknoKXMDIChild*>(w1)->GetTag();
    EXPECT_EQ(static_cast<TOknoKXMDIChild*>(w2)->GetTag(), tag);
    EXPECT_EQ(okno->modul().ileUchwytow(tag), 2);

    // Asked again, the open window is brought forward instead.
    w1->findChild<QToolButton*>(QStringLiteral("nast_dzien"))->click();
    dostarcz();
    EXPECT_EQ(okno->oknaTarcz().size(), 2u);
    EXPECT_EQ(okno->obszar()->activeSubWindow()->widget(), w2);

    // The first window closes, then the one the module made: nothing of it stays mapped.
    for (QMdiSubWindow* ramka : okno->obszar()->subWindowList()) {
        ramka->close();
        dostarcz();
        EXPECT_TRUE(modulZaladowany() || okno->oknaTarcz().empty());
    }
    EXPECT_TRUE(okno->oknaTarcz().empty());
    EXPECT_EQ(okno->modul().ileUchwytow(), 0);
    EXPECT_FALSE(modulZaladowany());
    EXPECT_TRUE(dialogi->unexpected.isEmpty()) << dialogi->unexpected.join('|').toStdString();
}

} // namespace
