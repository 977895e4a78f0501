#pragma once
// The module writes its SQL for SQL Server. SqlDialect turns such a text into the dialect of
// the backend in use:
//   top N                      -> limit N at the end of that select
//   isnull(                    -> coalesce(
//   getdate()                  -> the local time as the backend keeps date-times
//   dateadd(unit, n, x)        -> date arithmetic of the backend
//   [dbo]. / dbo.              -> removed;  [name] -> "name"
//   N'text'                    -> 'text'
//   'a' + x                    -> 'a' || x  (a "+" next to a string literal)
//   delete t where ...         -> delete from t where ...
//   insert into t values (...) -> with the column list when t has an identity key, which
//                                 SQL Server leaves out of a positional insert
//   declare / set / select @v = / exec sp_executesql batches -> one statement (SqlBatch)
// Everything inside string literals and comments stays as written.

#include "host/db/Connection.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace host {

class SqlDialect {
public:
    // Columns a positional insert into the table fills: all but the identity key. Empty when
    // the table has no identity key (the insert then stays as written).
    using InsertColumns = std::function<QStringList(const QString& table)>;

    static QString adapt(const QString& sqlServerText, Backend backend,
                         const InsertColumns& insertColumns = {});
};

} // namespace host
