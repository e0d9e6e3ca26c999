#include "data/frmAcceso.h"

#include "outside/controls/CajaTexto.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "data/ServiciosAcceso.h"
#include "outside/ado/AdoTipos.h"
#include "outside/ado/Connection.h"
#include "outside/controls/CajaTexto.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ManejadorErrores.h"
#include "outside/runtime/Procesos.h"
#include "outside/runtime/Programa.h"
#include "ui_frmAcceso.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

namespace {

constexpr int kVentanaMinimizadaSinFoco = 6;

QPointer<frmAcceso>& unico() {
    static QPointer<frmAcceso> f;
    return f;
}

// Errors Register passes over: a closed connection, and what the server start reports when the
// service is already running or cannot be reached.
bool SeIgnoraAlRegistrar(int32_t numero) {
    return numero == ado::kErrObjetoCerrado || numero == -2147023840 || numero == 1056 || numero == 440 ||
           numero == 20480;
}

// A value of a desktop entry's Exec key, quoted as launchers read it.
QString CitaEjecutable(const QString& ruta) {
    QString s;
    for (const QChar c : ruta) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            s += QLatin1Char('\\');
        s += c;
    }
    s.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

}  // namespace

frmAcceso& frmAcceso::instancia() {
    if (!unico()) unico() = new frmAcceso;
    return *unico();
}

void frmAcceso::Destruir() {
    delete unico().data();
}

void frmAcceso::Instalar() {
    DB_Dll::PedirDatosConexion = &frmAcceso::PedirDatos;
}

bool frmAcceso::PedirDatos(DB_Dll& db) {
    frmAcceso& f = instancia();
    if (f.isVisible()) f.hide();
    f.Cargar();
    f.TxtDbName->setText(db.gDBName);
    f.TxtServidor->setText(db.gServidor);
    f.TxtUserId->setText(CNStuffContable::gUsuarioLogeado);
    f.TxtUserPassword->setText(CNStuffContable::gPasswordLogeado);
    f.CboPlataformaDB->setCurrentIndex(0);
    vb::MostrarModal(&f);
    const bool acepta = f.Aceptar;
    if (acepta) {
        // The suite's login rule: login and password are the database name; the user and
        // password boxes belong to the application user, kept by Conectar.
        db.gDBName = f.TxtDbName->text();
        db.gServidor = f.TxtServidor->text();
        db.gUsuario = f.TxtDbName->text();
        db.gUserPassWord = f.TxtDbName->text();
        if (f.CboPlataformaDB->currentIndex() > 0) {
            db.gProveedor = "OraOLEDB.Oracle.1";
            if (!db.gServidor.contains(QLatin1Char('#'))) db.gServidor += "#";
        } else {
            db.gProveedor = "SQLOLEDB";
        }
    }
    f.Descargar();
    return acepta;
}

frmAcceso::frmAcceso() : QWidget(nullptr, Qt::Dialog), ui_(std::make_unique<Ui::frmAcceso>()) {
    ui_->setupUi(this);
    tomaControles();
    conectaControles();
    valoresIniciales();
}

frmAcceso::~frmAcceso() = default;

void frmAcceso::tomaControles() {
    TxtUserId = ui_->TxtUserId;
    TxtUserPassword = ui_->TxtUserPassword;
    TxtDbName = ui_->TxtDbName;
    TxtServidor = ui_->TxtServidor;
    CboPlataformaDB = ui_->CboPlataformaDB;
    TxtPuerto = ui_->TxtPuerto;
    TxtPuerto->setMuestra("65535");  // the highest port, whole
    bcAceptar = ui_->bcAceptar;
    bcCancelar = ui_->bcCancelar;
    lstBases = ui_->lstBases;
    CmdRegistrar = ui_->CmdRegistrar;
    CmdLineaComando = ui_->CmdLineaComando;
    Label1 = {ui_->Label1_0, ui_->Label1_1, ui_->Label1_2};
    Label2 = ui_->Label2;
    Label3 = ui_->Label3;
    Label4 = ui_->Label4;
    Label5 = ui_->Label5;
    Label6 = ui_->Label6;
    Label7 = ui_->Label7;
    Label8 = ui_->Label8;
    framAcceso = ui_->framAcceso;
    Line1 = ui_->Line1;

    // The title is larger than the desktop's font, whatever that is.
    QFont titulo = Label1[2]->font();
    titulo.setPointSize(titulo.pointSize() + 4);
    Label1[2]->setFont(titulo);
}

