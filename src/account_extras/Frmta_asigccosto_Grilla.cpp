// The distribution grid and its cell editor, the checks of a cost centre, a percentage and the
// account, and the lookups.
#include "account_extras/Frmta_asigccosto.h"

#include "data/DB_Dll.h"
#include "data/Globales.h"
#include "data/LecturasVigiladas.h"
#include "lookup/Def_QConsulta.h"
#include "lookup/Lib_ClsCons3.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/EditorGrilla.h"
#include "outside/controls/FlexGrid.h"
#include "outside/controls/Teclas.h"
#include "outside/controls/UtilVex.h"
#include "outside/maker/EnlaceControles.h"
#include "outside/maker/Utilidades.h"
#include "outside/runtime/Dialogos.h"
#include "outside/runtime/ErrorVB.h"
#include "services/CNStuffContable.h"

#include <QLabel>

namespace {

constexpr int kFilasGrilla = 20;

bool Es(const QString& a, const char* b) {
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}

// A flag read as text: "", "0", "False" and "Falso" are off; a Null reads "".
bool Verdadero(const QString& texto) {
    const QString t = texto.trimmed();
    return !t.isEmpty() && t != "0" && !Es(t, "False") && !Es(t, "Falso");
}

}  // namespace

void Frmta_asigccosto::MsFlex_Inicializa() {
    m_Col[0] = {"Linea", QString(), QString(), 5, false, false};
    m_Col[1] = {"C. Costo", "TA_CCOSTO", "CCOSTO", 4, false, false};
    m_Col[2] = {"Descripción", QString(), "DESCRIPCION", 52, false, false};
    m_Col[3] = {"Porcentaje", QString(), "PORCENTAJE", 10, false, false};
    marcaEditor_ = 0;
    editor_->Inicializa(kFilasGrilla, 1);
    FGCCosto->setFixedRows(1);
    FGCCosto->setFixedCols(1);
    for (int c = 0; c < int(m_Col.size()); ++c) {
        // Never narrower than its title, nor a code column than its widest code, in this font.
        const TipoColumnaGrilla& col = m_Col[size_t(c)];
        int ancho = std::max((col.Ancho + 1) * 80, FGCCosto->AnchoParaTexto(col.Titulo));
        if (!col.TablaBusqueda.isEmpty())
            ancho = std::max(ancho, FGCCosto->AnchoParaTexto(QString(col.Ancho, QChar('W'))));
        FGCCosto->setColWidth(c, ancho);
        FGCCosto->setColAlignment(c, Es(m_Col[size_t(c)].Campo, "porcentaje") ? 8 : 1);
        FGCCosto->setTextMatrix(0, c, m_Col[size_t(c)].Titulo);
    }
    for (int r = 1; r < kFilasGrilla; ++r) FGCCosto->setTextMatrix(r, 0, QString::number(r));
    // The grid keeps its current cell off the title row, where no enter-cell event put it.
    FilaEnEdicion = FGCCosto->Row();
}

void Frmta_asigccosto::Brw_Propiedades(int columna) {
    editor_->Propiedades(columna);
}

void Frmta_asigccosto::MSFlex_Editar(vb::FlexGrid*, vb::CajaTexto*, int KeyAscii) {
    editor_->Abre(KeyAscii);
}

void Frmta_asigccosto::MSFlex_EditKeyCode(vb::FlexGrid*, vb::CajaTexto*, int KeyCode, int) {
    editor_->Mueve(KeyCode);
}

void Frmta_asigccosto::MovimientoEnter() {
    // Enter walks right to the next editable column; past the percentage it starts the next row.
    vb::FlexGrid* g = FGCCosto;
    const int ultima = g->Cols() - 1;
    if (g->Col() == ultima) {
        editor_->SiguienteFila();
        g->setCol(0);
    }
    int c = g->Col();
    do {
        ++c;
    } while (c < ultima && !m_Col[size_t(c)].Editable);
    g->setCol(c);
    if (c == ultima && !m_Col[size_t(c)].Editable) {
        editor_->SiguienteFila();
        g->setCol(1);
    }
}

void Frmta_asigccosto::MuestraFila(int fila) {
    m_Col[1].Editable = true;
    if (fila <= 0 || fila >= Filas_.size()) {
        // A row with no record has no cost centre, so no percentage either.
        m_Col[3].Editable = false;
        m_Col[2].Editable = false;
        return;
    }
    if (fila >= FGCCosto->Rows()) FGCCosto->setRows(fila + 1);
    const FilaDistribucion& f = Filas_[fila];
    FGCCosto->setTextMatrix(fila, 0, QString::number(fila));
    FGCCosto->setTextMatrix(fila, 1, f.CCosto.trimmed());
    FGCCosto->setTextMatrix(fila, 2, f.Descripcion.trimmed());
    FGCCosto->setTextMatrix(fila, 3, f.Porcentaje.trimmed());
    m_Col[3].Editable = !f.CCosto.trimmed().isEmpty();
    m_Col[2].Editable = false;
}

