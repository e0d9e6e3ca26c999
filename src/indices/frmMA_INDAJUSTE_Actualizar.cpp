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
#include <QSet>
#include <algorithm>

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

QList<int> frmMA_INDAJUSTE::FilasDelAnio(int anio) const {
    QList<int> filas;
    for (int r = 1; r < FgAsiento->Rows(); ++r) {
        const auto mes = indices::FechaDeMes(FgAsiento->TextMatrix(r, 0));
        if (mes && mes->year() == anio) filas << r;
    }
    return filas;
}

GrabacionOptimista frmMA_INDAJUSTE::AnioMostrado(int anio) const {
    GrabacionOptimista g(
        {"el año " + QString::number(anio),
         "MA_INDAJUSTE",
         "anio = " + QString::number(anio),
         {"MES"},
         {},
         {},
         RotulosIndices(),
         [anio](const QString& mes) { return "el mes " + indices::TextoMes(anio, mes.toInt()); }});
    QList<GrabacionOptimista::Fila> filas;
    for (auto it = m_Mostrados.cbegin(); it != m_Mostrados.cend(); ++it) {
        const auto mes = indices::FechaDeMes(it.key());
        if (!mes || mes->year() != anio) continue;
        GrabacionOptimista::Fila f{{"MES", mes->month()}};
        for (int k = 0; k < 4; ++k) f.insert(QString("IMPORTE%1").arg(k + 1), (*it)[k]);
        filas << f;
    }
    g.RecuerdaFilas(filas);
    return g;
}

QHash<QString, QStringList> frmMA_INDAJUSTE::CambiosDelAnio(const QList<int>& filas) const {
    QHash<QString, QStringList> cambios;
    for (int r : filas) {
        const QString mes = FgAsiento->TextMatrix(r, 0);
        const std::array<double, 4> mostrado = m_Mostrados.value(mes, {0, 0, 0, 0});
        QStringList columnas;
        // As texts: a value the user left alone reads exactly as it was shown.
        for (int k = 1; k <= 4; ++k)
            if (FgAsiento->TextMatrix(r, 2 * k - 1) != TextoImporte(mostrado[k - 1]))
                columnas << QString("IMPORTE%1").arg(k);
        // Keyed as the check keys the year's rows: by the month's number.
        if (!columnas.isEmpty())
            cambios.insert(GrabacionOptimista::Clave({QString::number(mes.left(2).toInt())}), columnas);
    }
    return cambios;
}

