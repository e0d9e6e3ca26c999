// The Oracle dialect: one statement rewritten by fixed text rules, and a script cut into pieces
// at statement keywords. The rules are text substitutions, not a parser, on purpose: the
// statements they meet are the suite's own.
#include "data/DB_Dll.h"
#include "data/GuionOracle.h"
#include "outside/ado/Connection.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/ErrorVB.h"

#include <QStringList>
#include <array>

namespace {

constexpr Qt::CaseSensitivity kCi = Qt::CaseInsensitive;

// The object's own utility instance (it only counts words here).
maker::Utilidades& utilidades() {
    static maker::Utilidades u;
    return u;
}
const QString kEstiloFecha = QStringLiteral("'DD/MM/YYYY'");

// The row limit: "TOP n" becomes a ROWNUM limit before the GROUP BY or ORDER BY tail.
QString LimiteDeFilas(const QString& s) {
    if (!s.contains(QStringLiteral("top "), kCi)) return s;
    const int p = s.indexOf(QStringLiteral("top"), 0, kCi);
    const QString cabeza = s.left(p);
    const QString resto = vb::Trim(s.mid(p + 3));
    const int blanco = resto.indexOf(QLatin1Char(' '));
    if (blanco <= 0) vb::Raise(vb::kArgumentoInvalido);
    const QString n = resto.left(blanco);
    bool esNumero = false;
    n.toLongLong(&esNumero);
    if (!esNumero) vb::Raise(vb::kArgumentoInvalido);
    QString cuerpo = resto.mid(blanco + 1);

    QString colaGroup, colaOrder;
    const int g = cuerpo.indexOf(QStringLiteral(" GROUP BY "), 0, kCi);
    if (g >= 0) {
        colaGroup = vb::Trim(cuerpo.mid(g));
        cuerpo.replace(colaGroup, QStringLiteral(" "), kCi);
    } else {
        const int o = cuerpo.indexOf(QStringLiteral("ORDER BY "), 0, kCi);
        if (o >= 0) {
            colaOrder = vb::Trim(cuerpo.mid(o));
            cuerpo.replace(colaOrder, QStringLiteral(" "), kCi);
        }
    }
    const QString limite =
        (s.contains(QStringLiteral(" WHERE "), kCi) ? QStringLiteral(" AND ROWNUM <= ")
                                                    : QStringLiteral(" WHERE ROWNUM <= ")) +
        n;
    return cabeza + QLatin1Char(' ') + cuerpo + QLatin1Char(' ') + limite + QLatin1Char(' ') + colaGroup +
           QLatin1Char(' ') + colaOrder;
}

// Dates in quotes: every quoted text that reads as a date becomes
// TO_DATE('dd/mm/yyyy','DD/MM/YYYY').
QString FechasEntreComillas(const QString& s) {
    QString r = s;
    int desde = 0;
    for (;;) {
        const int a = s.indexOf(QLatin1Char('\''), desde);
        if (a < 0) break;
        const int b = s.indexOf(QLatin1Char('\''), a + 1);
        if (b < 0) vb::Raise(vb::kArgumentoInvalido);  // an unpaired quote mark
        const QString dentro = s.mid(a + 1, b - a - 1);
        if (!dentro.isEmpty() && vb::IsDate(dentro)) {
            const QDate d = vb::CDate(dentro).date();
            r.replace(QLatin1Char('\'') + dentro + QLatin1Char('\''),
                      QStringLiteral("TO_DATE('") + d.toString(QStringLiteral("dd/MM/yyyy")) +
                          QStringLiteral("',") + kEstiloFecha + QLatin1Char(')'));
        }
        desde = b + 1;
    }
    while (r.contains(QStringLiteral("TO_DATE(TO_DATE("), kCi)) {
        r.replace(QStringLiteral("TO_DATE(TO_DATE("), QStringLiteral("TO_DATE("), kCi);
        r.replace(kEstiloFecha + QStringLiteral("),") + kEstiloFecha + QLatin1Char(')'),
                  kEstiloFecha + QLatin1Char(')'), kCi);
    }
    return r;
}

// Splits the arguments of the call whose "(" is at `abre`, at top-level commas; -1 in *cierra
// when the parenthesis is not closed.
QStringList Argumentos(const QString& s, int abre, int* cierra) {
    QStringList args;
    int nivel = 0, inicio = abre + 1;
    bool enTexto = false;
    for (int i = abre + 1; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (c == QLatin1Char('\'')) {
            enTexto = !enTexto;
        } else if (enTexto) {
            continue;
        } else if (c == QLatin1Char('(')) {
            ++nivel;
        } else if (c == QLatin1Char(')')) {
            if (nivel == 0) {
                args << s.mid(inicio, i - inicio);
                *cierra = i;
                return args;
            }
            --nivel;
        } else if (c == QLatin1Char(',') && nivel == 0) {
            args << s.mid(inicio, i - inicio);
            inicio = i + 1;
        }
    }
    *cierra = -1;
    return {};
}

// The text search: CHARINDEX(buscado, texto[, inicio]) is InStr(texto, buscado[, inicio]) on Oracle;
// the arguments swap places. A call that cannot be read is only renamed.
QString Charindex(const QString& s) {
    const QString nombre = QStringLiteral("Charindex");
    QString r = s;
    int desde = 0;
    for (;;) {
        const int p = r.indexOf(nombre, desde, kCi);
        if (p < 0) break;
        int abre = p + nombre.size();
        while (abre < r.size() && r.at(abre) == QLatin1Char(' ')) ++abre;
        int cierra = -1;
        const QStringList args = (abre < r.size() && r.at(abre) == QLatin1Char('('))
                                     ? Argumentos(r, abre, &cierra)
                                     : QStringList();
        if (cierra >= 0 && args.size() >= 2) {
            QStringList nuevos = args;
            nuevos[0] = vb::Trim(args[1]);
            nuevos[1] = vb::Trim(args[0]);
            for (int i = 2; i < nuevos.size(); ++i) nuevos[i] = vb::Trim(nuevos[i]);
            r.replace(p, cierra + 1 - p,
                      QStringLiteral("InStr(") + nuevos.join(QStringLiteral(", ")) + QLatin1Char(')'));
        } else {
            r.replace(p, nombre.size(), QStringLiteral("InStr"));
        }
        desde = p + 5;  // past "InStr": the moved arguments are searched again
    }
    return r;
}

// Empty-text tests: "= ''" and "=''" from the first "WHERE " on test for Null.
QString PruebasDeTextoVacio(const QString& s) {
    const int w = s.indexOf(QStringLiteral("WHERE "), 0, kCi);
    if (w < 0) return s;
    QString cola = s.mid(w);
    cola.replace(QStringLiteral("= ''"), QStringLiteral(" IS NULL "));
    cola.replace(QStringLiteral("=''"), QStringLiteral(" IS NULL "));
    return s.left(w) + cola;
}

// The date style: the 103 of a conversion that became TO_CHAR (CONVERT(NVARCHAR, ...)) becomes
// 'DD/MM/YYYY'.
QString Estilo103(const QString& s) {
    QString r = s;
    int desde = 0;
    for (;;) {
        const int p = r.indexOf(QStringLiteral("103"), desde);
        if (p < 0) break;
        const int abre = r.lastIndexOf(QLatin1Char('('), p);
        if (abre >= 7 && r.mid(abre - 7, 8).compare(QStringLiteral("TO_CHAR("), kCi) == 0) {
            r.replace(p, 3, kEstiloFecha);
        }
        desde = p + 3;
    }
    return r;
}

}  // namespace

