// The Designer files name controls by their object names: a label's buddy and the tab order must
// name a control of the same form, or uic drops them without a word (the label shows "&Año"
// and Alt+A, like Tab, goes nowhere).
#include <gtest/gtest.h>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <QXmlStreamReader>

TEST(DesignerFiles, EveryBuddyAndTabStopNamesAControlOfItsForm) {
    const QString fuentes = QDir(QStringLiteral(INDAJUSTE_SQL_DIR "/../src")).absolutePath();
    QDirIterator it(fuentes, {QStringLiteral("*.ui")}, QDir::Files, QDirIterator::Subdirectories);
    int formularios = 0;
    while (it.hasNext()) {
        const QString ruta = it.next();
        QFile archivo(ruta);
        ASSERT_TRUE(archivo.open(QIODevice::ReadOnly)) << ruta.toStdString();
        QXmlStreamReader xml(&archivo);
        QSet<QString> nombres;
        QStringList referencias;
        bool enBuddy = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement()) continue;
            const auto nombre = xml.attributes().value(QStringLiteral("name"));
            if (xml.name() == u"widget" || xml.name() == u"action" || xml.name() == u"layout")
                nombres.insert(nombre.toString());
            else if (xml.name() == u"property")
                enBuddy = nombre == u"buddy";
            else if (xml.name() == u"tabstop" || (enBuddy && xml.name() == u"cstring"))
                referencias << xml.readElementText();
        }
        ASSERT_FALSE(xml.hasError()) << ruta.toStdString();
        for (const QString& r : referencias)
            EXPECT_TRUE(nombres.contains(r)) << ruta.toStdString() << " names " << r.toStdString();
        ++formularios;
    }
    EXPECT_GE(formularios, 8);
}
