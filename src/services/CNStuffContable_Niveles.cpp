// Account-code levels and the currency list.
#include "data/DB_Dll.h"
#include "outside/ado/Recordset.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "services/CNStuffContable.h"

#include <QComboBox>
#include <functional>

namespace CNStuffContable {

int16_t gDigitosCapitulo = 0, gDigitosSubcapitulo = 0, gDigitosRubro = 0, gDigitosSubrubro = 0,
        gDigitosCuenta = 0, gDigitosSubcuenta = 0, gDigitosTotal = 0;
int16_t gPosCapitulo = 0, gPosSubcapitulo = 0, gPosRubro = 0, gPosSubrubro = 0, gPosCuenta = 0,
        gPosSubcuenta = 0, gPosTotal = 0;
bool gUsaMultiMonedas = false;

namespace {

const char* const kNiveles[] = {"DIGITOS_CAPITULO", "DIGITOS_SUBCAPITULO", "DIGITOS_RUBRO",
                                "DIGITOS_SUBRUBRO", "DIGITOS_CUENTA",      "DIGITOS_SUBCUENTA"};

int16_t Entero16(int valor) {
    if (valor < -32768 || valor > 32767) vb::Raise(6);
    return static_cast<int16_t>(valor);
}

// A width as a 16-bit number: the setting's leading number, rounded (a missing key is " ", so 0).
int16_t Ancho(const QString& valor) {
    return Entero16(vb::CInt(vb::Val(valor)));
}

// The six settings as Cfg reads them.
QString Leido(int nivel) {
    return Cfg(QString::fromLatin1(kNiveles[nivel]));
}

// NivelesDeUnaAccion that hold the levels now.
int gNivelesFijos = 0;

void AsignaDigitos(const std::function<QString(int)>& valor) {
    int16_t* const anchos[] = {&gDigitosCapitulo, &gDigitosSubcapitulo, &gDigitosRubro,
                               &gDigitosSubrubro, &gDigitosCuenta,      &gDigitosSubcuenta};
    int suma = 0;
    for (int i = 0; i < 6; ++i) {
        *anchos[i] = Ancho(valor(i));
        suma = Entero16(suma + *anchos[i]);
    }
    gDigitosTotal = int16_t(suma);
}

void AsignaPosiciones(const std::function<QString(int)>& valor) {
    int16_t* const fines[] = {&gPosCapitulo, &gPosSubcapitulo, &gPosRubro,
                              &gPosSubrubro, &gPosCuenta,      &gPosSubcuenta};
    int anterior = 0;
    for (int i = 0; i < 6; ++i) {
        *fines[i] = Entero16(anterior + Ancho(valor(i)));
        anterior = *fines[i];
    }
    gPosTotal = gPosSubcuenta;
}

// VB's Left and Mid: a negative length is an invalid argument, a start past the end gives "".
QString Izquierda(const QString& texto, int largo) {
    if (largo < 0) vb::Raise(vb::kArgumentoInvalido);
    return texto.left(largo);
}

QString Medio(const QString& texto, int inicio, int largo) {
    if (inicio < 1 || largo < 0) vb::Raise(vb::kArgumentoInvalido);
    if (inicio > texto.size()) return QString();
    return texto.mid(inicio - 1, largo);
}

}  // namespace

void LeeDigitosNiveles() {
    if (gNivelesFijos == 0) AsignaDigitos(Leido);
}

void LeePosicionesNiveles() {
    if (gNivelesFijos == 0) AsignaPosiciones(Leido);
}

NivelesDeUnaAccion::NivelesDeUnaAccion() {
    QStringList valores;
    for (const char* clave : kNiveles) {
        QString valor, aux;
        if (!LeeCfg(QString::fromLatin1(clave), valor, aux)) return;
        valores << valor;
    }
    const auto valor = [&valores](int i) { return valores.at(i); };
    AsignaDigitos(valor);
    AsignaPosiciones(valor);
    leidos_ = true;
    ++gNivelesFijos;
}

NivelesDeUnaAccion::~NivelesDeUnaAccion() {
    if (leidos_) --gNivelesFijos;
}

QString FormateaCuenta(const QString& Codigo) {
    LeeDigitosNiveles();
    LeePosicionesNiveles();
    const int n = int(Codigo.size());
    const QString s1 = Izquierda(Codigo, gPosCapitulo);
    const QString s2 = Medio(Codigo, gPosCapitulo + 1, gDigitosSubcapitulo);
    const QString s3 = Medio(Codigo, gPosSubcapitulo + 1, gDigitosRubro);
    const QString s4 = Medio(Codigo, gPosRubro + 1, gDigitosSubrubro);
    const QString s5 = Medio(Codigo, gPosSubrubro + 1, gDigitosCuenta);
    const QString s6 = Medio(Codigo, gPosCuenta + 1, gDigitosSubcuenta);
    if (n <= gPosCapitulo) return vb::Trim(Codigo);
    if (n <= gPosSubcapitulo) return s1 + "-" + s2;
    if (n <= gPosRubro) return s1 + "-" + s2 + "-" + s3;
    if (n <= gPosSubrubro) return s1 + "-" + s2 + "-" + s3 + "-" + s4;
    if (n <= gPosCuenta) return s1 + "-" + s2 + "-" + s3 + "-" + s4 + "-" + s5;
    const QString hastaSubcuenta = s1 + "-" + s2 + "-" + s3 + "-" + s4 + "-" + s5 + s6;
    if (n <= gPosSubcuenta) return hastaSubcuenta;
    return hastaSubcuenta + Medio(Codigo, gPosSubcuenta + 1, n);
}

void CargaComboMonedas(QComboBox& lista) {
    gUsaMultiMonedas = CfgActiva("UsaMultilesMonedas");
    lista.setVisible(gUsaMultiMonedas);
    lista.clear();
    if (gUsaMultiMonedas) {
        DB_Dll& db = gBaseDatos();
        QString sql = "SELECT * FROM TA_MONEDAS ORDER BY CODIGO";
        ado::RecordsetPtr rs;
        db.AbrirRecordset(sql, rs, nullptr, ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
        auto& util = maker::gUtilidades();
        while (!rs->Eof()) {
            lista.addItem(vb::Trim(util.TextoCampo(rs->fields().Item("Descripcion").Value())).toUpper());
            rs->MoveNext();
        }
        db.CierraRecordset(rs);
        if (lista.count() > 0) {
            lista.setCurrentIndex(0);
            if (lista.isEditable()) lista.setEditText(lista.itemText(0));
        }
    }
    lista.setVisible(gUsaMultiMonedas);
}

}  // namespace CNStuffContable
