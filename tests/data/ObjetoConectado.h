#pragma once
// A database object connected to a fresh test company database, as the shared instance.
#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "support/BaseDePrueba.h"

#include <QStringList>

struct ObjetoConectado {
    explicit ObjetoConectado(QStringList sqlExtra = {}) : base(false, std::move(sqlExtra)) {
        CNStuffContable::ReiniciarBaseDatos();
        db = &CNStuffContable::gBaseDatos();
        db->gConnString = base.cadenaConexion();
        db->gDBName = base.nombre();
        db->gProveedor = QStringLiteral("SQLOLEDB");
        db->gEsAdmin = true;
        db->gLogErr = base.carpeta() + QStringLiteral("/XQERR.LOG");
        db->gCnn = ado::Connection::Crear();
        db->gCnn->Open(db->gConnString);
    }
    ~ObjetoConectado() { CNStuffContable::ReiniciarBaseDatos(); }

    BaseDePrueba base;
    DB_Dll* db = nullptr;
};
