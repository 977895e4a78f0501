// Loading, unloading and border-crossing points in the chart window: the disc view's menu
// commands, the dialog, the markers with their hint, and the odometer proposed for a new point.

#include "chartwin/TMDIChild.h"

#include "chartwin/Trozladunek_form.h"
#include "host/Dialogi.h"
#include "host/KatyCzas.h"
#include "host/Resstrings.h"
#include "host/Rysuj.h"
#include "host/TComboPopup.h"
#include "host/db/Query.h"

#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <cmath>

namespace {

// Half the width of the angle range under the cursor that picks a marker, in degrees.
constexpr double kZakresWyboru = 2.0;

// A marker picture: a small flag on a post in the point's colour (the border post striped).
host::Bitmap32 znacznik(int typ) {
    // Opaque: the picture is copied onto the disc view as it is.
    host::Bitmap32 b(22, 28, host::clWhite32);
    QPainter p(&b.image());
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(1.5, 1.5); // drawn on a 14 x 18 grid
    p.setPen(QColor(40, 40, 40));
    p.drawLine(1, 0, 1, 17);
    if (typ == kPrzejscieGraniczne) {
        for (int y = 0; y < 12; y += 4) {
            p.fillRect(2, y, 11, 2, QColor(200, 30, 30));
            p.fillRect(2, y + 2, 11, 2, Qt::white);
        }
        p.drawRect(2, 0, 11, 11);
    } else {
        const QColor kolor = typ == kZaladunek ? QColor(20, 150, 40) : QColor(30, 80, 200);
        p.setBrush(kolor);
        const int dol = typ == kZaladunek ? 2 : 9; // loading points up, unloading down
        const QPoint flaga[] = {{2, 0}, {13, 5}, {2, 11}};
        p.drawPolygon(flaga, 3);
        p.fillRect(4, dol, 3, 3, Qt::white);
    }
    return b;
}

QString opis_punktu(const rozladunek& r) {
    QStringList w{Trozladunek_form::nazwa_typu(r.typ),
                  r.data.date().toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') +
                      QTime::fromMSecsSinceStartOfDay(
                          int(std::lround(r.data.timeOfDay() * 1440.0)) % 1440 * 60000)
                          .toString(QStringLiteral("hh:mm")),
                  QStringLiteral("%1 km").arg(r.stan_licznika)};
    if (!r.miasto.isEmpty()) w << r.miasto;
    if (r.ma_ladunek())
        w << QStringLiteral("%1 t %2").arg(host::JezykLocale().toString(double(r.tonaz), 'f', 1),
                                           r.kod_ladunku);
    return w.join(QLatin1Char('\n'));
}

} // namespace

void TMDIChild::polacz_punkty_specjalne() {
    connect(bUsunZamknij, &QPushButton::clicked, this, [this] { bUsunZamknijClick(); });
    // Drawn once for the module: every window shares the pictures until it draws on its own.
    static const host::Bitmap32 wzory[] = {znacznik(kZaladunek), znacznik(kRozladunek),
                                           znacznik(kPrzejscieGraniczne)};
    zalad = wzory[0];
    rozlad = wzory[1];
    slupek = wzory[2];

    auto dodaj = [this](const char* nazwa, const char* klucz, auto akcja) {
        auto* a = new QAction(host::LoadResstrings(QLatin1String(klucz)), this);
        a->setObjectName(QLatin1String(nazwa));
        connect(a, &QAction::triggered, this, akcja);
        PopUP_Image2->addAction(a);
        return a;
    };
    PopUP_Image2->addSeparator();
    dodaj("Wstawzaadunek1", "Resstrings_IDS_wstaw_zaladunek", [this] { Wstawzaadunek1Click(); });
    dodaj("Wstawrozadunek1", "Resstrings_IDS_wstaw_rozladunek", [this] { Wstawrozadunek1Click(); });
    dodaj("Wstawprzejciegraniczne1", "Resstrings_IDS_wstaw_przejscie_gran",
          [this] { Wstawprzejciegraniczne1Click(); });
    dodaj("Edytujzaadunek1", "Resstrings_IDS_edytuj_punkt_spec",
          [this] { edytuj_punkt_specjalny(); });
    dodaj("Usuzaadunek1", "Resstrings_IDS_usun_punkt_spec", [this] { Usuzaadunek1Click(); });

    connect(Image2, &ImgView32::mouseDown, this, [this](QMouseEvent* e, QPointF p) {
        if (e->button() != Qt::RightButton) return;
        punkt_menu = p;
        const bool wybrany = punkt_pod_kursorem(p) >= 0;
        for (const char* n : {"Edytujzaadunek1", "Usuzaadunek1"})
            if (auto* a = PopUP_Image2->findChild<QAction*>(QLatin1String(n)))
                a->setEnabled(wybrany);
        PopUP_Image2->popup(e->globalPosition().toPoint());
    });
    connect(Image2, &ImgView32::mouseMove, this,
            [this](QMouseEvent*, QPointF p) { punkt_pod_kursorem(p); });
    connect(Image2, &ImgView32::mouseLeave, this, [this] {
        if (okno_podpowiedzi) okno_podpowiedzi->hide();
    });
}

