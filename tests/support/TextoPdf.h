#pragma once
// A PDF's text as a reader sees it, laid out as on the page.
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QString>

inline QString TextoPdf(const QString& archivo) {
    QProcess p;
    p.start("pdftotext", {"-layout", archivo, "-"});
    p.waitForFinished(-1);  // however loaded the machine; the shard's time limit stops a hang
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The words of a PDF page by page, with their boxes in points, as pdftotext -bbox gives them.
struct Palabra {
    QString texto;
    double xMin, yMin, xMax, alto;
};
inline QList<QList<Palabra>> PalabrasPdf(const QString& archivo) {
    QProcess p;
    p.start("pdftotext", {"-bbox", archivo, "-"});
    p.waitForFinished(-1);
    const QString xml = QString::fromUtf8(p.readAllStandardOutput());
    QList<QList<Palabra>> paginas;
    static const QRegularExpression palabra(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>");
    for (const QString& trozo : xml.split("<page ").mid(1)) {
        QList<Palabra> l;
        for (auto it = palabra.globalMatch(trozo); it.hasNext();) {
            const auto m = it.next();
            QString texto = m.captured(5);
            texto.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&amp;", "&");
            l << Palabra{texto, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                         m.captured(4).toDouble() - m.captured(2).toDouble()};
        }
        paginas << l;
    }
    return paginas;
}
