#pragma once
// The text of an XML document received from outside, brought to UTF-8 before it is parsed.
//
// The agency's documents come from Windows machines: some declare their encoding, some carry a
// byte-order mark, some are plain Windows-1250 without a word about it. Names must keep their
// diacritics whichever it is:
//   - a byte-order mark decides (UTF-8, UTF-16 LE/BE);
//   - else an encoding the declaration names is honoured;
//   - else the text is taken as UTF-8 when it is valid UTF-8, and as Windows-1250 (the
//     agency's code page) otherwise.
// No Qt in here: the conversion goes through iconv.

#include <cstddef>
#include <string>
#include <string_view>

// Converts bytes to UTF-8 text. On failure strError receives the reason (a Romanian sentence
// fit for a message box) and the result is false.
bool DecodeXmlText(std::string_view bytes, std::string& strUtf8, std::string& strError);

// The value of the encoding pseudo-attribute of a leading "<?xml ...?>", or "" when the text
// has no declaration or the declaration names no encoding.
std::string DeclaredXmlEncoding(std::string_view bytes);

bool IsValidUtf8(std::string_view text);
// Number of characters (code points) of a valid UTF-8 text.
std::size_t Utf8Length(std::string_view text);

// What the document reader lets pass but XML does not allow, checked on the UTF-8 text: one
// root element and nothing but markup and blanks around it, every element closed (a file cut
// short is not a document), references only to the five predefined entities or to characters
// XML allows (never &#0;), and no control characters. Structure the reader checks itself
// (tag names, attribute syntax) is only skimmed here. False with the offset of the fault.
bool EsteXmlBineFormat(std::string_view utf8, std::size_t& iPozitie);
