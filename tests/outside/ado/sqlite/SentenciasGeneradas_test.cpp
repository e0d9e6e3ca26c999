// Generated statements through the dialect translation and the statement cuts: whatever the text,
// each is translated or refused, nothing reads outside its buffers (the sanitizer build checks
// that), and no NUL reaches the engine, where it would end the statement early.
//
// The suite runs a few thousand; INDAJUSTE_SENTENCIAS=2000000 runs as many, and
// INDAJUSTE_SEMILLA picks another sequence.
#include <gtest/gtest.h>

#include <QStringList>
#include <random>

#include "outside/ado/BaseTemporal.h"
#include "outside/ado/CortesSql.h"
#include "outside/ado/Recordset.h"
#include "outside/ado/sqlite/TraductorSql.h"
#include "outside/runtime/Archivos.h"
#include "outside/runtime/ErrorVB.h"

namespace {

const QStringList kPalabras{"SELECT",     "FROM",        "WHERE",
                            "AND",        "OR",          "NOT",
                            "CASE",       "WHEN",        "THEN",
                            "ELSE",       "END",         "BETWEEN",
                            "IN",         "LIKE",        "IS",
                            "NULL",       "TOP",         "DISTINCT",
                            "UPDATE",     "SET",         "DELETE",
                            "INSERT",     "INTO",        "VALUES",
                            "CREATE",     "TABLE",       "ALTER",
                            "ADD",        "DROP",        "ORDER",
                            "BY",         "GROUP",       "HAVING",
                            "UNION",      "ALL",         "AS",
                            "ON",         "JOIN",        "LEFT",
                            "RIGHT",      "INNER",       "EXISTS",
                            "BEGIN",      "TRANSACTION", "COMMIT",
                            "GO",         "IF",          "DECLARE",
                            "EXEC",       "TRUNCATE",    "WITH",
                            "nolock",     "COLLATE",     "ESCAPE",
                            "CONVERT",    "CAST",        "ISNULL",
                            "LTRIM",      "RTRIM",       "SUBSTRING",
                            "LEN",        "CHARINDEX",   "GETDATE",
                            "DATEADD",    "DATEDIFF",    "YEAR",
                            "UPPER",      "REPLACE",     "COUNT",
                            "SUM",        "MAX",         "varchar",
                            "int",        "numeric",     "datetime",
                            "dbo",        "T",           "A",
                            "B",          "CODIGO",      "@Admin_MA_CUENTAS",
                            "MA_CUENTAS", "#TMP",        "@var",
                            "SV_SUMA",    "PERCENT",     "TIES",
                            "TRIGGER",    "VIEW",        "PRIMARY",
                            "KEY",        "REFERENCES",  "CASCADE",
                            "IDENTITY",   "DEFAULT",     "ROLLBACK",
                            "TRAN"};

const QStringList kSignos{
    "(", ")", ",",  ".", ";", "=", "<>", "!=", "<", ">", "<=", ">=", "!<", "+",  "-", "*",
    "/", "%", "||", "&", "|", "^", "~",  "!",  "?", ":", "{",  "}",  "$",  "==", "<<"};

const QStringList kLiterales{"1",
                             "1.5",
                             ".5",
                             "1e10",
                             "0x1F",
                             "1e",
                             "-7",
                             "99999999999999999999",
                             "''",
                             "'abc'",
                             "'O''Higgins'",
                             "N'ñandú'",
                             "'29/02/2024'",
                             "'2024-01-31'",
                             "'%a_b%'",
                             "'[a-z]'",
                             "'",
                             "N'",
                             "[x]",
                             "[a]]b]",
                             "\"q\"",
                             "`b`",
                             "[",
                             "\"",
                             "'a''",
                             "'1 '",
                             "'20240131'",
                             "'31/01/24 10:20'",
                             "9223372036854775807",
                             "-9223372036854775808",
                             "4611686018427387914",
                             "'µ'",
                             "'ÿß'"};

const QStringList kBlancos{" ", " ", " ", "\n", "\r\n", "\t", "-- nota\n", "/* x */", "/*", "--", "\r"};

// Statements the program writes, to be cut and bent.
const QStringList kSemillas{
    "SELECT TOP 10 CODIGO, DESCRIPCION FROM MA_CUENTAS with(nolock) WHERE DADA_DE_BAJA = 0 ORDER BY CODIGO",
    "UPDATE MA_CUENTAS SET DESCRIPCION = 'x' + RTRIM(A) WHERE CODIGO = '1' AND LEN(B) > 2",
    "DELETE MV_ASIENTOS WHERE ID IN (SELECT ID FROM T WHERE TXT = 'uno')",
    "INSERT INTO T (ID, TXT) VALUES (1, 'a' + CHAR(65))",
    "SELECT TXT + CASE WHEN ID = 1 THEN ' (uno)' ELSE '' END FROM T",
    "BEGIN TRANSACTION\r\rINSERT INTO T VALUES (1)\rUPDATE T SET A = 2\rCOMMIT",
    "CREATE TABLE X (A varchar(10) NOT NULL DEFAULT '', B numeric(10,2), C datetime)",
    "ALTER TABLE X ADD D int NULL",
    "SELECT DISTINCT LTRIM(A), CONVERT(varchar(10), F, 103) FROM T GROUP BY LTRIM(A)",
    "SELECT * FROM T WHERE F BETWEEN '01/01/2024' AND '31/01/2024' AND A LIKE '%x%' ESCAPE '!'",
    "SELECT ISNULL(SUM(IMPORTE), 0) FROM T A INNER JOIN U B ON A.ID = B.ID WHERE YEAR(F) = 2024",
    "IF NOT EXISTS (SELECT 1 FROM T) INSERT INTO T VALUES (1)",
    "SELECT SUBSTRING(A, 2, 3), LEFT(A, 1), RIGHT(A, 2), CHARINDEX('-', A) FROM T",
    "TRUNCATE TABLE T",
    "SELECT 1 UNION ALL SELECT 2 ORDER BY 1",
};

class Generador {
  public:
    explicit Generador(quint32 semilla) : azar_(semilla) {}

