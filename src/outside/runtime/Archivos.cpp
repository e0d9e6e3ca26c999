#include "outside/runtime/Archivos.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <array>

namespace vb {

namespace {

// 0x80..0x9F; 0 marks the five bytes Windows-1252 leaves unassigned (read as the C1 control).
constexpr std::array<char16_t, 32> kTabla80 = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       //
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char aByte(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < kTabla80.size(); ++i)
        if (kTabla80[i] == c) return static_cast<char>(0x80 + i);
    // The unassigned bytes come back as they were read.
    if (c >= 0x80 && c <= 0x9F && kTabla80[c - 0x80] == 0) return static_cast<char>(c);
    return '?';
}

}  // namespace

bool CabeEnWindows1252(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return true;
    for (char16_t t : kTabla80)
        if (t != 0 && t == c) return true;
    return false;
}

namespace {

bool escribir(const QString& ruta, const QByteArray& bytes, QIODevice::OpenMode modo) {
    QFile archivo(ruta);
    if (!archivo.open(modo)) return false;
    const bool ok = archivo.write(bytes) == bytes.size();
    archivo.close();
    return ok && archivo.error() == QFileDevice::NoError;
}

QByteArray conFinDeLinea(const QString& linea) {
    return aWindows1252(linea) + "\r\n";
}

}  // namespace

QByteArray aWindows1252(const QString& texto) {
    QByteArray bytes;
    bytes.reserve(texto.size());
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        // A character outside the basic plane is one '?', not two.
        if (c.isHighSurrogate() && i + 1 < texto.size() && texto[i + 1].isLowSurrogate()) ++i;
        bytes += c.isSurrogate() ? '?' : aByte(c.unicode());
    }
    return bytes;
}

QString desdeWindows1252(const QByteArray& bytes) {
    QString texto;
    texto.reserve(bytes.size());
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (u >= 0x80 && u <= 0x9F && kTabla80[u - 0x80] != 0)
            texto += QChar(kTabla80[u - 0x80]);
        else
            texto += QChar(u);
    }
    return texto;
}

bool AgregarLinea(const QString& ruta, const QString& linea) {
    return escribir(ruta, conFinDeLinea(linea), QIODevice::WriteOnly | QIODevice::Append);
}

bool EscribirLineas(const QString& ruta, const QStringList& lineas) {
    QByteArray bytes;
    for (const QString& l : lineas) bytes += conFinDeLinea(l);
    // Written aside and renamed, so a failed write leaves the old file whole.
    QSaveFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly)) return false;
    if (archivo.write(bytes) != bytes.size()) {
        archivo.cancelWriting();
        return false;
    }
    return archivo.commit();
}

std::optional<QStringList> LeerLineas(const QString& ruta) {
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly)) return std::nullopt;
    const QString texto = desdeWindows1252(archivo.readAll());
    if (archivo.error() != QFileDevice::NoError) return std::nullopt;
    QStringList lineas;
    QString actual;
    bool pendiente = false;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lineas << actual;
            actual.clear();
            pendiente = false;
            if (c == QLatin1Char('\r') && i + 1 < texto.size() && texto[i + 1] == QLatin1Char('\n')) ++i;
        } else {
            actual += c;
            pendiente = true;
        }
    }
    if (pendiente) lineas << actual;
    return lineas;
}

bool ExisteArchivo(const QString& ruta) {
    if (ruta.isEmpty()) return false;
    const QFileInfo info(ruta);
    return info.isFile() && info.isReadable();
}

std::optional<QString> LeerTodo(const QString& ruta) {
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = archivo.readAll();
    if (archivo.error() != QFileDevice::NoError) return std::nullopt;
    return desdeWindows1252(bytes);
}

bool AgregarTexto(const QString& ruta, const QString& texto) {
    return escribir(ruta, aWindows1252(texto), QIODevice::WriteOnly | QIODevice::Append);
}

QStringList ItemsDeTexto(const QString& texto, bool comillasDobladas) {
    QStringList items;
    const qsizetype n = texto.size();
    auto esFinDeLinea = [](QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); };
    auto esBlanco = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    // Consumes the separator at i (a comma or one line end); returns whether it was a comma.
    auto saltarSeparador = [&](qsizetype& i) {
        if (i >= n) return false;
        if (texto[i] == QLatin1Char(',')) {
            ++i;
            return true;
        }
        if (texto[i] == QLatin1Char('\r') && i + 1 < n && texto[i + 1] == QLatin1Char('\n')) ++i;
        ++i;
        return false;
    };
    qsizetype i = 0;
    bool trasComa = false;
    while (i < n) {
        while (i < n && esBlanco(texto[i])) ++i;
        if (i >= n) break;
        if (esFinDeLinea(texto[i]) && !trasComa) {
            saltarSeparador(i);
            continue;
        }
        QString item;
        if (texto[i] == QLatin1Char('"')) {
            qsizetype desde = i + 1;
            for (;;) {
                const qsizetype cierre = texto.indexOf(QLatin1Char('"'), desde);
                const qsizetype fin = cierre < 0 ? n : cierre;
                item += texto.mid(desde, fin - desde);
                i = fin + 1;
                if (!comillasDobladas || i >= n || texto[i] != QLatin1Char('"')) break;
                item += QLatin1Char('"');
                desde = i + 1;
            }
            while (i < n && texto[i] != QLatin1Char(',') && !esFinDeLinea(texto[i])) ++i;
        } else {
            const qsizetype inicio = i;
            while (i < n && texto[i] != QLatin1Char(',') && !esFinDeLinea(texto[i])) ++i;
            item = texto.mid(inicio, i - inicio);
            while (!item.isEmpty() && esBlanco(item.back())) item.chop(1);
        }
        items << item;
        trasComa = saltarSeparador(i);
    }
    // A comma at the very end leaves one empty item.
    if (trasComa) items << QString();
    return items;
}

std::optional<QStringList> LeerItems(const QString& ruta) {
    const std::optional<QString> texto = LeerTodo(ruta);
    if (!texto) return std::nullopt;
    return ItemsDeTexto(*texto);
}

QString BarraFinal(const QString& ruta) {
    if (ruta.isEmpty() || ruta.endsWith(QLatin1Char('/'))) return ruta;
    return ruta + QLatin1Char('/');
}

}  // namespace vb
