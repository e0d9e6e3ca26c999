#pragma once
// The lookup-mask file "consultas.qnl": fixed records of 1202 single-byte (Windows-1252) bytes
// without a header, one per table or view, telling which columns to show and which rows to keep.
// The program only reads it.
#include <QString>

struct RegMascaraConsulta {
    QString Descripcion;  // 100 bytes, the record's title; not used
    QString Tabla;        // 100 bytes, NUL / 0xFF / blank padded
    QString Campos;       // 500 bytes, columns separated by "|" (or ","), blank padded
    QString Condicion;    // 500 bytes, the row condition without WHERE
    QString FinRegistro;  // 2 bytes
};

namespace MascaraConsulta {

inline constexpr int kLargoRegistro = 1202;

// The record as read from 1202 bytes (a short last record reads as padded with NULs): Tabla and
// Condicion without NUL and 0xFF characters, trimmed; Campos trimmed.
RegMascaraConsulta DesdeBytes(const QByteArray& bytes);

// Scans the file from its first record for the first whose Tabla equals tabla (both trimmed,
// case-blind). False when the file cannot be read or holds no such record; the file is closed
// on every way out. The record found is data: its markers and words that would lift the
// user's restricted views are read as the user's (DB_Dll::SS_TSinonimosDeDato).
bool Buscar(const QString& ruta, const QString& tabla, RegMascaraConsulta& reg);

// The column list of a record: "|" as ",", trimmed, one leading and one trailing "," dropped,
// "*" when nothing is left.
QString Columnas(const RegMascaraConsulta& reg);

// The first plain column name of a column list that the table lacks, "" when it has them all.
// Expressions and "*" are the server's to judge; a table that cannot be read gives "" too.
QString ColumnaFaltante(const QString& tabla, const QString& columnas);

}  // namespace MascaraConsulta
