// A scan imported into tacho-host and saved from its window: the host's chart list shows the
// new chart at once, and the chart opens again from the list with what was saved.

#include "HostAppFixture.h"

#include "ListaTarcz.h"

#include "host/Ustawienia.h"
#include "host/db/Query.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

namespace {

void wybierz(QWidget* okno, const char* pole, int id, const QString& tekst) {
    auto* box = okno->findChild<QComboBox*>(QLatin1String(pole));
    ASSERT_NE(box, nullptr);
    if (box->findData(id) < 0) box->addItem(tekst, id);
    box->setCurrentIndex(box->findData(id));
}

TEST_F(HostAppTest, SavedScanAppearsInTheListAndOpensAgain) {
    host::ExecQuery(QStringLiteral("insert into kierowca (id_k, nazwisko) values (7, 'Nowak')"));
    host::ExecQuery(QStringLiteral("insert into samochod (id_s, nr_rej) values (3, 'WX 1')"));
    host::SetZm(QStringLiteral("sciezka_ob"), QStringLiteral("KX"), katalog.path());
    QDir().mkpath(katalog.filePath(QStringLiteral("Image")));
    okno->lista()->odswiez();
    ASSERT_EQ(okno->lista()->ileWierszy(), 0);

    const std::vector<QWidget*> otwarte = okno->importuj({tarczaBmp(QStringLiteral("t.bmp"))});
    ASSERT_EQ(otwarte.size(), 1u);
    QWidget* w = otwarte[0];
    wybierz(w, "kierowca", 7, QStringLiteral("Nowak"));
    wybierz(w, "nr_rej", 3, QStringLiteral("WX 1"));
    w->findChild<QLineEdit*>(QStringLiteral("km_od"))->setText(QStringLiteral("1000"));
    auto* zap1 = w->findChild<QPushButton*>(QStringLiteral("zap1"));
    zap1->setEnabled(true);
    zap1->click();
    ASSERT_FALSE(zap1->isEnabled()) << qPrintable(dialogi->shown.join('\n'));

    // The list reads again once the save has returned to the event loop.
    QCoreApplication::processEvents();
    ASSERT_EQ(okno->lista()->ileWierszy(), 1);
    const int idt = okno->lista()->idTarczy(0);
    EXPECT_TRUE(w->windowTitle().endsWith(QStringLiteral("(%1)").arg(idt)));
    EXPECT_TRUE(QFile::exists(katalog.filePath(QStringLiteral("Image/%1.bmp").arg(idt))));

    // Closed and opened again from the list: the same driver and odometer.
    w->findChild<QPushButton*>(QStringLiteral("Button6"))->click();
    dostarcz();
    QWidget* w2 = okno->otworzZapisana(idt);
    ASSERT_NE(w2, nullptr);
    EXPECT_EQ(w2->findChild<QComboBox*>(QStringLiteral("kierowca"))->currentData().toInt(), 7);
    EXPECT_EQ(w2->findChild<QLineEdit*>(QStringLiteral("km_od"))->text(), QStringLiteral("1000"));
    host::Query q(QStringLiteral("select count(*) as n from poz_zdarz where id_t = :id"));
    q.setParam(QStringLiteral("id"), idt);
    q.open();
    EXPECT_GT(q.asInteger(QStringLiteral("n")), 0);
}

} // namespace
