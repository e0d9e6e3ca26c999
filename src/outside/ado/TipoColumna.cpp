#include "outside/ado/TipoColumna.h"

#include "outside/ado/AdoTipos.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace ado {

namespace {

long primerNumero(const QString& d, long porOmision) {
    const int a = d.indexOf('(');
    if (a < 0) return porOmision;
    int b = a + 1;
    while (b < d.size() && d[b] != ',' && d[b] != ')') ++b;
    const QString n = d.mid(a + 1, b - a - 1).trimmed();
    if (n.compare("max", Qt::CaseInsensitive) == 0) return std::numeric_limits<int>::max();
    bool ok = false;
    const long v = n.toLong(&ok);
    return ok ? v : porOmision;
}

TipoColumna tipoSinMemoria(const QString& declarado);

}  // namespace

// Every column of every statement opened comes here: each declared type is worked out once.
TipoColumna TipoDeDeclarado(const QString& declarado) {
    thread_local QHash<QString, TipoColumna> vistos;
    auto it = vistos.constFind(declarado);
    if (it != vistos.constEnd()) return *it;
    const TipoColumna t = tipoSinMemoria(declarado);
    if (vistos.size() < 4096) vistos.insert(declarado, t);
    return t;
}

namespace {

TipoColumna tipoSinMemoria(const QString& declarado) {
    const QString d = declarado.trimmed().toLower();
    if (d.isEmpty()) return {adEmpty, 0};
    QString base = d.section('(', 0, 0).trimmed();
    base.remove('[').remove(']');
    constexpr long kLargo = std::numeric_limits<int>::max();
    if (base == "varchar" || base == "character varying") {
        const long n = primerNumero(d, 1);
        return {n == kLargo ? adLongVarChar : adVarChar, n};
    }
    if (base == "nvarchar") {
        const long n = primerNumero(d, 1);
        return {n == kLargo ? adLongVarWChar : adVarWChar, n};
    }
    if (base == "char" || base == "character") return {adChar, primerNumero(d, 1)};
    if (base == "nchar") return {adWChar, primerNumero(d, 1)};
    if (base == "text" || base == "clob") return {adLongVarChar, kLargo};
    if (base == "ntext") return {adLongVarWChar, kLargo};
    if (base == "int" || base == "integer") return {adInteger, 4};
    if (base == "smallint") return {adSmallInt, 2};
    if (base == "tinyint") return {adUnsignedTinyInt, 1};
    if (base == "bigint") return {adBigInt, 8};
    if (base == "bit" || base == "boolean") return {adBoolean, 2};
    if (base == "float" || base == "real" || base == "double" || base == "double precision")
        return {adDouble, 8};
    if (base == "decimal" || base == "numeric") return {adNumeric, 19};
    if (base == "money" || base == "smallmoney") return {adCurrency, 8};
    if (base == "datetime" || base == "smalldatetime" || base == "datetime2" || base == "timestamp")
        return {adDBTimeStamp, 16};
    if (base == "date") return {adDBDate, 6};
    if (base == "time") return {adDBTime, 6};
    if (base.contains("int")) return {adInteger, 4};
    if (base.contains("char") || base.contains("text")) return {adVarChar, primerNumero(d, kLargo)};
    return {adVarChar, kLargo};
}

}  // namespace

bool EsTipoTexto(int t) {
    return t == adChar || t == adWChar || t == adVarChar || t == adVarWChar || t == adLongVarChar ||
           t == adLongVarWChar;
}
bool EsTipoEntero(int t) {
    return t == adSmallInt || t == adInteger || t == adTinyInt || t == adUnsignedTinyInt ||
           t == adUnsignedSmallInt || t == adUnsignedInt || t == adBigInt || t == adUnsignedBigInt;
}
bool EsTipoDecimal(int t) {
    return t == adSingle || t == adDouble || t == adCurrency || t == adDecimal || t == adNumeric;
}
bool EsTipoFecha(int t) {
    return t == adDate || t == adDBDate || t == adDBTime || t == adDBTimeStamp;
}

bool PareceFechaIso(const QString& texto) {
    // yyyy-mm-dd, then optionally " hh:mm" or "Thh:mm", ":ss" and up to three decimals.
    const qsizetype n = texto.size();
    auto digitos = [&](qsizetype desde, qsizetype cuantos) {
        for (qsizetype i = desde; i < desde + cuantos; ++i)
            if (i >= n || texto[i] < u'0' || texto[i] > u'9') return false;
        return true;
    };
    if (n < 10 || !digitos(0, 4) || texto[4] != u'-' || !digitos(5, 2) || texto[7] != u'-' || !digitos(8, 2))
        return false;
    if (n == 10) return true;
    if ((texto[10] != u' ' && texto[10] != u'T') || !digitos(11, 2) || n < 16 || texto[13] != u':' ||
        !digitos(14, 2))
        return false;
    if (n == 16) return true;
    if (n < 19 || texto[16] != u':' || !digitos(17, 2)) return false;
    if (n == 19) return true;
    return texto[19] == u'.' && n >= 21 && n <= 23 && digitos(20, n - 20);
}

