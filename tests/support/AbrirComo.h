#pragma once
// Opens the shared database object on a test database as an application user, the way start-up
// does. True when it opened.
#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "support/BaseDePrueba.h"

inline bool AbrirComo(const BaseDePrueba& base, const QString& usuario = QStringLiteral("ADMIN")) {
    CNStuffContable::gUsuarioLogeado = usuario;
    DB_Dll& db = CNStuffContable::gBaseDatos();
    db.gServidor = base.carpeta();
    db.gDBName = db.gUsuario = db.gUserPassWord = base.nombre();
    db.OpenServerADODB(false, 3, QString(), true, true);
    return db.gOpenFlag;
}
