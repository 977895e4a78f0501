#include "HostAppFixture.h"

#include "DaneHosta.h"
#include "DemoTarcze.h"
#include "ListaTarcz.h"
#include "ModulChild.h"

#include "SrodowiskoHosta.h"

#include "chartwin/TOknoKXMDIChild.h"
#include "host/Biblioteki.h"
#include "host/HostContext.h"
#include "host/HostMessages.h"
#include "host/Resstrings.h"
#include "host/TDateTime.h"
#include "host/db/Query.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace {

kx::HostTag tagOkna(QWidget* w) {
    return static_cast<TOknoKXMDIChild*>(w)->GetTag();
}

void kliknij(QWidget* okno, const char* przycisk) {
    okno->findChild<QPushButton*>(QLatin1String(przycisk))->click();
}

} // namespace

TEST_F(HostAppTest, TwoDiscSheetOpensTwoWindows) {
    const QString arkusz = arkuszDwochTarcz();
    const std::vector<QWidget*> otwarte = okno->importuj({arkusz});
    ASSERT_EQ(otwarte.size(), 2u);
    EXPECT_EQ(okno->obszar()->subWindowList().size(), 2);
    EXPECT_TRUE(dialogi->shown.isEmpty()) << qPrintable(dialogi->shown.join('\n'));
    // Each window holds its own disc of the sheet, named by the file and its number.
    EXPECT_EQ(otwarte[0]->windowTitle(), QStringLiteral("arkusz.png (1/2)"));
    EXPECT_EQ(otwarte[1]->windowTitle(), QStringLiteral("arkusz.png (2/2)"));
    // Both came from one load of the module: one tag, two handles.
    EXPECT_EQ(tagOkna(otwarte[0]), tagOkna(otwarte[1]));
    EXPECT_EQ(okno->modul().ileUchwytow(tagOkna(otwarte[0])), 2);
}

TEST_F(HostAppTest, BadFileAmongGoodOnesIsNamedAndTheRestOpen) {
    const QString dobry1 = tarczaBmp(QStringLiteral("pierwsza.bmp"));
    const QString zly = plikTekstowy(QStringLiteral("notatka.png"));
    const QString brak = katalog.filePath(QStringLiteral("nie_ma.bmp"));
    const QString dobry2 = tarczaBmp(QStringLiteral("druga.bmp"));
    dialogi->pushAnswer(host::IDOK);
    const std::vector<QWidget*> otwarte = okno->importuj({dobry1, zly, brak, dobry2});
    ASSERT_EQ(otwarte.size(), 2u);
    EXPECT_EQ(otwarte[0]->windowTitle(), QStringLiteral("pierwsza.bmp"));
    EXPECT_EQ(otwarte[1]->windowTitle(), QStringLiteral("druga.bmp"));
    // One message at the end names every refused file and no good one.
    ASSERT_EQ(dialogi->shown.size(), 1);
    const QString m = dialogi->shown[0];
    EXPECT_TRUE(m.contains(QStringLiteral("notatka.png"))) << qPrintable(m);
    EXPECT_TRUE(m.contains(QStringLiteral("nie_ma.bmp"))) << qPrintable(m);
    EXPECT_FALSE(m.contains(QStringLiteral("pierwsza.bmp")));
    EXPECT_FALSE(m.contains(QStringLiteral("druga.bmp")));
}

TEST_F(HostAppTest, CloseRequestDestroysTheWindowAndTheLastOneUnloadsTheModule) {
    QWidget* a = okno->nowaTarcza();
    QWidget* b = okno->nowaTarcza();
    ASSERT_TRUE(a && b);
    dostarcz();
    const kx::HostTag tag = tagOkna(a);
    EXPECT_EQ(okno->modul().ileUchwytow(tag), 2);
    EXPECT_TRUE(modulZaladowany());

    // a's close button posts 0x491: the host destroys a; its 0x7EF gives back one handle.
    kliknij(a, "Button6");
    dostarcz();
    EXPECT_EQ(okno->oknaTarcz(), std::vector<QWidget*>{b});
    EXPECT_EQ(okno->obszar()->subWindowList().size(), 1);
    EXPECT_EQ(okno->modul().ileUchwytow(tag), 1);
    EXPECT_TRUE(modulZaladowany());

    // The last window goes: nothing of the module stays mapped.
    okno->obszar()->subWindowList().front()->close();
    dostarcz();
    EXPECT_EQ(okno->modul().ileUchwytow(), 0);
    EXPECT_FALSE(modulZaladowany());
    // And the module loads again for the next chart.
    EXPECT_NE(okno->nowaTarcza(), nullptr);
}

