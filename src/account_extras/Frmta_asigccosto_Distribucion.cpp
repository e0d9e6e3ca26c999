// Loading an account's distribution for the unit chosen, writing it back in one transaction and
// then telling the group, and the check of the percentages' sum.
#include "account_extras/Frmta_asigccosto.h"

#include "account_extras/AlcanceCuenta.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "data/LecturasVigiladas.h"
#include "outside/ado/Connection.h"
#include "outside/ado/TextoSql.h"
#include "outside/ado/Transaccion.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/FlexGrid.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ErrorVB.h"
#include "outside/runtime/ManejadorErrores.h"
#include "services/CNStuffContable.h"
#include "services/ModGruposEmp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <cmath>
#include <optional>

namespace {

QString Fijo(const QString& texto, int ancho) {
    return maker::gUtilidades().AjustaLargo(texto, ancho);
}

// The leading number of a percentage text; an empty text is 0.
double Numero(const QString& texto) {
    return maker::gUtilidades().ValorDoble(texto.trimmed());
}

}  // namespace

void Frmta_asigccosto::FijaFila(int fila, const FilaDistribucion& f) {
    AseguraFilas(fila);
    Filas_[fila] = {Fijo(f.CCosto, 4), Fijo(f.Descripcion, 50), Fijo(f.Porcentaje, 6)};
}

void Frmta_asigccosto::AseguraFilas(int n) {
    while (Filas_.size() <= n) Filas_.append(FilaDistribucion{});
}

void Frmta_asigccosto::CargaDistribucion(const QString&) {
    if (Grabando) return;
    maker::Utilidades& u = maker::gUtilidades();
    DB_Dll& db = CNStuffContable::gBaseDatos();
    vb::ManejadorErrores h("Generar", u.Reportero());

    generalMostrada_.Olvida();
    unidadMostrada_.Olvida();
    // An account the user may not see shows no distribution, as one that does not exist.
    if (!cuenta_.Toma(txtCuenta[0]->text())) {
        Filas_ = {FilaDistribucion{}};
        MsFlex_Inicializa();
        Nuevo = true;
        Modificando = Borrando = false;
        return;
    }
    const QString cuenta = ado::DuplicaApostrofes(cuenta_.Codigo());
    const bool general = CmbUnegocio->currentIndex() <= 0;
    QString sql = general
                      ? "SELECT * FROM " + TablaActual + " WHERE CODIGO = '" + cuenta + "'  ORDER BY CCOSTO"
                      : "SELECT * FROM MA_CUENTASCCOSTO_UNEG WHERE CODIGO = '" + cuenta + "' AND UNEGOCIO='" +
                            ado::DuplicaApostrofes(UnidadActual()) + "' ORDER BY CCOSTO";
    if (!h.paso([&] { db.AbrirRecordset(sql, mRs, db.gCnn, 2, 3, -1, true); })) return;
    if (!h.paso([&] {
            Filas_ = {FilaDistribucion{}};
            MsFlex_Inicializa();
        }))
        return;
    bool vacio = false;
    if (!h.paso([&] { vacio = mRs->Bof() && mRs->Eof(); })) return;
    if (vacio) {
        Nuevo = true;
        Modificando = Borrando = false;
        h.paso([&] { RecuerdaMostrada(general, {}); });
        return;
    }
    Nuevo = false;
    Modificando = true;
    Borrando = false;
    if (!h.paso([&] {
            mRs->MoveLast();
            mRs->MoveFirst();
        }))
        return;
    if (general && !h.paso([&] {
            // A flag never set (Null) reads as unticked.
            auto marca = [&](const char* campo) {
                const QString t = u.TextoCampo(mRs->valor(campo));
                return !t.trimmed().isEmpty() && CNStuffContable::ValorLogico(t);
            };
            ChkPideConf->setChecked(marca("pideconfirmacion"));
            ChkVariable->setChecked(marca("variableporud"));
        }))
        return;
    QList<GrabacionOptimista::Fila> leidas;
    if (!LeeFilas(h, leidas)) return;
    FGCCosto->setRow(1);
    FGCCosto->setCol(1);
    h.paso([&] { RecuerdaMostrada(general, leidas); });
}

