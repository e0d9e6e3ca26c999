// The title list and the first free code proposed under a chosen title.
#include "accounts/CuentasDePrueba.h"
#include "outside/controls/CajaTexto.h"
#include "outside/runtime/Dialogos.h"
#include "support/Control.h"
#include "support/LocaleNumeros.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QRadioButton>
#include <QTest>

namespace {

// Levels 1, 1, 1, 2, 4, 2: codes of 1, 2, 3, 5, 9 and 11 characters end a level.
QStringList Plan(const QString& filas) {
    return {"DELETE FROM [MA_CASH-DETALLE]",
            "DELETE FROM MV_ASIENTOS",
            "DELETE FROM P_MA_LEGAJOS",
            "DELETE FROM MA_CUENTAS",
            "UPDATE TA_CONFIGURACION SET VALOR = '1' WHERE CLAVE = 'DIGITOS_RUBRO'",
            "UPDATE TA_CONFIGURACION SET VALOR = '4' WHERE CLAVE = 'DIGITOS_CUENTA'",
            "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, DADA_DE_BAJA) VALUES " + filas};
}

QString Cuentas(const QString& prefijo, int desde, int hasta, int ancho = 0, int titulo = 0, int baja = 0) {
    QStringList l;
    for (int i = desde; i <= hasta; ++i)
        l << QString("('%1%2', 'C', %3, %4)")
                 .arg(prefijo)
                 .arg(i, ancho, 10, QChar('0'))
                 .arg(titulo)
                 .arg(baja);
    return l.join(", ");
}

void Elegir(CuentasDePrueba& c, const QString& titulo) {
    QComboBox* lista = Control<QComboBox>(c.f(), "Combo1");
    for (int i = 0; i < lista->count(); ++i)
        if (lista->itemText(i).right(50).trimmed() == titulo) {
            lista->setCurrentIndex(i);
            return;
        }
    ADD_FAILURE() << "no title " << titulo.toStdString();
}

// The user picks the title in the list and leaves it with Tab.
QString Propuesta(CuentasDePrueba& c, const QString& titulo) {
    Control<QComboBox>(c.f(), "Combo1")->setFocus();
    QApplication::processEvents();
    Elegir(c, titulo);
    QTest::keyClick(Control<QComboBox>(c.f(), "Combo1"), Qt::Key_Tab);
    QApplication::processEvents();
    return Control<vb::CajaTexto>(c.f(), "txtFields", 1)->text().remove('-');
}

}  // namespace

TEST(ChartTitles, EntriesIndentByCodeLengthAndListOnlyActiveTitles) {
    CuentasDePrueba c(
        Plan("('1', 'ACTIVO', 1, 0), ('11', 'CORRIENTE', 1, 0), ('1101', 'CUATRO', 1, 0), "
             "('1102', 'BAJA', 1, 1), ('11011', 'CAJA', 0, 0), ('110112345678', 'LARGO', 1, 0)"));
    c.base().ejecutar("UPDATE MA_CUENTAS SET TipoVista = 'CL' WHERE CODIGO = '11'");
    c.Iniciar();
    QComboBox* lista = Control<QComboBox>(c.f(), "Combo1");
    ASSERT_EQ(lista->count(), 5);
    EXPECT_EQ(lista->itemText(0), "");
    const QString relleno(300, ' ');
    EXPECT_EQ(lista->itemText(1), "ACTIVO" + relleno + "1");
    EXPECT_EQ(lista->itemText(2), QString(5, ' ') + "CORRIENTE" + relleno + "11");
    EXPECT_EQ(lista->itemText(3), QString(15, ' ') + "CUATRO" + relleno + "1101");
    EXPECT_EQ(lista->itemText(4), QString(45, ' ') + "LARGO" + relleno + "110112345678");

    // Without the setting a customer title stays out; an empty result leaves the list as it was.
    c.base().ejecutar("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'PlanCuentas_ClyPr'");
    c.f().CargaComboTitulo();
    EXPECT_EQ(lista->count(), 4);
    c.base().ejecutar("UPDATE MA_CUENTAS SET DADA_DE_BAJA = 1");
    c.f().CargaComboTitulo();
    EXPECT_EQ(lista->count(), 4);
}

