// The sub-journal work table: pairing, the user's rows, cancelling and rolling back.
#include "EntornoAsientos.h"
#include "outside/ado/sqlite/ProveedorSqlite.h"
#include "outside/maker/Progreso.h"
#include "outside/maker/Utilidades.h"

#include <sqlite3.h>
#include <QApplication>
#include <QWidget>
#include <utility>

namespace {

const QString kColumnas =
    "Periodo, Mes_Operativo, [numero asiento], fecha, TC, Sucursal, Numero, letra, Cabimporte, cuenta_D, "
    "descripcion_D, importe_D, cuenta_H, descripcion_H, importe_H, Concepto";

class SubledgerWorkTable : public EntornoAsientos {
  protected:
    // Sub-journal V in March 2024: entry 10 with three debits and one credit, entry 11 with one
    // debit and two credits, entry 12 with one line each (its debit dated in May); a March entry
    // of sub-journal C; an entry of V in April.
    SubledgerWorkTable()
        : EntornoAsientos(
              {"INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('3', 'VENTAS')",
               "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, [NUMERO ASIENTO], TIPO_REG, FECHA, "
               "[DEBE-HABER], "
               "CUENTA, IMPORTE, DETALLE, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE) VALUES "
               "('2024', 3, 10, 'V', '2024-03-05', 'D', '3', 30, 'D3', '  FC', '0001', '00000001', 'A', "
               "300), "
               "('2024', 3, 10, 'V', '2024-03-05', 'D', '1', 10, 'D1', '  FC', '0001', '00000001', 'A', "
               "300), "
               "('2024', 3, 10, 'V', '2024-03-05', 'D', '2', 20, 'D2', '  FC', '0001', '00000001', 'A', "
               "300), "
               "('2024', 3, 10, 'V', '2024-03-05', 'H', '9', 60, 'H9', '  FC', '0001', '00000001', 'A', "
               "300), "
               "(' 2024', 3, 11, ' V ', '2024-03-01', 'D', '1', 100, 'D1', '  NC', '0002', '00000002', 'B', "
               "100), "
               "(' 2024', 3, 11, ' V ', '2024-03-01', 'H', '3', 40, 'H3', '  NC', '0002', '00000002', 'B', "
               "100), "
               "(' 2024', 3, 11, ' V ', '2024-03-01', 'H', '2', 60, 'H2', '  NC', '0002', '00000002', 'B', "
               "100), "
               "('2024', 3, 12, 'V', '2024-05-01', 'D', '7', 5, 'D7', NULL, NULL, NULL, NULL, NULL), "
               "('2024', 3, 12, 'V', '2024-03-31', 'H', '1', 5, 'H1', NULL, NULL, NULL, NULL, NULL), "
               "('2024', 3, 12, 'V', '2024-03-31', 'X', '1', 5, 'X1', NULL, NULL, NULL, NULL, NULL), "
               "('2024', 3, 13, 'C', '2024-03-10', 'D', '1', 1, 'C', NULL, NULL, NULL, NULL, NULL), "
               "('2024', 4, 1, 'V', '2024-04-01', 'D', '1', 1, 'ABRIL', NULL, NULL, NULL, NULL, NULL)",
               "INSERT INTO AUX_SUBDIARIOS (Usuario, Periodo, Concepto) VALUES ('OTRO', 2020, 'ajeno'), "
               "(' ADMIN ', 2019, 'viejo')"}) {}

    void TearDown() override {
        maker::gProgreso().AlAvanzar = nullptr;
        maker::gProgreso().Ocultar();
        EntornoAsientos::TearDown();
    }

    QList<QStringList> filasDe(const QString& usuario) const {
        return base_.filas("SELECT " + kColumnas + " FROM AUX_SUBDIARIOS WHERE Usuario = '" + usuario +
                           "' ORDER BY rowid");
    }
    QList<QStringList> ajenas() const {
        return base_.filas("SELECT Usuario, Periodo, Concepto FROM AUX_SUBDIARIOS WHERE Usuario <> 'ADMIN'");
    }

