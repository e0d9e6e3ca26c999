// The list window's search and keys: incremental search in the current search box, F5 narrowing
// the statement on the server, keys typed in the list, quantities, the missing-stock report.
#include "data/DB_Dll.h"
#include "lookup/Lib_FrmCons3.h"
#include "outside/ado/CortesSql.h"
#include "outside/ado/TextoSql.h"
#include "outside/controls/ListView.h"
#include "outside/controls/Teclas.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ManejadorErrores.h"
#include "services/CNStuffContable.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

namespace {

int IndiceDe(QObject* o) {
    const QVariant v = o->property("indice");
    return v.isValid() ? v.toInt() : -1;
}

}  // namespace

int Lib_FrmCons3::IndiceColumna(const QString& Columna) {
    const QString buscada = vb::Trim(Columna);
    for (int i = 1; i <= ListView1->ColumnHeadersCount(); ++i)
        if (vb::Trim(ListView1->ColumnHeaderText(i)).compare(buscada, Qt::CaseInsensitive) == 0) return i;
    return 0;
}

long Lib_FrmCons3::Busqueda(long Clave, const QString& QueValor) {
    const QString valor = vb::Trim(QueValor);
    const qsizetype n = valor.size();
    const int filas = ListView1->ListItemsCount();
    for (int r = 1; r <= filas; ++r) {
        const QString celda = Clave <= 0 ? ListView1->ItemText(r) : ListView1->SubItem(r, int(Clave));
        // Blanks only at the start matter for the prefix; the rest of the cell is never compared.
        qsizetype i = 0;
        while (i < celda.size() && celda.at(i) == QLatin1Char(' ')) ++i;
        if (celda.size() - i < n) {
            if (n == 0) return r;
            continue;
        }
        if (QStringView(celda).mid(i, n).compare(valor, Qt::CaseInsensitive) == 0) return r;
    }
    return 0;
}

void Lib_FrmCons3::CmbSearch_Change(int Index) {
    vb::SinDetenerse([&] {
        const long clave = Util().ValorEntero(QString::number(Index));
        const long r = Busqueda(clave, vb::Trim(CmbSearch.value(Index)->currentText()));
        if (r != 0) {
            ListView1->setSelectedItem(int(r));
            ListView1->EnsureVisible(int(r));
        }
        // The column searched stays in sight, with its box above it.
        ListView1->EnsureColumnVisible(Index + 1);
    });
}

void Lib_FrmCons3::CmbSearch_Click(int Index) {
    CmbSearch_Change(Index);
}

void Lib_FrmCons3::CmbSearch_GotFocus(int Index) {
    ComboActual_ = Index;
    // A box reached with Tab may lie beyond the window's edge: its column comes into sight.
    ListView1->EnsureColumnVisible(Index + 1);
    if (QComboBox* c = CmbSearch.value(Index))
        c->lineEdit()->setStyleSheet("background-color: rgb(0, 255, 255);");
}

void Lib_FrmCons3::CmbSearch_LostFocus(int Index) {
    if (QComboBox* c = CmbSearch.value(Index))
        c->lineEdit()->setStyleSheet("background-color: rgb(255, 255, 255);");
}

void Lib_FrmCons3::CmbSearch_KeyDown(int Index, int& KeyCode, int Shift) {
    Q_UNUSED(Shift);
    QComboBox* combo = CmbSearch.value(Index);
    if (combo == nullptr) return;
    if (KeyCode == vb::vbKeyF5) {
        KeyCode = 0;
        // An option list has no statement to narrow.
        if (vb::Trim(pedido_.Sql).isEmpty()) return;
        // The clauses are found on the statement's own pieces: a value typed in an earlier search
        // never moves the cut, and the new text goes in as one quoted value.
        const qsizetype cola = ado::PosicionCola(pedido_.Sql);
        SqlCabecera_ = pedido_.Sql.left(cola);
        SqlCola_ = pedido_.Sql.mid(cola);
        const QString propia = ado::TextoPropio(SqlCabecera_);
        QString prefijo;
        if (propia.contains("stk_ma_articulos.", Qt::CaseInsensitive)) prefijo = "stk_ma_articulos.";
        if (propia.contains("v_ma_articulos.", Qt::CaseInsensitive)) prefijo = "v_ma_articulos.";
        const QString conector = ado::TieneClausula(pedido_.Sql, u"where") ? " and " : " where ";
        const QString campo = combo->property("campo").toString();
        QString patron;
        if (pedido_.CfgUsaConsultaLIKE) {
            patron = "%" + QString(combo->currentText()).replace(' ', '%') + "%";
        } else {
            // "*" typed by the user works as a wildcard.
            combo->setEditText(Util().Reemplaza(combo->currentText(), "*", "%"));
            patron = combo->currentText() + "%";
        }
        pedido_.Sql =
            SqlCabecera_ + conector + prefijo + campo + " like " + ado::LiteralTexto(patron) + " " + SqlCola_;
        combo->setEditText(QString());
        SqlCabecera_ = pedido_.Sql;
        Form_Load();
        // The rebuilt columns open where the user was searching.
        ListView1->EnsureColumnVisible(Index + 1);
        return;
    }
    if (KeyCode == vb::vbKeyDown || KeyCode == vb::vbKeyUp || KeyCode == vb::vbKeyPageDown ||
        KeyCode == vb::vbKeyPageUp) {
        int codigo = KeyCode;
        ListView1_KeyDown(codigo, 0);
        ListView1->setFocus();
        KeyCode = 0;
    }
}

