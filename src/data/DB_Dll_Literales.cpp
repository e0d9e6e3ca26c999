// SQL literals, the last code of a column, the provider names, schema tests, adding a column
// and the name-trimming routines.
#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "data/NumeroDeCampo.h"
#include "outside/ado/Recordset.h"
#include "outside/ado/TextoSql.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"

#include <QDate>
#include <QDateTime>
#include <algorithm>
#include <cmath>

namespace {

constexpr Qt::CaseSensitivity kCi = Qt::CaseInsensitive;

maker::Utilidades& utilidades() {
    static maker::Utilidades u;
    return u;
}

// A number as a statement needs it: "." as decimal separator whatever the display locale, no
// thousands separator, no trailing zeros.
QString NumeroSQL(double v) {
    if (!std::isfinite(v)) return QStringLiteral("0");
    QString t = QString::number(v, 'f', 10);
    if (t.contains(QLatin1Char('.'))) {
        while (t.endsWith(QLatin1Char('0'))) t.chop(1);
        if (t.endsWith(QLatin1Char('.'))) t.chop(1);
    }
    if (t == QStringLiteral("-0")) t = QStringLiteral("0");
    return t;
}

// The value as the text pasted into a statement: dates day first, numbers with ".".
QString TextoDeValor(const QVariant& v) {
    switch (v.metaType().id()) {
        case QMetaType::QDate:
            return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
        case QMetaType::QDateTime: {
            const QDateTime dt = v.toDateTime();
            if (dt.time() == QTime(0, 0)) return dt.date().toString(QStringLiteral("dd/MM/yyyy"));
            return dt.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
        }
        case QMetaType::Bool:
            return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
        default:
            if (EsNumero(v)) return NumeroSQL(v.toDouble());
            return v.toString();
    }
}

// Currency: four decimals, half away from zero.
double Moneda(double v) {
    return std::round(v * 10000.0) / 10000.0;
}

}  // namespace

QVariant DB_Dll::SQLValue2(const QVariant& Valor, const QString& Tipo) {
    return SQLValue(Valor, Tipo);
}

QVariant DB_Dll::SQLValue(const QVariant& Valor, const QString& Tipo) {
    const bool nulo = !Valor.isValid() || Valor.isNull();
    if (Tipo.compare(QStringLiteral("@"), kCi) == 0) {
        if (nulo) return QStringLiteral("0");
        const double numero = EsNumero(Valor) ? Moneda(Valor.toDouble())
                                              : utilidades().ValorNumerico(utilidades().TextoCampo(Valor));
        return NumeroSQL(numero);
    }
    if (nulo) return QStringLiteral("NULL");
    if (Tipo == QStringLiteral("'")) {
        // Apostrophes are doubled so that a text can never end the literal early.
        return ado::LiteralTexto(TextoDeValor(Valor));
    }
    return TextoDeValor(Valor);
}

QVariant DB_Dll::BuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo, const QVariant& /*Tipo*/,
                                   const QString& Condicion) {
    // Sent as built: a table marker in it stays where it is.
    QString sql = QStringLiteral("SELECT MAX(") + QueCampo + QStringLiteral(") AS MAYOR FROM ") + QueTabla;
    if (!vb::Trim(Condicion).isEmpty()) sql += QStringLiteral(" WHERE ") + Condicion;
    auto rs = ado::Recordset::Crear();
    rs->Open(sql, cnn(), ado::adOpenForwardOnly, ado::adLockReadOnly, -1);
    QVariant resultado;
    if (!rs->Bof()) {
        rs->MoveFirst();
        const QVariant mayor = rs->valor(QStringLiteral("MAYOR"));
        resultado = NumeroDeCampo(mayor, utilidades().TextoCampo(mayor));
    }
    rs->Close();
    return resultado;
}

void DB_Dll::AddField(const QString& Tabla, const QString& Campo, const QString& Tipo, bool PermiteNulos,
                      const QVariant& ValorDefault) {
    vb::ManejadorErrores h(QStringLiteral("errAddField"), [](const vb::ErrorVB& e, const QString& rutina) {
        return CNStuffContable::gBaseDatos().TratamientoErrores(e, 18, rutina);
    });
    QString sql;
    if (!h.paso([&] {
            sql = QStringLiteral("ALTER TABLE dbo.") + Tabla + QStringLiteral(" ADD ") + Campo +
                  QLatin1Char(' ') + Tipo +
                  (PermiteNulos ? QStringLiteral(" Null ") : QStringLiteral(" Not Null "));
            if (ValorDefault.isValid()) {
                sql += QStringLiteral(" CONSTRAINT DF_") + vb::Trim(Tabla) + QLatin1Char('_') +
                       vb::Trim(Campo) + QStringLiteral(" DEFAULT (") + ValorDefault.toString() +
                       QLatin1Char(')');
            }
        }))
        return;
    h.paso([&] { EjecutaConsultaSQL(sql); });
}

