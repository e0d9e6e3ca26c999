// The chart as a tree: placement by key length, the customer and supplier filter, the node of a
// saved account, node clicks and keys in the tree.
#include "accounts/CuentasDePrueba.h"
#include "outside/controls/BarraBotones.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/TreeView.h"
#include "outside/maker/ArchivoIni.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/Programa.h"
#include "services/CNStuffContable.h"
#include "support/Control.h"
#include "support/LocaleNumeros.h"
#include "support/Pantallas.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTest>
#include <QToolButton>
#include <QTreeWidgetItem>

namespace {

QStringList Plan(const QString& filas) {
    return {"DELETE FROM [MA_CASH-DETALLE]", "DELETE FROM MV_ASIENTOS", "DELETE FROM P_MA_LEGAJOS",
            "DELETE FROM MA_CUENTAS",
            "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, TipoVista, DADA_DE_BAJA) VALUES " + filas};
}

QString Padre(vb::TreeView* t, const QString& clave) {
    QTreeWidgetItem* n = t->Nodo(clave);
    if (!n) return "(no está)";
    return n->parent() ? t->Clave(n->parent()) : QString("(raíz)");
}

}  // namespace

TEST(ChartTree, NodesNestByKeyLengthAndTheFilterLeavesOutCustomersAndSuppliers) {
    CuentasDePrueba c(
        Plan("('1', 'ACTIVO', 1, NULL, 0), ('11', 'CAJA', 1, NULL, 0), ('1101', 'FONDO', 0, NULL, 0), "
             "('12', 'CLIENTES', 1, 'CL', 0), ('13', 'OTROS', 1, 'BC', 0), ('14', 'BAJA', 0, NULL, 1), "
             "('2', 'PASIVO', 1, NULL, 0), ('21', 'PROVEEDORES', 0, 'PR', 0)"));
    c.Iniciar();
    vb::TreeView* t = Control<vb::TreeView>(c.f(), "TreeV");
    EXPECT_EQ(t->Nodo("A")->text(0), "Plan General de Cuentas");
    EXPECT_TRUE(t->Nodo("A")->isExpanded());
    EXPECT_EQ(Padre(t, "A1"), "A");
    EXPECT_EQ(Padre(t, "A11"), "A1");
    EXPECT_EQ(Padre(t, "A1101"), "A11");
    EXPECT_EQ(Padre(t, "A12"), "A1");  // climbs from 1101 to 11, then a sibling
    EXPECT_EQ(Padre(t, "A2"), "A");
    EXPECT_EQ(t->Nodo("A1101")->text(0), "1101 - FONDO");
    EXPECT_EQ(Padre(t, "A14"), "(no está)");  // dada de baja
    EXPECT_EQ(t->Count(), 8);

    // Without the setting, customer and supplier accounts are left out; a null view type stays.
    c.base().ejecutar("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'PlanCuentas_ClyPr'");
    c.f().ArmarTreeVAutomatico(" ");
    EXPECT_EQ(Padre(t, "A12"), "(no está)");
    EXPECT_EQ(Padre(t, "A21"), "(no está)");
    EXPECT_EQ(Padre(t, "A13"), "A1");
    EXPECT_EQ(Padre(t, "A1101"), "A11");
    // The title list is rebuilt with the tree, with the same filter.
    ASSERT_GE(Control<QComboBox>(c.f(), "Combo1")->count(), 2);
    EXPECT_EQ(Control<QComboBox>(c.f(), "Combo1")->itemText(0), "");
    for (int i = 1; i < Control<QComboBox>(c.f(), "Combo1")->count(); ++i)
        EXPECT_FALSE(Control<QComboBox>(c.f(), "Combo1")->itemText(i).endsWith("12")) << i;

    // A stop request ends the build with what it has and is cleared.
    CNStuffContable::gCancelaArbol = true;
    c.f().ArmarTreeVAutomatico(" ");
    EXPECT_EQ(t->Count(), 1);
    EXPECT_FALSE(CNStuffContable::gCancelaArbol);
}

