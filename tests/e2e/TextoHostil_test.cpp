// A user who is not an administrator types hostile texts into every lookup entry of the chart of
// accounts and its companion forms: no confidential row ever shows, and the company file keeps
// every row it had (the access log aside).
#include "account_extras/Frmta_asigccosto.h"
#include "account_extras/frmMA_CUENTASADIC.h"
#include "accounts/CuentasDePrueba.h"
#include "accounts/EnlacesCuentas.h"
#include "lookup/Lib_FrmCons3.h"
#include "lookup/Lib_FrmCons3Tree.h"
#include "outside/controls/BarraBotones.h"
#include "outside/controls/BusquedaCodigo.h"
#include "outside/controls/CajaTexto.h"
#include "outside/controls/ListView.h"
#include "outside/controls/Teclas.h"
#include "outside/controls/UtilVex.h"
#include "support/ContenidoBase.h"
#include "support/Control.h"
#include "support/Pide.h"

#include <gtest/gtest.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <random>

namespace {

// Fragments that have broken statements before, glued at random (a fixed seed, so a failure
// repeats), the known attacks, and one very long text.
QStringList TextosHostiles() {
    const QStringList piezas = {"'",
                                "''",
                                "x order by y",
                                " ORDER BY ",
                                " group by ",
                                "--",
                                "/*",
                                "*/",
                                ";",
                                "@Admin_",
                                "@Admin_CODIGO",
                                "SS_",
                                " SS_MA_CUENTAS ",
                                " MV_ASIENTOS ",
                                QString(QChar(0)),
                                "%",
                                "*",
                                "[",
                                "]",
                                "\"",
                                "(",
                                ")",
                                " OR 1=1",
                                " where ",
                                "UPDATE/**/TA_USUARIOS/**/SET/**/ADMINISTRADOR=1",
                                "DELETE FROM MA_CUENTAS",
                                "HONORARIOS",
                                "51010100102",
                                "ca",
                                " "};
    QStringList textos = {"x order by y",
                          "');UPDATE/**/TA_USUARIOS/**/SET/**/ADMINISTRADOR=1;--",
                          "')OR(@Admin_CODIGO<>'')--",
                          "%')) OR 1=1 OR ((DESCRIPCION LIKE '",
                          "' group by CODIGO;DELETE FROM MA_CUENTAS;--",
                          "@Admin_MA_CUENTAS",
                          "' UNION SELECT CODIGO, DESCRIPCION FROM MV_ASIENTOS, @Admin_MA_CUENTAS--"};
    std::mt19937 azar(25);
    while (textos.size() < 300) {
        QString t;
        for (int n = 1 + int(azar() % 5); n > 0; --n) t += piezas[int(azar() % piezas.size())];
        textos << t;
    }
    textos << QString("')OR(@Admin_CODIGO<>'') order by --").repeated(120);
    return textos;
}

class HostileText : public ::testing::Test {
  protected:
    HostileText() : v({}, "OPERADOR") {}

    void SetUp() override {
        ASSERT_TRUE(v.base().valida()) << v.base().error().toStdString();
        for (const QStringList& f :
             v.base().filas("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS WHERE CONFIDENCIAL = 1"))
            ocultos << f[0].trimmed() << f[1].trimmed();
        ASSERT_TRUE(ocultos.contains("51010100102"));
        v.Iniciar();
        antes = Contenido(v.base());
    }
    void TearDown() override {
        EXPECT_TRUE(Contenido(v.base()) == antes) << "the company file changed";
        for (const char* n : {"frmMA_CUENTASADIC", "Frmta_asigccosto", "frmMa_ManualCuentas"})
            EnlacesCuentas::RegistraFormulario(n, {});
    }

