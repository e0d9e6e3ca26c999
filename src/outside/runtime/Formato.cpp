// VB Format and the rounding it uses.
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/ConversionesInternas.h"

#include <cmath>

namespace vb {

namespace {

// |v| as decimal digits rounded half away from zero. Works on the 15-digit decimal text of v,
// as VB does, so that 0.0625 and 1.0005 round up although their binary values may not.
struct Decimal {
    QString enteros;   // without leading zeros; empty for zero
    QString fraccion;  // exactly the asked number of digits
    bool negativo = false;
};

Decimal redondeado(double v, int decimales) {
    decimales = std::max(decimales, 0);
    Decimal r;
    if (!std::isfinite(v)) v = 0.0;
    r.negativo = v < 0;
    const QString e = QString::number(std::fabs(v), 'e', 14);  // d.dddddddddddddde+XX
    const qsizetype posE = e.indexOf(QLatin1Char('e'));
    QString digitos = e.left(1) + e.mid(2, posE - 2);
    qsizetype punto = e.mid(posE + 1).toInt() + 1;
    if (punto < 0) {
        digitos.prepend(QString(-punto, QLatin1Char('0')));
        punto = 0;
    }
    if (punto > digitos.size()) digitos += QString(punto - digitos.size(), QLatin1Char('0'));
    QString entero = digitos.left(punto);
    QString fraccion = digitos.mid(punto);
    if (fraccion.size() > decimales) {
        const bool sube = fraccion[decimales] >= QLatin1Char('5');
        fraccion.truncate(decimales);
        if (sube) {
            QString todo = entero + fraccion;
            qsizetype i = todo.size() - 1;
            for (; i >= 0; --i) {
                if (todo[i] == QLatin1Char('9')) {
                    todo[i] = QLatin1Char('0');
                } else {
                    todo[i] = QChar(todo[i].unicode() + 1);
                    break;
                }
            }
            if (i < 0) todo.prepend(QLatin1Char('1'));
            entero = todo.left(todo.size() - decimales);
            fraccion = todo.right(decimales);
        }
    } else {
        fraccion += QString(decimales - fraccion.size(), QLatin1Char('0'));
    }
    qsizetype ceros = 0;
    while (ceros < entero.size() && entero[ceros] == QLatin1Char('0')) ++ceros;
    r.enteros = entero.mid(ceros);
    r.fraccion = fraccion;
    if (r.enteros.isEmpty() && fraccion.count(QLatin1Char('0')) == fraccion.size()) r.negativo = false;
    return r;
}

bool esMarcador(QChar c) {
    return c == QLatin1Char('0') || c == QLatin1Char('#');
}

bool esPatronNumerico(const QString& patron) {
    return patron.contains(QLatin1Char('0')) || patron.contains(QLatin1Char('#'));
}

bool esLetraDeFecha(QChar c) {
    return QStringLiteral("dmyhns").contains(c.toLower());
}

bool esPatronDeFecha(const QString& patron) {
    if (esPatronNumerico(patron)) return false;
    for (QChar c : patron)
        if (esLetraDeFecha(c)) return true;
    return false;
}

QString formatoNumero(double v, const QString& patron) {
    qsizetype primero = -1, ultimo = -1;
    for (qsizetype i = 0; i < patron.size(); ++i) {
        const QChar c = patron[i];
        if (esMarcador(c) || c == QLatin1Char('.') || c == QLatin1Char(',')) {
            if (primero < 0) primero = i;
            ultimo = i;
        }
    }
    const QString prefijo = patron.left(primero);
    const QString sufijo = patron.mid(ultimo + 1);
    const QString nucleo = patron.mid(primero, ultimo - primero + 1);
    const qsizetype posPunto = nucleo.indexOf(QLatin1Char('.'));
    const QString parteEntera = posPunto < 0 ? nucleo : nucleo.left(posPunto);
    const QString parteDecimal = posPunto < 0 ? QString() : nucleo.mid(posPunto + 1);

    // Integer digits: at least as many as placeholders from the first '0' on.
    QString marcasEnteras;
    for (QChar c : parteEntera)
        if (esMarcador(c)) marcasEnteras += c;
    const qsizetype primerCero = marcasEnteras.indexOf(QLatin1Char('0'));
    const qsizetype minimoEnteros = primerCero < 0 ? 0 : marcasEnteras.size() - primerCero;
    const bool miles = parteEntera.contains(QLatin1Char(','));

    // Decimal digits: as many as placeholders; trailing '#' drop trailing zeros.
    QString marcasDecimales;
    for (QChar c : parteDecimal)
        if (esMarcador(c)) marcasDecimales += c;
    const qsizetype minimoDecimales = marcasDecimales.lastIndexOf(QLatin1Char('0')) + 1;

    const Decimal d = redondeado(v, static_cast<int>(marcasDecimales.size()));
    QString enteros = d.enteros;
    if (enteros.size() < minimoEnteros)
        enteros.prepend(QString(minimoEnteros - enteros.size(), QLatin1Char('0')));
    QString fraccion = d.fraccion;
    while (fraccion.size() > minimoDecimales && fraccion.endsWith(QLatin1Char('0'))) fraccion.chop(1);

    const QLocale locale = localeNumeros();
    if (miles) {
        const QString separador = locale.groupSeparator();
        for (qsizetype i = enteros.size() - 3; i > 0; i -= 3) enteros.insert(i, separador);
    }
    QString texto = d.negativo ? QStringLiteral("-") : QString();
    texto += prefijo + enteros;
    if (posPunto >= 0) texto += locale.decimalPoint() + fraccion;
    return texto + sufijo;
}

// One run of a date pattern: a repeated date letter, or the literal text between them.
struct ParteFecha {
    QChar letra;  // lower-case letter, or null for literal text
    qsizetype largo = 0;
    QString literal;
};

QList<ParteFecha> PartesDeFecha(const QString& patron) {
    QList<ParteFecha> piezas;
    for (qsizetype i = 0; i < patron.size();) {
        const QChar c = patron[i];
        if (esLetraDeFecha(c)) {
            qsizetype j = i;
            while (j < patron.size() && patron[j].toLower() == c.toLower()) ++j;
            piezas.append({c.toLower(), j - i, {}});
            i = j;
        } else {
            if (piezas.isEmpty() || !piezas.last().letra.isNull()) piezas.append({QChar(), 0, {}});
            piezas.last().literal += c;
            ++i;
        }
    }
    return piezas;
}

QString formatoFecha(const QDateTime& f, const QString& patron) {
    const QList<ParteFecha> piezas = PartesDeFecha(patron);
    auto dosCifras = [](int n, qsizetype largo) {
        return largo >= 2 ? QString("%1").arg(n, 2, 10, QLatin1Char('0')) : QString::number(n);
    };
    QString texto;
    QChar anterior;
    for (qsizetype k = 0; k < piezas.size(); ++k) {
        const ParteFecha& p = piezas[k];
        if (p.letra.isNull()) {
            texto += p.literal;
            continue;
        }
        QChar letra = p.letra;
        if (letra == QLatin1Char('m')) {
            // "m" next to an hour or before seconds is the minute.
            QChar siguiente;
            for (qsizetype j = k + 1; j < piezas.size(); ++j)
                if (!piezas[j].letra.isNull()) {
                    siguiente = piezas[j].letra;
                    break;
                }
            if (anterior == QLatin1Char('h') || siguiente == QLatin1Char('s')) letra = QLatin1Char('n');
        }
        switch (letra.unicode()) {
            case 'd':
                texto += dosCifras(f.date().day(), p.largo);
                break;
            case 'm':
                texto += dosCifras(f.date().month(), p.largo);
                break;
            case 'y':
                texto += p.largo <= 2 ? dosCifras(f.date().year() % 100, 2)
                                      : QString("%1").arg(f.date().year(), 4, 10, QLatin1Char('0'));
                break;
            case 'h':
                texto += dosCifras(f.time().hour(), p.largo);
                break;
            case 'n':
                texto += dosCifras(f.time().minute(), p.largo);
                break;
            case 's':
                texto += dosCifras(f.time().second(), p.largo);
                break;
            default:
                break;
        }
        anterior = p.letra;
    }
    return texto;
}

}  // namespace

double Redondear(double v, int decimales) {
    const Decimal d = redondeado(v, decimales);
    QString texto = (d.negativo ? "-" : "") + (d.enteros.isEmpty() ? QString("0") : d.enteros);
    if (!d.fraccion.isEmpty()) texto += "." + d.fraccion;
    return texto.toDouble();
}

QString Format(const QVariant& v, const QString& patron) {
    if (!v.isValid() || v.isNull()) return {};
    const bool esTexto = v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray;
    const bool esFecha = v.typeId() == QMetaType::QDate || v.typeId() == QMetaType::QDateTime;
    if (patron.isEmpty()) {
        if (esFecha) {
            const QDateTime f = CDate(v);
            return formatoFecha(f, f.time() == QTime(0, 0) ? "dd/mm/yyyy" : "dd/mm/yyyy hh:nn:ss");
        }
        return esTexto || !IsNumeric(v) ? v.toString() : CStr(CDbl(v));
    }
    if (esPatronDeFecha(patron)) {
        if (esFecha) return formatoFecha(CDate(v), patron);
        if (esTexto) {
            if (auto f = detalle::fechaDesdeTexto(v.toString())) return formatoFecha(*f, patron);
            if (auto n = detalle::numeroDesdeTexto(v.toString()))
                return formatoFecha(detalle::fechaDeSerial(*n), patron);
            return v.toString();
        }
        if (IsNumeric(v)) return formatoFecha(detalle::fechaDeSerial(CDbl(v)), patron);
        return v.toString();
    }
    if (esPatronNumerico(patron)) {
        if (esTexto) {
            if (auto n = detalle::numeroDesdeTexto(v.toString())) return formatoNumero(*n, patron);
            if (auto f = detalle::fechaDesdeTexto(v.toString()))
                return formatoNumero(CDbl(QVariant(*f)), patron);
            return v.toString();
        }
        if (IsNumeric(v) || esFecha) return formatoNumero(CDbl(v), patron);
        return v.toString();
    }
    // A pattern without placeholders is shown as it stands.
    return patron;
}

}  // namespace vb
