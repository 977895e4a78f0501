// The approved infringements of the chart's driver and day, on the control tab.

#include "chartwin/JezykFormy.h"
#include "chartwin/TMDIChild.h"

#include "host/KatyCzas.h"
#include "host/Resstrings.h"
#include "host/Naruszenia.h"

#include <QTabBar>
#include <QTextCharFormat>
#include <QTextCursor>

namespace {

constexpr host::TColor kKolorTekstu = 3183629;  // green
constexpr host::TColor kKolorUstawy = 14648139; // blue
constexpr host::TColor kKolorKwoty = 2228674;   // red
constexpr host::TColor kKolorZakladki = 3815994;

QString R(const char* key) {
    return host::LoadResstrings(QLatin1String(key));
}

void dopisz(QTextCursor& c, const QString& tekst, host::TColor kolor) {
    QTextCharFormat f;
    f.setForeground(kolor_okna(kolor));
    f.setFontWeight(QFont::Bold);
    c.insertText(tekst, f);
}

} // namespace

void TMDIChild::lista_naruszen() {
    lista_bledow->clear();
    const int zakladka = PageControl->indexOf(zak_kontroli);
    const int id_k = kierowca->currentData().isValid() ? kierowca->currentData().toInt() : 0;
    const double poczatek = host::TDateTime::fromDate(data_tacho->date()).value +
                            (lista ? lista->godz_rozp.timeOfDay() : 0.0);
    int wierszy = 0;
    QTextCursor c(lista_bledow->document());
    try {
        for (const host::NaruszenieZatwierdzone& n :
             host::NaruszeniaZatwierdzone(id_k, host::TDateTime(poczatek))) {
            QString tekst = R(n.typ == 0   ? "Resstrings_IDS_jazda_dz_za_dl"
                              : n.typ == 1 ? "Resstrings_IDS_odp_dz_za_kr_o"
                                           : "Resstrings_IDS_jazda_c_za_dl2");
            tekst.remove(QStringLiteral("%2 "));
            const QString aetr = R("Resstrings_IDS_rw__drukuj_wykroczenia_unit__aetr_561__2");
            const QString regula = n.ustawa == 0
                                       ? QStringLiteral("(") + aetr + QStringLiteral(") ")
                                   : n.ustawa == 1
                                       ? QStringLiteral("(") + aetr + QStringLiteral(" 2010) ")
                                       : QStringLiteral("(561) ");
            const QString okres =
                QStringLiteral("     ") +
                host::FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn"), n.data) +
                QStringLiteral(" - ") +
                host::FormatDateTime(QStringLiteral("yyyy-mm-dd hh:nn"), n.data_do);
            const QString kwota = host::FloatNaGodzStr_sum(n.skroc_wydluz * 0.25, 1);
            if (wierszy++ > 0) c.insertBlock();
            // The amount replaces "%1" inside the text and keeps its own colour.
            const qsizetype at = tekst.indexOf(QStringLiteral("%1"));
            dopisz(c, at < 0 ? tekst : tekst.left(at), kKolorTekstu);
            if (at >= 0) {
                dopisz(c, kwota, kKolorKwoty);
                dopisz(c, tekst.mid(at + 2), kKolorTekstu);
            }
            c.insertText(QStringLiteral(" "));
            dopisz(c, regula, kKolorUstawy);
            dopisz(c, okres, kKolorTekstu);
        }
    } catch (const std::exception& e) {
        qWarning("TMDIChild: approved infringements not read: %s", e.what());
    }
    if (wierszy == 0) {
        lista_bledow->setPlainText(brak_naruszen_tekst);
        PageControl->setTabText(zakladka, R("Resstrings_IDS_kontrolgrid"));
        zak_kontroli->setProperty("Tag", 0);
    } else {
        PageControl->setTabText(zakladka, R("Resstrings_IDS_kontrolgrid") + QStringLiteral("!"));
        zak_kontroli->setProperty("Tag", 1);
    }
    // A caption changed on a shown window: the tab bar must take its new width at once, or
    // the last tab hides behind the scroll arrows.
    PageControl->tabBar()->adjustSize();
    PageControlDrawTab();
}

void TMDIChild::PageControlDrawTab() {
    // A page tagged 1 (approved infringements waiting) is drawn in red, the others in grey.
    for (int i = 0; i < PageControl->count(); ++i) {
        const bool wyroznij = PageControl->widget(i)->property("Tag").toInt() == 1;
        PageControl->tabBar()->setTabTextColor(i,
                                               kolor_okna(wyroznij ? kKolorKwoty : kKolorZakladki));
    }
}
