#include "accounts/frmMa_ManualCuentas.h"

#include "accounts/EntornoReglas.h"
#include "accounts/FilasCuentas.h"
#include "data/DB_Dll.h"
#include "outside/ado/TextoSql.h"
#include "outside/ado/Transaccion.h"
#include "outside/controls/Teclas.h"
#include "outside/controls/TreeView.h"
#include "outside/maker/ReglasCuentas.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ManejadorErrores.h"
#include "outside/runtime/Pantalla.h"
#include "services/CNStuffContable.h"
#include "services/LBM_Common.h"
#include "ui_frmMa_ManualCuentas.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidgetItem>
#include <optional>

using CNStuffContable::gBaseDatos;

namespace {

frmMa_ManualCuentas* gfrmMa_ManualCuentas = nullptr;

int Px(int twips) {
    return vb::PixelesDeTwips(twips);
}
int Tw(int pixeles) {
    return vb::TwipsDePixeles(pixeles);
}

}  // namespace

frmMa_ManualCuentas::frmMa_ManualCuentas(QWidget* parent) : QWidget(parent) {
    setObjectName("frmMa_ManualCuentas");
    setAttribute(Qt::WA_DeleteOnClose, false);

    Ui::frmMa_ManualCuentas ui;
    ui.setupUi(this);
    ChkRama = ui.ChkRama;
    LblCuenta = ui.LblCuenta;
    CmdActualizar = ui.CmdActualizar;
    cmdClose = ui.cmdClose;
    TreeV = ui.TreeV;
    lblTitulo = {ui.lblTitulo_0, ui.lblTitulo_1};
    txtFields = {ui.txtFields_0, ui.txtFields_1};
    for (auto* t : txtFields) t->installEventFilter(this);
    // A label wider than the pane scrolls sideways instead of being cut short.
    TreeV->header()->setStretchLastSection(false);
    TreeV->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    TreeV->setTextElideMode(Qt::ElideNone);
    TreeV->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    connect(TreeV, &vb::TreeView::NodeClick, this, [this](const QString& clave) { TreeV_NodeClick(clave); });
    connect(TreeV, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* nodo, int) { TreeV_NodeClick(TreeV->Clave(nodo)); });
    connect(ChkRama, &QCheckBox::clicked, this, [this] { ChkRama_Click(); });
    connect(CmdActualizar, &QPushButton::clicked, this, [this] { CmdActualizar_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
}

frmMa_ManualCuentas::~frmMa_ManualCuentas() {
    if (gfrmMa_ManualCuentas == this) gfrmMa_ManualCuentas = nullptr;
}

frmMa_ManualCuentas* frmMa_ManualCuentas::Instancia() {
    return gfrmMa_ManualCuentas;
}

frmMa_ManualCuentas* frmMa_ManualCuentas::Mostrar() {
    if (!gfrmMa_ManualCuentas) {
        gfrmMa_ManualCuentas = new frmMa_ManualCuentas;
        gfrmMa_ManualCuentas->setAttribute(Qt::WA_DeleteOnClose, true);
        gfrmMa_ManualCuentas->Form_Load();
    }
    vb::MuestraVentana(gfrmMa_ManualCuentas);
    return gfrmMa_ManualCuentas;
}

maker::ReglasCuentas& frmMa_ManualCuentas::Reglas() {
    if (!reglas_) reglas_ = std::make_unique<maker::ReglasCuentas>(cuentas::EntornoReglas());
    return *reglas_;
}

void frmMa_ManualCuentas::Form_Load() {
    maker::gUtilidades().PreparaFormulario(this);
    CNStuffContable::AplicaIconoBarras(this);
    // The length rule of the tree needs the level ends.
    CNStuffContable::LeeDigitosNiveles();
    CNStuffContable::LeePosicionesNiveles();
    ArmarTreeVAutomatico(QVariant(QStringLiteral("TreeV")));
    for (auto* t : txtFields) {
        t->setPlainText(QString());
        t->setEnabled(false);
    }
    tablaActual_ = "Ma_Cuentas";
    Generar(tablaActual_);
}

void frmMa_ManualCuentas::Generar(const QString& tabla) {
    vb::ManejadorErrores h("Generar", maker::gUtilidades().Reportero());
    const QString cuenta = CNStuffContable::gCuentaActual;
    QString sql = "SELECT * FROM " + tabla + " WHERE CODIGO = " + ado::LiteralTexto(cuenta + " ");
    DB_Dll& db = gBaseDatos();
    if (!h.paso([&] {
            db.AbrirRecordset(sql, rs_, db.gCnn, ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
        }))
        return;
    bool alPrincipio = true;
    if (!h.paso([&] { alPrincipio = rs_->Bof(); })) return;
    if (alPrincipio) return;
    if (!h.paso([&] { rs_->MoveFirst(); })) return;
    if (!h.paso([&] {
            LblCuenta->setText("Cuenta: " + cuenta + " " +
                               maker::gUtilidades().TextoCampo(rs_->valor("Descripcion")));
        }))
        return;
    if (!h.paso([&] { MuestraTextos(cuenta); })) return;
    h.paso([&] {
        for (auto* t : txtFields) t->setEnabled(true);
    });
}

void frmMa_ManualCuentas::MuestraTextos(const QString& codigo) {
    auto& u = maker::gUtilidades();
    txtFields[0]->setPlainText(u.TextoCampo(rs_->valor("Manual")));
    txtFields[1]->setPlainText(u.TextoCampo(rs_->valor("Manual_Haber")));
    codigo_ = vb::Trim(codigo);
    mostrada_ = GrabacionOptimista({"la cuenta " + codigo_,
                                    "MA_CUENTAS",
                                    "CODIGO = " + ado::LiteralTexto(codigo_),
                                    {},
                                    "DADA_DE_BAJA",
                                    {},
                                    {{"MANUAL", "Se debita por"}, {"MANUAL_HABER", "Se acredita por"}}});
    mostrada_.RecuerdaFila(rs_);
    mostrada_.RecuerdaEnPantalla(
        {{"MANUAL", txtFields[0]->toPlainText()}, {"MANUAL_HABER", txtFields[1]->toPlainText()}});
}

void frmMa_ManualCuentas::ArmarTreeVAutomatico(const QVariant& Desde) {
    using namespace CNStuffContable;
    vb::ManejadorErrores h("ArmarTreeVAutomatico", maker::gUtilidades().Reportero());
    QString sql;
    if (!h.paso([&] {
            if (!Desde.isValid()) {
                sql = "SELECT CODIGO,DESCRIPCION FROM MA_Cuentas WHERE DADA_DE_BAJA = 0 ORDER BY codigo";
            } else {
                const int n = Cfg("Rubro_Imputable").compare("SI", Qt::CaseInsensitive) == 0 ? gPosSubcapitulo
                                                                                             : gPosRubro;
                sql = "SELECT CODIGO,DESCRIPCION FROM MA_Cuentas WHERE LEN(CODIGO) >= " + QString::number(n) +
                      " AND DADA_DE_BAJA = 0 ORDER BY CODIGO";
            }
        }))
        return;
    QList<QList<QVariant>> filas;
    if (!cuentas::LeeFilas(h, sql, filas)) return;
    if (!h.paso([&] {
            TreeV->Clear();
            TreeV->setRootIsDecorated(true);
        }))
        return;
    QTreeWidgetItem* actual = nullptr;
    if (!h.paso([&] {
            actual = TreeV->Add(QString(), vb::TreeView::tvwLast, "A", "Plan General de Cuentas");
            actual->setExpanded(true);
        }))
        return;
    const qsizetype n = filas.isEmpty() ? 0 : filas[0].size();
    for (qsizetype i = 0; i < n && actual;) {
        const QString codigo = maker::gUtilidades().TextoCampo(filas[0][i]);
        const QString clave = "A" + codigo;
        const QString texto = codigo + " - " + maker::gUtilidades().TextoCampo(filas[1][i]);
        if (gCancelaArbol) {
            gCancelaArbol = false;
            return;
        }
        const qsizetype d = clave.size() - TreeV->Clave(actual).size();
        if (d < 0) {
            // Climb and look at the same row again.
            if (QTreeWidgetItem* padre = actual->parent())
                actual = padre;
            else
                ++i;  // nothing above the root to climb to
            continue;
        }
        QTreeWidgetItem* nuevo = nullptr;
        const bool sigue = h.paso([&] {
            nuevo = TreeV->Add(TreeV->Clave(actual), d == 0 ? vb::TreeView::tvwNext : vb::TreeView::tvwChild,
                               clave, texto);
        });
        if (!sigue) return;
        if (nuevo) actual = nuevo;
        ++i;
    }
}

void frmMa_ManualCuentas::TreeV_NodeClick(const QString& clave) {
    const QString codigo = clave.mid(1);
    for (auto* t : txtFields) {
        t->setPlainText(QString());
        t->setEnabled(true);
    }
    if (!rs_) {
        rs_ = ado::Recordset::Crear();
    }
    rs_->CursorType = ado::adOpenDynamic;
    rs_->LockType = ado::adLockOptimistic;
    const bool hallada = gBaseDatos().ExisteEnTabla("MA_CUENTAS", codigo, "Codigo", rs_, 8, QString(), false);
    if (hallada) {
        LblCuenta->setText("Cuenta: " + codigo + " " +
                           maker::gUtilidades().TextoCampo(rs_->valor("Descripcion")));
        MuestraTextos(codigo);
    } else {
        mostrada_.Olvida();
        LblCuenta->setText(QString());
        for (auto* t : txtFields) t->setPlainText(QString());
    }
}

void frmMa_ManualCuentas::ChkRama_Click() {
    const bool expande = ChkRama->isChecked();
    for (int i = 1; i <= TreeV->Count(); ++i)
        if (auto* nodo = TreeV->Nodo(TreeV->Key(i))) nodo->setExpanded(expande);
}

void frmMa_ManualCuentas::CmdActualizar_Click() {
    TreeV->Clear();
    Reglas().ArmaArbolCuentas(*TreeV);
}

void frmMa_ManualCuentas::cmdClose_Click() {
    close();
}

void frmMa_ManualCuentas::txtFields_GotFocus(int Index) {
    txtFields[Index]->setStyleSheet("background-color: #00FFFF;");  // &HFFFF00
}

void frmMa_ManualCuentas::txtFields_KeyPress(int, int& KeyAscii) {
    KeyAscii = LBM_Common::ConvierteMayuscula(KeyAscii);
}

void frmMa_ManualCuentas::txtFields_LostFocus(int Index) {
    if (mostrada_.Recordado() && !escribiendo_) {
        escribiendo_ = true;
        GrabaTextos();
        escribiendo_ = false;
    }
    txtFields[Index]->setStyleSheet("background-color: #FFFFFF;");
}

bool frmMa_ManualCuentas::GrabaTextos() {
    auto& u = maker::gUtilidades();
    const QHash<QString, QString> ahora{{"MANUAL", u.TextoCampo(txtFields[0]->toPlainText())},
                                        {"MANUAL_HABER", u.TextoCampo(txtFields[1]->toPlainText())}};
    const QStringList cambiados = mostrada_.Cambiados(ahora);
    if (cambiados.isEmpty()) return true;
    DB_Dll& db = gBaseDatos();
    std::optional<ado::Transaccion> t;
    bool reintentar = true;
    vb::ManejadorErrores h("txtFields_LostFocus", [&](const vb::ErrorVB& e, const QString& rutina) {
        const bool perdida = t && t->SePerdio(e);
        // Nothing of the write stays; Retry writes it all again.
        vb::SinDetenerse([&] { t.reset(); });
        int respuesta = 0;
        if (perdida) {
            u.TrataError(ado::Transaccion::ErrorPerdida(e), vb::vbOKOnly + vb::vbCritical, rutina, respuesta);
            return 0;
        }
        u.TrataError(e, rutina, respuesta);
        reintentar = respuesta == vb::kRespuestaReintentar;
        return 0;
    });
    GrabacionOptimista::Veredicto v;
    while (reintentar) {
        reintentar = false;
        QStringList pares;
        for (const QString& c : cambiados)
            pares << (c == "MANUAL" ? "Manual" : "Manual_haber") + QString(" = ") +
                         ado::LiteralTexto(ahora.value(c));
        const bool escrito = h.paso([&] {
            t.emplace(db.gCnn);
            v = mostrada_.Comprueba(cambiados);
            if (!v.ok()) return;
            db.gCnn->Execute("UPDATE MA_CUENTAS SET " + pares.join(", ") +
                             " WHERE CODIGO = " + ado::LiteralTexto(codigo_));
            t->Confirmar();
            t.reset();
        });
        if (!escrito) continue;
        if (v.ok()) {
            GrabacionOptimista::Fila escritos;
            for (const QString& c : cambiados) escritos.insert(c, ahora.value(c));
            mostrada_.Confirmado(escritos);
            mostrada_.RecuerdaEnPantalla(ahora);
            return true;
        }
        t.reset();
        if (v.estado == GrabacionOptimista::Estado::Cambiado) {
            // The next leave writes over what is stored now, knowingly.
            mostrada_.AceptaGuardado();
            mostrada_.Avisa(
                v, "Lo que usted escribió sigue en pantalla: salga otra vez del texto para guardarlo.");
        } else {
            mostrada_.Avisa(v);
            // The account is gone for this user: nothing more is written for it.
            mostrada_.Olvida();
            for (auto* caja : txtFields) caja->setEnabled(false);
        }
        return false;
    }
    return false;
}

bool frmMa_ManualCuentas::eventFilter(QObject* objeto, QEvent* evento) {
    for (int k = 0; k < 2; ++k) {
        if (objeto != txtFields[k]) continue;
        if (evento->type() == QEvent::FocusIn) {
            txtFields_GotFocus(k);
        } else if (evento->type() == QEvent::FocusOut) {
            txtFields_LostFocus(k);
        } else if (evento->type() == QEvent::KeyPress) {
            auto* tecla = static_cast<QKeyEvent*>(evento);
            const int tecleado = vb::CodigoAsciiVB(tecla);
            if (tecleado >= 32) {
                int ascii = tecleado;
                txtFields_KeyPress(k, ascii);
                if (ascii == 0) return true;
                if (ascii != tecleado) {
                    txtFields[k]->insertPlainText(QString(QChar(ascii)));
                    return true;
                }
            }
        }
    }
    return QWidget::eventFilter(objeto, evento);
}

void frmMa_ManualCuentas::Form_Resize() {
    // Inner sizes for the tree, outer ones for the boxes, as the window was designed; inner is
    // what holds the controls (the window, or what scrolls in it on a screen too small for it).
    const QSize interior = TreeV->parentWidget()->size();
    const QSize exterior = interior + (frameGeometry().size() - size());
    const int altoInterior = Tw(interior.height()), anchoInterior = Tw(interior.width());
    const int altoExterior = Tw(exterior.height()), anchoExterior = Tw(exterior.width());
    TreeV->resize(TreeV->width(), std::max(0, Px(altoInterior - 600)));
    TreeV->resize(Px(anchoInterior / 3), TreeV->height());
    const int anchoArbol = Tw(TreeV->width());
    for (auto* t : txtFields)
        t->setGeometry(Px(anchoArbol + 50), t->y(), std::max(0, Px(anchoExterior - anchoArbol - 150)),
                       std::max(0, Px(altoExterior / 2 - 1000)));
    lblTitulo[0]->move(txtFields[0]->x(), lblTitulo[0]->y());
    txtFields[1]->move(txtFields[1]->x(), txtFields[0]->y() + txtFields[0]->height() + Px(600));
    lblTitulo[1]->move(txtFields[1]->x(), txtFields[1]->y() - lblTitulo[1]->height() - Px(200));
}

void frmMa_ManualCuentas::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Form_Resize();
}

void frmMa_ManualCuentas::Form_Unload() {
    if (descargada_) return;
    descargada_ = true;
    rs_.reset();
    hide();
    if (gfrmMa_ManualCuentas == this) gfrmMa_ManualCuentas = nullptr;
}

void frmMa_ManualCuentas::closeEvent(QCloseEvent* e) {
    // The text box being left writes its value before the window goes.
    if (QWidget* foco = focusWidget(); foco == txtFields[0] || foco == txtFields[1]) foco->clearFocus();
    Form_Unload();
    QWidget::closeEvent(e);
}
