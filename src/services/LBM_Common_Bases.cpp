// The registered connections file "BASES.TXT": five comma-separated fields per CR LF line,
// Windows-1252, shared with the suite's other programs.
#include "services/LBM_Common.h"

#include "outside/maker/Utilidades.h"
#include "outside/runtime/Archivos.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/ErrorVB.h"
#include "outside/runtime/Programa.h"

namespace LBM_Common {

QString gArchivoBases;

namespace {
constexpr int kCampos = 5;
constexpr int32_t kErrAccesoArchivo = 75;

// A field the reader would not give back as it stands (it skips blanks and tabs around an item
// and takes a leading quote as the start of a quoted one) is written quoted, each quote doubled.
QString CampoEscrito(const QString& campo) {
    const auto blanco = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    const bool citar = !campo.isEmpty() &&
                       (campo.front() == QLatin1Char('"') || blanco(campo.front()) || blanco(campo.back()));
    if (!citar) return campo;
    QString doblado = campo;
    doblado.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doblado + QLatin1Char('"');
}

bool RompeLinea(const QString& valor) {
    return valor.contains(QLatin1Char(',')) || valor.contains(QLatin1Char('\r')) ||
           valor.contains(QLatin1Char('\n'));
}
}  // namespace

QString ArchivoBases() {
    if (vb::Trim(gArchivoBases).isEmpty())
        gArchivoBases = maker::gUtilidades().BarraFinal(vb::App().Path) + "BASES.TXT";
    return gArchivoBases;
}

QString NombreEntradaBase(const QString& base, const QString& servidor) {
    QString parteServidor = vb::Trim(servidor.toUpper());
    const qsizetype dosPuntos = parteServidor.indexOf(QLatin1Char(':'));
    if (dosPuntos >= 0) parteServidor = parteServidor.left(dosPuntos);
    return vb::Trim(base.toUpper()) + " / " + parteServidor;
}

void AgregaBaseArchivo(const QString& nombre, const QString& base, const QString& usuario,
                       const QString& password, const QString& servidor, bool oracle) {
    const QString ruta = ArchivoBases();
    QString servidorGuardado = servidor;
    if (oracle) servidorGuardado += "#";

    const QString clave = maker::gUtilidades().CodificaClave(password);
    const QStringList campos = {vb::Trim(nombre), vb::Trim(base), vb::Trim(usuario), vb::Trim(clave),
                                vb::Trim(servidorGuardado)};
    // A comma or a line break would shift the fields of every reader: nothing is written.
    for (const QString& campo : campos)
        if (RompeLinea(campo))
            vb::Raise(vb::kArgumentoInvalido,
                      "La conexion no se puede registrar: un dato contiene una coma o un salto de linea");

    // The last line decides whether the previous one still needs its end.
    QString ultimaLinea;
    if (vb::ExisteArchivo(ruta)) {
        const std::optional<QString> todo = vb::LeerTodo(ruta);
        if (!todo) vb::Raise(kErrAccesoArchivo, "No se puede leer el archivo " + ruta);
        const qsizetype corte = todo->lastIndexOf("\r\n");
        ultimaLinea = corte < 0 ? *todo : todo->mid(corte + 2);
    }

    QStringList escritos;
    for (const QString& campo : campos) escritos << CampoEscrito(campo);
    const QString linea = escritos.join(QLatin1Char(','));
    const QString texto = vb::Trim(ultimaLinea).isEmpty() ? linea + "\r\n" : "\r" + linea + "\r\n";
    if (!vb::AgregarTexto(ruta, texto))
        vb::Raise(kErrAccesoArchivo, "No se puede escribir el archivo " + ruta);
}

std::optional<QList<EntradaBase>> LeeBasesArchivo(const QString& ruta) {
    const std::optional<QStringList> lineas = vb::LeerLineas(ruta);
    if (!lineas) return std::nullopt;
    QList<EntradaBase> entradas;
    for (const QString& linea : *lineas) {
        QStringList items = vb::ItemsDeTexto(linea, true);
        if (items.isEmpty() || items.size() > kCampos) continue;
        while (items.size() < kCampos) items << QString();
        entradas.append({items[0], items[1], items[2], items[3], items[4]});
    }
    return entradas;
}

bool SeparaPuerto(const QString& campo, QString& servidor, QString& puerto) {
    const qsizetype dosPuntos = campo.indexOf(QLatin1Char(':'));
    if (dosPuntos < 0) return false;
    puerto = campo.mid(dosPuntos + 1);
    servidor = vb::Trim(campo.left(dosPuntos).toUpper());
    return true;
}

}  // namespace LBM_Common
