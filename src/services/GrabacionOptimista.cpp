#include "services/GrabacionOptimista.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "outside/ado/Connection.h"
#include "outside/ado/Field.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Dialogos.h"

#include <QSet>
#include <utility>

namespace {

// Null and an empty text are one value; anything else compares as the windows show it (a number
// kept as a double and the same number stored whole read alike).
bool MismoValor(const QVariant& a, const QVariant& b) {
    auto& u = maker::gUtilidades();
    return u.TextoCampo(a) == u.TextoCampo(b);
}

bool Marcada(const QVariant& v) {
    const QString t = maker::gUtilidades().TextoCampo(v).trimmed();
    return !(t.isEmpty() || t == u"0" || t.compare(u"false", Qt::CaseInsensitive) == 0);
}

// "de el mes" reads "del mes".
QString De(const QString& registro) {
    if (registro.startsWith(u"el ")) return "del " + registro.mid(3);
    return "de " + registro;
}

QString Lista(const QStringList& partes) {
    if (partes.size() < 2) return partes.value(0);
    return QStringList(partes.mid(0, partes.size() - 1)).join(", ") + " y " + partes.last();
}

// A statement in the program's words, sent as the user may send it.
ado::RecordsetPtr Lee(const QString& sql) {
    DB_Dll& db = CNStuffContable::gBaseDatos();
    return db.gCnn->Execute(db.SS_TSinonimos(sql));
}

}  // namespace

GrabacionOptimista::GrabacionOptimista(Origen origen) : origen_(std::move(origen)) {
    for (QString& c : origen_.claves) c = c.trimmed().toUpper();
    QHash<QString, QString> rotulos;
    for (auto it = origen_.rotulos.cbegin(); it != origen_.rotulos.cend(); ++it)
        rotulos.insert(it.key().toUpper(), it.value());
    origen_.rotulos = rotulos;
}

QString GrabacionOptimista::Clave(const QStringList& valores) {
    QStringList partes;
    for (const QString& v : valores) partes << v.trimmed();
    return partes.join(u'|');
}

QString GrabacionOptimista::ClaveDe(const Fila& f) const {
    if (origen_.claves.isEmpty()) return {};
    QStringList valores;
    for (const QString& c : origen_.claves) valores << maker::gUtilidades().TextoCampo(f.value(c));
    return Clave(valores);
}

void GrabacionOptimista::RecuerdaGuardado() {
    QHash<QString, Fila> filas;
    if (!LeeAhora(filas)) filas.clear();
    RecuerdaFilas(filas.values());
}

void GrabacionOptimista::RecuerdaFila(const ado::RecordsetPtr& rs) {
    if (!rs || rs->State() != ado::adStateOpen || rs->Bof() || rs->Eof()) {
        Olvida();
        return;
    }
    Fila f;
    QStringList orden;
    ado::Fields& campos = rs->fields();
    for (int i = 0; i < campos.Count(); ++i) {
        const QString nombre = campos.Item(i).Name().trimmed().toUpper();
        orden << nombre;
        f.insert(nombre, campos.Item(i).Value());
    }
    RecuerdaFilas({f});
    orden_ = orden;
}

void GrabacionOptimista::RecuerdaFilas(const QList<Fila>& filas) {
    Olvida();
    recordado_ = true;
    for (const Fila& f : filas) {
        Fila mayusculas;
        for (auto it = f.cbegin(); it != f.cend(); ++it) mayusculas.insert(it.key().toUpper(), it.value());
        if (orden_.isEmpty()) orden_ = mayusculas.keys();
        mostradas_.insert(ClaveDe(mayusculas), mayusculas);
    }
    nuevo_ = origen_.claves.isEmpty() && mostradas_.isEmpty();
}

void GrabacionOptimista::RecuerdaNuevo() {
    RecuerdaFilas({});
}

void GrabacionOptimista::Olvida() {
    recordado_ = nuevo_ = leidasValidas_ = false;
    orden_.clear();
    mostradas_.clear();
    enPantalla_.clear();
    leidas_.clear();
}

