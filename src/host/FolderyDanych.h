#pragma once
// Where the host keeps a chart's scanned picture.
// Folder names come back Windows-style or local; callers join them with "\" and pass the
// result through LocalPath before touching the disk.

#include <QString>

namespace host {

// The folder setting without the separators at its end ("C:\dane\\" -> "C:\dane").
QString Utnij_slashe_z_tylu(const QString& folder);
// The data folder the setting sciezka_ob names as it is called now; an empty setting means the
// host's data folder.
QString nazwa_kat_zywiec(const QString& sciezka_ob);
// The name the same folder had before the data folders were renamed ("<folder>/archiwum").
QString old_nazwa_kat_zywiec(const QString& sciezka_ob);
// The folder of the firm of a driver / a vehicle (firma.katalog); empty when the record, its
// firm or the firm's folder is missing. Database errors propagate as host::DbError.
QString fima_kierowcy_z_id(int id_k);
QString fima_sam_z_id(int id_s);

} // namespace host
