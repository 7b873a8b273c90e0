// Any bytes as an INI text: reads and writes must neither crash nor disturb other lines.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/profile/profile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    cardwise::Profile profile = cardwise::Profile::fromBytes(bytes);
    if (profile.bytes() != bytes) __builtin_trap();  // an untouched profile is the file

    std::size_t split = size / 2;
    std::string key(bytes.substr(0, std::min<std::size_t>(split, 12)));
    (void)profile.readInt("CARDWISE", key, 7);
    (void)profile.readString("cardwise", key, "d");
    (void)cardwise::parseProfileInt(bytes);

    profile.setNewKeysBefore([](std::string_view line) { return line.size() > 3 && line[1] == '&'; });
    profile.writeString("CARDWISE", "NumSeconds", "  5");
    if (profile.readInt("CARDWISE", "NumSeconds", 0) != 5) __builtin_trap();
    profile.writeString("Other", "Key", std::string(bytes.substr(split, 20)));
    profile.appendLine("Q&A1=20261207              ");
    (void)profile.bytes();
    return 0;
}
