#pragma once
// The driving-time rule check of one chart: the daily driving limit of the AETR agreement, and
// continuous driving with its breaks (Regulation (EC) No 561/2006 for charts dated from
// 11 April 2007, the earlier break rule for older charts). The check marks the breaks on the
// periods (czy_przerwa), counts infringements on the list (ile_jazda_ciagla,
// ile_przerwa_krotka), keeps one line of text per finding and answers 0 or 1.
//
// Break marks: 0 none, 1 first part of a split break, 2 its second part, 3 a complete break.

#include "activity/Lista_zdarz.h"
#include "host/TDateTime.h"

#include <QDate>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <vector>

// Reads a setting by name and group; same contract as host::GetZm.
using CzytnikUstawien = std::function<QVariant(const QString& name, const QString& group)>;

// The check's settings (group "KX"); minutes are whole numbers.
struct UstawieniaKontroli {
    int tolerancja_15 = 0;      // shortens the 15-minute part of a split break
    int tolerancja_30 = 0;      // shortens the 30-minute part
    int tolerancja_45 = 0;      // shortens the 45-minute break
    bool kpkjc = true;          // every complete break ends the continuous-driving stretch
    int tolerancja_AETR = 0;    // lengthens the 10-hour daily driving limit
    bool wliczaj_dy = false;    // charts before 11 April 2007: availability is a break
    int tolerancja_jazdy_c = 0; // lengthens the 4.5-hour continuous-driving limit
    int tolerancja_odp = 0;     // shortens the 9-hour rest that counts as daily rest

    // A key the reader does not answer keeps the default above.
    static UstawieniaKontroli czytaj(const CzytnikUstawien& czytnik);
};

// Period length as the check counts it: the angular length (plus 360 when the end is not
// greater) as a time of day, in whole hours and minutes; seconds are dropped. A period that
// ends where it starts is a whole day, 1440 minutes.
int dlugosc_min(const Zdarzenie& z);
double dlugosc_godz(const Zdarzenie& z); // hours + minutes / 60

// A continuous-driving stretch over the limit.
struct Odcinek {
    int od = 0;          // position of its first driving period
    int do_ = 0;         // position of its last driving period
    int jazda = 0;       // driving, minutes
    int przerwa = 0;     // the break that closed it, minutes (0 when none)
    bool krotka = false; // that break was shorter than 45 minutes less tolerance
};

class Kontrola {
public:
    // The settings are read through the reader at every check.
    explicit Kontrola(CzytnikUstawien czytnik = host_czytnik());

    // 0 when the chart keeps every rule, 1 otherwise. zaloga is the item index of the crew
    // selector: other than 0 means a crew. data_tacho is the chart's date.
    int kontroluj(Lista_zdarz& lista, host::TDateTime data_tacho, int zaloga);

    // --- what the last check found --------------------------------------------------------
    UstawieniaKontroli ustawienia;
    int wynik = 0;
    host::TDateTime jazda_dzienna = 0.0;  // daily driving counted, days
    int dzienna_od = -1, dzienna_do = -1; // positions it was counted over
    bool dzienny_limit = false;           // the daily limit is broken
    bool brak_przerw = false;             // the list holds no break period
    int przebiegi = 0;                    // break walks made: 0, 1 or 2
    int wybrany_przebieg = 0;             // 0 the walk with tolerances, 1 the one without
    int nadmiar_min = 0;                  // the chosen walk's continuous-driving excess, minutes
    std::vector<Odcinek> odcinki;         // the chosen walk's stretches over the limit
    QStringList lista_bledow;             // one line per finding, in the user's language

    // The findings by rule, for the window's check grid: the finding lines of the rule, or
    // "OK" when it is kept (the daily one with the driving counted). Empty before a check.
    QString uwagi_dzienne() const;
    QString uwagi_przerw() const;

    static CzytnikUstawien host_czytnik();
    // Regulation (EC) No 561/2006 governs charts dated from 11 April 2007.
    static bool wg_561(const QDate& data_tacho);

private:
    void opisz();

    CzytnikUstawien czytnik_;
    bool sprawdzono_ = false;
    QStringList linie_dzienne_, linie_przerw_;
};
