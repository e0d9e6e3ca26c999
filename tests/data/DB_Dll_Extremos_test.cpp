#include "data/DB_Dll.h"
#include "data/ObjetoConectado.h"
#include "support/DialogosGuionados.h"
#include "support/ImprimeQt.h"

#include <gtest/gtest.h>
#include <set>

namespace {

const QString kSinCeros = QStringLiteral(" substring(ltrim(idarticulo),1,1)<>'0'");

QString Articulos(const QStringList& codigos) {
    QString sql;
    for (const QString& c : codigos)
        sql += QStringLiteral("INSERT INTO MA_ARTICULOS (idarticulo, Descripcion) VALUES ('%1', '%2');")
                   .arg(c, c);
    return sql;
}

}  // namespace

TEST(DB_DllTypes, EachCodeInItsKind) {
    DB_Dll db;
    const std::set<int> fecha = {7, 133, 134, 135, 137, 64};
    const std::set<int> texto = {8, 129, 130, 200, 201, 202, 203};
    const std::set<int> numerico = {2, 3, 4, 5, 14, 16, 17, 18, 19, 20, 21, 131};
    for (int c = -1; c <= 300; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(db.adodate(c), fecha.count(c) == 1);
        EXPECT_EQ(db.ADOText(c), texto.count(c) == 1);
        EXPECT_EQ(db.ADONumeric(c), numerico.count(c) == 1);
        EXPECT_EQ(db.ADOCurrency(c), c == 6);
        EXPECT_EQ(db.ADOBoolean(c), c == 11);
        EXPECT_EQ(db.ADOComilla(c), (fecha.count(c) || texto.count(c)) ? "'" : "");
    }
    // A code read from a text counts; anything else belongs to no class and does not fail.
    EXPECT_TRUE(db.ADOText(QStringLiteral("200")));
    EXPECT_FALSE(db.adodate(QStringLiteral("fecha")));
    EXPECT_FALSE(db.ADONumeric(QVariant()));
    EXPECT_EQ(db.ADOComilla(QVariant()), "");
}

TEST(DB_DllEdgeCases, MaximumAndMinimumOfTextAndNumericCodes) {
    ObjetoConectado o({"CREATE TABLE NUMEROS (N int NOT NULL, GRUPO varchar(5) NULL)"});
    DialogosGuionados guion;
    DB_Dll& db = *o.db;

    // An empty table gives one row holding Null: 0, or "" as a date.
    EXPECT_EQ(db.BuscaMaximo("MA_CUENTAS", "CODIGO"), QVariant(0.0));
    EXPECT_EQ(db.BuscaMaximo("MA_CUENTAS", "CODIGO", 7), QVariant(QString()));
    EXPECT_EQ(db.BuscaMinimo("MA_CUENTAS", "CODIGO"), QVariant(0.0));

    o.base.ejecutar(
        "INSERT INTO MA_CUENTAS (CODIGO) VALUES ('10'), ('2.5'), ('0045');"
        "INSERT INTO NUMEROS VALUES (7, 'A'), (120, 'B'), (35, 'A'), (-4, 'B');");
    // Text order: "2.5" is the highest code, "0045" the lowest.
    EXPECT_EQ(db.BuscaMaximo("MA_CUENTAS", "CODIGO"), QVariant(2.5));
    EXPECT_EQ(db.BuscaMinimo("MA_CUENTAS", "CODIGO"), QVariant(45.0));
    EXPECT_EQ(db.BuscaMaximo("MA_CUENTAS", "CODIGO", 7), QVariant(QString("2.5")));
    EXPECT_EQ(db.BuscaMaximo("NUMEROS", "N"), QVariant(120.0));
    EXPECT_EQ(db.BuscaMinimo("NUMEROS", "N"), QVariant(-4.0));

    // The condition is trimmed; a blank one adds no WHERE.
    QVariant condicion = QStringLiteral("  GRUPO = 'A'  ");
    EXPECT_EQ(db.BuscaMaximo("NUMEROS", "N", QVariant(), condicion), QVariant(35.0));
    EXPECT_EQ(condicion, QVariant(QStringLiteral("  GRUPO = 'A'  ")));
    EXPECT_EQ(db.BuscaMinimo("NUMEROS", "N", QVariant(), QStringLiteral(" GRUPO = 'A' ")), QVariant(7.0));
    QVariant blanco = QStringLiteral("   ");
    EXPECT_EQ(db.BuscaMaximo("NUMEROS", "N", QVariant(), blanco), QVariant(120.0));

    // No handler of their own: a missing table reaches the caller, without a message.
    EXPECT_THROW(db.BuscaMaximo("NO_EXISTE", "N"), vb::ErrorVB);
    EXPECT_THROW(db.BuscaMinimo("NUMEROS", "NO_EXISTE"), vb::ErrorVB);
    EXPECT_TRUE(guion.preguntas().isEmpty());
}