TEST_F(HostAppTest, MessagesAboutUnknownWindowsChangeNothing) {
    QWidget* a = okno->nowaTarcza();
    ASSERT_NE(a, nullptr);
    dostarcz();
    QWidget obcy;
    host::PostMessage(kx::kMsgZamknij, reinterpret_cast<std::intptr_t>(&obcy), 0);
    host::PostMessage(kx::kMsgZwolnijModul, 12345, 0);
    dostarcz();
    EXPECT_EQ(okno->oknaTarcz(), std::vector<QWidget*>{a});
    EXPECT_EQ(okno->modul().ileUchwytow(), 1);
}

TEST_F(HostAppTest, ResizedWindowOutsideTheAreaIsBroughtBack) {
    QWidget* a = okno->nowaTarcza();
    ASSERT_NE(a, nullptr);
    QMdiSubWindow* ramka = okno->obszar()->subWindowList().front();
    ramka->showNormal();
    ramka->move(-500, -400);
    a->resize(a->width() - 20, a->height() - 20); // the window's resize sends 0x492
    EXPECT_TRUE(okno->obszar()->viewport()->rect().contains(ramka->geometry().topLeft()));
}

TEST_F(HostAppTest, StoredChartFromTheListOpensOnceInItsMode) {
    const int id = dodajTarczeReczna({{2024, 3, 5}});
    QWidget* w = okno->otworzZapisana(id);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(static_cast<TOknoKXMDIChild*>(w)->CzyTarcza(id));
    EXPECT_TRUE(w->windowTitle().startsWith(QStringLiteral("2024-03-05")));
    // A second request brings the same window forward.
    EXPECT_EQ(okno->otworzZapisana(id), w);
    EXPECT_EQ(okno->oknaTarcz().size(), 1u);
    // A chart deleted meanwhile is told, not opened.
    dialogi->pushAnswer(host::IDOK);
    EXPECT_EQ(okno->otworzZapisana(id + 100), nullptr);
    EXPECT_EQ(dialogi->shown.size(), 1);
}

TEST_F(HostAppTest, ListFiltersByDriverAndMonth) {
    host::ExecQuery(QStringLiteral(
        "insert into kierowca (id_k, nazwisko, imie) values (1, 'Kowalski', 'Jan')"));
    host::ExecQuery(
        QStringLiteral("insert into kierowca (id_k, nazwisko, imie) values (2, 'Nowak', 'Piotr')"));
    struct Tarcza {
        int id_k, miesiac, dzien;
    };
    for (const Tarcza t : {Tarcza{1, 3, 4}, Tarcza{1, 3, 31}, Tarcza{1, 4, 1}, Tarcza{2, 3, 5}}) {
        host::Query q(QStringLiteral("insert into tacho (data, id_k) values (:d, :k)"));
        q.setParam(QStringLiteral("d"), host::TDateTime::encode(2024, t.miesiac, t.dzien, 23, 30));
        q.setParam(QStringLiteral("k"), t.id_k);
        q.exec();
    }
    okno->lista()->odswiez();
    struct Filtr {
        int id_k;
        QDate miesiac;
        int wiersze;
    };
    for (const Filtr f : {Filtr{0, {}, 4}, Filtr{1, {}, 3}, Filtr{0, QDate(2024, 3, 1), 3},
                          Filtr{1, QDate(2024, 3, 17), 2}, Filtr{2, QDate(2024, 4, 1), 0}}) {
        okno->lista()->ustawFiltr(f.id_k, f.miesiac);
        EXPECT_EQ(okno->lista()->ileWierszy(), f.wiersze)
            << f.id_k << qPrintable(f.miesiac.toString());
    }
    EXPECT_TRUE(okno->lista()->blad().isEmpty());
}

TEST_F(HostAppTest, MissingModuleOrEntryPointIsToldAndTheHostRunsOn) {
    QTemporaryDir bez_modulu;
    QDir(bez_modulu.path()).mkpath(QStringLiteral("dane/Korvix"));
    QFile::copy(host::MapLibraryPath(QStringLiteral("ust_tacho.ini")),
                bez_modulu.filePath(QStringLiteral("ust_tacho.ini")));
    const QString runtime = host::ExeFolder();

    host::SetExeFolder(bez_modulu.path());
    dialogi->pushAnswer(host::IDOK);
    EXPECT_EQ(okno->nowaTarcza(), nullptr);
    ASSERT_EQ(dialogi->shown.size(), 1);
    EXPECT_TRUE(dialogi->shown[0].contains(QStringLiteral("libChild.so")))
        << qPrintable(dialogi->shown[0]);

    // A library of that name without the entry points: the missing one is named.
    QFile::copy(QDir(runtime).filePath(QStringLiteral("dane/Korvix/libKxZamianaZdarzen.so")),
                bez_modulu.filePath(QStringLiteral("dane/Korvix/libChild.so")));
    dialogi->pushAnswer(host::IDOK);
    EXPECT_EQ(okno->nowaTarcza(), nullptr);
    ASSERT_EQ(dialogi->shown.size(), 2);
    EXPECT_TRUE(dialogi->shown[1].contains(QStringLiteral("_Execute")))
        << qPrintable(dialogi->shown[1]);
    EXPECT_EQ(okno->modul().ileUchwytow(), 0);

    // An import then names the module trouble once and opens nothing.
    dialogi->pushAnswer(host::IDOK);
    EXPECT_TRUE(okno->importuj({tarczaBmp(QStringLiteral("a.bmp"))}).empty());
    EXPECT_EQ(dialogi->shown.size(), 3);

    // The host runs on: with the module back, charts open.
    host::SetExeFolder(runtime);
    EXPECT_NE(okno->nowaTarcza(), nullptr);
    EXPECT_TRUE(dialogi->unexpected.isEmpty());
}

