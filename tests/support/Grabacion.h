#pragma once
// Every save of both programs, held to two promises by two tables (tests/e2e/Grabaciones_test.cpp):
// ended at any one of its statements (refused, with the link lost, or the program killed) it
// leaves every table it touches as before or wholly saved, and never fails without a word (nor
// writes after the one word of a failure the user gave up); and
// with a second user who changed the same value, another value of the same record, or deleted it
// between show and save, it keeps both changes or refuses with a word, never losing one.
//
// A save is one class: it builds its window on a fresh company, makes the user's edit through
// keys and clicks, and presses the key that saves. A new save is covered by adding its row to the
// tables.
#include "support/BaseDePrueba.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class Grabacion {
  public:
    virtual ~Grabacion() = default;

    // The window shown on its company and the user's edit made, up to the key that saves. Run
    // again after a save went through, on the same window.
    virtual void Prepara() = 0;
    // The key or button that saves (or deletes).
    virtual void Graba() = 0;
    // Every row the save writes, and the rows around them it must leave alone, as text.
    virtual QList<QStringList> Estado() = 0;
    // After a save that wrote nothing the window still holds what the user typed.
    virtual bool ConservaLoEscrito() = 0;
    // The answer to one of the save's own questions (a confirmation); 0 for any other message.
    virtual int Responde(const QString& texto) {
        (void)texto;
        return 0;
    }
    virtual BaseDePrueba& base() = 0;

    // ---- the second user ----
    struct Otro {
        const char* nombre;  // "mismo valor", "otro valor", "borrada", ...
        // What the other program does between show and save, on its own connection.
        QString sql;
        // Both changes kept (true) or this save refused with a word (false).
        bool seGuarda;
        // When kept: a query whose first value shows the other's change is still stored, and that
        // value.
        QString consulta = {};
        QString esperado = {};
    };
    // What the other user may do to this record.
    virtual QList<Otro> Otros() = 0;
    // The words a refusal names the record by ("11010100101", "06/2024").
    virtual QString Registro() = 0;
    // The user's own change is stored.
    virtual bool Guardada() = 0;
};

// One row of the tables.
struct FilaGrabacion {
    const char* nombre;
    std::function<std::unique_ptr<Grabacion>()> crea;
};
void PrintTo(const FilaGrabacion& f, std::ostream* os);

// A copy of the company file taken now, put back over it later (the program's own connection is
// closed meanwhile and opened again).
class CopiaDeEmpresa {
  public:
    explicit CopiaDeEmpresa(BaseDePrueba& base);
    ~CopiaDeEmpresa();
    CopiaDeEmpresa(const CopiaDeEmpresa&) = delete;
    CopiaDeEmpresa& operator=(const CopiaDeEmpresa&) = delete;
    void Restaura();

  private:
    BaseDePrueba& base_;
    struct sqlite3* copia_ = nullptr;
};

#include "outside/runtime/Dialogos.h"

// Every message answered while a save runs: the save's own questions by the save, any other box
// by giving up (Abort, Cancel, No or OK, whatever it offers); each one recorded.
class DialogosDeGrabacion : public vb::Dialogos {
  public:
    explicit DialogosDeGrabacion(Grabacion& g);
    ~DialogosDeGrabacion() override;
    DialogosDeGrabacion(const DialogosDeGrabacion&) = delete;
    DialogosDeGrabacion& operator=(const DialogosDeGrabacion&) = delete;

    struct Mensaje {
        QString texto, titulo;
    };
    const QList<Mensaje>& mensajes() const { return mensajes_; }
    // Messages other than the save's own questions.
    int avisos() const { return avisos_; }
    void Olvida() {
        mensajes_.clear();
        avisos_ = 0;
    }

    int MsgBox(const QString& texto, int estilo, const QString& titulo) override;
    QString InputBox(const QString& texto, const QString& titulo, const QString& porDefecto) override;
    void MostrarModal(QWidget* formulario) override;
    QString AbrirArchivo(const QString& titulo, const QString& filtro, bool* cancelado) override;

  private:
    Grabacion& g_;
    vb::Dialogos* anteriores_;
    QList<Mensaje> mensajes_;
    int avisos_ = 0;
};
