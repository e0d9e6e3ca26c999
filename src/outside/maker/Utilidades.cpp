#include "outside/maker/Utilidades.h"

#include "outside/ado/AdoTipos.h"

#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"

#include <QApplication>
#include <QDate>
#include <QDateTime>
#include <QWidget>
#include <cmath>
#include <optional>

namespace maker {

namespace {

bool esDigito(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The one number reader of the program.
std::optional<double> numeroInicial(const QString& texto) {
    return vb::NumeroInicial(texto);
}

}  // namespace

Utilidades& gUtilidades() {
    static Utilidades instancia;
    return instancia;
}

QString Utilidades::TextoCampo(const QVariant& valor) const {
    if (!valor.isValid() || valor.isNull()) return {};
    switch (valor.typeId()) {
        case QMetaType::QDate:
            return valor.toDate().toString(QStringLiteral("dd/MM/yyyy"));
        case QMetaType::QDateTime: {
            const QDateTime f = valor.toDateTime();
            if (f.time() == QTime(0, 0)) return f.date().toString(QStringLiteral("dd/MM/yyyy"));
            return f.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
        }
        case QMetaType::Double:
        case QMetaType::Float:
            return vb::CStr(valor.toDouble());
        case QMetaType::Bool:
            return valor.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        default:
            return valor.toString();
    }
}

QString Utilidades::TextoCelda(const QVariant& valor, int tipoAdo) const {
    if (!valor.isValid() || valor.isNull()) return {};
    if (tipoAdo == ado::adBoolean || valor.typeId() == QMetaType::Bool) {
        bool marcado = false;
        if (valor.typeId() == QMetaType::Bool) {
            marcado = valor.toBool();
        } else {
            const QString t = valor.toString().trimmed();
            bool numero = false;
            const double n = t.toDouble(&numero);
            marcado = numero ? n != 0
                             : t.compare("true", Qt::CaseInsensitive) == 0 ||
                                   t.compare("verdadero", Qt::CaseInsensitive) == 0;
        }
        return marcado ? QStringLiteral("SI") : QStringLiteral("NO");
    }
    return TextoCampo(valor);
}

QString Utilidades::FechaSQL(const QString& fecha) const {
    const QDateTime f = vb::CDate(fecha);
    const QString hora = f.time() == QTime(0, 0) ? QString() : f.toString(QStringLiteral(" HH:mm:ss"));
    return "'" + f.date().toString(QStringLiteral("dd/MM/yyyy")) + hora + "'";
}

double Utilidades::ValorNumerico(const QString& texto) const {
    return vb::Redondear(numeroInicial(texto).value_or(0.0), 4);
}

double Utilidades::ValorDoble(const QString& texto) const {
    bool desborda = false;
    const auto v = vb::NumeroInicial(texto, &desborda);
    // A number no double holds is refused, never read as 0.
    if (desborda) vb::Raise(6, QStringLiteral("Desbordamiento"));
    return v.value_or(0.0);
}

int Utilidades::ValorEntero(const QString& texto) const {
    const double v = std::nearbyint(numeroInicial(texto).value_or(0.0));  // half to even, as CInt
    if (v < -32768.0 || v > 32767.0) vb::Raise(6, QStringLiteral("Desbordamiento"));
    return int(v);
}

QString Utilidades::QuitaCaracter(const QString& texto, const QString& caracteres) const {
    QString r = texto;
    for (const QChar c : caracteres) r.remove(c);
    return r;
}

QString Utilidades::Reemplaza(const QString& texto, const QString& buscar, const QString& reemplazo) const {
    if (buscar.isEmpty()) return texto;
    QString r = texto;
    return r.replace(buscar, reemplazo, Qt::CaseSensitive);
}

QString Utilidades::ReemplazaTexto(const QString& texto, const QString& buscar,
                                   const QString& reemplazo) const {
    if (buscar.isEmpty()) return texto;
    QString r = texto;
    return r.replace(buscar, reemplazo, Qt::CaseInsensitive);
}

int Utilidades::CantidadPalabras(const QString& texto) const {
    return int(texto.split(QLatin1Char(' '), Qt::SkipEmptyParts).size());
}

QString Utilidades::AlineaDerecha(const QString& texto, int ancho) const {
    if (ancho < 0 || texto.size() >= ancho) return texto;
    return texto.rightJustified(ancho, QLatin1Char(' '));
}

QString Utilidades::AlineaDerecha(QString&& texto, int ancho) const {
    if (ancho < 0 || texto.size() >= ancho) return std::move(texto);
    return texto.rightJustified(ancho, QLatin1Char(' '));
}

QString Utilidades::AjustaLargo(const QString& texto, int n) const {
    if (n <= 0) return {};
    return texto.leftJustified(n, QLatin1Char(' '), true);
}

QString Utilidades::Trunca(const QString& texto, int n) const {
    return n <= 0 ? QString() : texto.left(n);
}

QString Utilidades::BarraFinal(const QString& ruta) const {
    if (ruta.isEmpty() || ruta.endsWith(QLatin1Char('/'))) return ruta;
    // A path written the Windows way keeps its own separator.
    if (ruta.endsWith(QLatin1Char('\\'))) return ruta;
    return ruta + QLatin1Char('/');
}

void Utilidades::PreparaFormulario(QWidget* formulario) const {
    if (!formulario) return;
    if (formulario->windowIcon().isNull() && !QApplication::windowIcon().isNull())
        formulario->setWindowIcon(QApplication::windowIcon());
}

void Utilidades::Ocupado(bool ocupado) {
    if (ocupado == ocupado_) return;
    ocupado_ = ocupado;
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    if (ocupado)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

QString Utilidades::TextoError(const vb::ErrorVB& error, const QString& rutina) {
    QString texto = rutina.trimmed().isEmpty()
                        ? QStringLiteral("Se produjo un error.")
                        : QStringLiteral("Se produjo un error en la rutina %1.").arg(rutina.trimmed());
    texto += QStringLiteral("\n\nError N° %1").arg(error.Number);
    if (error.Number < 0)  // HRESULTs read better in hex
        texto += QStringLiteral(" (&H%1)").arg(quint32(error.Number), 8, 16, QLatin1Char('0')).toUpper();
    texto += QLatin1Char('\n') + error.Description;
    if (!error.Source.isEmpty()) texto += QStringLiteral("\nOrigen: ") + error.Source;
    return texto;
}

void Utilidades::TrataError(const vb::ErrorVB& error, int botones, const QString& rutina,
                            int& respuesta) const {
    if (error.Informado) {
        respuesta = vb::RespuestaYaInformado(error);
        return;
    }
    respuesta = vb::MsgBox(TextoError(error, rutina), botones, QStringLiteral("Aviso al operador"));
}

vb::Reportero Utilidades::Reportero(int botones) const {
    return [this, botones](const vb::ErrorVB& error, const QString& rutina) {
        int respuesta = 0;
        TrataError(error, botones, rutina, respuesta);
        return respuesta;
    };
}

QString Utilidades::CodificaClave(const QString& clave) const {
    return QString::fromLatin1(clave.toUtf8().toHex().toUpper());
}

QString Utilidades::DecodificaClave(const QString& guardada) const {
    const QString s = guardada.trimmed();
    if (s.size() % 2 != 0) return guardada;
    for (const QChar c : s)
        if (!esDigito(c) && !(c >= QLatin1Char('A') && c <= QLatin1Char('F')) &&
            !(c >= QLatin1Char('a') && c <= QLatin1Char('f')))
            return guardada;
    return QString::fromUtf8(QByteArray::fromHex(s.toLatin1()));
}

}  // namespace maker
