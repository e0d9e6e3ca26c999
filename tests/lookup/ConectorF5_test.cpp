// F5 joins its condition with " where " to a statement that has no WHERE of its own, whatever
// "where" the statement's text holds in a value, a name or a subquery; with " and " only to one
// that has.
#include "lookup/Lib_FrmCons3.h"
#include "lookup/Lib_FrmCons3Tree.h"

#include "outside/controls/ListView.h"
#include "support/ConsultaDePrueba.h"
#include "support/Control.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>

namespace {

class F5Connector : public ConsultaDePrueba {
  protected:
    F5Connector()
        : ConsultaDePrueba({"CREATE TABLE T_NOWHERE (CODIGO varchar(15) COLLATE SERVIDOR, DESCRIPCION "
                            "varchar(150) COLLATE SERVIDOR, SOMEWHERE int DEFAULT 0)",
                            "INSERT INTO T_NOWHERE (CODIGO, DESCRIPCION, SOMEWHERE) VALUES ('1', 'CAJA', 0), "
                            "('2', 'BANCO', 0), ('3', 'CAJA CHICA', 1)"}) {}

    // The statement after the user types `texto` into the description's box and presses F5, and
    // the codes the list then shows.
    std::pair<QString, QStringList> F5(const QString& sql, const QString& texto) {
        QString tras;
        QStringList codigos;
        AlMostrar([&](Lib_FrmCons3& v) {
            QApplication::setActiveWindow(&v);
            Control<QComboBox>(v, "CmbSearch", 1)->setFocus();
            QApplication::processEvents();
            QTest::keyClicks(QApplication::focusWidget(), texto);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
            tras = v.pedido().Sql;
            for (int r = 1; r <= Control<vb::ListView>(v, "ListView1")->ListItemsCount(); ++r)
                codigos << Control<vb::ListView>(v, "ListView1")->ItemText(r);
        });
        QString clave, busqueda, where, opcional, defecto;
        bool arbol = false;
        Coleccion campos;
        gConsulta().ConsultaSearch(sql, campos, clave, busqueda, where, opcional, arbol, defecto);
        return {tras, codigos};
    }
};

TEST_F(F5Connector, AStatementWithoutWhereGetsWhereWhateverItsTextHolds) {
    const QStringList sinWhere = {
        // in a value
        "SELECT CODIGO, DESCRIPCION, 'where' AS W FROM T_NOWHERE ORDER BY CODIGO",
        // in names
        "SELECT CODIGO, DESCRIPCION, SOMEWHERE AS [where] FROM T_NOWHERE ORDER BY CODIGO",
        // in a subquery
        "SELECT CODIGO, DESCRIPCION FROM (SELECT CODIGO, DESCRIPCION FROM T_NOWHERE WHERE SOMEWHERE = 0) "
        "AS T ORDER BY CODIGO",
        "SELECT CODIGO, DESCRIPCION, (SELECT COUNT(*) FROM T_NOWHERE B WHERE B.CODIGO = A.CODIGO) AS N FROM "
        "T_NOWHERE A ORDER BY CODIGO",
    };
    for (const QString& sql : sinWhere) {
        SCOPED_TRACE(sql.toStdString());
        const auto [tras, codigos] = F5(sql, "caja");
        EXPECT_TRUE(tras.contains(" where DESCRIPCION like '%caja%' ORDER BY CODIGO")) << tras.toStdString();
        EXPECT_FALSE(codigos.isEmpty());
        EXPECT_FALSE(codigos.contains("2"));
    }
    // A WHERE of the statement itself takes " and ".
    const auto [tras, codigos] =
        F5("SELECT CODIGO, DESCRIPCION FROM T_NOWHERE WHERE SOMEWHERE = 0 ORDER BY CODIGO", "caja");
    EXPECT_TRUE(tras.contains("SOMEWHERE = 0  and DESCRIPCION like '%caja%'")) << tras.toStdString();
    EXPECT_EQ(codigos, QStringList{"1"});
}

TEST_F(F5Connector, TheTreeJoinsItsConditionTheSameWay) {
    EXPECT_EQ(
        Lib_FrmCons3Tree::SentenciaF5(
            "SELECT Codigo, Descripcion FROM (SELECT CODIGO, DESCRIPCION FROM T_NOWHERE WHERE "
            "SOMEWHERE = 0) AS T",
            "caja"),
        "SELECT Codigo, Descripcion FROM (SELECT CODIGO, DESCRIPCION FROM T_NOWHERE WHERE SOMEWHERE = 0) "
        "AS T where Descripcion like '%caja%' ");
    EXPECT_EQ(
        Lib_FrmCons3Tree::SentenciaF5("SELECT Codigo, 'where' + Descripcion AS [where] FROM T_NOWHERE", "c"),
        "SELECT Codigo, 'where' + Descripcion AS [where] FROM T_NOWHERE where Descripcion like '%c%' ");
}

}  // namespace
