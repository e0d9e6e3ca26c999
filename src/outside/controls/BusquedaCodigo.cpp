#include "outside/controls/BusquedaCodigo.h"

#include "outside/ado/Connection.h"
#include "outside/ado/Recordset.h"
#include "outside/ado/TextoSql.h"
#include "outside/ado/TipoColumna.h"
#include "outside/controls/Teclas.h"
#include "outside/runtime/ErrorVB.h"

#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vb {

namespace {

bool Es(const QString& a, const char* b) {
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

// A table name the control may paste into a statement: a plain (optionally owner-qualified) name.
bool NombreSeguro(const QString& tabla) {
    static const QRegularExpression nombre("^[A-Za-z_][A-Za-z0-9_]*(\\.[A-Za-z_][A-Za-z0-9_]*)?$");
    return nombre.match(tabla).hasMatch();
}

}  // namespace

BusquedaCodigo::BusquedaCodigo(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    TxtBuscar = new QLineEdit(this);
    TxtBuscar->setObjectName("TxtBuscar");
    LstCodigos = new QTreeWidget(this);
    LstCodigos->setObjectName("LstCodigos");
    LstCodigos->setColumnCount(2);
    LstCodigos->setHeaderLabels({"Código", "Descripción"});
    LstCodigos->setRootIsDecorated(false);
    LstCodigos->setUniformRowHeights(true);
    LstCodigos->setFocusPolicy(Qt::NoFocus);  // the keys stay in the text; arrows move the list
    LstCodigos->header()->setStretchLastSection(true);
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(1, 1, 1, 1);
    l->setSpacing(0);
    l->addWidget(TxtBuscar);
    l->addWidget(LstCodigos, 1);
    setFocusProxy(TxtBuscar);
    TxtBuscar->installEventFilter(this);
    Nombra();
    hide();

    connect(TxtBuscar, &QLineEdit::textEdited, this, [this](const QString& texto) {
        Buscar = texto;
        Busqueda();
    });
    connect(LstCodigos, &QTreeWidget::itemDoubleClicked, this, [this] { Elige(); });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* antes, QWidget* ahora) {
        // Only another control taking the focus counts: a window that goes inactive (or away)
        // hands it to nobody.
        if (!antes || !ahora || !isAncestorOf(antes) || isAncestorOf(ahora)) return;
        // A click elsewhere leaves the box with what was typed here.
        if (ahora != caja_ && caja_ && !isHidden()) caja_->setText(TxtBuscar->text());
        Q_EMIT LostFocus();
    });
}

BusquedaCodigo::~BusquedaCodigo() = default;

ado::Connection* BusquedaCodigo::Conexion() {
    if (ConnectionString.trimmed().isEmpty()) return nullptr;
    if (conexion_ && cadenaAbierta_ == ConnectionString && conexion_->State() == ado::adStateOpen)
        return conexion_.get();
    columnas_.clear();
    conexion_.reset();
    try {
        auto c = ado::Connection::Crear();
        c->setCursorLocation(ado::adUseClient);
        c->Open(ConnectionString);
        conexion_ = c;
        cadenaAbierta_ = ConnectionString;
    } catch (const ErrorVB&) {
        return nullptr;
    }
    return conexion_.get();
}

bool BusquedaCodigo::ColumnasDe(const QString& tabla, Columnas& columnas) {
    const QString clave = tabla.trimmed().toUpper();
    if (auto it = columnas_.constFind(clave); it != columnas_.constEnd()) {
        columnas = it.value();
        return !columnas.codigo.isEmpty();
    }
    ado::Connection* c = Conexion();
    if (!c || !NombreSeguro(tabla.trimmed())) return false;
    Columnas halladas;
    try {
        QString sql = "SELECT TOP 1 * FROM " + tabla.trimmed();
        if (ReescribeSentencia) sql = ReescribeSentencia(sql);
        ado::RecordsetPtr rs = c->Execute(sql);
        ado::Fields& f = rs->fields();
        QString primerCodigo, primerTexto;
        for (int i = 0; i < f.Count(); ++i) {
            const QString n = f.Item(i).Name();
            const bool texto = ado::EsTipoTexto(f.Item(i).Type());
            if (Es(n, "CODIGO") && halladas.codigo.isEmpty()) halladas.codigo = n;
            if (primerCodigo.isEmpty() && n.startsWith("ID", Qt::CaseInsensitive) && n.size() > 2)
                primerCodigo = n;
            if (halladas.descripcion.isEmpty() &&
                (Es(n, "DESCRIPCION") || Es(n, "NOMBRE") || Es(n, "DETALLE") || Es(n, "RAZON_SOCIAL")))
                halladas.descripcion = n;
            if (primerTexto.isEmpty() && texto && i > 0) primerTexto = n;
        }
        if (halladas.codigo.isEmpty())
            halladas.codigo = !primerCodigo.isEmpty() ? primerCodigo
                              : f.Count() > 0         ? f.Item(0).Name()
                                                      : QString();
        if (halladas.descripcion.isEmpty() && !Es(primerTexto, qPrintable(halladas.codigo)))
            halladas.descripcion = primerTexto;
    } catch (const ErrorVB&) {
        halladas = {};
    }
    columnas_.insert(clave, halladas);
    columnas = halladas;
    return !columnas.codigo.isEmpty();
}

