#include "toolkit/qt/QtMimeTypes.h"

#include <QUrl>

#include "runtime/AsciiCase.h"
#include "toolkit/win/HtmlFormat.h"

namespace {

const std::string HtmlFormat = "HTML Format";
const QString OwnPrefix = "application/x-quantrel-";

struct TWellKnown {
  const char* FormatName;
  const char* MimeType;
  const char* Alias = nullptr;
};

constexpr TWellKnown WellKnown[] = {
    {"HTML Format", "text/html"},
    {"Rich Text Format", "text/rtf"},
    {"CSV", "text/csv"},
    {"CF_ENHMETAFILE", "image/x-emf", "image/emf"},
    {"CF_METAFILEPICT", "image/x-wmf", "image/wmf"},
};

}  // namespace

QString MimeTypeOf(const std::string& formatName) {
  for (const TWellKnown& known : WellKnown)
    if (formatName == known.FormatName) return known.MimeType;
  return OwnPrefix + QString::fromLatin1(QUrl::toPercentEncoding(QString::fromStdString(AsciiLowered(formatName))));
}

QStringList MimeTypesOf(const std::string& formatName) {
  for (const TWellKnown& known : WellKnown)
    if (formatName == known.FormatName && known.Alias) return {known.MimeType, known.Alias};
  return {MimeTypeOf(formatName)};
}

std::string FormatNameOfMimeType(const QString& mimeType) {
  for (const TWellKnown& known : WellKnown)
    if (mimeType == known.MimeType || (known.Alias && mimeType == known.Alias)) return known.FormatName;
  if (!mimeType.startsWith(OwnPrefix)) return "";
  return QUrl::fromPercentEncoding(mimeType.mid(OwnPrefix.size()).toLatin1()).toStdString();
}

QByteArray MimeBytesOf(const std::string& formatName, const std::vector<std::uint8_t>& bytes) {
  if (!SameAsciiText(formatName, HtmlFormat))
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
  const std::string document = HtmlDocumentOf(std::string(bytes.begin(), bytes.end()));
  return QByteArray(document.data(), static_cast<qsizetype>(document.size()));
}

std::vector<std::uint8_t> FormatBytesOf(const std::string& formatName, const QByteArray& bytes) {
  if (!SameAsciiText(formatName, HtmlFormat)) return {bytes.begin(), bytes.end()};
  const std::string html = ClipboardHtmlOf(HtmlDocumentOf(bytes.toStdString()));
  return {html.begin(), html.end()};
}