void frmAcceso::conectaControles() {
    for (QLineEdit* t : {TxtUserId, TxtUserPassword, TxtDbName, TxtServidor}) {
        t->setPlaceholderText(Pista(t));
        t->installEventFilter(this);
    }
    for (QLineEdit* t : {TxtUserPassword, TxtDbName, TxtServidor})
        connect(t, &QLineEdit::textChanged, this, [this, t] { MensajeInicial(t); });
    lstBases->installEventFilter(this);
    Label8->installEventFilter(this);
    connect(lstBases, &QListWidget::currentRowChanged, this, [this](int fila) {
        if (fila >= 0) lstBases_Click();
    });
    connect(lstBases, &QListWidget::itemClicked, this, [this] { lstBases_Click(); });
    connect(lstBases, &QListWidget::itemDoubleClicked, this, [this] { lstBases_DblClick(); });
    connect(bcAceptar, &QPushButton::clicked, this, [this] { bcAceptar_Click(); });
    connect(bcCancelar, &QPushButton::clicked, this, [this] { bcCancelar_Click(); });
    connect(CmdRegistrar, &QPushButton::clicked, this, [this] { CmdRegistrar_Click(); });
    connect(CmdLineaComando, &QPushButton::clicked, this, [this] { CmdLineaComando_Click(); });
}

void frmAcceso::valoresIniciales() {
    TxtUserId->setText(" ");
    TxtUserPassword->clear();
    TxtDbName->clear();
    TxtServidor->clear();
    TxtPuerto->setText("1433");
    {
        const QSignalBlocker bloqueo(CboPlataformaDB);
        CboPlataformaDB->clear();
        CboPlataformaDB->addItems({"SQL Server", "ORACLE"});
        CboPlataformaDB->setCurrentIndex(0);
    }
    const QSignalBlocker bloqueo(lstBases);
    lstBases->clear();
}

void frmAcceso::Cargar() {
    if (cargado_) return;
    valoresIniciales();
    Form_Load();
    cargado_ = true;
}

void frmAcceso::Descargar() {
    hide();
    cargado_ = false;
}

QString frmAcceso::ArchivoAccesoDirecto() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation))
        .filePath(vb::Trim(vb::App().EXEName) + ".desktop");
}

// ---- hints ----

QString frmAcceso::Pista(const QLineEdit* ObjTxt) const {
    if (ObjTxt == TxtUserId) return "Ingrese el usuario";
    if (ObjTxt == TxtDbName) return "ingrese el nombre de la base de datos";
    if (ObjTxt == TxtServidor) return "ingrese el nombre del servidor e instancia";
    return QString();
}

void frmAcceso::MensajeInicial(QLineEdit* ObjTxt) {
    // The hint is the box's placeholder, never its text: a blank box, or one holding the hint
    // itself, is emptied so that the hint shows and nothing of it is taken as data.
    const QString pista = Pista(ObjTxt);
    const QString texto = ObjTxt->text();
    if (!vb::Trim(texto).isEmpty() && texto != pista) return;
    if (!texto.isEmpty()) ObjTxt->clear();
}

// ---- the registered connections ----

void frmAcceso::llenarlist() {
    vb::ManejadorErrores h("FormLoad", [](const vb::ErrorVB& e, const QString& rutina) {
        return data::gServiciosAcceso().MensajeError(e, 18, rutina);
    });
    m_Archivo = maker::gUtilidades().BarraFinal(vb::App().Path) + "BASES.TXT";
    if (!data::gServiciosAcceso().ExisteArchivo(m_Archivo)) {
        const QSignalBlocker bloqueo(lstBases);
        lstBases->clear();
        return;
    }
    QList<data::EntradaBase> entradas;
    {
        const QSignalBlocker bloqueo(lstBases);
        if (!h.paso([&] {
                lstBases->clear();
                const auto leidas = data::gServiciosAcceso().LeeBasesArchivo(m_Archivo);
                if (!leidas) vb::Raise(75, "No se puede leer el archivo " + m_Archivo);
                entradas = *leidas;
            }))
            return;
        for (const data::EntradaBase& e : entradas)
            if (!vb::Trim(e.Nombre).isEmpty()) lstBases->addItem(e.Nombre);
        if (lstBases->count() == 0) return;
        lstBases->setCurrentRow(0);
    }
    // Selecting the first entry copies it into the boxes, as a click would.
    lstBases_Click();
}

