#pragma once
// The connection form "Control de Acceso": the operator types or picks the data of a database
// connection, registers a new one in "BASES.TXT" and can put a shortcut to the program on the
// desktop. Only the database object shows it (DB_Dll::PedirDatosConexion, see Instalar).
#include <QString>
#include <QVariant>
#include <QWidget>
#include <array>
#include <memory>

class DB_Dll;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
namespace vb {
class CajaTexto;
class ManejadorErrores;
}  // namespace vb
namespace Ui {
class frmAcceso;
}

class frmAcceso : public QWidget {
    Q_OBJECT

  public:
    // The one form of the program, created on first use.
    static frmAcceso& instancia();
    // Makes the database object ask for its connection data with this form.
    static void Instalar();
    // What the database object runs to ask: load, fill with its data, show modally, take the
    // accepted data, unload. Returns Aceptar.
    static bool PedirDatos(DB_Dll& db);
    // Drops the one form; the next use creates it afresh (tests start from a new form).
    static void Destruir();

    frmAcceso();
    ~frmAcceso() override;

    // VB's Load (runs Form_Load once until the next Unload) and Unload (hides; the form's
    // variables stay, the controls come back as designed on the next Load).
    void Cargar();
    void Descargar();
    bool Cargado() const { return cargado_; }

    // True after Conectar, false after Cancelar (or closing the window).
    bool Aceptado() const { return Aceptar; }

    // ---- operations ----
    void RegistrarBases();
    void llenarlist();
    void DatosBase(const QString& nombre);
    void AsignarDatosBase();
    bool ExisteBaseDeDatos(const QString& Servidor, const QString& Dbname, const QString& Usuario,
                           const QString& Password, const QString& proveedor);
    void MensajeInicial(QLineEdit* ObjTxt);
    // Runs a command line and waits for its end; false with ErrDevuelto set when it could not run.
    bool EjecutarCmdRegDB(const QString& Archivo, QString& ErrDevuelto);
    // The hint of a box ("" for the password and the others).
    QString Pista(const QLineEdit* ObjTxt) const;

    // ---- events ----
    void Form_Load();
    void bcAceptar_Click();
    void bcCancelar_Click();
    void CmdRegistrar_Click();
    void CmdLineaComando_Click();
    void lstBases_Click();
    void lstBases_DblClick();
    void lstBases_KeyDown(int KeyCode);
    void Label8_Click();

    // State read by tests and kept between showings.
    const QString& Archivo() const { return m_Archivo; }
    const QVariant& Puerto() const { return m_Puerto; }
    // The desktop shortcut the last CmdLineaComando_Click wrote.
    static QString ArchivoAccesoDirecto();

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

  private:
    // True after Conectar, false after Cancelar (or closing the window).
    bool Aceptar = false;

    // ---- controls ----
    QLineEdit* TxtUserId;
    QLineEdit* TxtUserPassword;
    QLineEdit* TxtDbName;
    QLineEdit* TxtServidor;
    QComboBox* CboPlataformaDB;
    vb::CajaTexto* TxtPuerto;
    QPushButton* bcAceptar;
    QPushButton* bcCancelar;
    QListWidget* lstBases;
    QPushButton* CmdRegistrar;
    QPushButton* CmdLineaComando;
    std::array<QLabel*, 3> Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QFrame* framAcceso;
    QFrame* Line1;

    // The controls of the layout (frmAcceso.ui) under their names, and their events.
    void tomaControles();
    void conectaControles();
    void valoresIniciales();
    // Register's steps up to the entry's append, under Register's handler; false when Register
    // stops there. The new connection is tried first (PruebaConexionNueva).
    bool RegistraConexion(vb::ManejadorErrores& h, QString& servidorGuardado);
    bool PruebaConexionNueva(vb::ManejadorErrores& h);

    std::unique_ptr<Ui::frmAcceso> ui_;

    bool cargado_ = false;
    QString m_Archivo;
    QString m_ServidorSel;
    QString m_BaseSel;
    QString m_UsuarioSel;
    QString m_PasswordSel;
    QVariant m_Puerto;
};
