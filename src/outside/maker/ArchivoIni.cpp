#include "outside/maker/ArchivoIni.h"

#include "outside/runtime/Archivos.h"
#include "outside/runtime/Programa.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>
#include <QStringDecoder>
#include <optional>

namespace maker {

namespace {

// One line of the file as it stands: its bytes and its own line end (CR LF, LF, CR or none).
struct Linea {
    QByteArray bytes;
    QByteArray fin;
};

QList<Linea> PartirLineas(const QByteArray& datos) {
    QList<Linea> lineas;
    qsizetype inicio = 0;
    const qsizetype n = datos.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = datos[i];
        if (c != '\r' && c != '\n') continue;
        const qsizetype largoFin = (c == '\r' && i + 1 < n && datos[i + 1] == '\n') ? 2 : 1;
        lineas.append({datos.mid(inicio, i - inicio), datos.mid(i, largoFin)});
        i += largoFin - 1;
        inicio = i + 1;
    }
    if (inicio < n) lineas.append({datos.mid(inicio), {}});
    return lineas;
}

// The suite's ini files are Windows-1252; a line that is valid UTF-8 beyond ASCII is one an
// earlier version of this program wrote.
QString Decodificar(const QByteArray& bytes) {
    QByteArray b = bytes;
    // A reader of C strings stops at a NUL.
    const qsizetype nul = b.indexOf('\0');
    if (nul >= 0) b.truncate(nul);
    bool ascii = true;
    for (const char c : b)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) return QString::fromLatin1(b);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString s = utf8(b);
    if (!utf8.hasError()) return s;
    return vb::desdeWindows1252(b);
}

// The section a line opens ("[name]", blanks around the name ignored).
std::optional<QString> Seccion(const QString& linea) {
    const QString t = linea.trimmed();
    if (!t.startsWith(QLatin1Char('['))) return std::nullopt;
    const qsizetype cierre = t.indexOf(QLatin1Char(']'));
    if (cierre < 0) return std::nullopt;
    return t.mid(1, cierre - 1).trimmed();
}

// The key and value of a "key=value" line; comments and lines without "=" hold none.
bool ClaveValor(const QString& linea, QString& clave, QString& valor) {
    const QString t = linea.trimmed();
    if (t.isEmpty() || t.startsWith(QLatin1Char(';'))) return false;
    const qsizetype igual = t.indexOf(QLatin1Char('='));
    if (igual <= 0) return false;
    clave = t.left(igual).trimmed();
    if (clave.isEmpty()) return false;
    valor = t.mid(igual + 1).trimmed();
    if (valor.size() >= 2 && valor.startsWith(QLatin1Char('"')) && valor.endsWith(QLatin1Char('"')))
        valor = valor.mid(1, valor.size() - 2);
    return true;
}

