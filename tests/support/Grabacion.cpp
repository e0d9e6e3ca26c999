#include "support/Grabacion.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <QWidget>
#include <ostream>

void PrintTo(const FilaGrabacion& f, std::ostream* os) {
    *os << f.nombre;
}

namespace {

// Copies every page of one database over another.
void Copia(sqlite3* desde, sqlite3* hacia) {
    sqlite3_backup* b = sqlite3_backup_init(hacia, "main", desde, "main");
    ASSERT_NE(b, nullptr) << sqlite3_errmsg(hacia);
    EXPECT_EQ(sqlite3_backup_step(b, -1), SQLITE_DONE) << sqlite3_errmsg(hacia);
    sqlite3_backup_finish(b);
}

sqlite3* Abre(const QString& ruta) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(ruta.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    return db;
}

}  // namespace

CopiaDeEmpresa::CopiaDeEmpresa(BaseDePrueba& base) : base_(base) {
    sqlite3_open(":memory:", &copia_);
    sqlite3* archivo = Abre(base.ruta());
    Copia(archivo, copia_);
    sqlite3_close(archivo);
}

CopiaDeEmpresa::~CopiaDeEmpresa() {
    sqlite3_close(copia_);
}

void CopiaDeEmpresa::Restaura() {
    DB_Dll& db = CNStuffContable::gBaseDatos();
    if (db.gCnn && db.gCnn->State() == ado::adStateOpen) db.gCnn->Close();
    sqlite3* archivo = Abre(base_.ruta());
    Copia(copia_, archivo);
    sqlite3_close(archivo);
    db.ReintentaConectar();
}

DialogosDeGrabacion::DialogosDeGrabacion(Grabacion& g) : g_(g), anteriores_(&vb::dialogos()) {
    vb::setDialogos(this);
}

DialogosDeGrabacion::~DialogosDeGrabacion() {
    vb::setDialogos(anteriores_);
}

int DialogosDeGrabacion::MsgBox(const QString& texto, int estilo, const QString& titulo) {
    mensajes_.append({texto, titulo});
    if (const int propia = g_.Responde(texto)) return propia;
    ++avisos_;
    switch (estilo & 7) {
        case vb::vbAbortRetryIgnore:
            return vb::vbAbort;
        case vb::vbOKCancel:
        case vb::vbRetryCancel:
            return vb::vbCancel;
        case vb::vbYesNo:
        case vb::vbYesNoCancel:
            return vb::vbNo;
        default:
            return vb::vbOK;
    }
}

QString DialogosDeGrabacion::InputBox(const QString& texto, const QString& titulo, const QString&) {
    mensajes_.append({texto, titulo});
    ++avisos_;
    return {};
}

void DialogosDeGrabacion::MostrarModal(QWidget* formulario) {
    mensajes_.append({formulario->windowTitle(), {}});
    ++avisos_;
    formulario->hide();
}

QString DialogosDeGrabacion::AbrirArchivo(const QString& titulo, const QString&, bool* cancelado) {
    mensajes_.append({titulo, {}});
    ++avisos_;
    if (cancelado) *cancelado = true;
    return {};
}
