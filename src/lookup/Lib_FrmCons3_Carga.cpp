// The list window's load: the statement opened on the database, the columns and search boxes
// built from its fields, one row per record, then the layout from the column widths.
#include "data/DB_Dll.h"
#include "lookup/Lib_FrmCons3.h"
#include "outside/controls/ListView.h"
#include "outside/controls/Teclas.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ManejadorErrores.h"
#include "services/CNStuffContable.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QVarLengthArray>
#include <cmath>

namespace {

vb::Reportero ReporteroMensajeError() {
    return [](const vb::ErrorVB& e, const QString& rutina) {
        return CNStuffContable::MensajeError(e, 18, rutina);
    };
}

// A Windows colour value written as decimal or as "&H..." hex; invalid when it is neither.
QColor ColorDeTexto(const QString& texto) {
    const QString t = vb::Trim(texto);
    bool ok = false;
    long v = 0;
    if (t.startsWith("&H", Qt::CaseInsensitive)) {
        QString hex = t.mid(2);
        if (hex.endsWith('&')) hex.chop(1);
        v = hex.toLong(&ok, 16);
    } else {
        v = t.toLong(&ok, 10);
    }
    return ok ? vb::ColorDeVB(v) : QColor();
}

bool EsPrecioN(const QString& nombre, int& digito) {
    if (nombre.size() != 7 || !nombre.startsWith("PRECIO", Qt::CaseInsensitive)) return false;
    digito = nombre.at(6).digitValue();
    return digito >= 1 && digito <= 8;
}

}  // namespace

DB_Dll& gBaseDatosConsulta() {
    static DB_Dll instancia;
    return instancia;
}

void Lib_FrmCons3::Form_Load() {
    vb::ManejadorErrores h("FORM_LOAD", ReporteroMensajeError());
    DB_Dll& db = pedido_.UsarUDBC ? gBaseDatosConsulta() : CNStuffContable::gBaseDatos();
    if (!PreparaCarga(h)) return;
    if (vb::Trim(pedido_.Sql).isEmpty()) {
        h.paso([&] { Util().PreparaFormulario(this); });
        return;
    }
    if (!AbreSentencia(h, db)) return;
    if (!LlenaLista(h)) return;
    TerminaCarga(h);
}

bool Lib_FrmCons3::PreparaCarga(vb::ManejadorErrores& h) {
    if (!h.paso([&] { EsArticulos_ = pedido_.Sql.contains("articulos", Qt::CaseInsensitive); })) return false;
    if (!h.paso([&] {
            pedido_.Valores = NuevaColeccionValores();
            pedido_.Cantidades = NuevaColeccionValores();
        }))
        return false;
    return h.paso([&] {
        ListView1->ListItemsClear();
        QFont letra = ListView1->font();
        letra.setBold(true);
        letra.setPointSize(10);
        ListView1->setFont(letra);
    });
}

bool Lib_FrmCons3::AbreSentencia(vb::ManejadorErrores& h, DB_Dll& db) {
    if (!h.paso([&] { pedido_.Sql += " "; })) return false;
    if (!h.paso([&] {
            // The name after the first "from", up to the next blank (the appended one at the latest).
            const int p = int(pedido_.Sql.indexOf("from", 0, Qt::CaseInsensitive)) + 1;
            const int q = int(pedido_.Sql.indexOf(' ', p + 4)) + 1;
            const int desde = p + 4;
            if (q - desde < 0) vb::Raise(5);
            TablaConsulta_ = vb::Trim(pedido_.Sql.mid(desde - 1, q - desde));
        }))
        return false;
    if (!h.paso([&] {
            if (SqlOriginal_.isEmpty()) SqlOriginal_ = pedido_.Sql;
        }))
        return false;
    if (!h.paso([&] { SqlCabecera_ = pedido_.Sql; })) return false;
    bool leida = false;
    if (!h.paso([&] {
            // The window keeps its statement as written; what the database object rewrites stays
            // there. The records are read once, straight into columns, and go to the list from there.
            QString sentencia = pedido_.Sql;
            leida = db.LeeConsulta(sentencia, rsConsulta, db.gCnn);
        }))
        return false;
    // The database object has already told the user why it refused the statement; nothing was
    // read, so the load stops here and builds no column.
    consultaAbierta_ = leida;
    if (!leida) rsConsulta = ado::Lectura();
    return leida;
}