void Frmta_asigccosto::FGCCosto_EnterCell() {
    marcaEditor_ = 0;
    marcaCuenta_ = -2;
    const int col = std::clamp(FGCCosto->Col(), 0, 3);
    // The lookup button follows the keyboard: a cell entered from code while the account box has it
    // (a clearing, a reload) takes nothing from that box.
    const QWidget* foco = focusWidget();
    if (foco == FGCCosto || foco == BrwTxt[0])
        UtilVex1->setHabilitado("CONSULTAR", !m_Col[size_t(col)].TablaBusqueda.isEmpty());
    if (FGCCosto->Row() != FilaEnEdicion) MuestraFila(FilaEnEdicion);
    FilaEnEdicion = FGCCosto->Row();
    Brw_Propiedades(col);
    MuestraFila(FilaEnEdicion);
}

void Frmta_asigccosto::BrwTxt_KeyDown(int, int& KeyCode, int) {
    editor_->TeclaEditor(KeyCode);
}

void Frmta_asigccosto::txtCuenta_KeyDown(int Index, int& KeyCode, int) {
    if (maker::gEnlaceControles().TeclaSalida(KeyCode)) ValidaCampo(txtCuenta[size_t(Index)], Index, true);
}

void Frmta_asigccosto::ValidaCampo(vb::CajaTexto* control, int, bool mostrar) {
    LecturasVigiladas lecturas;
    HuboError = false;
    const QString campo = control->DataField;
    const QString texto = control->text().trimmed();
    AseguraFilas(FilaEnEdicion);
    QString error;
    if (control == BrwTxt[0])
        error = ValidaCelda(campo, texto);
    else if (control == txtCuenta[0] && Es(campo, "CODIGO"))
        error = ValidaCuenta(texto);
    if (!error.isEmpty()) {
        HuboError = true;
        // After a lookup the operator gave up, told once, nothing is called missing or wrong.
        if (mostrar && !LecturasVigiladas::Abandonada()) Aviso(error);
    }
}

QString Frmta_asigccosto::ValidaCelda(const QString& campo, const QString& texto) {
    maker::Utilidades& u = maker::gUtilidades();
    const FilaDistribucion f = Filas_[FilaEnEdicion];
    QString error;
    if (Es(campo, "CCosto"))
        error = ValidaCentro(f, texto);
    else if (Es(campo, "Porcentaje"))
        error = ValidaPorcentaje(f, texto);
    if (error.isEmpty() && Grabando) {
        double suma = 0;
        for (int i = 1; i < Filas_.size(); ++i) suma += u.ValorDoble(Filas_[i].Porcentaje.trimmed());
        if (suma < 0 || suma > 100) error = "La suma de los porcentajes debe estar en un rango de 0 a 100";
    }
    if (error.isEmpty()) MuestraFila(FilaEnEdicion);
    return error;
}

QString Frmta_asigccosto::ValidaCentro(FilaDistribucion f, const QString& texto) {
    DB_Dll& db = CNStuffContable::gBaseDatos();
    maker::Utilidades& u = maker::gUtilidades();
    QString error;
    f.CCosto = texto;
    FijaFila(FilaEnEdicion, f);
    if (!texto.isEmpty()) {
        ado::RecordsetPtr rs;
        if (!db.ExisteEnTabla("ta_ccosto", texto, "codigo", rs))
            error = "Codigo_Inexistente";
        else if (Verdadero(u.TextoCampo(rs->valor("Titulo"))))
            error = "El centro de Costos es Titulo, seleccione otro!";
        else
            for (int i = 0; i < Filas_.size(); ++i)
                if (i != FilaEnEdicion && Filas_[i].CCosto.trimmed().compare(texto, Qt::CaseInsensitive) == 0)
                    error = "El centro de Costo ingresado ya fue informado anteriormente";
        if (error.isEmpty())
            f.Descripcion = db.DatosTabla("ta_ccosto", texto, "descripcion", "codigo").toString();
    }
    if (error.isEmpty()) {
        f.CCosto =
            texto.isEmpty() ? QString() : db.DatosTabla("TA_CCOSTO", texto, "Codigo", "CODIGO").toString();
        // A lookup the operator gave up leaves the row as typed, refused.
        if (LecturasVigiladas::Abandonada()) return QStringLiteral("Codigo_Inexistente");
        if (f.CCosto.isEmpty()) f = {};
        FijaFila(FilaEnEdicion, f);
    }
    return error;
}

QString Frmta_asigccosto::ValidaPorcentaje(FilaDistribucion f, const QString& texto) {
    f.Porcentaje = texto;
    FijaFila(FilaEnEdicion, f);
    const double valor = maker::gUtilidades().ValorDoble(texto);
    if (!texto.isEmpty() && (valor < 0 || valor > 100))
        return "El porcentaje debe estar en un rango de 0 a 100";
    QString mensaje;
    bool correcto = false;
    ValidaSumaPorcentajes(mensaje, correcto);
    return correcto ? QString() : mensaje;
}

