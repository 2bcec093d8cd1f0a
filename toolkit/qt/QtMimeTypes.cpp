#include "toolkit/qt/QtMimeTypes.h"

#include <QUrl>

#include "runtime/AsciiCase.h"

namespace {

const QString OwnPrefix = "application/x-quantrel-";

struct TWellKnown {
  const char* FormatName;
  const char* MimeType;
};

constexpr TWellKnown WellKnown[] = {
    {"HTML Format", "text/html"},
    {"Rich Text Format", "text/rtf"},
    {"CSV", "text/csv"},
};

}  // namespace

QString MimeTypeOf(const std::string& formatName) {
  for (const TWellKnown& known : WellKnown)
    if (formatName == known.FormatName) return known.MimeType;
  return OwnPrefix + QString::fromLatin1(QUrl::toPercentEncoding(QString::fromStdString(AsciiLowered(formatName))));
}

std::string FormatNameOfMimeType(const QString& mimeType) {
  for (const TWellKnown& known : WellKnown)
    if (mimeType == known.MimeType) return known.FormatName;
  if (!mimeType.startsWith(OwnPrefix)) return "";
  return QUrl::fromPercentEncoding(mimeType.mid(OwnPrefix.size()).toLatin1()).toStdString();
}
