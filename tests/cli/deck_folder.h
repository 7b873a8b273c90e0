#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "support/fakes.h"

namespace cardwise::cli::testing {

// A temporary folder holding copies of sample decks from tests/data/cli.
class DeckFolder : public cardwise::testing::TempDir {
  public:
    void copy(const std::string& name) const { copyFromData("cli/" + name, name); }

    // Every file of the folder with its bytes.
    std::map<std::string, std::string> snapshot() const {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(path())) {
            std::string name = entry.path().filename().string();
            files[name] = read(name);
        }
        return files;
    }
};

}  // namespace cardwise::cli::testing
