#include "ui/qt_text.h"

#include <QStringList>

namespace cuffware {

QString ToQt(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromQt(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

QString QtFileFilter(const std::string& filter) {
    QStringList parts = ToQt(filter).split('|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts[i];
        const QString& pattern = parts[i + 1];
        if (!label.contains('(' + pattern + ')'))
            label += " (" + pattern + ')';
        entries << label;
    }
    return entries.join(";;");
}

}  // namespace cuffware