bool Lib_FrmCons3::LlenaLista(vb::ManejadorErrores& h) {
    if (!h.paso([&] {
            ListView1->setCheckBoxes(pedido_.CheckBoxes);
            // Inverting checks means something only where there are check boxes.
            CmdTodos->setVisible(pedido_.CheckBoxes);
        }))
        return false;
    if (!h.paso([&] { Encolumnar(); })) return false;
    if (!h.paso([&] {
            long desde = 1;
            int cuantas = 0;
            Leer(desde, cuantas);
        }))
        return false;
    return h.paso([&] {
        ListView1->setSorted(pedido_.OrdenarPorLwv);
        // The list opens on its first row as shown, whatever the sort moved there.
        if (pedido_.OrdenarPorLwv) ListView1->setSelectedItem(1);
    });
}

void Lib_FrmCons3::TerminaCarga(vb::ManejadorErrores& h) {
    if (!h.paso([&] {
            if (!vb::Trim(pedido_.FiltroInicial).isEmpty()) CmbSearch[0]->setEditText(pedido_.FiltroInicial);
        }))
        return;
    if (!h.paso([&] {
            rsConsulta = ado::Lectura();
            consultaAbierta_ = false;
        }))
        return;
    if (!h.paso([&] { LeeAnchosColumnas(); })) return;
    if (!h.paso([&] { CalcularAncho(); })) return;
    h.paso([&] { Util().PreparaFormulario(this); });
}

void Lib_FrmCons3::Encolumnar() {
    // Laid out in one go: the list measures its headers again at each change of columns.
    QStringList titulos;
    std::vector<int> anchos;
    try {
        const bool articulos = pedido_.Sql.contains("V_MA_ARTICULOS", Qt::CaseInsensitive) ||
                               pedido_.Sql.contains("STK_MA_ARTICULOS", Qt::CaseInsensitive);
        // Measured in the list's own font (bold, 10 points), so that a field's full width of text fits.
        const QFontMetrics metricas(ListView1->font());
        if (!consultaAbierta_) vb::Raise(91);
        const QList<ado::Recordset::Columna>& campos = rsConsulta.columnas;
        for (int j = 0; j < campos.size(); ++j) {
            const ado::Recordset::Columna& campo = campos[j];
            long n = campo.largo;
            if (campo.tipo == ado::adCurrency || campo.tipo == ado::adNumeric) n = 12;
            if (j >= 1) {
                if (j >= CmbSearch.size()) CreaCombo(j);
                setTabOrder(CmbSearch[j - 1], CmbSearch[j]);
            }
            CmbSearch[j]->setProperty("campo", campo.nombre);
            CmbSearch[j]->setVisible(true);
            if (n >= 60) n = 60;
            QString titulo = campo.nombre;
            if (articulos) {
                int d = 0;
                if (EsPrecioN(campo.nombre, d))
                    titulo = CNStuffContable::Cfg("NOM_PCLASE" + QString::number(d));
            } else if (pedido_.ValoresDefault == "@10") {
                n += 10;
            }
            int ancho = vb::TwipsDePixeles(metricas.horizontalAdvance(QString(int(std::max(0L, n)), 'X')));
            // The check box takes its room from the first column, not from its text.
            if (j == 0 && pedido_.CheckBoxes)
                ancho += vb::TwipsDePixeles(ListView1->style()->pixelMetric(QStyle::PM_IndicatorWidth) + 8);
            titulos << titulo;
            anchos.push_back(ancho);
        }
        ListView1->PonColumnas(titulos, anchos);
        NombraBusquedas();
        // Boxes of a wider statement loaded before have no column now.
        for (int j = int(campos.size()); j < CmbSearch.size(); ++j) CmbSearch[j]->setVisible(j == 0);
    } catch (const vb::ErrorVB& e) {
        // The columns read before the fault stay, as they did one by one.
        ListView1->PonColumnas(titulos, anchos);
        NombraBusquedas();
        vb::MsgBox(e.Description, vb::vbOKOnly, QString());
    }
}

QString Lib_FrmCons3::ColorStock(qsizetype fila, int iPunto, int iStock) {
    if (iPunto < 0 || iStock < 0) return QString();
    // A blank stock or reorder point counts as none (0).
    const double pp = Util().ValorNumerico(Util().TextoCampo(rsConsulta.valores[iPunto][fila]));
    const double s = Util().ValorNumerico(Util().TextoCampo(rsConsulta.valores[iStock][fila]));
    QVariant color;
    if (pp == 0 && s > 0)
        color = pedido_.StkNivel1;
    else if (pp > 0 && s > pp)
        color = pedido_.StkNivel2;
    else if (pp > 0 && s < pp)
        color = pedido_.StkNivel3;
    else
        color = pedido_.StkNivel4;
    return color.toString();
}

