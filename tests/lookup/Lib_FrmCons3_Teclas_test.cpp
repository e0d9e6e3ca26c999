// The list window as a user drives it: keys in the search boxes and the list, F5, F12, header
// clicks, acceptance and the buttons, on the demo company.
#include "lookup/Lib_FrmCons3.h"
#include "support/Pide.h"

#include "outside/controls/ListView.h"
#include "outside/runtime/Procesos.h"
#include "support/ConsultaDePrueba.h"
#include "support/Control.h"
#include "support/LocaleNumeros.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

namespace {

class LookupKeys : public ConsultaDePrueba {
  protected:
    LookupKeys()
        : ConsultaDePrueba(
              {"CREATE TABLE T_PLAN (CODIGO varchar(15) COLLATE SERVIDOR, DESCRIPCION varchar(150) "
               "COLLATE SERVIDOR, DADA_DE_BAJA bit DEFAULT 0)",
               "INSERT INTO T_PLAN (CODIGO, DESCRIPCION) VALUES ('1', 'ACTIVO'), ('11', 'ACTIVO CORRIENTE'), "
               "('1101', 'DISPONIBILIDADES'), ('110101', 'CAJA Y BANCOS'), ('110101001', 'CAJA'), "
               "('11010100101', 'CAJA PESOS'), ('11010100102', 'CAJA DOLARES'), ('5', 'EGRESOS'), "
               "('51', 'GASTOS DE ADMINISTRACION'), ('5101', 'REMUNERACIONES'), ('510101', 'SUELDOS'), "
               "('510101001', 'SUELDOS Y JORNALES'), ('51010100101', 'SUELDOS PERSONAL'), "
               "('51010100102', 'HONORARIOS DIRECTORIO')",
               "CREATE TABLE T_FECHAS (CODIGO varchar(5) COLLATE SERVIDOR, FECHA datetime)",
               "CREATE VIEW T_ALTAS AS SELECT CODIGO, FECHA AS [Fecha de Alta] FROM T_FECHAS",
               "INSERT INTO T_FECHAS VALUES ('A', '2024-01-15 00:00:00'), ('B', '2023-03-02 00:00:00'), "
               "('C', '2023-12-30 00:00:00')",
               // Looked up without a mask, its columns come last field first: three wide empty ones.
               "CREATE TABLE T_ANCHA (CODIGO varchar(15) COLLATE SERVIDOR, DESCRIPCION varchar(150) COLLATE "
               "SERVIDOR, P_RESPONSABLE varchar(200), P_LIMITE varchar(200), P_NOTA varchar(200))",
               "INSERT INTO T_ANCHA (CODIGO, DESCRIPCION) SELECT CODIGO, DESCRIPCION FROM T_PLAN", Relleno(),
               // Descriptions stored with blanks before their words.
               "CREATE TABLE T_BLANCOS (CODIGO varchar(5) COLLATE SERVIDOR, DESCRIPCION varchar(30) COLLATE "
               "SERVIDOR)",
               "INSERT INTO T_BLANCOS VALUES ('1', 'ACTIVO'), ('2', '   PASIVO  '), ('3', '  BANCO "
               "NACION')"}) {}

    // Thirty rows that sort before the accounts, so that these lie below the list's first page.
    static QString Relleno() {
        QStringList filas;
        for (int i = 10; i < 40; ++i) filas << QString("('A%1', 'AA %1')").arg(i);
        return "INSERT INTO T_ANCHA (CODIGO, DESCRIPCION) VALUES " + filas.join(", ");
    }

    static constexpr const char* kCuentas = "select CODIGO, DESCRIPCION from T_PLAN order by CODIGO";

