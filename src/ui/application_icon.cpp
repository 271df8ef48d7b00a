#include "ui/application_icon.h"

#include <QDir>

namespace cuffware {

QIcon ApplicationIcon() {
    QIcon icon;
    QDir sizes(":/icons");
    for (const QString& png : sizes.entryList({"cuffware-builder-*.png"}))
        icon.addFile(sizes.filePath(png));
    return icon;
}

}  // namespace cuffware