int TMDIChild::punkt_pod_kursorem(const QPointF& p) {
    if (!punkty_spec || punkty_spec->pusta() || !lista) return -1;
    const double dx = p.x() - lista->x0, dy = p.y() - lista->y0;
    // Only the outer part of the disc, where the markers' lines end.
    const double r = Image2->Bitmap().width() / 2.0;
    int i = -1;
    if (std::hypot(dx, dy) > r * 0.5) {
        const double kat = host::XYNaKat(p.x(), p.y(), lista->x0, lista->y0);
        i = punkty_spec->wybierz(kat - kZakresWyboru, kat + kZakresWyboru);
    } else {
        punkty_spec->wybrany = -1;
    }
    if (i < 0) {
        Image2->viewport()->unsetCursor();
        if (okno_podpowiedzi) okno_podpowiedzi->hide();
        return -1;
    }
    // The cursor shows the marker of the point under it.
    const host::Bitmap32& znak = znacznik_typu((*punkty_spec)[i].typ);
    Image2->viewport()->setCursor(
        znak.empty() ? QCursor(Qt::PointingHandCursor)
                     : QCursor(QPixmap::fromImage(znak.image()), 1, znak.height() - 1));
    if (!okno_podpowiedzi) {
        okno_podpowiedzi = std::make_unique<QLabel>(this, Qt::ToolTip);
        okno_podpowiedzi->setObjectName(QStringLiteral("okno_podpowiedzi"));
        okno_podpowiedzi->setMargin(4);
    }
    okno_podpowiedzi->setText(opis_punktu((*punkty_spec)[i]));
    okno_podpowiedzi->adjustSize();
    okno_podpowiedzi->move(Image2->viewport()->mapToGlobal(Image2->BitmapToControl(p)) +
                           QPoint(12, 12));
    okno_podpowiedzi->show();
    return i;
}

const host::Bitmap32& TMDIChild::znacznik_typu(int typ) const {
    return typ == kZaladunek ? zalad : typ == kRozladunek ? rozlad : slupek;
}

void TMDIChild::rysuj_punkty_specjalne() {
    host::Bitmap32& b = Image2->Bitmap();
    if (!punkty_spec || b.empty()) return;
    const int cx = int(srodek_x), cy = int(srodek_y);
    const int d = cx < 450 ? 800 : cx < 601 ? 1000 : 1500;
    const int x = b.width() * cx / d, y = b.height() * cy / d;
    const int r = b.width() / 2;
    for (const rozladunek& p : *punkty_spec) {
        const host::Bitmap32* obraz = &znacznik_typu(p.typ);
        if (obraz->empty()) continue;
        const float px = float(x + r * std::cos(p.kat * M_PI / 180.0));
        const float py = float(y + r * std::sin(p.kat * M_PI / 180.0));
        host::Rysuj_linie(b, x, y, int(px), int(py), 1, host::Color32(40, 40, 40, 255));
        const int lx = int(px) - std::max(0, int(px) + obraz->width() - b.width());
        const int ly = int(py) - std::max(0, int(py) + obraz->height() - b.height());
        b.Draw(lx, ly, *obraz);
    }
}

