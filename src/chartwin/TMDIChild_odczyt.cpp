// The window side of a reading: the chart is read by odczytaj_tarcze; the window gives it its
// inputs and shows the result (the ring on the disc view, the grid, the summary, the check).

#include "chartwin/TMDIChild.h"

#include "activity/Kontrola.h"
#include "activity/OdczytTarczy.h"
#include "activity/Podsumowanie.h"
#include "activity/SiatkaZdarzen.h"
#include "host/Resstrings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableWidget>

#include <cmath>

namespace {

QColor kolor_windows(host::TColor c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// The summary panels keep their caption on the first line and the value on the second.
void wartosc_panelu(QLabel* panel, const QString& wartosc) {
    panel->setText(panel->text().section(QLatin1Char('\n'), 0, 0) + QLatin1Char('\n') + wartosc);
}

void znacznik_srodka(host::Bitmap32& b, double x, double y) {
    if (b.empty()) return;
    QPainter p(&b.image());
    p.setPen(QPen(QColor(255, 0, 0), 1));
    p.drawLine(QPointF(x - 8, y), QPointF(x + 8, y));
    p.drawLine(QPointF(x, y - 8), QPointF(x, y + 8));
}

// Rows of the check grid, in the order the window lays them out.
enum WierszKontroli { kDziennyAETR, kPrzerwyAETR, kDzienny561, kPrzerwy561, kWierszyKontroli };

// The remarks column says what the check found for each rule that applies to the chart's
// date; the rows of the other rule set are hidden so that an empty remark never reads as "kept".
void pokaz_uwagi(QTableWidget* grid, const Kontrola& k, const QDate& data) {
    const bool od_561 = Kontrola::wg_561(data);
    const QString uwagi[kWierszyKontroli] = {
        k.uwagi_dzienne(), od_561 ? QString() : k.uwagi_przerw(),
        od_561 ? k.uwagi_dzienne() : QString(), od_561 ? k.uwagi_przerw() : QString()};
    for (int w = 0; w < std::min(grid->rowCount(), int(kWierszyKontroli)); ++w) {
        QTableWidgetItem* item = grid->item(w, 1);
        if (!item) {
            item = new QTableWidgetItem;
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            grid->setItem(w, 1, item);
        }
        item->setText(uwagi[w]);
        item->setToolTip(QString(uwagi[w]).replace(QStringLiteral("; "), QStringLiteral("\n")));
        const bool dotyczy = w == kDziennyAETR || (w == kPrzerwyAETR) != od_561;
        grid->setRowHidden(w, !dotyczy);
    }
}

} // namespace

WejscieTarczy TMDIChild::wejscie_tarczy() const {
    WejscieTarczy we;
    we.x0 = srodek_x;
    we.y0 = srodek_y;
    we.kat24 = kat24;
    // A start of recording given before the reading (a disc cut from a sheet, a stored row)
    // is kept: the reading starts there.
    we.kat_rozp = lista ? float(lista->kat_rozp) : 0.0f;
    we.typ = std::max(0, typy->currentIndex());
    we.szczeg = szczeg->isChecked();
    we.data = host::TDateTime::fromDate(data_tacho->date());
    we.zaloga = zaloga->isChecked() ? 1 : 0;
    we.czytnik = czytnik_ust;
    return we;
}

void TMDIChild::analizuj_tarcze() {
    if (!lista || Image1->Bitmap().empty()) return;
    OdczytTarczy o = odczytaj_tarcze(Image1->Bitmap(), kalibracja, wejscie_tarczy());
    for (const QString& s : o.ostrzezenia)
        qWarning("chart %d: %s", id_tarczy, qPrintable(s));
    const double kat_zak = lista->kat_zak;
    const std::int32_t klasa = lista->klasa_rozmiaru;
    lista = std::move(o.lista);
    lista->kat_zak = kat_zak;
    lista->klasa_rozmiaru = klasa;
    geometria_tarczy = o.geometria;
    srodek_x = o.geometria.x0;
    srodek_y = o.geometria.y0;
    ustaw_czytnik_km();
    przekroczenia = o.analiza.przekroczenia;
    lb->clear();
    lb->addItems(o.analiza.etykiety_przekroczen);
    bez_analizy = 0;
    pokaz_odczyt();
}

void TMDIChild::pokaz_odczyt() {
    if (!lista) return;
    lista->typ_tarczy = typy->currentIndex();
    const host::Bitmap32& skan = Image1->Bitmap();
    if (Image2->Bitmap().width() != skan.width() || Image2->Bitmap().height() != skan.height())
        Image2->Bitmap() = skan; // shared until the ring is drawn on it
    lista->ustaw_okno(&Image2->Bitmap(), &Image1->Bitmap());
    lista->ustaw_czytnik_km(czytnik_km.get());
    // A reading that left the first drive without points (or a detailed chart without any)
    // tries that drive again, as the user would with the refresh command.
    const Zdarzenie* pierwszy = lista->pierwszy;
    if (bez_analizy == 0 && pierwszy && pierwszy->czy_praca == kJazda &&
        (szczeg->isChecked() ? !lista->punkty_tarczy->pierwszy : !pierwszy->punkty->pierwszy)) {
        lista->zaznaczony = lista->pierwszy;
        Pokalistepunktw1Click();
    }
    wypelnij_zdarz_grid();
    lista->skaluj(int(srodek_x), int(srodek_y), Image2->Bitmap().width(),
                  Image2->Bitmap().height());
    lista->ustaw_promien(Image2->Bitmap().width() / 2 - 3);
    pokaz_podsumowanie();
    lista->zaznaczony = nullptr;
    rysuj_tarcze();
    Image4->Odloz([x = double(srodek_x), y = double(srodek_y)](host::Bitmap32& b) {
        znacznik_srodka(b, x, y);
    });
    Image4->Changed();
    kontrolujClick();
    dopasuj_widok();
}

void TMDIChild::ustaw_czytnik_km() {
    czytnik_km.reset();
    if (!Image1->Bitmap().empty())
        czytnik_km = std::make_unique<CzytnikKmOkna>(Image1->Bitmap(), kalibracja,
                                                     geometria_tarczy, wejscie_tarczy());
    if (lista) lista->ustaw_czytnik_km(czytnik_km.get());
}

void TMDIChild::rysuj_tarcze() {
    if (!lista) return;
    // The list repaints the scan and the ring; the distance points, the centre mark and the
    // special points go on top each time, or a repaint would wipe them.
    lista->rysuj_zdarzenia();
    if (!Image2->Bitmap().empty()) {
        lista->rysuj_punkty(Image2->Bitmap(), lista->x0, lista->y0, czytnik_ust);
        znacznik_srodka(Image2->Bitmap(), lista->x0, lista->y0);
        rysuj_punkty_specjalne();
    }
    Image2->Changed();
}

void TMDIChild::wypelnij_zdarz_grid() {
    auto* model = qobject_cast<QStandardItemModel*>(zdarz_grid->model());
    if (!model || !lista) return;
    SiatkaZdarzen siatka;
    lista->wypelnij_siatke(siatka);
    // Column 8 holds the unrounded duration for the commands, not for the eye.
    const int kolumny = std::min(siatka.ColCount(), 7);
    model->setColumnCount(kolumny);
    model->setRowCount(std::max(0, siatka.RowCount() - 1));
    for (int k = 0; k < kolumny; ++k)
        model->setHeaderData(k, Qt::Horizontal, siatka.Cells(k, 0));
    for (int w = 1; w < siatka.RowCount(); ++w)
        for (int k = 0; k < kolumny; ++k)
            model->setItem(w - 1, k, new QStandardItem(siatka.Cells(k, w)));
}

void TMDIChild::pokaz_podsumowanie() {
    if (!lista) return;
    const Podsumowanie p = pokaz_podsum(*lista);
    wartosc_panelu(st_ja, p.st_ja);
    wartosc_panelu(st_pr, p.st_pr);
    wartosc_panelu(st_za, p.st_za);
    wartosc_panelu(st_br, p.st_br);
    wartosc_panelu(st_po, p.st_po);
    wartosc_panelu(st_km, QString::number(p.suma_km));
    wartosc_panelu(st_v, QString::number(p.predkosc));
    suma_km->setText(QString::number(p.suma_km));
    QPalette pal = st_ja->palette();
    pal.setColor(QPalette::WindowText, kolor_windows(p.kolor_ja));
    st_ja->setPalette(pal);
    if (!Image3) {
        // The form has no place for the warning picture: it goes beside the driving total.
        Image3 = new QLabel(GroupBox4);
        Image3->setObjectName(QStringLiteral("Image3"));
        // Read from the style once; every window shows the same picture.
        static const QPixmap ostrzezenie =
            style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(24, 24);
        Image3->setPixmap(ostrzezenie);
        if (auto* lay = qobject_cast<QBoxLayout*>(GroupBox4->layout()))
            lay->insertWidget(lay->indexOf(st_ja) + 1, Image3);
    }
    Image3->setVisible(p.Image3);
}

void TMDIChild::kontrolujClick() {
    if (!lista) return;
    Kontrola k([this](const QString& name, const QString& group) {
        return ustawienie(name, group, QVariant());
    });
    wynik_kontroli = k.kontroluj(*lista, host::TDateTime::fromDate(data_tacho->date()),
                                 zaloga->isChecked() ? 1 : 0);
    pokaz_uwagi(kontrol_grid, k, data_tacho->date());
    if (lista_bledow->toPlainText().isEmpty()) return;
    // A broken rule marks the tab; otherwise approved infringements of the day still do.
    const QString podpis = host::LoadResstrings(QStringLiteral("Resstrings_IDS_kontrolgrid"));
    const QString znak = wynik_kontroli == 1                          ? QStringLiteral(" !")
                         : zak_kontroli->property("Tag").toInt() == 1 ? QStringLiteral("!")
                                                                      : QString();
    PageControl->setTabText(PageControl->indexOf(zak_kontroli), podpis + znak);
    PageControl->tabBar()->adjustSize();
    PageControlDrawTab();
}
