#pragma once
// SQL Server batches of the form
//   declare @a int, @b datetime [;]  set @a = 5  select @b = :b, ...  <statement>
//   ... exec sp_executesql N'<statement>', N'@x int, ...', @a, @x = @b, ...
// become one plain statement: every variable is replaced by the value it was given (a literal,
// a ":param" or an expression), typed by its declaration. SQLite and PostgreSQL have no
// variables in plain SQL, so this is how such batches run there.

#include "host/db/Connection.h"

#include <QString>

namespace host::sql {

// True when the text starts like a batch (declare, set @x, select @x =, exec sp_executesql).
bool isBatch(const QString& text);

// The batch as one statement, still in the SQL Server dialect apart from the values put in for
// the variables (casts to the backend's types). Text that is no batch comes back unchanged.
// Throws DbError for an undeclared variable, more than one remaining statement or a malformed
// sp_executesql call.
QString inlineBatch(const QString& text, Backend backend);

// The backend's type for a SQL Server type name ("int", "datetime", "nvarchar(30)", ...).
QString backendType(const QString& sqlServerType, Backend backend);

} // namespace host::sql