// A rebuild gives the title list the titles it has just read: each description indented by its
// level, the code kept at the end out of sight; a title renamed in between is renamed there too.
TEST(ChartTree, TheTitleListFollowsTheTitlesEveryRebuildReads) {
    CuentasDePrueba c(
        Plan("('1', 'ACTIVO', 1, NULL, 0), ('11', 'CAJA', 1, NULL, 0), ('1101', 'FONDO', 0, NULL, 0), "
             "('2', 'PASIVO', 1, NULL, 0)"));
    c.Iniciar();
    auto entradas = [&] {
        QStringList l;
        for (int i = 0; i < Control<QComboBox>(c.f(), "Combo1")->count(); ++i)
            l << Control<QComboBox>(c.f(), "Combo1")->itemText(i);
        return l;
    };
    const QString relleno(300, QLatin1Char(' '));
    c.f().ArmarTreeVAutomatico(" ");
    EXPECT_EQ(entradas(), (QStringList{"", "ACTIVO" + relleno + "1", "     CAJA" + relleno + "11",
                                       "PASIVO" + relleno + "2"}));
    c.base().ejecutar("UPDATE MA_CUENTAS SET DESCRIPCION = 'CAJAS' WHERE CODIGO = '11'");
    c.f().ArmarTreeVAutomatico(" ");
    EXPECT_EQ(entradas(), (QStringList{"", "ACTIVO" + relleno + "1", "     CAJAS" + relleno + "11",
                                       "PASIVO" + relleno + "2"}));
    c.base().ejecutar("UPDATE MA_CUENTAS SET CODIGO = '3' WHERE CODIGO = '2'");
    c.f().ArmarTreeVAutomatico(" ");
    EXPECT_EQ(entradas().value(3), "PASIVO" + relleno + "3");
}
TEST(ChartTree, AnEmptyChartLeavesTheRootAndASavedAccountHangsUnderItsLevel) {
    CuentasDePrueba c(Plan("('1', 'ACTIVO', 1, NULL, 1)"));
    c.Iniciar();
    vb::TreeView* t = Control<vb::TreeView>(c.f(), "TreeV");
    EXPECT_EQ(t->Count(), 1);
    EXPECT_TRUE(t->Existe("A"));

    c.base().ejecutar("UPDATE MA_CUENTAS SET DADA_DE_BAJA = 0");
    c.base().ejecutar(
        "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, DADA_DE_BAJA) VALUES "
        "('11', 'ACTIVO CORRIENTE', 1, 0), ('1101', 'CAJA', 1, 0)");
    c.f().ArmarTreeVAutomatico(" ");
    // Each call pauses 100 ms before it touches the tree.
    QList<int> pausas;
    bool antesDelNodo = false;
    vb::setPausa([&](int ms) {
        pausas << ms;
        if (pausas.size() == 1) antesDelNodo = !t->Existe("A110101");
    });
    // Back to the suite's pause, which never waits.
    struct Restituye {
        ~Restituye() {
            vb::setPausa([](int) {});
        }
    } restituye;
    // Levels 1, 1, 2, 2, 3, 2: the parent is the code cut at the level above.
    c.f().ActualizaTreeV("110101", "CAJA CHICA");
    EXPECT_TRUE(antesDelNodo);
    EXPECT_EQ(Padre(t, "A110101"), "A1101");
    EXPECT_EQ(t->Nodo("A110101")->text(0), "110101 - CAJA CHICA");
    c.f().ActualizaTreeV("2", "PASIVO");
    EXPECT_EQ(Padre(t, "A2"), "A");
    // An existing node keeps its text; a missing parent adds nothing.
    c.f().ActualizaTreeV("1101", "OTRO NOMBRE");
    EXPECT_EQ(t->Nodo("A1101")->text(0), "1101 - CAJA");
    const int antes = t->Count();
    c.f().ActualizaTreeV("310101", "SIN PADRE");
    EXPECT_EQ(t->Count(), antes);
    EXPECT_EQ(pausas, (QList<int>{100, 100, 100, 100}));
}

