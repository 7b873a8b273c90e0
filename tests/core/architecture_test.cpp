#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <string>

// Includes run downhill: a file may include headers of its own layer or a lower one. A new
// file goes in the lowest room whose layer holds everything it includes.
//
//   0  core/platform    interfaces to the outside world, geometry, page device
//   1  core/profile     profile (INI) files
//   2  core/content     pair markup          core/media    pictures and sounds
//   3  core/deck        deck model and files; DeckSession, the part of the program it needs
//   4  core/drill  core/study  core/editor  core/output  core/exchange  core/shell, and
//      core/program.h, the owner of every program-wide record, which these rooms share
//   5  gui, app, cli    the front ends

namespace {

namespace fs = std::filesystem;

const std::map<std::string, int> kCoreLayers = {
    {"platform", 0}, {"profile", 1},  {"content", 2}, {"media", 2},
    {"deck", 3},     {"drill", 4},    {"study", 4},   {"editor", 4},
    {"output", 4},   {"exchange", 4}, {"shell", 4},   {"program.h", 4},
};
constexpr int kFrontEndLayer = 5;

fs::path sourceRoot() {
    return fs::path(CARDWISE_SOURCE_DIR) / "src";
}

// The layer of a path below src ("core/deck/qa_file.h"); nothing for one outside the table.
std::optional<int> layerOf(const std::string& path) {
    const std::size_t slash = path.find('/');
    const std::string top = path.substr(0, slash);
    if (top == "gui" || top == "app" || top == "cli") return kFrontEndLayer;
    if (top != "core" || slash == std::string::npos) return std::nullopt;
    const std::string rest = path.substr(slash + 1);
    auto found = kCoreLayers.find(rest.substr(0, rest.find('/')));
    if (found == kCoreLayers.end()) return std::nullopt;
    return found->second;
}

struct Include {
    std::string file;  // below src
    int line = 0;
    std::string target;
};

template <typename Visit>
void forEachCoreInclude(Visit visit) {
    const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
    for (const auto& entry : fs::recursive_directory_iterator(sourceRoot() / "core")) {
        if (!entry.is_regular_file()) continue;
        const std::string file = fs::relative(entry.path(), sourceRoot()).generic_string();
        std::ifstream in(entry.path());
        std::string text;
        int number = 0;
        std::smatch match;
        while (std::getline(in, text)) {
            ++number;
            if (std::regex_search(text, match, include)) visit(Include{file, number, match[1]});
        }
    }
}

}  // namespace

// The core must build without any windowing toolkit.
TEST(Architecture, CoreIncludesNoQtHeader) {
    std::regex qtInclude(R"(#\s*include\s*[<"]Q[A-Za-z]*[>"/])");
    int scanned = 0;
    for (const auto& entry : fs::recursive_directory_iterator(sourceRoot() / "core")) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path());
        std::string line;
        int number = 0;
        while (std::getline(in, line)) {
            ++number;
            EXPECT_FALSE(std::regex_search(line, qtInclude))
                << entry.path() << ":" << number << ": " << line;
        }
        ++scanned;
    }
    EXPECT_GT(scanned, 5);
}

TEST(Architecture, EveryCoreFileHasALayer) {
    for (const auto& entry : fs::recursive_directory_iterator(sourceRoot() / "core")) {
        if (!entry.is_regular_file() || entry.path().filename() == "CMakeLists.txt") continue;
        const std::string file = fs::relative(entry.path(), sourceRoot()).generic_string();
        EXPECT_TRUE(layerOf(file).has_value()) << file << ": its folder needs a layer";
    }
}

TEST(Architecture, CoreIncludesRunDownhill) {
    int checked = 0;
    forEachCoreInclude([&](const Include& include) {
        const std::optional<int> target = layerOf(include.target);
        const std::optional<int> own = layerOf(include.file);
        if (!target || !own) return;
        ++checked;
        EXPECT_LE(*target, *own) << include.file << ":" << include.line << ": includes "
                                 << include.target << " (layer " << *own << " includes layer "
                                 << *target << ")";
    });
    EXPECT_GT(checked, 100);
}

TEST(Architecture, CoreIncludesNoFrontEnd) {
    forEachCoreInclude([](const Include& include) {
        EXPECT_NE(layerOf(include.target), std::optional<int>(kFrontEndLayer))
            << include.file << ":" << include.line << ": includes " << include.target;
    });
}
