#include "data/DB_Dll.h"

#include "data/DB_Dll_Texto.h"
#include "data/Globales.h"
#include "outside/runtime/Programa.h"

using db_texto::Contiene;
using db_texto::QuitaMarca;

namespace {

// What may stand beside a table name. A letter, digit or "_" beside it makes it part of a
// longer name; quotes keep it inside a text value.
bool EsLimite(QChar c) {
    switch (c.unicode()) {
        case ' ':
        case '\t':
        case '\r':
        case '\n':
        case '(':
        case ')':
        case ',':
        case '{':
        case '.':
        case '[':
        case ']':
        case ';':
            return true;
        default:
            return false;
    }
}

// Replaces the name wherever it stands as a whole name, by the view's name in upper case.
QString ReemplazaNombre(const QString& texto, const QString& nombre, const QString& vista) {
    QString resultado;
    int desde = 0;
    int buscar = 0;
    for (;;) {
        const int p = texto.indexOf(nombre, buscar, Qt::CaseInsensitive);
        if (p < 0) break;
        const int fin = p + int(nombre.size());
        const bool izquierda = p == 0 || EsLimite(texto[p - 1]);
        const bool derecha = fin == texto.size() || EsLimite(texto[fin]);
        if (izquierda && derecha) {
            resultado += texto.mid(desde, p - desde);
            resultado += vista;
            desde = fin;
            buscar = fin;
        } else {
            buscar = p + 1;
        }
    }
    resultado += texto.mid(desde);
    return resultado;
}

bool ProgramaEs(const QString& nombre) {
    return vb::App().EXEName.compare(nombre, Qt::CaseInsensitive) == 0;
}

}  // namespace

QString DB_Dll::SS_TSinonimos(const QString& SentenciaSQL) {
    if (gEsAdmin) return QuitaMarca(SentenciaSQL);
    if (Contiene(SentenciaSQL, "MV_ASIENTOS") && !CNStuffContable::gSSConfidencialidad)
        return QuitaMarca(SentenciaSQL);

    QString s = ReemplazaNombre(SentenciaSQL, "MA_CUENTAS", "SS_MA_CUENTAS");
    // A statement that marks any table reads the chart of accounts unfiltered.
    if (Contiene(s, "@admin_")) {
        s.replace("@Admin_MA_CUENTAS", "MA_CUENTAS", Qt::CaseInsensitive);
        s.replace("SS_MA_CUENTAS", "MA_CUENTAS", Qt::CaseInsensitive);
    }
    if (!ProgramaEs("V_CONS_FICHA_STOCK") && !ProgramaEs("RP_STOCK"))
        s = ReemplazaNombre(s, "V_TA_DEPOSITO", "SS_V_TA_DEPOSITO");
    s = ReemplazaNombre(s, "MV_ASIENTOS", "SS_MV_ASIENTOS");
    if (!ProgramaEs("XQTRANS") && !ProgramaEs("QLX"))
        s = ReemplazaNombre(s, "V_TA_FAMILIAS", "SS_V_TA_FAMILIAS");
    s = ReemplazaNombre(s, "V_TA_CAJAS", "SS_V_TA_CAJAS");
    s = ReemplazaNombre(s, "AC_CUENTASDIARIO", "SS_AC_CUENTASDIARIO");
    s = ReemplazaNombre(s, "AC_CUENTASDIARIO_CCOSTO", "SS_AC_CUENTAS_DIARIO_CCOSTO");
    return QuitaMarca(s);
}
