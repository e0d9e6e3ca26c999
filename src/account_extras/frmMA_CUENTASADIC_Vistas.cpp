// Which optional fields an account's range of additional data shows.
#include "account_extras/frmMA_CUENTASADIC.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "outside/ado/TextoSql.h"
#include "outside/controls/CajaTexto.h"
#include "outside/maker/EnlaceControles.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/ManejadorErrores.h"

#include <QGroupBox>
#include <QLabel>

namespace {

struct Opcional {
    const char* titulo;
    const char* columna;
    int etiqueta;  // element of Label1
};

const Opcional kOpcionales[] = {
    {"Condición de Compra Venta", "IDCOND_Cpra_Vta", 0},
    {"Limite de Crédito", "LIMITE_CREDITO", 3},
    {"Categoría", "IDCATEGORIA", 1},
};

QString Recortado(const QVariant& v) {
    return vb::Trim(maker::gUtilidades().TextoCampo(v));
}

}  // namespace

void frmMA_CUENTASADIC::DeterminaVista(const QString& cuenta) {
    vb::ManejadorErrores h("DeterminaVista", maker::gUtilidades().Reportero());
    auto& db = CNStuffContable::gBaseDatos();
    const QString codigo = vb::Trim(cuenta);
    ado::RecordsetPtr rs;
    QString vista;
    bool hallada = false;

    if (!h.paso([&] {
            QString sql = "SELECT * FROM TA_RANGOS_DATOS_ADIC";
            db.AbrirRecordset(sql, rs, db.gCnn, ado::adOpenKeyset, ado::adLockReadOnly, -1, true);
        }))
        return;
    if (!h.paso([&] {
            // Text comparison, letter case ignored: codes of other lengths compare as text.
            for (; !rs->Eof(); rs->MoveNext()) {
                const QString desde = Recortado(rs->valor("CUENTA-DEsdE"));
                const QString hasta = Recortado(rs->valor("CUENTA-HASTA"));
                if (desde.compare(codigo, Qt::CaseInsensitive) <= 0 &&
                    hasta.compare(codigo, Qt::CaseInsensitive) >= 0) {
                    vista = Recortado(rs->valor("Vista"));
                    hallada = true;
                    break;
                }
            }
        }))
        return;
    if (!hallada) return;

    QString campos = "|";
    if (!h.paso([&] {
            QString sql = "SELECT * FROM TA_VISTAS WHERE LTRIM(RTRIM(NOMBRE)) = " + ado::LiteralTexto(vista);
            db.AbrirRecordset(sql, rs, db.gCnn, ado::adOpenKeyset, ado::adLockReadOnly, -1, true);
            for (; !rs->Eof(); rs->MoveNext()) campos += Recortado(rs->valor("Campo")) + "|";
        }))
        return;
    if (QString(campos).remove('|').isEmpty()) {
        FrmMasDatos->setVisible(false);
        return;
    }
    FrmMasDatos->setVisible(true);
    for (const Opcional& o : kOpcionales) {
        h.paso([&] {
            const bool mostrar = campos.contains(QString::fromUtf8(o.titulo), Qt::CaseInsensitive);
            const int i = maker::gEnlaceControles().CampoEnlazado(QString::fromUtf8(o.columna), txtFields);
            if (i >= 0) txtFields[i]->setVisible(mostrar);
            Label1[o.etiqueta]->setVisible(mostrar);
        });
    }
}

QString frmMA_CUENTASADIC::Rangos_Adicionales() {
    vb::ManejadorErrores h("Form_Unload", maker::gUtilidades().Reportero());
    auto& db = CNStuffContable::gBaseDatos();
    QString resultado;
    ado::RecordsetPtr rs;
    if (!h.paso([&] {
            QString sql = "SELECT * FROM TA_RANGOS_DATOS_ADIC ORDER BY DESCRIPCION";
            db.AbrirRecordset(sql, rs, db.gCnn, ado::adOpenKeyset, ado::adLockReadOnly, -1, true);
        }))
        return resultado;
    h.paso([&] {
        for (QString separador; !rs->Eof(); rs->MoveNext(), separador = " OR ")
            resultado +=
                separador +
                " (LTRIM(RTRIM(CODIGO))>= " + ado::LiteralTexto(Recortado(rs->valor("CUENTA-DEsdE"))) +
                " AND LTRIM(RTRIM(CODIGO))<= " + ado::LiteralTexto(Recortado(rs->valor("CUENTA-HASTA"))) +
                " ) ";
    });
    return resultado;
}