bool Frmta_asigccosto::LeeFilas(vb::ManejadorErrores& h, QList<GrabacionOptimista::Fila>& leidas) {
    maker::Utilidades& u = maker::gUtilidades();
    DB_Dll& db = CNStuffContable::gBaseDatos();
    FilaActual = 1;
    while (true) {
        bool fin = false;
        if (!h.paso([&] { fin = mRs->Eof(); })) return false;
        if (fin) return true;
        const bool sigue = h.paso([&] {
            const QString codigo = u.TextoCampo(mRs->valor("CCosto"));
            const QString desc =
                db.DatosTabla("TA_CCOSTO", codigo, "DESCRIPCION", "CODIGO", 8, QString(), true, false)
                    .toString();
            FijaFila(FilaActual, {codigo, desc, u.TextoCampo(mRs->valor("Porcentaje"))});
            MuestraFila(FilaActual);
            GrabacionOptimista::Fila leida;
            ado::Fields& campos = mRs->fields();
            for (int i = 0; i < campos.Count(); ++i)
                leida.insert(campos.Item(i).Name(), campos.Item(i).Value());
            leidas << leida;
        });
        if (!sigue) return false;
        if (!h.paso([&] { mRs->MoveNext(); })) return false;
        ++FilaActual;
    }
}

void Frmta_asigccosto::ValidaSumaPorcentajes(QString& mensaje, bool& correcto) {
    double total = 0;
    for (const FilaDistribucion& f : Filas_)
        if (!f.Porcentaje.trimmed().isEmpty()) total += std::nearbyint(Numero(f.Porcentaje));
    if (total > 100 || total < 0)
        mensaje = "La suma de los porcentajes debe estar entre 0 y 100";
    else
        correcto = true;
}

// What the steps of one save share: the account and unit saved, the open transaction, the group
// notices gathered for after the commit, and the column being written for the conversion message.
struct Frmta_asigccosto::Guardado {
    struct Aviso {
        QString tabla;
        ModGruposEmp::OperacionGrupo operacion;
        QStringList claves;
    };
    QString cuenta;
    QString unidad;
    QList<Aviso> avisos;
    std::optional<ado::Transaccion> transaccion;
    QString campoActual;
};

GrabacionOptimista Frmta_asigccosto::Distribucion(const QString& tabla, const QString& unidad) const {
    const QString cuenta = ado::LiteralTexto(cuenta_.Codigo());
    return GrabacionOptimista(
        {"la cuenta " + cuenta_.Codigo(),
         tabla,
         "CODIGO = " + cuenta +
             (unidad.isEmpty() ? QString() : " AND UNEGOCIO = " + ado::LiteralTexto(unidad)),
         {"CCOSTO"},
         {},
         // The account itself, through the user's own view of the chart.
         "SELECT CODIGO FROM MA_CUENTAS WHERE CODIGO = " + cuenta,
         {{"PORCENTAJE", "Porcentaje"},
          {"PIDECONFIRMACION", "No pedir confirmacion de porcentajes"},
          {"VARIABLEPORUD", "Porcentaje Variable segun Unidad de Negocio"}},
         [](const QString& centro) { return "el centro de costos " + centro; }});
}

void Frmta_asigccosto::RecuerdaMostrada(bool general, const QList<GrabacionOptimista::Fila>& leidas) {
    mostradaPara_ = cuenta_.Codigo() + "|" + UnidadActual();
    generalMostrada_ = Distribucion("MA_CUENTASCCOSTO");
    unidadMostrada_ = Distribucion("MA_CUENTASCCOSTO_UNEG", UnidadActual());
    if (general) {
        generalMostrada_.RecuerdaFilas(leidas);
        unidadMostrada_.RecuerdaGuardado();
    } else {
        unidadMostrada_.RecuerdaFilas(leidas);
        generalMostrada_.RecuerdaGuardado();
    }
}