TEST_F(HostAppTest, ListReadsAgainWhenTheModuleAsks) {
    EXPECT_EQ(okno->lista()->ileWierszy(), 0);
    host::ExecQuery(QStringLiteral("insert into tacho (data) values ('2024-03-05 00:00:00.000')"));
    host::OdswiezListeTarczDni();
    host::OdswiezListeTarczDni(); // asked twice during one save: read once, after it
    EXPECT_EQ(okno->lista()->ileWierszy(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(okno->lista()->ileWierszy(), 1);
}

TEST(DaneHosta, FirstStartCreatesTheDatabaseWithDemoChartsAndPictures) {
    QTemporaryDir dane;
    OpcjeHosta opcje;
    opcje.dane = dane.filePath(QStringLiteral("nowy/folder"));
    opcje.jezyk = host::kJezykAngielski;
    const StanDanych stan = przygotujDane(opcje);
    EXPECT_TRUE(stan.bazaNowa);
    EXPECT_TRUE(QFileInfo(stan.plikBazy).isFile());
    EXPECT_EQ(host::GetLanguageId(), host::kJezykAngielski);
    EXPECT_GT(
        host::GetIntDB(QStringLiteral("select count(*) as n from kierowca"), QStringLiteral("n")),
        0);
    const int tarcze = dodajTarczeDemo();
    EXPECT_GE(tarcze, 3);
    EXPECT_EQ(dodajTarczeDemo(), 0); // once only
    // Every chart has its periods and its picture under the image folder.
    host::Query q(QStringLiteral(
        "select t.id_t, (select count(*) from poz_zdarz p where p.id_t = t.id_t) as okresy, "
        "a.kat24 from tacho t join tacho_analog a on a.id_t = t.id_t"));
    int wiersze = 0;
    for (q.open(); !q.Eof(); q.Next(), ++wiersze) {
        EXPECT_GT(q.asInteger(QStringLiteral("okresy")), 2);
        const QString obraz =
            QDir(opcje.dane)
                .filePath(QStringLiteral("Image/%1.bmp").arg(q.asInteger(QStringLiteral("id_t"))));
        QImage img(obraz);
        EXPECT_EQ(img.width(), 1000) << qPrintable(obraz);
    }
    EXPECT_EQ(wiersze, tarcze);
    // A second start finds the database as it was: no second demo.
    EXPECT_FALSE(przygotujDane(opcje).bazaNowa);
    usunSrodowiskoHosta();
}

TEST(DaneHosta, DatabaseThatIsNotOursIsRefusedByName) {
    QTemporaryDir dane;
    QFile obcy(dane.filePath(QStringLiteral("tacho.sqlite")));
    ASSERT_TRUE(obcy.open(QIODevice::WriteOnly));
    obcy.write("this is no database");
    obcy.close();
    OpcjeHosta opcje;
    opcje.dane = dane.path();
    try {
        przygotujDane(opcje);
        ADD_FAILURE() << "refused database accepted";
    } catch (const BladDanych& e) {
        EXPECT_TRUE(e.opis().contains(QStringLiteral("tacho.sqlite"))) << qPrintable(e.opis());
    }
    usunSrodowiskoHosta();
}

TEST_F(HostAppTest, DoubleClickOnTheListOpensTheChart) {
    host::ExecQuery(QStringLiteral("insert into tacho (data) values ('2024-03-05 00:00:00.000')"));
    okno->lista()->odswiez();
    auto* tabela = okno->lista()->findChild<QTableView*>(QStringLiteral("tabela_tarcz"));
    ASSERT_NE(tabela, nullptr);
    const QRect r = tabela->visualRect(tabela->model()->index(0, 0));
    // A double click as the window system gives it: a click, then the double click.
    QTest::mouseClick(tabela->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_TRUE(okno->oknaTarcz().empty());
    QTest::mouseDClick(tabela->viewport(), Qt::LeftButton, {}, r.center());
    ASSERT_EQ(okno->oknaTarcz().size(), 1u);
    EXPECT_TRUE(
        static_cast<TOknoKXMDIChild*>(okno->oknaTarcz()[0])->CzyTarcza(okno->lista()->idTarczy(0)));
}
