// The rules object, its period and the entry-number and calendar helpers.
#include "journal/Lbc_Asiento.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "journal/Lbc_Asiento_Interno.h"
#include "outside/ado/TextoSql.h"

namespace asiento {

QString Texto(const QString& valor) {
    return ado::DuplicaApostrofes(valor);
}

QString Numero(const QString& valor) {
    static const QRegularExpression numero(QStringLiteral(R"(^[-+]?(\d+\.?\d*|\.\d+)$)"));
    const QString s = valor.trimmed();
    if (!numero.match(s).hasMatch())
        vb::Raise(vb::kTiposNoCoinciden,
                  QStringLiteral("No coinciden los tipos: '%1' no es un número").arg(valor));
    return s;
}

bool Marcado(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return false;
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    if (v.typeId() == QMetaType::QString) return vb::Val(v.toString()) != 0;
    return v.toDouble() != 0;
}

}  // namespace asiento

namespace {

// VB CLng: rounds half to even; raises 6 outside the 32-bit range.
int32_t EnteroLargo(const QVariant& v) {
    const double d = std::nearbyint(vb::CDbl(v));
    if (d < -2147483648.0 || d > 2147483647.0) vb::Raise(6);
    return static_cast<int32_t>(d);
}

QString TextoDeNumero(const QString& texto) {
    return vb::CStr(vb::Val(texto));
}

}  // namespace

Lbc_Asiento::Lbc_Asiento() {
    QString aux;
    PeriodoActual = static_cast<int16_t>(vb::CInt(CNStuffContable::Cfg(QStringLiteral("PERIODO"), aux)));
}

QVariant Lbc_Asiento::EliminaCarNroAsiento(const QString& QueAsiento, const VariantOpcional& Tipo,
                                           const VariantOpcional& CHar) {
    const QString separador = CHar ? CHar->toString() : QStringLiteral("-");
    QString resultado;
    if (!QueAsiento.isEmpty()) {
        const qsizetype donde =
            separador.isEmpty() ? -1 : QueAsiento.indexOf(separador, 0, Qt::CaseInsensitive);
        if (donde >= 0)
            resultado = TextoDeNumero(QueAsiento.left(donde)) +
                        TextoDeNumero(QueAsiento.mid(donde + separador.size()));
        else
            resultado = QueAsiento;
    }
    if (Tipo && vb::IsNumeric(*Tipo)) {
        const double t = vb::CDbl(*Tipo);
        if (t == 3 || t == 2) return QVariant(EnteroLargo(resultado));
    }
    return resultado;
}

int32_t Lbc_Asiento::UltimoNumeroAsiento(const QVariant& Mes, const VariantOpcional& Tipo_Reg,
                                         const VariantOpcional& Periodo) {
    int32_t resultado = 0;
    vb::ManejadorErrores h(QStringLiteral("UltimoNumeroAsiento"), asiento::Reporte());
    ado::RecordsetPtr rs;
    QString sql;
    if (!h.paso([&] {
            const QString mes = asiento::Numero(Mes.toString());
            const QString periodo =
                Periodo ? TextoDeNumero(Periodo->toString()) : vb::CStr(double(PeriodoActual));
            const QString tipo = Tipo_Reg ? vb::Trim(Tipo_Reg->toString()) : QString();
            sql =
                "SELECT MAX([NUMERO ASIENTO]) AS [NRO_ASIENTO] FROM @ADMIN_MV_ASIENTOS WHERE MES_OPERATIVO "
                "= " +
                mes + " AND PERIODO = '" + asiento::Texto(periodo);
            if (!tipo.isEmpty())
                sql += "' AND TIPO_REG = '" + asiento::Texto(tipo) + "' ";
            else
                sql += "' AND (TIPO_REG = '" + QString(QChar(0xFF)) + "RS" + "' OR TIPO_REG = '') ";
        }))
        return resultado;
    if (!h.paso([&] {
            asiento::AbrirLectura(sql, rs);
            const QVariant maximo = rs->Bof() ? QVariant() : rs->valor(QStringLiteral("Nro_Asiento"));
            // The number after the highest a 32-bit number holds is an overflow, never a negative.
            resultado = maximo.isNull() ? 1 : EnteroLargo(double(EnteroLargo(maximo)) + 1);
        }))
        return resultado;
    asiento::Cerrar(rs);
    return resultado;
}

QString Lbc_Asiento::FormatDisplayNroAsiento(const QVariant& NroAsiento, const QDateTime& fecha) {
    return vb::Format(double(vb::Month(fecha.date())), QStringLiteral("00")).trimmed() + "-" +
           vb::Format(double(EnteroLargo(NroAsiento)), QStringLiteral("0000000"));
}

QString Lbc_Asiento::FormatNroAsiento(const QString& Nro_Con_Formato) {
    const qsizetype guion = Nro_Con_Formato.indexOf(QLatin1Char('-'));
    return TextoDeNumero(guion >= 0 ? Nro_Con_Formato.mid(guion + 1) : Nro_Con_Formato);
}

QString Lbc_Asiento::FMTNroAsiento(const QString& NroAsiento) {
    const QString limpio = vb::Trim(maker::gUtilidades().QuitaCaracter(NroAsiento, QStringLiteral("-")));
    if (limpio.size() < 3) return NroAsiento;
    const qsizetype guion = NroAsiento.indexOf(QLatin1Char('-'));
    QString mes, numero;
    if (guion >= 0) {
        // What the user typed before the dash is the month, however short (3-123 is March).
        mes = vb::Trim(NroAsiento.left(guion));
        if (mes.size() < 2) mes = QString(2 - mes.size(), QLatin1Char('0')) + mes;
        numero = vb::Trim(maker::gUtilidades().QuitaCaracter(NroAsiento.mid(guion + 1), QStringLiteral("-")));
    } else {
        mes = vb::Trim(limpio.left(2));
        numero = vb::Trim(limpio.mid(2));
    }
    return mes + "-" + vb::Format(vb::Val(numero), QStringLiteral("0000000"));
}

int16_t Lbc_Asiento::CalculoDV(const QVariant& Cuenta) {
    static const int pesos[] = {9, 7, 5, 3, 1};
    const QString codigo = vb::CStr(Cuenta);
    int suma = 0;
    for (qsizetype i = 0; i < codigo.size(); ++i) {
        const QChar c = codigo[i];
        const int valor = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ? c.unicode() - '0' : 0;
        suma += pesos[i % 5] * valor;
        if (suma > 32767) vb::Raise(6);  // the sum is a 16-bit integer
    }
    while (suma > 99) suma /= 10;
    return static_cast<int16_t>(suma);
}

int16_t Lbc_Asiento::UltimoDiaMes(const QString& Mes, const QString& Anio) {
    // A three-digit year is that year, as its four-digit form writes it ("204" is 0204).
    QString anio = vb::Trim(Anio);
    const bool tresCifras =
        anio.size() == 3 && std::all_of(anio.begin(), anio.end(), [](QChar c) { return c.isDigit(); });
    anio = tresCifras ? "0" + anio : Anio;
    // Only 28 to 31 can end a month: below that the month or the year makes no date.
    for (int dia = 31; dia >= 28; --dia)
        if (vb::IsDate(QString::number(dia) + "/" + Mes + "/" + anio)) return static_cast<int16_t>(dia);
    return 0;
}
