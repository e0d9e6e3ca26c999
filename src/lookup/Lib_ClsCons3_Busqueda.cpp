// The lookup over a table, a view or a statement: builds the statement, shows the window and
// takes the choice back. Runs as "resume next": a step that fails is skipped.
#include "data/DB_Dll.h"
#include "lookup/Lib_ClsCons3.h"
#include "lookup/Lib_FrmCons3.h"
#include "lookup/Lib_FrmCons3Tree.h"
#include "outside/ado/CortesSql.h"
#include "outside/controls/ListView.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ManejadorErrores.h"
#include "services/CNStuffContable.h"

#include <QFileInfo>
#include <cmath>

namespace {

bool Igual(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool Contiene(const QString& texto, const QString& buscado) {
    return texto.contains(buscado, Qt::CaseInsensitive);
}

}  // namespace

int Lib_ClsCons3::LimiteFilas() {
    // A limit that is no whole positive number would make "TOP 2.5" or "TOP -5".
    const double v = vb::Val(CNStuffContable::Cfg("TopConsArt"));
    const double entero = std::trunc(v);
    return entero >= 1 && entero <= 2147483647.0 ? int(entero) : 1000;
}

QString Lib_ClsCons3::SentenciaSinMascara(const QString& Sql, QString& CampoBusqueda, const QString& Where,
                                          const QString& SentenciaOpcional, int n) {
    if (!SentenciaOpcional.isEmpty()) return SentenciaOpcional;
    QString columnas;
    if (Igual(Sql, "V_TA_Unidad")) {
        columnas = "Descripcion,IdUnidad";
        CampoBusqueda = "IdUnidad";
    } else if (Igual(Sql, "V_TA_DEPOSITO")) {
        columnas = "Descripcion,Unidad,IdDeposito";
        CampoBusqueda = "IdDeposito";
    } else if (Igual(Sql, "V_TA_STATUS")) {
        columnas = "Descripcion,Tipo,CodigoEstado";
        CampoBusqueda = "CodigoEstado";
    } else {
        QString lista;
        const bool vistaConId =
            Igual(vb::Trim(Sql), "v_mv_mutuales") || Igual(vb::Trim(Sql), "V_MV_TROPA_STOCK");
        auto& db = CNStuffContable::gBaseDatos();
        ado::RecordsetPtr rs;
        vb::SinDetenerse([&] {
            QString sentencia = "select top 1 * from " + Sql;
            db.AbrirRecordset(sentencia, rs, db.gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
        });
        vb::SinDetenerse([&] {
            ado::Fields& campos = rs->fields();
            for (int i = 0; i < campos.Count(); ++i) {
                const QString nombre = campos[i].Name();
                const QString mayus = nombre.toUpper();
                if (mayus == "ID" || mayus == "FECHAHORA_MODIFICACION" || mayus == "FECHAHORA_GRABACION") {
                    if (!vistaConId) continue;
                    CampoBusqueda = nombre;
                } else if (mayus == "DESCRIPCION" || mayus == "NOMBRE" || mayus == "DETALLE") {
                    CampoBusqueda = nombre;
                } else if (lista.isEmpty()) {
                    CampoBusqueda = nombre;
                }
                lista = nombre + "," + lista;
            }
        });
        vb::SinDetenerse([&] {
            if (rs) db.CierraRecordset(rs);
        });
        columnas = lista.isEmpty() ? QStringLiteral(" * ") : lista.left(lista.size() - 1);
    }
    const QString condicion = " " + Where;
    const QString w = vb::Trim(condicion).isEmpty() ? QString() : QStringLiteral(" WHERE ");
    QString sentencia = "SELECT TOP " + QString::number(n) + " " + columnas + " FROM " + Sql + w + condicion;
    // Without a search column an "ORDER BY" with nothing after it would fail on the server.
    if (!CampoBusqueda.isEmpty()) sentencia += " ORDER BY " + CampoBusqueda;
    return sentencia;
}

void Lib_ClsCons3::ConsultaSearch(QString Sql, Coleccion& CmpsDevueltos, QString& Clave,
                                  QString& CampoBusqueda, QString& Where, QString& SentenciaOpcional,
                                  bool& TreeView, QString& ValoresDefault) {
    vb::SinDetenerse([&] {
        if (vb::Trim(Where).size() > 1 && !Where.startsWith(QLatin1Char('('))) Where = " (" + Where + ") ";
    });
    int n = 1000;
    vb::SinDetenerse([&] { n = LimiteFilas(); });

    QString sentencia;
    if (Contiene(Sql, "SELECT")) {
        sentencia = SentenciaEscrita(Sql, Where);
    } else if (HayMascara(Sql)) {
        if (!SentenciaDeMascara(n, CmpsDevueltos, CampoBusqueda, Where, sentencia)) return;
    } else {
        sentencia = SentenciaSinMascara(Sql, CampoBusqueda, Where, SentenciaOpcional, n);
    }

    if (TreeView) {
        vb::SinDetenerse([&] { Lib_FrmCons3Tree::Consulta(*this, sentencia); });
        Checks = false;
        Reinicia(CmpsDevueltos);
        return;
    }
    MuestraLista(sentencia, CmpsDevueltos, Clave, CampoBusqueda, ValoresDefault);
}

bool Lib_ClsCons3::HayMascara(const QString& tabla) {
    if (!gUsarMascarasConsultas) return false;
    bool conMascara = false;
    // No readable mask file counts as no record for the table.
    vb::SinDetenerse([&] {
        conMascara = QFileInfo(gRutaMascaraConsultas).isFile() &&
                     MascaraConsulta::Buscar(gRutaMascaraConsultas, tabla, regMascara_);
    });
    if (conMascara) vb::SinDetenerse([&] { conMascara = MascaraUtilizable(); });
    return conMascara;
}

bool Lib_ClsCons3::SentenciaDeMascara(int n, Coleccion& CmpsDevueltos, QString& CampoBusqueda,
                                      const QString& Where, QString& sentencia) {
    const QString columnas = MascaraConsulta::Columnas(regMascara_);
    QString tabla = vb::Trim(regMascara_.Tabla);
    if (CampoBusqueda.isEmpty()) {
        const int coma = columnas.indexOf(QLatin1Char(','));
        if (coma < 0) {
            vb::MsgBox("Debe configurar la consulta para esta tabla", vb::vbInformation, "Aviso al operador");
            // Nothing was chosen: an earlier choice must not read as this one's.
            ValorDevuelto = QString();
            Valores = NuevaColeccionValores();
            Checks = false;
            Reinicia(CmpsDevueltos);
            return false;
        }
        CampoBusqueda = columnas.left(coma);
    }
    QString condicion = regMascara_.Condicion;
    if (vb::Trim(condicion).isEmpty() && !vb::Trim(Where).isEmpty()) condicion = Where;
    if (vb::Trim(condicion).isEmpty()) {
        if (Igual(tabla, "VT_PROVEEDORES") || Igual(tabla, "VT_CLIENTES")) condicion = "Dada_De_Baja = 0";
        if (Igual(tabla, "V_MA_ARTICULOS")) condicion = "SUSPENDIDO = 0";
    }
    if (Igual(tabla, "V_MA_ARTICULOS")) tabla = "VT_MA_ARTICULOS";
    const QString w = vb::Trim(condicion).isEmpty() ? QString() : QStringLiteral(" WHERE ");
    if (!CampoBusqueda.isEmpty())
        sentencia = "SELECT TOP " + QString::number(n) + " " + columnas + " FROM " + tabla +
                    "  with(nolock) " + w + condicion + " ORDER BY " + CampoBusqueda;
    else
        sentencia = "SELECT TOP " + QString::number(n) + " " + columnas + " FROM " + tabla +
                    " with(nolock) " + w + condicion;
    return true;
}

QString Lib_ClsCons3::SentenciaEscrita(const QString& Sql, QString& Where) {
    QString sentencia = Util().ReemplazaTexto(Sql, "V_MA_ARTICULOS", "VT_MA_ARTICULOS");
    if (vb::Trim(Where).isEmpty()) return sentencia;
    // A statement with a WHERE of its own takes the condition with AND, never a second WHERE; the
    // condition goes before the statement's GROUP BY or ORDER BY. Both are found on the
    // statements' own pieces, never inside a quoted value.
    if (!ado::TieneClausula(Where, u"where"))
        Where = (ado::TieneClausula(sentencia, u"where") ? " AND " : " WHERE ") + Where;
    const qsizetype cola = ado::PosicionCola(sentencia);
    return cola < sentencia.size() ? sentencia.left(cola) + Where + " " + sentencia.mid(cola)
                                   : sentencia + Where;
}

void Lib_ClsCons3::MuestraLista(const QString& sentencia, Coleccion& CmpsDevueltos, const QString& Clave,
                                const QString& CampoBusqueda, const QString& ValoresDefault) {
    auto ventana = std::make_unique<Lib_FrmCons3>();
    Lib_FrmCons3& v = *ventana;
    vb::SinDetenerse([&] {
        Lib_FrmCons3::Pedido c;
        c.StkNivel1 = StkNivel1;
        c.StkNivel2 = StkNivel2;
        c.StkNivel3 = StkNivel3;
        c.StkNivel4 = StkNivel4;
        c.MuestraStock = MuestraStock;
        c.CfgUsaConsultaLIKE = usaConsultaLike_;
        c.OrdenarPorLwv = !ado::TieneClausula(sentencia, u"order by");
        c.FiltroInicial = Clave;
        c.CampoBusqueda = CampoBusqueda;
        if (gConnString.isEmpty()) gConnString = CNStuffContable::gBaseDatos().gConnString;
        c.Sql = sentencia;
        c.gConnString = gConnString;
        c.CampoDevuelto = CampoDevuelto;
        c.CheckBoxes = Checks;
        c.UsaCantidades = UsaCantidades;
        c.ValoresDefault = ValoresDefault;
        Valores.reset();
        Cantidades.reset();
        c.CmpsDevueltos = CmpsDevueltos;
        v.Prepara(c);
    });
    // With check boxes the window opens with no row checked, whatever the defaults said.
    if (Checks)
        vb::SinDetenerse([&] {
            v.Cargar();
            v.DesmarcaFilas();
        });
    vb::SinDetenerse([&] { v.Mostrar(); });
    Checks = false;
    Valores = v.pedido().Valores;
    Cantidades = v.pedido().Cantidades;
    ValorDevuelto = v.pedido().ValorDevuelto.isValid() ? v.pedido().ValorDevuelto : QVariant(QString());
    Reinicia(CmpsDevueltos);
    v.OlvidaEleccion();
    vb::SinDetenerse([&] { v.Descargar(); });
}

void Lib_ClsCons3::Reinicia(Coleccion& CmpsDevueltos) {
    CampoDevuelto.clear();
    if (CmpsDevueltos) CmpsDevueltos->clear();
    // The object's own collection passed as the argument stays a collection, now empty (VB passed
    // the caller a copy of the reference).
    if (&CmpsDevueltos != &this->CmpsDevueltos)
        CmpsDevueltos.reset();
    else if (!this->CmpsDevueltos)
        this->CmpsDevueltos = NuevaColeccion();
}