TEST(ChartTitles, ProposalAsksForTheNextTitleWhenOneCharacterSuffixesRunOut) {
    CuentasDePrueba c(Plan("('1', 'ACTIVO', 1, 0), " + Cuentas("1", 1, 9) + ", ('21', 'C', 0, 0)"));
    c.Iniciar();
    c.guion().esperarMsgBox(vb::vbYes);
    EXPECT_EQ(Propuesta(c, "1"), "22");
    ASSERT_EQ(c.guion().preguntas().size(), 1);
    EXPECT_EQ(c.guion().preguntas()[0].texto,
              "No hay espacio en la cuenta titulo actual. ¿Buscar en la siguiente?\r\nSiguiente cuenta a "
              "buscar : 2");
    EXPECT_EQ(c.guion().preguntas()[0].titulo, "Aviso al Operador");
    EXPECT_EQ(c.guion().preguntas()[0].estilo, vb::vbYesNo + vb::vbInformation);
    EXPECT_TRUE(c.f().CuentaNueva());

    // No: the suffixes go on past the limit under the same title.
    c.f().LimpiaPantalla();
    c.base().ejecutar("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO) VALUES ('110', 'C', 0)");
    c.guion().esperarMsgBox(vb::vbNo);
    EXPECT_EQ(Propuesta(c, "1"), "111");
}

TEST(ChartTitles, ProposalSuffixesFollowTheTitleLength) {
    CuentasDePrueba c(
        Plan("('1', 'ACTIVO', 1, 0), ('11', 'C', 1, 0), ('111', 'C', 1, 0), ('11101', 'C', 1, 0), " +
             Cuentas("111", 2, 98, 2) + ", ('111010001', 'C', 0, 0), ('1150', 'CUATRO', 1, 0), " +
             "('11501', 'C', 0, 0), ('112', 'T', 1, 0), ('11201', 'C', 0, 0), ('11202', 'BAJA', 0, 1), " +
             "('11204', 'C', 0, 0)"));
    c.Iniciar();
    // Three characters: the question comes before 99 is tried.
    c.guion().esperarMsgBox(vb::vbNo);
    EXPECT_EQ(Propuesta(c, "111"), "11199");
    EXPECT_EQ(c.guion().preguntas().size(), 1);
    // Five characters: a four-digit suffix, nine characters in all.
    c.f().LimpiaPantalla();
    EXPECT_EQ(Propuesta(c, "11101"), "111010002");
    // Four characters as the first title: the title itself, then 1, 2, ... unpadded.
    c.f().LimpiaPantalla();
    EXPECT_EQ(Propuesta(c, "1150"), "11502");
    // A code dada de baja is taken; the first free one is proposed, not the highest plus one.
    c.f().LimpiaPantalla();
    EXPECT_EQ(Propuesta(c, "112"), "11203");
    // The empty entry proposes nothing.
    c.f().LimpiaPantalla();
    Control<QComboBox>(c.f(), "Combo1")->setCurrentIndex(0);
    c.f().IdentificaCuenta();
    EXPECT_EQ(Control<vb::CajaTexto>(c.f(), "txtFields", 1)->text(), "");
    EXPECT_FALSE(c.f().CuentaNueva());
}

namespace {

// The list as a full read of the chart builds it.
QStringList ListaCompleta(CuentasDePrueba& c) {
    const bool sinClientes = c.Ajuste("PlanCuentas_ClyPr").trimmed().compare("SI", Qt::CaseInsensitive) != 0;
    QStringList l{QString()};
    for (const QStringList& f : c.base().filas(
             QString("SELECT CODIGO, DESCRIPCION, TITULO FROM MA_CUENTAS WHERE DADA_DE_BAJA = 0 ") +
             (sinClientes ? "AND (TIPOVISTA <> 'CL' AND TIPOVISTA <> 'PR' OR TIPOVISTA IS NULL) " : "") +
             "ORDER BY CODIGO"))
        if (!f[2].isNull() && f[2] != "0")
            l << QString(std::min<qsizetype>(f[0].trimmed().size() - 1, 9) * 5, ' ') + f[1] +
                     QString(300, ' ') + f[0];
    return l;
}

QStringList Lista(CuentasDePrueba& c) {
    QStringList l;
    for (int i = 0; i < Control<QComboBox>(c.f(), "Combo1")->count(); ++i)
        l << Control<QComboBox>(c.f(), "Combo1")->itemText(i);
    return l;
}

}  // namespace

