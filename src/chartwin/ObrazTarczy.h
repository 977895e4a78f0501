#pragma once
// The scanned picture of a stored chart: where it may lie on disk, in the order they are
// tried, and the blank disc that stands in when there is none.

#include "host/Bitmap32.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

struct ObrazTarczy {
    // The four image folders: A current data folder's Image, B the setting itself, C the
    // module's folder under the executable, D the older data folder's Image.
    static QStringList foldery(const QString& sciezka_ob);
    // Every path tried for the chart, in order: the four folders, then the firm folder of the
    // driver and of the vehicle (each only when its id is not 0), as local paths.
    // Looking up a firm folder may throw host::DbError.
    static QStringList sciezki(const QString& sciezka_ob, std::int32_t idt, std::int32_t id_k,
                               std::int32_t id_s);
    // The first path that exists (empty when none does).
    static QString znajdz(const QStringList& sciezki,
                          const std::function<bool(const QString&)>& istnieje);
    // The blank picture named WOLNE (1000 px), WOLNE_M (800) or WOLNE_D (1500), drawn by the
    // module: a white disc with its hour ticks in light grey, so that a reading finds no ink.
    // Empty for an unknown name.
    static host::Bitmap32 pusty(const QString& nazwa);
};
