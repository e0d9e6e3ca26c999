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

// One rebuild of the work table. Its steps share the run's handler, transaction and recordsets;
// each step gives false when the run must leave, and leaving undoes the whole run, the delete
// included.
class Generacion {
  public:
    explicit Generacion(const QString& TipoSub)
        : db_(CNStuffContable::gBaseDatos()),
          util_(maker::gUtilidades()),
          progreso_(maker::gProgreso()),
          cnn_(db_.gCnn),
          reporte_(asiento::Reporte()),
          h_(QStringLiteral("GeneraAuxiliarSubdiarios"),
             [this](const vb::ErrorVB& e, const QString& rutina) { return manejar(e, rutina); }),
          tipo_(asiento::Texto(vb::Trim(TipoSub))) {}
    Generacion(const Generacion&) = delete;
    Generacion& operator=(const Generacion&) = delete;

    void correr(QString& Fecha_Desde, const QString& Fecha_Hasta, const VariantOpcional& EsArchivoLegal) {
        if (!empezar(Fecha_Desde, Fecha_Hasta) || !recorrer(EsArchivoLegal) || !confirmar()) abandonar();
    }

  private:
    // Once the connection is lost the server has undone the run: retrying or going on cannot
    // save any of it, so the failure is shown once and the run ends.
    int manejar(const vb::ErrorVB& e, const QString& rutina) {
        if (!transaccion_ || !transaccion_->SePerdio(e)) return reporte_(e, rutina);
        CNStuffContable::MensajeError(ado::Transaccion::ErrorPerdida(e), vb::vbOKOnly + vb::vbCritical,
                                      rutina);
        return 0;
    }

    // No connection is the error the first statement meets, handled like any other.
    ado::Connection& conexion() {
        if (!cnn_) vb::Raise(vb::kObjetoNoAsignado);
        return *cnn_;
    }

    void abandonar() {
        transaccion_.reset();
        if (mostrando_) {
            util_.Ocupado(false);
            progreso_.Ocultar();
        }
    }

    // An account's description is read once per run: the run's transaction holds the embedded
    // engine's write lock, so the chart cannot change under it. A lookup that failed is not kept.
    QString descripcion(const QString& cuenta) {
        const QString clave = vb::Trim(cuenta);
        auto it = descripciones_.constFind(clave);
        if (it != descripciones_.constEnd()) return *it;
        const QVariant d = db_.DatosTabla(QStringLiteral("MA_CUENTAS"), cuenta, QStringLiteral("DESCRIPCION"),
                                          QStringLiteral("CODIGO"), 8, QString(), true, false);
        if (d.isValid()) descripciones_.insert(clave, d.toString());
        return d.toString();
    }

    // The transaction, the user's old rows gone, the entries of the range and the work table open.
    bool empezar(QString& Fecha_Desde, const QString& Fecha_Hasta) {
        if (!h_.paso([&] {
                conexion();
                transaccion_.emplace(cnn_);
            }))
            return false;
        if (!h_.paso([&] {
                conexion().Execute("DELETE AUX_SUBDIARIOS WHERE RTRIM(LTRIM(USUARIO)) = '" +
                                       asiento::Texto(vb::Trim(CNStuffContable::gUsuarioLogeado)) + "'",
                                   nullptr, -1);
            }))
            return false;
        if (vb::Trim(Fecha_Desde).isEmpty()) Fecha_Desde = QStringLiteral("01/01/1990");
        if (!h_.paso([&] {
                asiento::Abrir(
                    "SELECT DISTINCT Periodo,[MES_OPERATIVO],[NUMERO ASIENTO] FROM MV_ASIENTOS WHERE "
                    "RTRIM(LTRIM(TIPO_REG)) = '" +
                        tipo_ + "' AND FECHA >= " + util_.FechaSQL(Fecha_Desde) + " AND FECHA <= " +
                        util_.FechaSQL(Fecha_Hasta) + " ORDER BY [MES_OPERATIVO],[NUMERO ASIENTO]",
                    asientos_, ado::adOpenDynamic, ado::adLockReadOnly);
            }))
            return false;
        return h_.paso([&] {
            asiento::Abrir(QStringLiteral("SELECT * FROM AUX_SUBDIARIOS"), auxiliar_, ado::adOpenDynamic,
                           ado::adLockOptimistic);
        });
    }