void frmMA_INDAJUSTE::EscribeCambios(int anio, const QList<int>& filas,
                                     const QHash<QString, QStringList>& cambios) {
    auto& db = gBaseDatos();
    auto& util = maker::gUtilidades();
    QHash<int, int> filaDelMes;
    for (int r : filas) filaDelMes.insert(FgAsiento->TextMatrix(r, 0).left(2).toInt(), r);
    ado::RecordsetPtr rs;
    QString sql = QString("SELECT * FROM MA_INDAJUSTE WHERE anio = %1 ORDER BY MES").arg(anio);
    db.AbrirRecordset(sql, rs, db.gCnn, ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
    // Shown only now that rows are written, never behind the messages before.
    maker::gProgreso().Mostrar("Actualizando datos");
    auto escribe = [&](int mes) {
        maker::gProgreso().Avance("Actualizando datos");
        auto& f = rs->fields();
        f.Item("fechahora_grabacion").setValue(vb::Now());
        for (const QString& columna : cambios.value(QString::number(mes))) {
            const int k = columna.right(1).toInt();
            f.Item(columna).setValue(
                util.ValorDoble(FgAsiento->TextMatrix(filaDelMes.value(mes), 2 * k - 1)));
        }
        rs->Update();
    };
    QSet<int> escritos;
    for (; !rs->Eof(); rs->MoveNext()) {
        const int mes = rs->fields().Item("Mes").Value().toInt();
        if (!filaDelMes.contains(mes)) continue;
        escribe(mes);
        escritos << mes;
    }
    // A changed month the table never held (nor holds now, as the check found).
    for (auto it = cambios.cbegin(); it != cambios.cend(); ++it) {
        const int mes = it.key().toInt();
        if (escritos.contains(mes)) continue;
        rs->AddNew();
        rs->fields().Item("Anio").setValue(anio);
        rs->fields().Item("Mes").setValue(mes);
        escribe(mes);
    }
    db.CierraRecordset(rs);

    // Each fiscal year reached: from its first changed month, or from its opening when its
    // closing month changed, to its closing month.
    QHash<QDate, QDate> tramos;  // closing -> first month
    for (auto it = cambios.cbegin(); it != cambios.cend(); ++it) {
        const QDate mes(anio, it.key().toInt(), 1);
        const auto e = indices::EjercicioDe(mes);
        if (!e) continue;
        const bool esCierre = mes.year() == e->cierre.year() && mes.month() == e->cierre.month();
        const QDate desde = esCierre ? e->apertura : mes;
        const auto previo = tramos.constFind(e->cierre);
        tramos.insert(e->cierre, previo == tramos.constEnd() ? desde : std::min(*previo, desde));
    }
    for (auto it = tramos.cbegin(); it != tramos.cend(); ++it) indices::RecalculaTramo(it.value(), it.key());
}

bool frmMA_INDAJUSTE::EscribeAnio(const QString& texto) {
    auto& db = gBaseDatos();
    const int anio = texto.toInt();
    const QList<int> filas = FilasDelAnio(anio);
    if (!m_Borrar && filas.isEmpty()) {
        vb::MsgBox("No hay meses del año " + texto + " en la grilla", vb::vbOKOnly | vb::vbExclamation,
                   "Aviso al operador");
        return false;
    }
    const QHash<QString, QStringList> cambios =
        m_Borrar ? QHash<QString, QStringList>() : CambiosDelAnio(filas);
    GrabacionOptimista mostrado = AnioMostrado(anio);
    ado::Transaccion transaccion(db.gCnn);
    try {
        // A delete takes every value of the year, a save only those the user changed: either
        // stands only over what the user was shown.
        auto veredicto = m_Borrar ? mostrado.Comprueba({"IMPORTE1", "IMPORTE2", "IMPORTE3", "IMPORTE4"})
                                  : mostrado.CompruebaFilas(cambios);
        veredicto.baja = m_Borrar;
        if (!veredicto.ok()) {
            transaccion.Deshacer();
            mostrado.Avisa(veredicto, "Se muestra lo guardado.");
            m_Error = true;
            if (!m_Borrar)
                for (int r : filas) MuestraGuardados(r);
            return false;
        }
        if (m_Borrar) {
            QString sql = "DELETE MA_INDAJUSTE WHERE Anio = " + texto;
            if (!db.EjecutaConsultaSQL(sql)) {
                const auto& errores = db.gCnn->errores();
                if (errores.Count() > 0) vb::Raise(errores.Item(0).Number, errores.Item(0).Description);
                vb::Raise(ado::kErrNoEspecificado, "No se pudo borrar el año " + texto);
            }
            // A closing month deleted: its fiscal years follow it in the same transaction.
            indices::RecalculaCierresDe(anio);
        } else {
            EscribeCambios(anio, filas, cambios);
        }
        transaccion.Confirmar();
    } catch (const vb::ErrorVB& e) {
        if (transaccion.SePerdio(e)) throw ado::Transaccion::ErrorPerdida(e);
        throw;
    }
    // What the user wrote is now what he was shown of it.
    for (int r : filas) {
        const QString mes = FgAsiento->TextMatrix(r, 0);
        if (m_Borrar) {
            m_Mostrados.remove(mes);
            continue;
        }
        std::array<double, 4>& valores = m_Mostrados[mes];
        for (const QString& columna : cambios.value(QString::number(mes.left(2).toInt()))) {
            const int k = columna.right(1).toInt();
            valores[k - 1] = maker::gUtilidades().ValorDoble(FgAsiento->TextMatrix(r, 2 * k - 1));
        }
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
    // Going on past a failed step (Ignore) writes nothing either: the window keeps the year.
    bool escrito = false;
    if (!h.paso([&] { escrito = EscribeAnio(anio); })) return;
    progreso.Ocultar();
    if (!escrito) return;
    LimpiaPantalla();
    Generar(m_Tabla);
    HabilitaCampos(false);
}