void frmAcceso::DatosBase(const QString& nombre) {
    if (!data::gServiciosAcceso().ExisteArchivo(m_Archivo)) return;
    try {
        const auto entradas = data::gServiciosAcceso().LeeBasesArchivo(m_Archivo);
        if (!entradas) vb::Raise(75, "No se puede leer el archivo " + m_Archivo);
        const QString buscado = vb::Trim(nombre);
        for (const data::EntradaBase& e : *entradas) {
            if (vb::Trim(e.Nombre) != buscado) continue;
            m_ServidorSel = e.Servidor;
            m_BaseSel = e.Base;
            m_UsuarioSel = e.Usuario;
            m_PasswordSel = maker::gUtilidades().DecodificaClave(e.Clave);
            break;
        }
    } catch (const vb::ErrorVB& e) {
        data::gServiciosAcceso().MensajeError(e, 18, "DatosBase");
    }
}

void frmAcceso::AsignarDatosBase() {
    const QListWidgetItem* actual = lstBases->currentItem();
    DatosBase(vb::Trim(actual ? actual->text() : QString()));
    QString servidor, puerto;
    if (data::gServiciosAcceso().SeparaPuerto(m_ServidorSel, servidor, puerto)) {
        m_Puerto = puerto;
        m_ServidorSel = servidor;
    }
    TxtServidor->setText(m_ServidorSel);
    TxtUserId->clear();
    TxtUserPassword->clear();
    TxtDbName->setText(m_BaseSel);
    TxtPuerto->setText(m_Puerto.isValid() ? vb::CStr(m_Puerto) : QString());
}

void frmAcceso::RegistrarBases() {
    m_Archivo = maker::gUtilidades().BarraFinal(vb::App().Path) + "BASES.TXT";
    if (!data::gServiciosAcceso().ExisteArchivo(m_Archivo)) CmdRegistrar_Click();
}

bool frmAcceso::ExisteBaseDeDatos(const QString& Servidor, const QString& Dbname, const QString& Usuario,
                                  const QString& Password, const QString& proveedor) {
    DB_Dll& base = CNStuffContable::gBaseDatos();
    if (!base.gCnn) base.gCnn = ado::Connection::Crear();
    bool resultado = true;
    auto paso = [&resultado](const std::function<void()>& f) {
        try {
            f();
        } catch (const vb::ErrorVB&) {
            resultado = false;
        }
    };
    // Only a connection that is open is closed: after a failed start the flag may say open
    // while the connection is not, and the trial must still be made.
    paso([&] {
        if (base.gOpenFlag && base.gCnn->State() == ado::adStateOpen) base.gCnn->Close();
    });
    const QString cadena = "PROVIDER=" + proveedor + ";" + "Server=" + Servidor + ";" +
                           "Database =" + Dbname + ";" + "UId=" + Usuario + ";" + "Pwd=" + Password + ";";
    paso([&] { base.gCnn->Open(cadena, QString(), QString(), -1); });
    if (resultado) paso([&] { base.gCnn->Close(); });
    return resultado;
}

bool frmAcceso::EjecutarCmdRegDB(const QString& Archivo, QString& ErrDevuelto) {
    QProcess proceso;
    proceso.startCommand(Archivo);
    if (!proceso.waitForStarted()) {
        ErrDevuelto = "Error al ejecutar el comando";
        return false;
    }
    while (proceso.state() != QProcess::NotRunning) {
        proceso.waitForFinished(50);
        vb::DoEvents();
    }
    return true;
}

// ---- events ----

void frmAcceso::Form_Load() {
    // Centred on its screen by its own size when it is shown, not by the size it has before.
    llenarlist();
    for (QLineEdit* t : {TxtUserId, TxtUserPassword, TxtDbName, TxtServidor}) MensajeInicial(t);
}

