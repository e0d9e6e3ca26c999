#pragma once
// A fresh company database, a fresh shared database object and a program folder of its own for
// each test of the database object.
#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Programa.h"
#include "support/AbrirComo.h"
#include "support/BaseDePrueba.h"
#include "support/ImprimeQt.h"
#include "support/ProgramaDePrueba.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

class EntornoDB_Dll : public ::testing::Test {
  protected:
    // Users: ADMIN (administrator), OPERADOR (not), NULO (no value), " BLANCO " (stored with
    // blanks). Accounts: 1 and 2 open to everybody, 9 confidential.
    static QStringList datos() {
        return {
            "INSERT INTO TA_USUARIOS (NOMBRE, GRUPO, Administrador) VALUES ('ADMIN', 'G', 1), "
            "('OPERADOR', 'G', 0), ('NULO', 'G', NULL), (' BLANCO ', 'G', 1)",
            "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, CONFIDENCIAL) VALUES ('1', 'CAJA', 0), "
            "('2', 'BANCO', 0), ('9', 'SECRETA', 1)",
        };
    }

    explicit EntornoDB_Dll(QStringList extra = {}) : base_(false, datos() + extra) {}

    void SetUp() override {
        ASSERT_TRUE(base_.valida()) << base_.error().toStdString();
        ASSERT_TRUE(programa_.isValid());
        CNStuffContable::gUsuarioLogeado = "ADMIN";
    }

    void TearDown() override { vb::setReloj({}); }

    DB_Dll& db() { return CNStuffContable::gBaseDatos(); }

    // Points the object at the test database with the suite's login rule.
    void apuntar(DB_Dll& d, const QString& nombre) {
        d.gServidor = base_.carpeta();
        d.gDBName = nombre;
        d.gUsuario = nombre;
        d.gUserPassWord = nombre;
    }

    // Opens the shared object as the given application user, the way start-up does.
    bool abrirComo(const QString& usuario) { return AbrirComo(base_, usuario); }

    QString logPrograma() const {
        QFile f(programa_.path() + "/XQERR.LOG");
        if (!f.open(QIODevice::ReadOnly)) return {};
        return QString::fromLatin1(f.readAll());
    }

    BaseDePrueba base_;
    ProgramaDePrueba programa_;
};
