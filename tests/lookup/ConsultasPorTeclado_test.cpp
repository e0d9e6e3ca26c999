// The lookups as a user without a mouse or without eyes meets them: every search box, the text
// field inside it, the list and the tree are read by a name; Tab leaves a list or table for the
// buttons after it instead of moving from cell to cell.
#include "lookup/Lib_FrmCons3.h"
#include "lookup/Lib_FrmCons3Tree.h"
#include "support/Pide.h"

#include "data/DB_Dll.h"
#include "outside/controls/ListView.h"
#include "outside/maker/VisorConsulta.h"
#include "support/ConsultaDePrueba.h"
#include "support/Control.h"
#include "support/ImprimeQt.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

class LookupByKeyboard : public ConsultaDePrueba {
  protected:
    LookupByKeyboard()
        : ConsultaDePrueba(
              {"CREATE TABLE T_CUATRO (CODIGO varchar(5) COLLATE SERVIDOR, DESCRIPCION varchar(30) "
               "COLLATE SERVIDOR, RUBRO varchar(10) COLLATE SERVIDOR, NOTA varchar(10) COLLATE SERVIDOR)",
               "INSERT INTO T_CUATRO VALUES ('1', 'CAJA', 'R1', 'N1'), ('2', 'BANCO', 'R2', 'N2')"}) {}

    static constexpr const char* kCuatro =
        "select CODIGO, DESCRIPCION, RUBRO, NOTA from T_CUATRO order by CODIGO";

    // The list lookup over `sql`, with `accion` playing the user on the shown window.
    void EnLaLista(const QString& sql, std::function<void(Lib_FrmCons3&)> accion) {
        AlMostrar([accion](Lib_FrmCons3& v) {
            QApplication::setActiveWindow(&v);
            QApplication::processEvents();
            accion(v);
        });
        Coleccion ninguna;
        QString clave, busqueda, where, opcional, defecto;
        bool arbol = false;
        gConsulta().ConsultaSearch(sql, ninguna, clave, busqueda, where, opcional, arbol, defecto);
    }

    // What a screen reader reads as the control's name.
    static QString Nombre(QWidget* w) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        return a ? a->text(QAccessible::Name) : QString("(sin interfaz)");
    }

    // The controls the focus visits from `desde` on, Tab after Tab, until it comes back or 20 keys.
    static QStringList Recorrido(QWidget* desde) {
        QStringList visitados;
        desde->setFocus();
        QApplication::processEvents();
        for (int k = 0; k < 20; ++k) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* f = QApplication::focusWidget();
            if (!f || f == desde) break;
            visitados << f->objectName();
        }
        return visitados;
    }
};

}  // namespace

TEST_F(LookupByKeyboard, EverySearchBoxItsTextFieldTheListAndTheTreeHaveAName) {
    struct Esperado {
        QWidget* control;
        QString nombre;
    };
    QList<Esperado> filas;
    auto cajas = [&](QWidget& v, const QStringList& nombres) {
        for (int j = 0; j < nombres.size(); ++j) {
            QComboBox* caja = Control<QComboBox>(v, "CmbSearch", j);
            filas.append({caja, nombres[j]});
            filas.append({caja->lineEdit(), nombres[j]});
        }
    };
    EnLaLista(kCuatro, [&](Lib_FrmCons3& v) {
        cajas(v, {"CODIGO", "DESCRIPCION", "RUBRO", "NOTA"});
        filas.append({Control<vb::ListView>(v, "ListView1"), "Consulta"});
        for (const Esperado& e : filas)
            EXPECT_EQ(Nombre(e.control), e.nombre) << qPrintable(e.control->objectName());
    });
    ASSERT_EQ(filas.size(), 9);

    // A list the caller fills: its one box is read as its one column.
    filas.clear();
    Lib_FrmCons3 opciones;
    opciones.PreparaListaSimple("Monedas", false);
    cajas(opciones, {"Monedas"});

    Lib_FrmCons3Tree arbol;
    Pide(arbol, [](auto& p) { p.Sql = "SELECT Codigo, DESCRIPCION FROM Ta_Ccosto ORDER BY Codigo"; });
    arbol.Form_Load();
    cajas(arbol, {"Código o descripción"});
    filas.append({Control<QWidget>(arbol, "TreeV"), "Consulta"});
    for (const Esperado& e : filas)
        EXPECT_EQ(Nombre(e.control), e.nombre) << qPrintable(e.control->objectName());
}

// Every list or table of a lookup and of "Planilla": Tab, Ctrl+Tab and Shift+Tab leave it where
// it stands, and Tab walks on to every button the window shows.
TEST_F(LookupByKeyboard, TabLeavesEveryListAndTableForTheButtons) {
    struct Miembro {
        const char* nombre;
        std::function<void(std::function<void(QAbstractItemView*, QStringList)>)> abre;
    };
    const Miembro miembros[] = {
        {"la lista de la consulta",
         [this](auto prueba) {
             EnLaLista(kCuatro, [&](Lib_FrmCons3& v) {
                 prueba(Control<vb::ListView>(v, "ListView1"), {"CmdAceptar", "CmdCancelar", "CmdNueva"});
             });
         }},
        {"la planilla",
         [](auto prueba) {
             ASSERT_TRUE(maker::gVisorConsulta().Muestra(
                 "SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY CODIGO",
                 CNStuffContable::gBaseDatos().gConnString, "Plan General de Cuentas"));
             QWidget* ventana = maker::gVisorConsulta().Ventana();
             QApplication::setActiveWindow(ventana);
             QApplication::processEvents();
             prueba(maker::gVisorConsulta().Grilla(), {});
             ventana->close();
         }},
    };
    for (const Miembro& m : miembros)
        m.abre([&](QAbstractItemView* vista, const QStringList& botones) {
            vista->setFocus();
            vista->setCurrentIndex(vista->model()->index(0, 0));
            for (const Qt::KeyboardModifiers mods :
                 {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::ControlModifier),
                  Qt::KeyboardModifiers(Qt::ShiftModifier)}) {
                vista->setFocus();
                QApplication::processEvents();
                QTest::keyClick(vista, Qt::Key_Tab, mods);
                EXPECT_EQ(vista->currentIndex(), vista->model()->index(0, 0)) << m.nombre << " " << int(mods);
                if (!botones.isEmpty()) {
                    EXPECT_NE(QApplication::focusWidget(), vista) << m.nombre << " " << int(mods);
                }
            }
            const QStringList visitados = Recorrido(vista);
            for (const QString& b : botones)
                EXPECT_TRUE(visitados.contains(b)) << m.nombre << " " << qPrintable(b);
        });
}
