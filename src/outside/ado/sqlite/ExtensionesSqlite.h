#pragma once
// What the embedded engine needs to behave like the company server.
struct sqlite3;

namespace ado::sqlite {

// Registers on a connection:
// - the collation "SERVIDOR": case-blind beyond ASCII and blind to trailing blanks ('abc ' = 'ABC');
// - LIKE (2 and 3 arguments), case-blind beyond ASCII, with %, _ and [..] sets;
// - UPPER and LOWER beyond ASCII;
// - the server's functions the rewritten statements call: LEN, CHARINDEX, GETDATE, MONTH, YEAR,
//   DAY, SPACE, REPLICATE, SV_LEFT, SV_RIGHT, SV_CONVERT and SV_SUMA (see TraductorSql.h).
void RegistrarExtensiones(sqlite3* db);

}  // namespace ado::sqlite