bool Frmta_asigccosto::SinCambiosAjenos(Guardado& g, vb::ManejadorErrores& h) {
    // Nothing remembered for this unit: the rows as stored now are what the save writes over.
    if (!generalMostrada_.Recordado() || !unidadMostrada_.Recordado() ||
        mostradaPara_ != g.cuenta + "|" + g.unidad) {
        if (!h.paso([&] {
                generalMostrada_ = Distribucion("MA_CUENTASCCOSTO");
                unidadMostrada_ = Distribucion("MA_CUENTASCCOSTO_UNEG", g.unidad);
                generalMostrada_.RecuerdaGuardado();
                unidadMostrada_.RecuerdaGuardado();
            }))
            return false;
    }
    GrabacionOptimista::Veredicto general, unidad;
    if (!h.paso([&] {
            general = generalMostrada_.Comprueba({"PORCENTAJE", "PIDECONFIRMACION", "VARIABLEPORUD"});
        }))
        return false;
    // A delete takes only the general rows.
    if (!Borrando && !h.paso([&] { unidad = unidadMostrada_.Comprueba({"PORCENTAJE"}); })) return false;
    if (general.ok() && unidad.ok()) return true;
    general.baja = unidad.baja = Borrando;
    g.transaccion.reset();
    const bool cambiado = general.estado == GrabacionOptimista::Estado::Cambiado ||
                          unidad.estado == GrabacionOptimista::Estado::Cambiado;
    QString despues = "La distribución que usted escribió sigue en pantalla";
    if (cambiado && general.estado != GrabacionOptimista::Estado::Borrado) {
        // What is stored now is what the next try writes over, knowingly.
        generalMostrada_.AceptaGuardado();
        unidadMostrada_.AceptaGuardado();
        despues += Borrando ? ": presione Borrar otra vez para borrarla."
                            : ": presione Grabar otra vez para guardarla.";
    } else {
        despues += ".";
    }
    (general.ok() ? unidadMostrada_ : generalMostrada_).Avisa(general.ok() ? unidad : general, despues);
    return false;
}

void Frmta_asigccosto::Actualizar_Datos() {
    // The local deletes and inserts of one save are one transaction; the group hears of them
    // only once they are committed, one row at a time by the table's own keys.
    Guardado g{cuenta_.Codigo(), UnidadActual(), {}, {}, {}};
    vb::ManejadorErrores h("Actualizar_Datos", [&](const vb::ErrorVB& e, const QString& rutina) {
        return ErrorAlGuardar(g, e, rutina);
    });
    HuboError = false;
    TablaActual = "MA_CUENTASCCOSTO";
    // Nothing is written for an account the user may not see; he is told it is missing.
    if (!cuenta_.Escribible()) {
        HuboError = true;
        Aviso("La cuenta es inexistente");
        return;
    }
    // A check the operator gave up, told once, leaves the save without its answer.
    if (LecturasVigiladas::Abandonada()) {
        HuboError = true;
        return;
    }
    const bool bien = ReescribeTablas(g, h);
    TerminaGuardado(g, bien);
    if (!bien) return;
    for (const Guardado::Aviso& a : g.avisos) {
        const QStringList& c = a.claves;
        ModGruposEmp::ActualizaGEmpresas(a.tabla, a.operacion, c.value(0), c.value(1), c.value(2));
    }
}

bool Frmta_asigccosto::ReescribeTablas(Guardado& g, vb::ManejadorErrores& h) {
    DB_Dll& db = CNStuffContable::gBaseDatos();
    const QString cuenta = ado::LiteralTexto(g.cuenta);
    if (!h.paso([&] { g.transaccion.emplace(db.gCnn); })) return false;
    if (!SinCambiosAjenos(g, h)) return false;
    if (!h.paso([&] { BorraFilas("DELETE MA_CUENTASCCOSTO where CODIGO = " + cuenta); })) return false;
    g.avisos.append({"MA_CUENTASCCOSTO", ModGruposEmp::OperacionGrupo(3), {cuenta}});
    if (!Borrando) {
        if (!h.paso([&] { EscribeFilas(g, "MA_CUENTASCCOSTO"); })) return false;
        TablaActual = "MA_CUENTASCCOSTO_UNEG";
        if (!h.paso([&] {
                BorraFilas("DELETE MA_CUENTASCCOSTO_UNEG where CODIGO = " + cuenta +
                           " AND UNEGOCIO = " + db.SQLValue(g.unidad, "'").toString());
            }))
            return false;
        g.avisos.append({"MA_CUENTASCCOSTO_UNEG",
                         ModGruposEmp::OperacionGrupo(3),
                         {cuenta, QString(), ado::LiteralTexto(g.unidad)}});
        if (!h.paso([&] { EscribeFilas(g, "MA_CUENTASCCOSTO_UNEG"); })) return false;
    }
    return h.paso([&] { g.transaccion->Confirmar(); });
}

