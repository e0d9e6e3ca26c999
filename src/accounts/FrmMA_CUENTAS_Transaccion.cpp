// The writes of one account save in one transaction: the MA_CUENTAS row (on an update only the
// changed columns, once the optimistic check found no one else's change), the audit row, the default
// cost-centre row, the user-group rows and the settings of the payment means. A failure anywhere rolls back
// all of them; the copies to the group wait for the commit.
#include "accounts/FrmMA_CUENTAS.h"
#include "data/DB_Dll.h"
#include "data/LecturasVigiladas.h"
#include "outside/ado/Field.h"
#include "outside/ado/Recordset.h"
#include "outside/ado/TextoSql.h"
#include "outside/ado/Transaccion.h"
#include "outside/controls/CajaTexto.h"
#include "outside/maker/EnlaceControles.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ManejadorErrores.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"

#include <QCheckBox>
#include <QRadioButton>

using CNStuffContable::gBaseDatos;

namespace {

// A read inside the transaction, through the views the user may read.
ado::RecordsetPtr Lee(DB_Dll& db, QString& sentencia, const QString& sql) {
    sentencia = db.SS_TSinonimos(sql);
    return db.gCnn->Execute(sentencia);
}

void Ejecuta(DB_Dll& db, QString& sentencia, const QString& sql, long* afectados = nullptr) {
    sentencia = sql;
    db.gCnn->Execute(sentencia, afectados);
}

}  // namespace

FrmMA_CUENTAS::Escritura FrmMA_CUENTAS::EnTransaccion(
    Grabacion& g, const std::function<bool(vb::ManejadorErrores&)>& pasos) {
    g.reintentar = g.referida = false;
    g.rechazo.clear();
    g.replicas.clear();
    g.sentencia.clear();
    // A check the operator gave up, told once, leaves the save without its answer: nothing is written.
    if (LecturasVigiladas::Abandonada()) return Escritura::Fallida;
    vb::ManejadorErrores h("ActualizarDatos", [this, &g](const vb::ErrorVB& e, const QString&) {
        return ErrorEnTransaccion(g, e);
    });
    DB_Dll& db = gBaseDatos();
    const bool hecha = h.paso([&] { g.transaccion = std::make_shared<ado::Transaccion>(db.gCnn); }) &&
                       pasos(h) && h.paso([&] {
                           g.sentencia.clear();
                           g.transaccion->Confirmar();
                       });
    g.transaccion.reset();
    if (hecha) return Escritura::Hecha;
    return g.reintentar ? Escritura::Reintento : Escritura::Fallida;
}

FrmMA_CUENTAS::Escritura FrmMA_CUENTAS::EscribeCuenta(Grabacion& g) {
    return EnTransaccion(g, [&](vb::ManejadorErrores& h) {
        return EscribeFila(h, g) && RegistraAccion(h, g) && GrabaCCostoDefecto(h, g) &&
               (!Nuevo || AsignaGruposUsuarios(h, g)) && GrabaAjustesMedio(h, g);
    });
}

FrmMA_CUENTAS::Escritura FrmMA_CUENTAS::EscribeBaja(Grabacion& g, bool conCashFlow) {
    return EnTransaccion(g, [&](vb::ManejadorErrores& h) {
        if (!SinCambiosAjenos(h, g, {})) return false;
        DB_Dll& db = gBaseDatos();
        const QString c = ado::LiteralTexto(g.codigo);
        QStringList sentencias;
        // The lines go in the account's own transaction: an account that stays keeps them.
        if (conCashFlow) sentencias << BorraCashFlow(g.codigo);
        // Nothing of its own stays behind, so that the code can be saved again as a new account.
        sentencias << "DELETE MA_CUENTAS WHERE CODIGO = " + c << "DELETE MA_CUENTASADIC WHERE CODIGO = " + c
                   << "DELETE MA_CUENTAS_USUARIOS WHERE CUENTA = " + c
                   << "DELETE MA_CUENTASCCOSTO WHERE CODIGO = " + c
                   << "DELETE MA_CUENTASCCOSTO_UNEG WHERE CODIGO = " + c
                   << "DELETE TA_CONFIGURACION WHERE CLAVE = " +
                          ado::LiteralTexto("CTA_RET_OTRA_" + g.codigo);
        for (const QString& s : sentencias)
            if (!h.paso([&] { Ejecuta(db, g.sentencia, s); })) return false;
        for (const char* tabla :
             {"@ADMIN_MA_CUENTAS", "MA_CUENTASADIC", "MA_CUENTASCCOSTO", "MA_CUENTASCCOSTO_UNEG"})
            g.replicas.append({tabla, c});
        g.replicas.append({"MA_CUENTAS_USUARIOS", QString(), c});
        return RegistraAccion(h, g);
    });
}