void TMDIChild::wstaw_punkt_specjalny(int typ) {
    const double kat = host::XYNaKat(punkt_menu.x(), punkt_menu.y(), lista->x0, lista->y0);
    const host::TDateTime godz = host::KatNaGodz_(kat, kat24);
    const double dzien =
        data_tacho->date().isValid() ? host::TDateTime::fromDate(data_tacho->date()).value : 0.0;
    Trozladunek_form f(this, typ, dzien, kat24, lista->kat_rozp);
    f.FormShow();
    f.godz->setText(
        QTime::fromMSecsSinceStartOfDay(int(std::lround(godz.timeOfDay() * 1440.0)) % 1440 * 60000)
            .toString(QStringLiteral("hh:mm")));
    if (const std::optional<int> km = proponowany_licznik(kat, dzien)) f.licznik->setValue(*km);
    if (!host::RunForm(f) || !f.OK->isEnabled()) return;
    punkty_spec->dodaj(f.punkt());
    rysuj_tarcze();
    oznacz_zmiane();
}

bool TMDIChild::edytuj_punkt_specjalny() {
    const int i = punkty_spec->wybrany;
    if (i < 0 || i >= punkty_spec->ile()) return false;
    const rozladunek stary = (*punkty_spec)[i];
    const double dzien =
        data_tacho->date().isValid() ? host::TDateTime::fromDate(data_tacho->date()).value : 0.0;
    Trozladunek_form f(this, stary.typ, dzien, kat24, lista->kat_rozp);
    f.FormShow();
    f.pokaz(stary);
    if (!host::RunForm(f) || !f.OK->isEnabled()) return false;
    (*punkty_spec)[i] = f.punkt();
    rysuj_tarcze();
    oznacz_zmiane();
    return true;
}

void TMDIChild::Usuzaadunek1Click() {
    if (!punkty_spec->usun_wybrany()) return;
    punkty_spec->wybrany = -1;
    rysuj_tarcze();
    oznacz_zmiane();
    if (okno_podpowiedzi) okno_podpowiedzi->hide();
}

std::optional<int> TMDIChild::proponowany_licznik(double kat, double dzien) {
    bool ok = false;
    const int km_pocz = km_od->text().trimmed().toInt(&ok);
    if (!ok) return std::nullopt;
    // The distance driven before the clicked angle, counted forward from the chart's start:
    // from the distance points of a detailed chart, else from the periods that ended by then.
    const auto od_startu = [this](double a) { return host::Katdo360(a - lista->kat_rozp); };
    std::int64_t km = km_pocz;
    if (lista->czy_szczeg && lista->punkty_tarczy) {
        const lista_pkt& p = *lista->punkty_tarczy;
        km += kat >= lista->kat_rozp
                  ? p.odleglosc_w(lista->kat_rozp, kat)
                  : p.odleglosc_w(lista->kat_rozp, 360.0) + p.odleglosc_w(0.0, kat);
    } else {
        for (const Zdarzenie* z = lista->pierwszy; z; z = z->nast)
            if (od_startu(z->kat_do) <= od_startu(kat) && od_startu(z->kat_od) < od_startu(kat))
                km += z->km;
    }
    // On a crew chart the other driver drove the same vehicle before that time.
    if (zaloga->isChecked()) {
        try {
            host::Query q(QStringLiteral(
                "select sum(km) as skm from tacho t inner join poz_zdarz p on p.id_t = t.id_t "
                "where t.id_t <> :id_t and t.id_s = :id_s and t.km_pocz = :km_pocz and t.data "
                "= :data and p.czas_do <= :czas "));
            const host::TDateTime czas(dzien + host::KatNaGodz(kat, kat24).timeOfDay());
            q.setParam(QStringLiteral("id_t"), id_tarczy);
            q.setParam(QStringLiteral("id_s"), std::max(0, host::TComboPopup::WybraneId(nr_rej)));
            q.setParam(QStringLiteral("km_pocz"), km_pocz);
            q.setParam(QStringLiteral("data"), host::TDateTime(dzien));
            q.setParam(QStringLiteral("czas"), czas);
            q.open();
            if (!q.Eof()) km += std::int64_t(q.asFloat(QStringLiteral("skm")));
        } catch (const std::exception&) {
            // The proposal is a help only; the user enters the value.
        }
    }
    return int(std::clamp<std::int64_t>(km, 1, 9999999));
}
