#include "outside/maker/ReglasCuentas.h"

#include "outside/ado/Field.h"
#include "outside/ado/Recordset.h"
#include "outside/ado/TextoSql.h"
#include "outside/controls/TreeView.h"

#include <QVariant>

namespace maker {

namespace {

QString Texto(const QVariant& v) {
    return v.isNull() ? QString() : v.toString().trimmed();
}

}  // namespace

ReglasCuentas::ReglasCuentas(Entorno entorno) : entorno_(std::move(entorno)) {}

QString ReglasCuentas::Limpia(const QString& codigo) {
    QString c = codigo;
    c.remove('-');
    return c.trimmed();
}

QList<int> ReglasCuentas::FinesDeNivel() const {
    QList<int> fines;
    int fin = 0;
    for (int ancho : entorno_.niveles()) {
        if (ancho <= 0) continue;
        fin += ancho;
        fines << fin;
    }
    return fines;
}

bool ReglasCuentas::HayFilas(const QString& sql) const {
    ado::RecordsetPtr rs = entorno_.abrir(sql);
    const bool hay = rs && !(rs->Bof() && rs->Eof());
    if (rs && rs->State() != 0) rs->Close();
    return hay;
}

bool ReglasCuentas::LongitudValida(const QString& codigo) const {
    const QString c = Limpia(codigo);
    return !c.isEmpty() && FinesDeNivel().contains(int(c.size()));
}

int ReglasCuentas::DigitoVerificador(const QString& codigo) const {
    const QString c = Limpia(codigo);
    if (c.isEmpty()) return 0;
    int suma = 0;
    int peso = 2;
    for (int i = int(c.size()) - 1; i >= 0; --i) {
        const QChar ch = c.at(i).toUpper();
        int valor = 0;
        if (ch.isDigit())
            valor = ch.digitValue();
        else if (ch.isLetter())
            valor = (ch.unicode() - u'A' + 10) % 10;
        suma += valor * peso;
        peso = peso == 7 ? 2 : peso + 1;
    }
    const int r = 11 - suma % 11;
    if (r == 11) return 0;
    if (r == 10) return 1;
    return r;
}

bool ReglasCuentas::TieneMovimientos(const QString& codigo) const {
    return entorno_.hayFilas("MV_ASIENTOS", "CUENTA = " + ado::LiteralTexto(Limpia(codigo)));
}

bool ReglasCuentas::EsImputable(const QString& codigo) const {
    const QString c = Limpia(codigo);
    if (c.isEmpty()) return false;
    return HayFilas("SELECT CODIGO FROM MA_CUENTAS WHERE CODIGO = " + ado::LiteralTexto(c) +
                    " AND COALESCE(DADA_DE_BAJA, 0) = 0 AND COALESCE(TITULO, 0) = 0");
}

bool ReglasCuentas::ValidaImputable(const QString& codigo, QString& mensaje) const {
    mensaje.clear();
    if (!LongitudValida(codigo)) {
        mensaje = "La cuenta Ingresada no es correcta verifique la cantidad de Digitos";
        return false;
    }
    if (ExisteNivelInferior(codigo)) {
        mensaje = "La cuenta tiene cuentas de nivel inferior, no puede ser Imputable";
        return false;
    }
    return true;
}

bool ReglasCuentas::PermiteTitulo(const QString& codigo) const {
    const QString c = Limpia(codigo);
    const QList<int> fines = FinesDeNivel();
    return !fines.isEmpty() && LongitudValida(c) && int(c.size()) < fines.last();
}

bool ReglasCuentas::ExisteNivelInferior(const QString& codigo) const {
    const QString c = Limpia(codigo);
    if (c.isEmpty()) return false;
    QString patron = c;
    patron.replace("[", "[[]").replace("%", "[%]").replace("_", "[_]");
    return entorno_.hayFilas("MA_CUENTAS", "CODIGO LIKE " + ado::LiteralTexto(patron + "%") +
                                               " AND LEN(CODIGO) > " + QString::number(c.size()) +
                                               " AND COALESCE(DADA_DE_BAJA, 0) = 0");
}

void ReglasCuentas::ArmaArbolCuentas(vb::TreeView& arbol) {
    if (!arbol.Existe("A")) {
        auto* raiz = arbol.Add({}, vb::TreeView::tvwChild, "A", "Plan General de Cuentas");
        raiz->setExpanded(true);
    }
    ado::RecordsetPtr rs = entorno_.abrir(
        "SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS WHERE COALESCE(DADA_DE_BAJA, 0) = 0 ORDER BY CODIGO");
    if (!rs) return;
    while (!rs->Eof()) {
        const QString codigo = Texto(rs->fields().Item("CODIGO").Value());
        const QString descripcion = Texto(rs->fields().Item("DESCRIPCION").Value());
        rs->MoveNext();
        const QString clave = "A" + codigo;
        if (codigo.isEmpty() || arbol.Existe(clave)) continue;
        QString padre = "A";
        for (int largo = int(codigo.size()) - 1; largo > 0; --largo)
            if (arbol.Existe("A" + codigo.left(largo))) {
                padre = "A" + codigo.left(largo);
                break;
            }
        arbol.Add(padre, vb::TreeView::tvwChild, clave, codigo + " - " + descripcion);
    }
    rs->Close();
}

void ReglasCuentas::JerarquiasCuentas() {
    ado::RecordsetPtr rs = entorno_.abrir(
        "SELECT CODIGO FROM MA_CUENTAS WHERE COALESCE(DADA_DE_BAJA, 0) = 0 AND COALESCE(TITULO, 0) = 0 "
        "ORDER BY CODIGO");
    if (!rs) return;
    QStringList titulos;
    while (!rs->Eof()) {
        const QString codigo = Texto(rs->fields().Item("CODIGO").Value());
        rs->MoveNext();
        if (ExisteNivelInferior(codigo) && !TieneMovimientos(codigo)) titulos << codigo;
    }
    rs->Close();
    for (const QString& codigo : titulos)
        entorno_.ejecutar("UPDATE MA_CUENTAS SET TITULO = 1 WHERE CODIGO = " + ado::LiteralTexto(codigo));
}

void ReglasCuentas::ActualizaCashFlow(const QString& codigo) {
    const QString c = Limpia(codigo);
    if (c.isEmpty()) return;
    // The nearest account above that the cash flow knows.
    for (int largo = int(c.size()) - 1; largo > 0; --largo) {
        const QString arriba = c.left(largo);
        ado::RecordsetPtr rs =
            entorno_.abrir("SELECT CODIGO_CASH, DESCRIPCION FROM [MA_CASH-DETALLE] WHERE CUENTA = " +
                           ado::LiteralTexto(arriba));
        if (!rs || (rs->Bof() && rs->Eof())) {
            if (rs) rs->Close();
            continue;
        }
        QList<QPair<QString, QString>> lineas;
        while (!rs->Eof()) {
            lineas << qMakePair(Texto(rs->fields().Item("CODIGO_CASH").Value()),
                                Texto(rs->fields().Item("DESCRIPCION").Value()));
            rs->MoveNext();
        }
        rs->Close();
        for (const auto& [cash, descripcion] : lineas) {
            if (HayFilas("SELECT ID FROM [MA_CASH-DETALLE] WHERE CUENTA = " + ado::LiteralTexto(c) +
                         " AND CODIGO_CASH = " + ado::LiteralTexto(cash)))
                continue;
            entorno_.ejecutar("INSERT INTO [MA_CASH-DETALLE] (CODIGO_CASH, CUENTA, DESCRIPCION) VALUES (" +
                              ado::LiteralTexto(cash) + ", " + ado::LiteralTexto(c) + ", " +
                              ado::LiteralTexto(descripcion) + ")");
        }
        return;
    }
}

}  // namespace maker