QVariant FechaDesdeTextoIso(const QString& texto, int tipo) {
    if (!PareceFechaIso(texto)) return {};
    // Every date column of every row read passes here: the fixed positions are read directly.
    auto numero = [&](qsizetype desde, qsizetype cuantos) {
        int v = 0;
        for (qsizetype i = desde; i < desde + cuantos; ++i) v = v * 10 + (texto[i].unicode() - '0');
        return v;
    };
    const QDate dia(numero(0, 4), numero(5, 2), numero(8, 2));
    if (!dia.isValid()) return {};
    if (tipo == adDBDate) return dia;
    QTime hora(0, 0);
    if (texto.size() == 16 || texto.size() == 19) {
        hora = QTime(numero(11, 2), numero(14, 2), texto.size() == 19 ? numero(17, 2) : 0);
        if (!hora.isValid()) return {};
    } else if (texto.size() > 10) {
        const QString h = texto.mid(11);
        hora = QTime::fromString(h, h.size() == 5 ? "HH:mm" : (h.size() == 8 ? "HH:mm:ss" : "HH:mm:ss.z"));
        if (!hora.isValid()) return {};
    }
    return QDateTime(dia, hora);
}

QString TextoIsoDeFecha(const QVariant& fecha) {
    if (fecha.typeId() == QMetaType::QDate) return fecha.toDate().toString("yyyy-MM-dd");
    if (fecha.typeId() == QMetaType::QTime) return fecha.toTime().toString("HH:mm:ss");
    const QDateTime f = fecha.toDateTime();
    if (f.time() == QTime(0, 0)) return f.date().toString("yyyy-MM-dd");
    if (f.time().msec() != 0) return f.toString("yyyy-MM-dd HH:mm:ss.zzz");
    return f.toString("yyyy-MM-dd HH:mm:ss");
}

namespace {

bool numeroDesde(const QVariant& v, double& n) {
    switch (v.typeId()) {
        case QMetaType::Bool:
            n = v.toBool() ? -1 : 0;
            return true;  // VB's True is -1
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Long:
        case QMetaType::Short:
            n = v.toDouble();
            return std::isfinite(n);
        case QMetaType::QString: {
            const QString s = v.toString().trimmed();
            bool ok = false;
            n = s.toDouble(&ok);
            if (!ok) n = QLocale(QLocale::Spanish).toDouble(s, &ok);
            return ok && std::isfinite(n);
        }
        default:
            return false;
    }
}

QVariant fechaDesde(const QVariant& v, int tipo) {
    QDateTime f;
    switch (v.typeId()) {
        case QMetaType::QDateTime:
            f = v.toDateTime();
            break;
        case QMetaType::QDate:
            f = QDateTime(v.toDate(), QTime(0, 0));
            break;
        case QMetaType::QString: {
            const QString s = v.toString().trimmed();
            QVariant iso = FechaDesdeTextoIso(s, adDBTimeStamp);
            if (iso.isValid()) {
                f = iso.toDateTime();
                break;
            }
            static const QRegularExpression re(
                R"(^(\d{1,2})/(\d{1,2})/(\d{4}|\d{2})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?$)");
            const auto m = re.match(s);
            if (!m.hasMatch()) return {};
            // Two-digit years as the company server reads them: 00-49 are 20xx, 50-99 are 19xx.
            int anio = m.captured(3).toInt();
            if (m.captured(3).size() == 2) anio += anio < 50 ? 2000 : 1900;
            const QDate d(anio, m.captured(2).toInt(), m.captured(1).toInt());
            const QTime h(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
            f = QDateTime(d, h);
            break;
        }
        default:
            return {};
    }
    if (!f.isValid()) return {};
    if (tipo == adDBDate) return f.date();
    return f;
}

}  // namespace

bool ConvertirParaColumna(int tipo, long /*largo*/, const QVariant& v, QVariant& salida) {
    if (v.isNull() && v.typeId() != QMetaType::QString) {
        salida = QVariant();
        return true;
    }
    if (EsTipoTexto(tipo) || tipo == adEmpty) {
        QString s;
        if (v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime)
            s = TextoIsoDeFecha(v);
        else if (v.typeId() == QMetaType::Double)
            s = QString::number(v.toDouble(), 'g', 15);
        else
            s = v.toString();
        // A text longer than its column is the server's to refuse (8152) when the row is written.
        salida = s;
        return true;
    }
    if (tipo == adBoolean) {
        if (v.typeId() == QMetaType::QString) {
            const QString s = v.toString().trimmed().toLower();
            if (s == "true" || s == "verdadero") {
                salida = true;
                return true;
            }
            if (s == "false" || s == "falso") {
                salida = false;
                return true;
            }
        }
        double n = 0;
        if (!numeroDesde(v, n)) return false;
        salida = n != 0;
        return true;
    }
    if (EsTipoEntero(tipo)) {
        double n = 0;
        if (!numeroDesde(v, n)) return false;
        const double r = std::nearbyint(n);
        double menor = -2147483648.0, mayor = 2147483647.0;
        if (tipo == adSmallInt) menor = -32768, mayor = 32767;
        if (tipo == adUnsignedTinyInt || tipo == adTinyInt) menor = 0, mayor = 255;
        if (tipo == adBigInt) menor = -9.2e18, mayor = 9.2e18;
        if (!(r >= menor && r <= mayor)) return false;  // NaN included
        salida = tipo == adBigInt ? QVariant(qlonglong(r)) : QVariant(int(r));
        return true;
    }
    if (EsTipoDecimal(tipo)) {
        double n = 0;
        if (!numeroDesde(v, n)) return false;
        salida = n;
        return true;
    }
    if (EsTipoFecha(tipo)) {
        salida = fechaDesde(v, tipo);
        return salida.isValid();
    }
    salida = v;
    return true;
}

}  // namespace ado