void frmAcceso::bcAceptar_Click() {
    CNStuffContable::gUsuarioLogeado = TxtUserId->text();
    CNStuffContable::gPasswordLogeado = TxtUserPassword->text();
    Aceptar = true;
    const bool primerRegistro = !data::gServiciosAcceso().ExisteArchivo(
        maker::gUtilidades().BarraFinal(vb::App().Path) + "BASES.TXT");
    const QString base = vb::Trim(TxtDbName->text());
    const QString servidor = vb::Trim(TxtServidor->text());
    RegistrarBases();
    // The refill after the first registration shows the file's entry, its port cut off the
    // server: the caller gets the connection that was typed.
    if (primerRegistro) {
        TxtDbName->setText(base);
        TxtServidor->setText(servidor);
    }
    hide();
}

void frmAcceso::bcCancelar_Click() {
    Aceptar = false;
    hide();
}

void frmAcceso::closeEvent(QCloseEvent* evento) {
    // Closing the window is a Cancelar for whoever waits on the form.
    Aceptar = false;
    evento->accept();
}

void frmAcceso::CmdRegistrar_Click() {
    DB_Dll& base = CNStuffContable::gBaseDatos();
    bool haciaElFinal = false;
    vb::ManejadorErrores h("CmdRegistrar_Click", [&haciaElFinal](const vb::ErrorVB& e, const QString&) {
        if (SeIgnoraAlRegistrar(e.Number)) return vb::kRespuestaIgnorar;
        if (haciaElFinal) return 0;
        vb::MsgBox("SQL Server start failed.  " + QString("\r") +
                       "SQL-DMO error:  " + QString::number(e.Number) + " " + e.Description,
                   vb::vbOKOnly, vb::App().Title);
        haciaElFinal = true;
        return 0;
    });

    QString servidorGuardado = TxtServidor->text();
    if (!RegistraConexion(h, servidorGuardado) && !haciaElFinal) return;

    // The suite's ODBC set-up program, when it lies beside this one, learns the new connection.
    h.paso([&] {
        const QString odbc = data::gServiciosAcceso().RutaProgramaHermano("ODBC.exe");
        if (!odbc.isEmpty())
            vb::Shell(odbc, {"Server=" + servidorGuardado + ";DB=" + TxtDbName->text() + ";"},
                      kVentanaMinimizadaSinFoco);
    });
    h.paso([&] {
        if (base.gCnn) base.gCnn->Close();
    });
    llenarlist();
}

bool frmAcceso::RegistraConexion(vb::ManejadorErrores& h, QString& servidorGuardado) {
    const QString nombre = data::gServiciosAcceso().NombreEntradaBase(TxtDbName->text(), TxtServidor->text());
    bool duplicada = false;
    if (!h.paso([&] {
            m_ServidorSel.clear();
            DatosBase(nombre);
            duplicada = !vb::Trim(m_ServidorSel).isEmpty();
        }))
        return false;
    if (duplicada) {
        vb::MsgBox("La conexion que intenta registrar ya existe ", vb::vbInformation, "Atencion");
        return false;
    }
    if (!h.paso([&] {
            const double puerto = maker::gUtilidades().ValorNumerico(TxtPuerto->text());
            m_Puerto = puerto == 0 ? QVariant(1433) : QVariant(puerto);
            for (QLineEdit* t : {TxtServidor, TxtUserId, TxtUserPassword, TxtDbName})
                t->setText(vb::Trim(t->text()));
            servidorGuardado = TxtServidor->text();
        }))
        return false;
    if (!PruebaConexionNueva(h)) return false;
    return h.paso([&] {
        // The database object's retry may have shown this form again and changed the boxes:
        // the entry goes under the connection that opened, and only once.
        const QString nombreFinal =
            data::gServiciosAcceso().NombreEntradaBase(TxtDbName->text(), TxtServidor->text());
        if (nombreFinal != nombre) {
            m_ServidorSel.clear();
            DatosBase(nombreFinal);
            if (!vb::Trim(m_ServidorSel).isEmpty()) return;
        }
        data::gServiciosAcceso().AgregaBaseArchivo(nombreFinal, TxtDbName->text(), TxtDbName->text(),
                                                   TxtDbName->text(), TxtServidor->text(), false);
    });
}

