#include "outside/ado/Recordset.h"

#include "outside/ado/Connection.h"
#include "outside/ado/ErroresAdo.h"
#include "outside/ado/Proveedor.h"
#include "outside/ado/TipoColumna.h"

#include <QDateTime>
#include <QRegularExpression>
#include <algorithm>

#include "outside/runtime/ErrorVB.h"

namespace ado {

std::shared_ptr<Recordset> Recordset::Crear() {
    return std::make_shared<Recordset>();
}

void Recordset::Open(const QString& origen, const std::shared_ptr<Connection>& conexion, int cursorType,
                     int lockType, int /*opciones*/) {
    if (abierto_) LanzarAdo(kErrObjetoAbierto);
    if (!conexion) LanzarAdo(kErrConexionInvalida);
    conexion->antesDeConsulta(origen);
    if (cursorType != adOpenUnspecified) CursorType = cursorType;
    if (lockType != adLockUnspecified) LockType = lockType;
    Resultado r = conexion->proveedor()->leer(origen, conexion->errores());
    conexion_ = conexion;
    origen_ = origen;
    if (!r.esConsulta) return;  // nothing to show: the recordset stays closed
    cargar(r.columnas, std::move(r.filas), r.tablaBase, r.actualizable && LockType != adLockReadOnly);
}

void Recordset::cargar(const QList<Columna>& columnas, QList<QList<QVariant>> filas, const QString& tablaBase,
                       bool actualizable) {
    columnas_ = columnas;
    filas_ = std::move(filas);
    tablaBase_ = tablaBase;
    actualizable_ = actualizable;
    fields_.limpiar();
    for (int i = 0; i < columnas_.size(); ++i)
        if (!columnas_[i].oculta)
            fields_.agregar(Field(this, i, columnas_[i].nombre, columnas_[i].tipo, columnas_[i].largo));
    editando_.clear();
    editMode_ = adEditNone;
    borrada_ = false;
    pos_ = filas_.isEmpty() ? -1 : 0;
    abierto_ = true;
    abandonado_ = false;
}

void Recordset::Close() {
    exigirAbierto();
    abierto_ = false;
    filas_.clear();
    editando_.clear();
    editMode_ = adEditNone;
    fields_.limpiar();
    columnas_.clear();
}

void Recordset::exigirAbierto() const {
    if (abierto_) return;
    if (abandonado_) {
        try {
            LanzarAdo(kErrObjetoCerrado);
        } catch (vb::ErrorVB& e) {
            e.Informado = true;
            throw;
        }
    }
    LanzarAdo(kErrObjetoCerrado);
}

void Recordset::exigirFila() const {
    if (editMode_ == adEditAdd) return;
    if (borrada_ || pos_ < 0 || pos_ >= filas_.size()) LanzarAdo(kErrBofEof);
}

void Recordset::exigirActualizable() const {
    if (!actualizable_) LanzarAdo(kErrNoActualizable);
}

void Recordset::exigirConexion() const {
    if (!conexion_) LanzarAdo(kErrConexionInvalida);
    conexion_->exigirAbierta();
    conexion_->exigirTransaccionViva();
}

bool Recordset::Bof() const {
    exigirAbierto();
    if (editMode_ == adEditAdd) return false;
    return filas_.isEmpty() || pos_ < 0;
}

bool Recordset::Eof() const {
    exigirAbierto();
    if (editMode_ == adEditAdd) return false;
    return filas_.isEmpty() || pos_ >= filas_.size();
}

void Recordset::escribirPendiente() {
    if (editMode_ != adEditNone) Update();
}

void Recordset::mover(long destino) {
    escribirPendiente();
    borrada_ = false;
    pos_ = std::clamp(destino, -1L, long(filas_.size()));
}

void Recordset::MoveFirst() {
    exigirAbierto();
    if (filas_.isEmpty()) LanzarAdo(kErrBofEof);
    mover(0);
}

void Recordset::MoveLast() {
    exigirAbierto();
    if (filas_.isEmpty()) LanzarAdo(kErrBofEof);
    mover(filas_.size() - 1);
}

void Recordset::MoveNext() {
    exigirAbierto();
    if (editMode_ != adEditAdd && pos_ >= filas_.size()) LanzarAdo(kErrBofEof);
    if (borrada_) {
        // The deleted row is gone from the list, so the next one already sits at pos_.
        escribirPendiente();
        borrada_ = false;
        return;
    }
    mover(pos_ + 1);
}

void Recordset::MovePrevious() {
    exigirAbierto();
    if (editMode_ != adEditAdd && pos_ < 0) LanzarAdo(kErrBofEof);
    mover(pos_ - 1);
}

long Recordset::RecordCount() const {
    exigirAbierto();
    return long(filas_.size());
}

long Recordset::AbsolutePosition() const {
    exigirAbierto();
    if (filas_.isEmpty()) return -1;
    if (pos_ < 0) return -2;
    if (pos_ >= filas_.size()) return -3;
    return pos_ + 1;
}

int Recordset::EditMode() const {
    exigirAbierto();
    return editMode_;
}

Fields& Recordset::fields() {
    exigirAbierto();
    return fields_;
}

QVariant Recordset::valor(const QString& nombre) {
    return fields().Item(nombre).Value();
}

QVariant Recordset::valorActual(int indice) const {
    if (editMode_ != adEditNone) return editando_.value(indice);
    return filas_[pos_].value(indice);
}

QVariant Recordset::valorOriginal(int indice) const {
    if (editMode_ == adEditAdd) return {};
    return filas_[pos_].value(indice);
}

void Recordset::asignar(int indice, const QVariant& v) {
    exigirAbierto();
    exigirFila();
    exigirActualizable();
    const Columna& c = columnas_[indice];
    QVariant convertido;
    if (!ConvertirParaColumna(c.tipo, c.largo, v, convertido)) LanzarAdo(kErrValorNoAdmitido);
    if (editMode_ == adEditNone) {
        editando_ = filas_[pos_];
        editMode_ = adEditInProgress;
    }
    editando_[indice] = convertido;
}

void Recordset::AddNew() {
    exigirAbierto();
    exigirActualizable();
    escribirPendiente();
    editando_ = QList<QVariant>(columnas_.size());
    posAntesDeAlta_ = pos_;
    editMode_ = adEditAdd;
    borrada_ = false;
}

void Recordset::Update() {
    exigirAbierto();
    if (editMode_ == adEditNone) return;
    exigirActualizable();
    exigirConexion();
    Errors& errores = conexion_->errores();
    Proveedor* p = conexion_->proveedor();
    if (editMode_ == adEditAdd) {
        if (conexion_->vigilada()) conexion_->aplicarFallaInyectada("INSERT INTO " + tablaBase_);
        QList<QVariant> nueva = editando_;
        p->insertar(tablaBase_, columnas_, nueva, errores);
        filas_.append(nueva);
        pos_ = filas_.size() - 1;
    } else {
        if (conexion_->vigilada()) conexion_->aplicarFallaInyectada("UPDATE " + tablaBase_);
        if (editando_ != filas_[pos_]) p->actualizar(tablaBase_, columnas_, filas_[pos_], editando_, errores);
        filas_[pos_] = editando_;
    }
    editando_.clear();
    editMode_ = adEditNone;
}

void Recordset::CancelUpdate() {
    exigirAbierto();
    if (editMode_ == adEditAdd) pos_ = posAntesDeAlta_;
    editando_.clear();
    editMode_ = adEditNone;
}

void Recordset::Delete() {
    exigirAbierto();
    exigirActualizable();
    if (editMode_ == adEditAdd) {
        CancelUpdate();
        return;
    }
    exigirFila();
    exigirConexion();
    if (conexion_->vigilada()) conexion_->aplicarFallaInyectada("DELETE FROM " + tablaBase_);
    conexion_->proveedor()->borrar(tablaBase_, columnas_, filas_[pos_], conexion_->errores());
    filas_.removeAt(pos_);
    editando_.clear();
    editMode_ = adEditNone;
    borrada_ = true;
}

QList<QList<QVariant>> Recordset::GetRows(long filas) {
    exigirAbierto();
    escribirPendiente();
    exigirFila();
    const long hasta = filas < 0 ? long(filas_.size()) : std::min<long>(filas_.size(), pos_ + filas);
    QList<QList<QVariant>> r(fields_.Count());
    for (int c = 0; c < fields_.Count(); ++c) {
        const int indice = fields_.Item(c).indice();
        r[c].reserve(hasta - pos_);
        for (long f = pos_; f < hasta; ++f) r[c].append(filas_[f][indice]);
    }
    pos_ = hasta;
    return r;
}

namespace {

int compararTexto(const QString& a, const QString& b) {
    auto sinBlancos = [](QString s) {
        while (!s.isEmpty() && s.back() == ' ') s.chop(1);
        return s;
    };
    return QString::compare(sinBlancos(a), sinBlancos(b), Qt::CaseInsensitive);
}

}  // namespace

bool Recordset::cumple(const QVariant& valor, const QString& op, const QVariant& buscado) const {
    if (valor.isNull() || buscado.isNull()) return false;
    if (op == "LIKE") {
        QString patron = QRegularExpression::escape(buscado.toString());
        patron.replace("\\*", ".*").replace("%", ".*").replace("_", ".");
        const QRegularExpression re("^" + patron + "$", QRegularExpression::CaseInsensitiveOption);
        return re.match(valor.toString()).hasMatch();
    }
    int c = 0;
    const auto t = valor.typeId();
    if (t == QMetaType::QDateTime || t == QMetaType::QDate) {
        QVariant b;
        if (!ConvertirParaColumna(adDBTimeStamp, 0, buscado, b)) return false;
        const QDateTime x =
            t == QMetaType::QDate ? QDateTime(valor.toDate(), QTime(0, 0)) : valor.toDateTime();
        c = x < b.toDateTime() ? -1 : (x > b.toDateTime() ? 1 : 0);
    } else if (t == QMetaType::QString) {
        c = compararTexto(valor.toString(), buscado.toString());
    } else {
        double n = 0;
        QVariant b;
        if (!ConvertirParaColumna(adDouble, 0, buscado, b)) return false;
        n = valor.toDouble();
        c = n < b.toDouble() ? -1 : (n > b.toDouble() ? 1 : 0);
    }
    if (op == "=") return c == 0;
    if (op == "<>") return c != 0;
    if (op == "<") return c < 0;
    if (op == ">") return c > 0;
    if (op == "<=") return c <= 0;
    if (op == ">=") return c >= 0;
    return false;
}

void Recordset::Find(const QString& criterio, long saltar, int direccion) {
    exigirAbierto();
    static const QRegularExpression re(
        R"(^\s*\[?([^\]<>=\s]+(?:\s+[^\]<>=\s]+)*?)\]?\s*(<>|<=|>=|=|<|>|\bLIKE\b)\s*(.*?)\s*$)",
        QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(criterio);
    if (!m.hasMatch()) vb::Raise(vb::kArgumentoInvalido, "El criterio de búsqueda no es válido: " + criterio);
    const int campo = fields_.indiceDe(m.captured(1));
    if (campo < 0) LanzarAdo(kErrElementoNoEncontrado);
    const QString op = m.captured(2).toUpper();
    QString texto = m.captured(3);
    QVariant buscado;
    if (texto.size() >= 2 && (texto.front() == '\'' || texto.front() == '#') &&
        texto.back() == texto.front()) {
        const QChar q = texto.front();
        buscado = texto.mid(1, texto.size() - 2).replace(QString(2, q), QString(q));
    } else if (texto.compare("Null", Qt::CaseInsensitive) == 0) {
        buscado = QVariant();
    } else {
        buscado = texto;
    }
    escribirPendiente();
    const int indice = fields_.Item(campo).indice();
    const int paso = direccion < 0 ? -1 : 1;
    long i = std::clamp(pos_, 0L, long(filas_.size())) + saltar * paso;
    if (borrada_ && paso > 0 && saltar > 0) --i;
    borrada_ = false;
    for (; i >= 0 && i < filas_.size(); i += paso) {
        if (cumple(filas_[i][indice], op, buscado)) {
            pos_ = i;
            return;
        }
    }
    pos_ = paso > 0 ? filas_.size() : -1;
}

}  // namespace ado
