#include "services/CNStuffContable.h"

#include "support/DialogosGuionados.h"
#include "support/FinObservado.h"

#include "data/EntornoDB_Dll.h"

namespace {

class AccessRights : public EntornoDB_Dll {
  protected:
    AccessRights()
        : EntornoDB_Dll(
              {"INSERT INTO TA_MENU (Menu, Clave, Proceso, Nombre) VALUES ('C', 'IND01', 'X\\indajuste.exe', "
               "'Indices de Ajuste'), ('C', 'OTRA', 'otro', 'Otra cosa')",
               "INSERT INTO TA_TAREAS (USUARIO, SISTEMA, TAREA) VALUES ('ADMIN', 'C', 'IND01'), "
               "('OPERADOR', 'C', 'OTRA'), ('O''BRIEN', 'C', 'IND01')"}) {}
    void SetUp() override {
        EntornoDB_Dll::SetUp();
        vb::setReloj([] { return QDateTime(QDate(2026, 12, 9), QTime(8, 5)); });
    }
    QList<QStringList> filas() const {
        return base_.filas(
            "SELECT Formulario, Tarea, Ingreso, NombreUsuario FROM Control_Acceso ORDER BY ID");
    }
};

}  // namespace

TEST_F(AccessRights, AUserWithTheTaskEntersWithItsTitle) {
    ASSERT_TRUE(abrirComo("ADMIN"));
    CNStuffContable::ControlAcceso();
    EXPECT_EQ(filas(),
              QList<QStringList>({{"INDAJUSTE", "INDICES DE AJUSTE", "2026-12-09 08:05:00", "ADMIN"}}));
    EXPECT_FALSE(base_.escalar("SELECT Maquina FROM Control_Acceso").toString().isEmpty());
}

TEST_F(AccessRights, WithoutTheTaskStartUpStillEntersAndTheStopFlagEndsTheProgram) {
    ASSERT_TRUE(abrirComo("OPERADOR"));
    CNStuffContable::ControlAcceso(QString(), false);
    EXPECT_EQ(filas(), QList<QStringList>({{"INDAJUSTE", "", "2026-12-09 08:05:00", "OPERADOR"}}));

    DialogosGuionados guion;
    FinObservado fin;
    guion.esperarMsgBox(vb::vbOK);
    EXPECT_THROW(CNStuffContable::ControlAcceso(QString(), true), vb::FinDelPrograma);
    EXPECT_EQ(guion.preguntas().at(0).texto,
              "NO TIENE ACCESO A ESTE PROCESO, UTILICE EL MENU CORRESPONDIENTE!!!");
    EXPECT_EQ(guion.preguntas().at(0).titulo, "ATENCION!");
    EXPECT_EQ(guion.preguntas().at(0).estilo, vb::vbOKOnly | vb::vbCritical);
    EXPECT_EQ(filas().size(), 1);  // no row for the refused entry
}

TEST_F(AccessRights, AUserNameWithAnApostropheIsLookedUpAndLogged) {
    ASSERT_TRUE(abrirComo("O'BRIEN"));
    DialogosGuionados guion;  // nothing may fail
    CNStuffContable::ControlAcceso();
    EXPECT_EQ(filas(),
              QList<QStringList>({{"INDAJUSTE", "INDICES DE AJUSTE", "2026-12-09 08:05:00", "O'BRIEN"}}));
}

TEST_F(AccessRights, AnEmptyLoggedUserTakesTheDatabaseLogin) {
    ASSERT_TRUE(abrirComo("ADMIN"));
    CNStuffContable::gUsuarioLogeado.clear();
    CNStuffContable::ControlAcceso();
    EXPECT_EQ(CNStuffContable::gUsuarioLogeado, base_.nombre());
    EXPECT_EQ(filas().at(0).at(3), base_.nombre());
}