bool frmAcceso::PruebaConexionNueva(vb::ManejadorErrores& h) {
    // First the suite's login rule, then the typed user and password through the database
    // object, which reports its own failures.
    DB_Dll& base = CNStuffContable::gBaseDatos();
    const QString db = TxtDbName->text().toUpper();
    if (ExisteBaseDeDatos(TxtServidor->text(), db, db, db, "SQLOLEDB")) return true;
    if (!h.paso([&] {
            if (base.gOpenFlag && base.gCnn) base.gCnn->Close();
        }))
        return false;
    if (!h.paso([&] {
            base.gServidor = TxtServidor->text();
            base.gUsuario = TxtUserId->text();
            base.gUserPassWord = TxtUserPassword->text();
            base.gDBName = TxtDbName->text();
            base.OpenServerADODB(false, ado::adUseClient, QString(), true, true);
        }))
        return false;
    if (!base.gOpenFlag) {
        vb::MsgBox("NO SE PUDO CONECTAR AL SERVIDOR " + TxtServidor->text() +
                       " VERIFIQUE EL NOMBRE DE USUARIO Y PASSWORD INGRESADO",
                   vb::vbInformation, "AVISO AL OPERADOR");
        return false;
    }
    return true;
}

void frmAcceso::CmdLineaComando_Click() {
    vb::ManejadorErrores h("Click", [](const vb::ErrorVB& e, const QString& rutina) {
        return data::gServiciosAcceso().MensajeError(e, 18, rutina);
    });
    QString escritorio;
    if (!h.paso([&] {
            escritorio = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
            if (escritorio.isEmpty() || !QDir().mkpath(escritorio))
                vb::Raise(76, "No se encuentra la carpeta del escritorio");
        }))
        return;
    const QString nombre = vb::Trim(vb::App().EXEName);
    const QString programa = maker::gUtilidades().BarraFinal(vb::App().Path) + nombre;
    h.paso([&] {
        const QString contenido =
            "[Desktop Entry]\n"
            "Type=Application\n"
            "Name=" +
            nombre + "\nExec=" + CitaEjecutable(programa) + "\nIcon=" + programa + "\nTerminal=false\n";
        QFile archivo(ArchivoAccesoDirecto());
        if (!archivo.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            archivo.write(contenido.toUtf8()) < 0 || !archivo.flush())
            vb::Raise(75, "No se puede escribir el acceso directo " + archivo.fileName());
        archivo.setPermissions(archivo.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    });
}

void frmAcceso::lstBases_Click() {
    AsignarDatosBase();
}

void frmAcceso::lstBases_DblClick() {
    AsignarDatosBase();
    bcAceptar_Click();
}

void frmAcceso::lstBases_KeyDown(int KeyCode) {
    // Tab and Shift+Tab move the focus and a modifier alone is part of another key: neither
    // chooses an entry, and an empty list has none to choose.
    switch (KeyCode) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Meta:
            return;
        default:
            break;
    }
    if (!lstBases->currentItem()) return;
    AsignarDatosBase();
}

void frmAcceso::Label8_Click() {
    data::gServiciosAcceso().AbreDocumento(Label8->text(), true);
}

bool frmAcceso::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() == QEvent::KeyPress) {
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        if (objeto == lstBases) {
            lstBases_KeyDown(tecla->key());
            return false;
        }
        if (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter) {
            QWidget* siguiente = nullptr;
            if (objeto == TxtUserId) siguiente = TxtUserPassword;
            if (objeto == TxtUserPassword) siguiente = TxtDbName;
            if (objeto == TxtDbName) siguiente = TxtServidor;
            if (objeto == TxtServidor) siguiente = bcAceptar;
            if (siguiente) {
                siguiente->setFocus();
                return true;
            }
        }
    }
    if (evento->type() == QEvent::FocusIn && objeto == TxtUserId) MensajeInicial(TxtUserId);
    if (evento->type() == QEvent::MouseButtonRelease && objeto == Label8) Label8_Click();
    return QWidget::eventFilter(objeto, evento);
}
