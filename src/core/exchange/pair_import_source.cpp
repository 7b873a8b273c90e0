// The file to import, opened and read through: rows of text or another program's deck.
#include "core/exchange/pair_import.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "core/exchange/foreign_deck.h"
#include "core/exchange/foreign_import.h"
#include "core/exchange/pair_import_steps.h"
#include "core/media/picture_view.h"
#include "core/platform/file_system.h"
#include "core/program.h"

namespace cardwise {
namespace {

using namespace import_steps;

// Passes the file through, telling the user how far the reading has got.
class ProgressReader final : public FileReader {
  public:
    ProgressReader(std::unique_ptr<FileReader> file, std::uint64_t total, UserInterface& ui)
        : file_(std::move(file)), total_(total), ui_(ui) {}
    ~ProgressReader() override { ui_.progress(kImportProgressCaption, -1); }
    ProgressReader(const ProgressReader&) = delete;
    ProgressReader& operator=(const ProgressReader&) = delete;

    std::optional<std::string_view> next() override {
        std::optional<std::string_view> piece = file_->next();
        if (piece && total_ > 0) {
            read_ += piece->size();
            const int percent =
                static_cast<int>(std::min<std::uint64_t>(read_, total_) * 100 / total_);
            if (percent != shown_) ui_.progress(kImportProgressCaption, shown_ = percent);
        }
        return piece;
    }

  private:
    std::unique_ptr<FileReader> file_;
    std::uint64_t total_;
    std::uint64_t read_ = 0;
    int shown_ = -1;
    UserInterface& ui_;
};

// A name relative to the folder of the file imported, read when it stays in that folder or
// below and is a regular file of a size a picture may have; every file counts against one
// budget.
BesideFile besideFile(const FileSystem& files, const std::string& path) {
    auto used = std::make_shared<std::uint64_t>(0);
    const std::string folder = folderOf(path);
    return [&files, folder, used](const std::string& relative) -> std::optional<std::string> {
        if (relative.empty() || relative.front() == '/' ||
            relative.find('\\') != std::string::npos || relative.find(':') != std::string::npos) {
            return std::nullopt;
        }
        for (std::string_view rest = relative; !rest.empty();) {
            const std::size_t slash = rest.find('/');
            if (rest.substr(0, slash) == "..") return std::nullopt;
            if (slash == std::string_view::npos) break;
            rest.remove_prefix(slash + 1);
        }
        const std::string full = folder + relative;
        const std::optional<std::uint64_t> size = files.fileSize(full);
        if (!size || *size > kMaxPictureFileBytes || *used + *size > kMaxForeignInflatedBytes) {
            return std::nullopt;
        }
        std::optional<std::string> bytes = files.readFile(full);
        if (bytes) *used += bytes->size();
        return bytes;
    };
}

}  // namespace

namespace import_steps {

std::unique_ptr<FileReader> openImportFile(const FileSystem& files, const std::string& path,
                                           std::optional<TextProblem>& problem) {
    const std::optional<std::uint64_t> size = files.fileSize(path);
    if (size && *size > kMaxImportFileBytes) {
        problem = fileProblem(path + " Is Too Large To Hold The Pairs Of A Deck.");
        return nullptr;
    }
    std::unique_ptr<FileReader> reader = size ? files.openFile(path) : nullptr;
    if (!reader) problem = unreadable(path);
    return reader;
}

std::string folderOf(const std::string& path) {
    std::string folder = directoryOf(path);
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

ImportPlan planFromReader(const FileSystem& files, std::unique_ptr<FileReader> file,
                          const std::string& path, const DeckContents& deck) {
    ImportPlan plan;
    std::optional<std::string_view> piece = file->next();
    if (!piece) {
        plan.problem = unreadable(path);
        return plan;
    }
    std::string bytes(*piece);
    const ForeignFormat format = sniffFormat(bytes);
    if (format == ForeignFormat::Text) {
        bool given = false;
        DelimitedReader text([&]() -> std::optional<std::string_view> {
            if (!std::exchange(given, true)) return std::string_view(bytes);
            return file->next();
        });
        plan = planRows(text, deck);
        if (!plan.problem && text.sourceFailed()) plan.problem = unreadable(path);
        return plan;
    }
    while (!bytes.empty()) {
        piece = file->next();
        if (!piece) {
            plan.problem = unreadable(path);
            return plan;
        }
        if (piece->empty()) break;
        bytes.append(*piece);
    }
    return planForeignDeck(readForeignDeck(format, std::move(bytes), besideFile(files, path)),
                           deck);
}

}  // namespace import_steps

ImportPlan planImportFile(Program& program, const std::string& sourcePath) {
    ImportPlan plan;
    std::unique_ptr<FileReader> source = openImportFile(program.files(), sourcePath, plan.problem);
    if (!source) return plan;
    const std::uint64_t total = program.files().fileSize(sourcePath).value_or(0);
    return planFromReader(program.files(),
                          std::make_unique<ProgressReader>(std::move(source), total, program.ui()),
                          sourcePath, DeckContents{});
}

}  // namespace cardwise
