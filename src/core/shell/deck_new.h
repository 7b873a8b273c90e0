#pragma once

#include <string>

namespace cardwise {

struct Program;

// The Q&A file of a new deck: the header and three placeholder pairs, CR LF line ends.
std::string newDeckText();

// "New...": closes the open deck, asks for a name (appending .DKS when it has no
// extension, refusing existing files and other extensions), writes the new Q&A file,
// opens it and shows the editor on pair 1.
void FileNewClick(Program& program);

// The setup data file that goes with a Q&A file name (its last character replaced by D).
std::string setupNameOf(const std::string& qaName);

// A chosen file name without any '.' in its name part gets ".DKS".
std::string withDefaultExtension(std::string name);

}  // namespace cardwise