QVariant BusquedaCodigo::BusquedaDisponible(const QString& tabla) {
    if (!Conexion()) return QVariant();
    Columnas c;
    return ColumnasDe(tabla, c);
}

void BusquedaCodigo::Busqueda() {
    if (TxtBuscar->text() != Buscar) TxtBuscar->setText(Buscar);
    CodigoAnt = Buscar;
    LstCodigos->clear();
    Columnas col;
    if (!ColumnasDe(Tabla, col)) return;
    // Codes are stored without the level separators a box may show.
    const QString codigo = QString(Buscar).remove('-').trimmed();
    const QString texto = Buscar.trimmed();
    const QString desc = col.descripcion.isEmpty() ? QString("''") : col.descripcion;
    QString sql =
        "SELECT TOP " + QString::number(Filas) + " " + col.codigo + ", " + desc + " FROM " + Tabla.trimmed();
    if (!texto.isEmpty()) {
        // The typed text is data: each pattern is one quoted value.
        sql += " WHERE LTRIM(" + col.codigo + ") LIKE " + ado::LiteralTexto(codigo + "%");
        if (!col.descripcion.isEmpty())
            sql += " OR " + col.descripcion + " LIKE " + ado::LiteralTexto(texto + "%");
    }
    sql += " ORDER BY " + col.codigo;
    if (ReescribeSentencia) sql = ReescribeSentencia(sql);
    try {
        ado::RecordsetPtr rs = Conexion()->Execute(sql);
        QList<QTreeWidgetItem*> filas;
        for (; !rs->Eof(); rs->MoveNext()) {
            auto texto = [](const QVariant& v) { return v.isNull() ? QString() : v.toString(); };
            filas.append(new QTreeWidgetItem({texto(rs->fields().Item(0).Value()).trimmed(),
                                              texto(rs->fields().Item(1).Value()).trimmed()}));
        }
        LstCodigos->addTopLevelItems(filas);
        // Only the row of exactly the code typed stands chosen: Enter never gives another code
        // than the one typed unless the user moved to it.
        for (QTreeWidgetItem* fila : filas)
            if (!codigo.isEmpty() && fila->text(0).compare(codigo, Qt::CaseInsensitive) == 0) {
                LstCodigos->setCurrentItem(fila);
                break;
            }
    } catch (const ErrorVB&) {
        // A search that fails lists nothing.
    }
}

QString BusquedaCodigo::CodigoActual() const {
    const QTreeWidgetItem* fila = LstCodigos->currentItem();
    return fila ? fila->text(0) : TxtBuscar->text();
}

void BusquedaCodigo::Elige() {
    const QTreeWidgetItem* fila = LstCodigos->currentItem();
    if (!fila) return;
    // A code the box cannot hold whole is refused, never cut: the search stays open.
    if (caja_ && fila->text(0).size() > caja_->maxLength()) {
        QApplication::beep();
        return;
    }
    Q_EMIT CodigoElegido(fila->text(0));
}

void BusquedaCodigo::Move(int left, int top) {
    move(PixelesDeTwips(left), PixelesDeTwips(top));
}
int BusquedaCodigo::Width() const {
    return TwipsDePixeles(width());
}
int BusquedaCodigo::Height() const {
    return TwipsDePixeles(height());
}
void BusquedaCodigo::setWidth(int twips) {
    resize(PixelesDeTwips(twips), height());
}
void BusquedaCodigo::setHeight(int twips) {
    resize(width(), PixelesDeTwips(twips));
}

