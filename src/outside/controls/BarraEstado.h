#pragma once
// Status bar whose panels are addressed by key, as the windows' status bars are.
#include <QList>
#include <QStatusBar>
#include <QString>
#include <QStringList>

class QLabel;

class BarraEstado : public QStatusBar {
    Q_OBJECT

  public:
    explicit BarraEstado(QWidget* parent = nullptr);

    // Adds a panel at the right end; the panel that stretches takes the spare width.
    QLabel* AgregaPanel(const QString& clave, const QString& texto = {}, bool estira = false);
    bool ExistePanel(const QString& clave) const;
    // The panel's text. A key that no panel has raises 35601 (element not found).
    QString Texto(const QString& clave) const;
    void setTexto(const QString& clave, const QString& texto);
    QStringList Claves() const;
    QLabel* Panel(const QString& clave) const;

  private:
    struct Entrada {
        QString clave;
        QLabel* etiqueta;
    };
    QLabel* exigir(const QString& clave) const;
    QList<Entrada> paneles_;
};