QString Frmta_asigccosto::ValidaCuenta(const QString& texto) {
    DB_Dll& db = CNStuffContable::gBaseDatos();
    QString error;
    if (texto.isEmpty()) {
        error = "Debe Ingresar una Cuenta";
    } else {
        if (!db.ExisteEnTabla("ma_cuentas", texto, "codigo"))
            error = "La cuenta es inexistente";
        else if (Verdadero(db.DatosTabla("ma_cuentas", texto, "tITULO", "CODIGO").toString()))
            error = "La Cuenta debe ser imputable";
    }
    if (error.isEmpty()) {
        lblDescripcion->setText(db.DatosTabla("MA_CUENTAS", texto, "DESCRIPCION", "CODIGO").toString());
        if (!Grabando) {
            Filas_ = {FilaDistribucion{}};
            CargaDistribucion(TablaActual);
        }
        IniciaEdicion(true);
        DatosCargados = true;
    }
    return error;
}

QString Frmta_asigccosto::RevisaFilas() {
    DB_Dll& db = CNStuffContable::gBaseDatos();
    maker::Utilidades& u = maker::gUtilidades();
    double suma = 0;
    for (int i = 1; i < Filas_.size(); ++i) {
        const QString codigo = Filas_[i].CCosto.trimmed();
        if (codigo.isEmpty()) continue;
        ado::RecordsetPtr rs;
        if (!db.ExisteEnTabla("ta_ccosto", codigo, "codigo", rs)) return "Codigo_Inexistente";
        if (Verdadero(u.TextoCampo(rs->valor("Titulo"))))
            return "El centro de Costos es Titulo, seleccione otro!";
        for (int j = 1; j < i; ++j)
            if (Filas_[j].CCosto.trimmed().compare(codigo, Qt::CaseInsensitive) == 0)
                return "El centro de Costo ingresado ya fue informado anteriormente";
        const double valor = u.ValorDoble(Filas_[i].Porcentaje.trimmed());
        if (valor < 0 || valor > 100) return "El porcentaje debe estar en un rango de 0 a 100";
        suma += valor;
    }
    if (suma < 0 || suma > 100) return "La suma de los porcentajes debe estar en un rango de 0 a 100";
    return {};
}

void Frmta_asigccosto::IniciaEdicion(bool activar) {
    txtCuenta[0]->setEnabled(!activar);
    UtilVex1->setHabilitado("GRABAR", activar);
    UtilVex1->setHabilitado("CANCELAR", activar);
    UtilVex1->setHabilitado("NUEVO", !activar);
    UtilVex1->setHabilitado("PLANILLA", !activar);
    UtilVex1->setHabilitado("BORRAR", activar && !Nuevo);
    if (!activar) return;
    FGCCosto->setCol(1);
    FGCCosto->setRow(1);
    // The cell is entered even when it was already the current one: its lookup and the
    // editor's properties follow it.
    FGCCosto_EnterCell();
    MuestraFila(1);
    MSFlex_Editar(FGCCosto, BrwTxt[0], 32);
}

void Frmta_asigccosto::Consultar() {
    DB_Dll& db = CNStuffContable::gBaseDatos();
    if (marcaEditor_ >= 0 && !BrwTxt[0]->Tag.trimmed().isEmpty()) {
        if (!Es(BrwTxt[0]->Tag.trimmed(), "ta_ccosto")) return;
        Lib_ClsCons3& consulta = gConsulta();
        consulta.CampoDevuelto = "CODIGO";
        Coleccion ninguna;
        QString clave, campo, donde, opcional, porDefecto;
        bool arbol = true;
        consulta.ConsultaSearch("SELECT Codigo, DESCRIPCION FROM Ta_Ccosto ORDER BY Codigo", ninguna, clave,
                                campo, donde, opcional, arbol, porDefecto);
        const QString elegido = consulta.ValorDevuelto.toString().trimmed();
        // A cancelled lookup leaves the cell as it was.
        if (elegido.isEmpty()) return;
        if (!editor_->Editando()) MSFlex_Editar(FGCCosto, BrwTxt[0], 32);
        BrwTxt[0]->setText(elegido);
        int enter = vb::vbKeyReturn;
        BrwTxt_KeyDown(0, enter, 0);
        return;
    }
    if (marcaCuenta_ >= 0 && !txtCuenta[size_t(marcaCuenta_)]->Tag.trimmed().isEmpty()) {
        QString tabla = "ma_cuentas", campoDesc, codigo, extra, donde;
        bool mostrar = true;
        Def_QConsulta::ConsultaTabla(tabla, campoDesc, codigo, extra, mostrar, donde);
        const QString elegido = codigo.trimmed();
        if (elegido.isEmpty()) return;
        txtCuenta[0]->setText(elegido);
        const QString desc =
            db.DatosTabla("ma_cuentas", txtCuenta[0]->text().trimmed(), "descripcion", "codigo")
                .toString()
                .trimmed();
        lblDescripcion->setText(desc);
        if (!desc.isEmpty()) {
            int enter = vb::vbKeyReturn;
            txtCuenta_KeyDown(marcaCuenta_, enter, 0);
        }
    }
}
