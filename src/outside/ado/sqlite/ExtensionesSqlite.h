#pragma once
// What the embedded engine needs to behave like the company server.
#include <QString>

#include "outside/ado/Errors.h"

struct sqlite3;

namespace ado::sqlite {

// Registers on a connection:
// - the collation "SERVIDOR": case-blind and blind to trailing blanks ('abc ' = 'ABC'), sorting as a
//   Spanish case-blind server collation (á with a, ñ between n and o); a stored date compared with
//   a text the server reads as a date compares as a date ('2024-02-29' = '29/02/2024');
// - LIKE (2 and 3 arguments), case-blind beyond ASCII, with %, _ and [..] sets;
// - the server's functions the rewritten statements call: LEN, CHARINDEX, GETDATE, MONTH, YEAR,
//   DAY, SPACE, REPLICATE, SUBSTRING, LTRIM, RTRIM, UPPER, LOWER (every letter), REPLACE (case-blind),
//   SV_LEFT, SV_RIGHT, SV_CONVERT, SV_NUMERO, SV_SUMA, SV_ERROR and SV_FECHA_NORMAL (see TraductorSql.h).
void RegistrarFunciones(sqlite3* db);

// The functions above and the checks of lengths, numbers and dates of every table
// (VigilanciaColumnas.h): what a connection of the program gets.
void RegistrarExtensiones(sqlite3* db);

// The server's meaning of an engine error: a Spanish description from the result code with the
// engine's text after it, and the server's number for what our checks refuse (8152, 8115).
void AjustarErrorDelMotor(int codigo, const QString& mensaje, Error& error);

}  // namespace ado::sqlite
