#pragma once
// The lookup object: the one entry through which a window lets the user pick a code (or several)
// from a table, a view, a statement, a fixed list or a text file. It builds the statement, shows
// the list window Lib_FrmCons3 (or the tree window) modally and keeps the choice in ValorDevuelto,
// Valores and Cantidades until the next lookup.
//
// Calling protocol: set CampoDevuelto (and, when wanted, add names to CmpsDevueltos and pass that
// collection, set Checks and UsaCantidades), call ConsultaSearch, read ValorDevuelto (an empty
// text: nothing chosen), Valores and Cantidades.
#include "lookup/Coleccion.h"
#include "lookup/MascaraConsulta.h"

#include <QString>
#include <QVariant>
#include <QVariantList>
#include <memory>

namespace maker {
class Utilidades;
}
class Lib_FrmCons3;

class Lib_ClsCons3 {
  public:
    // Reads the stock colours, "MostrarStockenConsultas" and "UsaConsultaLike" once; a setting
    // that cannot be read leaves its member as it was.
    Lib_ClsCons3();
    virtual ~Lib_ClsCons3();
    Lib_ClsCons3(const Lib_ClsCons3&) = delete;
    Lib_ClsCons3& operator=(const Lib_ClsCons3&) = delete;

    // ---- public members, in interface order ----
    // Colours (Windows colour values, as texts) of article rows by stock level; the whole number 0
    // when the setting reads empty.
    QVariant StkNivel1;
    QVariant StkNivel2;
    QVariant StkNivel3;
    QVariant StkNivel4;
    // "MostrarStockenConsultas" as read; "SI" colours article rows by stock level.
    QString MuestraStock;
    // Further columns whose values the caller wants back in Valores.
    Coleccion CmpsDevueltos;
    // What the last lookup returned: further column values, checked codes or checked options.
    ColeccionValores Valores;
    // The list window's quantities of the last list lookup; none before the first one.
    ColeccionValores Cantidades;
    // The next lookup shows check boxes; false after every lookup that shows a window.
    bool Checks = false;
    // The CampoDevuelto value of the chosen row; an empty text when nothing was chosen.
    QVariant ValorDevuelto = QString();
    QString gConnString;
    QString gRutaMascaraConsultas;
    bool gUsarMascarasConsultas = false;
    // The list window lets the user enter a quantity per row; never reset here.
    bool UsaCantidades = false;
    // The column whose value comes back in ValorDevuelto; empty after every lookup with a window.
    QString CampoDevuelto;

    // ---- procedures, in interface order ----
    // A fixed list of options, each a text whose first character is its initial check ("1"
    // checked). The checked texts come back in Valores; the result is always "". When Opc's first
    // element is itself a list, that list is the options. CmpsDevueltos is not used.
    QString CheckOpciones(const QString& Titulo, const QVariant& CmpsDevueltos, const QVariantList& Opc);
    // A fixed list of options; the chosen text, "" when the user cancels.
    QString MenuOpciones(const QString& Titulo, const QVariantList& Opc);
    // The lookup over a table or view name, or a statement (any text containing "SELECT").
    // Where is framed in place; the CampoBusqueda used comes back; the caller's CmpsDevueltos
    // collection is emptied and the caller's variable released.
    void ConsultaSearch(QString Sql, Coleccion& CmpsDevueltos, QString& Clave, QString& CampoBusqueda,
                        QString& Where, QString& SentenciaOpcional, bool& TreeView, QString& ValoresDefault);
    // Kept for its callers; does nothing.
    void GrabaConsultaDefault();
    // The lines of a text file; the chosen line, "" when the user cancels or the file is missing.
    // Separador is not used.
    QString ConsultaDesdeArchivo(const QString& Titulo, const QString& QueArchivo,
                                 const QVariant& Separador = QVariant());

    // The like-search setting ("UsaConsultaLike" is "SI" in any case).
    bool UsaConsultaLike() const { return usaConsultaLike_; }
    // The record of the mask file read last.
    const RegMascaraConsulta& RegistroMascara() const { return regMascara_; }

  private:
    // The row limit of the statements built from a table name ("TopConsArt", read every time).
    int LimiteFilas();
    // The statement without a mask: the optional statement, a fixed column list or the table's
    // own columns.
    QString SentenciaSinMascara(const QString& Sql, QString& CampoBusqueda, const QString& Where,
                                const QString& SentenciaOpcional, int n);
    // A usable mask record for the table, read into regMascara_.
    bool HayMascara(const QString& tabla);
    // The statement from the mask record; false when the record names no search column and the
    // lookup ends with "Debe configurar".
    bool SentenciaDeMascara(int n, Coleccion& CmpsDevueltos, QString& CampoBusqueda, const QString& Where,
                            QString& sentencia);
    // The caller's own statement, with the condition spliced in before its tail.
    QString SentenciaEscrita(const QString& Sql, QString& Where);
    void MuestraLista(const QString& sentencia, Coleccion& CmpsDevueltos, const QString& Clave,
                      const QString& CampoBusqueda, const QString& ValoresDefault);
    // The mask record read last names only columns its table has; otherwise the user is told
    // which one is missing and the lookup takes the table's own columns.
    bool MascaraUtilizable();
    // What every lookup with a window leaves behind, and the "Debe configurar" exit too.
    void Reinicia(Coleccion& CmpsDevueltos);
    // The common preparation of the option and file lookups.
    void PreparaLista(Lib_FrmCons3& ventana, const QString& Titulo, bool checks);
    void MuestraListaPreparada(Lib_FrmCons3& ventana, const QString& Titulo, int largoMayor);

    maker::Utilidades& Util();
    std::unique_ptr<maker::Utilidades> utilidades_;
    RegMascaraConsulta regMascara_;
    bool usaConsultaLike_ = false;
};

// The shared lookup object, created on first use and kept until the program ends. It carries the
// settings start-up gave (CNStuffContable::FijaAjustesConsultas), taken again after each start-up.
Lib_ClsCons3& gConsulta();
// Replaces the shared object by a new one, which reads its settings afresh (tests).
void ReiniciarConsulta();