TEST(DB_DllEdgeCases, ArticlesStartingWithZeroDoNotCount) {
    ObjetoConectado o;
    DB_Dll& db = *o.db;
    // Codes right-aligned behind blanks sort below the ones that begin with zero.
    o.base.ejecutar(Articulos({"  120", "  300", "0999", "0123"}));

    QVariant condicion;
    EXPECT_EQ(db.BuscaMaximo("v_ma_articulos", "idarticulo", QVariant(), condicion), QVariant(300.0));
    EXPECT_EQ(condicion, QVariant(kSinCeros));

    QVariant propia = QStringLiteral("Descripcion <> '  300'");
    EXPECT_EQ(db.BuscaMaximo("V_MA_ARTICULOS", "idarticulo", QVariant(), propia), QVariant(120.0));
    EXPECT_EQ(propia, QVariant(QStringLiteral("Descripcion <> '  300' and") + kSinCeros));

    // Another table keeps the leading-zero code.
    o.base.ejecutar("CREATE TABLE OTROS AS SELECT idarticulo FROM MA_ARTICULOS");
    EXPECT_EQ(db.BuscaMaximo("OTROS", "idarticulo"), QVariant(999.0));

    // A column the added condition cannot change is searched once more, not for ever.
    o.base.ejecutar("UPDATE MA_ARTICULOS SET Descripcion = '0,5'");
    QVariant otra;
    EXPECT_EQ(db.BuscaMaximo("V_MA_ARTICULOS", "Descripcion", 7, otra), QVariant(QString("0,5")));
    EXPECT_EQ(otra, QVariant(kSinCeros));
}

TEST(DB_DllEdgeCases, EveryArticleStartsWithZero) {
    ObjetoConectado o;
    o.base.ejecutar(Articulos({"0999", "0123"}));
    EXPECT_EQ(o.db->BuscaMaximo("V_MA_ARTICULOS", "idarticulo"), QVariant(0.0));
}

TEST(DB_DllEdgeCases, CierraRecordsetClosesTheRecordset) {
    ObjetoConectado o;
    DialogosGuionados guion;  // any message fails the test
    DB_Dll& db = *o.db;

    ado::RecordsetPtr nulo;
    db.CierraRecordset(nulo);
    EXPECT_EQ(nulo, nullptr);

    auto rs = ado::Recordset::Crear();
    db.CierraRecordset(rs);  // never opened
    rs->Open("SELECT * FROM MA_ARTICULOS", db.gCnn, ado::adOpenDynamic, ado::adLockOptimistic);
    db.CierraRecordset(rs);
    EXPECT_EQ(rs->State(), ado::adStateClosed);
    db.CierraRecordset(rs);  // already closed

    // A pending addition is discarded, without a word, and the recordset closed; the caller
    // keeps the object.
    rs->Open("SELECT * FROM MA_ARTICULOS", db.gCnn, ado::adOpenDynamic, ado::adLockOptimistic);
    rs->AddNew();
    rs->fields()["idarticulo"].setValue(QStringLiteral("NUEVO"));
    ado::RecordsetPtr mismo = rs;
    db.CierraRecordset(rs);
    EXPECT_EQ(rs, mismo);
    EXPECT_EQ(rs->State(), ado::adStateClosed);
    EXPECT_EQ(o.base.escalar("SELECT COUNT(*) FROM MA_ARTICULOS").toInt(), 0);
    EXPECT_TRUE(guion.preguntas().isEmpty());
}