    // The text typed where the focus is, key by key; a text no keyboard types (very long, or with
    // a NUL) is pasted there.
    static void Teclea(const QString& texto) {
        QWidget* foco = QApplication::focusWidget();
        ASSERT_NE(foco, nullptr);
        if (texto.size() > 200 || texto.contains(QChar(0))) {
            QApplication::clipboard()->setText(texto);
            QTest::keyClick(foco, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(foco, texto);
        }
    }
    static void Pulsa(Qt::Key tecla, Qt::KeyboardModifiers mod = Qt::NoModifier) {
        QWidget* foco = QApplication::focusWidget();
        ASSERT_NE(foco, nullptr);
        QTest::keyClick(foco, tecla, mod);
    }
    static void Enfoca(QWidget* w) {
        QApplication::setActiveWindow(w->window());
        w->setFocus();
        QApplication::processEvents();
    }

    // The lookup's list, tree or code list shows no confidential row.
    void SinOcultos(QWidget* ventana, const QString& texto) {
        for (QAbstractItemView* vista : ventana->findChildren<QAbstractItemView*>()) {
            if (!vista->isVisible() || !vista->model()) continue;
            const QAbstractItemModel* m = vista->model();
            QList<QModelIndex> pendientes = {QModelIndex()};
            while (!pendientes.isEmpty()) {
                const QModelIndex padre = pendientes.takeLast();
                for (int r = 0; r < m->rowCount(padre); ++r)
                    for (int c = 0; c < m->columnCount(padre); ++c) {
                        const QModelIndex i = m->index(r, c, padre);
                        if (c == 0 && m->hasChildren(i)) pendientes << i;
                        const QString celda = i.data().toString().trimmed();
                        const QString codigo = celda.section(" - ", 0, 0).remove('-').trimmed();
                        ASSERT_FALSE(ocultos.contains(celda) || ocultos.contains(codigo))
                            << celda.toStdString() << " after " << texto.toStdString();
                    }
            }
        }
    }

    // The search boxes of the list window, with and without LIKE: each text typed, then F5 on it.
    void Lista(Lib_FrmCons3& w, const QStringList& textos) {
        for (int i = 0; i < textos.size(); ++i) {
            Pide(w, [&](auto& p) { p.CfgUsaConsultaLIKE = i % 2 == 0; });
            Enfoca(Control<QComboBox>(w, "CmbSearch", i % Controles<QComboBox>(w, "CmbSearch").size()));
            Teclea(textos[i]);
            SinOcultos(&w, textos[i]);
            Pulsa(Qt::Key_F5);
            SinOcultos(&w, textos[i]);
            if (i % 8 == 7) Control<QPushButton>(w, "CmdNueva")->click();
        }
    }

    // The tree window's search box: each text typed, then F5 on it.
    void Arbol(Lib_FrmCons3Tree& w, const QStringList& textos) {
        for (const QString& t : textos) {
            Enfoca(Control<QComboBox>(w, "CmbSearch", 0));
            Teclea(t);
            SinOcultos(&w, t);
            Pulsa(Qt::Key_F5);
            SinOcultos(&w, t);
        }
    }

    // The code search over a box: a letter opens it, the text is pasted into its own box.
    // A box whose own Enter refuses an empty value says so once per text (a message that starts
    // with `aviso`).
    void BusquedaDeCodigo(vb::CajaTexto* caja, vb::BusquedaCodigo* control, const QStringList& textos,
                          const QString& aviso = {}) {
        for (const QString& t : textos) {
            caja->setText(QString());
            Enfoca(caja);
            Teclea("5");
            ASSERT_TRUE(control->isVisible()) << t.toStdString();
            ASSERT_TRUE(control->isAncestorOf(QApplication::focusWidget()));
            QApplication::clipboard()->setText(t);
            Pulsa(Qt::Key_V, Qt::ControlModifier);
            SinOcultos(control, t);
            // Leaving the search hands its text to the box; leave it empty. Escape leaves the text
            // unchecked, and Enter then checks it where the box asks for a value.
            Pulsa(Qt::Key_A, Qt::ControlModifier);
            Pulsa(Qt::Key_Delete);
            const qsizetype antes = v.guion().preguntas().size();
            Pulsa(Qt::Key_Escape);
            ASSERT_EQ(v.guion().preguntas().size(), antes);
            if (!aviso.isEmpty()) {
                v.guion().esperarMsgBox(vb::vbOK);
                Pulsa(Qt::Key_Return);
                ASSERT_EQ(v.guion().preguntas().size(), antes + 1);
                EXPECT_TRUE(v.guion().preguntas().last().texto.startsWith(aviso));
            }
        }
    }

    void DescripcionesDelPlan(qsizetype desde, qsizetype hasta);

    // A companion form of an account open to everybody (the side toolbar's button `boton`), on
    // an account that has them.
    void AbreCompanero(int boton) {
        EnlacesCuentas::RegistraFormulariosDelSistema();
        v.EscribirCodigo("51010100101");
        Control<vb::BarraBotones>(v.f(), "Tbar")->Pulsa(boton);
        QApplication::processEvents();
    }

    // The list window the next key opens, each text typed into its search boxes.
    void ListaModal(const QStringList& textos) {
        v.guion().esperarModal([&, textos](QWidget* w) {
            auto* l = qobject_cast<Lib_FrmCons3*>(w);
            ASSERT_NE(l, nullptr);
            Lista(*l, textos);
            Control<QPushButton>(*l, "CmdCancelar")->click();
        });
    }

    CuentasDePrueba v;
    QStringList ocultos;
    ContenidoBase antes;
};

}  // namespace

// The chart's F5 by description with "order by" in the description, then the lookup's F5.
TEST_F(HostileText, TheChartRouteKeepsTheTypedTextInItsValue) {
    for (const QString& ataque : {QString("');UPDATE/**/TA_USUARIOS/**/SET/**/ADMINISTRADOR=1;--"),
                                  QString("')OR(@Admin_CODIGO<>'')--")}) {
        v.EscribirCampo(0, "x order by y");
        Enfoca(Control<vb::CajaTexto>(v.f(), "TxtCodigo"));
        v.guion().esperarModal([&](QWidget* w) {
            auto* lista = qobject_cast<Lib_FrmCons3*>(w);
            ASSERT_NE(lista, nullptr);
            Enfoca(Control<QComboBox>(*lista, "CmbSearch", 0));
            Teclea(ataque);
            Pulsa(Qt::Key_F5);
            EXPECT_EQ(Control<vb::ListView>(*lista, "ListView1")->ListItemsCount(), 0);
            SinOcultos(lista, ataque);
            Control<QPushButton>(*lista, "CmdCancelar")->click();
        });
        v.Tecla(Qt::Key_F5);
    }
    EXPECT_EQ(v.base().escalar("SELECT Administrador FROM TA_USUARIOS WHERE NOMBRE = 'OPERADOR'").toInt(), 0);
}

// The chart's F5 by description, each time with another hostile description, and the list window
// it opens, for the texts from `desde` to `hasta` (two tests, so that the halves run side by side).
void HostileText::DescripcionesDelPlan(qsizetype desde, qsizetype hasta) {
    const QStringList textos = TextosHostiles().mid(0, hasta);
    for (; desde < textos.size(); desde += 40) {
        // Every other time an empty description, so that the list starts with rows.
        v.EscribirCampo(0, desde % 80 ? textos[desde].left(60).remove(QChar(0)) : QString());
        v.guion().esperarModal([&](QWidget* w) {
            auto* lista = qobject_cast<Lib_FrmCons3*>(w);
            ASSERT_NE(lista, nullptr);
            SinOcultos(lista, textos[desde]);
            Lista(*lista, textos.mid(desde, 40));
            Control<QPushButton>(*lista, "CmdCancelar")->click();
        });
        Enfoca(Control<vb::CajaTexto>(v.f(), "TxtCodigo"));
        v.Tecla(Qt::Key_F5);
    }
    EXPECT_EQ(v.guion().pendientes(), 0);
}

TEST_F(HostileText, TheChartsDescriptionLookupShowsNoConfidentialRowAndChangesNothing) {
    DescripcionesDelPlan(0, 160);
}

TEST_F(HostileText, TheLaterTextsInTheChartsDescriptionLookupShowNoConfidentialRowEither) {
    DescripcionesDelPlan(160, TextosHostiles().size());
}

TEST_F(HostileText, TheChartsCodeSearchShowsNoConfidentialRowAndChangesNothing) {
    BusquedaDeCodigo(Control<vb::CajaTexto>(v.f(), "TxtCodigo"),
                     Control<vb::BusquedaCodigo>(v.f(), "BusquedaCodigo2"), TextosHostiles());
    EXPECT_EQ(v.guion().pendientes(), 0);
}

// The account lookup of the account box and the tree of the cost-centre cell.
TEST_F(HostileText, TheCostCentreLookupsShowNoConfidentialRowAndChangeNothing) {
    const QStringList textos = TextosHostiles();
    AbreCompanero(4);
    ASSERT_TRUE(Frmta_asigccosto::Existe());
    Frmta_asigccosto& cc = Frmta_asigccosto::instancia();
    Enfoca(Control<vb::CajaTexto>(cc, "txtCuenta", 0));
    ListaModal(textos.mid(0, 100));
    QTest::mouseClick(Control<vb::CajaTexto>(cc, "txtCuenta", 0), Qt::RightButton);
    Enfoca(Control<vb::CajaTexto>(cc, "txtCuenta", 0));
    Pulsa(Qt::Key_Return);
    ASSERT_TRUE(Control<vb::CajaTexto>(cc, "BrwTxt", 0)->isVisible());
    v.guion().esperarModal([&](QWidget* w) {
        auto* arbol = qobject_cast<Lib_FrmCons3Tree*>(w);
        ASSERT_NE(arbol, nullptr);
        Arbol(*arbol, textos);
        Control<QPushButton>(*arbol, "CmdCancelar")->click();
    });
    QTest::mouseClick(Control<vb::CajaTexto>(cc, "BrwTxt", 0), Qt::RightButton);
    cc.close();
    EXPECT_EQ(v.guion().pendientes(), 0);
}

// The lookup of an additional-data field with a table, and its code search.
TEST_F(HostileText, TheAdditionalDataLookupsShowNoConfidentialRowAndChangeNothing) {
    const QStringList textos = TextosHostiles();
    AbreCompanero(2);
    ASSERT_TRUE(frmMA_CUENTASADIC::Existe());
    frmMA_CUENTASADIC& adic = frmMA_CUENTASADIC::instancia();
    vb::CajaTexto* campo = nullptr;
    const QList<vb::CajaTexto*> campos = Controles<vb::CajaTexto>(adic, "txtFields");
    for (int i = 1; i < int(campos.size()) && !campo; ++i)
        if (!campos[i]->Tag.trimmed().isEmpty() && campos[i]->isVisible() && campos[i]->isEnabled())
            campo = campos[i];
    ASSERT_NE(campo, nullptr);
    Enfoca(campo);
    ListaModal(textos.mid(100, 100));
    Pulsa(Qt::Key(Qt::Key_F1 + (UtilVex::TeclaDe("CONSULTAR") - vb::vbKeyF1)));
    BusquedaDeCodigo(campo, Control<vb::BusquedaCodigo>(adic, "BusquedaCodigo1"), textos.mid(200),
                     "Debe ingresar el campo : ");
    EXPECT_EQ(v.guion().pendientes(), 0);
}
