#pragma once
// "HTML Format" on the clipboard and in drags: a header of byte offsets
// ("Version:1.0", StartHTML, EndHTML, StartFragment, EndFragment) before the
// HTML document, whose fragment lies between <!--StartFragment--> and
// <!--EndFragment-->. Desktops without that convention carry the document
// alone (text/html).

#include <string>

// The document from StartHTML to EndHTML (to its end without a trailing
// zero where the offsets are missing or out of range); text without the
// header is the document already.
std::string HtmlDocumentOf(const std::string& clipboardHtml);
// The header put in front of a document; the fragment is the part between
// the markers, or the whole document without them.
std::string ClipboardHtmlOf(const std::string& document);
