#include "toolkit/qt/QtFileIcons.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

#include "toolkit/qt/QtBitmap.h"

namespace {

class TQtFileIcons final : public IFileIcons {
public:
  HICON FileIcon(const std::string& fileName, int size) override {
    const QIcon icon = provider_.icon(QFileInfo(QString::fromStdString(fileName)));
    if (icon.isNull()) return nullptr;
    // The icon's own pixels, not scaled by the screen's ratio.
    const QImage image = icon.pixmap(size, size).toImage();
    if (image.isNull()) return nullptr;
    TGdiBitmap pixels(0, 0, pf32bit);
    AssignImage(pixels, image.scaled(size, size));
    return CreateIconFromImage(pixels);
  }

private:
  QFileIconProvider provider_;
};

}  // namespace

IFileIcons& QtFileIcons() {
  static TQtFileIcons icons;
  return icons;
}