    QString siguiente() {
        QString s = uno(4) == 0 ? doblar(elegir(kSemillas)) : piezas();
        if (uno(150) == 0) s = hondo(s);
        return s;
    }

  private:
    int uno(int n) { return std::uniform_int_distribution<int>(0, n - 1)(azar_); }
    const QString& elegir(const QStringList& l) { return l[uno(int(l.size()))]; }

    QChar raro() {
        static const char16_t raros[] = {0,     0,    0xFF, 0xA0, 0xD800, 0xDC00, 0x301, 0xFFFF,
                                         u'\'', u'[', u']', u'"', u'(',   u')',   u';',  u'\n',
                                         u'@',  u'N', u'-', u'*', u'/',   u'.'};
        return QChar(raros[uno(int(std::size(raros)))]);
    }

    QString pieza() {
        switch (uno(10)) {
            case 0:
            case 1:
            case 2:
                return elegir(kPalabras);
            case 3:
            case 4:
                return elegir(kSignos);
            case 5:
            case 6:
                return elegir(kLiterales);
            case 7: {
                // A quoted text holding odd characters, closed or not.
                QString t = "'";
                for (int k = uno(5); k > 0; --k) t += raro();
                if (uno(3) != 0) t += u'\'';
                return t;
            }
            case 8:
                return QString(raro());
            default:
                return elegir(kBlancos);
        }
    }

    QString piezas() {
        QString s;
        for (int k = 1 + uno(30); k > 0; --k) {
            s += pieza();
            if (uno(4) != 0) s += elegir(kBlancos);
        }
        return s;
    }

    // A statement of the program with characters or pieces put in, taken out or swapped.
    QString doblar(QString s) {
        for (int k = 1 + uno(4); k > 0; --k) {
            const int en = uno(int(s.size()) + 1);
            switch (uno(4)) {
                case 0:
                    s.insert(en, pieza());
                    break;
                case 1:
                    s.remove(en, 1 + uno(6));
                    break;
                case 2:
                    s.insert(en, raro());
                    break;
                default:
                    s.insert(en, elegir(kBlancos) + elegir(kPalabras) + elegir(kBlancos));
                    break;
            }
        }
        return s;
    }

    // Nesting near and past the limit, with stray closers before it.
    QString hondo(const QString& s) {
        const int n = 100 + uno(200);
        const QString sueltos(uno(2) == 0 ? 0 : 1 + uno(300), u')');
        return s + sueltos + QString(n, u'(') + pieza() + QString(n, u')');
    }

