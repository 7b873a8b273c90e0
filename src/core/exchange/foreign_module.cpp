#include "core/exchange/foreign_module.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

// Defined when the readers are linked into this program (tests, fuzzing, benchmarks): a weak
// reference is null otherwise, and needs no exported symbol the way a dlsym lookup would.
extern "C" const cardwise::ForeignReaders* cardwise_foreign_readers() __attribute__((weak));

namespace cardwise {
namespace {

using ReadersEntry = const ForeignReaders* (*)();

FoundForeignReaders findReaders() {
    if (cardwise_foreign_readers != nullptr) return {cardwise_foreign_readers(), {}};
    std::vector<std::string> places;
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        places.push_back((program.parent_path() / CARDWISE_FOREIGN_MODULE_FROM_BIN).string());
    }
    places.push_back(CARDWISE_FOREIGN_MODULE_BUILT);
    return loadForeignReaders(places);
}

}  // namespace

FoundForeignReaders loadForeignReaders(const std::vector<std::string>& places) {
    std::string reasons;
    const auto note = [&](const std::string& reason) {
        reasons += (reasons.empty() ? "" : "; ") + reason;
    };
    for (const std::string& place : places) {
        void* library = dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            const char* why = dlerror();
            note(why != nullptr ? why : place + ": cannot be loaded");
            continue;
        }
        const auto entry = reinterpret_cast<ReadersEntry>(dlsym(library, kForeignReadersEntry));
        const ForeignReaders* readers = entry != nullptr ? entry() : nullptr;
        if (readers != nullptr && readers->version == kForeignReadersVersion &&
            readers->read != nullptr) {
            // Never closed: later imports use it again.
            return {readers, {}};
        }
        note(place + (entry == nullptr ? ": has no readers" : ": is of another version"));
        dlclose(library);
    }
    if (reasons.empty()) reasons = "no place to look for it";
    return {nullptr, "Importing Other Programs' Files Is Unavailable, Their Module Did Not Load: " +
                         reasons + "."};
}

ForeignDeck readForeignDeck(ForeignFormat format, std::string bytes, const BesideFile& beside) {
    if (format == ForeignFormat::Text) return {};
    // Looked for once per run: a loaded library belongs to the whole process anyway, and the
    // answer never changes after the first import.
    static const FoundForeignReaders found = findReaders();
    if (found.readers == nullptr) {
        ForeignDeck deck;
        deck.problem = found.problem;
        return deck;
    }
    return found.readers->read(format, std::move(bytes), beside);
}

}  // namespace cardwise
