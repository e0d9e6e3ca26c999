// Extremes of a column, the classes of the connection's data-type codes, and closing a recordset.
#include "data/DB_Dll.h"
#include "data/NumeroDeCampo.h"
#include "outside/ado/Recordset.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"

#include <initializer_list>

namespace {

constexpr Qt::CaseSensitivity kCi = Qt::CaseInsensitive;

maker::Utilidades& utilidades() {
    static maker::Utilidades u;
    return u;
}

// The code as a number; anything that is not a number belongs to no class.
bool CodigoEn(const QVariant& qtype, std::initializer_list<int> codigos) {
    bool ok = false;
    const int codigo = qtype.toInt(&ok);
    if (!ok || qtype.isNull()) return false;
    for (int c : codigos) {
        if (c == codigo) return true;
    }
    return false;
}

const std::initializer_list<int> kFecha = {7, 133, 134, 135, 137, 64};
const std::initializer_list<int> kTexto = {8, 129, 130, 200, 201, 202, 203};
const std::initializer_list<int> kNumerico = {2, 3, 4, 5, 14, 16, 17, 18, 19, 20, 21, 131};

const QString kSinCeros = QStringLiteral(" substring(ltrim(idarticulo),1,1)<>'0'");

}  // namespace

QVariant DB_Dll::BuscaMaximo(const QString& QueTabla, const QString& QueCampo, const QVariant& Tipo) {
    QVariant sinCondicion;
    return BuscaMaximo(QueTabla, QueCampo, Tipo, sinCondicion);
}

QVariant DB_Dll::BuscaMaximo(const QString& QueTabla, const QString& QueCampo, const QVariant& Tipo,
                             QVariant& Condicion) {
    // The article codes that begin with zero do not count; their condition is added once only,
    // so a column it cannot change does not make the search run for ever.
    bool sinCerosAgregado = false;
    for (;;) {
        QString sql =
            QStringLiteral("SELECT MAX(") + QueCampo + QStringLiteral(") AS MAYOR FROM ") + QueTabla;
        if (!vb::Trim(Condicion.toString()).isEmpty())
            sql += QStringLiteral(" WHERE ") + vb::Trim(Condicion.toString());
        auto rs = ado::Recordset::Crear();
        rs->Open(sql, cnn(), ado::adOpenForwardOnly, ado::adLockReadOnly, -1);
        if (rs->Bof()) return QVariant();
        rs->MoveFirst();
        const QVariant mayor = rs->valor(QStringLiteral("MAYOR"));
        const QString texto = utilidades().TextoCampo(mayor);
        if (!sinCerosAgregado && QueTabla.compare(QStringLiteral("V_MA_ARTICULOS"), kCi) == 0 &&
            vb::Trim(texto).startsWith(QLatin1Char('0'))) {
            const QString previa = Condicion.toString();
            Condicion = previa.isEmpty() ? kSinCeros : previa + QStringLiteral(" and") + kSinCeros;
            sinCerosAgregado = true;
            rs->Close();
            continue;
        }
        if (Tipo.isValid() && !Tipo.isNull() && Tipo.toInt() == ado::adDate) return texto;
        return NumeroDeCampo(mayor, texto);
    }
}

QVariant DB_Dll::BuscaMinimo(const QString& QueTabla, const QString& QueCampo, const QVariant& Tipo) {
    return BuscaMinimo(QueTabla, QueCampo, Tipo, QVariant());
}

QVariant DB_Dll::BuscaMinimo(const QString& QueTabla, const QString& QueCampo, const QVariant& /*Tipo*/,
                             const QVariant& Condicion) {
    QString sql = QStringLiteral("SELECT MIN(") + QueCampo + QStringLiteral(") AS MENOR FROM ") + QueTabla +
                  QStringLiteral("  with(nolock) ");
    if (!vb::Trim(Condicion.toString()).isEmpty())
        sql += QStringLiteral(" WHERE ") + vb::Trim(Condicion.toString());
    auto rs = ado::Recordset::Crear();
    rs->Open(sql, cnn(), ado::adOpenForwardOnly, ado::adLockReadOnly, -1);
    QVariant resultado;
    if (!rs->Bof()) {
        rs->MoveFirst();
        const QVariant menor = rs->valor(QStringLiteral("MENOR"));
        resultado = NumeroDeCampo(menor, utilidades().TextoCampo(menor));
    }
    rs->Close();
    return resultado;
}

bool DB_Dll::adodate(const QVariant& Qtype) const {
    return CodigoEn(Qtype, kFecha);
}

QString DB_Dll::ADOComilla(const QVariant& Qtype) const {
    return (CodigoEn(Qtype, kFecha) || CodigoEn(Qtype, kTexto)) ? QStringLiteral("'") : QString();
}

bool DB_Dll::ADOText(const QVariant& Qtype) const {
    return CodigoEn(Qtype, kTexto);
}
bool DB_Dll::ADONumeric(const QVariant& Qtype) const {
    return CodigoEn(Qtype, kNumerico);
}
bool DB_Dll::ADOCurrency(const QVariant& Qtype) const {
    return CodigoEn(Qtype, {ado::adCurrency});
}
bool DB_Dll::ADOBoolean(const QVariant& Qtype) const {
    return CodigoEn(Qtype, {ado::adBoolean});
}

void DB_Dll::CierraRecordset(ado::RecordsetPtr& LrcsTemp) {
    if (!LrcsTemp) return;  // nothing was ever opened in it
    const vb::Reportero tratamiento = reporteroTratamiento();
    vb::ManejadorErrores h(QStringLiteral("CierraRecordset"),
                           [&](const vb::ErrorVB& e, const QString& rutina) {
                               if (e.Number != ado::kErrOperacionNoPermitida) return tratamiento(e, rutina);
                               // A pending edit: discard it without a word and close.
                               try {
                                   LrcsTemp->CancelUpdate();
                               } catch (const vb::ErrorVB&) {
                               }
                               try {
                                   if (LrcsTemp->State() != ado::adStateClosed) LrcsTemp->Close();
                               } catch (const vb::ErrorVB&) {
                               }
                               return vb::kRespuestaIgnorar;
                           });
    h.paso([&] {
        if (LrcsTemp->State() != ado::adStateClosed) LrcsTemp->Close();
    });
}
