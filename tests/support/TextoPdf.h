#pragma once
// A PDF's text as a reader sees it, laid out as on the page.
#include <QProcess>
#include <QString>

inline QString TextoPdf(const QString& archivo) {
    QProcess p;
    p.start("pdftotext", {"-layout", archivo, "-"});
    p.waitForFinished(-1);  // however loaded the machine; the shard's time limit stops a hang
    return QString::fromUtf8(p.readAllStandardOutput());
}
