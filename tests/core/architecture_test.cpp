#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

// The core must build without any windowing toolkit.
TEST(Architecture, CoreIncludesNoQtHeader) {
    namespace fs = std::filesystem;
    std::regex qtInclude(R"(#\s*include\s*[<"]Q[A-Za-z]*[>"/])");
    int scanned = 0;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(CARDWISE_SOURCE_DIR) / "src" / "core")) {
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
