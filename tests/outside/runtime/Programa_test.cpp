#include "outside/runtime/Programa.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include "support/FinObservado.h"
#include "support/ImprimeQt.h"

namespace {
struct Receptor : QWidget {
    QStringList recibidos;
    std::function<void()> alRecibirUsuario;
    bool event(QEvent* e) override {
        switch (e->type()) {
            case QEvent::KeyPress:
                recibidos << "tecla";
                break;
            case QEvent::MouseButtonPress:
                recibidos << "clic";
                break;
            case QEvent::User:
                recibidos << "propio";
                if (alRecibirUsuario) alRecibirUsuario();
                break;
            default:
                break;
        }
        return QWidget::event(e);
    }
};

void publicarEntrada(QObject* destino) {
    QCoreApplication::postEvent(destino, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
    QCoreApplication::postEvent(
        destino, new QMouseEvent(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                                 Qt::LeftButton, Qt::NoModifier));
}
}  // namespace

TEST(Programa, AppDescribesTheProgram) {
    EXPECT_EQ(vb::App().EXEName, "indajuste");
    EXPECT_EQ(vb::App().Path, QFileInfo(QCoreApplication::applicationFilePath()).absolutePath());
    EXPECT_FALSE(vb::App().Path.endsWith('/'));
    EXPECT_FALSE(vb::App().Title.isEmpty());
}

TEST(Programa, DoEventsRunsTimersAndOwnEventsButHoldsUserInputBack) {
    Receptor r;
    r.show();
    QCoreApplication::processEvents();
    r.recibidos.clear();

    bool temporizador = false;
    QTimer::singleShot(0, [&] { temporizador = true; });
    publicarEntrada(&r);
    QCoreApplication::postEvent(&r, new QEvent(QEvent::User));
    vb::DoEvents();
    EXPECT_TRUE(temporizador);
    EXPECT_EQ(r.recibidos, QStringList({"propio"}));

    // Held back, not lost, and in the order they came.
    QCoreApplication::processEvents();
    EXPECT_EQ(r.recibidos, QStringList({"propio", "tecla", "clic"}));

    // A pump inside a pump holds input back too.
    r.recibidos.clear();
    r.alRecibirUsuario = [&] {
        publicarEntrada(&r);
        vb::DoEvents();
    };
    QCoreApplication::postEvent(&r, new QEvent(QEvent::User));
    vb::DoEvents();
    r.alRecibirUsuario = nullptr;
    EXPECT_EQ(r.recibidos, QStringList({"propio"}));
    QCoreApplication::processEvents();
    EXPECT_EQ(r.recibidos, QStringList({"propio", "tecla", "clic"}));
}

TEST(Programa, EndGoesThroughTheHook) {
    EXPECT_FALSE(static_cast<bool>(vb::finDelPrograma()));
    {
        FinObservado fin;
        EXPECT_THROW(vb::End(), vb::FinDelPrograma);
        int llamadas = 0;
        vb::setFinDelPrograma([&] {
            ++llamadas;
            throw vb::FinDelPrograma{};
        });
        {
            FinObservado interior;
            EXPECT_THROW(vb::End(), vb::FinDelPrograma);
            EXPECT_EQ(llamadas, 0);
        }
        EXPECT_THROW(vb::End(), vb::FinDelPrograma);
        EXPECT_EQ(llamadas, 1);
    }
    EXPECT_FALSE(static_cast<bool>(vb::finDelPrograma()));
}

TEST(ProgramaDeathTest, EndWithoutHookEndsTheProcessAtOnce) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            std::fputs("antes del fin", stdout);
            vb::End();
        },
        ::testing::ExitedWithCode(0), "");
}
