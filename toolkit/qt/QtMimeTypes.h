#pragma once
// Clipboard and drag-and-drop formats by registered name, carried by Qt as
// MIME types: the well-known formats under their standard types, the
// others under "application/x-quantrel-" and the name in lower case,
// percent-encoded (format names compare ignoring case).

#include <string>

#include <QString>

QString MimeTypeOf(const std::string& formatName);
// The format name a MIME type carries (ours in lower case); empty for a
// type of no format.
std::string FormatNameOfMimeType(const QString& mimeType);
