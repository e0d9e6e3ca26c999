#pragma once
// The account manual: beside a tree of the chart, the two texts of the account chosen, what it is
// debited for (Manual) and what it is credited for (Manual_Haber). Leaving a text box writes the
// texts of that account the user changed, and nothing else of its row, while no one else changed
// them.
#include "outside/ado/Connection.h"
#include "outside/ado/Recordset.h"
#include "services/GrabacionOptimista.h"

#include <QString>
#include <QVariant>
#include <QWidget>
#include <array>
#include <memory>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
namespace vb {
class TreeView;
}
namespace maker {
class ReglasCuentas;
}

class frmMa_ManualCuentas : public QWidget {
    Q_OBJECT
  public:
    explicit frmMa_ManualCuentas(QWidget* parent = nullptr);
    ~frmMa_ManualCuentas() override;

    // The open window, or null. Mostrar creates and loads it when there is none, else brings the
    // open one forward with the account it shows.
    static frmMa_ManualCuentas* Instancia();
    static frmMa_ManualCuentas* Mostrar();

    // Fills the tree; with an argument (whatever it holds) only codes from the end of level 2 or 3
    // on are shown.
    void ArmarTreeVAutomatico(const QVariant& Desde = QVariant());

    // ---- events ----
    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    void TreeV_NodeClick(const QString& clave);
    void ChkRama_Click();
    void CmdActualizar_Click();
    void cmdClose_Click();
    void txtFields_GotFocus(int Index);
    void txtFields_KeyPress(int Index, int& KeyAscii);
    void txtFields_LostFocus(int Index);

    // The row whose texts are shown (null or without a row when none).
    const ado::RecordsetPtr& registro() const { return rs_; }

  protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    // ---- controls ----
    vb::TreeView* TreeV = nullptr;
    QCheckBox* ChkRama = nullptr;
    QLabel* LblCuenta = nullptr;
    std::array<QLabel*, 2> lblTitulo{};
    std::array<QPlainTextEdit*, 2> txtFields{};
    QPushButton* CmdActualizar = nullptr;
    QPushButton* cmdClose = nullptr;

    void Generar(const QString& tabla);
    maker::ReglasCuentas& Reglas();
    // The two texts of the row in rs_, shown and remembered as shown.
    void MuestraTextos(const QString& codigo);
    // Writes the texts the user changed, in one transaction, while no one else changed them;
    // false when refused or failed.
    bool GrabaTextos();

    QString tablaActual_;
    ado::RecordsetPtr rs_;
    // The account whose texts are shown, as shown; nothing remembered when none is shown.
    GrabacionOptimista mostrada_;
    QString codigo_;
    // A write under way: the focus its messages move writes nothing more.
    bool escribiendo_ = false;
    std::unique_ptr<maker::ReglasCuentas> reglas_;
    bool descargada_ = false;
};
