// Copying one master-data change to the points of sale and to the group company.
#include "data/DB_Dll.h"
#include "outside/ado/CortesSql.h"
#include "outside/ado/Recordset.h"
#include "outside/ado/TextoSql.h"
#include "outside/maker/Progreso.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/LogErrores.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"
#include "services/ModGruposEmp.h"

#include <QDateTime>
#include <cmath>
#include <initializer_list>

namespace ModGruposEmp {

namespace {

constexpr Qt::CaseSensitivity kCi = Qt::CaseInsensitive;

bool EsUna(const QString& nombre, std::initializer_list<const char*> nombres) {
    for (const char* n : nombres)
        if (nombre.compare(QLatin1String(n), kCi) == 0) return true;
    return false;
}

// The table groups of the terminals and the row flag that opts a terminal out of each.
enum class Grupo { Articulos, Precios, Cuentas, Tablas, Configuracion, Ninguno };

Grupo GrupoDe(const QString& tabla) {
    if (EsUna(tabla, {"V_MA_ARTICULOS", "V_MA_INSUMOS", "S_TA_EQUIV", "V_MA_ARTCATREL"}))
        return Grupo::Articulos;
    if (EsUna(tabla, {"V_MA_PRECIOS", "V_MA_PRECIOSCAB", "V_MA_Precios_Borrador"})) return Grupo::Precios;
    if (EsUna(tabla, {"MA_CUENTAS", "VT_CLIENTES", "VT_PROVEEDORES", "MA_CUENTASADIC", "MA_CLAVEPIN"}))
        return Grupo::Cuentas;
    if (EsUna(tabla, {"TA_CCOSTO",       "TA_CONDIVA",     "TA_CUENTASIVA",      "TA_ESTADOS",
                      "TA_MONEDAS",      "TA_PAISES",      "TA_TAREAS",          "TA_TIPODOCUMENTO",
                      "TA_TIPOVEHICULO", "TA_USUARIOS",    "V_TA_BANCOS",        "V_TA_CAJAS",
                      "V_TA_CATEGORIA",  "V_TA_COLORES",   "V_TA_CPRA_VTA",      "V_TA_CPRA_VTADIAS",
                      "V_TA_DEPOSITO",   "V_TA_FAMILIAS",  "V_TA_INPUT_COMPRAS", "V_TA_INPUT_VENTAS",
                      "V_TA_MOTIVOCPRA", "V_TA_MOTIVOVTA", "V_TA_MOTIVOSTOCK",   "V_TA_PERCEPCION",
                      "V_TA_ORIGEN",     "V_TA_RUBROS",    "V_TA_STATUS",        "V_TA_TAREAS",
                      "V_TA_TECNICOS",   "V_TA_UNIDAD",    "V_TA_UNIDADNEGOCIO", "V_TA_VENDEDORES"}))
        return Grupo::Tablas;
    if (tabla.compare("TA_CONFIGURACION", kCi) == 0) return Grupo::Configuracion;
    return Grupo::Ninguno;
}

const char* MarcaExclusion(Grupo g) {
    switch (g) {
        case Grupo::Articulos:
            return "OL_ExceptoArticulos";
        case Grupo::Precios:
            return "OL_ExceptoPrecios";
        case Grupo::Cuentas:
            return "OL_ExceptoCuentas";
        case Grupo::Tablas:
            return "OL_ExceptoTablas";
        default:
            return nullptr;
    }
}

// "." as decimal separator whatever the display locale; every digit the value holds.
QString NumeroSQL(double v) {
    if (!std::isfinite(v)) return "0";
    if (v == std::trunc(v) && std::fabs(v) < 1e15) return QString::number(qlonglong(v));
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

// The value of a column as a literal of its ADO type: 3, 5 and 6 as numbers, 11 as 1 or 0, Null
// as Null, anything else quoted. Apostrophes are doubled, never dropped, and numbers keep every
// digit with "." as decimal separator.
QString ValorSQL(const QVariant& valor, int tipo) {
    if (!valor.isValid() || valor.isNull()) return "Null";
    auto& util = maker::gUtilidades();
    if (tipo == ado::adBoolean) {
        const QString texto = util.TextoCampo(valor);
        return !texto.isEmpty() && CNStuffContable::ValorLogico(texto) ? "1" : "0";
    }
    const bool numero = vb::EsValorNumerico(valor);
    if (tipo == ado::adInteger || tipo == ado::adDouble || tipo == ado::adCurrency)
        return NumeroSQL(numero ? valor.toDouble() : util.ValorDoble(util.TextoCampo(valor)));
    if (numero) return ado::LiteralTexto(NumeroSQL(valor.toDouble()));
    return ado::LiteralTexto(util.TextoCampo(valor));
}

// A target skipped, in the error log.
void AnotaEnLog(const QString& mensaje) {
    const QDateTime ahora = vb::Now();
    vb::AgregarAlLog(CNStuffContable::RutaLogErrores(),
                     vb::Format(ahora, "mm-dd-yyyy") + " " + vb::Format(ahora, "hh:mm:ss") +
                         " Rutina: - ActualizaGEmpresas Mensaje " + mensaje + " Respondió : ");
}

// A target that did not connect.
void AnotaSinConexion(const QString& base, const QString& servidor, const QString& motivo) {
    AnotaEnLog("No se pudo conectar a la base de datos " + base + " Server: " + servidor + " " +
               vb::Trim(motivo));
}

bool EsBinario(const QVariant& v) {
    return v.typeId() == QMetaType::QByteArray;
}

// One call's work: the key condition, the copy to each target, and the operator's answers.
class Replicacion {
  public:
    Replicacion(const QString& tabla, OperacionGrupo operacion)
        : tabla_(tabla),
          operacion_(operacion),
          h_("ActualizaGEmpresas", [](const vb::ErrorVB& e, const QString& rutina) {
              return CNStuffContable::MensajeError(e, 18, rutina);
          }) {}

    void ArmaCondicion(const QString (&valores)[6], const QString& where) {
        QString k[8];
        ClavesTabla(tabla_, k[0], k[1], k[2], k[3], k[4], k[5], k[6], k[7]);
        for (int i = 0; i < 8; ++i) claves_ << k[i];
        // A blank condition is no condition.
        if (!vb::Trim(where).isEmpty())
            condicion_ = ado::TieneClausula(where, u"where") ? where : " WHERE " + where;
        for (int i = 0; i < 6; ++i) {
            // A value whose key column no rule names cannot be matched: it adds nothing.
            if (valores[i].isEmpty() || k[i].isEmpty()) continue;
            if (condicion_.isEmpty())
                condicion_ = i == 1 ? " Where " : " WHERE ";
            else
                condicion_ += " AND ";
            condicion_ += k[i] + " = " + valores[i];
        }
    }
    bool HayCondicion() const { return !condicion_.isEmpty(); }

    // False when the operator chose to leave the procedure.
    bool Terminales();
    bool GrupoEmpresa();

  private:
    // The columns an insert copies to the target: the target's, in its order, that the company's
    // table has too (a column of the target's own takes its default there); "" when none.
    QString ColumnasComunes(DB_Dll& destino);
    // The local rows the condition reaches, each by its full key, so that part of a key never
    // copies one row over several; the condition itself when the rows cannot be told apart.
    QStringList CondicionesPorFila();
    bool CopiaFila(const QString& columnas, const QString& servidor, const QString& base,
                   const QString& llaves);
    bool CopiaABase(QString servidor, QString base, const QString& llaves);
    bool Inserta(const QString& columnas, const QString& servidor, const QString& base);
    bool Actualiza(const ado::RecordsetPtr& destino, const QString& servidor, const QString& base);
    bool Borra(const QString& servidor, const QString& base);
    // A statement the target refused: its AUX_ERR row and the operator's message.
    bool Rechazo(const QString& sentencia, const QString& servidor, const QString& base, bool comoInsercion);

    QString tabla_;
    OperacionGrupo operacion_;
    QString condicion_;
    QStringList claves_;   // the table's key columns, as the rule list names them
    QStringList locales_;  // the company's columns of the table, read once per call
    bool localesLeidas_ = false;
    vb::ManejadorErrores h_;
};

bool Replicacion::Terminales() {
    DB_Dll& central = CNStuffContable::gBaseDatos();
    static ado::RecordsetPtr terminales;  // the module's terminal list
    QString sql = "SELECT * FROM V_TA_TPV  with(nolock)  WHERE INTERNET = 0 AND BAJA = 0 ORDER BY CODIGO ";
    if (!h_.paso([&] { central.AbrirRecordset(sql, terminales); })) return false;
    const Grupo grupo = GrupoDe(tabla_);
    if (grupo == Grupo::Ninguno) return true;
    auto& util = maker::gUtilidades();
    for (;;) {
        bool fin = true;
        if (!h_.paso([&] { fin = terminales->State() != ado::adStateOpen || terminales->Eof(); }))
            return false;
        if (fin) break;
        bool salta = false;
        QString servidor, base, codigo;
        if (!h_.paso([&] {
                if (const char* marca = MarcaExclusion(grupo)) {
                    const QVariant v = terminales->fields().Item(QString::fromLatin1(marca)).Value();
                    salta = v.isValid() && !v.isNull() && v.toBool();
                }
                servidor = util.TextoCampo(terminales->fields().Item("Server").Value());
                base = util.TextoCampo(terminales->fields().Item("Dbname").Value());
                codigo = util.TextoCampo(terminales->fields().Item("CODIGO").Value());
            }))
            return false;
        QString descripcion;
        if (!salta && !h_.paso([&] {
                descripcion = util.TextoCampo(terminales->fields().Item("Descripcion").Value());
            }))
            return false;
        if (!salta) {
            bool conectada = false;
            if (!h_.paso([&] {
                    conectada = CNStuffContable::ConexionBaseRemota(servidor, base, base, base, codigo);
                }))
                return false;
            // A terminal that does not connect has had its state and pending flags recorded; the
            // operator is told and the copy goes on with the next one.
            if (!conectada) {
                AnotaSinConexion(base, servidor, {});
                vb::MsgBox("No se pudo conectar al Punto de ventas " + descripcion, vb::vbInformation,
                           "Aviso al operador");
            } else {
                if (!h_.paso([&] {
                        DB_Dll& remota = CNStuffContable::gBaseDatosRemota();
                        if (remota.gCnn && remota.gCnn->State() == ado::adStateOpen) remota.gCnn->Close();
                        remota.gOpenFlag = false;
                    }))
                    return false;
                if (!CopiaABase(CNStuffContable::CodigoSinPrefijo(vb::Trim(servidor)), base, "111"))
                    return false;
            }
        }
        if (!h_.paso([&] { terminales->MoveNext(); })) return false;
    }
    return true;
}

bool Replicacion::GrupoEmpresa() {
    bool enGrupo = false;
    if (!h_.paso([&] { enGrupo = TablaEnGrupo(tabla_); })) return false;
    if (!enGrupo) return true;
    QString llaves, servidor, base;
    if (!h_.paso([&] {
            llaves = CNStuffContable::Cfg("GRP_Tipos");
            servidor = CNStuffContable::Cfg("GRP_Server");
            base = CNStuffContable::Cfg("GRP_Base");
        }))
        return false;
    return CopiaABase(servidor, base, llaves);
}

bool Replicacion::CopiaABase(QString servidor, QString base, const QString& llaves) {
    DB_Dll& destino = gBaseDatosGrupo();
    if (!h_.paso([&] { ConectaGrupo(servidor, base); })) return false;
    if (!destino.gOpenFlag) {
        // Recorded in the error log with the connection's reason; the other targets still get
        // the copy.
        QString motivo;
        if (destino.gCnn && destino.gCnn->errores().Count() > 0)
            motivo = destino.gCnn->errores().Item(0).Description;
        AnotaSinConexion(base, servidor, motivo);
        return true;
    }
    QString columnas;
    if (!h_.paso([&] { columnas = ColumnasComunes(destino); })) return false;

    if (operacion_ == 1 || operacion_ == 2) {
        // A target whose table shares no column with the company's cannot take the row.
        if (columnas.isEmpty()) {
            AnotaEnLog("La tabla " + tabla_ + " no tiene columnas en común con la base de datos " + base +
                       " Server: " + servidor);
            return true;
        }
        QStringList condiciones;
        if (!h_.paso([&] { condiciones = CondicionesPorFila(); })) return false;
        const QString comun = condicion_;
        bool sigue = true;
        for (const QString& c : condiciones) {
            condicion_ = c;
            sigue = CopiaFila(columnas, servidor, base, llaves);
            if (!sigue) break;
        }
        condicion_ = comun;
        if (!sigue) return false;
    } else if (operacion_ == 3) {
        if (llaves.mid(2, 1) == "1" && !Borra(servidor, base)) return false;
    }
    return true;
}

QString Replicacion::ColumnasComunes(DB_Dll& destino) {
    const QString tabla = QString(tabla_).remove("@admin_", kCi);
    const auto lista = [&tabla](DB_Dll& base) {
        QString tipos;
        return VerificaCampos(tabla, base, "ID", "IMAGEN", "TRANSMISION", "RECEPCION", false, tipos,
                              "OBSERVACIONES")
            .split(',', Qt::SkipEmptyParts);
    };
    if (!localesLeidas_) {
        locales_ = lista(CNStuffContable::gBaseDatos());
        localesLeidas_ = true;
    }
    // The target's order; IMAGE is left out of the values, so it is left out of the columns too.
    QStringList columnas = lista(destino);
    columnas.removeIf(
        [this](const QString& c) { return c.compare("IMAGE", kCi) == 0 || !locales_.contains(c, kCi); });
    return columnas.join(',');
}

QStringList Replicacion::CondicionesPorFila() {
    DB_Dll& central = CNStuffContable::gBaseDatos();
    QStringList escritas, nombres;  // as the statement writes them, as the row names them
    for (const QString& k : claves_)
        if (!k.isEmpty()) {
            escritas << k;
            nombres << QString(k).remove('[').remove(']');
        }
    if (nombres.isEmpty()) return {condicion_};
    QString sql = "SELECT * FROM  " + tabla_ + condicion_;
    ado::RecordsetPtr local;
    central.AbrirRecordset(sql, local);
    QStringList condiciones;
    bool completas = local && local->State() == ado::adStateOpen;
    while (completas && !local->Eof()) {
        ado::Fields& campos = local->fields();
        QString c;
        for (int i = 0; i < nombres.size() && completas; ++i) {
            const int j = campos.indiceDe(nombres[i]);
            const QVariant v = j < 0 ? QVariant() : campos.Item(j).Value();
            completas = j >= 0 && v.isValid() && !v.isNull();
            if (completas)
                c += (c.isEmpty() ? " WHERE " : " AND ") + escritas[i] + " = " +
                     ValorSQL(v, campos.Item(j).Type());
        }
        condiciones << c;
        local->MoveNext();
    }
    central.CierraRecordset(local);
    if (!completas || condiciones.isEmpty()) return {condicion_};
    return condiciones;
}

bool Replicacion::CopiaFila(const QString& columnas, const QString& servidor, const QString& base,
                            const QString& llaves) {
    DB_Dll& destino = gBaseDatosGrupo();
    const bool marca =
        EsUna(tabla_, {"MA_CUENTAS", "V_TA_DEPOSITO", "MV_ASIENTOS", "V_TA_FAMILIAS", "V_TA_CAJAS"});
    QString sql = "SELECT * FROM " + (marca ? "@admin_" + tabla_ : tabla_) + condicion_;
    ado::RecordsetPtr rs;
    if (!h_.paso([&] { destino.AbrirRecordset(sql, rs); })) return false;
    bool vacio = true;
    if (!h_.paso([&] { vacio = rs->Bof(); })) return false;
    if (vacio) {
        if (llaves.mid(0, 1) == "1" && !Inserta(columnas, servidor, base)) return false;
    } else {
        if (llaves.mid(1, 1) == "1" && !Actualiza(rs, servidor, base)) return false;
    }
    return h_.paso([&] { destino.CierraRecordset(rs); });
}

bool Replicacion::Inserta(const QString& columnas, const QString& servidor, const QString& base) {
    DB_Dll& central = CNStuffContable::gBaseDatos();
    DB_Dll& destino = gBaseDatosGrupo();
    QString sql = "SELECT " + columnas + " FROM [" + central.gDBName + "].DBO." + tabla_ + condicion_;
    ado::RecordsetPtr local;
    if (!h_.paso([&] { central.AbrirRecordset(sql, local); })) return false;
    QString valores;
    bool hayFila = false;
    for (;;) {
        bool fin = true;
        if (!h_.paso([&] { fin = local->State() != ado::adStateOpen || local->Eof(); })) return false;
        if (fin) break;
        vb::DoEvents();
        if (!h_.paso([&] {
                valores.clear();
                ado::Fields& campos = local->fields();
                for (int i = 0; i < campos.Count(); ++i) {
                    ado::Field& f = campos.Item(i);
                    if (EsUna(f.Name(), {"ID", "TRANSMISION", "RECEPCION", "IMAGE", "OBSERVACIONES"}))
                        continue;
                    valores += (valores.isEmpty() ? "" : ",") + ValorSQL(f.Value(), f.Type());
                }
                hayFila = true;
            }))
            return false;
        if (!h_.paso([&] { local->MoveNext(); })) return false;
    }
    if (!h_.paso([&] { central.CierraRecordset(local); })) return false;
    // Without a local row there is nothing to copy.
    if (!hayFila) return true;
    QString insercion = "INSERT INTO " + tabla_ + "(" + columnas + ") " + " VALUES (" + valores + ")";
    const QString enviada = insercion;
    if (!h_.paso([&] { destino.EjecutaConsultaSQL(insercion); })) return false;
    if (destino.gCnn->errores().Count() > 0) return Rechazo(enviada, servidor, base, true);
    return true;
}

bool Replicacion::Actualiza(const ado::RecordsetPtr& destinoRs, const QString& servidor,
                            const QString& base) {
    DB_Dll& central = CNStuffContable::gBaseDatos();
    DB_Dll& destino = gBaseDatosGrupo();
    QString sql = "SELECT * FROM  " + tabla_ + condicion_;
    ado::RecordsetPtr local;
    if (!h_.paso([&] { central.AbrirRecordset(sql, local); })) return false;
    QString asignaciones;
    if (!h_.paso([&] {
            if (local->State() != ado::adStateOpen || local->Eof()) return;
            auto& util = maker::gUtilidades();
            ado::Fields& suyos = destinoRs->fields();
            ado::Fields& nuestros = local->fields();
            for (int i = 0; i < suyos.Count(); ++i) {
                const QString nombre = suyos.Item(i).Name();
                if (EsUna(nombre, {"ID", "IMAGE", "OBSERVACIONES", "DescripcionAdicional"})) continue;
                // Matched by name: the two tables may order their columns differently.
                const int j = nuestros.indiceDe(nombre);
                if (j < 0) continue;
                ado::Field& nuestro = nuestros.Item(j);
                const QVariant valor = nuestro.Value();
                // Pictures are not texts; they are never rewritten through a literal.
                if (EsBinario(valor) || EsBinario(suyos.Item(i).Value())) continue;
                if (util.TextoCampo(suyos.Item(i).Value()).compare(util.TextoCampo(valor), kCi) == 0)
                    continue;
                asignaciones += nombre + "=" + ValorSQL(valor, nuestro.Type()) + "  , ";
            }
        }))
        return false;
    if (!h_.paso([&] { central.CierraRecordset(local); })) return false;
    if (asignaciones.isEmpty()) return true;
    asignaciones = vb::Trim(asignaciones);
    asignaciones.chop(1);
    QString actualizacion = "UPDATE " + tabla_ + " SET " + asignaciones + condicion_;
    const QString enviada = actualizacion;
    if (!h_.paso([&] { destino.EjecutaConsultaSQL(actualizacion); })) return false;
    if (destino.gCnn->errores().Count() > 0) return Rechazo(enviada, servidor, base, false);
    return true;
}

bool Replicacion::Borra(const QString& servidor, const QString& base) {
    DB_Dll& destino = gBaseDatosGrupo();
    QString borrado = "DELETE " + tabla_ + condicion_;
    const QString enviada = borrado;
    if (!h_.paso([&] { destino.EjecutaConsultaSQL(borrado); })) return false;
    if (destino.gCnn->errores().Count() > 0) return Rechazo(enviada, servidor, base, false);
    return true;
}

bool Replicacion::Rechazo(const QString& sentencia, const QString& servidor, const QString& base,
                          bool comoInsercion) {
    const ado::Error primero = gBaseDatosGrupo().gCnn->errores().Item(0);
    // Every refusal is recorded, an insert's too: the operator's message alone leaves no trace.
    if (!h_.paso([&] {
            CNStuffContable::RegistraErrorSQL(sentencia, vb::App().EXEName + "/" + servidor,
                                              primero.NativeError, primero.Description);
        }))
        return false;
    maker::gProgreso().Ocultar();
    if (comoInsercion)
        vb::MsgBox("Error en base de datos " + primero.Description, vb::vbInformation, "Atencion");
    else
        vb::MsgBox(primero.Description + "\r\n" + "No se pudo actualizar la base de datos " + base +
                       " Server: " + servidor,
                   vb::vbCritical, "Atención");
    return true;
}

}  // namespace

void ActualizaGEmpresas(QString& Tabla, OperacionGrupo Operacion, const QString& Valor1,
                        const QString& Valor2, const QString& Valor3, const QString& Valor4,
                        const QString& Valor5, const QString& Valor6, const QString& Where,
                        const QString& /*Reservado*/, bool /*Forzar*/) {
    Tabla.remove("@ADMIN_", kCi);
    Replicacion r(Tabla, Operacion);
    const QString valores[6] = {Valor1, Valor2, Valor3, Valor4, Valor5, Valor6};
    r.ArmaCondicion(valores, Where);
    // Without a condition the statements would reach every row of the target's table.
    if (!r.HayCondicion()) return;
    if (!r.Terminales()) return;
    r.GrupoEmpresa();
}

void ActualizaGEmpresas(const QString& Tabla, OperacionGrupo Operacion, const QString& Valor1,
                        const QString& Valor2, const QString& Valor3, const QString& Valor4,
                        const QString& Valor5, const QString& Valor6, const QString& Where,
                        const QString& Reservado, bool Forzar) {
    QString tabla = Tabla;
    ActualizaGEmpresas(tabla, Operacion, Valor1, Valor2, Valor3, Valor4, Valor5, Valor6, Where, Reservado,
                       Forzar);
}

}  // namespace ModGruposEmp
