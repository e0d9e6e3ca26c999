// Voucher rules: voucher books and letters, incoming types, duplicates of a posted voucher.
#include "journal/Lbc_Asiento.h"
#include "journal/Lbc_Asiento_Interno.h"
#include "outside/runtime/Dialogos.h"
#include "services/LBM_Common1.h"

#include <QRegularExpression>

namespace CNStuffContable {
int16_t gTalonario = 0;
}  // namespace CNStuffContable

namespace {

QString Alinea4(const QString& texto) {
    return maker::gUtilidades().AlineaDerecha(texto, 4);
}

// The point of sale, number and letter of a voucher as the statements compare them.
QString ClaveComprobante(const QString& tc, const QString& sucursal, const QString& numero,
                         const QString& letra) {
    return "TC = '" + asiento::Texto(tc) + "' AND SUCURSAL = '" + asiento::Texto(sucursal) +
           "' AND NUMERO = '" + asiento::Texto(numero) + "' AND LETRA = '" + asiento::Texto(letra) + "'";
}

// The next voucher number; a zero-padded number keeps its width, so that a stored padded
// duplicate is found again.
QString NumeroSiguiente(const QString& numero) {
    static const QRegularExpression relleno(QStringLiteral("^0\\d+$"));
    const QString siguiente = vb::CStr(vb::Val(numero) + 1);
    const QString limpio = numero.trimmed();
    if (relleno.match(limpio).hasMatch() && siguiente.size() < limpio.size())
        return QString(limpio.size() - siguiente.size(), QLatin1Char('0')) + siguiente;
    return siguiente;
}

}  // namespace

void Lbc_Asiento::DatosComprobante(QString TC, QString& Suc, QString& Nro, QString& L, const QString& Uneg) {
    if (L.isEmpty() || !QStringLiteral("ABCXEMR").contains(L, Qt::CaseInsensitive)) return;
    vb::ManejadorErrores h(QStringLiteral("DatosComprobante"), asiento::Reporte());
    const QString codigo = Alinea4(vb::Trim(TC));
    const QString general =
        "SELECT * FROM V_TA_CPTE WHERE CODIGO = '" + asiento::Texto(codigo) + "' ORDER BY TALONARIO ASC";
    ado::RecordsetPtr rs;
    bool hayFila = false;
    if (!h.paso([&] {
            asiento::AbrirDinamico(Uneg.isEmpty()
                                       ? general
                                       : "SELECT * FROM V_TA_CPTE WHERE CODIGO = '" + asiento::Texto(codigo) +
                                             "' AND UNEGOCIO = '" + asiento::Texto(Alinea4(Uneg)) +
                                             "' ORDER BY TALONARIO ASC",
                                   rs);
            hayFila = !rs->Bof();
        }))
        return;
    if (!hayFila && !Uneg.isEmpty() && !h.paso([&] {
            asiento::AbrirDinamico(general, rs);
            hayFila = !rs->Bof();
        }))
        return;
    if (!hayFila) {
        Suc.clear();
        Nro.clear();
        L.clear();
        CNStuffContable::gTalonario = 0;
        asiento::Cerrar(rs);
        return;
    }
    const QString letra = vb::Trim(L);
    if (!h.paso([&] {
            Suc = vb::Format(vb::Val(asiento::Campo(rs, letra + "_SUC_DEFAULT")), QStringLiteral("0000"));
        }))
        return;
    if (!h.paso([&] {
            Nro = vb::Format(vb::Val(asiento::Campo(rs, letra + "_ULTIMO_NRO")), QStringLiteral("00000000"));
        }))
        return;
    L = letra;
    if (!h.paso([&] {
            CNStuffContable::gTalonario =
                static_cast<int16_t>(vb::CInt(vb::Val(asiento::Campo(rs, QStringLiteral("talonario")))));
        }))
        return;
    asiento::Cerrar(rs);
}

QString Lbc_Asiento::DeterminaLetra(const QString& COND_IVA_CLIEN) {
    const QString c = CNStuffContable::Cfg(QStringLiteral("CONDIVA"));
    if (vb::Val(c) == 1) return vb::Val(COND_IVA_CLIEN) > 2 ? QStringLiteral("B") : QStringLiteral("A");
    return vb::Trim(c).isEmpty() ? QStringLiteral("Z") : QStringLiteral("C");
}

