#pragma once
// The suite's journal-entry rules: entry numbers, fiscal years and periods, vouchers, sub-journals,
// accounts and fixed assets, and the sub-journal work table. Each user creates its own object; its
// only state is the current period read when it is created.
//
// Optional arguments: an omitted input is an empty std::optional (told apart from every value,
// Null included); an omitted output is a null pointer. By-reference arguments the member writes
// are non-const references. One .cpp per topic (Lbc_Asiento_*.cpp).
#include "outside/ado/Connection.h"
#include "outside/ado/Recordset.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>

using VariantOpcional = std::optional<QVariant>;

namespace CNStuffContable {
// The book number (TALONARIO) of the voucher book DatosComprobante read last; 0 when it found none.
extern int16_t gTalonario;
}  // namespace CNStuffContable

class Lbc_Asiento {
  public:
    // Reads "PERIODO"; raises the conversion error when it is missing or not a number.
    Lbc_Asiento();

    // ---- Entry numbers: the next one, and the display form (month-number) and back.

    // The number the next entry of the month takes.
    int32_t UltimoNumeroAsiento(const QVariant& Mes, const VariantOpcional& Tipo_Reg = std::nullopt,
                                const VariantOpcional& Periodo = std::nullopt);
    // Entry number NroAsiento of the month of fecha in display form (03-0000005).
    QString FormatDisplayNroAsiento(const QVariant& NroAsiento, const QDateTime& fecha);
    // The number part of a display form as a plain number text.
    QString FormatNroAsiento(const QString& Nro_Con_Formato);
    // The display form of what the user typed (03123 and 03-123 give 03-0000123).
    QString FMTNroAsiento(const QString& NroAsiento);
    // 03-0000123 gives 3123; Tipo 3 or 2 gives a 32-bit integer, anything else a text.
    QVariant EliminaCarNroAsiento(const QString& QueAsiento, const VariantOpcional& Tipo = std::nullopt,
                                  const VariantOpcional& CHar = std::nullopt);

    // ---- Fiscal years and periods.

    // First and last day of a fiscal year ("dd/mm/yyyy"); default the current period.
    void EjercicioRango(QString& FhDesde, QString& FhHasta, const VariantOpcional& Periodo = std::nullopt);
    // Postings may go into the current fiscal year; a non-empty Periodo becomes the current one.
    bool ValidaEstadoPeriodoActual(QString& Mensaje, QVariant* lCierre = nullptr,
                                   QVariant* lCancelacion = nullptr, QVariant* lNoCreado = nullptr,
                                   const QString& Periodo = QString());
    // The last day of the latest fiscal year; the zero date when there is none.
    QDateTime FechaHastaUltimoPeriodo();
    // False when a bound falls inside a fiscal year other than lPeriodo (inside any without it).
    bool ValidaRangoFechaEjercicio(QString Fecha_Desde, QString Fecha_Hasta,
                                   const VariantOpcional& lPeriodo = std::nullopt);
    // The year before QueEjercicio (-1: the current period, written back) is closed or absent.
    bool EjercicioAnteriorCerrado(QString& QueEjercicio);
    // Entries of the period lie on or outside the bounds.
    bool ExistenMovFueraPeriodo(const QString& Periodo, QString NFecha_Desde, QString NFecha_Hasta);
    // The first adjustment entry of the current period: its date, how far it reached, its number.
    void UltimoAjuste(QString& fecha, QString& Periodo, QVariant& NroAsiento);
    // The answer is in lhayError and Mensaje; the result is always empty.
    QVariant FechaValidada(const QString& Campo, QString& Mensaje, bool& lhayError);

    // ---- Vouchers: books, letters, duplicates and the entries that hold them.

    // Default point of sale and last number of the type's book for one letter.
    void DatosComprobante(QString TC, QString& Suc, QString& Nro, QString& L,
                          const QString& Uneg = QString());
    // "A", "B", "C" or "Z".
    QString DeterminaLetra(const QString& COND_IVA_CLIEN);
    // True when the voucher is not posted yet; on a duplicate offers the next number or reports
    // the entry that holds it.
    bool ValidaComprobante(QString TC, QString Sucursal, QString& Numero, QString letra, QString& Mensaje,
                           QString* MesOP = nullptr, QString* NroAsiento = nullptr,
                           QString* FechaAsto = nullptr, QString* Cuenta = nullptr,
                           QString* PeriodoModif = nullptr);
    // True for an incoming voucher type.
    bool ComprobanteEntrada(const QString& TC);
    // A line of the voucher in one entry (summary lines never); the open recordset goes back in
    // lrcsaux when given.
    bool ExisteEnMVAsientos2(const QString& TC, const QString& Suc, const QString& Nro, const QString& L,
                             const QVariant& TipoReg, const QString& NroAsiento, const QString& MesOP,
                             const QString& Periodo, const VariantOpcional& Proveedor = std::nullopt,
                             ado::RecordsetPtr* lrcsaux = nullptr);
    // A line of the voucher in any entry.
    bool ExisteEnMVAsientos(const QString& TC, const QString& Suc, const QString& Nro, const QString& L,
                            const VariantOpcional& Proveedor = std::nullopt,
                            ado::RecordsetPtr* lrcsaux = nullptr);

    // ---- Sub-journals: their voucher types, dates and summary entries, and their work table.

    // The date lies outside every summary entry of the sub-journal that was not reversed.
    bool ValidaFechaSubdiario(const QString& fecha, const QString& Subdiario);
    // The voucher type belongs to the sub-journal.
    bool ValidaSubdiarioTC(const QString& Subdiario, const QString& TC);
    // The voucher type belongs to some sub-journal.
    bool ValidaTCRegistraciones(const QString& Tipo);
    // True (with a message) when the summary entry was reversed already.
    bool AsientoResumenAnulado(const QString& Subdiario, const QString& NroAsiento_ConFomato);
    // Rebuilds the logged user's rows of AUX_SUBDIARIOS for one sub-journal and date range.
    void GeneraAuxiliarSubdiarios(QString& Fecha_Desde, const QString& Fecha_Hasta, const QString& TipoSub,
                                  const VariantOpcional& EsArchivoLegal = std::nullopt);

    // ---- Accounts and fixed assets.

    // The account exists, is neither cancelled nor blocked and is not a title.
    bool CuentaImputable(const QString& Cuenta);
    // The account exists and is neither cancelled nor blocked; the given outputs receive its
    // Titulo, Descripcion, BIENES and Ajuste.
    bool ExisteCuentas(const QString& Valor_Buscado, QVariant* Tipo = nullptr,
                       QVariant* NombreLeido = nullptr, QVariant* BiendeUso = nullptr,
                       QVariant* Ajustable = nullptr);
    // The account has additional data; LRsTmp is used for the query and handed back closed.
    bool ExisteDatosAdicionales(const QString& Valor_Buscado, ado::RecordsetPtr& LRsTmp);
    // The next fixed-asset code.
    QString UltimoIDBienDeUso();
    // The next event number of a fixed asset.
    QString UltimoIDNovedadBienDeUso(const QString& CodigoBien);

    // ---- Plain calculations.

    // Days of the month (28 to 31); 0 for a month or year that makes no date.
    int16_t UltimoDiaMes(const QString& Mes, const QString& Anio);
    // Check digit 0 to 99 of a code (weights 9, 7, 5, 3, 1).
    int16_t CalculoDV(const QVariant& Cuenta);

  private:
    int16_t PeriodoActual = 0;
};
