#include "accounts/reportes/ReporteCuentas.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "outside/ado/Connection.h"
#include "outside/ado/Recordset.h"
#include "outside/maker/ReporteListado.h"
#include "outside/maker/SistemaPC.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/ErrorVB.h"
#include "services/CNStuffContable.h"

#include <QDir>
#include <memory>

namespace {

QString Texto(const QVariant& v) {
    return v.isNull() ? QString() : v.toString().trimmed();
}

// The value of a "nombre = 'valor'" text of the request, "" when absent.
QString Formula(const QStringList& formulas, const QString& nombre) {
    for (const QString& f : formulas) {
        const int igual = int(f.indexOf('='));
        if (igual < 0 || f.left(igual).trimmed().compare(nombre, Qt::CaseInsensitive) != 0) continue;
        QString valor = f.mid(igual + 1).trimmed();
        if (valor.size() >= 2 && valor.startsWith('\'') && valor.endsWith('\''))
            valor = valor.mid(1, valor.size() - 2);
        return valor;
    }
    return QString();
}

bool Marcado(const QVariant& v) {
    return !v.isNull() && (v.typeId() == QMetaType::Bool ? v.toBool() : v.toString().trimmed() != "0");
}

}  // namespace

ReporteCuentas::ReporteCuentas(QString carpetaSalida) : carpeta_(std::move(carpetaSalida)) {}

void ReporteCuentas::Registrar(const QString& carpetaSalida) {
    maker::gReporte().Registra(kNombre, std::make_unique<ReporteCuentas>(carpetaSalida));
}

maker::Listado ReporteCuentas::Contenido(const maker::SolicitudReporte& solicitud, ado::Connection& cn) {
    maker::Listado l;
    l.Empresa = Formula(solicitud.Formulas, "empresa");
    l.Titulo = "Plan General de Cuentas";
    l.Columnas << maker::ColumnaListado{"Código", 1.6, false} << maker::ColumnaListado{"D.V.", 0.6, true}
               << maker::ColumnaListado{"Descripción", 3.6, false}
               << maker::ColumnaListado{"Tipo", 0.9, false} << maker::ColumnaListado{"Ajuste", 0.8, false}
               << maker::ColumnaListado{"Bloqueada", 1.1, false};
    // Paper shows what the screen shows: a user who is not an administrator reads the restricted view.
    auto rs = cn.Execute(CNStuffContable::gBaseDatos().SS_TSinonimos(
        "SELECT CODIGO, DV, DESCRIPCION, TITULO, AJUSTE, INDICE, BLOQUEO FROM MA_CUENTAS "
        "WHERE DADA_DE_BAJA = 0 ORDER BY CODIGO"));
    while (!rs->Eof()) {
        const bool titulo = Marcado(rs->valor("TITULO"));
        const QString indice = Texto(rs->valor("INDICE"));
        l.Filas << QStringList{CNStuffContable::FormateaCuenta(Texto(rs->valor("CODIGO"))),
                               titulo ? QString() : Texto(rs->valor("DV")),
                               Texto(rs->valor("DESCRIPCION")),
                               titulo ? "Título" : "Imputable",
                               Marcado(rs->valor("AJUSTE")) ? "SI " + indice : QString(),
                               Marcado(rs->valor("BLOQUEO")) ? "SI" : QString()};
        rs->MoveNext();
    }
    return l;
}

bool ReporteCuentas::Generar(const maker::SolicitudReporte& solicitud, QString& error) {
    return maker::GeneraListado(
        solicitud, kNombre, "el plan de cuentas",
        [&](ado::Connection& cn) { return Contenido(solicitud, cn); }, carpeta_, ultimo_, error);
}
