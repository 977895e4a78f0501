#include "chartwin/ObrazTarczy.h"

#include "host/Biblioteki.h"
#include "host/FolderyDanych.h"
#include "host/HostContext.h"

#include <QPainter>

#include <cmath>

QStringList ObrazTarczy::foldery(const QString& sciezka_ob) {
    return {host::nazwa_kat_zywiec(sciezka_ob) + QStringLiteral("\\Image"),
            host::Utnij_slashe_z_tylu(sciezka_ob),
            host::ExeFolder() + QStringLiteral("\\dane\\Korvix"),
            host::old_nazwa_kat_zywiec(sciezka_ob) + QStringLiteral("\\Image")};
}

QStringList ObrazTarczy::sciezki(const QString& sciezka_ob, std::int32_t idt, std::int32_t id_k,
                                 std::int32_t id_s) {
    const QString plik = QStringLiteral("\\%1.bmp").arg(idt);
    QStringList wynik;
    for (const QString& f : foldery(sciezka_ob))
        wynik << f + plik;
    const auto firmy = [&](const QString& folder) {
        if (!folder.isEmpty()) wynik << folder + QStringLiteral("\\Image") + plik;
    };
    if (id_k != 0) firmy(host::fima_kierowcy_z_id(id_k));
    if (id_s != 0) firmy(host::fima_sam_z_id(id_s));
    for (QString& s : wynik)
        s = host::LocalPath(s);
    return wynik;
}

QString ObrazTarczy::znajdz(const QStringList& sciezki,
                            const std::function<bool(const QString&)>& istnieje) {
    for (const QString& s : sciezki)
        if (istnieje(s)) return s;
    return {};
}

host::Bitmap32 ObrazTarczy::pusty(const QString& nazwa) {
    const int bok = nazwa == QLatin1String("WOLNE")     ? 1000
                    : nazwa == QLatin1String("WOLNE_M") ? 800
                    : nazwa == QLatin1String("WOLNE_D") ? 1500
                                                        : 0;
    if (bok == 0) return {};
    host::Bitmap32 b(bok, bok, host::clWhite32);
    QPainter p(&b.image());
    p.setRenderHint(QPainter::Antialiasing);
    const QColor szary(200, 200, 200);
    p.setPen(QPen(szary, 2));
    const double r = bok / 2.0 - 4;
    const QPointF c(bok / 2.0, bok / 2.0);
    p.drawEllipse(c, r, r);
    p.drawEllipse(c, r * 0.3, r * 0.3);
    for (int h = 0; h < 24; ++h) {
        const double a = h * M_PI / 12.0;
        const QPointF k(std::cos(a), std::sin(a));
        p.drawLine(c + k * (r * 0.9), c + k * r);
    }
    return b;
}
