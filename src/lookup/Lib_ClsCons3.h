#pragma once
// The lookup object of the lookup dialogs. For now it holds what start-up gives it: the
// connection string and the lookup-mask file; the lookup dialogs add their members here.
#include "lookup/Coleccion.h"

#include <QString>
#include <QVariant>

class Lib_ClsCons3 {
  public:
    Lib_ClsCons3() = default;
    virtual ~Lib_ClsCons3() = default;
    Lib_ClsCons3(const Lib_ClsCons3&) = delete;
    Lib_ClsCons3& operator=(const Lib_ClsCons3&) = delete;

    // The connection string its own queries open with.
    QString gConnString;
    // Whether a lookup by table name consults the lookup-mask file.
    bool gUsarMascarasConsultas = false;
    // The lookup-mask file ("consultas.qnl" in the program's folder); only read.
    QString gRutaMascaraConsultas;

    // ---- what the tree window reads and returns ----
    // The column whose value a lookup returns.
    QString CampoDevuelto;
    // The next lookup shows check boxes and returns every checked code.
    bool Checks = false;
    // The chosen value; "" when nothing was chosen.
    QVariant ValorDevuelto = QString();
    // Further values of the last lookup, or the checked codes; null for no collection.
    Coleccion Valores = NuevaColeccion();
};

// The shared lookup object, created on first use and kept until the program ends. It carries the
// settings start-up gave (CNStuffContable::FijaAjustesConsultas).
Lib_ClsCons3& gConsulta();

// The tree window's part of a lookup (ConsultaSearch with TreeView): shows Lib_FrmCons3Tree
// modally over the statement with the object's CampoDevuelto and Checks, and leaves the choice in
// the object's ValorDevuelto and Valores (Cantidades untouched). Defined beside the tree window.
void MuestraArbolConsulta(Lib_ClsCons3& consulta, const QString& sentencia);