    // A lookup over `sql` in which `accion` plays the user; returns ValorDevuelto.
    QString Consulta(const QString& sql, std::function<void(Lib_FrmCons3&)> accion,
                     Coleccion cmps = nullptr) {
        AlMostrar([accion](Lib_FrmCons3& v) {
            QApplication::setActiveWindow(&v);
            QApplication::processEvents();
            accion(v);
        });
        QString clave, busqueda, where, opcional, defecto;
        bool arbol = false;
        gConsulta().ConsultaSearch(sql, cmps, clave, busqueda, where, opcional, arbol, defecto);
        return gConsulta().ValorDevuelto.toString();
    }
    static QString Seleccionado(Lib_FrmCons3& v) {
        return Control<vb::ListView>(v, "ListView1")
            ->ItemText(Control<vb::ListView>(v, "ListView1")->SelectedItem());
    }
    // Keys as a user's arrive: to whatever has the focus in the active window.
    static void Tecla(Qt::Key tecla) { QTest::keyClick(QApplication::focusWidget(), tecla); }
    static void Teclea(const QString& texto) { QTest::keyClicks(QApplication::focusWidget(), texto); }
    // The user puts the focus in `w` and types there.
    static void Escribe(QWidget* w, const QString& texto) {
        w->setFocus();
        QApplication::processEvents();
        Teclea(texto);
    }
    static void ClickCabecera(Lib_FrmCons3& v, int columna) {
        QHeaderView* h = Control<vb::ListView>(v, "ListView1")->header();
        const QPointF p(h->sectionViewportPosition(columna - 1) + h->sectionSize(columna - 1) / 2, 3);
        QMouseEvent pulsa(QEvent::MouseButtonPress, p, h->viewport()->mapToGlobal(p), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent suelta(QEvent::MouseButtonRelease, p, h->viewport()->mapToGlobal(p), Qt::LeftButton,
                           Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(h->viewport(), &pulsa);
        QApplication::sendEvent(h->viewport(), &suelta);
    }
    static QStringList Columna(Lib_FrmCons3& v, int c = 1) {
        QStringList t;
        for (int r = 1; r <= Control<vb::ListView>(v, "ListView1")->ListItemsCount(); ++r)
            t << (c == 1 ? Control<vb::ListView>(v, "ListView1")->ItemText(r)
                         : Control<vb::ListView>(v, "ListView1")->SubItem(r, c - 1));
        return t;
    }
};

}  // namespace

TEST_F(LookupKeys, TypingSelectsTheFirstRowThatStartsWithTheText) {
    Consulta(kCuentas, [](Lib_FrmCons3& v) {
        QComboBox* descripcion = Control<QComboBox>(v, "CmbSearch", 1);
        Escribe(descripcion, " caja d");
        EXPECT_EQ(Seleccionado(v), "11010100102");
        EXPECT_EQ(v.ComboActual(), 1);
        Tecla(Qt::Key_X);  // nothing starts so: the selection stays
        EXPECT_EQ(Seleccionado(v), "11010100102");
        // Down goes to the list without moving its selection; keys typed there go to the box.
        Tecla(Qt::Key_Down);
        EXPECT_EQ(Seleccionado(v), "11010100102");
        QTest::keyClick(Control<vb::ListView>(v, "ListView1"), Qt::Key_Backspace);
        QTest::keyClick(Control<vb::ListView>(v, "ListView1"), Qt::Key_Backspace);
        EXPECT_EQ(Control<QComboBox>(v, "CmbSearch", 1)->currentText(), " caja ");
        QTest::keyClick(Control<vb::ListView>(v, "ListView1"), Qt::Key_P);
        EXPECT_EQ(Control<QComboBox>(v, "CmbSearch", 1)->currentText(), " caja p");
        EXPECT_EQ(Seleccionado(v), "11010100101");
        Control<QComboBox>(v, "CmbSearch", 1)->setEditText("");
        EXPECT_EQ(Control<vb::ListView>(v, "ListView1")->SelectedItem(), 1);
        // The numeric keypad types its digit; a function key types nothing.
        Escribe(Control<QComboBox>(v, "CmbSearch", 0), "");
        QTest::keyClick(Control<vb::ListView>(v, "ListView1"), Qt::Key_5, Qt::KeypadModifier);
        QTest::keyClick(Control<vb::ListView>(v, "ListView1"), Qt::Key_F3);
        EXPECT_EQ(Control<QComboBox>(v, "CmbSearch", 0)->currentText(), "5");
        EXPECT_EQ(Seleccionado(v), "5");
    });
}

// A cell's blanks before its first word are skipped before its start is compared, as the typed
// text's are.
TEST_F(LookupKeys, ACellsLeadingBlanksDoNotHideItsStart) {
    Consulta("select CODIGO, DESCRIPCION from T_BLANCOS order by CODIGO", [](Lib_FrmCons3& v) {
        QComboBox* descripcion = Control<QComboBox>(v, "CmbSearch", 1);
        Escribe(descripcion, "banco");
        EXPECT_EQ(Seleccionado(v), "3");
        descripcion->setEditText("");
        Escribe(descripcion, " pasivo ");
        EXPECT_EQ(Seleccionado(v), "2");
        EXPECT_EQ(v.Busqueda(1, "BANCO N"), 3);
        EXPECT_EQ(v.Busqueda(1, "ACTIVO"), 1);
        EXPECT_EQ(v.Busqueda(1, "NACION"), 0);  // a word inside the cell is not its start
    });
}

TEST_F(LookupKeys, TheSearchedColumnAndTheFoundRowStayInSightAtEveryKey) {
    Consulta("T_ANCHA", [](Lib_FrmCons3& v) {
        ASSERT_EQ(Control<vb::ListView>(v, "ListView1")->ColumnHeaderText(4), "DESCRIPCION");
        vb::ListView* l = Control<vb::ListView>(v, "ListView1");
        auto columnaEnVista = [&](int c) {
            const int x = l->columnViewportPosition(c - 1);
            return x >= 0 && x + l->columnWidth(c - 1) <= l->viewport()->width();
        };
        auto cajaEnVista = [&](int c) {
            const int x = Control<QComboBox>(v, "CmbSearch", c - 1)->mapTo(&v, QPoint(0, 0)).x();
            return x >= 0 && x + Control<QComboBox>(v, "CmbSearch", c - 1)->width() <= v.width();
        };
        auto filaEnVista = [&] {
            const QRect r = l->visualRect(l->model()->index(l->SelectedItem() - 1, 0));
            return r.top() >= 0 && r.bottom() < l->viewport()->height();
        };
        ASSERT_FALSE(columnaEnVista(4));
        for (int i = 0; i < 3; ++i) Tecla(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), Control<QComboBox>(v, "CmbSearch", 3));
        EXPECT_TRUE(columnaEnVista(4));
        for (const QChar c : QString("sueldos p")) {
            Teclea(c);
            EXPECT_TRUE(columnaEnVista(4)) << c.toLatin1();
            EXPECT_TRUE(cajaEnVista(4)) << c.toLatin1();
        }
        EXPECT_EQ(l->SubItem(l->SelectedItem(), 4), "51010100101");
        EXPECT_TRUE(filaEnVista());
        // F5 rebuilds the columns and leaves the searched one where it was.
        Tecla(Qt::Key_F5);
        ASSERT_EQ(l->ListItemsCount(), 1);
        EXPECT_TRUE(columnaEnVista(4));
        EXPECT_TRUE(cajaEnVista(4));
        Control<QPushButton>(v, "CmdNueva")->click();
        for (int i = 0; i < 3; ++i) Tecla(Qt::Key_Tab);
        Teclea("sueldos p");
        // Moving in the list keeps the columns where they are.
        Tecla(Qt::Key_Down);
        Tecla(Qt::Key_Down);
        EXPECT_EQ(l->SubItem(l->SelectedItem(), 4), "510101001");  // SUELDOS Y JORNALES
        EXPECT_TRUE(columnaEnVista(4));
        EXPECT_TRUE(filaEnVista());
    });
}

TEST_F(LookupKeys, TheListOpensOnItsFirstRowSoArrowsAndEnterPickAnyRow) {
    gConsulta().CampoDevuelto = "CODIGO";
    EXPECT_EQ(Consulta("select CODIGO, DESCRIPCION from T_PLAN where CODIGO = '5'",
                       [](Lib_FrmCons3&) { Tecla(Qt::Key_Return); }),
              "5");
    gConsulta().CampoDevuelto = "CODIGO";
    EXPECT_EQ(Consulta("select CODIGO, DESCRIPCION from T_PLAN where CODIGO = '5'",
                       [](Lib_FrmCons3&) {
                           Tecla(Qt::Key_Down);
                           Tecla(Qt::Key_Return);
                       }),
              "5");
    gConsulta().CampoDevuelto = "CODIGO";
    EXPECT_EQ(Consulta(kCuentas,
                       [](Lib_FrmCons3&) {
                           Tecla(Qt::Key_Down);
                           Tecla(Qt::Key_Down);
                           Tecla(Qt::Key_Return);
                       }),
              "11");
    // A list that sorts itself opens on the first row it shows, after an F5 as well.
    gConsulta().CampoDevuelto = "DESCRIPCION";
    EXPECT_EQ(Consulta("select DESCRIPCION, CODIGO from T_PLAN where CODIGO like '110%'",
                       [](Lib_FrmCons3& v) {
                           EXPECT_EQ(Control<vb::ListView>(v, "ListView1")->SelectedItem(), 1);
                           EXPECT_EQ(Seleccionado(v), "CAJA");
                           Teclea("caja d");
                           Tecla(Qt::Key_F5);
                           Tecla(Qt::Key_Return);
                       }),
              "CAJA DOLARES");
    // A menu of one option is picked with Enter.
    AlMostrar([](Lib_FrmCons3& v) {
        QApplication::setActiveWindow(&v);
        QApplication::processEvents();
        Tecla(Qt::Key_Return);
    });
    EXPECT_EQ(gConsulta().MenuOpciones("Opciones", {"Unica"}), "Unica");
}

TEST_F(LookupKeys, F5NarrowsTheStatementOnTheServerAndNuevaBusquedaBringsItBack) {
    const QString cuentas =
        "SELECT CODIGO,DESCRIPCION FROM T_PLAN WHERE DADA_DE_BAJA = 0 ORDER BY DESCRIPCION";
    Consulta(cuentas, [&](Lib_FrmCons3& v) {
        ASSERT_TRUE(v.pedido().CfgUsaConsultaLIKE);
        Escribe(Control<QComboBox>(v, "CmbSearch", 1), "caja pe");
        Tecla(Qt::Key_F5);
        EXPECT_EQ(v.pedido().Sql,
                  "SELECT CODIGO,DESCRIPCION FROM T_PLAN WHERE DADA_DE_BAJA = 0  and DESCRIPCION like "
                  "'%caja%pe%' ORDER BY DESCRIPCION  ");
        EXPECT_EQ(Columna(v), QStringList{"11010100101"});
        EXPECT_EQ(Control<QComboBox>(v, "CmbSearch", 1)->currentText(), "");
        Escribe(Control<QComboBox>(v, "CmbSearch", 0), "1101");
        Tecla(Qt::Key_F5);
        EXPECT_TRUE(
            v.pedido().Sql.contains("like '%caja%pe%'  and CODIGO like '%1101%' ORDER BY DESCRIPCION"))
            << v.pedido().Sql.toStdString();
        QTest::mouseClick(Control<QPushButton>(v, "CmdNueva"), Qt::LeftButton);
        EXPECT_EQ(v.pedido().Sql, cuentas + "  ");
        EXPECT_EQ(Control<vb::ListView>(v, "ListView1")->ListItemsCount(), 14);
    });
    // Starts-with: "*" is a wildcard, the condition goes before GROUP BY with " where ".
    Consulta("SELECT DESCRIPCION, COUNT(*) AS N FROM T_PLAN GROUP BY DESCRIPCION ORDER BY DESCRIPCION",
             [](Lib_FrmCons3& v) {
                 Pide(v, [&](auto& p) { p.CfgUsaConsultaLIKE = false; });
                 Escribe(Control<QComboBox>(v, "CmbSearch", 0), "ca*d");
                 Tecla(Qt::Key_F5);
                 EXPECT_EQ(v.pedido().Sql,
                           "SELECT DESCRIPCION, COUNT(*) AS N FROM T_PLAN  where DESCRIPCION like 'ca%d%' "
                           "GROUP BY DESCRIPCION ORDER BY DESCRIPCION  ");
                 EXPECT_EQ(Columna(v), QStringList{"CAJA DOLARES"});
             });
    // An apostrophe typed is a letter of the text searched, never the end of the literal.
    Consulta("select Codigo, Razon_Social from VT_CLIENTES", [](Lib_FrmCons3& v) {
        Escribe(Control<QComboBox>(v, "CmbSearch", 1), "o'hig");
        Tecla(Qt::Key_F5);
        EXPECT_EQ(Columna(v, 2), QStringList{"ALMACEN O'HIGGINS"});
    });
}

// A value typed in an earlier F5 never moves the next cut: what is typed next stays one value.
TEST_F(LookupKeys, AnEarlierF5TextNeverMovesTheCut) {
    Consulta(kCuentas, [](Lib_FrmCons3& v) {
        Pide(v, [&](auto& p) { p.CfgUsaConsultaLIKE = false; });
        Escribe(Control<QComboBox>(v, "CmbSearch", 0), "order by");
        Tecla(Qt::Key_F5);
        Escribe(Control<QComboBox>(v, "CmbSearch", 0),
                "');UPDATE/**/TA_USUARIOS/**/SET/**/ADMINISTRADOR=1;--");
        Tecla(Qt::Key_F5);
        EXPECT_EQ(Control<vb::ListView>(v, "ListView1")->ListItemsCount(), 0);
        EXPECT_TRUE(v.pedido().Sql.endsWith(
            "and CODIGO like ''');UPDATE/%%/TA_USUARIOS/%%/SET/%%/ADMINISTRADOR=1;--%' order by CODIGO   "))
            << v.pedido().Sql.toStdString();
    });
    EXPECT_EQ(base_.escalar("SELECT MAX(Administrador) FROM TA_USUARIOS WHERE NOMBRE = 'OPERADOR'").toInt(),
              0);
}

TEST_F(LookupKeys, HeadersSortTheListAndADateHeaderQueriesInDateOrder) {
    Consulta(kCuentas, [](Lib_FrmCons3& v) {
        ClickCabecera(v, 2);
        EXPECT_EQ(Control<vb::ListView>(v, "ListView1")->ItemText(1),
                  "510101001");  // SUELDOS Y JORNALES first: descending
        ClickCabecera(v, 2);
        EXPECT_EQ(Control<vb::ListView>(v, "ListView1")->SubItem(1, 1), "ACTIVO");
    });
    Consulta("SELECT CODIGO, FECHA FROM T_FECHAS", [](Lib_FrmCons3& v) {
        const QString antes = v.pedido().Sql;
        ClickCabecera(v, 2);
        EXPECT_EQ(Columna(v), (QStringList{"B", "C", "A"}));
        EXPECT_EQ(v.pedido().Sql, antes);
        EXPECT_FALSE(v.pedido().OrdenarPorLwv);
        EXPECT_FALSE(Control<vb::ListView>(v, "ListView1")->Sorted());
        // F5 narrows the statement shown, not the sorted one.
        Escribe(Control<QComboBox>(v, "CmbSearch", 0), "A");
        Tecla(Qt::Key_F5);
        EXPECT_EQ(Columna(v), QStringList{"A"});
    });
    // A header with blanks is ordered by as a bracketed name.
    Consulta("SELECT CODIGO, [Fecha de Alta] FROM T_ALTAS", [](Lib_FrmCons3& v) {
        ClickCabecera(v, 2);
        EXPECT_EQ(Columna(v), (QStringList{"B", "C", "A"}));
    });
}

TEST_F(LookupKeys, EnterAndDoubleClickAcceptOnceAndCancelReturnsNothing) {
    Coleccion cmps = NuevaColeccion();
    cmps->append("descripcion");
    cmps->append("NO_ESTA");
    gConsulta().CampoDevuelto = "CODIGO";
    EXPECT_EQ(Consulta(
                  kCuentas,
                  [](Lib_FrmCons3& v) {
                      Escribe(Control<QComboBox>(v, "CmbSearch", 1), "sueldos p");
                      Tecla(Qt::Key_Return);
                      EXPECT_FALSE(v.isVisible());
                      QTest::keyClick(Control<vb::ListView>(v, "ListView1"), Qt::Key_Return);
                  },
                  cmps),
              "51010100101");
    EXPECT_EQ(*gConsulta().Valores, (QVariantList{"SUELDOS PERSONAL", ""}));

    gConsulta().CampoDevuelto = "CODIGO";
    EXPECT_EQ(Consulta(kCuentas,
                       [](Lib_FrmCons3& v) {
                           const QRect fila =
                               Control<vb::ListView>(v, "ListView1")
                                   ->visualRect(Control<vb::ListView>(v, "ListView1")->model()->index(2, 1));
                           QTest::mouseDClick(Control<vb::ListView>(v, "ListView1")->viewport(),
                                              Qt::LeftButton, {}, fila.center());
                       }),
              "1101");
    EXPECT_TRUE(gConsulta().Valores->isEmpty());

    // Enter with no row selected hides the window and chooses nothing.
    gConsulta().CampoDevuelto = "CODIGO";
    EXPECT_EQ(Consulta(kCuentas,
                       [](Lib_FrmCons3& v) {
                           Control<vb::ListView>(v, "ListView1")->setSelectedItem(0);
                           QTest::keyClick(Control<vb::ListView>(v, "ListView1"), Qt::Key_Return);
                       }),
              "");

    gConsulta().CampoDevuelto = "CODIGO";
    EXPECT_EQ(Consulta(kCuentas,
                       [](Lib_FrmCons3& v) {
                           Escribe(Control<QComboBox>(v, "CmbSearch", 0), "5");
                           Tecla(Qt::Key_Escape);
                       }),
              "");
    EXPECT_FALSE(gConsulta().Valores);

    // A column the list does not show returns nothing, never a neighbour's value.
    gConsulta().CampoDevuelto = "TITULO";
    EXPECT_EQ(Consulta(kCuentas,
                       [](Lib_FrmCons3& v) {
                           Control<vb::ListView>(v, "ListView1")->setSelectedItem(1);
                           v.CmdAceptar_Click();
                       }),
              "");
}

TEST_F(LookupKeys, CheckedRowsComeBackInListOrder) {
    gConsulta().Checks = true;
    Consulta(kCuentas, [](Lib_FrmCons3& v) {
        ASSERT_TRUE(Control<vb::ListView>(v, "ListView1")->CheckBoxes());
        Control<vb::ListView>(v, "ListView1")->setFocus();
        Control<vb::ListView>(v, "ListView1")->setSelectedItem(3);
        QTest::keyClick(Control<vb::ListView>(v, "ListView1"), Qt::Key_Space);
        EXPECT_TRUE(Control<vb::ListView>(v, "ListView1")->Checked(3));
        QTest::mouseClick(Control<QPushButton>(v, "CmdTodos"), Qt::LeftButton);
        QTest::mouseClick(Control<QPushButton>(v, "CmdTodos"), Qt::LeftButton);
        EXPECT_TRUE(Control<vb::ListView>(v, "ListView1")->Checked(3));
        Control<vb::ListView>(v, "ListView1")->setChecked(1, true);
        QTest::mouseClick(Control<QPushButton>(v, "CmdAceptar"), Qt::LeftButton);
    });
    // No column named: the first one's values.
    EXPECT_EQ(*gConsulta().Valores, (QVariantList{"1", "1101"}));
    EXPECT_EQ(gConsulta().ValorDevuelto.toString(), "");
}

TEST_F(LookupKeys, F12FilesOneMissingArticleAndSaysWhenItCannot) {
    const QString articulos =
        "SELECT IDARTICULO, DESCRIPCION, Stock FROM STK_MA_ARTICULOS ORDER BY IDARTICULO";
    Consulta(articulos, [this](Lib_FrmCons3& v) {
        Escribe(Control<QComboBox>(v, "CmbSearch", 0), "00007");
        guion_.esperarMsgBox(vb::vbYes);
        Tecla(Qt::Key_F12);
    });
    ASSERT_EQ(guion_.preguntas().size(), 2);  // the window, then the question once
    EXPECT_EQ(guion_.preguntas()[1],
              (Pregunta{"Desea informar el articulo 00007 CAFE MOLIDO 500 G\r\ncomo un faltante "
                        "de stock?",
                        "Atención!", vb::vbYesNo + vb::vbQuestion}));
    EXPECT_EQ(base_.filas("SELECT IdArticulo, Descripcion, Usuario FROM V_MV_FALTANTES"),
              (QList<QStringList>{{QString(20, ' ') + "00007", "CAFE MOLIDO 500 G", base_.nombre()}}));
    EXPECT_TRUE(base_.escalar("SELECT FechaHora FROM V_MV_FALTANTES").toString().startsWith("20"));
    // An apostrophe in the description is stored as it stands.
    base_.ejecutar("INSERT INTO MA_ARTICULOS (idarticulo, Descripcion) VALUES ('Z9', 'ACEITE D''ORO')");
    Consulta(articulos, [this](Lib_FrmCons3& v) {
        Escribe(Control<QComboBox>(v, "CmbSearch", 0), "Z9");
        guion_.esperarMsgBox(vb::vbYes);
        QTest::keyClick(Control<vb::ListView>(v, "ListView1"), Qt::Key_F12);
    });
    EXPECT_EQ(base_.escalar("SELECT Descripcion FROM V_MV_FALTANTES WHERE IdArticulo LIKE '%Z9'").toString(),
              "ACEITE D'ORO");
}

TEST_F(LookupKeys, AMissingArticleTheDatabaseRefusesIsReportedAndOtherListsFileNothing) {
    base_.ejecutar("DROP TRIGGER V_MV_FALTANTES_INS");
    Consulta("SELECT IDARTICULO, DESCRIPCION FROM VT_MA_ARTICULOS", [this](Lib_FrmCons3& v) {
        Control<vb::ListView>(v, "ListView1")->setSelectedItem(1);
        guion_.esperarMsgBox(vb::vbYes);
        guion_.esperarMsgBox(vb::vbAbort);
        QTest::keyClick(Control<vb::ListView>(v, "ListView1"), Qt::Key_F12);
    });
    ASSERT_EQ(guion_.preguntas().size(), 3);
    EXPECT_TRUE(guion_.preguntas()[2].texto.startsWith("Ha ocurrido el Siguiente Error"))
        << guion_.preguntas()[2].texto.toStdString();
    EXPECT_TRUE(guion_.preguntas()[2].titulo.endsWith(" - Form_KeyDown Aviso al operador!!! "));
    // F12 on a list that is not of articles is a key like any other.
    Consulta(kCuentas, [](Lib_FrmCons3& v) {
        Control<vb::ListView>(v, "ListView1")->setSelectedItem(1);
        QTest::keyClick(Control<vb::ListView>(v, "ListView1"), Qt::Key_F12);
    });
    EXPECT_EQ(guion_.preguntas().size(), 4);
}

TEST_F(LookupKeys, QuantitiesAreTypedInTheListAndComeBackInCantidades) {
    const QString sql =
        "SELECT IDARTICULO, DESCRIPCION, '2.0' AS Cantidad FROM VT_MA_ARTICULOS ORDER BY IDARTICULO";
    for (const QLocale& l : {LocaleNumeros::coma(), LocaleNumeros::punto()}) {
        LocaleNumeros locale(l);
        const QString d = l.decimalPoint();
        gConsulta().Checks = true;
        gConsulta().UsaCantidades = true;
        gConsulta().CampoDevuelto = "IDARTICULO";
        Consulta(sql, [&](Lib_FrmCons3& v) {
            Control<vb::ListView>(v, "ListView1")->setFocus();
            Control<vb::ListView>(v, "ListView1")->setSelectedItem(1);
            QTest::keyClick(Control<vb::ListView>(v, "ListView1"), Qt::Key_Insert);
            EXPECT_EQ(Control<vb::ListView>(v, "ListView1")->SubItem(1, 2), "3" + d + "0");
            EXPECT_TRUE(Control<vb::ListView>(v, "ListView1")->Checked(1));
            Control<vb::ListView>(v, "ListView1")->setSelectedItem(2);
            QTest::keyClick(Control<vb::ListView>(v, "ListView1"), Qt::Key_Delete);
            QTest::keyClick(Control<vb::ListView>(v, "ListView1"), Qt::Key_Delete);
            EXPECT_EQ(Control<vb::ListView>(v, "ListView1")->SubItem(2, 2), "0" + d + "00");
            EXPECT_FALSE(Control<vb::ListView>(v, "ListView1")->Checked(2));
            Control<vb::ListView>(v, "ListView1")->setSelectedItem(3);
            guion_.esperarInputBox("2" + d + "5");
            QTest::keyClick(Control<vb::ListView>(v, "ListView1"), Qt::Key_Insert, Qt::ShiftModifier);
            EXPECT_EQ(Control<vb::ListView>(v, "ListView1")->SubItem(3, 2), "2" + d + "50");
            Control<vb::ListView>(v, "ListView1")->setSelectedItem(4);
            guion_.esperarInputBox("");  // cancelled: nothing changes
            QTest::keyClick(Control<vb::ListView>(v, "ListView1"), Qt::Key_Insert, Qt::ShiftModifier);
            EXPECT_EQ(Control<vb::ListView>(v, "ListView1")->SubItem(4, 2), "2.0");
            QTest::keyClick(Control<vb::ListView>(v, "ListView1"), Qt::Key_Return);
        });
        EXPECT_EQ(guion_.preguntas().last(),
                  (Pregunta{"Ingrese la Cantidad del Articulo...", "Carga de Datos", 0, Pregunta::Entrada}));
        EXPECT_EQ(*gConsulta().Valores, (QVariantList{"00001", "00003"}));
        EXPECT_EQ(*gConsulta().Cantidades, (QVariantList{"3" + d + "0", "2" + d + "50"}));
    }
    // Without quantities Insert does nothing to the list.
    gConsulta().UsaCantidades = false;
    Consulta(sql, [](Lib_FrmCons3& v) {
        Control<vb::ListView>(v, "ListView1")->setSelectedItem(1);
        QTest::keyClick(Control<vb::ListView>(v, "ListView1"), Qt::Key_Insert);
        EXPECT_EQ(Control<vb::ListView>(v, "ListView1")->SubItem(1, 2), "2.0");
        EXPECT_FALSE(Control<vb::ListView>(v, "ListView1")->Checked(1));
    });
}

TEST_F(LookupKeys, NuevoOpensTheTablesMaintenanceProgramAndTheWindowStays) {
    QList<QStringList> lanzados;
    vb::setLanzador([&](const QString& programa, const QStringList& argumentos) {
        lanzados.append(QStringList{QFileInfo(programa).fileName()} + argumentos);
        return true;
    });
    for (const char* nombre : {"v_ma_clientes", "V_TA_TABLAS"}) {
        QFile f(programa_.filePath(nombre));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    Consulta("select Codigo, Razon_Social from vt_clientes", [](Lib_FrmCons3& v) {
        QTest::mouseClick(Control<QPushButton>(v, "CmdNuevo"), Qt::LeftButton);
        EXPECT_TRUE(v.isVisible());
    });
    Consulta(kCuentas,
             [](Lib_FrmCons3& v) { QTest::mouseClick(Control<QPushButton>(v, "CmdNuevo"), Qt::LeftButton); });
    vb::setLanzador({});
    ASSERT_EQ(lanzados.size(), 2);
    EXPECT_EQ(lanzados[0].value(0), "v_ma_clientes");
    EXPECT_TRUE(lanzados[0].value(1).endsWith("; @ParametroAdicional=1; tarvo@ ;"));
    EXPECT_EQ(lanzados[1].value(0), "V_TA_TABLAS");
    EXPECT_TRUE(lanzados[1].value(1).endsWith("; @ParametroAdicional=T_PLAN; tarvo@ ;"));
}