FrmMA_CUENTAS::Escritura FrmMA_CUENTAS::EscribeBajaLogica(Grabacion& g, bool conCashFlow) {
    g.marca = true;
    return EnTransaccion(g, [&](vb::ManejadorErrores& h) {
        // The refused delete was undone: what is stored now is checked again against what was shown.
        if (!SinCambiosAjenos(h, g, {}) || !SinMovimientosDelEjercicio(h, g)) return false;
        DB_Dll& db = gBaseDatos();
        // The lines the user agreed to give up go with the mark; the account keeps everything else.
        // A marked account is still there: no action record, as the mark has never written one.
        return (!conCashFlow || h.paso([&] { Ejecuta(db, g.sentencia, BorraCashFlow(g.codigo)); })) &&
               h.paso([&] {
                   Ejecuta(db, g.sentencia,
                           "UPDATE MA_CUENTAS SET DADA_DE_BAJA = 1 WHERE CODIGO = " +
                               ado::LiteralTexto(g.codigo));
               });
    });
}

bool FrmMA_CUENTAS::SinMovimientosDelEjercicio(vb::ManejadorErrores& h, Grabacion& g) {
    DB_Dll& db = gBaseDatos();
    QString base;
    if (!h.paso([&] {
            // The year is pasted as a number: it must be one.
            const QString periodo = vb::Trim(CNStuffContable::gPeriodo);
            bool numero = false;
            periodo.toLongLong(&numero);
            if (!numero) vb::Raise(vb::kTiposNoCoinciden, "El ejercicio actual (PERIODO) no es un número");
            base = "SELECT * FROM MV_ASIENTOS WHERE CUENTA = " + ado::LiteralTexto(g.codigo) +
                   " AND CONVERT(INT,PERIODO) = " + periodo;
        }))
        return false;
    bool movimientos = false;
    if (!h.paso([&] {
            ado::RecordsetPtr rs = Lee(db, g.sentencia, base + " AND (ES_SALDO_APERTURA = 0)");
            movimientos = !(rs->Bof() && rs->Eof());
        }))
        return false;
    if (movimientos) {
        g.rechazo = "La cuenta que intenta eliminar Tiene movimientos en este Ejercicio";
        return false;
    }
    // Only the first opening line counts.
    bool saldoCero = true;
    if (!h.paso([&] {
            ado::RecordsetPtr rs = Lee(db, g.sentencia, base + " AND (ES_SALDO_APERTURA = 1)");
            auto& u = maker::gUtilidades();
            if (!(rs->Bof() && rs->Eof()))
                saldoCero = u.ValorNumerico(u.TextoCampo(rs->valor("Importe"))) == 0;
        }))
        return false;
    if (!saldoCero) g.rechazo = "La cuenta que intenta eliminar no tiene Saldo 0 de Apertura";
    return saldoCero;
}

int FrmMA_CUENTAS::ErrorEnTransaccion(Grabacion& g, const vb::ErrorVB& e) {
    auto& u = maker::gUtilidades();
    DB_Dll& db = gBaseDatos();
    HuboError = true;
    u.Ocupado(false);
    const bool perdida = g.transaccion && g.transaccion->SePerdio(e);
    const ado::Errors& errores = db.gCnn->errores();
    const int32_t nativo = errores.Count() > 0 ? errores.Item(0).NativeError : 0;
    // Nothing of the save stays, and the record of the refusal is written outside it.
    try {
        if (g.transaccion) g.transaccion->Deshacer();
    } catch (const vb::ErrorVB&) {
    }
    g.transaccion.reset();
    int respuesta = 0;
    if (perdida) {
        u.TrataError(ado::Transaccion::ErrorPerdida(e), vb::vbOKOnly + vb::vbCritical, "ActualizarDatos",
                     respuesta);
        return 0;
    }
    if (!g.sentencia.isEmpty()) {
        try {
            CNStuffContable::RegistraErrorSQL(g.sentencia, vb::App().EXEName, nativo, e.Description);
        } catch (const vb::ErrorVB&) {
        }
    }
    // Other rows refer to the account: it is marked as deleted instead, without this box.
    if (Borrando && !g.marca && nativo == ado::kNativoReferencia) {
        g.referida = true;
        return 0;
    }
    // A new code may belong to an account this user does not see: said in plain words, not in the
    // server's.
    if (Nuevo && nativo == ado::kNativoClaveDuplicada &&
        g.sentencia.startsWith("INSERT INTO MA_Cuentas ", Qt::CaseInsensitive)) {
        vb::MsgBox(QString::fromUtf8("El código ") + g.codigo +
                       QString::fromUtf8(" ya pertenece a otra cuenta del plan. Ingrese otro código."),
                   vb::vbInformation, "Aviso al operador...");
        return 0;
    }
    u.TrataError(e, "ActualizarDatos", respuesta);
    // Retry runs the whole save again; going on past a failed statement would commit half of it.
    g.reintentar = respuesta == vb::kRespuestaReintentar;
    return 0;
}

