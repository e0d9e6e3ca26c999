// Any text through the readers of what users type and of what the suite's programs hand each
// other: numbers in both number locales, dates as the server reads them, the shared files'
// code page and items, and the parameter string. Each one reads within its text and gives back
// what it promises.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include <QDateTime>
#include <QLocale>
#include <QString>

#include "Entrada.h"
#include "outside/ado/sqlite/FuncionesServidor.h"
#include "outside/runtime/Archivos.h"
#include "outside/runtime/Conversiones.h"
#include "services/CNStuffContable.h"

namespace {

void Numero(const QString& s, bool coma) {
    vb::setLocaleNumeros(coma ? QLocale(QLocale::Spanish, QLocale::Argentina) : QLocale::c());
    bool desborda = false;
    const auto v = vb::NumeroInicial(s, &desborda);
    if ((v && (!std::isfinite(*v) || desborda)) || (desborda && v)) std::abort();
}

void Fecha(const QString& s) {
    for (bool mesPrimero : {false, true}) {
        QDateTime f;
        if (ado::sqlite::LeerFechaServidor(s, f, mesPrimero) &&
            (!f.isValid() || f.date().year() < 1 || f.date().year() > 9999))
            std::abort();
    }
}

void Archivo(const QByteArray& bytes) {
    // Every byte comes back as it was read.
    if (vb::aWindows1252(vb::desdeWindows1252(bytes)) != bytes) std::abort();
    const QString texto = vb::desdeWindows1252(bytes);
    vb::ItemsDeTexto(texto);
    vb::ItemsDeTexto(texto, true);
}

// Three values in the parameter string: each is read back as it went, or went blank.
void Parametros(const QString& s) {
    const QStringList valores = s.split(QChar(u'\x1f'));
    const QString menu = valores.value(0), servidor = valores.value(1), usuario = valores.value(2);
    const auto viaja = [](const QString& v) { return CNStuffContable::ValorEnParametros(v); };
    const QString linea = "@Menu=" + viaja(menu) + ";@Server=" + viaja(servidor) +
                          ";@UsuarioLogeado=" + viaja(usuario) + ";tarvo@;";
    const QList<QPair<const char*, QString>> claves{
        {"@Menu", menu}, {"@Server", servidor}, {"@UsuarioLogeado", usuario}};
    for (const auto& [clave, valor] : claves) {
        QString leido;
        if (!CNStuffContable::ValorParametro(linea, clave, leido)) std::abort();
        if (leido != QString(viaja(valor)).remove(u'=').trimmed()) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    if (largo < 2) return 0;
    const QString s = TextoDeEntrada(datos + 1, largo - 1);
    switch (datos[0] % 5) {
        case 0:
            Numero(s, datos[0] & 0x80);
            break;
        case 1:
            Fecha(s);
            break;
        case 2:
            Archivo(QByteArray(reinterpret_cast<const char*>(datos + 1), qsizetype(largo - 1)));
            break;
        case 3:
            Parametros(s);
            break;
        default:
            vb::Val(s);
            break;
    }
    return 0;
}
