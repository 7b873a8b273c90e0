#pragma once

#include <string>
#include <string_view>

namespace cardwise {

// Display-text markup: "^" a line break, "^^" a literal "^", "<<" a literal "<".
// The encoder writes a space after a line-break "^" that another "^" would follow, so an
// empty line or a line beginning with "^" comes back with one leading space.

// The shown form of a stored display text; line breaks are CR LF.
std::string decodedMarks(std::string_view stored);
// The stored form of a text typed by the user.
std::string encodedMarks(std::string_view shown);

// In place, as the windows use them; the decoded text is cut to the PairView text field.
void DecodeMarks(std::string& text);
void EncodeMarks(std::string& text);

}  // namespace cardwise