QRect BusquedaCodigo::AreaVisible() const {
    const QScreen* pantalla = screen();
    QRect area = pantalla ? pantalla->availableGeometry() : QRect();
    QWidget* padre = isWindow() ? nullptr : parentWidget();
    if (!padre) return area;
    for (QWidget* w = padre; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        const QRect visto(w->mapToGlobal(QPoint(0, 0)), w->size());
        area = area.isNull() ? visto : area & visto;
    }
    return {padre->mapFromGlobal(area.topLeft()), area.size()};
}

void BusquedaCodigo::Encaja(const QRect& caja) {
    const QRect area = AreaVisible();
    if (area.isEmpty()) return;
    QRect r = geometry();
    r.setWidth(qMin(r.width(), area.width()));
    if (r.right() > area.right()) r.moveRight(area.right());
    if (r.left() < area.left()) r.moveLeft(area.left());
    // The text lies over the box, this far above its top; turned over, as far below its bottom.
    const int margen = caja.top() - r.top();
    const int debajo = area.bottom() - r.top() + 1;
    const int encima = caja.bottom() + margen - area.top() + 1;
    const bool arriba = r.height() > debajo && encima > debajo;
    if (arriba) {
        const int alto = qMin(r.height(), encima);
        r = QRect(r.left(), caja.bottom() + margen - alto + 1, r.width(), alto);
    } else {
        r.setHeight(qMin(r.height(), debajo));
    }
    if (auto* capa = qobject_cast<QBoxLayout*>(layout()))
        capa->setDirection(arriba ? QBoxLayout::BottomToTop : QBoxLayout::TopToBottom);
    setGeometry(r);
}

void BusquedaCodigo::SetFocus() {
    QWidget* foco = QApplication::focusWidget();
    if (foco && !isAncestorOf(foco)) caja_ = qobject_cast<QLineEdit*>(foco);
    // What is typed here goes back into the box: no more than the box takes, as in the box itself.
    TxtBuscar->setMaxLength(caja_ ? caja_->maxLength() : 32767);
    Nombra();
    raise();
    TxtBuscar->setFocus();
    TxtBuscar->end(false);
}

void BusquedaCodigo::Nombra() {
    QString nombre;
    if (caja_)
        if (QAccessibleInterface* interfaz = QAccessible::queryAccessibleInterface(caja_))
            nombre = interfaz->text(QAccessible::Name).trimmed();
    while (nombre.endsWith(':')) nombre.chop(1);
    nombre = nombre.trimmed();
    TxtBuscar->setAccessibleName(nombre.isEmpty() ? QStringLiteral("Búsqueda de códigos")
                                                  : QStringLiteral("Búsqueda de ") + nombre);
    LstCodigos->setAccessibleName(nombre.isEmpty()
                                      ? QStringLiteral("Resultados de la búsqueda")
                                      : QStringLiteral("Resultados de la búsqueda de ") + nombre);
}

void BusquedaCodigo::Devuelve(const QKeyEvent* tecla) {
    QLineEdit* caja = caja_;
    if (!caja || !caja->isVisible() || !caja->isEnabled()) {
        hide();
        return;
    }
    caja->setText(TxtBuscar->text());
    caja->setFocus(Qt::OtherFocusReason);
    caja->end(false);
    hide();
    if (!tecla) return;
    QKeyEvent copia(QEvent::KeyPress, tecla->key(), tecla->modifiers(), tecla->text());
    QApplication::sendEvent(caja, &copia);
}

bool BusquedaCodigo::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == TxtBuscar && evento->type() == QEvent::KeyPress) {
        auto* tecla = static_cast<QKeyEvent*>(evento);
        switch (CodigoTeclaVB(tecla)) {
            case vbKeyReturn:
                // Nothing listed: the code typed is the box's, a new one.
                if (LstCodigos->currentItem())
                    Elige();
                else
                    Devuelve(tecla);
                return true;
            case vbKeyEscape:
                // Escape only closes the search: what the box does with its own Escape is for a
                // second one.
                Devuelve();
                return true;
            case vbKeyTab:
                Devuelve(tecla);
                return true;
            case vbKeyDown:
            case vbKeyUp:
            case vbKeyPageDown:
            case vbKeyPageUp:
                QApplication::sendEvent(LstCodigos, evento);
                return true;
            default:
                break;
        }
    }
    return QFrame::eventFilter(objeto, evento);
}

}  // namespace vb
