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
    TerminaCarga(h, db);
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
    if (!h.paso([&] {
            // The window keeps its statement as written; what the database object rewrites stays there.
            QString sentencia = pedido_.Sql;
            db.AbrirRecordset(sentencia, rsConsulta, db.gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1,
                              true);
        }))
        return false;
    // The database object has already told the user why it refused the statement; a closed
    // recordset has nothing more to say, so the load stops here and builds no column.
    if (rsConsulta && rsConsulta->State() == ado::adStateOpen) return true;
    rsConsulta.reset();
    return false;
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

void Lib_FrmCons3::TerminaCarga(vb::ManejadorErrores& h, DB_Dll& db) {
    if (!h.paso([&] {
            if (!vb::Trim(pedido_.FiltroInicial).isEmpty()) CmbSearch[0]->setEditText(pedido_.FiltroInicial);
        }))
        return;
    if (!h.paso([&] {
            if (rsConsulta) db.CierraRecordset(rsConsulta);
            rsConsulta.reset();
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
        ado::Fields& campos = rsConsulta->fields();
        for (int j = 0; j < campos.Count(); ++j) {
            ado::Field& campo = campos[j];
            long n = campo.DefinedSize();
            if (campo.Type() == ado::adCurrency || campo.Type() == ado::adNumeric) n = 12;
            if (j >= 1) {
                if (j >= CmbSearch.size()) CreaCombo(j);
                setTabOrder(CmbSearch[j - 1], CmbSearch[j]);
            }
            CmbSearch[j]->setProperty("campo", campo.Name());
            CmbSearch[j]->setVisible(true);
            if (n >= 60) n = 60;
            QString titulo = campo.Name();
            if (articulos) {
                int d = 0;
                if (EsPrecioN(campo.Name(), d))
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
        // Boxes of a wider statement loaded before have no column now.
        for (int j = campos.Count(); j < CmbSearch.size(); ++j) CmbSearch[j]->setVisible(j == 0);
    } catch (const vb::ErrorVB& e) {
        // The columns read before the fault stay, as they did one by one.
        ListView1->PonColumnas(titulos, anchos);
        vb::MsgBox(e.Description, vb::vbOKOnly, QString());
    }
}

QString Lib_FrmCons3::ColorStock(const ado::RecordsetPtr& rs) {
    ado::Fields& campos = rs->fields();
    if (campos.indiceDe("PUNTOPEDIDO") < 0 || campos.indiceDe("Stock") < 0) return QString();
    // A blank stock or reorder point counts as none (0).
    const double pp = Util().ValorNumerico(Util().TextoCampo(campos["PUNTOPEDIDO"].Value()));
    const double s = Util().ValorNumerico(Util().TextoCampo(campos["Stock"].Value()));
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
    const ado::RecordsetPtr rs = rsConsulta;
    bool leido = false;
    bool bof = true;
    if (!h.paso([&] {
            if (!rs) vb::Raise(91);
            bof = rs->Bof();
            leido = true;
        }))
        return;
    if (!leido || bof) return;
    ado::Fields* campos = nullptr;
    int nCampos = 0;
    int iCampo = -1;
    if (!h.paso([&] {
            campos = &rs->fields();
            nCampos = campos->Count();
            if (pedido_.CheckBoxes && !vb::Trim(pedido_.CampoDevuelto).isEmpty())
                iCampo = campos->indiceDe(vb::Trim(pedido_.CampoDevuelto));
        }))
        return;
    if (campos == nullptr) return;
    const bool colorea = pedido_.MuestraStock.compare("SI", Qt::CaseInsensitive) == 0 && EsArticulos_;
    ListView1->IniciarCarga();
    struct FinCarga {
        vb::ListView* l;
        ~FinCarga() { l->TerminarCarga(); }
    } fin{ListView1};
    // One step per record: the row, the move to the next record. A record answered with "ignore"
    // is left out; a recordset that cannot move on has nothing more to give.
    for (;;) {
        bool eof = true;
        if (!vb::SinDetenerse([&] { eof = rs->Eof(); }) || eof) break;
        bool movido = false;
        const bool seguir = h.paso([&] {
            AgregaFila(rs, *campos, nCampos, iCampo, colorea);
            rs->MoveNext();
            movido = true;
        });
        if (!seguir) return;
        if (!movido && !vb::SinDetenerse([&] { rs->MoveNext(); })) break;
    }
}

void Lib_FrmCons3::AgregaFila(const ado::RecordsetPtr& rs, ado::Fields& campos, int nCampos, int iCampo,
                              bool colorea) {
    maker::Utilidades& util = Util();
    QString color;
    if (EsArticulos_) {
        try {
            color = ColorStock(rs);
        } catch (const vb::ErrorVB& e) {
            // A record without the stock columns stays uncoloured.
            if (e.Number != 3265) throw;
        }
    }
    QStringList celdas;
    celdas.reserve(nCampos);
    celdas << vb::Trim(util.TextoCelda(campos[0].Value(), campos[0].Type()));
    for (int i = 1; i < nCampos; ++i)
        celdas << util.AlineaDerecha(util.TextoCelda(campos[i].Value(), campos[i].Type()));
    const int r = ListView1->ListItemsAdd(celdas);
    if (iCampo >= 0) {
        const QString codigo = vb::Trim(util.TextoCampo(campos[iCampo].Value()));
        if (!codigo.isEmpty() && pedido_.ValoresDefault.contains(codigo, Qt::CaseInsensitive))
            ListView1->setChecked(r, true);
    }
    if (colorea && !vb::Trim(color).isEmpty()) {
        const QColor c = ColorDeTexto(color);
        if (c.isValid()) ListView1->setRowStyle(r, c, true);
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