namespace guion_oracle {

QString Normalizar(const QString& guion) {
    QString s = guion;
    s.remove(QStringLiteral("SET NOCOUNT ON"), kCi);
    s.remove(QStringLiteral("SET NOCOUNT OFF"), kCi);
    s.replace(QStringLiteral(" GO "), QStringLiteral(" "), kCi);
    for (int vez = 0; vez < 2; ++vez) {
        s.replace(QStringLiteral("\r\nGO "), QStringLiteral(" "), kCi);
        s.replace(QStringLiteral("\nGO "), QStringLiteral(" "), kCi);
    }
    s.replace(QStringLiteral("\r\nGO\r\n"), QStringLiteral(" "), kCi);
    s.replace(QStringLiteral("\nGO\n"), QStringLiteral(" "), kCi);
    s.replace(QLatin1Char('\r'), QLatin1Char(' '));
    s.replace(QStringLiteral("BEGIN TRANSACTION"), QStringLiteral("SET TRANSACTION"), kCi);
    s.replace(QStringLiteral("BEGIN TRANS"), QStringLiteral("SET TRANSACTION"), kCi);
    s.replace(QStringLiteral("COMMIT TRANSACTION"), QStringLiteral("COMMIT"), kCi);
    s.replace(QStringLiteral("COMMIT TRANS"), QStringLiteral("COMMIT"), kCi);
    s.replace(QStringLiteral("ROLLBACK TRANSACTION"), QStringLiteral("ROLLBACK"), kCi);
    s.replace(QStringLiteral("ROLLBACK TRANS"), QStringLiteral("ROLLBACK"), kCi);
    return s;
}

namespace {

int PrimeraPalabraClave(const QString& guion, int desde) {
    static const std::array<QString, 12> claves = {
        QStringLiteral("INSERT "),         QStringLiteral("DELETE "),  QStringLiteral("UPDATE "),
        QStringLiteral("CREATE "),         QStringLiteral("DROP "),    QStringLiteral("ALTER "),
        QStringLiteral("SET TRANSACTION"), QStringLiteral("COMMIT"),   QStringLiteral("ROLLBACK"),
        QStringLiteral("IF NOT EXIST"),    QStringLiteral("IF EXIST"), QStringLiteral("GRANT ")};
    int primera = -1;
    for (const QString& clave : claves) {
        const int p = guion.indexOf(clave, desde, kCi);
        if (p >= 0 && (primera < 0 || p < primera)) primera = p;
    }
    return primera;
}

}  // namespace

QList<Pieza> Cortar(const QString& normalizado) {
    QList<Pieza> piezas;
    int inicio = PrimeraPalabraClave(normalizado, 0);
    while (inicio >= 0) {
        const int siguiente = PrimeraPalabraClave(normalizado, inicio + 1);
        const int largo = siguiente < 0 ? -1 : siguiente - inicio;
        // Line feeds stay in the script; a piece is compared without them.
        piezas.append({inicio, normalizado.mid(inicio, largo).trimmed()});
        inicio = siguiente;
    }
    return piezas;
}

}  // namespace guion_oracle

