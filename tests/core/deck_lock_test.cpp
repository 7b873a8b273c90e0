#include "core/deck/deck_lock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "core/deck/disk_stamps.h"
#include "core/program.h"
#include "core/shell/app_settings.h"
#include "core/shell/deck_close.h"
#include "support/deck_harness.h"
#include "support/fakes.h"

namespace cardwise {
namespace {

using testing::TempDir;

// This process as a test wants it: its host, id and user, and which ids run on its host.
class FakeIdentity : public ProcessIdentity {
  public:
    FakeIdentity(std::string host, std::int64_t id, std::string user)
        : host_(std::move(host)), id_(id), user_(std::move(user)) {}
    std::set<std::int64_t> running;

    std::string hostName() const override { return host_; }
    std::int64_t processId() const override { return id_; }
    std::string userName() const override { return user_; }
    bool isAlive(std::int64_t id) const override { return id == id_ || running.count(id) != 0; }

  private:
    std::string host_;
    std::int64_t id_;
    std::string user_;
};

TEST(DeckLockFile, IsNamedLikeTheBackupsAndHoldsHostProcessAndUser) {
    EXPECT_EQ(lockFileNameOf("/decks/verbs.DKS"), "/decks/verbs.~LK");
    EXPECT_EQ(lockFileNameOf("/decks/verbs.dks"), "/decks/verbs.~LK");
    EXPECT_EQ(lockFileText({"pc1", 1234, "alice"}), "Cardwise deck lock\npc1\n1234\nalice\n");
    EXPECT_EQ(parseLockFile("Cardwise deck lock\r\npc1\r\n1234\r\nalice\r\n"),
              (LockHolder{"pc1", 1234, "alice"}));
}

TEST(DeckLock, TakesRefusesOrTakesOverAsTheLockFileSays) {
    struct Row {
        const char* name;
        std::optional<std::string> lockFile;  // before the attempt; nothing: none there
        LockResult expected;
        std::optional<LockHolder> holder;  // named when refused
    };
    const std::string mine = "Cardwise deck lock\npc1\n100\nme\n";
    const Row rows[] = {
        {"free", std::nullopt, LockResult::Taken, std::nullopt},
        {"held by a running process on this host", "Cardwise deck lock\npc1\n200\nalice\n",
         LockResult::Refused, LockHolder{"pc1", 200, "alice"}},
        {"left by a process that has ended on this host", "Cardwise deck lock\npc1\n300\nbob\n",
         LockResult::Taken, std::nullopt},
        {"held on another host, whatever runs here", "Cardwise deck lock\npc2\n300\ncarol\n",
         LockResult::Refused, LockHolder{"pc2", 300, "carol"}},
        {"empty", "", LockResult::Taken, std::nullopt},
        {"garbled", "\x01\x02 not a lock\n", LockResult::Taken, std::nullopt},
        {"cut short", "Cardwise deck lock\npc1\n", LockResult::Taken, std::nullopt},
        {"a process id that is no number", "Cardwise deck lock\npc1\n12ab\nbob\n",
         LockResult::Taken, std::nullopt},
        {"a process id of zero", "Cardwise deck lock\npc1\n0\nbob\n", LockResult::Taken,
         std::nullopt},
        {"this very process", mine, LockResult::Taken, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        LocalFileSystem files;
        FakeIdentity self("pc1", 100, "me");
        self.running = {200};
        if (row.lockFile) dir.write("deck.~LK", *row.lockFile);
        DeckLock lock(files, self);
        LockAttempt attempt = lock.acquire(dir.file("deck.~LK"));
        EXPECT_EQ(attempt.result, row.expected);
        EXPECT_EQ(attempt.holder, row.holder);
        EXPECT_EQ(lock.held(), row.expected == LockResult::Taken);
        EXPECT_EQ(dir.read("deck.~LK"),
                  row.expected == LockResult::Taken ? mine : row.lockFile.value_or(""));
        lock.release();
        EXPECT_EQ(dir.exists("deck.~LK"), row.expected == LockResult::Refused);
    }
}

TEST(DeckLock, ReleaseRemovesTheLockFileOnlyWhileItIsStillOurs) {
    TempDir dir;
    LocalFileSystem files;
    FakeIdentity self("pc1", 100, "me");
    {
        DeckLock lock(files, self);
        ASSERT_EQ(lock.acquire(dir.file("deck.~LK")).result, LockResult::Taken);
        // Another program took it over meanwhile (our lock file was removed by hand).
        dir.write("deck.~LK", "Cardwise deck lock\npc2\n555\nalice\n");
        lock.release();
        EXPECT_FALSE(lock.held());
        EXPECT_EQ(dir.read("deck.~LK"), "Cardwise deck lock\npc2\n555\nalice\n");
    }
    std::filesystem::remove(dir.file("deck.~LK"));
    {
        DeckLock lock(files, self);
        ASSERT_EQ(lock.acquire(dir.file("deck.~LK")).result, LockResult::Taken);
    }  // the lock ends with its owner
    EXPECT_FALSE(dir.exists("deck.~LK"));
}

TEST(DeckLock, OneProcessOpeningTheDeckTwiceIsNotLockedOut) {
    TempDir dir;
    LocalFileSystem files;
    FakeIdentity self("pc1", 100, "me");
    DeckLock first(files, self);
    DeckLock second(files, self);
    EXPECT_EQ(first.acquire(dir.file("a.~LK")).result, LockResult::Taken);
    EXPECT_EQ(first.acquire(dir.file("a.~LK")).result, LockResult::Taken);
    EXPECT_EQ(second.acquire(dir.file("a.~LK")).result, LockResult::Taken);
    // Taking another deck's lock gives up the first.
    EXPECT_EQ(first.acquire(dir.file("b.~LK")).result, LockResult::Taken);
    EXPECT_EQ(first.path(), dir.file("b.~LK"));
    EXPECT_FALSE(dir.exists("a.~LK"));
    EXPECT_TRUE(dir.exists("b.~LK"));
}

TEST(DeckLock, AFileSystemWithoutExclusiveCreationLocksNothing) {
    struct NoLocks : LocalFileSystem {
        NewFile createNewFile(const std::string&, std::string_view) override {
            return NewFile::Failed;
        }
    } files;
    FakeIdentity self("pc1", 100, "me");
    DeckLock lock(files, self);
    EXPECT_EQ(lock.acquire("/tmp/none.~LK").result, LockResult::Unavailable);
    EXPECT_FALSE(lock.held());
}

// A Program over the real file system whose process is a fake one.
struct LockedDeckHarness {
    testing::ScriptedUserInterface ui;
    testing::FixedClock clock;
    testing::SeededRandom random;
    LocalFileSystem files;
    testing::RecordedServices services;
    testing::RecordingFrontEnd frontEnd;
    FakeIdentity self{"pc1", 100, "me"};
    TempDir decks;
    TempDir programFolder;
    Program program{withIdentity(services.platform(ui, clock, random, files))};

    Platform withIdentity(const Platform& p) {
        return Platform{.ui = p.ui,
                        .clock = p.clock,
                        .random = p.random,
                        .files = p.files,
                        .clipboard = p.clipboard,
                        .editor = p.editor,
                        .help = p.help,
                        .images = p.images,
                        .media = p.media,
                        .printer = p.printer,
                        .process = self};
    }
    LockedDeckHarness() {
        program.programDirectory = programFolder.path();
        programFolder.write(std::string(kPortableMarkerFileName), "");
        EXPECT_TRUE(locateAppSettings(program, std::nullopt));
        program.attachFrontEnd(frontEnd);
        self.running = {4242};
    }
    void open(const std::string& path) {
        program.deck.QAFileName = path;
        InitDKSFile(program);
    }
};

TEST(DeckLockAtOpen, ADeckHeldByAnotherProgramOpensReadOnlyAndSaysWhoHoldsIt) {
    LockedDeckHarness h;
    const std::string deck = h.decks.file("verbs.DKS");
    h.decks.write("verbs.DKS", testing::threePairDeck());
    const std::string theirs = "Cardwise deck lock\npc1\n4242\nalice\n";
    h.decks.write("verbs.~LK", theirs);
    h.ui.expectBox({"Deck In Use",
                    deck + " Is Open In Another Copy Of Cardwise (User alice, Process 4242 On Host "
                           "pc1).  It Was Opened Read-Only: Nothing You Change Will Be Saved.",
                    Icon::Warning, Buttons::Ok});
    h.open(deck);
    h.ui.checkAllShown();
    EXPECT_TRUE(h.program.shell.deckOpen);
    EXPECT_TRUE(h.program.deck.ReadOnlyDeck);
    EXPECT_EQ(h.program.deck.PairCount, 3);
    ASSERT_TRUE(FileExitQAClick(h.program));
    // Nothing of ours was written beside the deck, and their lock is theirs still.
    EXPECT_FALSE(h.decks.exists("verbs.DKD"));
    EXPECT_FALSE(h.decks.exists("verbs.~LS"));
    EXPECT_EQ(h.decks.read("verbs.~LK"), theirs);
}

TEST(DeckLockAtOpen, AnOpenDeckHoldsItsLockUntilItIsClosedAndReopensAsOurs) {
    LockedDeckHarness h;
    const std::string deck = h.decks.file("verbs.DKS");
    h.decks.write("verbs.DKS", testing::threePairDeck());
    // Left by a copy of the program that ended without closing the deck.
    h.decks.write("verbs.~LK", "Cardwise deck lock\npc1\n777\nme\n");
    h.open(deck);
    EXPECT_FALSE(h.program.deck.ReadOnlyDeck);
    EXPECT_EQ(h.decks.read("verbs.~LK"), "Cardwise deck lock\npc1\n100\nme\n");
    // The editor's reload closes and opens the deck again in this process.
    ASSERT_TRUE(FileExitQAClick(h.program));
    EXPECT_FALSE(h.decks.exists("verbs.~LK"));
    h.open(deck);
    EXPECT_FALSE(h.program.deck.ReadOnlyDeck);
    EXPECT_TRUE(h.decks.exists("verbs.~LK"));
    ASSERT_TRUE(FileExitQAClick(h.program));
    EXPECT_FALSE(h.decks.exists("verbs.~LK"));
}

TEST(DeckLockAtOpen, AnInterruptedSaveIsFinishedBeforeTheDeckIsRead) {
    LockedDeckHarness h;
    const std::string deck = h.decks.file("verbs.DKS");
    h.decks.write("verbs.DKS", testing::threePairDeck());
    h.open(deck);
    ASSERT_TRUE(FileExitQAClick(h.program));
    // A save killed after the new files were made and recorded, before either was renamed.
    const std::string newPairs = testing::crlf(
        {"[Cardwise]", "Q1=one", "A1=uno", "Q2=two", "A2=dos", "Q3=three", "A3=drei"});
    h.decks.write(".verbs.DKS.new-abcdefgh", newPairs);
    struct stat st {};
    ASSERT_EQ(::stat(h.decks.file(".verbs.DKS.new-abcdefgh").c_str(), &st), 0);
    const std::string settings = h.decks.read("verbs.DKD");
    h.decks.write(".verbs.DKD.new-abcdefgh", settings);
    struct stat setupSt {};
    ASSERT_EQ(::stat(h.decks.file(".verbs.DKD.new-abcdefgh").c_str(), &setupSt), 0);
    h.decks.write(".verbs.DKD.commit",
                  "Cardwise commit record\nfile=verbs.DKD\nnew=.verbs.DKD.new-abcdefgh\ninode=" +
                      std::to_string(setupSt.st_ino) + "\nsize=" + std::to_string(setupSt.st_size) +
                      "\nold=-\nfile=verbs.DKS\nnew=.verbs.DKS.new-abcdefgh\ninode=" +
                      std::to_string(st.st_ino) + "\nsize=" + std::to_string(st.st_size) +
                      "\nold=*\nend\n");
    h.open(deck);
    EXPECT_EQ(h.decks.read("verbs.DKS"), newPairs);
    EXPECT_EQ(h.program.deck.currentText(3), "Q3=three$#$!A3=drei");
    EXPECT_FALSE(h.decks.exists(".verbs.DKD.commit"));
    EXPECT_FALSE(h.decks.exists(".verbs.DKS.new-abcdefgh"));
}

TEST(DiskStamps, AFileChangedOnDiskSinceTheLoadIsToldApartFromTheOther) {
    LockedDeckHarness h;
    const std::string deck = h.decks.file("verbs.DKS");
    h.decks.write("verbs.DKS", testing::threePairDeck());
    h.open(deck);
    EXPECT_FALSE(changedOnDisk(h.program, DeckFile::QA));
    EXPECT_FALSE(changedOnDisk(h.program, DeckFile::Setup));
    // A text editor saves the Q&A file in place.
    h.decks.write("verbs.DKS", testing::threePairDeck() + "\r\n");
    EXPECT_TRUE(changedOnDisk(h.program, DeckFile::QA));
    EXPECT_FALSE(changedOnDisk(h.program, DeckFile::Setup));
    std::filesystem::remove(h.decks.file("verbs.DKD"));
    EXPECT_TRUE(changedOnDisk(h.program, DeckFile::Setup));
    // As a save or a reread takes them.
    recordQAStamp(h.program);
    h.program.setupFile.reload();
    EXPECT_FALSE(changedOnDisk(h.program, DeckFile::QA));
    EXPECT_FALSE(changedOnDisk(h.program, DeckFile::Setup));
}

}  // namespace
}  // namespace cardwise