    // Every entry of the range, under the progress window; the user may stop between entries and
    // keep what is done.
    bool recorrer(const VariantOpcional& EsArchivoLegal) {
        bool vacia = false;
        if (!h_.paso([&] { vacia = asientos_->Bof(); })) return false;
        if (vacia) return true;
        titulo_ = EsArchivoLegal && EsArchivoLegal->typeId() == QMetaType::Bool && EsArchivoLegal->toBool()
                      ? QStringLiteral("Archivo Legal de Información")
                      : QStringLiteral("Generando Reporte de Subdiarios");
        usuario_ = CNStuffContable::gUsuarioLogeado;
        progreso_.Mostrar(titulo_, true);
        util_.Ocupado(true);
        mostrando_ = true;
        if (!h_.paso([&] { asientos_->MoveFirst(); })) return false;
        for (bool fin = false;;) {
            if (!h_.paso([&] { fin = asientos_->Eof(); })) return false;
            if (fin) break;
            bool abortado = false;
            if (!copiarAsiento(abortado)) return false;
            if (abortado) break;
            if (!h_.paso([&] { asientos_->MoveNext(); })) return false;
        }
        util_.Ocupado(false);
        progreso_.Ocultar();
        mostrando_ = false;
        return true;
    }

    // True when the user, having pressed cancel, confirms the stop.
    bool abortar(const QString& detalle) {
        bool cancelar = false;
        progreso_.Avance(cancelar, QStringLiteral("Generando el Reporte"), detalle);
        if (!cancelar) return false;
        progreso_.Habilitar(false);
        const int respuesta = vb::MsgBox(QStringLiteral("¿Realmente desea abortar el proceso?"),
                                         vb::vbYesNo + vb::vbQuestion, vb::App().Title);
        if (respuesta == vb::vbYes) return true;
        progreso_.Ocultar();
        progreso_.Mostrar(titulo_, true);
        progreso_.Avance(cancelar, QStringLiteral("Generando el Reporte "), detalle);
        progreso_.Habilitar(true);
        return false;
    }

    // The entry under the cursor: its lines, debit beside credit, as rows of the work table.
    bool copiarAsiento(bool& abortado) {
        QString P, M, N;
        if (!h_.paso([&] {
                P = asiento::Campo(asientos_, QStringLiteral("Periodo"));
                M = asiento::Campo(asientos_, QStringLiteral("Mes_Operativo"));
                N = asiento::Campo(asientos_, QStringLiteral("numero asiento"));
            }))
            return false;
        const QString detalle = vb::Format(vb::Val(M), QStringLiteral("0000")) + "-" +
                                vb::Format(vb::Val(N), QStringLiteral("0000000"));
        abortado = abortar(detalle);
        if (abortado) return true;
        return abrirLados(P, M, N) && copiarLineas();
    }

    // The lines of the entry, each side in account order, and how many each side has.
    bool abrirLados(const QString& P, const QString& M, const QString& N) {
        for (Lado* lado : {&debe_, &haber_}) {
            if (!h_.paso([&] {
                    asiento::Abrir(
                        "SELECT * FROM MV_ASIENTOS WHERE RTRIM(LTRIM(TIPO_REG)) = '" + tipo_ +
                            "' AND [NUMERO ASIENTO] = " + asiento::Numero(N) + " AND MES_OPERATIVO = " +
                            asiento::Numero(M) + " AND RTRIM(LTRIM(PERIODO)) = " + asiento::Numero(P) +
                            " AND [DEBE-HABER] = '" + (lado == &debe_ ? "D" : "H") + "' ORDER BY CUENTA",
                        lado->rs, ado::adOpenDynamic, ado::adLockReadOnly);
                }))
                return false;
        }
        for (Lado* lado : {&debe_, &haber_}) {
            if (!h_.paso([&] {
                    lado->cantidad = 0;
                    if (!lado->rs->Bof()) {
                        lado->rs->MoveLast();
                        lado->cantidad = lado->rs->RecordCount();
                        lado->rs->MoveFirst();
                    }
                }))
                return false;
        }
        return true;
    }

