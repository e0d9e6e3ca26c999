// The title-account list and the proposal of the first free code under a chosen title.
#include "accounts/FrmMA_CUENTAS.h"

#include "accounts/FilasCuentas.h"
#include "data/DB_Dll.h"
#include "outside/controls/CajaTexto.h"
#include "outside/maker/EnlaceControles.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ManejadorErrores.h"
#include "services/CNStuffContable.h"

#include <QComboBox>
#include <vector>

namespace {

// How the suffixes under a title run, chosen by the title's length.
struct TipoSufijo {
    QString primero;  // empty: the title's own code is the first candidate
    QString formato;  // "00", "0000" or none
    QString limite;   // the suffix that asks for the next title; empty: never asks
};

TipoSufijo TipoPorLargo(int largo, const TipoSufijo& anterior, bool primero) {
    switch (largo) {
        case 1:
        case 2:
            return {"1", {}, "10"};
        case 3:
            return {"01", "00", "99"};
        case 5:
            return {"0001", "0000", {}};
        default:
            return primero ? TipoSufijo{} : anterior;
    }
}

// The table above was written for one chart. Under a title whose code ends a level, where the
// table's suffix would not end the next level, the suffix takes that level's width: 1 padded to
// it, asking for the next title when it would need one digit more.
TipoSufijo TipoDelTitulo(int largo, const TipoSufijo& anterior, bool primero) {
    using namespace CNStuffContable;
    const TipoSufijo tabla = TipoPorLargo(largo, anterior, primero);
    const int fines[] = {gPosCapitulo, gPosSubcapitulo, gPosRubro, gPosSubrubro, gPosCuenta, gPosSubcuenta};
    int siguiente = 0;
    for (int k = 0; k + 1 < 6 && siguiente == 0; ++k)
        if (fines[k] == largo)
            for (int j = k + 1; j < 6 && siguiente == 0; ++j)
                if (fines[j] > largo) siguiente = fines[j];
    const int largoTabla = largo + std::max(1, int(tabla.primero.size()));
    if (siguiente == 0 || largoTabla == siguiente) return tabla;
    const int ancho = siguiente - largo;
    return {QString("%1").arg(1, ancho, 10, QChar('0')), QString(ancho, QChar('0')),
            "1" + QString(ancho, QChar('0'))};
}

QString Siguiente(const QString& sufijo, const TipoSufijo& tipo) {
    const qlonglong n = qlonglong(maker::gUtilidades().ValorNumerico(sufijo)) + 1;
    return tipo.formato.isEmpty() ? QString::number(n)
                                  : QString("%1").arg(n, int(tipo.formato.size()), 10, QChar('0'));
}

}  // namespace

void FrmMA_CUENTAS::CargaComboTitulo(const QString& /*Desde*/) {
    EnlazaArbolYGrilla();
    vb::ManejadorErrores h("ArmarTreeVAutomatico", maker::gUtilidades().Reportero());
    QString ajuste;
    if (!h.paso([&] {
            ajuste = vb::Trim(CNStuffContable::Cfg("PlanCuentas_ClyPr"));
            if (ajuste.isEmpty()) ajuste = "NO";
        }))
        return;
    const QString activas =
        ajuste.compare("NO", Qt::CaseInsensitive) == 0
            ? "FROM MA_Cuentas WHERE DADA_DE_BAJA = 0 AND (TIPOVISTA<>'CL' AND TIPOVISTA <> 'PR' OR "
              "TIPOVISTA IS NULL)"
            : "FROM MA_Cuentas WHERE DADA_DE_BAJA = 0";
    // Only the titles are read, through an index that holds them alone, so a save costs the
    // titles, not the chart. "(0)" reaches the embedded engine as written, as the index's
    // condition is. A chart with active accounts but no title still gets its list cleared.
    QList<QList<QVariant>> filas;
    if (!cuentas::LeeFilas(
            h, "SELECT CODIGO,DESCRIPCION,TITULO " + activas + " AND TITULO <> (0) ORDER BY codigo", filas)) {
        QList<QList<QVariant>> alguna;
        if (h.ultimoError() || !cuentas::LeeFilas(h, "SELECT TOP 1 CODIGO " + activas, alguna)) return;
    }
    LlenaComboTitulo(h, filas);
}

