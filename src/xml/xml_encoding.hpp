#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "xml/xml_reader.hpp"

namespace korvanta {

// A document's text as UTF-8, from the encoding its byte-order mark or XML
// declaration names (UTF-8 when it names none). Read are UTF-8, UTF-16 with a
// byte-order mark, windows-1252 and ISO-8859-1; a document not valid in its
// encoding, or naming any other, is refused with the line where that shows.
// None when the bytes are the UTF-8 text already (so that they need no copy).
std::variant<std::optional<std::string>, XmlReadError> XmlDocumentToUtf8(std::string_view bytes);

}  // namespace korvanta