    void ponerLado(Lado& l) {
        const QString cuenta = asiento::Campo(l.rs, QStringLiteral("CUENTA"));
        auxiliar_->fields()["cuenta" + l.sufijo].setValue(cuenta);
        auxiliar_->fields()["descripcion" + l.sufijo].setValue(descripcion(cuenta));
        auxiliar_->fields()["importe" + l.sufijo].setValue(l.rs->valor(QStringLiteral("IMPORTE")));
    }

    // The head of a row, from the line of the side with more lines.
    void ponerCabecera(const Lado& guia) {
        ado::Fields& f = auxiliar_->fields();
        const ado::RecordsetPtr& g = guia.rs;
        f["Usuario"].setValue(usuario_);
        f["Periodo"].setValue(vb::Val(asiento::Campo(g, QStringLiteral("PERIODO"))));
        f["Mes_Operativo"].setValue(vb::Val(asiento::Campo(g, QStringLiteral("MES_OPERATIVO"))));
        f["numero asiento"].setValue(g->valor(QStringLiteral("NUMERO ASIENTO")));
        f["fecha"].setValue(&guia == &debe_
                                ? asiento::Campo(g, QStringLiteral("FECHA"))
                                : vb::Format(g->valor(QStringLiteral("FECHA")), QStringLiteral("dd/mm/yy")));
        for (const char* c : {"TC", "Sucursal", "Numero", "letra"})
            f[QString::fromLatin1(c)].setValue(asiento::Campo(g, QString::fromLatin1(c)));
        f["Cabimporte"].setValue(g->valor(QStringLiteral("CABIMPORTE")));
    }

    // One row per line of the side with more lines; the other side's lines fill the rows in turn.
    bool copiarLineas() {
        Lado& guia = debe_.cantidad >= haber_.cantidad ? debe_ : haber_;
        Lado& par = &guia == &debe_ ? haber_ : debe_;
        for (bool finGuia = guia.cantidad == 0; !finGuia;) {
            if (!h_.paso([&] { auxiliar_->AddNew(); })) return false;
            if (!h_.paso([&] {
                    ponerCabecera(guia);
                    ponerLado(guia);
                    auxiliar_->fields()["Concepto"].setValue(
                        asiento::Campo(guia.rs, QStringLiteral("DETALLE")));
                }))
                return false;
            bool parConLinea = false;
            if (!h_.paso([&] { parConLinea = par.cantidad > 0 && !par.rs->Eof(); })) return false;
            if (parConLinea) {
                if (!h_.paso([&] { ponerLado(par); })) return false;
                if (!h_.paso([&] { par.rs->MoveNext(); })) return false;
            }
            bool guardada = false;
            if (!h_.paso([&] {
                    auxiliar_->Update();
                    guardada = true;
                }))
                return false;
            // An ignored failed save drops the row rather than carrying it into the next one.
            if (!guardada) h_.paso([&] { auxiliar_->CancelUpdate(); });
            if (!h_.paso([&] {
                    guia.rs->MoveNext();
                    finGuia = guia.rs->Eof();
                }))
                return false;
        }
        return true;
    }

    bool confirmar() {
        return h_.paso([&] {
            if (!transaccion_) vb::Raise(vb::kObjetoNoAsignado);
            transaccion_->Confirmar();
        });
    }

    DB_Dll& db_;
    maker::Utilidades& util_;
    maker::Progreso& progreso_;
    ado::ConnectionPtr cnn_;
    std::optional<ado::Transaccion> transaccion_;
    const vb::Reportero reporte_;
    vb::ManejadorErrores h_;
    const QString tipo_;
    QString titulo_, usuario_;
    bool mostrando_ = false;
    ado::RecordsetPtr asientos_, auxiliar_;
    Lado debe_{nullptr, QStringLiteral("_D")}, haber_{nullptr, QStringLiteral("_H")};
    QHash<QString, QString> descripciones_;
};

}  // namespace

void Lbc_Asiento::GeneraAuxiliarSubdiarios(QString& Fecha_Desde, const QString& Fecha_Hasta,
                                           const QString& TipoSub, const VariantOpcional& EsArchivoLegal) {
    Generacion(TipoSub).correr(Fecha_Desde, Fecha_Hasta, EsArchivoLegal);
}
