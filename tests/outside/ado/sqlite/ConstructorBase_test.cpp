#include "outside/ado/sqlite/ConstructorBase.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using ado::sqlite::AbrirBaseExistente;
using ado::sqlite::ConstruirBase;

namespace {

void Escribir(const QString& ruta, const QByteArray& texto) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(texto);
}

}  // namespace

TEST(ConstructorBase, ReplacesTheDatabaseAndRunsFilesAndTextsInOrder) {
    QTemporaryDir dir;
    const QString destino = dir.filePath("sub/EMPRESA.sqlite");
    const QString guion = dir.filePath("a.sql");
    Escribir(guion,
             "-- comentario\nCREATE TABLE T (C varchar(10) COLLATE SERVIDOR);\n"
             "CREATE TRIGGER TR AFTER INSERT ON T BEGIN INSERT INTO T2 VALUES (NEW.C); END;\n"
             "CREATE TABLE T2 (C varchar(10) COLLATE SERVIDOR);");
    QString error;
    ASSERT_TRUE(ConstruirBase(destino, {guion},
                              {"INSERT INTO T VALUES ('uno'); INSERT INTO T VALUES ('Dos ')"}, &error))
        << error.toStdString();
    // A second build starts from nothing: no rows of the first survive.
    ASSERT_TRUE(ConstruirBase(destino, {guion}, {"INSERT INTO T VALUES ('tres')"}, &error))
        << error.toStdString();

    sqlite3* db = AbrirBaseExistente(destino, &error);
    ASSERT_NE(db, nullptr) << error.toStdString();
    sqlite3_stmt* s = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT count(*) FROM T2 WHERE C = 'TRES  '", -1, &s, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(s), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(s, 0), 1);
    sqlite3_finalize(s);
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT count(*) FROM T", -1, &s, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(s), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(s, 0), 1);
    sqlite3_finalize(s);
    sqlite3_close(db);
}

TEST(ConstructorBase, AFailedStatementSaysWhereAndLeavesNoDatabase) {
    QTemporaryDir dir;
    const QString destino = dir.filePath("E.sqlite");
    const QString guion = dir.filePath("malo.sql");
    Escribir(
        guion,
        "CREATE TABLE T (C int);\n\n-- sigue\nINSERT INTO NOEXISTE\n  VALUES (1);\nCREATE TABLE U (C int);");
    Escribir(destino, "vieja");
    QString error;
    EXPECT_FALSE(ConstruirBase(destino, {guion}, {}, &error));
    EXPECT_TRUE(error.contains("malo.sql, línea 4")) << error.toStdString();
    EXPECT_TRUE(error.contains("no such table: NOEXISTE")) << error.toStdString();
    EXPECT_TRUE(error.contains("INSERT INTO NOEXISTE VALUES (1);")) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(destino));

    EXPECT_FALSE(ConstruirBase(destino, {dir.filePath("falta.sql")}, {}, &error));
    EXPECT_TRUE(error.startsWith("No se puede leer el archivo")) << error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(destino));

    EXPECT_FALSE(ConstruirBase(destino, {}, {"SELECT 1;", "CREATE TABLE (;"}, &error));
    EXPECT_TRUE(error.contains("el texto SQL 2, línea 1")) << error.toStdString();
    EXPECT_TRUE(error.endsWith("Sentencia: CREATE TABLE (;")) << error.toStdString();

    EXPECT_EQ(AbrirBaseExistente(dir.filePath("otra.sqlite"), &error), nullptr);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("otra.sqlite")));
}