void Lib_FrmCons3::AgregaAlCombo(const QString& texto) {
    QComboBox* combo = CmbSearch.value(ComboActual_);
    if (combo == nullptr) return;
    QString actual = combo->currentText();
    if (texto == QStringLiteral("\b"))
        actual.chop(1);
    else
        actual += texto;
    combo->setFocus();
    combo->setEditText(actual);
}

void Lib_FrmCons3::ListView1_KeyDown(int& KeyCode, int Shift) {
    ListView1_KeyDown(KeyCode, Shift, QString());
}

void Lib_FrmCons3::ListView1_KeyDown(int& KeyCode, int Shift, const QString& texto) {
    vb::ManejadorErrores h("ListView1_KeyDown", [](const vb::ErrorVB& e, const QString& rutina) {
        return CNStuffContable::MensajeError(e, 18, rutina);
    });
    if (KeyCode == vb::vbKeySpace && pedido_.CheckBoxes) return;  // the list toggles the row's check itself
    if (KeyCode == vb::vbKeyReturn) {
        h.paso([&] { CmdAceptar_Click(); });
        return;
    }
    if (KeyCode == vb::vbKeyInsert || KeyCode == vb::vbKeyDelete) {
        if (pedido_.UsaCantidades && ((KeyCode == vb::vbKeyInsert && (Shift == 0 || Shift == 1)) ||
                                      (KeyCode == vb::vbKeyDelete && Shift == 0)))
            Cantidad(KeyCode, Shift, h);
        return;
    }
    // What the user typed goes to the current search box as typed; Backspace takes the last
    // character back; keys without a character (function keys, arrows) add nothing.
    if (KeyCode == vb::vbKeyBack) {
        h.paso([&] { AgregaAlCombo(QStringLiteral("\b")); });
        KeyCode = 0;
        return;
    }
    if (!texto.isEmpty() && texto.at(0).isPrint()) {
        h.paso([&] { AgregaAlCombo(texto); });
        KeyCode = 0;
    }
}

void Lib_FrmCons3::Cantidad(int KeyCode, int Shift, vb::ManejadorErrores& h) {
    int fila = 0;
    int columna = 0;
    if (!h.paso([&] {
            fila = ListView1->SelectedItem();
            if (fila == 0) vb::Raise(91);
            columna = IndiceColumna("Cantidad");
            if (columna < 2) vb::Raise(380, "No hay una columna \"Cantidad\" en la consulta");
        }))
        return;
    maker::Utilidades& util = Util();
    const QString celda = ListView1->SubItem(fila, columna - 1);
    if (KeyCode == vb::vbKeyInsert && Shift == 0) {
        h.paso([&] {
            ListView1->setSubItem(fila, columna - 1, vb::Format(util.ValorDoble(celda) + 1, "########0.0"));
            ListView1->setChecked(fila, true);
        });
    } else if (KeyCode == vb::vbKeyDelete) {
        h.paso([&] {
            ListView1->setSubItem(fila, columna - 1, vb::Format(util.ValorDoble(celda) - 1, "########0.0"));
            if (util.ValorDoble(ListView1->SubItem(fila, columna - 1)) <= 0) {
                ListView1->setChecked(fila, false);
                ListView1->setSubItem(fila, columna - 1, vb::Format(0.0, "########0.00"));
            }
        });
    } else {
        QString entrada;
        h.paso(
            [&] { entrada = vb::InputBox("Ingrese la Cantidad del Articulo...", "Carga de Datos", celda); });
        // A cancelled or blank entry changes nothing; zero or less empties the row's quantity.
        if (vb::Trim(entrada).isEmpty()) return;
        h.paso([&] {
            const double v = util.ValorDoble(entrada);
            if (v <= 0) {
                ListView1->setChecked(fila, false);
                ListView1->setSubItem(fila, columna - 1, vb::Format(0.0, "########0.00"));
                return;
            }
            ListView1->setSubItem(fila, columna - 1, vb::Format(v, "########0.00"));
            ListView1->setChecked(fila, true);
        });
    }
}

