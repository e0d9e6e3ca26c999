#pragma once
// Column types: the ADO code and size of a declared SQL type, and the checks a recordset makes
// when a value is assigned to a column.
#include <QString>
#include <QVariant>

namespace ado {

struct TipoColumna {
    int tipo = 0;    // DataTypeEnum; adEmpty when nothing was declared
    long largo = 0;  // characters for text types, bytes otherwise
};

// "varchar(40)" -> adVarChar 40, "int" -> adInteger 4, "datetime" -> adDBTimeStamp 16, ...
TipoColumna TipoDeDeclarado(const QString& declarado);

bool EsTipoTexto(int tipo);
bool EsTipoEntero(int tipo);
bool EsTipoDecimal(int tipo);
bool EsTipoFecha(int tipo);

// "2024-05-01" / "2024-05-01 10:30:00[.zzz]" (also with a "T"); an invalid QVariant otherwise.
// A date column (adDBDate) gives a QDate, the rest a QDateTime.
QVariant FechaDesdeTextoIso(const QString& texto, int tipo);
bool PareceFechaIso(const QString& texto);
// How dates are stored: "YYYY-MM-DD" at midnight, "YYYY-MM-DD HH:MM:SS" otherwise.
QString TextoIsoDeFecha(const QVariant& fecha);

// Converts `v` into the value the column keeps; false when the column cannot take it
// (text longer than the column, not a number, not a date, out of range).
bool ConvertirParaColumna(int tipo, long largo, const QVariant& v, QVariant& salida);

}  // namespace ado
