#include "indices/GrabacionesIndices.h"

#include "outside/controls/CajaTexto.h"
#include "outside/runtime/Conversiones.h"
#include "outside/runtime/Dialogos.h"
#include "support/LocaleNumeros.h"
#include "support/VentanaIndices.h"

namespace grabaciones {

namespace {

// A six-month fiscal year, 10/2023 to 03/2024, every index given, and 12/2021 outside every
// fiscal year: grid rows 12/2021, then 10/2023 to 03/2024.
QStringList Empresa() {
    return {
        "INSERT INTO MV_EJERCICIOS (PERIODO, DESCRIPCION, [Fecha Desde], [Fecha Hasta]) VALUES (2024, 'E', "
        "'2023-10-01', '2024-03-31')",
        "INSERT INTO MA_INDAJUSTE (Anio, Mes, Importe1, Importe2, Importe3, Importe4) VALUES (2021, 12, 100, "
        "80, 0, "
        "0), (2023, 10, 100, 50, 0, 0), (2023, 11, 104, 51, 0, 0), (2023, 12, 110, 53, 0, 0), (2024, 1, 115, "
        "54, 0, "
        "0), (2024, 2, 121, 56, 0, 0), (2024, 3, 130, 60, 0, 0)"};
}

int Fila(int anio, int mes) {
    return anio == 2021 ? 1 : (anio - 2023) * 12 + mes - 8;
}

// The index window on that company, in the "," locale. A save's rows are the table's months that
// hold a value: the months a grid load adds, empty, belong to no save.
class EnIndices : public Grabacion {
  public:
    EnIndices() : v_(false, Empresa(), "ADMIN", LocaleNumeros::coma()) { v_.Iniciar(); }
    BaseDePrueba& base() override { return v_.base(); }
    QList<QStringList> Estado() override {
        return v_.base().filas(
            "SELECT * FROM MA_INDAJUSTE WHERE Importe1 <> 0 OR Importe2 <> 0 OR Importe3 <> 0 OR Importe4 <> "
            "0 OR "
            "Indice1 <> 0 OR Indice2 <> 0 OR Indice3 <> 0 OR Indice4 <> 0 ORDER BY Anio, Mes");
    }
    int Responde(const QString& texto) override {
        return texto == "Confirma la baja de este registro?" ? vb::vbYes : 0;
    }

  protected:
    // The window as a new start of the program shows the company file.
    void Muestra() {
        if (preparada_) v_.Reinicia();
        preparada_ = true;
    }
    QString Actualiza(int anio, int mes, const QString& asignacion) {
        return QString("UPDATE MA_INDAJUSTE SET %1 WHERE Anio = %2 AND Mes = %3")
            .arg(asignacion)
            .arg(anio)
            .arg(mes);
    }
    // The grid shows what the table holds for the month's series.
    bool MuestraLoGuardado(int anio, int mes, int serie) {
        const double guardado = v_.Guardado(anio, mes, QString("Importe%1").arg(serie)).toDouble();
        const QString celda = v_.Celda(Fila(anio, mes), 2 * serie - 1);
        return guardado == 0 ? celda.isEmpty() : celda == vb::CStr(guardado);
    }
    VentanaIndices v_;
    bool preparada_ = false;
};

// 150,5 typed into I.P.I.M. of 03/2024, the closing month of its fiscal year, and Enter: it is
// saved with the whole fiscal year's coefficients. The typing is part of each try: a save that
// wrote nothing leaves the grid showing what the table holds, not the typed text.
class Tecleado : public EnIndices {
  public:
    void Prepara() override { Muestra(); }
    void Graba() override { v_.Escribir(Fila(2024, 3), 1, "150,5"); }
    bool ConservaLoEscrito() override { return MuestraLoGuardado(2024, 3, 1); }
    QString Registro() override { return "03/2024"; }
    bool Guardada() override { return v_.Guardado(2024, 3, "Importe1").toDouble() == 150.5; }
    QList<Otro> Otros() override {
        return {{"mismo valor", Actualiza(2024, 3, "Importe1 = 140"), false},
                {"otro valor", Actualiza(2024, 3, "Importe2 = 70"), true,
                 "SELECT CAST(Importe2 AS INT) FROM MA_INDAJUSTE WHERE Anio = 2024 AND Mes = 3", "70"},
                {"borrada", "DELETE FROM MA_INDAJUSTE WHERE Anio = 2024 AND Mes = 3", false}};
    }
};

// 500 typed into I.P.I.M. of 12/2021, which no fiscal year holds (kept on screen only); 2021 in
// the year box and F4 write it. A save that wrote nothing keeps the typed value, or, refused,
// shows what the table holds.
class Grabado : public EnIndices {
  public:
    void Prepara() override {
        Muestra();
        v_.Escribir(1, 1, "500");
    }
    void Graba() override {
        v_.EscribirAnio("2021");
        v_.Tecla(Qt::Key_F4);
    }
    bool ConservaLoEscrito() override { return v_.Celda(1, 1) == "500" || MuestraLoGuardado(2021, 12, 1); }
    QString Registro() override { return "12/2021"; }
    bool Guardada() override { return v_.Guardado(2021, 12, "Importe1").toDouble() == 500; }
    QList<Otro> Otros() override {
        return {{"mismo valor", Actualiza(2021, 12, "Importe1 = 600"), false},
                {"otro valor", Actualiza(2021, 12, "Importe2 = 90"), true,
                 "SELECT CAST(Importe2 AS INT) FROM MA_INDAJUSTE WHERE Anio = 2021 AND Mes = 12", "90"},
                {"borrada", "DELETE FROM MA_INDAJUSTE WHERE Anio = 2021", false}};
    }
};

// 2024 typed in the year box, F3 and "Sí": the year goes, and the coefficients of 10-12/2023 with
// its closing month 03/2024. The window then shows the table again, so each try types the year.
class Borrado : public EnIndices {
  public:
    void Prepara() override { Muestra(); }
    void Graba() override {
        v_.EscribirAnio("2024");
        v_.Tecla(Qt::Key_F3);
    }
    bool ConservaLoEscrito() override { return MuestraLoGuardado(2024, 3, 1); }
    QString Registro() override { return "2024"; }
    bool Guardada() override { return v_.Guardado(2024, 3, "Importe1").toDouble() == 0; }
    QList<Otro> Otros() override {
        // As the other program stores them: each index with its coefficient (03/2024's over it), so
        // the grid load after the refusal has nothing to correct.
        return {{"mismo valor", Actualiza(2024, 1, "Importe1 = 120, Indice1 = 1.083"), false},
                {"otro valor", Actualiza(2024, 1, "Importe3 = 50, Indice3 = 0"), false},
                {"borrada", "DELETE FROM MA_INDAJUSTE WHERE Anio = 2024 AND Mes = 2", false}};
    }
};

}  // namespace

std::unique_ptr<Grabacion> IndiceTecleado() {
    return std::make_unique<Tecleado>();
}
std::unique_ptr<Grabacion> AnioGrabado() {
    return std::make_unique<Grabado>();
}
std::unique_ptr<Grabacion> AnioBorrado() {
    return std::make_unique<Borrado>();
}

}  // namespace grabaciones