void Frmta_asigccosto::EscribeFilas(Guardado& g, const QString& tabla) {
    DB_Dll& db = CNStuffContable::gBaseDatos();
    TablaActual = tabla;
    db.CierraRecordset(mRs);
    QString sql = "SELECT TOP 1 * FROM " + tabla;
    db.AbrirRecordset(sql, mRs, nullptr, 2, 3, -1, true);
    if (!mRs || mRs->State() != ado::adStateOpen) vb::Raise(3704, "No se pudo abrir " + tabla);
    const bool porUnidad = tabla == "MA_CUENTASCCOSTO_UNEG";
    const auto fija = [&](const char* campo, const QVariant& valor) {
        g.campoActual = campo;
        mRs->fields().Item(campo).setValue(valor);
    };
    for (int i = 1; i < Filas_.size(); ++i) {
        const FilaDistribucion& f = Filas_[i];
        if (f.CCosto.trimmed().isEmpty()) continue;
        mRs->AddNew();
        fija("CCOSTO", f.CCosto.trimmed());
        fija("CODIGO", g.cuenta);
        fija("PORCENTAJE", Numero(f.Porcentaje));
        if (porUnidad) {
            fija("UNEGOCIO", g.unidad);
        } else {
            fija("FECHAHORA_MODIFICACION", vb::Now());
            fija("PideConfirmacion", ChkPideConf->isChecked() ? 1 : 0);
            fija("VariablePorUD", ChkVariable->isChecked() ? 1 : 0);
        }
        g.campoActual.clear();
        mRs->Update();
        const QString cuenta = ado::LiteralTexto(g.cuenta);
        const QString cc = ado::LiteralTexto(f.CCosto.trimmed());
        g.avisos.append(
            {tabla, ModGruposEmp::OperacionGrupo(1),
             porUnidad ? QStringList{cuenta, cc, ado::LiteralTexto(g.unidad)} : QStringList{cuenta, cc}});
    }
    db.CierraRecordset(mRs);
}

void Frmta_asigccosto::BorraFilas(const QString& sql) {
    DB_Dll& db = CNStuffContable::gBaseDatos();
    QString s = sql;
    long afectados = 0;
    ado::RecordsetPtr nada;
    if (!db.EjecutaConsultaSQL(s, afectados, nada)) {
        const ado::Errors& e = db.gCnn->errores();
        vb::Raise(e.Count() > 0 ? e.Item(0).Number : -1,
                  e.Count() > 0 ? e.Item(0).Description : "No se pudo borrar la distribución");
    }
}

int Frmta_asigccosto::ErrorAlGuardar(Guardado& g, const vb::ErrorVB& e, const QString& rutina) {
    maker::Utilidades& u = maker::gUtilidades();
    int respuesta = 0;
    // A lost connection took the save with it: shown once, nothing to retry.
    if (g.transaccion && g.transaccion->SePerdio(e)) {
        u.TrataError(ado::Transaccion::ErrorPerdida(e), vb::vbOKOnly + vb::vbCritical, rutina, respuesta);
        return 0;
    }
    if (e.Number == ado::kErrValorNoAdmitido) {
        vb::MsgBox(
            "Verifique las siguientes opciones: \r\n\r\n1) Ha ingresado letras donde debe ingresar "
            "numeros\r\n\r\n2) Debe ingresar una fecha y el formato es incorrecto\r\n\r\nEn el campo: " +
                BrwTxt[0]->Tag + "/" + g.campoActual,
            vb::vbCritical, "Error en conversion de datos");
        return 0;
    }
    u.TrataError(e, rutina, respuesta);
    // Going on past a failed statement would commit half a distribution.
    return respuesta == vb::kRespuestaReintentar ? respuesta : 0;
}

void Frmta_asigccosto::TerminaGuardado(Guardado& g, bool bien) {
    if (!bien) {
        HuboError = true;
        maker::gUtilidades().Ocupado(false);
        g.transaccion.reset();
        if (BrwTxt[0]->isVisible()) BrwTxt[0]->setFocus();
    }
    TablaActual = "MA_CUENTASCCOSTO";
}