// The first line of the voucher: in its sub-journal on the given date, in its sub-journal, or
// anywhere; each narrowed to the account when one is given. The recordset stays open.
static bool BuscarComprobante(const QString& TC, const QString& Sucursal, const QString& Numero,
                              const QString& letra, const QString& fecha, const QString& cuenta,
                              ado::RecordsetPtr& rs) {
    const QString clausulaCuenta =
        vb::Trim(cuenta).isEmpty() ? QString() : " AND CUENTA = '" + asiento::Texto(cuenta) + "'";
    DB_Dll& db = CNStuffContable::gBaseDatos();
    const QString subdiario =
        db.DatosTabla(QStringLiteral("MA_SUBDIARIOSCOMPROBANTES"), TC, QStringLiteral("SUBDIARIO"),
                      QStringLiteral("TC"), 8, QString(), true, false)
            .toString();
    const QString clave = ClaveComprobante(Alinea4(vb::Trim(TC)), Sucursal, Numero, vb::Trim(letra));
    const QString conSubdiario =
        "SELECT TOP 1 *  FROM MV_ASIENTOS WHERE TIPO_REG = '" + asiento::Texto(subdiario) + "' AND " + clave;
    const QString busquedas[] = {
        conSubdiario + " and Fecha = '" + asiento::Texto(fecha) + "'" + clausulaCuenta,
        conSubdiario + clausulaCuenta,
        "SELECT TOP 1 *  FROM MV_ASIENTOS WHERE " + clave + clausulaCuenta,
    };
    bool hallado = false;
    for (const QString& sql : busquedas) {
        asiento::AbrirLectura(sql, rs);
        hallado = !rs->Bof();
        if (hallado) break;
    }
    return hallado;
}

bool Lbc_Asiento::ValidaComprobante(QString TC, QString Sucursal, QString& Numero, QString letra,
                                    QString& Mensaje, QString* MesOP, QString* NroAsiento, QString* FechaAsto,
                                    QString* Cuenta, QString* PeriodoModif) {
    const QString recibido = Numero;
    bool resultado = false;
    ado::RecordsetPtr rs;
    try {
        DB_Dll& db = CNStuffContable::gBaseDatos();
        const bool hallado =
            BuscarComprobante(TC, Sucursal, Numero, letra, FechaAsto ? *FechaAsto : QString(),
                              Cuenta ? *Cuenta : QString(), rs);
        if (!hallado) {
            asiento::Cerrar(rs);
            return true;
        }
        const QString numeracion =
            db.DatosTabla(QStringLiteral("TA_COMPROBANTES"), TC, QStringLiteral("ModificaNumeracion"),
                          QStringLiteral("Codigo"), 8, QString(), true, false)
                .toString()
                .toUpper();
        if (numeracion == "FALSO" || numeracion == "FALSE" || numeracion == "0") {
            asiento::Cerrar(rs);
            Numero = NumeroSiguiente(Numero);
            const int respuesta = vb::MsgBox("El Comprobante Duplicado, el nuevo numero es: " +
                                                 LBM_Common1::FormatoComprobante(Sucursal, Numero, letra),
                                             vb::vbYesNo + vb::vbExclamation, QStringLiteral("Atencion"));
            if (respuesta != vb::vbYes) {
                Numero = recibido;
                Mensaje = QStringLiteral("Comprobante duplicado");
                return false;
            }
            return ValidaComprobante(TC, Sucursal, Numero, letra, Mensaje);
        }
        const QString mes = asiento::Campo(rs, QStringLiteral("Mes_Operativo"));
        const QString nro = asiento::Campo(rs, QStringLiteral("NUMERO ASIENTO"));
        if (MesOP) *MesOP = mes;
        if (NroAsiento) *NroAsiento = nro;
        if (PeriodoModif) *PeriodoModif = asiento::Campo(rs, QStringLiteral("PERIODO"));
        if (FechaAsto) *FechaAsto = asiento::Campo(rs, QStringLiteral("fecha"));
        Mensaje = "Comprobante registrado en el Asiento " + mes + "-" + nro;
        const QString tipoReg = asiento::Campo(rs, QStringLiteral("TIPO_REG"));
        if (!vb::Trim(tipoReg).isEmpty()) Mensaje += "\r\n Para el subdiario: " + tipoReg;
        asiento::Cerrar(rs);
    } catch (const vb::ErrorVB& e) {
        vb::MsgBox(e.Description, vb::vbOKOnly);
    }
    return resultado;
}