void GrabacionOptimista::RecuerdaEnPantalla(const QHash<QString, QString>& valores, const QString& fila) {
    QHash<QString, QString> m;
    for (auto it = valores.cbegin(); it != valores.cend(); ++it) m.insert(it.key().toUpper(), it.value());
    enPantalla_.insert(fila, m);
}

QStringList GrabacionOptimista::Cambiados(const QHash<QString, QString>& ahora, const QString& fila) const {
    const QHash<QString, QString> antes = enPantalla_.value(fila);
    QStringList r;
    for (auto it = ahora.cbegin(); it != ahora.cend(); ++it) {
        const QString c = it.key().toUpper();
        if (!antes.contains(c) || antes.value(c) != it.value()) r << c;
    }
    r.sort();
    return r;
}

QVariant GrabacionOptimista::Mostrado(const QString& columna, const QString& fila) const {
    const auto it = mostradas_.constFind(fila);
    if (it == mostradas_.constEnd()) return {};
    return it->value(columna.toUpper());
}

bool GrabacionOptimista::LeeAhora(QHash<QString, Fila>& filas) {
    filas.clear();
    if (!origen_.alcance.isEmpty() && Lee(origen_.alcance)->Eof()) return false;
    ado::RecordsetPtr rs = Lee("SELECT * FROM " + origen_.tabla + " WHERE " + origen_.condicion);
    for (; !rs->Eof(); rs->MoveNext()) {
        Fila f;
        ado::Fields& campos = rs->fields();
        for (int i = 0; i < campos.Count(); ++i)
            f.insert(campos.Item(i).Name().trimmed().toUpper(), campos.Item(i).Value());
        filas.insert(ClaveDe(f), f);
    }
    return true;
}

bool GrabacionOptimista::Sigue(const QString& clave) const {
    const auto ahora = leidas_.constFind(clave);
    if (ahora == leidas_.constEnd()) return false;
    if (origen_.columnaBaja.isEmpty()) return true;
    // Dada de baja since it was shown; one shown dada de baja is being taken back into use.
    const QString baja = origen_.columnaBaja.toUpper();
    return !Marcada(ahora->value(baja)) || Marcada(mostradas_.value(clave).value(baja));
}

bool GrabacionOptimista::Tomada() {
    // Existence only: the whole table is asked, and nothing of a row comes back.
    ado::RecordsetPtr rs =
        Lee("SELECT COUNT(*) FROM @Admin_" + origen_.tabla + " WHERE " + origen_.condicion);
    return !rs->Eof() && rs->fields().Item(0).Value().toLongLong() > 0;
}

GrabacionOptimista::Veredicto GrabacionOptimista::Comprueba(const QStringList& columnas) {
    if (origen_.claves.isEmpty()) return CompruebaFilas({{QString(), columnas}});
    QHash<QString, QStringList> porFila;
    for (auto it = mostradas_.cbegin(); it != mostradas_.cend(); ++it) porFila.insert(it.key(), columnas);
    Veredicto v = CompruebaFilas(porFila);
    // The whole set: a row someone else added counts too.
    if (!leidasValidas_) return v;
    for (auto it = leidas_.cbegin(); it != leidas_.cend(); ++it)
        if (!mostradas_.contains(it.key())) Anota(v, it.key(), {});
    return v;
}

