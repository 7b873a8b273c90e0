#pragma once

#include <string>
#include <string_view>

namespace cardwise::cli {

// Decks hold Windows-1252 bytes with CR LF line breaks; terminals speak UTF-8 with bare
// line feeds. These convert at the terminal boundary only.

// Windows-1252 to UTF-8; CR LF and a lone CR become LF. Well-formed UTF-8 sequences (a
// file name typed on the command line inside a message) pass unchanged.
std::string toTerminal(std::string_view cp1252);
// UTF-8 to Windows-1252; a character the code page lacks becomes '?'. A trailing CR
// (a line typed on a terminal that sends CR LF) is dropped.
std::string fromTerminal(std::string_view utf8);

}  // namespace cardwise::cli
