// The chart header: driver, co-driver and vehicle boxes for the chart date with the firm
// filters, the driver's default vehicle, the odometer, status, dictionaries, the fleet
// editors, and the driver's previous and next chart through the module's own windows.

#include "ModuleFixture.h"
#include "SrodowiskoHosta.h"

#include "chartwin/TMDIChild.h"
#include "host/HostContext.h"
#include "host/KatyCzas.h"
#include "host/Resstrings.h"
#include "host/TDateTime.h"
#include "host/Ustawienia.h"
#include "host/db/Query.h"

#include <QCompleter>
#include <QDialog>
#include <QValidator>

namespace {

class NaglowekTest : public ModuleTest {};

const QDate kDzien{2024, 3, 12};

QVariant data_param(const QDate& d) {
    return d.isValid() ? QVariant::fromValue(host::TDateTime::fromDate(d)) : QVariant();
}

int wstaw(const QString& sql, const std::vector<std::pair<QString, QVariant>>& p) {
    host::Query q(sql);
    for (const auto& [n, v] : p)
        q.setParam(n, v);
    q.exec();
    return q.lastInsertId().toInt();
}

// A firm the logged-in user works for.
int firma(const QString& nazwa) {
    const int id = wstaw(QStringLiteral("insert into firma (nazwa) values (:n)"), {{"n", nazwa}});
    wstaw(QStringLiteral("insert into uzytkownik_firma (id_u, id_f) values (:u, :f)"),
          {{"u", host::AktIdU()}, {"f", id}});
    return id;
}

struct Kierowca {
    QString nazwisko;
    int id_f = 0;
    QDate od, do_;
    int sam = 0, konw = 0;
};

int kierowca(const Kierowca& k) {
    return wstaw(QStringLiteral("insert into kierowca (nazwisko, id_f, data_od, data_do, "
                                "domyslny_sam, id_konwojenta) values (:n, :f, :od, :do, :s, :k)"),
                 {{"n", k.nazwisko},
                  {"f", k.id_f},
                  {"od", data_param(k.od)},
                  {"do", data_param(k.do_)},
                  {"s", k.sam ? QVariant(k.sam) : QVariant()},
                  {"k", k.konw ? QVariant(k.konw) : QVariant()}});
}

int samochod(const QString& nr, int id_f, int maly = 0) {
    return wstaw(
        QStringLiteral("insert into samochod (nr_rej, id_f, czy_maly) values (:n, :f, :m)"),
        {{"n", nr}, {"f", id_f}, {"m", maly}});
}

QStringList teksty(const QComboBox* box) {
    QStringList t;
    for (int i = 0; i < box->count(); ++i)
        t << box->itemText(i);
    return t;
}

void wybierz(QComboBox* box, int id) {
    box->setCurrentIndex(box->findData(id));
}

QString R(const char* key) {
    return host::LoadResstrings(QLatin1String(key));
}

void ustaw_filtr_firmy(int id_f) {
    host::SetZm(QStringLiteral("filtracja_kierowcow"), QStringLiteral("ALL"), id_f > 0);
    host::SetZm(QStringLiteral("filtracja_samochodow"), QStringLiteral("ALL"), id_f > 0);
    host::SetZm(QStringLiteral("aktywna_firma"), QStringLiteral("ALL"), id_f);
}

// The firms and drivers of the box tests: Borowski left his job before the chart date.
struct Zaloga {
    int f1 = firma(QStringLiteral("Trans A")), f2 = firma(QStringLiteral("Trans B"));
    int adamski = kierowca({QStringLiteral("Adamski"), f1, {2024, 1, 1}, {}});
    int borowski = kierowca({QStringLiteral("Borowski"), f1, {2023, 1, 1}, {2024, 3, 1}});
    int cichy = kierowca({QStringLiteral("Cichy"), f2, {}, {}});
};

TEST_F(NaglowekTest, BoxesFollowEmploymentDatesAndTheActiveFirm) {
    const Zaloga z;
    TMDIChild w(nullptr, false);
    w.wypelnij_kierowcow(kDzien);
    // The driver list holds every driver; the co-driver lists only those employed that day.
    EXPECT_EQ(teksty(w.kierowca), QStringList({"Adamski", "Borowski", "Cichy"}));
    EXPECT_EQ(teksty(w.konwojent), QStringList({"", "Adamski", "Cichy"}));
    EXPECT_EQ(teksty(w.konwojent2), QStringList({"", "Adamski", "Cichy"}));
    w.wypelnij_kierowcow({2024, 2, 1});
    EXPECT_EQ(teksty(w.konwojent), QStringList({"", "Adamski", "Borowski", "Cichy"}));

    // The search pop-up finds a name by any part of it.
    QCompleter* szukaj = w.kierowca->completer();
    ASSERT_NE(szukaj, nullptr);
    szukaj->setCompletionPrefix(QStringLiteral("SKI"));
    EXPECT_EQ(szukaj->completionCount(), 2);
    EXPECT_EQ(w.kierowca->insertPolicy(), QComboBox::NoInsert) << "typing never adds a driver";

    ustaw_filtr_firmy(z.f1);
    w.wypelnij_kierowcow(kDzien);
    EXPECT_EQ(teksty(w.kierowca), QStringList({"Adamski", "Borowski"}));
    EXPECT_EQ(teksty(w.konwojent), QStringList({"", "Adamski"}));
    EXPECT_TRUE(dialogi->shown.isEmpty());
}

TEST_F(NaglowekTest, CoDriverNoLongerEmployedIsReportedOnceAndCleared) {
    const Zaloga z;
    TMDIChild w(nullptr, false);
    w.wypelnij_kierowcow({2024, 2, 1});
    wybierz(w.kierowca, z.borowski);
    wybierz(w.konwojent, z.borowski);
    wybierz(w.konwojent2, z.adamski);
    dialogi->pushAnswer(host::IDOK);
    w.wypelnij_kierowcow(kDzien);
    EXPECT_EQ(dialogi->shown, QStringList{R("Resstrings_IDS_konwojent_nie_zatr")});
    EXPECT_EQ(w.konwojent->currentIndex(), 0);
    EXPECT_EQ(w.konwojent2->currentData().toInt(), z.adamski);
    // The driver list has no employment limit: he stays the driver.
    EXPECT_EQ(w.kierowca->currentData().toInt(), z.borowski);
    EXPECT_EQ(w.kierowca1->text(), QStringLiteral("Borowski"));
}

TEST_F(NaglowekTest, DriverLeftOutByTheFirmFilterIsNotReportedButAVanishedOneIs) {
    const Zaloga z;
    TMDIChild w(nullptr, false);
    w.wypelnij_kierowcow(kDzien);
    wybierz(w.kierowca, z.cichy);
    ustaw_filtr_firmy(z.f1);
    w.wypelnij_kierowcow(kDzien);
    EXPECT_EQ(w.kierowca->currentIndex(), -1);
    EXPECT_FALSE(w.edytuj_kier->isEnabled());
    EXPECT_TRUE(dialogi->shown.isEmpty());

    wybierz(w.kierowca, z.adamski);
    wstaw(QStringLiteral("delete from kierowca where id_k = :k"), {{"k", z.adamski}});
    dialogi->pushAnswer(host::IDOK);
    w.wypelnij_kierowcow(kDzien);
    EXPECT_EQ(dialogi->shown, QStringList{R("Resstrings_IDS_kier_nie_zatr")});
}

TEST_F(NaglowekTest, StoredDriverAndVehicleStayInFilteredBoxes) {
    const Zaloga z;
    const int maly = samochod(QStringLiteral("WZ 0001"), z.f2, 1);
    const int duzy = samochod(QStringLiteral("WZ 0002"), z.f1);
    TMDIChild w(nullptr, false);
    ustaw_filtr_firmy(z.f1);
    w.wczytana = 1;
    w.id_k_tarczy = z.cichy;
    w.id_s_tarczy = maly;
    w.wypelnij_kierowcow(kDzien);
    w.wypelnij_samochody();
    EXPECT_EQ(w.kierowca->itemText(w.kierowca->findData(z.cichy)), QStringLiteral("Cichy"));
    EXPECT_EQ(teksty(w.nr_rej), QStringList({"", "WZ 0002", "WZ 0001"}));
    wybierz(w.nr_rej, duzy);
    w.wypelnij_samochody(); // the selection survives a refill
    EXPECT_EQ(w.nr_rej->currentData().toInt(), duzy);
    EXPECT_TRUE(w.edytuj_sam->isEnabled());
    EXPECT_EQ(w.nr_rej1->text(), QStringLiteral("WZ 0002"));
}

TEST_F(NaglowekTest, DriverBringsHisDefaultVehicleAndCoDriver) {
    const Zaloga z;
    // A small vehicle is not in the box: choosing the driver adds it.
    const int sam = samochod(QStringLiteral("KR 5000"), z.f1, 1);
    const int dudek = kierowca({QStringLiteral("Dudek"), z.f1, {}, {}, sam, z.adamski});
    TMDIChild w(nullptr, false);
    w.wypelnij_kierowcow(kDzien);
    w.wypelnij_samochody();
    ASSERT_EQ(w.nr_rej->findData(sam), -1);
    wybierz(w.kierowca, dudek);
    w.kierowcaCloseUp();
    EXPECT_EQ(w.nr_rej->currentData().toInt(), sam);
    EXPECT_EQ(w.nr_rej1->text(), QStringLiteral("KR 5000"));
    EXPECT_TRUE(w.edytuj_sam->isEnabled());
    EXPECT_EQ(w.konwojent->currentData().toInt(), z.adamski);
    EXPECT_EQ(w.konwojent2->currentIndex(), 0);
    EXPECT_TRUE(w.zap1->isEnabled());
}

TEST_F(NaglowekTest, OdometerColoursFollowTheTolerance) {
    host::SetZm(QStringLiteral("roz_km"), QStringLiteral("KX"), 5);
    TMDIChild w(nullptr, false);
    w.suma_km->setText(QStringLiteral("100"));
    auto niezgodny = [&w] {
        EXPECT_NE(w.Image13->isHidden(), w.Image8->isHidden());
        return !w.Image13->isHidden();
    };
    w.ustaw_licznik(1000, 1106);
    EXPECT_EQ(w.roznica_km->text(), QStringLiteral("106"));
    EXPECT_EQ(w.roznica_km1->text(), QStringLiteral("106"));
    EXPECT_EQ(w.km_do1->text(), QStringLiteral("1106"));
    EXPECT_TRUE(niezgodny());
    EXPECT_EQ(w.roznica_km->palette().color(QPalette::Text), QColor(0xC2, 0x01, 0x22));
    w.ustaw_licznik(1000, 1105);
    EXPECT_FALSE(niezgodny());
    EXPECT_EQ(w.roznica_km->palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_EQ(w.zmieniony, 0) << "written by code, not changed by the user";

    w.ustaw_licznik(1000, 1200);
    ASSERT_TRUE(niezgodny());
    w.zaloga->setChecked(true);
    w.zalogaClick();
    EXPECT_FALSE(niezgodny()) << "the crew box checks again";
}

TEST_F(NaglowekTest, EndReadingProposesTheStartFromTheVehiclesLastChart) {
    const int f = firma(QStringLiteral("Trans"));
    const int s = samochod(QStringLiteral("PO 1"), f);
    dodajTarczeReczna({{2024, 3, 10}, 0, 0, 0, s, 5000});
    dodajTarczeReczna({{2024, 3, 11}, 0, 0, 0, s, 5150});
    dodajTarczeReczna({{2024, 3, 11}, 0, 0, 0, s, 5200});
    dodajTarczeReczna({{2024, 3, 13}, 0, 0, 0, s, 9999});
    TMDIChild w(nullptr, false);
    w.data_tacho->setDate(kDzien);
    w.wypelnij_samochody();
    w.km_od->setText(QStringLiteral("0"));
    w.km_do->clear();
    w.km_doEnter(); // no vehicle: nothing proposed
    EXPECT_EQ(w.km_od->text(), QStringLiteral("0"));
    EXPECT_EQ(w.km_do->text(), QStringLiteral("0"));
    wybierz(w.nr_rej, s);
    w.km_doEnter();
    EXPECT_EQ(w.km_od->text(), QStringLiteral("5200"));
    w.km_od->clear();
    w.km_od_Exit();
    EXPECT_EQ(w.km_od->text(), QStringLiteral("0"));
}

TEST_F(NaglowekTest, OdometerFieldsTakeDigitsOnlyAndOfferAZeroForReplacing) {
    TMDIChild w(nullptr, false);
    for (QLineEdit* e : {w.km_od, w.km_do}) {
        ASSERT_NE(e->validator(), nullptr);
        for (const auto& [tekst, dobry] : {std::pair{"120450", true}, std::pair{"12a", false},
                                           std::pair{"-5", false}, std::pair{"1 000", false}}) {
            QString t = QLatin1String(tekst);
            int pos = 0;
            EXPECT_EQ(e->validator()->validate(t, pos) == QValidator::Acceptable, dobry) << tekst;
        }
    }
    w.km_do->setText(QStringLiteral("0"));
    w.km_doClick();
    EXPECT_EQ(w.km_do->selectedText(), QStringLiteral("0"));
    w.km_do->setText(QStringLiteral("10"));
    w.km_doClick();
    EXPECT_TRUE(w.km_do->selectedText().isEmpty());
}

TEST_F(NaglowekTest, StatusButtonTogglesTagHintAndGlyph) {
    TMDIChild w(nullptr, false);
    for (const auto& [tag, podpowiedz] : {std::pair{1, "Resstrings_IDS_tacho_otworz_tarcze"},
                                          std::pair{0, "Resstrings_IDS_tacho_zamknij_tarcze"}}) {
        const int glyph = w.cb_status->property("glyph").toInt();
        w.cb_status->click();
        EXPECT_EQ(w.cb_status->property("Tag").toInt(), tag);
        EXPECT_EQ(w.cb_status->toolTip(), R(podpowiedz));
        EXPECT_NE(w.cb_status->property("glyph").toInt(), glyph);
    }
    EXPECT_TRUE(w.zap1->isEnabled());
    // The opening sets the tag and calls the handler without a sender: no toggle.
    w.cb_status->setProperty("Tag", 1);
    w.cb_statusClick(nullptr);
    EXPECT_EQ(w.cb_status->property("Tag").toInt(), 1);
}

TEST_F(NaglowekTest, ChangedDateMovesTheSpecialPointsWithIt) {
    TMDIChild w(nullptr, false);
    w.kat24 = 90.0f;
    w.lista->kat_rozp = host::GodzNaKat(QStringLiteral("08:00"), w.kat24);
    for (const char* godz : {"09:00", "03:00"}) {
        rozladunek r;
        r.kat = host::GodzNaKat(QLatin1String(godz), w.kat24);
        w.punkty_spec->dodaj(r);
    }
    w.data_tacho->setDate(kDzien);
    w.data_tachoChange(w.data_tacho); // as the picker does for the user's change
    // The chart starts at 08:00: 09:00 is on the chart day, 03:00 on the next.
    const auto data = [&w](int i) {
        return host::FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn"), (*w.punkty_spec)[i].data);
    };
    EXPECT_EQ(data(0), QStringLiteral("2024-03-12 09:00"));
    EXPECT_EQ(data(1), QStringLiteral("2024-03-13 03:00"));
    EXPECT_TRUE(w.zap1->isEnabled());
    EXPECT_EQ(w.data_tacho1->text(), QStringLiteral("2024-03-12"));
}

TEST_F(NaglowekTest, LevelsShowOnlyForTheFourthChartType) {
    TMDIChild w(nullptr, false);
    ASSERT_GE(w.typy->count(), 4);
    for (int i = 0; i < w.typy->count(); ++i) {
        w.typy->setCurrentIndex(i);
        EXPECT_EQ(w.poziomy->isHidden(), i != 3) << i;
    }
}

// The dictionaries of chart status (name) and annotations (name and description).
void slowniki() {
    host::ExecQuery(QStringLiteral("insert into slowparametry (id_parametru, nazwa) values "
                                   "(1, 'nazwa'), (2, 'opis')"));
    host::ExecQuery(QStringLiteral("insert into slownik (id_slow, typ_slownika) values "
                                   "(1, 'tarcza_status'), (2, 'tarcza_adnotacje')"));
    host::ExecQuery(QStringLiteral("insert into slownik2parametry (id_sp, id_slow, id_parametru) "
                                   "values (1, 1, 1), (2, 2, 1), (3, 2, 2)"));
}

TEST_F(NaglowekTest, DictionaryEntriesAreWrittenAndListed) {
    slowniki();
    TMDIChild w(nullptr, false);
    ASSERT_EQ(teksty(w.status_tarczy), QStringList{""});
    dialogi->pushInput(QString(), false);
    w.slownik_statusClick(); // cancelled: nothing written
    EXPECT_EQ(host::GetIntDB(QStringLiteral("select count(*) as n from slowwartosci"),
                             QStringLiteral("n")),
              0);
    dialogi->pushInput(QStringLiteral("Do korekty"));
    w.slownik_statusClick();
    EXPECT_EQ(teksty(w.status_tarczy), QStringList({"", "Do korekty"}));

    dialogi->pushInput(QStringLiteral("Prom"));
    dialogi->pushInput(QStringLiteral("Przeprawa promowa"));
    w.slownik_adnotClick();
    ASSERT_EQ(teksty(w.adnotacje_tarczy), QStringList{"Prom"});
    w.adnotacje_tarczy->setCurrentIndex(0);
    w.BlueButton_dodaj_adnotClick();
    EXPECT_EQ(w.adnotacje->toPlainText(), QStringLiteral("Przeprawa promowa"));
    w.BlueButton_dodaj_adnotClick();
    EXPECT_EQ(w.adnotacje->toPlainText(), QStringLiteral("Przeprawa promowa\nPrzeprawa promowa"));
    EXPECT_TRUE(dialogi->unexpected.isEmpty());
}

template <typename T> std::function<bool(QDialog&)> wpisz(const char* pole, const QString& tekst) {
    return [pole, tekst](QDialog& d) {
        T* p = d.findChild<T*>(QLatin1String(pole));
        if (!p) return false;
        p->setText(tekst);
        return true;
    };
}

TEST_F(NaglowekTest, FleetEditorsAddAndEditRecordsThenSelectThem) {
    const Zaloga z;
    TMDIChild w(nullptr, false);
    w.data_tacho->setDate(kDzien);
    w.wypelnij_kierowcow(kDzien);
    w.wypelnij_samochody();
    // A vehicle without a registration is refused, then entered.
    dialogi->pushForm(wpisz<QLineEdit>("nr_rej", QString()));
    dialogi->pushAnswer(host::IDOK);
    dialogi->pushForm(wpisz<QLineEdit>("nr_rej", QStringLiteral("KR 777")));
    w.dodaj_samClick();
    EXPECT_TRUE(dialogi->shown.contains(R("Resstrings_IDS_flota_brak_nr_rej")));
    EXPECT_EQ(w.nr_rej->currentText(), QStringLiteral("KR 777"));
    EXPECT_EQ(w.nr_rej->currentData().toInt(),
              host::GetIntDB(QStringLiteral("select id_s from samochod where nr_rej = 'KR 777'"),
                             QStringLiteral("id_s")));

    wybierz(w.kierowca, z.adamski);
    dialogi->pushForm(wpisz<QLineEdit>("imie", QStringLiteral("Jan")));
    w.edytuj_kierClick();
    EXPECT_EQ(w.kierowca->currentText(), QStringLiteral("Adamski Jan"));

    dialogi->pushForm([](QDialog&) { return false; }); // cancelled: nothing added
    w.dodaj_kierClick();
    EXPECT_EQ(w.kierowca->count(), 3);

    // Employment that ends before it starts is refused; corrected, the new driver is chosen.
    dialogi->pushForm([](QDialog& d) {
        auto* firma = d.findChild<QComboBox*>(QStringLiteral("firma"));
        firma->setCurrentIndex(firma->findText(QStringLiteral("Trans A")));
        return wpisz<QLineEdit>("nazwisko", QStringLiteral("Zielinski"))(d) &&
               wpisz<QLineEdit>("zatrudniony_od", QStringLiteral("2024-03-01"))(d) &&
               wpisz<QLineEdit>("zatrudniony_do", QStringLiteral("2024-02-01"))(d);
    });
    dialogi->pushAnswer(host::IDOK);
    dialogi->pushForm(wpisz<QLineEdit>("zatrudniony_do", QString()));
    w.dodaj_kierClick();
    EXPECT_TRUE(dialogi->shown.contains(R("Resstrings_IDS_flota_zle_daty")));
    EXPECT_EQ(w.kierowca->currentText(), QStringLiteral("Zielinski"));
    EXPECT_EQ(w.kierowca1->text(), QStringLiteral("Zielinski"));
    EXPECT_GE(w.konwojent->findText(QStringLiteral("Zielinski")), 0) << "employed at the date";
    EXPECT_TRUE(dialogi->unexpected.isEmpty()) << dialogi->unexpected.join('|').toStdString();
}

// Module windows of the test host showing the chart.
QWidget* okno_tarczy(const TestHost& g, int idt) {
    for (QWidget* w : g.okna)
        if (static_cast<TOknoKXMDIChild*>(w)->CzyTarcza(idt)) return w;
    return nullptr;
}

// The header a stored chart shows: its driver and date.
void naglowek(QWidget* w, int id_k, const QDate& d) {
    auto* k = w->findChild<QComboBox*>(QStringLiteral("kierowca"));
    if (k->findData(id_k) < 0) k->addItem(QStringLiteral("Kierowca"), id_k);
    k->setCurrentIndex(k->findData(id_k));
    w->findChild<QDateEdit*>(QStringLiteral("data_tacho"))->setDate(d);
}

void kliknij(QWidget* w, const char* przycisk) {
    w->findChild<QToolButton*>(QLatin1String(przycisk))->click();
    TestHost::dostarcz();
}

TEST_F(NaglowekTest, PreviousAndNextChartOpenOrFocusTheirWindow) {
    const int k = kierowca({QStringLiteral("Ernest"), firma(QStringLiteral("T")), {}, {}});
    const int inny = kierowca({QStringLiteral("Filip"), 0, {}, {}});
    const int t1 = dodajTarczeReczna({{2024, 3, 10}, k});
    dodajTarczeReczna({{2024, 3, 11}, k, 1}); // a free day is skipped
    dodajTarczeReczna({{2024, 3, 13}, inny});
    const int t2 = dodajTarczeReczna({kDzien, k});
    const int t3 = dodajTarczeReczna({{2024, 3, 14}, k});

    QWidget* w2 = gospodarz->otworz(t2);
    ASSERT_NE(w2, nullptr);
    naglowek(w2, k, kDzien);
    kliknij(w2, "nast_dzien");
    QWidget* w3 = okno_tarczy(*gospodarz, t3);
    ASSERT_NE(w3, nullptr) << "the next chart opens in a window of its own";
    EXPECT_EQ(gospodarz->okna.size(), 2u);

    kliknij(w2, "pop_dzien");
    ASSERT_NE(okno_tarczy(*gospodarz, t1), nullptr);
    EXPECT_EQ(gospodarz->okna.size(), 3u);
    kliknij(w2, "pop_dzien1"); // t1 is open already: focused, not opened again
    EXPECT_EQ(gospodarz->okna.size(), 3u);

    naglowek(w3, k, {2024, 3, 14});
    kliknij(w3, "nast_dzien"); // the last chart of the driver: nothing, the window stays
    EXPECT_EQ(gospodarz->okna.size(), 3u);
    EXPECT_EQ(okno_tarczy(*gospodarz, t3), w3);
    EXPECT_TRUE(dialogi->shown.isEmpty()) << dialogi->shown.join('|').toStdString();
}

TEST_F(NaglowekTest, MovingOnClosesTheWindowWhenSetAndADigitalChartNeedsItsLibrary) {
    const int k = kierowca({QStringLiteral("Ernest"), firma(QStringLiteral("T")), {}, {}});
    const int t1 = dodajTarczeReczna({{2024, 3, 10}, k});
    const int t2 = dodajTarczeReczna({kDzien, k});
    const int cyfrowa = dodajTarczeReczna({{2024, 3, 15}, k, 0, 1});
    QWidget* w2 = gospodarz->otworz(t2);
    naglowek(w2, k, kDzien);

    dialogi->pushAnswer(host::IDOK);
    kliknij(w2, "nast_dzien1");
    ASSERT_EQ(dialogi->shown.size(), 1);
    EXPECT_TRUE(dialogi->shown.front().contains(QStringLiteral("ChildCyfra")))
        << dialogi->shown.front().toStdString();
    EXPECT_EQ(okno_tarczy(*gospodarz, cyfrowa), nullptr);

    host::SetZm(QStringLiteral("zamykaj_tarcze"), QStringLiteral("KX"), true);
    w2->findChild<QAction*>(QStringLiteral("actPoprz"))->trigger();
    TestHost::dostarcz();
    EXPECT_NE(okno_tarczy(*gospodarz, t1), nullptr);
    EXPECT_EQ(okno_tarczy(*gospodarz, t2), nullptr) << "the window moved from is closed";
    EXPECT_EQ(gospodarz->okna.size(), 1u);
}

} // namespace