bool DB_Dll::ExisteTablaDB(const QString& Tabla) {
    vb::ManejadorErrores h(QStringLiteral("VerificaCampos"), [](const vb::ErrorVB& e, const QString& rutina) {
        return CNStuffContable::gBaseDatos().TratamientoErrores(e, 18, rutina);
    });
    const QString buscada = vb::Trim(Tabla);
    ado::RecordsetPtr rs;
    if (!h.paso([&] { rs = cnn()->OpenSchema(ado::adSchemaTables); })) return false;
    if (!rs) return false;
    bool encontrada = false;
    h.paso([&] {
        if (rs->State() == ado::adStateClosed || rs->Bof()) return;
        rs->MoveFirst();
        while (!rs->Eof()) {
            if (vb::Trim(rs->valor(QStringLiteral("TABLE_NAME")).toString()).compare(buscada, kCi) == 0) {
                encontrada = true;
                return;
            }
            rs->MoveNext();
        }
    });
    return encontrada;
}

bool DB_Dll::ExisteCampoDB(const QString& Tabla, const QString& Campo) {
    if (CNStuffContable::gBaseDatos().gProveedor.contains(QStringLiteral("ORACLE"), kCi)) return true;
    vb::ManejadorErrores h(QStringLiteral("VerificaCampos"), [](const vb::ErrorVB& e, const QString& rutina) {
        return CNStuffContable::gBaseDatos().TratamientoErrores(e, 18, rutina);
    });
    const QString buscado = vb::Trim(Campo);
    ado::RecordsetPtr rs;
    if (!h.paso([&] {
            rs =
                cnn()->OpenSchema(ado::adSchemaColumns, QVariantList{gDBName, QVariant(), Tabla, QVariant()});
        }))
        return false;
    if (!rs) return false;
    bool encontrado = false;
    h.paso([&] {
        if (rs->State() == ado::adStateClosed || rs->Bof()) return;
        rs->MoveFirst();
        while (!rs->Eof()) {
            if (vb::Trim(rs->valor(QStringLiteral("COLUMN_NAME")).toString()).compare(buscado, kCi) == 0) {
                encontrado = true;
                return;
            }
            rs->MoveNext();
        }
    });
    return encontrado;
}

bool DB_Dll::VerCampoDB(const QString& Tabla, const QString& Campo, bool Agregar, const QString& Tipo,
                        bool PermiteNulos, const QVariant& ValorDefault) {
    if (ExisteTablaDB(Tabla) && !ExisteCampoDB(Tabla, Campo) && Agregar) {
        AddField(Tabla, Campo, Tipo, PermiteNulos, ValorDefault);
    }
    return true;
}

void DB_Dll::QConsulta(const QVariant&, const QVariant&, const QVariant&, const QVariant&, const QVariant&,
                       const QVariant&) {}

void DB_Dll::QGridConsulta(const QVariant&, const QVariant&, const QVariant&, const QVariant&,
                           const QVariant&) {}

QString DB_Dll::stSTF(QString& rsName, int rnPart) {
    const int punto = rsName.indexOf(QLatin1Char('.'));
    if (punto < 0) return rsName;
    if (rsName.indexOf(QLatin1Char('.'), punto + 1) >= 0) return StripOwner(rsName);
    return rnPart == 0 ? rsName.left(punto) : rsName.mid(punto + 1);
}

QString DB_Dll::AddBrackets(const QString& rObjName) const {
    if (rObjName.contains(QLatin1Char(' ')) && !rObjName.startsWith(QLatin1Char('[')))
        return QLatin1Char('[') + rObjName + QLatin1Char(']');
    return rObjName;
}

QString DB_Dll::StripConnect(const QString& rsTblName) const {
    const int flecha = rsTblName.indexOf(QStringLiteral("->"));
    if (flecha < 0) return rsTblName;
    // The character before the arrow (normally a blank) goes too.
    if (flecha == 0) vb::Raise(vb::kArgumentoInvalido);
    return rsTblName.left(flecha - 1);
}

QString DB_Dll::StripBrackets(const QString& rsObjName) const {
    if (!rsObjName.startsWith(QLatin1Char('['))) return rsObjName;
    if (rsObjName.size() < 2) vb::Raise(vb::kArgumentoInvalido);
    return rsObjName.mid(1, rsObjName.size() - 2);
}

QString DB_Dll::StripOwner(QString& rsTblName) const {
    const int punto = rsTblName.indexOf(QLatin1Char('.'));
    if (punto < 0) return rsTblName;
    rsTblName = rsTblName.mid(punto + 1);
    return rsTblName;
}

QString DB_Dll::StripFileName(const QString& rsFileName) const {
    // Windows paths use "\", this system's own "/".
    const int barra =
        std::max(rsFileName.lastIndexOf(QLatin1Char('\\')), rsFileName.lastIndexOf(QLatin1Char('/')));
    if (barra < 0) return QString();
    return rsFileName.left(barra);
}