TEST(ChartTitles, TheListAfterEachSaveIsWhatAFullReadOfTheChartGives) {
    // A title flag stored as 2 is still a title; a customer title and a title dada de baja.
    CuentasDePrueba c(
        {"DELETE FROM MA_CUENTAS WHERE CODIGO IN ('1109', '11010100107')",
         "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, DADA_DE_BAJA, TIPOVISTA) VALUES "
         "('1108', 'OTROS', 2, 0, NULL), ('1107', 'CLIENTES', 1, 0, 'CL'), ('1106', 'BAJA', 1, 1, "
         "NULL)"});
    c.Iniciar();
    EXPECT_EQ(Lista(c), ListaCompleta(c));

    c.EscribirCodigo("1109");
    ASSERT_TRUE(c.f().CuentaNueva());
    c.EscribirCampo(0, "CREDITOS");
    QTest::mouseClick(Control<QRadioButton>(c.f(), "OptTipoCuenta", 1), Qt::LeftButton, {}, QPoint(4, 4));
    c.Boton("GRABAR");
    ASSERT_EQ(c.Guardado("1109", "TITULO"), "1");
    EXPECT_TRUE(Lista(c).contains(QString(15, ' ') + "CREDITOS" + QString(300, ' ') + "1109"));
    EXPECT_EQ(Lista(c), ListaCompleta(c));

    c.EscribirCodigo("11010100107");
    ASSERT_TRUE(c.f().CuentaNueva());
    c.EscribirCampo(0, "CAJA NUEVA");
    c.Boton("GRABAR");
    ASSERT_EQ(c.Guardado("11010100107", "DESCRIPCION"), "CAJA NUEVA");
    EXPECT_EQ(Lista(c), ListaCompleta(c));

    // Active accounts but no title left: the list keeps its empty entry alone.
    c.base().ejecutar("UPDATE MA_CUENTAS SET TITULO = 0");
    c.f().LimpiaPantalla();
    EXPECT_EQ(Lista(c), QStringList{QString()});
}

TEST(ChartTitles, OnTheDemoChartEachProposalIsACodeTheFormAccepts) {
    // Levels 1, 1, 2, 2, 3, 2: under a title that ends a level the suffix takes the next level's width.
    QStringList llenos{"INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, DADA_DE_BAJA) VALUES " +
                       Cuentas("110102001", 6, 98, 2) + ", ('11010200100', 'C', 0, 0)"};
    CuentasDePrueba c(llenos);
    LocaleNumeros locale(LocaleNumeros::coma());
    c.Iniciar();
    EXPECT_EQ(Propuesta(c, "110101001"), "11010100103");
    EXPECT_TRUE(c.f().CuentaNueva());
    c.f().LimpiaPantalla();
    EXPECT_EQ(Propuesta(c, "110101"), "110101003");
    c.f().LimpiaPantalla();
    EXPECT_EQ(Propuesta(c, "11"), "1106");
    EXPECT_TRUE(c.guion().preguntas().isEmpty());
    // Two digits run out before 100: the next title is offered.
    c.f().LimpiaPantalla();
    c.guion().esperarMsgBox(vb::vbYes);
    EXPECT_EQ(Propuesta(c, "110102001"), "11010200203");
    ASSERT_EQ(c.guion().preguntas().size(), 1);
    EXPECT_TRUE(c.guion().preguntas().at(0).texto.endsWith("Siguiente cuenta a buscar : 110102002"));
    EXPECT_TRUE(c.f().CuentaNueva());
}

TEST(ChartTitles, ACodeHeldByAnAccountHiddenFromTheUserIsTakenForHimToo) {
    for (const char* usuario : {"ADMIN", "OPERADOR"}) {
        CuentasDePrueba c({}, usuario);
        LocaleNumeros locale(LocaleNumeros::coma());
        c.Iniciar();
        EXPECT_EQ(Propuesta(c, "510101001"), "51010100108") << usuario;
        EXPECT_TRUE(c.f().CuentaNueva()) << usuario;
        EXPECT_TRUE(c.guion().preguntas().isEmpty()) << usuario;
    }
}
