// Starting the suite's sibling programs with the current connection on their command line.
#include "services/CNStuffContable.h"

#include "data/DB_Dll.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Archivos.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/Procesos.h"
#include "outside/runtime/Programa.h"

namespace CNStuffContable {

namespace {
constexpr int kVentanaNormalConFoco = 1;
}  // namespace

bool ExisteArchivo(const QString& ruta) {
    return vb::ExisteArchivo(ruta);
}

QString FormatoFechaHora() {
    return "dd/mm/yy hh:mm";
}

QString RutaProgramaHermano(const QString& nombre) {
    if (vb::Trim(nombre).isEmpty()) return QString();
    const QString carpeta = maker::gUtilidades().BarraFinal(vb::App().Path);
    if (ExisteArchivo(carpeta + nombre)) return carpeta + nombre;
    QString enMinusculas = nombre.toLower();
    if (enMinusculas.endsWith(".exe")) enMinusculas.chop(4);
    if (ExisteArchivo(carpeta + enMinusculas)) return carpeta + enMinusculas;
    return QString();
}

QString ParametrosHermano(const QString& parametroAdicional) {
    const DB_Dll& db = gBaseDatos();
    return " ; @server=" + ValorEnParametros(db.gServidor) + "; @dbname=" + ValorEnParametros(db.gDBName) +
           "; @usuario=" + ValorEnParametros(db.gUsuario) +
           "; @Password=" + ValorEnParametros(db.gUserPassWord) +
           "; @ParametroAdicional=" + ValorEnParametros(parametroAdicional) + "; tarvo@ ;";
}

void EjecutaOpcionMenu(const QString& opcion, const QString& parametroAdicional, int32_t& idTarea) {
    const QString programa = RutaProgramaHermano(opcion.mid(6));
    // The parameters travel as one argument, so the started program reads the same text.
    const bool iniciado = !programa.isEmpty() &&
                          vb::Shell(programa, {ParametrosHermano(parametroAdicional)}, kVentanaNormalConFoco);
    // The process id is not known here: any nonzero id means started.
    idTarea = iniciado ? 1 : 0;
    if (idTarea == 0)
        vb::MsgBox(QString("Opcion no Implementada!") + "\r" + "Comuniquese con su proveedor de sistemas",
                   vb::vbCritical, "Atención");
}

}  // namespace CNStuffContable