bool FrmMA_CUENTAS::EscribeFila(vb::ManejadorErrores& h, Grabacion& g) {
    using CNStuffContable::CampoValor;
    DB_Dll& db = gBaseDatos();
    const QList<QPair<QString, QString>> pares = Nuevo ? g.pares : ParesCambiados(g);
    if (!SinCambiosAjenos(h, g, pares)) return false;
    // Nothing changed in the row: its companion rows and the audit row are still written.
    if (!Nuevo && pares.isEmpty()) return true;
    QList<CampoValor> campos;
    for (const auto& p : pares) campos.append({p.first, p.second});
    QStringList sentencias{QString()};
    return h.paso([&] {
        CNStuffContable::ArmaSentenciaSQL(campos, sentencias, "MA_Cuentas", !Nuevo,
                                          Nuevo ? QString() : " CODIGO = " + ado::LiteralTexto(g.codigo));
        Ejecuta(db, g.sentencia, sentencias.first());
    });
}

bool FrmMA_CUENTAS::RegistraAccion(vb::ManejadorErrores& h, Grabacion& g) {
    DB_Dll& db = gBaseDatos();
    return h.paso([&] {
        g.sentencia = "INSERT INTO V_MV_CPTEACCIONES";
        db.gCnn->errores().Clear();
        CNStuffContable::RegistraAccionComprobante(
            "", "", "0", Nuevo, Modificando, Borrando,
            g.codigo + " " + (txtFields.size() > 1 ? txtFields[1]->text() : QString()));
        // The audit row keeps its failures to itself: read them here, for it belongs to the save.
        const ado::Errors& errores = db.gCnn->errores();
        if (errores.Count() > 0) {
            const ado::Error e = errores.Item(0);
            vb::Raise(e.Number != 0 ? e.Number : ado::kErrNoEspecificado, e.Description, e.Source);
        }
        if (g.transaccion->Perdida())
            vb::Raise(ado::kErrNoEspecificado, QString::fromUtf8("Vínculo de comunicación perdido"));
    });
}

bool FrmMA_CUENTAS::GrabaCCostoDefecto(vb::ManejadorErrores& h, Grabacion& g) {
    // The default cost-centre row of a postable account.
    if (!OptTipoCuenta[0]->isChecked()) return true;
    auto& u = maker::gUtilidades();
    DB_Dll& db = gBaseDatos();
    const int iCodigo = maker::gEnlaceControles().CampoEnlazado("codigo", txtFields);
    const QString c =
        ado::LiteralTexto(iCodigo >= 0 ? u.QuitaCaracter(txtFields[iCodigo]->text(), "-") : g.codigo);
    ado::RecordsetPtr filas;
    bool sinFilas = true;
    if (!h.paso([&] {
            filas = Lee(db, g.sentencia, "SELECT * FROM MA_CUENTASCCOSTO WHERE CODIGO = " + c);
            sinFilas = filas->Bof() && filas->Eof();
        }))
        return false;
    return h.paso([&] {
        if (sinFilas && chkCCostos->isChecked())
            Ejecuta(db, g.sentencia,
                    "INSERT INTO MA_CUENTASCCOSTO (CODIGO,CCOSTO,PORCENTAJE) VALUES (" + c + "," +
                        ado::LiteralTexto(CCostoDefecto) + ",0)");
        else if (!chkCCostos->isChecked() && (sinFilas || chkCCostos->isEnabled()))
            Ejecuta(db, g.sentencia, "DELETE MA_CUENTASCCOSTO WHERE CODIGO = " + c);
    });
}

