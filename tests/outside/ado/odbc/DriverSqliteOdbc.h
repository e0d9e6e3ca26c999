#pragma once
// The SQLite ODBC driver the ODBC tests run against, registered for this process when the
// system's driver list lacks it. Empty when ready, else why the tests skip.
#include <QString>

QString MotivoSinDriverOdbc();
