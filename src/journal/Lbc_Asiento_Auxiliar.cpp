// The sub-journal work table: the logged user's rows of AUX_SUBDIARIOS rebuilt in one transaction.
#include "journal/Lbc_Asiento.h"
#include "journal/Lbc_Asiento_Interno.h"
#include "outside/ado/Transaccion.h"
#include "outside/maker/Progreso.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/Programa.h"

#include <QHash>
#include <optional>

namespace {

struct Lado {
    ado::RecordsetPtr rs;
    QString sufijo;  // "_D" or "_H"
    long cantidad = 0;
};

}  // namespace

void Lbc_Asiento::GeneraAuxiliarSubdiarios(QString& Fecha_Desde, const QString& Fecha_Hasta,
                                           const QString& TipoSub, const VariantOpcional& EsArchivoLegal) {
    DB_Dll& db = CNStuffContable::gBaseDatos();
    maker::Utilidades& util = maker::gUtilidades();
    maker::Progreso& progreso = maker::gProgreso();
    ado::ConnectionPtr cnn = db.gCnn;
    std::optional<ado::Transaccion> transaccion;
    // Once the connection is lost the server has undone the run: retrying or going on cannot
    // save any of it, so the failure is shown once and the run ends.
    const vb::Reportero reporte = asiento::Reporte();
    vb::ManejadorErrores h(QStringLiteral("GeneraAuxiliarSubdiarios"),
                           [&](const vb::ErrorVB& e, const QString& rutina) {
                               if (!transaccion || !transaccion->SePerdio(e)) return reporte(e, rutina);
                               CNStuffContable::MensajeError(ado::Transaccion::ErrorPerdida(e),
                                                             vb::vbOKOnly + vb::vbCritical, rutina);
                               return 0;
                           });
    // No connection is the error the first statement meets, handled like any other.
    auto conexion = [&]() -> ado::Connection& {
        if (!cnn) vb::Raise(vb::kObjetoNoAsignado);
        return *cnn;
    };
    bool mostrando = false;
    ado::RecordsetPtr asientos, auxiliar;
    Lado debe{nullptr, QStringLiteral("_D")}, haber{nullptr, QStringLiteral("_H")};

    // Leaving on an error undoes the whole run, the delete included.
    auto abandonar = [&] {
        transaccion.reset();
        if (mostrando) {
            util.Ocupado(false);
            progreso.Ocultar();
        }
    };
    const QString tipo = asiento::Texto(vb::Trim(TipoSub));
    // An account's description is read once per run: the run's transaction holds the embedded
    // engine's write lock, so the chart cannot change under it. A lookup that failed is not kept.
    QHash<QString, QString> descripciones;
    auto descripcion = [&](const QString& cuenta) {
        const QString clave = vb::Trim(cuenta);
        auto it = descripciones.constFind(clave);
        if (it != descripciones.constEnd()) return *it;
        const QVariant d = db.DatosTabla(QStringLiteral("MA_CUENTAS"), cuenta, QStringLiteral("DESCRIPCION"),
                                         QStringLiteral("CODIGO"), 8, QString(), true, false);
        if (d.isValid()) descripciones.insert(clave, d.toString());
        return d.toString();
    };

    if (!h.paso([&] {
            conexion();
            transaccion.emplace(cnn);
        }))
        return abandonar();
    if (!h.paso([&] {
            conexion().Execute("DELETE AUX_SUBDIARIOS WHERE RTRIM(LTRIM(USUARIO)) = '" +
                                   asiento::Texto(vb::Trim(CNStuffContable::gUsuarioLogeado)) + "'",
                               nullptr, -1);
        }))
        return abandonar();
    if (vb::Trim(Fecha_Desde).isEmpty()) Fecha_Desde = QStringLiteral("01/01/1990");
    if (!h.paso([&] {
            asiento::Abrir(
                "SELECT DISTINCT Periodo,[MES_OPERATIVO],[NUMERO ASIENTO] FROM MV_ASIENTOS WHERE "
                "RTRIM(LTRIM(TIPO_REG)) = '" +
                    tipo + "' AND FECHA >= " + util.FechaSQL(Fecha_Desde) + " AND FECHA <= " +
                    util.FechaSQL(Fecha_Hasta) + " ORDER BY [MES_OPERATIVO],[NUMERO ASIENTO]",
                asientos, ado::adOpenDynamic, ado::adLockReadOnly);
        }))
        return abandonar();
    if (!h.paso([&] {
            asiento::Abrir(QStringLiteral("SELECT * FROM AUX_SUBDIARIOS"), auxiliar, ado::adOpenDynamic,
                           ado::adLockOptimistic);
        }))
        return abandonar();

    bool vacia = false;
    if (!h.paso([&] { vacia = asientos->Bof(); })) return abandonar();
    if (!vacia) {
        const QString titulo =
            EsArchivoLegal && EsArchivoLegal->typeId() == QMetaType::Bool && EsArchivoLegal->toBool()
                ? QStringLiteral("Archivo Legal de Información")
                : QStringLiteral("Generando Reporte de Subdiarios");
        progreso.Mostrar(titulo, true);
        util.Ocupado(true);
        mostrando = true;
        if (!h.paso([&] { asientos->MoveFirst(); })) return abandonar();

        const QString usuario = CNStuffContable::gUsuarioLogeado;
        bool abortado = false;
        for (bool fin = false; !abortado;) {
            if (!h.paso([&] { fin = asientos->Eof(); })) return abandonar();
            if (fin) break;
            QString P, M, N;
            if (!h.paso([&] {
                    P = asiento::Campo(asientos, QStringLiteral("Periodo"));
                    M = asiento::Campo(asientos, QStringLiteral("Mes_Operativo"));
                    N = asiento::Campo(asientos, QStringLiteral("numero asiento"));
                }))
                return abandonar();
            const QString detalle = vb::Format(vb::Val(M), QStringLiteral("0000")) + "-" +
                                    vb::Format(vb::Val(N), QStringLiteral("0000000"));
            bool cancelar = false;
            progreso.Avance(cancelar, QStringLiteral("Generando el Reporte"), detalle);
            if (cancelar) {
                progreso.Habilitar(false);
                const int respuesta = vb::MsgBox(QStringLiteral("¿Realmente desea abortar el proceso?"),
                                                 vb::vbYesNo + vb::vbQuestion, vb::App().Title);
                if (respuesta == vb::vbYes) {
                    abortado = true;
                    break;
                }
                progreso.Ocultar();
                progreso.Mostrar(titulo, true);
                progreso.Avance(cancelar, QStringLiteral("Generando el Reporte "), detalle);
                progreso.Habilitar(true);
            }

            // The lines of the entry, each side in account order.
            for (Lado* lado : {&debe, &haber}) {
                if (!h.paso([&] {
                        asiento::Abrir(
                            "SELECT * FROM MV_ASIENTOS WHERE RTRIM(LTRIM(TIPO_REG)) = '" + tipo +
                                "' AND [NUMERO ASIENTO] = " + asiento::Numero(N) + " AND MES_OPERATIVO = " +
                                asiento::Numero(M) + " AND RTRIM(LTRIM(PERIODO)) = " + asiento::Numero(P) +
                                " AND [DEBE-HABER] = '" + (lado == &debe ? "D" : "H") + "' ORDER BY CUENTA",
                            lado->rs, ado::adOpenDynamic, ado::adLockReadOnly);
                    }))
                    return abandonar();
            }
            for (Lado* lado : {&debe, &haber}) {
                if (!h.paso([&] {
                        lado->cantidad = 0;
                        if (!lado->rs->Bof()) {
                            lado->rs->MoveLast();
                            lado->cantidad = lado->rs->RecordCount();
                            lado->rs->MoveFirst();
                        }
                    }))
                    return abandonar();
            }
            Lado& guia = debe.cantidad >= haber.cantidad ? debe : haber;
            Lado& par = &guia == &debe ? haber : debe;
            const bool guiaDebe = &guia == &debe;

            auto ponerLado = [&](Lado& l) {
                const QString cuenta = asiento::Campo(l.rs, QStringLiteral("CUENTA"));
                auxiliar->fields()["cuenta" + l.sufijo].setValue(cuenta);
                auxiliar->fields()["descripcion" + l.sufijo].setValue(descripcion(cuenta));
                auxiliar->fields()["importe" + l.sufijo].setValue(l.rs->valor(QStringLiteral("IMPORTE")));
            };
            for (bool finGuia = guia.cantidad == 0; !finGuia;) {
                if (!h.paso([&] { auxiliar->AddNew(); })) return abandonar();
                if (!h.paso([&] {
                        ado::Fields& f = auxiliar->fields();
                        const ado::RecordsetPtr& g = guia.rs;
                        f["Usuario"].setValue(usuario);
                        f["Periodo"].setValue(vb::Val(asiento::Campo(g, QStringLiteral("PERIODO"))));
                        f["Mes_Operativo"].setValue(
                            vb::Val(asiento::Campo(g, QStringLiteral("MES_OPERATIVO"))));
                        f["numero asiento"].setValue(g->valor(QStringLiteral("NUMERO ASIENTO")));
                        f["fecha"].setValue(guiaDebe ? asiento::Campo(g, QStringLiteral("FECHA"))
                                                     : vb::Format(g->valor(QStringLiteral("FECHA")),
                                                                  QStringLiteral("dd/mm/yy")));
                        for (const char* c : {"TC", "Sucursal", "Numero", "letra"})
                            f[QString::fromLatin1(c)].setValue(asiento::Campo(g, QString::fromLatin1(c)));
                        f["Cabimporte"].setValue(g->valor(QStringLiteral("CABIMPORTE")));
                        ponerLado(guia);
                        f["Concepto"].setValue(asiento::Campo(g, QStringLiteral("DETALLE")));
                    }))
                    return abandonar();
                bool parConLinea = false;
                if (!h.paso([&] { parConLinea = par.cantidad > 0 && !par.rs->Eof(); })) return abandonar();
                if (parConLinea) {
                    if (!h.paso([&] { ponerLado(par); })) return abandonar();
                    if (!h.paso([&] { par.rs->MoveNext(); })) return abandonar();
                }
                bool guardada = false;
                if (!h.paso([&] {
                        auxiliar->Update();
                        guardada = true;
                    }))
                    return abandonar();
                // An ignored failed save drops the row rather than carrying it into the next one.
                if (!guardada) h.paso([&] { auxiliar->CancelUpdate(); });
                if (!h.paso([&] {
                        guia.rs->MoveNext();
                        finGuia = guia.rs->Eof();
                    }))
                    return abandonar();
            }
            if (!h.paso([&] { asientos->MoveNext(); })) return abandonar();
        }
        util.Ocupado(false);
        progreso.Ocultar();
        mostrando = false;
    }
    if (!h.paso([&] {
            if (!transaccion) vb::Raise(vb::kObjetoNoAsignado);
            transaccion->Confirmar();
        }))
        return abandonar();
}
