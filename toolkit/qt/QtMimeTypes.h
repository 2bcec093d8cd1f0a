#pragma once
// Clipboard and drag-and-drop formats by registered name, carried by Qt as
// MIME types: the well-known formats under their standard types (the
// metafiles' as image files), the
// others under "application/x-quantrel-" and the name in lower case,
// percent-encoded (format names compare ignoring case).

#include <cstdint>
#include <string>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

QString MimeTypeOf(const std::string& formatName);
// Every type a format is offered under on the desktop: its own first, then
// the other names programs know it by (image/emf beside image/x-emf).
QStringList MimeTypesOf(const std::string& formatName);
// The format name a MIME type carries (ours in lower case); empty for a
// type of no format.
std::string FormatNameOfMimeType(const QString& mimeType);

// A format's bytes as the desktop's MIME data carries them, and back:
// "HTML Format" travels as the HTML document alone (text/html), and gets
// its clipboard header in front again when read.
QByteArray MimeBytesOf(const std::string& formatName, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> FormatBytesOf(const std::string& formatName, const QByteArray& bytes);
