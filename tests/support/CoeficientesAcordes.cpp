#include "support/CoeficientesAcordes.h"

#include <QHash>
#include <cmath>

QStringList CoeficientesEnDesacuerdo(const BaseDePrueba& base) {
    QHash<int, QStringList> meses;  // anio * 100 + mes
    for (const QStringList& f : base.filas(
             "SELECT Anio * 100 + Mes, Importe1, Importe2, Importe3, Importe4, Indice1, Indice2, Indice3, "
             "Indice4 FROM MA_INDAJUSTE"))
        meses.insert(f[0].toInt(), f.mid(1));
    QStringList malas;
    for (const QStringList& e : base.filas(
             "SELECT CAST(substr([Fecha Desde], 1, 4) AS INT) * 100 + CAST(substr([Fecha Desde], 6, 2) AS "
             "INT), CAST(substr([Fecha Hasta], 1, 4) AS INT) * 100 + CAST(substr([Fecha Hasta], 6, 2) AS "
             "INT) "
             "FROM MV_EJERCICIOS")) {
        const int cierre = e[1].toInt();
        const QStringList referencia = meses.value(cierre);
        for (int mes = e[0].toInt(); mes <= cierre; mes = mes % 100 == 12 ? mes + 89 : mes + 1) {
            if (!meses.contains(mes)) continue;
            const QStringList& fila = meses[mes];
            for (int k = 0; k < 4; ++k) {
                const double indice = fila[k].toDouble();
                const double esperado =
                    indice > 0 ? std::round(referencia.value(k).toDouble() / indice * 1000) / 1000 : 0;
                if (std::abs(fila[4 + k].toDouble() - esperado) > 1e-9)
                    malas << QString("%1/%2 serie %3: indice %4, coeficiente %5, debia ser %6")
                                 .arg(mes % 100, 2, 10, QChar('0'))
                                 .arg(mes / 100)
                                 .arg(k + 1)
                                 .arg(fila[k], fila[4 + k])
                                 .arg(esperado);
            }
        }
    }
    return malas;
}