bool Lbc_Asiento::ComprobanteEntrada(const QString& TC) {
    static const QStringList entrada{"FCC", "NDC", "NCC", "FPC", "NCCP"};
    static const QStringList salida{"FC", "ND", "NC", "FP", "NCFP", "CBFP", "PGFP"};
    if (entrada.contains(TC, Qt::CaseInsensitive)) return true;
    if (salida.contains(TC, Qt::CaseInsensitive)) return false;
    bool resultado = false;
    vb::ManejadorErrores h(QStringLiteral("ComprobanteEntrada"), asiento::Reporte());
    ado::RecordsetPtr rs;
    bool hayFila = false;
    if (!h.paso([&] {
            asiento::AbrirLectura("SELECT * FROM TA_COMPROBANTES WHERE CODIGO = '" +
                                      asiento::Texto(Alinea4(vb::Trim(TC))) + "'",
                                  rs);
            hayFila = !rs->Bof();
        }))
        return resultado;
    if (!hayFila) return false;
    QString letras;
    if (!h.paso([&] { letras = vb::Trim(asiento::Campo(rs, QStringLiteral("Letras"))); })) return resultado;
    for (const QChar letra : letras) {
        // Leaving keeps the verdict of the letters before; Ignore counts this one as numbered.
        bool leida = false;
        if (!h.paso([&] {
                bool numerada = false;
                for (const char* sufijo : {"_ULTIMO_NRO", "_NRO_DESDE", "_NRO_HASTA"})
                    numerada = vb::Val(vb::CStr(rs->valor(QString(letra) + sufijo))) > 0 || numerada;
                resultado = !numerada;
                leida = true;
            }))
            return resultado;
        if (!leida) resultado = false;
    }
    asiento::Cerrar(rs);
    return resultado;
}

bool Lbc_Asiento::ExisteEnMVAsientos(const QString& TC, const QString& Suc, const QString& Nro,
                                     const QString& L, const VariantOpcional& Proveedor,
                                     ado::RecordsetPtr* lrcsaux) {
    bool resultado = false;
    vb::ManejadorErrores h(QStringLiteral("ExisteEnMVAsientos"), asiento::Reporte());
    ado::RecordsetPtr propio;
    ado::RecordsetPtr& rs = lrcsaux ? *lrcsaux : propio;
    h.paso([&] {
        QString sql = QStringLiteral("SELECT * FROM MV_ASIENTOS  WITH(NOLOCK) WHERE ") +
                      ClaveComprobante(vb::Trim(TC), Suc, Nro, vb::Trim(L));
        if (Proveedor)
            sql = "SELECT * FROM MV_ASIENTOS WITH(NOLOCK) WHERE " +
                  ClaveComprobante(vb::Trim(TC), Suc, Nro, vb::Trim(L)) + " AND CABCUENTA = '" +
                  asiento::Texto(vb::Trim(Proveedor->toString())) + "'";
        asiento::AbrirDinamico(sql, rs);
        resultado = !rs->Bof();
    });
    return resultado;
}

bool Lbc_Asiento::ExisteEnMVAsientos2(const QString& TC, const QString& Suc, const QString& Nro,
                                      const QString& L, const QVariant& /*TipoReg*/,
                                      const QString& NroAsiento, const QString& MesOP, const QString& Periodo,
                                      const VariantOpcional& Proveedor, ado::RecordsetPtr* lrcsaux) {
    bool resultado = false;
    vb::ManejadorErrores h(QStringLiteral("ExisteEnMVAsientos2"), asiento::Reporte());
    ado::RecordsetPtr propio;
    ado::RecordsetPtr& rs = lrcsaux ? *lrcsaux : propio;
    h.paso([&] {
        const QString cabeza = "SELECT * FROM MV_ASIENTOS WITH(NOLOCK) WHERE " +
                               ClaveComprobante(vb::Trim(TC), Suc, Nro, vb::Trim(L)) +
                               " AND [NUMERO ASIENTO] = " + asiento::Numero(NroAsiento);
        QString sql;
        if (!Proveedor)
            sql = cabeza + "  AND MES_OPERATIVO = " + asiento::Numero(MesOP) + " AND (ESRESUMEN = 0)";
        else
            sql = cabeza + " AND Periodo = " + asiento::Numero(Periodo) +
                  " AND MES_OPERATIVO = " + asiento::Numero(MesOP) +
                  "  AND (ESRESUMEN = 0) AND CABCUENTA = '" +
                  asiento::Texto(vb::Trim(Proveedor->toString())) + "'";
        asiento::AbrirDinamico(sql, rs);
        resultado = !rs->Bof();
    });
    return resultado;
}