QString DB_Dll::ORACLE_Dicc(const QString& Sentencia) {
    if (!gConnString.contains(QStringLiteral("ORACLE"), kCi)) return Sentencia;
    if (utilidades().CantidadPalabras(Sentencia) < 2) {
        if (Sentencia.compare(QStringLiteral("LEN"), kCi) == 0) return QStringLiteral("LENGTH");
        return Sentencia;
    }
    QString s = LimiteDeFilas(Sentencia);
    for (const char* len : {" LEN(", " LEN (", " LEN  (", " LEN   (", " LEN    ("}) {
        s.replace(QLatin1String(len), QStringLiteral(" LENGTH("), kCi);
    }
    s.replace(QLatin1Char('['), QLatin1Char('"'));
    s.replace(QLatin1Char(']'), QLatin1Char('"'));
    s = FechasEntreComillas(s);
    s = Charindex(s);
    s.replace(QStringLiteral("CONVERT(NVARCHAR,"), QStringLiteral("TO_CHAR("), kCi);
    s.replace(QStringLiteral("CONVERT(INT,"), QStringLiteral("TO_NUMBER("), kCi);
    s = PruebasDeTextoVacio(s);
    s = Estilo103(s);
    s.replace(QStringLiteral("SUBSTRING("), QStringLiteral("SUBSTR("), kCi);
    s.replace(QStringLiteral("ISNULL("), QStringLiteral("NVL("), kCi);
    return s;
}

void DB_Dll::EjecutaScriptSQL(QString& Script, long& RecordsAffected) {
    const QString normalizado = guion_oracle::Normalizar(Script);
    Script = normalizado;
    const QList<guion_oracle::Pieza> piezas = guion_oracle::Cortar(normalizado);
    for (qsizetype i = 0; i < piezas.size(); ++i) {
        // The script keeps what is still to run, so a re-run starts at the failed piece.
        Script = normalizado.mid(piezas[i].inicio);
        const QString& pieza = piezas[i].texto;
        if (pieza.compare(QStringLiteral("SET TRANSACTION"), kCi) == 0) {
            cnn()->BeginTrans();
        } else if (pieza.compare(QStringLiteral("COMMIT"), kCi) == 0) {
            cnn()->CommitTrans();
        } else if (pieza.compare(QStringLiteral("ROLLBACK"), kCi) == 0) {
            cnn()->RollbackTrans();
        } else {
            QString sentencia = ORACLE_Dicc(pieza);
            sentencia = DescartaSentencia(sentencia);
            if (!sentencia.isEmpty()) {
                long afectados = 0;
                cnn()->Execute(sentencia, &afectados, -1);
                if (afectados > 0) RecordsAffected += afectados;
            }
        }
    }
    if (!piezas.isEmpty()) Script.clear();
    ado::Errors& errores = cnn()->errores();
    if (errores.Count() == 1 && errores.Item(0).Number == 265929) errores.Clear();
}
