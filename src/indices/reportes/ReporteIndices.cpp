#include "indices/reportes/ReporteIndices.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "outside/ado/Connection.h"
#include "outside/ado/Recordset.h"
#include "outside/maker/ReporteListado.h"
#include "outside/maker/SistemaPC.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/ErrorVB.h"

#include <QDir>
#include <memory>

ReporteIndices::ReporteIndices(QString carpetaSalida) : carpeta_(std::move(carpetaSalida)) {}

void ReporteIndices::Registrar(const QString& carpetaSalida) {
    maker::gReporte().Registra(kNombre, std::make_unique<ReporteIndices>(carpetaSalida));
}

QString ReporteIndices::ValorFormula(const QStringList& formulas, const QString& nombre) {
    for (const QString& f : formulas) {
        const int igual = f.indexOf('=');
        if (igual < 0 || f.left(igual).trimmed().compare(nombre, Qt::CaseInsensitive) != 0) continue;
        QString valor = f.mid(igual + 1).trimmed();
        if (valor.size() >= 2 && valor.startsWith('\'') && valor.endsWith('\''))
            valor = valor.mid(1, valor.size() - 2);
        return valor;
    }
    return QString();
}

namespace {
// An index as the locale writes it, group separators included, with at least two places so
// that the decimal marks of a column line up; blank for 0 or Null.
QString Indice(const QVariant& v) {
    if (v.isNull() || v.toDouble() == 0) return QString();
    const QLocale loc = vb::localeNumeros();
    const QString corto = loc.toString(v.toDouble(), 'f', QLocale::FloatingPointShortest);
    const int marca = int(corto.lastIndexOf(loc.decimalPoint()));
    if (marca >= 0 && corto.size() - marca - 1 >= 2) return corto;
    return loc.toString(v.toDouble(), 'f', 2);
}

QString Coeficiente(const QVariant& v) {
    if (v.isNull() || v.toDouble() == 0) return QString();
    return vb::localeNumeros().toString(v.toDouble(), 'f', 3);
}
}  // namespace

maker::Listado ReporteIndices::Contenido(const maker::SolicitudReporte& solicitud, ado::Connection& cn) {
    maker::Listado l;
    l.Empresa = ValorFormula(solicitud.Formulas, "empresa");
    l.Titulo = "Indices de Ajustes";
    l.Columnas << maker::ColumnaListado{"Mes", 1.2, false};
    for (int k = 1; k <= 4; ++k)
        l.Columnas << maker::ColumnaListado{ValorFormula(solicitud.Formulas, QString("INDICE%1").arg(k)), 1.5,
                                            true}
                   << maker::ColumnaListado{"Coef.", 1.0, true};
    // Through the same restricted views as every other reading of the user's.
    auto rs = cn.Execute(
        CNStuffContable::gBaseDatos().SS_TSinonimos("SELECT * FROM MA_INDAJUSTE ORDER BY anio, MES"));
    while (!rs->Eof()) {
        QStringList fila{vb::Format(rs->valor("Mes"), "00") + "/" + vb::Format(rs->valor("Anio"), "0000")};
        for (int k = 1; k <= 4; ++k)
            fila << Indice(rs->valor(QString("Importe%1").arg(k)))
                 << Coeficiente(rs->valor(QString("Indice%1").arg(k)));
        l.Filas << fila;
        rs->MoveNext();
    }
    return l;
}

bool ReporteIndices::Generar(const maker::SolicitudReporte& solicitud, QString& error) {
    return maker::GeneraListado(
        solicitud, kNombre, "la tabla de índices",
        [&](ado::Connection& cn) { return Contenido(solicitud, cn); }, carpeta_, ultimo_, error);
}