    std::mt19937 azar_;
};

qint64 Cuantas() {
    bool bien = false;
    const qint64 n = qEnvironmentVariableIntValue("INDAJUSTE_SENTENCIAS", &bien);
    return bien && n > 0 ? n : 3000;
}

quint32 Semilla() {
    bool bien = false;
    const int n = qEnvironmentVariableIntValue("INDAJUSTE_SEMILLA", &bien);
    return bien ? quint32(n) : 20240131u;
}

TEST(GeneratedStatements, AreTranslatedOrRefusedAndCutWithinTheirText) {
    Generador g(Semilla());
    const qint64 cuantas = Cuantas();
    for (qint64 k = 0; k < cuantas; ++k) {
        const QString s = g.siguiente();
        const auto lote = ado::sqlite::TraducirLote(s);
        for (const auto& t : lote)
            ASSERT_FALSE(t.sql.contains(QChar(0))) << "entrada " << k << ": " << s.toStdString();
        ASSERT_FALSE(ado::sqlite::TraducirSentencia(s).contains(QChar(0))) << s.toStdString();

        for (const char16_t* clausula : {u"where", u"order by", u"group by"}) {
            const qsizetype p = ado::PosicionClausula(s, clausula);
            ASSERT_TRUE(p == -1 || (p >= 0 && p < s.size())) << s.toStdString();
        }
        const qsizetype cola = ado::PosicionCola(s);
        ASSERT_TRUE(cola >= 0 && cola <= s.size()) << s.toStdString();
        // What a quoted text holds never decides whether the text is one read.
        ASSERT_EQ(ado::ConsultaDeLectura(s), ado::ConsultaDeLectura(ado::TextoPropio(s))) << s.toStdString();
    }
}

// The server's text functions on generated arguments, numbers at the ends of a whole number
// included: SUBSTRING gives the characters at the positions [start, start + length) of the text,
// UPPER and LOWER keep every character the company's code page holds inside it, and REPLICATE
// and SPACE stay within the server's cut; nothing overflows (the sanitizer build checks that).
TEST(GeneratedStatements, TheServersTextFunctionsOnAnyArguments) {
    BaseTemporal base("CREATE TABLE T (A int);");
    const ado::ConnectionPtr cn = base.abrir();
    const auto valor = [&](const QString& sql) {
        try {
            const ado::RecordsetPtr rs = ado::Recordset::Crear();
            rs->Open(sql, cn);
            return rs->fields().Item(0).Value();
        } catch (const vb::ErrorVB& e) {
            ADD_FAILURE() << sql.toStdString() << ": " << e.Description.toStdString();
            return QVariant();
        }
    };
    const qint64 extremos[] = {0,
                               1,
                               2,
                               3,
                               4,
                               -1,
                               -5,
                               std::numeric_limits<qint64>::max(),
                               std::numeric_limits<qint64>::min(),
                               qint64(1) << 62,
                               -(qint64(1) << 62) - 10,
                               (qint64(1) << 62) + 10,
                               8000,
                               8001};
    std::mt19937 azar(Semilla());
    const auto uno = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(azar); };
    const auto numero = [&] {
        return uno(3) == 0 ? qint64(uno(20)) - 10 : extremos[uno(int(std::size(extremos)))];
    };
    // A text of the code page's characters (the quote doubled in the statement).
    const auto texto = [&] {
        QString t;
        for (int k = uno(12); k > 0; --k) {
            char16_t c = 0;
            do c = char16_t(0x20 + uno(0xE0));
            while (!vb::CabeEnWindows1252(c));
            t += QChar(c);
        }
        return t;
    };
    const qint64 cuantas = std::max<qint64>(Cuantas() / 10, 300);
    for (qint64 k = 0; k < cuantas; ++k) {
        const QString t = texto();
        const QString literal = "'" + QString(t).replace("'", "''") + "'";
        const qint64 desde = numero(), largo = std::max<qint64>(numero(), 0);
        // The positions of the text inside [desde, desde + largo), counted without overflow.
        const __int128 fin = __int128(desde) + largo;
        const qint64 primero = std::max<qint64>(desde, 1);
        const qint64 ultimo = qint64(std::min<__int128>(fin, t.size() + 1));
        const QString esperado = ultimo > primero ? t.mid(primero - 1, ultimo - primero) : QString();
        // Joined, not through arg(): a generated text may hold "%1" itself.
        const QString sql = "SELECT SUBSTRING(" + literal + ", " + QString::number(desde) + ", " +
                            QString::number(largo) + ")";
        ASSERT_EQ(valor(sql).toString(), esperado) << sql.toStdString();

        for (const char* caso : {"UPPER", "LOWER"}) {
            const QString r = valor(QString("SELECT ") + caso + "(" + literal + ")").toString();
            ASSERT_EQ(r.size(), t.size()) << caso << " " << t.toStdString();
            for (QChar c : r)
                ASSERT_TRUE(vb::CabeEnWindows1252(c.unicode())) << caso << " " << t.toStdString();
        }
        const qint64 n = numero();
        const QString cantidad = QString::number(n), positiva = QString::number(std::max<qint64>(n, 0));
        for (const QString& f :
             {"REPLICATE(" + literal + ", " + cantidad + ")", "SPACE(" + cantidad + ")",
              "LEFT(" + literal + ", " + positiva + ")", "RIGHT(" + literal + ", " + positiva + ")",
              "CHARINDEX('a', " + literal + ", " + cantidad + ")"}) {
            const QVariant v = valor("SELECT " + f);
            ASSERT_LE(v.toString().size(), 8000) << f.toStdString();
        }
    }
}

}  // namespace