    void generar(QString desde = "01/03/2024", const QString& hasta = "31/03/2024",
                 const VariantOpcional& legal = std::nullopt) {
        a().GeneraAuxiliarSubdiarios(desde, hasta, " V", legal);
    }

    // The work rows of entries 10, 11 and 12, in order.
    static QList<QStringList> esperadas() {
        const QStringList fc{"2024", "3", "10", "2024-03-05", "  FC", "0001", "00000001", "A", "300"};
        const QStringList nc{"2024", "3", "11", "2024-03-01", "  NC", "0002", "00000002", "B", "100"};
        const QStringList e12{"2024", "3", "12", "2024-05-01", "", "", "", "", QString()};
        return {
            fc + QStringList{"1", "CAJA", "10", "9", "SECRETA", "60", "D1"},
            fc + QStringList{"2", "BANCO", "20", "", "", "0", "D2"},
            fc + QStringList{"3", "VENTAS", "30", "", "", "0", "D3"},
            nc + QStringList{"1", "CAJA", "100", "2", "BANCO", "60", "H2"},
            nc + QStringList{"", "", "0", "3", "VENTAS", "40", "H3"},
            e12 + QStringList{"7", "", "5", "1", "CAJA", "5", "D7"},
        };
    }
};

TEST_F(SubledgerWorkTable, EachRowPairsTheIthDebitWithTheIthCreditOfItsEntry) {
    maker::Utilidades& util = maker::gUtilidades();
    QStringList pasos;
    maker::gProgreso().AlAvanzar = [&](maker::Progreso& p) {
        pasos << p.Titulo() + "|" + p.Texto() + "|" + p.Detalle() + (util.EstaOcupado() ? "|ocupado" : "");
    };
    generar();
    EXPECT_EQ(filasDe("ADMIN"), esperadas());
    EXPECT_EQ(ajenas(), QList<QStringList>({{"OTRO", "2020", "ajeno"}}));  // the old ' ADMIN ' row is gone
    EXPECT_EQ(pasos,
              QStringList({"Generando Reporte de Subdiarios|Generando el Reporte|0003-0000010|ocupado",
                           "Generando Reporte de Subdiarios|Generando el Reporte|0003-0000011|ocupado",
                           "Generando Reporte de Subdiarios|Generando el Reporte|0003-0000012|ocupado"}));
    EXPECT_FALSE(maker::gProgreso().Visible());
    EXPECT_FALSE(util.EstaOcupado());

    // Another run replaces the rows; the legal file only changes the title.
    pasos.clear();
    generar("01/03/2024", "31/03/2024", QVariant(true));
    EXPECT_EQ(filasDe("ADMIN"), esperadas());
    EXPECT_TRUE(pasos.value(0).startsWith("Archivo Legal de Información|"));
}

TEST_F(SubledgerWorkTable, AnEmptyRangeCommitsTheDeleteWithoutShowingProgress) {
    int pasos = 0;
    maker::gProgreso().AlAvanzar = [&](maker::Progreso&) { ++pasos; };
    generar("01/01/2030", "31/01/2030");
    EXPECT_EQ(pasos, 0);
    EXPECT_FALSE(maker::gProgreso().Visible());
    EXPECT_TRUE(filasDe("ADMIN").isEmpty());
    EXPECT_EQ(base_.escalar("SELECT count(*) FROM AUX_SUBDIARIOS").toInt(), 1);

    QString desde = "   ";  // a blank start reads from 1990 on, and the caller sees it
    a().GeneraAuxiliarSubdiarios(desde, "30/04/2024", "V");
    EXPECT_EQ(desde, "01/01/1990");
    EXPECT_EQ(filasDe("ADMIN").size(), 7);
}

TEST_F(SubledgerWorkTable, CancellingAsksAndYesKeepsTheEntriesBeforeTheCurrentOne) {
    DialogosGuionados guion;
    int paso = 0;
    maker::gProgreso().AlAvanzar = [&](maker::Progreso& p) {
        if (++paso == 2) p.PedirCancelacion();
    };
    guion.esperarMsgBox(vb::vbYes);
    generar();
    EXPECT_EQ(guion.preguntas(), QList<Pregunta>({{"¿Realmente desea abortar el proceso?", "indajuste",
                                                   vb::vbYesNo + vb::vbQuestion, Pregunta::Mensaje}}));
    EXPECT_EQ(filasDe("ADMIN"), esperadas().mid(0, 3));
    EXPECT_FALSE(maker::gProgreso().Visible());
    EXPECT_FALSE(maker::gUtilidades().EstaOcupado());
    EXPECT_EQ(ajenas().size(), 1);
}

TEST_F(SubledgerWorkTable, CancellingAnsweredNoShowsTheWindowAgainAndGoesOn) {
    DialogosGuionados guion;
    QStringList pasos;
    maker::gProgreso().AlAvanzar = [&](maker::Progreso& p) {
        pasos << p.Texto() + "|" + p.Detalle() + (p.Habilitada() ? "" : "|deshabilitada");
        if (pasos.size() == 1) p.PedirCancelacion();
    };
    guion.esperarMsgBox(vb::vbNo);
    generar();
    EXPECT_EQ(pasos, QStringList({"Generando el Reporte|0003-0000010", "Generando el Reporte |0003-0000010",
                                  "Generando el Reporte|0003-0000011", "Generando el Reporte|0003-0000012"}));
    EXPECT_EQ(filasDe("ADMIN"), esperadas());
}

TEST_F(SubledgerWorkTable, AnErrorAnsweredAbortRollsTheWholeRunBack) {
    const auto previas = base_.filas("SELECT Usuario, Periodo, Concepto FROM AUX_SUBDIARIOS ORDER BY rowid");
    DialogosGuionados guion;
    ado::FallaInyectada f;
    f.contiene = "INSERT INTO AUX_SUBDIARIOS";
    f.veces = 1;
    f.error.Number = 2627;
    f.error.Description = "Falla inyectada";
    int pasos = 0;
    maker::gProgreso().AlAvanzar = [&](maker::Progreso&) {
        if (++pasos == 2) db().gCnn->InyectarFalla(f);
    };
    guion.esperarMsgBox(vb::vbAbort);
    generar();
    EXPECT_TRUE(guion.preguntas().at(0).titulo.contains("GeneraAuxiliarSubdiarios"));
    EXPECT_EQ(base_.filas("SELECT Usuario, Periodo, Concepto FROM AUX_SUBDIARIOS ORDER BY rowid"), previas);
    EXPECT_FALSE(maker::gProgreso().Visible());
    EXPECT_FALSE(maker::gUtilidades().EstaOcupado());

    // Without a connection the first step fails and nothing is left half done.
    ado::ConnectionPtr conexion = db().gCnn;
    db().gCnn = nullptr;
    guion.esperarMsgBox(vb::vbAbort);
    generar();
    db().gCnn = conexion;
    EXPECT_TRUE(guion.preguntas().last().titulo.contains("GeneraAuxiliarSubdiarios"));
    EXPECT_EQ(base_.filas("SELECT Usuario, Periodo, Concepto FROM AUX_SUBDIARIOS ORDER BY rowid"), previas);

    // Ignore drops the row that failed and lays out the rest.
    pasos = 0;
    guion.esperarMsgBox(vb::vbIgnore);
    generar();
    QList<QStringList> sinLaFallida = esperadas();
    sinLaFallida.removeAt(3);
    EXPECT_EQ(filasDe("ADMIN"), sinLaFallida);
}

// Where the company keeps the work table's date as text, what each row writes shows: a row led by
// a debit line writes the line's date as read, one led by a credit line writes it "dd/mm/yy".
TEST_F(SubledgerWorkTable, ARowLedByItsCreditSideWritesItsDateWithATwoDigitYear) {
    base_.ejecutar("DROP TABLE AUX_SUBDIARIOS");
    base_.ejecutar(
        "CREATE TABLE AUX_SUBDIARIOS (Usuario varchar(50), Periodo int, Mes_Operativo int, [numero asiento] "
        "int, fecha varchar(20), TC char(4), Sucursal varchar(4), Numero varchar(8), letra char(1), "
        "Cabimporte decimal(18,4), cuenta_D varchar(15) DEFAULT '', descripcion_D varchar(150) DEFAULT '', "
        "importe_D decimal(18,4) DEFAULT 0, cuenta_H varchar(15) DEFAULT '', descripcion_H varchar(150) "
        "DEFAULT '', importe_H decimal(18,4) DEFAULT 0, Concepto varchar(100))");
    generar();
    EXPECT_EQ(base_.filas("SELECT [numero asiento], fecha, Concepto FROM AUX_SUBDIARIOS ORDER BY rowid"),
              QList<QStringList>({{"10", "05/03/2024", "D1"},
                                  {"10", "05/03/2024", "D2"},
                                  {"10", "05/03/2024", "D3"},
                                  {"11", "01/03/24", "H2"},
                                  {"11", "01/03/24", "H3"},
                                  {"12", "01/05/2024", "D7"}}));
}

// The commit is the run's last step: a commit the engine undoes, or a link lost just before it,
// is a lost transaction, shown once with OK alone; Ignore never lets it pass as saved.
TEST_F(SubledgerWorkTable, ASessionLostAtTheCommitIsALostTransactionNotAnErrorToIgnore) {
    const QString todas = "SELECT Usuario, Periodo, Concepto FROM AUX_SUBDIARIOS ORDER BY rowid";
    const auto previas = base_.filas(todas);
    auto* motor = dynamic_cast<ado::sqlite::ProveedorSqlite*>(db().gCnn->proveedor());
    ASSERT_NE(motor, nullptr);
    auto comoPerdida = [](const Pregunta& p) {
        return p.estilo == vb::vbOKOnly + vb::vbCritical && p.titulo.contains("GeneraAuxiliarSubdiarios") &&
               p.texto.contains("no se guardó nada");
    };

    // The file takes its WAL journal at its first write, made here before every commit is undone.
    db().gCnn->Execute("DELETE FROM AUX_SUBDIARIOS WHERE 1 = 0");
    DialogosGuionados guion;
    guion.esperarMsgBox(vb::vbIgnore);
    sqlite3_commit_hook(
        motor->manejador(), [](void*) { return 1; }, nullptr);
    generar();
    sqlite3_commit_hook(motor->manejador(), nullptr, nullptr);
    ASSERT_EQ(guion.preguntas().size(), 1);
    EXPECT_PRED1(comoPerdida, guion.preguntas()[0]);
    EXPECT_EQ(base_.filas(todas), previas);
    EXPECT_FALSE(maker::gProgreso().Visible());
    EXPECT_FALSE(maker::gUtilidades().EstaOcupado());

    // The link drops once every row is written, as the progress window goes away.
    struct AlOcultar : QObject {
        std::function<void()> accion;
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::Hide && accion) std::exchange(accion, nullptr)();
            return false;
        }
    } corte;
    corte.accion = [&] { db().gCnn->proveedor()->cerrar(); };
    maker::gProgreso().AlAvanzar = [&](maker::Progreso& p) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->windowTitle() == p.Titulo()) w->installEventFilter(&corte);
    };
    guion.esperarMsgBox(vb::vbIgnore);
    generar();
    ASSERT_EQ(guion.preguntas().size(), 2);
    EXPECT_PRED1(comoPerdida, guion.preguntas()[1]);
    EXPECT_EQ(corte.accion, nullptr);
    EXPECT_EQ(base_.filas(todas), previas);
}

}  // namespace
