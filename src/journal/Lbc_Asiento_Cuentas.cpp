// Account checks before posting, and the next codes of the fixed-asset register.
#include "journal/Lbc_Asiento.h"
#include "journal/Lbc_Asiento_Interno.h"

namespace {

// A flag equal to 1; Null is not (a blocked account holds 1, an unset flag nothing).
bool EsUno(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return false;
    if (v.typeId() == QMetaType::Bool) return v.toBool();
    return v.toDouble() == 1;
}

// MAX of a column plus one as text, "1" for an empty set; "" when the operator leaves.
QString Siguiente(const QString& rutina, const std::function<QString()>& sentencia) {
    QString resultado;
    vb::ManejadorErrores h(rutina, asiento::Reporte());
    ado::RecordsetPtr rs;
    QString sql;
    if (!h.paso([&] { sql = sentencia(); })) return resultado;
    if (!h.paso([&] {
            asiento::AbrirLectura(sql, rs);
            const QVariant maximo = rs->Bof() ? QVariant() : rs->fields()[0].Value();
            resultado = maximo.isNull() ? QStringLiteral("1") : vb::Trim(vb::CStr(vb::CDbl(maximo) + 1));
        }))
        return resultado;
    asiento::Cerrar(rs);
    return resultado;
}

}  // namespace

bool Lbc_Asiento::CuentaImputable(const QString& Cuenta) {
    bool resultado = false;
    vb::ManejadorErrores h(QStringLiteral("CuentaImputable"), asiento::Reporte());
    const QString codigo = maker::gUtilidades().QuitaCaracter(vb::Trim(Cuenta), QString(QChar(0)));
    ado::RecordsetPtr rs;
    if (!h.paso([&] {
            asiento::AbrirLectura("SELECT * FROM MA_CUENTAS WHERE CODIGO ='" + asiento::Texto(codigo) +
                                      "' AND DADA_DE_BAJA=0 AND BLOQUEO = 0",
                                  rs);
            resultado = !rs->Bof() && !asiento::Marcado(rs->valor(QStringLiteral("Titulo")));
        }))
        return resultado;
    asiento::Cerrar(rs);
    return resultado;
}

bool Lbc_Asiento::ExisteCuentas(const QString& Valor_Buscado, QVariant* Tipo, QVariant* NombreLeido,
                                QVariant* BiendeUso, QVariant* Ajustable) {
    bool resultado = false;
    vb::ManejadorErrores h(QStringLiteral("ExisteCuentas"), asiento::Reporte());
    ado::RecordsetPtr rs;
    bool hayFila = false;
    if (!h.paso([&] {
            asiento::AbrirLectura(
                "SELECT * FROM MA_CUENTAS WHERE Codigo = '" + asiento::Texto(vb::Trim(Valor_Buscado)) + "'",
                rs);
            hayFila = !rs->Bof();
        }))
        return resultado;
    if (hayFila) {
        resultado = true;
        bool inactiva = false;
        if (!h.paso([&] {
                inactiva = EsUno(rs->valor(QStringLiteral("DADA_DE_BAJA"))) ||
                           EsUno(rs->valor(QStringLiteral("BLOQUEO")));
            }))
            return resultado;
        if (inactiva) {
            asiento::Cerrar(rs);
            return false;
        }
        if (!h.paso([&] {
                if (Tipo) *Tipo = rs->valor(QStringLiteral("Titulo"));
                if (NombreLeido) *NombreLeido = rs->valor(QStringLiteral("Descripcion"));
                if (BiendeUso) *BiendeUso = rs->valor(QStringLiteral("BIENES"));
                if (Ajustable) *Ajustable = rs->valor(QStringLiteral("Ajuste"));
            }))
            return resultado;
    }
    asiento::Cerrar(rs);
    return resultado;
}

bool Lbc_Asiento::ExisteDatosAdicionales(const QString& Valor_Buscado, ado::RecordsetPtr& LRsTmp) {
    bool resultado = false;
    vb::ManejadorErrores h(QStringLiteral("ExisteDatosAdicionales"), asiento::Reporte());
    // The caller gets its recordset back closed whichever way the member ends.
    struct AlSalir {
        ado::RecordsetPtr& rs;
        ~AlSalir() {
            try {
                asiento::Cerrar(rs);
            } catch (const vb::ErrorVB&) {
            }
        }
    } alSalir{LRsTmp};
    if (!h.paso([&] { asiento::Cerrar(LRsTmp); })) return resultado;
    h.paso([&] {
        asiento::AbrirLectura(
            "SELECT * FROM MA_CUENTASADIC WHERE Codigo = '" + asiento::Texto(vb::Trim(Valor_Buscado)) + "'",
            LRsTmp);
        resultado = !LRsTmp->Bof();
    });
    return resultado;
}

QString Lbc_Asiento::UltimoIDBienDeUso() {
    return Siguiente(QStringLiteral("UltimoIdBienDeUso"),
                     [] { return QStringLiteral("SELECT MAX(CODIGO) AS [ELCODIGO] FROM MA_BIENES"); });
}

QString Lbc_Asiento::UltimoIDNovedadBienDeUso(const QString& CodigoBien) {
    return Siguiente(QStringLiteral("UltimoIdNovedadBienDeUso"), [&] {
        return "SELECT MAX(ID) AS [ELID] FROM MA_BIENES_novedades WHERE CODIGO = " +
               asiento::Numero(CodigoBien);
    });
}