bool FrmMA_CUENTAS::GrabaAjustesMedio(vb::ManejadorErrores& h, Grabacion& g) {
    // A setting as the configuration keeps it: its key in capitals, in the group "DATOS".
    DB_Dll& db = gBaseDatos();
    const auto ajuste = [&](const QString& clave, const QString& valor) {
        long afectadas = 0;
        const QString k = ado::LiteralTexto(clave.toUpper()), v = ado::LiteralTexto(valor);
        Ejecuta(db, g.sentencia, "UPDATE TA_CONFIGURACION SET VALOR = " + v + " WHERE CLAVE = " + k,
                &afectadas);
        if (afectadas == 0)
            Ejecuta(db, g.sentencia,
                    "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, GRUPO, POLITICANEGOCIO) VALUES (" + k +
                        ", " + v + ", 'DATOS', 0)");
    };
    const auto valor = [&](const QString& clave) {
        ado::RecordsetPtr rs = Lee(
            db, g.sentencia, "SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = " + ado::LiteralTexto(clave));
        return rs->Eof() ? QString() : vb::Trim(maker::gUtilidades().TextoCampo(rs->valor("VALOR")));
    };
    const QString retencion = "CTA_RET_OTRA_" + g.codigo;
    // A payment means moved away clears the setting it no longer holds.
    return h.paso([&] {
        if (g.medio == 10)
            ajuste(retencion, "SU");
        else if (valor(retencion).compare("SU", Qt::CaseInsensitive) == 0)
            ajuste(retencion, "");
    }) && h.paso([&] {
        if (g.medio == 11)
            ajuste("CtaSolicitudCredito", g.codigo);
        else if (valor("CtaSolicitudCredito").compare(g.codigo, Qt::CaseInsensitive) == 0)
            ajuste("CtaSolicitudCredito", "");
    });
}

bool FrmMA_CUENTAS::AsignaGruposUsuarios(vb::ManejadorErrores& h, Grabacion& g) {
    // A new account belongs to the user groups of the accounts above it.
    DB_Dll& db = gBaseDatos();
    const QString& codigo = g.codigo;
    QStringList partes;
    for (int l = 1; l < codigo.size(); ++l) partes << " cuenta = " + ado::LiteralTexto(codigo.left(l)) + " ";
    const QString condicion = partes.isEmpty() ? QString(" CUENTA = '' ") : partes.join(" or ");
    ado::RecordsetPtr grupos;
    bool hayGrupos = false;
    if (!h.paso([&] {
            grupos =
                Lee(db, g.sentencia,
                    "SELECT GRUPOUSER FROM MA_CUENTAS_USUARIOS WHERE " + condicion + " GROUP BY GRUPOUSER");
            hayGrupos = !(grupos->Bof() && grupos->Eof());
        }))
        return false;
    if (hayGrupos) return AsignaGrupos(h, g, grupos, "GRUPOUSER", false);
    if (codigo.size() != CNStuffContable::gDigitosCapitulo) return true;
    ado::RecordsetPtr todos;
    if (!h.paso([&] { todos = Lee(db, g.sentencia, "SELECT GRUPO FROM TA_USUARIOS GROUP BY GRUPO"); }))
        return false;
    return AsignaGrupos(h, g, todos, "Grupo", true);
}

bool FrmMA_CUENTAS::AsignaGrupos(vb::ManejadorErrores& h, Grabacion& g, const ado::RecordsetPtr& filas,
                                 const QString& columna, bool saltaSinNombre) {
    auto& u = maker::gUtilidades();
    DB_Dll& db = gBaseDatos();
    for (;;) {
        bool fin = true;
        if (!h.paso([&] { fin = filas->Eof(); })) return false;
        if (fin) return true;
        if (!h.paso([&] {
                const QString grupo = u.TextoCampo(filas->valor(columna));
                if (saltaSinNombre && grupo.isEmpty()) return;
                Ejecuta(db, g.sentencia,
                        "INSERT INTO MA_CUENTAS_USUARIOS (GRUPOUSER,CUENTA) VALUES (" +
                            ado::LiteralTexto(grupo) + "," + ado::LiteralTexto(g.codigo) + ")");
                g.replicas.append(
                    {"MA_CUENTAS_USUARIOS", ado::LiteralTexto(grupo), ado::LiteralTexto(g.codigo)});
            }))
            return false;
        if (!h.paso([&] { filas->MoveNext(); })) return false;
    }
}