GrabacionOptimista::Veredicto GrabacionOptimista::CompruebaFilas(const QHash<QString, QStringList>& porFila) {
    Veredicto v;
    leidasValidas_ = false;
    if (!recordado_) return v;
    const bool unico = origen_.claves.isEmpty();
    if (unico && nuevo_) {
        if (Tomada()) v.estado = Estado::Tomado;
        return v;
    }
    // The rows shown are locked first, so that what is read next stays as read until the commit.
    // On the table itself: a lock changes nothing, and the user's view might.
    if (!mostradas_.isEmpty() && !orden_.isEmpty()) {
        const QString c = origen_.claves.isEmpty() ? orden_.first() : origen_.claves.first();
        CNStuffContable::gBaseDatos().gCnn->Execute("UPDATE " + origen_.tabla + " SET " + c + " = " + c +
                                                    " WHERE " + origen_.condicion);
    }
    const bool alAlcance = LeeAhora(leidas_);
    leidasValidas_ = true;
    if (!alAlcance || (unico && !Sigue(QString()))) {
        v.estado = Estado::Borrado;
        return v;
    }
    for (auto it = porFila.cbegin(); it != porFila.cend(); ++it) {
        const auto antes = mostradas_.constFind(it.key());
        const auto ahora = leidas_.constFind(it.key());
        const bool estaba = antes != mostradas_.constEnd(), esta = Sigue(it.key());
        if (estaba != esta) {
            Anota(v, it.key(), {});
            continue;
        }
        if (!estaba) continue;
        for (const QString& columna : it.value()) {
            const QString c = columna.trimmed().toUpper();
            // A column the window never read is not a value anyone was shown.
            if (!antes->contains(c) || !ahora->contains(c)) continue;
            if (!MismoValor(antes->value(c), ahora->value(c))) Anota(v, it.key(), c);
        }
    }
    return v;
}

GrabacionOptimista::Veredicto GrabacionOptimista::CompruebaBaja() {
    QHash<QString, QStringList> porFila;
    for (auto it = mostradas_.cbegin(); it != mostradas_.cend(); ++it) porFila.insert(it.key(), it->keys());
    if (porFila.isEmpty()) porFila.insert(QString(), {});
    Veredicto v = CompruebaFilas(porFila);
    v.columnas.sort();
    v.baja = true;
    return v;
}

void GrabacionOptimista::Anota(Veredicto& v, const QString& clave, const QString& columna) const {
    v.estado = Estado::Cambiado;
    const bool unico = origen_.claves.isEmpty();
    const QString columnaVista = unico ? columna : clave + "/" + columna;
    if (v.columnas.contains(columnaVista)) return;
    v.columnas << columnaVista;
    QString campo;
    if (columna.isEmpty())
        campo = RotuloFila(clave);
    else
        campo = "el campo " + Rotulo(columna) + (unico ? QString() : " en " + RotuloFila(clave));
    if (!v.campos.contains(campo)) v.campos << campo;
}

QString GrabacionOptimista::Rotulo(const QString& columna) const {
    return origen_.rotulos.value(columna.toUpper(), columna);
}

QString GrabacionOptimista::RotuloFila(const QString& clave) const {
    return origen_.rotuloFila ? origen_.rotuloFila(clave) : clave;
}

QString GrabacionOptimista::Mensaje(const Veredicto& v, const QString& despues) const {
    const QString antes = v.baja ? " antes de que usted confirmara la baja." : " antes de que usted grabara.";
    QString que;
    switch (v.estado) {
        case Estado::Libre:
            return {};
        case Estado::Tomado:
            que = "Otro usuario grabó " + origen_.registro + " antes que usted.";
            break;
        case Estado::Borrado:
            que = "Otro usuario borró " + origen_.registro + antes;
            break;
        case Estado::Cambiado:
            que = "Otro usuario cambió " + Lista(v.campos) + " " + De(origen_.registro) + antes;
            break;
    }
    return que + "\r\nNo se grabó nada." + (despues.isEmpty() ? QString() : " " + despues);
}

void GrabacionOptimista::Avisa(const Veredicto& v, const QString& despues) const {
    if (v.ok()) return;
    maker::gUtilidades().Ocupado(false);
    vb::MsgBox(Mensaje(v, despues), vb::vbExclamation, "Aviso al operador");
}

void GrabacionOptimista::AceptaGuardado() {
    if (!leidasValidas_) return;
    mostradas_ = leidas_;
    leidasValidas_ = false;
}

void GrabacionOptimista::Confirmado(const Fila& escritos, const QString& fila) {
    recordado_ = true;
    nuevo_ = false;
    Fila& f = mostradas_[fila];
    for (auto it = escritos.cbegin(); it != escritos.cend(); ++it) {
        const QString c = it.key().toUpper();
        f.insert(c, it.value());
        if (!orden_.contains(c)) orden_ << c;
    }
    leidasValidas_ = false;
}

void GrabacionOptimista::Eliminado() {
    Olvida();
}