bool MismoNombre(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where a key stands in the file: the section's header line, the key's line (-1 when the section
// lacks it) and the section's last line that is not blank.
struct Ubicacion {
    qsizetype seccion = -1;
    qsizetype clave = -1;
    qsizetype ultimaOcupada = -1;
};

Ubicacion Buscar(const QList<Linea>& lineas, const QString& seccion, const QString& clave, QString* valor) {
    Ubicacion u;
    // A key is looked for in every section of that name; a new one goes to the first of them.
    bool dentro = false;
    bool enPrimera = false;
    for (qsizetype i = 0; i < lineas.size(); ++i) {
        const QString texto = Decodificar(lineas[i].bytes);
        if (const auto nombre = Seccion(texto)) {
            dentro = MismoNombre(*nombre, seccion.trimmed());
            enPrimera = dentro && u.seccion < 0;
            if (enPrimera) u.seccion = u.ultimaOcupada = i;
            continue;
        }
        if (!dentro) continue;
        if (enPrimera && !texto.trimmed().isEmpty()) u.ultimaOcupada = i;
        QString k, v;
        if (ClaveValor(texto, k, v) && MismoNombre(k, clave.trimmed())) {
            u.clave = i;
            if (valor) *valor = v;
            return u;
        }
    }
    return u;
}

std::optional<QByteArray> LeerBytes(const QString& ruta) {
    QFile f(ruta);
    if (!f.exists()) return QByteArray();
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    return f.readAll();
}

// Text the file can hold as one Windows-1252 line, unchanged on reading back.
bool Representable(const QString& texto) {
    if (texto.contains(QLatin1Char('\r')) || texto.contains(QLatin1Char('\n')) || texto.contains(QChar(0)))
        return false;
    return vb::desdeWindows1252(vb::aWindows1252(texto)) == texto;
}

// A value the reader would trim or unquote travels in quotes.
QString ValorEscrito(const QString& valor) {
    const bool entreComillas =
        valor.size() >= 2 && valor.startsWith(QLatin1Char('"')) && valor.endsWith(QLatin1Char('"'));
    if (valor != valor.trimmed() || entreComillas) return QLatin1Char('"') + valor + QLatin1Char('"');
    return valor;
}

}  // namespace

ArchivoIni& gArchivoIni() {
    static ArchivoIni instancia;
    return instancia;
}

QString ArchivoIni::RutaDe(const QString& archivo) {
    QString ruta = archivo.trimmed();
    if (QDir::isRelativePath(ruta)) ruta = QDir(vb::App().Path).filePath(ruta);
    const QFileInfo info(ruta);
    if (info.exists()) return ruta;
    const QDir carpeta = info.absoluteDir();
    for (const QString& nombre : carpeta.entryList(QDir::Files))
        if (nombre.compare(info.fileName(), Qt::CaseInsensitive) == 0) return carpeta.filePath(nombre);
    return ruta;
}

bool ArchivoIni::Leer(const QString& archivo, const QString& seccion, const QString& clave,
                      const QString& porDefecto, QString& valor) const {
    valor = porDefecto;
    const QString ruta = RutaDe(archivo);
    if (!QFileInfo(ruta).isFile()) return false;
    const auto datos = LeerBytes(ruta);
    if (!datos) return false;
    QString hallado;
    if (Buscar(PartirLineas(*datos), seccion, clave, &hallado).clave < 0) return false;
    valor = hallado;
    return true;
}

QString ArchivoIni::Leer(const QString& archivo, const QString& seccion, const QString& clave,
                         const QString& porDefecto) const {
    QString valor;
    Leer(archivo, seccion, clave, porDefecto, valor);
    return valor;
}

bool ArchivoIni::Escribir(const QString& archivo, const QString& seccion, const QString& clave,
                          const QString& valor) const {
    const QString s = seccion.trimmed();
    const QString k = clave.trimmed();
    // A name or value the file cannot hold as written would come back as something else.
    if (s.isEmpty() || k.isEmpty() || !Representable(s) || !Representable(k) || !Representable(valor) ||
        s.contains(QLatin1Char(']')) || k.contains(QLatin1Char('=')) || k.startsWith(QLatin1Char(';')) ||
        k.startsWith(QLatin1Char('[')))
        return false;

    const QString ruta = RutaDe(archivo);
    if (QFileInfo(ruta).exists() && !QFileInfo(ruta).isFile()) return false;
    const auto datos = LeerBytes(ruta);
    if (!datos) return false;

    // Only the key's own line changes; every other byte of the file stays as it was, whatever
    // the reader made of it.
    QList<Linea> lineas = PartirLineas(*datos);
    const QByteArray crlf("\r\n");
    const QByteArray nueva = vb::aWindows1252(k + QLatin1Char('=') + ValorEscrito(valor));
    const Ubicacion u = Buscar(lineas, s, k, nullptr);
    if (u.clave >= 0) {
        // The key keeps its own spelling; only the value changes.
        QByteArray& linea = lineas[u.clave].bytes;
        linea = linea.left(linea.indexOf('=') + 1) + vb::aWindows1252(ValorEscrito(valor));
    } else if (u.seccion >= 0) {
        if (lineas[u.ultimaOcupada].fin.isEmpty()) lineas[u.ultimaOcupada].fin = crlf;
        lineas.insert(u.ultimaOcupada + 1, {nueva, crlf});
    } else {
        if (!lineas.isEmpty()) {
            if (lineas.last().fin.isEmpty()) lineas.last().fin = crlf;
            if (!lineas.last().bytes.trimmed().isEmpty()) lineas.append({{}, crlf});
        }
        lineas.append({vb::aWindows1252(QLatin1Char('[') + s + QLatin1Char(']')), crlf});
        lineas.append({nueva, crlf});
    }

    QByteArray salida;
    salida.reserve(datos->size() + nueva.size() + s.size() + 8);
    for (const Linea& l : lineas) salida += l.bytes + l.fin;
    // A temporary file renamed over the old one: a failed write leaves the file as it was.
    QSaveFile f(ruta);
    if (!f.open(QIODevice::WriteOnly)) return false;
    if (f.write(salida) != salida.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

}  // namespace maker
