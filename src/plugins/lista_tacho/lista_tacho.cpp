// The host's chart-list library: deleting a chart with everything stored under it.

#include "host/db/Connection.h"
#include "host/db/Query.h"

#include "host/Ustawienia.h"

#include <QDir>
#include <QFile>

namespace {

// Rows under the chart, children before parents, so that the deletes do not depend on the
// backend's cascading.
const char* const kUsuniecia[] = {
    "delete from punkty_zdarz where id_tpz in (select id_tpz from poz_zdarz where id_t = :id_t)",
    "delete from speed_poz_zdarz where id_t = :id_t",
    "delete from poz_zdarz where id_t = :id_t",
    "delete from poz_zdarz_org where id_t = :id_t",
    "delete from punkty_tacho where id_t = :id_t",
    "delete from pv where id_t = :id_t",
    "delete from punkty_specjalne where id_t = :id_t",
    "delete from komunikacja where id_t = :id_t",
    "delete from tacho_opisy where id_t = :id_t",
    "delete from tacho_analog where id_t = :id_t",
};

void wykonaj(const QString& sql, int idt) {
    host::Query q(sql);
    q.setParam(QStringLiteral("id_t"), idt);
    q.exec();
}

} // namespace

// Deletes chart idt and all its rows in one transaction. False (nothing deleted) when the
// chart does not exist or the database refuses any of the deletes.
extern "C" Q_DECL_EXPORT bool _UsunTarcze(int idt) {
    if (idt <= 0) return false;
    try {
        host::Connection& c = host::GetConnection();
        c.BeginTrans();
        try {
            for (const char* sql : kUsuniecia)
                wykonaj(QLatin1String(sql), idt);
            host::Query tacho(QStringLiteral("delete from tacho where id_t = :id_t"));
            tacho.setParam(QStringLiteral("id_t"), idt);
            tacho.exec();
            if (tacho.numRowsAffected() != 1) {
                c.RollbackTrans();
                return false;
            }
            c.CommitTrans();
            // A later chart may get the same key; it must not find this chart's picture.
            const QString obraz =
                QDir(host::GetZm(QStringLiteral("sciezka_ob"), QStringLiteral("KX")).toString())
                    .filePath(QStringLiteral("Image/%1.bmp").arg(idt));
            if (QFile::exists(obraz) && !QFile::remove(obraz))
                qWarning("lista_tacho: picture %s of deleted chart %d left behind",
                         qPrintable(obraz), idt);
            return true;
        } catch (...) {
            c.RollbackTrans();
            throw;
        }
    } catch (const std::exception& e) {
        qWarning("lista_tacho: chart %d not deleted: %s", idt, e.what());
        return false;
    }
}
