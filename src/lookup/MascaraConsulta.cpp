#include "lookup/MascaraConsulta.h"

#include "data/DB_Dll.h"
#include "outside/ado/Recordset.h"
#include "outside/ado/sqlite/Lexico.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Archivos.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/ErrorVB.h"
#include "services/CNStuffContable.h"

#include <QFile>
#include <QSet>

namespace MascaraConsulta {

namespace {

QString Campo(const QByteArray& bytes, int desde, int largo) {
    return vb::desdeWindows1252(bytes.mid(desde, largo));
}

// Padding of the files written by the suite's own editor: NUL, 0xFF or blanks.
QString Limpio(const QString& texto) {
    const QString sinRelleno = maker::gUtilidades().QuitaCaracter(texto, QString(QChar(0)) + QChar(0xFF));
    return vb::Trim(sinRelleno);
}

}  // namespace

RegMascaraConsulta DesdeBytes(const QByteArray& leidos) {
    QByteArray bytes = leidos.left(kLargoRegistro);
    if (bytes.size() < kLargoRegistro) bytes.append(QByteArray(kLargoRegistro - bytes.size(), '\0'));
    RegMascaraConsulta r;
    r.Descripcion = Campo(bytes, 0, 100);
    r.Tabla = Limpio(Campo(bytes, 100, 100));
    // The columns must be blank padded; a NUL left in them would reach the statement.
    r.Campos = vb::Trim(maker::gUtilidades().QuitaCaracter(Campo(bytes, 200, 500), QString(QChar(0))));
    r.Condicion = Limpio(Campo(bytes, 700, 500));
    r.FinRegistro = Campo(bytes, 1200, 2);
    return r;
}

bool Buscar(const QString& ruta, const QString& tabla, RegMascaraConsulta& reg) {
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly)) return false;
    const QString buscada = vb::Trim(tabla);
    while (!archivo.atEnd()) {
        const QByteArray bytes = archivo.read(kLargoRegistro);
        if (bytes.isEmpty()) break;
        reg = DesdeBytes(bytes);
        if (vb::Trim(reg.Tabla).compare(buscada, Qt::CaseInsensitive) != 0) continue;
        // The file is not the program's text: nothing in it may lift the user's restricted views.
        DB_Dll& db = CNStuffContable::gBaseDatos();
        reg.Tabla = db.SS_TSinonimosDeDato(reg.Tabla);
        reg.Campos = db.SS_TSinonimosDeDato(reg.Campos);
        reg.Condicion = db.SS_TSinonimosDeDato(reg.Condicion);
        return true;
    }
    return false;
}

QString Columnas(const RegMascaraConsulta& reg) {
    QString c =
        vb::Trim(maker::gUtilidades().Reemplaza(reg.Campos, QStringLiteral("|"), QStringLiteral(",")));
    if (c.startsWith(QLatin1Char(','))) c.remove(0, 1);
    if (c.endsWith(QLatin1Char(','))) c.chop(1);
    return c.isEmpty() ? QStringLiteral("*") : c;
}

namespace {

using ado::sqlite::Clase;

bool EsNombreDeColumna(const ado::sqlite::Pieza& p) {
    return (p.es(Clase::Palabra) && !p.texto.startsWith(QLatin1Char('@'))) || p.es(Clase::Nombre);
}

// The entries of the list that are a column name, alone or after its table's name.
QStringList NombresSimples(const QString& columnas) {
    QStringList nombres;
    ado::sqlite::Piezas entrada;
    int nivel = 0;
    const auto cierra = [&] {
        if (entrada.size() == 1 && EsNombreDeColumna(entrada[0]))
            nombres << entrada[0].nombreSinComillas();
        else if (entrada.size() == 3 && EsNombreDeColumna(entrada[0]) && entrada[1].es(Clase::Punto) &&
                 EsNombreDeColumna(entrada[2]))
            nombres << entrada[2].nombreSinComillas();
        entrada.clear();
    };
    for (const ado::sqlite::Pieza& p : ado::sqlite::Tokenizar(columnas)) {
        if (p.es(Clase::AbreParen)) ++nivel;
        if (p.es(Clase::CierraParen)) --nivel;
        if (nivel == 0 && p.es(Clase::Coma))
            cierra();
        else
            entrada << p;
    }
    cierra();
    return nombres;
}

}  // namespace

QString ColumnaFaltante(const QString& tabla, const QString& columnas) {
    const QStringList nombres = NombresSimples(columnas);
    if (nombres.isEmpty()) return QString();
    DB_Dll& db = CNStuffContable::gBaseDatos();
    QSet<QString> campos;
    try {
        // Read quietly: a table the window cannot open is reported by the window itself.
        const QString sentencia = db.SS_TSinonimos("SELECT TOP 1 * FROM " + tabla);
        const ado::RecordsetPtr rs = ado::Recordset::Crear();
        rs->Open(sentencia, db.gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly, -1);
        if (rs->State() == ado::adStateClosed) return QString();
        ado::Fields& f = rs->fields();
        for (int i = 0; i < f.Count(); ++i) campos.insert(f[i].Name().toUpper());
        rs->Close();
    } catch (const vb::ErrorVB&) {
        return QString();
    }
    for (const QString& n : nombres)
        if (!campos.contains(n.toUpper())) return n;
    return QString();
}

}  // namespace MascaraConsulta
