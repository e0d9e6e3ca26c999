// Saving and deleting a whole year of the index table.
#include "indices/frmMA_INDAJUSTE.h"

#include "data/DB_Dll.h"
#include "indices/ArchivoPerdido.h"
#include "indices/Coeficientes.h"
#include "outside/ado/Transaccion.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/maker/Progreso.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ManejadorErrores.h"
#include "services/CNStuffContable.h"

#include <QRegularExpression>

using CNStuffContable::gBaseDatos;

void frmMA_INDAJUSTE::MensajeConversion(const QString& campo) {
    const QString crlf = "\r\n";
    vb::MsgBox("Verifique las siguientes opciones: " + crlf + crlf +
                   "1) Ha ingresado letras donde debe ingresar numeros" + crlf + crlf +
                   "2) Debe ingresar una fecha y el formato es incorrecto" + crlf + crlf + "En el campo: " +
                   (campo.isEmpty() ? txtFields[0]->Tag + "/" + txtFields[0]->DataField : campo),
               vb::vbOKOnly | vb::vbCritical, "Error en conversion de datos");
    if (campo.isEmpty()) txtFields[0]->setFocus();
}

// Deletes the year and, unless deleting only, writes it again from the grid rows of that year,
// all in one transaction. False when nothing was written because the grid holds no month of it.
bool frmMA_INDAJUSTE::EscribeAnio(const QString& anio) {
    auto& db = gBaseDatos();
    auto& util = maker::gUtilidades();
    QList<int> filas;
    if (!m_Borrar) {
        for (int r = 1; r < FgAsiento->Rows(); ++r) {
            const QString mes = FgAsiento->TextMatrix(r, 0);
            if (mes.size() == 7 && mes.at(2) == '/' && mes.right(4).toInt() == anio.toInt()) filas << r;
        }
        if (filas.isEmpty()) {
            vb::MsgBox("No hay meses del año " + anio + " en la grilla", vb::vbOKOnly | vb::vbExclamation,
                       "Aviso al operador");
            return false;
        }
    }
    ado::Transaccion transaccion(db.gCnn);
    try {
        QString sql = "DELETE MA_INDAJUSTE WHERE Anio = " + anio;
        if (!db.EjecutaConsultaSQL(sql)) {
            const auto& errores = db.gCnn->errores();
            if (errores.Count() > 0) vb::Raise(errores.Item(0).Number, errores.Item(0).Description);
            vb::Raise(ado::kErrNoEspecificado, "No se pudo borrar el año " + anio);
        }
        if (!m_Borrar) {
            QString abre = "SELECT top 1 * FROM MA_INDAJUSTE ORDER BY anio";
            db.AbrirRecordset(abre, m_Rs, db.gCnn, ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
            // Shown only now that rows are written, never behind the messages above.
            maker::gProgreso().Mostrar("Actualizando datos");
            for (int r : filas) {
                maker::gProgreso().Avance("Actualizando datos");
                m_Rs->AddNew();
                auto& f = m_Rs->fields();
                f.Item("fechahora_grabacion").setValue(vb::Now());
                f.Item("Anio").setValue(anio.toInt());
                f.Item("Mes").setValue(FgAsiento->TextMatrix(r, 0).left(2).toInt());
                for (int k = 1; k <= 4; ++k)
                    f.Item(QString("Indice%1").arg(k))
                        .setValue(util.ValorDoble(FgAsiento->TextMatrix(r, 2 * k)));
                for (int k = 1; k <= 4; ++k)
                    f.Item(QString("Importe%1").arg(k))
                        .setValue(util.ValorDoble(FgAsiento->TextMatrix(r, 2 * k - 1)));
                m_Rs->Update();
            }
        }
        // A closing month deleted or rewritten: its fiscal years follow it in the same transaction.
        indices::RecalculaCierresDe(anio.toInt());
        transaccion.Confirmar();
    } catch (const vb::ErrorVB& e) {
        if (m_Rs && m_Rs->State() == ado::adStateOpen) {
            try {
                m_Rs->CancelUpdate();
            } catch (const vb::ErrorVB&) {
            }
        }
        if (transaccion.SePerdio(e)) throw ado::Transaccion::ErrorPerdida(e);
        throw;
    }
    return true;
}

void frmMA_INDAJUSTE::ActualizarDatos() {
    auto& util = maker::gUtilidades();
    auto& progreso = maker::gProgreso();
    const QString anio = txtFields[0]->text().trimmed();
    // The year is checked before anything is deleted.
    static const QRegularExpression esAnio("^\\d{1,4}$");
    if (!esAnio.match(anio).hasMatch()) {
        m_Error = true;
        MensajeConversion();
        return;
    }
    vb::ManejadorErrores h("ActualizarDatos",
                           [this, &util, &progreso](const vb::ErrorVB& e, const QString& rutina) {
                               progreso.Ocultar();
                               m_Error = true;
                               util.Ocupado(false);
                               int respuesta = 0;
                               // The company file was gone: the question was asked, and the
                               // year is written again.
                               if (e.Number == ado::kErrTransaccionPerdida && indices::ArchivoPerdido()) {
                                   m_Error = false;
                                   return vb::kRespuestaReintentar;
                               }
                               // The server undid the whole save: nothing to retry.
                               if (e.Number == ado::kErrTransaccionPerdida) {
                                   util.TrataError(e, vb::vbOKOnly + vb::vbCritical, rutina, respuesta);
                                   return 0;
                               }
                               if (e.Number == ado::kErrValorNoAdmitido) {
                                   MensajeConversion();
                                   return 0;
                               }
                               util.TrataError(e, rutina, respuesta);
                               return respuesta;
                           });
    bool escrito = true;
    if (!h.paso([&] { escrito = EscribeAnio(anio); })) return;
    progreso.Ocultar();
    if (!escrito) return;
    LimpiaPantalla();
    Generar(m_Tabla);
    HabilitaCampos(false);
}