void FrmMA_CUENTAS::LlenaComboTitulo(vb::ManejadorErrores& h, const QList<QList<QVariant>>& filas) {
    // An entry is the description indented by the title's level, 300 blanks and the code, so that
    // the code is in the list without being seen.
    constexpr qsizetype kRelleno = 300;
    struct Titulo {
        qsizetype sangria;
        QString descripcion;
        QString codigo;
        qsizetype largo() const { return sangria + descripcion.size() + kRelleno + codigo.size(); }
    };
    const qsizetype n = filas.isEmpty() ? 0 : filas[0].size();
    auto& u = maker::gUtilidades();
    std::vector<Titulo> titulos;
    for (qsizetype i = 0; i < n; ++i) {
        const QVariant& titulo = filas[2][i];
        if (titulo.isNull() || !titulo.toBool()) continue;
        QString codigo = u.TextoCampo(filas[0][i]);
        const int largo = int(vb::Trim(codigo).size());
        if (largo == 0) continue;
        titulos.push_back({std::min(largo - 1, 9) * 5, u.TextoCampo(filas[1][i]), std::move(codigo)});
    }
    // A list that already holds these titles only goes back to its empty entry, where a rebuild
    // leaves it: a save that changed no title rebuilds nothing, and the entries are compared
    // without being written out.
    static const QString relleno(kRelleno, QLatin1Char(' '));
    auto igualA = [&](const QString& entrada, const Titulo& t) {
        if (entrada.size() != t.largo()) return false;
        const QStringView e(entrada);
        return e.first(t.sangria) == QStringView(relleno).first(t.sangria) &&
               e.sliced(t.sangria, t.descripcion.size()) == t.descripcion &&
               e.sliced(t.sangria + t.descripcion.size(), kRelleno) == relleno &&
               e.last(t.codigo.size()) == t.codigo;
    };
    bool igual = Combo1->count() == qsizetype(titulos.size()) + 1 && Combo1->itemText(0).isEmpty();
    for (size_t i = 0; igual && i < titulos.size(); ++i)
        igual = igualA(Combo1->itemText(int(i + 1)), titulos[i]);
    if (igual) {
        h.paso([&] { Combo1->setCurrentIndex(0); });
        return;
    }
    QStringList entradas;
    entradas.reserve(qsizetype(titulos.size()));
    for (const Titulo& t : titulos) {
        QString entrada;
        entrada.reserve(t.largo());
        entrada.append(QStringView(relleno).first(t.sangria))
            .append(t.descripcion)
            .append(relleno)
            .append(t.codigo);
        entradas << entrada;
    }
    if (!h.paso([&] {
            Combo1->clear();
            Combo1->addItem(QString());
        }))
        return;
    h.paso([&] { Combo1->addItems(entradas); });
}

void FrmMA_CUENTAS::IdentificaCuenta() {
    QString titulo = vb::Trim(Combo1->currentText().right(50));
    if (titulo.isEmpty()) return;
    TipoSufijo tipo;
    bool primero = true;
    QString candidato;
    for (;;) {
        // A new title: its kind, and its suffixes from the start.
        tipo = TipoDelTitulo(int(titulo.size()), tipo, primero);
        primero = false;
        QString sufijo;
        bool otroTitulo = false;
        for (;;) {
            if (sufijo.isEmpty()) sufijo = tipo.primero;
            candidato = titulo + sufijo;
            if (!tipo.limite.isEmpty() && sufijo == tipo.limite) {
                const QString proximo =
                    QString::number(qlonglong(maker::gUtilidades().ValorNumerico(titulo)) + 1);
                const int r =
                    vb::MsgBox(QString::fromUtf8("No hay espacio en la cuenta titulo actual. ¿Buscar en la "
                                                 "siguiente?") +
                                   "\r\nSiguiente cuenta a buscar : " + proximo,
                               vb::vbYesNo + vb::vbInformation, "Aviso al Operador");
                if (r == vb::vbYes) {
                    titulo = proximo;
                    otroTitulo = true;
                    break;
                }
            }
            sufijo = Siguiente(sufijo, tipo);
            // A code held by any account, one the user cannot see or one dada de baja included, is
            // taken. An existence that could not be answered ends the search: nothing is proposed.
            bool existe = false;
            try {
                existe = CodigoExiste(candidato);
            } catch (const vb::ErrorVB&) {
                return;
            }
            if (!existe) break;
        }
        if (!otroTitulo) break;
    }

    auto& enlace = maker::gEnlaceControles();
    const int iCodigo = enlace.CampoEnlazado("Codigo", txtFields);
    if (iCodigo < 0) return;
    txtFields[iCodigo]->setText(candidato);
    try {
        Campo_Valida(iCodigo, txtFields[iCodigo]);
    } catch (const vb::ErrorVB&) {
    }
    const int iOpcional = enlace.CampoEnlazado("CodigoOpcional", txtFields);
    if (iOpcional >= 0 && txtFields[iOpcional]->isEnabled()) txtFields[iOpcional]->setFocus();
}
