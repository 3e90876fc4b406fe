#include "platform/gui/qt/Pictures.h"

#include <QDir>
#include <QFile>

#include "platform/gui/qt/Gbk.h"

namespace gui::qt {

// A picture is either icons/NAME.png or the set icons/NAME-SIZE.png of one
// icon in several sizes.
QIcon Picture(const Text& name) {
  const QString base = ToQString(name);
  if (base.isEmpty() || base.contains(QLatin1Char('/'))) return {};
  const QString single = QStringLiteral(":/icons/%1.png").arg(base);
  if (QFile::exists(single)) return QIcon(single);
  QIcon icon;
  const QDir dir(QStringLiteral(":/icons"));
  for (const QString& file : dir.entryList({base + QStringLiteral("-*.png")}, QDir::Files)) {
    bool isSize = false;
    file.mid(base.size() + 1).chopped(4).toInt(&isSize);
    if (isSize) icon.addFile(dir.filePath(file));
  }
  return icon;
}

QIcon ApplicationIcon() {
  return Picture("app-icon");
}

}  // namespace gui::qt
