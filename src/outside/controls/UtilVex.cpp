#include "outside/controls/UtilVex.h"

#include "outside/controls/Teclas.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

namespace {

struct DefBoton {
    const char* accion;
    const char* titulo;
    int tecla;  // VB key code
    QStyle::StandardPixmap icono;
};

// F5 is the lookup key everywhere in the suite; the others follow the usual maintenance order.
const DefBoton kBotones[] = {
    {"NUEVO", "Nuevo", vb::vbKeyF2, QStyle::SP_FileIcon},
    {"BORRAR", "Borrar", vb::vbKeyF3, QStyle::SP_TrashIcon},
    {"GRABAR", "Grabar", vb::vbKeyF4, QStyle::SP_DialogSaveButton},
    {"PLANILLA", "Planilla", vb::vbKeyF6, QStyle::SP_FileDialogDetailedView},
    {"CONSULTAR", "Consultar", vb::vbKeyF5, QStyle::SP_FileDialogContentsView},
    {"REPORTE", "Reporte", vb::vbKeyF7, QStyle::SP_FileDialogInfoView},
    {"CERRAR", "Cerrar", vb::vbKeyF12, QStyle::SP_DialogCloseButton},
    {"CANCELAR", "Cancelar", vb::vbKeyF8, QStyle::SP_DialogCancelButton},
};

}  // namespace

UtilVex::UtilVex(QWidget* parent) : QWidget(parent) {
    auto* capa = new QHBoxLayout(this);
    capa->setContentsMargins(2, 2, 2, 2);
    capa->setSpacing(2);
    for (const DefBoton& b : kBotones) {
        const QString accion = QString::fromLatin1(b.accion);
        auto* boton = new QToolButton(this);
        boton->setObjectName(accion);
        boton->setText(QString::fromLatin1(b.titulo));
        boton->setIcon(style()->standardIcon(b.icono));
        boton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        boton->setToolTip(QStringLiteral("%1 (%2)").arg(boton->text(), NombreTecla(b.tecla)));
        boton->setFocusPolicy(Qt::NoFocus);  // a click must not take the focus from the field being edited
        boton->setAutoRaise(plana_);
        connect(boton, &QToolButton::clicked, this, [this, accion] { Q_EMIT Click(accion); });
        capa->addWidget(boton);
        botones_.insert(accion, boton);
    }
    capa->addStretch();
}

const QStringList& UtilVex::Acciones() {
    static const QStringList acciones = [] {
        QStringList l;
        for (const DefBoton& b : kBotones) l << QString::fromLatin1(b.accion);
        return l;
    }();
    return acciones;
}

int UtilVex::TeclaDe(const QString& accion) {
    for (const DefBoton& b : kBotones)
        if (accion.trimmed().compare(QLatin1String(b.accion), Qt::CaseInsensitive) == 0) return b.tecla;
    return 0;
}

QString UtilVex::AccionDe(int codigoTecla) {
    for (const DefBoton& b : kBotones)
        if (b.tecla == codigoTecla) return QString::fromLatin1(b.accion);
    return {};
}

QString UtilVex::NombreTecla(int codigoTecla) {
    if (codigoTecla >= vb::vbKeyF1 && codigoTecla < vb::vbKeyF1 + 24)
        return QStringLiteral("F%1").arg(codigoTecla - vb::vbKeyF1 + 1);
    return {};
}

QToolButton* UtilVex::Boton(const QString& accion) const {
    return botones_.value(accion.trimmed().toUpper(), nullptr);
}

void UtilVex::setHabilitado(const QString& accion, bool habilitado) {
    if (QToolButton* b = Boton(accion)) b->setEnabled(habilitado);
}

QString UtilVex::AccionDeId(int idDespacho) {
    static const QMap<int, QString> acciones{{0x6803000A, "NUEVO"},     {0x6803000B, "BORRAR"},
                                             {0x6803000C, "GRABAR"},    {0x6803000D, "PLANILLA"},
                                             {0x6803000E, "CONSULTAR"}, {0x6803000F, "REPORTE"},
                                             {0x68030010, "CANCELAR"},  {0x68030011, "CERRAR"}};
    return acciones.value(idDespacho);
}

void UtilVex::setEstado(int idDespacho, bool habilitado) {
    const QString accion = AccionDeId(idDespacho);
    if (!accion.isEmpty()) setHabilitado(accion, habilitado);
}

bool UtilVex::Habilitado(const QString& accion) const {
    const QToolButton* b = Boton(accion);
    return b && b->isEnabled();
}

bool UtilVex::ProcesaTecla(int codigoTecla) {
    const QString accion = AccionDe(codigoTecla);
    QToolButton* b = Boton(accion);
    // isEnabled also says no when the whole toolbar or its window is disabled.
    if (!b || !b->isEnabled()) return false;
    Q_EMIT Click(accion);
    return true;
}

void UtilVex::setStyleBar(bool plana) {
    plana_ = plana;
    for (QToolButton* b : std::as_const(botones_)) b->setAutoRaise(plana);
}
