#pragma once
// The coefficient rule on the stored rows: a month's coefficient of series k is its fiscal year's
// closing index k over the month's own index k, rounded as shown; 0 for an index of 0 or less, or
// when the closing month holds no index. Every writer of an index recomputes through here, inside
// its own transaction, so no stored coefficient is left from an index that is gone.
#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace indices {

struct Ejercicio {
    QDate apertura, cierre;
};

// A month as the grid writes it, "MM/YYYY".
QString TextoMes(int anio, int mes);
// The first day of a month text "MM/YYYY"; nothing for any other text.
std::optional<QDate> FechaDeMes(const QString& texto);

// The fiscal year that holds the month; nothing when none does.
std::optional<Ejercicio> EjercicioDe(const QDate& mes);
// The fiscal years whose closing month falls in the year.
QList<Ejercicio> EjerciciosQueCierranEn(int anio);

// A recomputed month as it is stored: its indexes and its coefficient texts ("" for none).
struct MesCalculado {
    std::array<double, 4> importes;
    std::array<QString, 4> coeficientes;
};

// Recomputes and stores the coefficients of every stored month from `desde` to `cierre`, on the
// indexes stored now (the caller's transaction's own writes included). Keyed by month text.
QHash<QString, MesCalculado> RecalculaTramo(const QDate& desde, const QDate& cierre);

// The same for every fiscal year that closes in the year: after its closing index changed or went.
void RecalculaCierresDe(int anio);

}  // namespace indices