TEST(ChartTree, ClickingANodeLoadsItsAccountAndTheRootClearsTheFields) {
    CuentasDePrueba c;
    c.Iniciar();
    // A key typed in the tree sends the caret to the end of the description, untyped.
    Control<vb::TreeView>(c.f(), "TreeV")->setVisible(true);
    Control<vb::TreeView>(c.f(), "TreeV")->setFocus();
    QApplication::processEvents();
    Control<vb::CajaTexto>(c.f(), "txtFields", 0)->setText("CAJA  ");
    QTest::keyClicks(Control<vb::TreeView>(c.f(), "TreeV"), "x");
    EXPECT_EQ(Control<vb::CajaTexto>(c.f(), "txtFields", 0)->text(), "CAJA  ");
    EXPECT_EQ(Control<vb::CajaTexto>(c.f(), "txtFields", 0)->SelStart(), 4);
    EXPECT_EQ(QApplication::focusWidget(), Control<vb::CajaTexto>(c.f(), "txtFields", 0));

    c.f().TreeV_NodeClick("A11010100101");
    EXPECT_EQ(Control<vb::CajaTexto>(c.f(), "txtFields", 0)->text(), "CAJA PESOS");
    EXPECT_TRUE(c.f().CuentaGuardada());
    c.f().TreeV_NodeClick("A");
    EXPECT_EQ(Control<vb::CajaTexto>(c.f(), "txtFields", 0)->text(), "");
    EXPECT_EQ(Control<vb::CajaTexto>(c.f(), "txtFields", 1)->text(), "");
}

namespace {

// The node's label as far as the pane shows it without scrolling.
bool SeLee(vb::TreeView* t, QTreeWidgetItem* n) {
    for (QTreeWidgetItem* p = n->parent(); p; p = p->parent()) p->setExpanded(true);
    t->scrollToItem(n);
    QApplication::processEvents();
    const QRect r = t->visualItemRect(n);
    return t->horizontalScrollBar()->value() == 0 &&
           r.left() + t->fontMetrics().horizontalAdvance(n->text(0)) <= t->viewport()->width() &&
           t->columnWidth(0) >= r.left() + t->fontMetrics().horizontalAdvance(n->text(0));
}

QToolButton* Conmutador(FrmMA_CUENTAS& f) {
    return qobject_cast<QToolButton*>(Control<vb::BarraBotones>(f, "Tbar")->widgetForAction(
        Control<vb::BarraBotones>(f, "Tbar")->Buttons(6)));
}

}  // namespace

TEST(ChartTree, AttachedTheTreeShowsSixthLevelAccountsWholeAndKeepsTheWidthTheUserGaveIt) {
    LocaleNumeros locale(LocaleNumeros::coma());
    // On a screen with room beside the window for the tree.
    QScreen* ancha = PantallaDePrueba("1280x1024");
    ASSERT_TRUE(ancha);
    QByteArray ini;
    int ancho = 0;
    {
        CuentasDePrueba c;
        c.Iniciar(ancha);
        FrmMA_CUENTAS& f = c.f();
        ASSERT_TRUE(Control<vb::TreeView>(f, "TreeV")->isHidden());
        QTest::mouseClick(Conmutador(f), Qt::LeftButton);
        QApplication::processEvents();
        ASSERT_FALSE(Control<vb::TreeView>(f, "TreeV")->isHidden());
        EXPECT_TRUE(Conmutador(f)->isChecked());
        EXPECT_TRUE(SeLee(Control<vb::TreeView>(f, "TreeV"),
                          Control<vb::TreeView>(f, "TreeV")->Nodo("A11010100101")));
        EXPECT_TRUE(SeLee(Control<vb::TreeView>(f, "TreeV"),
                          Control<vb::TreeView>(f, "TreeV")->Nodo("A11010200101")));

        // The user drags the divider; the width goes to the ini file with the tree setting.
        auto* divisor = qobject_cast<QSplitter*>(Control<vb::TreeView>(f, "TreeV")->parentWidget());
        ASSERT_TRUE(divisor);
        QSplitterHandle* asa = divisor->handle(1);
        const QPoint centro = asa->rect().center();
        QMouseEvent aprieta(QEvent::MouseButtonPress, centro, asa->mapToGlobal(centro), Qt::LeftButton,
                            Qt::LeftButton, {});
        QApplication::sendEvent(asa, &aprieta);
        const QPoint destino = centro - QPoint(60, 0);
        QMouseEvent mueve(QEvent::MouseMove, destino, asa->mapToGlobal(destino), Qt::NoButton, Qt::LeftButton,
                          {});
        QApplication::sendEvent(asa, &mueve);
        QMouseEvent suelta(QEvent::MouseButtonRelease, destino, asa->mapToGlobal(destino), Qt::LeftButton,
                           Qt::NoButton, {});
        QApplication::sendEvent(asa, &suelta);
        ancho = Control<vb::TreeView>(f, "TreeV")->width();
        int cancelar = 0;
        EXPECT_THROW(f.Form_Unload(cancelar), vb::FinDelPrograma);
        EXPECT_EQ(maker::gArchivoIni().Leer("QT742p.INI", "DISTRIBUIDORA DEL SUR S.A.", "Ancho Treeview"),
                  QString::number(ancho));
        QFile archivo(QDir(vb::App().Path).filePath("QT742p.INI"));
        ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
        ini = archivo.readAll();
    }
    // The next time the window opens with the tree at that width; detached, the toggle says so.
    CuentasDePrueba otra;
    QFile archivo(QDir(vb::App().Path).filePath("QT742p.INI"));
    ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    archivo.write(ini);
    archivo.close();
    otra.Iniciar(ancha);
    ASSERT_TRUE(!Control<vb::TreeView>(otra.f(), "TreeV")->isHidden());
    EXPECT_TRUE(Conmutador(otra.f())->isChecked());
    EXPECT_EQ(Control<vb::TreeView>(otra.f(), "TreeV")->width(), ancho);
    QTest::mouseClick(Conmutador(otra.f()), Qt::LeftButton);
    EXPECT_FALSE(Conmutador(otra.f())->isChecked());
    EXPECT_TRUE(Control<vb::TreeView>(otra.f(), "TreeV")->isHidden());
}

