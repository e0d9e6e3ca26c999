#pragma once
// The skin framework control a window carries (SkinFramework1). A skin is a Qt style sheet: the
// skin file named by LoadSkin with its extension replaced by ".qss", or, when the name is a
// folder, the style sheet in it named after the skin ini. A skin that cannot be read leaves the
// window with its default look.
#include <QObject>
#include <QString>

class QWidget;

class SkinFramework : public QObject {
    Q_OBJECT
    Q_PROPERTY(int ApplyOptions READ ApplyOptions WRITE setApplyOptions)

  public:
    explicit SkinFramework(QObject* parent = nullptr);

    // Loads the skin; false (and no skin) when its style sheet is missing or unreadable.
    bool LoadSkin(const QString& ruta, const QString& ini);
    // Gives the loaded skin to the window; without a skin the window is left as it is.
    void ApplyWindow(QWidget* ventana);

    int ApplyOptions() const { return opciones_; }
    void setApplyOptions(int opciones) { opciones_ = opciones; }

    // What the last LoadSkin was given and what it found.
    QString Ruta() const { return ruta_; }
    QString Ini() const { return ini_; }
    QString ArchivoHoja() const { return archivoHoja_; }
    QString Hoja() const { return hoja_; }

    // The style sheet file that stands for a skin file (and its skin ini).
    static QString HojaDeSkin(const QString& ruta, const QString& ini);

  private:
    QString ruta_;
    QString ini_;
    QString archivoHoja_;
    QString hoja_;
    int opciones_ = 0;
};