void Lib_FrmCons3::Form_KeyDown(int& KeyCode, int Shift) {
    Q_UNUSED(Shift);
    if (KeyCode != vb::vbKeyF12 || !EsArticulos_) return;
    KeyCode = 0;
    Faltante();
}

void Lib_FrmCons3::Faltante() {
    const int fila = ListView1->SelectedItem();
    const int iCodigo = IndiceColumna("idarticulo");
    // Nothing to report without a row or without its article code.
    if (fila == 0 || iCodigo == 0) return;
    auto celda = [&](int i) {
        return i == 1 ? ListView1->ItemText(fila) : i > 1 ? ListView1->SubItem(fila, i - 1) : QString();
    };
    const QString codigo = celda(iCodigo);
    const QString descripcion = celda(IndiceColumna("Descripcion"));
    const int r = vb::MsgBox("Desea informar el articulo " + vb::Trim(codigo) + " " + vb::Trim(descripcion) +
                                 "\r\ncomo un faltante de stock?",
                             vb::vbYesNo + vb::vbQuestion, "Atención!");
    if (r != vb::vbYes) return;
    auto& db = CNStuffContable::gBaseDatos();
    // A day-first literal with the time, which both engines read the same way.
    QString sentencia = "INSERT INTO V_MV_FALTANTES (FechaHora,IdArticulo,Descripcion,Usuario) values(" +
                        ado::LiteralTexto(vb::Now().toString("dd/MM/yyyy HH:mm:ss")) + "," +
                        ado::LiteralTexto(Util().AlineaDerecha(codigo, 25)) + "," +
                        ado::LiteralTexto(vb::Trim(descripcion)) + "," + ado::LiteralTexto(db.gUsuario) + ")";
    if (db.EjecutaConsultaSQL(sentencia)) return;
    // The report must not read as filed when the database refused it.
    vb::ErrorVB error(-1, "No se pudo informar el faltante de stock");
    if (db.gCnn && db.gCnn->errores().Count() > 0) {
        const ado::Error& e = db.gCnn->errores().Item(0);
        error = vb::ErrorVB(e.Number != 0 ? e.Number : -1, e.Description, e.Source);
    }
    CNStuffContable::MensajeError(error, 18, "Form_KeyDown");
}

void Lib_FrmCons3::HScroll1_Change() {
    vb::SinDetenerse([&] {
        ListView1->horizontalScrollBar()->setValue(vb::PixelesDeTwips(HScroll1->value()));
        tiraCombos_->move(-vb::PixelesDeTwips(HScroll1->value()), tiraCombos_->y());
    });
}

bool Lib_FrmCons3::eventFilter(QObject* objeto, QEvent* evento) {
    const int indice = IndiceDe(objeto);
    if (indice >= 0 && (evento->type() == QEvent::FocusIn || evento->type() == QEvent::FocusOut)) {
        if (evento->type() == QEvent::FocusIn)
            CmbSearch_GotFocus(indice);
        else
            CmbSearch_LostFocus(indice);
        return false;
    }
    if (evento->type() != QEvent::KeyPress) return QWidget::eventFilter(objeto, evento);
    auto* e = static_cast<QKeyEvent*>(evento);
    int codigo = vb::CodigoTeclaVB(e);
    const int shift = vb::EstadoShift(e->modifiers());
    // A handler takes a key by setting its code to 0; keys without a code go on untouched.
    const int original = codigo;
    Form_KeyDown(codigo, shift);
    if (original != 0 && codigo == 0) return true;
    // Enter accepts and Escape cancels once, wherever the focus is.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        if (objeto == ListView1)
            ListView1_KeyDown(codigo, shift, e->text());
        else
            CmdAceptar_Click();
        return true;
    }
    if (e->key() == Qt::Key_Escape) {
        CmdCancelar_Click();
        return true;
    }
    if (indice >= 0) {
        if (original == 0) return false;
        CmbSearch_KeyDown(indice, codigo, shift);
        return codigo == 0;
    }
    if (objeto == ListView1) {
        if (codigo == vb::vbKeySpace && pedido_.CheckBoxes) return false;
        ListView1_KeyDown(codigo, shift, e->text());
        return (original != 0 && codigo == 0) || original == vb::vbKeyInsert || original == vb::vbKeyDelete;
    }
    return QWidget::eventFilter(objeto, evento);
}

void Lib_FrmCons3::keyPressEvent(QKeyEvent* e) {
    int codigo = vb::CodigoTeclaVB(e);
    const int original = codigo;
    Form_KeyDown(codigo, vb::EstadoShift(e->modifiers()));
    if (original != 0 && codigo == 0) return;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        CmdAceptar_Click();
        return;
    }
    if (e->key() == Qt::Key_Escape) {
        CmdCancelar_Click();
        return;
    }
    QWidget::keyPressEvent(e);
}