void Lib_FrmCons3::Leer(long& Cdesde, int& Cuantas) {
    Q_UNUSED(Cdesde);
    Q_UNUSED(Cuantas);
    vb::ManejadorErrores h("FORM_LOAD", ReporteroMensajeError());
    if (!h.paso([&] {
            if (!consultaAbierta_) vb::Raise(91);
        }))
        return;
    const ado::Lectura& filas = rsConsulta;
    const qsizetype cantidad = filas.filas();
    if (cantidad == 0) return;
    Columnas c;
    c.n = int(filas.columnas.size());
    if (pedido_.CheckBoxes && !vb::Trim(pedido_.CampoDevuelto).isEmpty())
        c.devuelto = filas.indiceDe(vb::Trim(pedido_.CampoDevuelto));
    if (EsArticulos_) {
        c.punto = filas.indiceDe("PUNTOPEDIDO");
        c.stock = filas.indiceDe("Stock");
    }
    c.colorea = pedido_.MuestraStock.compare("SI", Qt::CaseInsensitive) == 0 && EsArticulos_;
    ListView1->IniciarCarga(cantidad);
    struct FinCarga {
        vb::ListView* l;
        ~FinCarga() { l->TerminarCarga(); }
    } fin{ListView1};
    // One step per record; a record answered with "ignore" is left out.
    for (qsizetype r = 0; r < cantidad; ++r)
        if (!h.paso([&] { AgregaFila(r, c); })) return;
}

void Lib_FrmCons3::AgregaFila(qsizetype fila, const Columnas& c) {
    maker::Utilidades& util = Util();
    const ado::Lectura& filas = rsConsulta;
    // A record without the stock columns stays uncoloured.
    const QString color = EsArticulos_ ? ColorStock(fila, c.punto, c.stock) : QString();
    QVarLengthArray<QString, 16> celdas(c.n);
    celdas[0] = vb::Trim(util.TextoCelda(filas.valores[0][fila], filas.columnas[0].tipo));
    for (int i = 1; i < c.n; ++i)
        celdas[i] = util.AlineaDerecha(util.TextoCelda(filas.valores[i][fila], filas.columnas[i].tipo));
    const int r = ListView1->ListItemsAdd(celdas.data(), celdas.size());
    if (c.devuelto >= 0) {
        const QString codigo = vb::Trim(util.TextoCampo(filas.valores[c.devuelto][fila]));
        if (!codigo.isEmpty() && pedido_.ValoresDefault.contains(codigo, Qt::CaseInsensitive))
            ListView1->setChecked(r, true);
    }
    if (c.colorea && !vb::Trim(color).isEmpty()) {
        const QColor col = ColorDeTexto(color);
        if (col.isValid()) ListView1->setRowStyle(r, col, true);
    }
}

void Lib_FrmCons3::CalcularAncho() {
    double total = 0;
    for (int i = 1; i <= ListView1->ColumnHeadersCount(); ++i) {
        const int w = ListView1->ColumnHeaderWidth(i);
        if (i - 1 < CmbSearch.size())
            Move(CmbSearch[i - 1], ListView1->ColumnHeaderLeft(i), 0, std::max(0, w - 50),
                 Height(CmbSearch[i - 1]));
        total += w;
    }
    // The boxes stand over the columns as drawn, and the header draws none narrower than its
    // minimum: the strip and its scroll reach the last box.
    total = std::max(total, double(ListView1->ColumnHeaderLeft(ListView1->ColumnHeadersCount() + 1)));
    setWidth(ListView1, int(total) + 360);
    setWidth(picFields, int(std::lround(total)) + 360);
    setWidth(HScroll1, int(total));
    setWidth(tiraCombos_, int(total) + 360);
    hscrollMax_ = Width(picFields) > 32700 ? 32700 : int(std::lround((Width(picFields) + 480) * 0.6));
    HScroll1->setMaximum(hscrollMax_);
    const int pantalla = AnchoPantalla();
    setWidth(this, Width(ListView1) + 360 < pantalla ? Width(ListView1) + 280 : pantalla - 480);
    Form_Resize();
}
