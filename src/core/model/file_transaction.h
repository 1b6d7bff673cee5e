#pragma once
// Several files of one folder replaced as one: a saved game's three files, the registry's two.
// After commit() every file holds its new text or every file holds its old text. A failure on the
// way is undone at once; a game killed on the way is finished or undone by recoverTransactions()
// at the next start, whichever the journal on disk says.
//
// The steps: each new text goes to "<file>.vargo-new"; each file that exists gets a second name
// "<file>.vargo-old"; then the journal "<name>.vargo-journal" lists the files. The journal
// reaching the disk is the moment the new set counts: before it, the old files stand untouched;
// after it, recovery renames whatever new file is still waiting. Should a rename fail, the journal
// is turned to "rollback" first and every old file is put back under its name.

#include <filesystem>
#include <string>
#include <vector>

namespace vargo {

class FileTransaction {
public:
    /// Files live in `folder`; `name` names the journal ("Save3", "Registry") and the set in
    /// messages.
    FileTransaction(std::filesystem::path folder, std::string name);

    /// The new content of one file of the folder (a plain file name, no folders).
    void put(const std::string& fileName, std::string bytes);

    /// Writes the set. False after a failure, with every file as it was before and *error
    /// saying what failed in the player's language.
    bool commit(std::string* error);

private:
    struct Entry {
        std::string fileName;
        std::string bytes;
        bool existed = false;
    };
    bool prepare(std::string* error);
    bool writeJournal(const char* state, std::string* error);
    void discardPrepared();

    std::filesystem::path folder;
    std::string name;
    std::vector<Entry> entries;
};

/// What recovery did or found in one folder.
struct RecoveryReport {
    std::vector<std::string> finished; /**< sets whose interrupted write was completed */
    std::vector<std::string> undone;   /**< sets put back as they were before the write */
    std::vector<std::string> problems; /**< journals that could not be acted on, and why */
};

/// Finishes or undoes every interrupted transaction in `folder` and removes files that a write
/// left behind before its journal was written. Safe to run any number of times.
RecoveryReport recoverTransactions(const std::filesystem::path& folder);

/// What recoverTransactions would find, changing nothing: one line per journal or leftover file.
std::vector<std::string> pendingTransactions(const std::filesystem::path& folder);

/// The suffixes of the files a transaction writes beside its targets.
inline constexpr const char* kNewSuffix = ".vargo-new";
inline constexpr const char* kOldSuffix = ".vargo-old";
inline constexpr const char* kJournalSuffix = ".vargo-journal";

}  // namespace vargo