TEST(ChartTree, UnderEverySkinThePressedToggleLooksPressed) {
    const QDir estilos(QStringLiteral(INDAJUSTE_SQL_DIR "/../styles"));
    const QStringList hojas{"Office2007.qss", "Vista.qss", "WinXP.Luna.qss", "WinXP.Royale.qss",
                            "iTunes/Normalitunes.qss"};
    for (const QString& hoja : hojas) {
        QFile archivo(estilos.filePath(hoja));
        ASSERT_TRUE(archivo.open(QIODevice::ReadOnly)) << hoja.toStdString();
        vb::BarraBotones barra;
        barra.setStyleSheet(QString::fromUtf8(archivo.readAll()));
        QAction* boton = barra.AgregaBoton("Adjuntar", true);
        barra.show();
        auto* vista = qobject_cast<QToolButton*>(barra.widgetForAction(boton));
        QTest::mouseClick(vista, Qt::LeftButton);
        ASSERT_TRUE(vista->isChecked());
        const QImage pulsado = vista->grab().toImage();
        QTest::mouseClick(vista, Qt::LeftButton);
        ASSERT_FALSE(vista->isChecked());
        EXPECT_NE(vista->grab().toImage(), pulsado) << hoja.toStdString();
    }
}

TEST(ChartTree, AttachingTheTreeKeepsTheWindowOnItsScreen) {
    CuentasDePrueba c;
    c.Iniciar();
    FrmMA_CUENTAS& f = c.f();
    ASSERT_TRUE(f.screen());
    const QRect area = f.screen()->availableGeometry();
    // A window as wide as it needs to be without the tree, its frame a little past the right edge.
    f.resize(f.minimumSizeHint().width(), f.height());
    const int marco = f.frameGeometry().width() - f.width();
    f.move(area.right() - f.width() - marco + 20, area.top());
    ASSERT_GT(f.frameGeometry().right(), area.right());
    QTest::mouseClick(Conmutador(f), Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_FALSE(Control<vb::TreeView>(f, "TreeV")->isHidden());
    EXPECT_TRUE(area.contains(f.frameGeometry()))
        << f.frameGeometry().x() << "," << f.frameGeometry().y() << " " << f.frameGeometry().width() << "x"
        << f.frameGeometry().height();
    EXPECT_GT(Control<vb::TreeView>(f, "TreeV")->width(), 0);
}
