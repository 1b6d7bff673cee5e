#include "model/file_transaction.h"

#include <errno.h>

#include <algorithm>
#include <optional>
#include <set>
#include <system_error>

#include "model/disk.h"
#include "model/text_codec.h"

namespace vargo {
namespace {

constexpr const char* kJournalTitle = "VARGO journal 1";
constexpr const char* kCommit = "commit";
constexpr const char* kRollback = "rollback";
constexpr const char* kEnd = "end";

std::filesystem::path withSuffix(const std::filesystem::path& folder, const std::string& file,
                                 const char* suffix) {
    return folder / (file + suffix);
}

bool present(const std::filesystem::path& p) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(p, ec));
}

bool endsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Only plain names of this folder: a journal never sends a rename anywhere else.
bool plainFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos && name.find('\0') == std::string::npos;
}

struct Journal {
    bool commit = false;
    std::vector<std::pair<std::string, bool>> files;  // name, existed before
};

std::optional<Journal> readJournal(const std::filesystem::path& path) {
    auto bytes = readBytes(path);
    if (!bytes) {
        return std::nullopt;
    }
    std::vector<std::string> lines = splitLines(*bytes);
    if (lines.size() < 3 || lines[0] != kJournalTitle || lines.back() != kEnd) {
        return std::nullopt;
    }
    Journal j;
    if (lines[1] == kCommit) {
        j.commit = true;
    } else if (lines[1] != kRollback) {
        return std::nullopt;
    }
    for (size_t i = 2; i + 1 < lines.size(); ++i) {
        const std::string& l = lines[i];
        if (l.size() < 3 || (l[0] != '0' && l[0] != '1') || l[1] != ' ' || !plainFileName(l.substr(2))) {
            return std::nullopt;
        }
        j.files.emplace_back(l.substr(2), l[0] == '1');
    }
    return j;
}

std::string journalText(const char* state, const std::vector<std::pair<std::string, bool>>& files) {
    std::string s = std::string(kJournalTitle) + "\n" + state + "\n";
    for (const auto& [name, existed] : files) {
        s += (existed ? "1 " : "0 ") + name + "\n";
    }
    return s + kEnd + "\n";
}

// Carries out what a journal says. True when the folder is plain again (journal gone).
bool actOn(const std::filesystem::path& folder, const std::filesystem::path& journalPath, const Journal& j,
           std::string* why) {
    Disk& d = disk();
    auto fail = [&](const std::filesystem::path& p) {
        if (why) {
            *why = p.filename().string() + ": " + systemErrorText(errno);
        }
        return false;
    };
    for (const auto& [file, existed] : j.files) {
        const auto target = folder / file;
        const auto fresh = withSuffix(folder, file, kNewSuffix);
        const auto old = withSuffix(folder, file, kOldSuffix);
        if (j.commit) {
            if (present(fresh) && d.rename(fresh, target) != 0) {
                return fail(target);
            }
        } else if (existed) {
            if (present(old) && d.rename(old, target) != 0) {
                return fail(target);
            }
        } else if (d.unlink(target) != 0 && errno != ENOENT) {
            return fail(target);
        }
    }
    if (d.syncFolder(folder) != 0) {
        return fail(folder);
    }
    if (d.unlink(journalPath) != 0 && errno != ENOENT) {
        return fail(journalPath);
    }
    // From here the folder is plain: what is left over is removed as a stray at the latest on
    // the next recovery.
    for (const auto& [file, existed] : j.files) {
        d.unlink(withSuffix(folder, file, kNewSuffix));
        d.unlink(withSuffix(folder, file, kOldSuffix));
    }
    d.syncFolder(folder);
    return true;
}

std::vector<std::filesystem::path> folderEntries(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> out;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder, ec)) {
        out.push_back(e.path());
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::string setName(const std::filesystem::path& journal) {
    std::string n = journal.filename().string();
    return n.substr(0, n.size() - std::string(kJournalSuffix).size());
}

bool isLeftover(const std::string& name) {
    return endsWith(name, kNewSuffix) || endsWith(name, kOldSuffix) || endsWith(name, kTempSuffix);
}

}  // namespace

FileTransaction::FileTransaction(std::filesystem::path f, std::string n)
    : folder(std::move(f)), name(std::move(n)) {}

void FileTransaction::put(const std::string& fileName, std::string bytes) {
    entries.push_back(Entry{fileName, std::move(bytes), false});
}

bool FileTransaction::prepare(std::string* error) {
    Disk& d = disk();
    for (auto& e : entries) {
        int why = 0;
        if (!writeNewFile(withSuffix(folder, e.fileName, kNewSuffix), e.bytes, &why)) {
            *error = e.fileName + ": " + systemErrorText(why);
            return false;
        }
    }
    for (auto& e : entries) {
        const auto target = folder / e.fileName;
        const auto old = withSuffix(folder, e.fileName, kOldSuffix);
        if (d.unlink(old) != 0 && errno != ENOENT) {
            *error = e.fileName + ": " + systemErrorText(errno);
            return false;
        }
        if (d.link(target, old) == 0) {
            e.existed = true;
            continue;
        }
        if (errno == ENOENT) {
            e.existed = false;
            continue;
        }
        // A folder that cannot hold two names for one file gets a copy instead.
        auto bytes = readBytes(target);
        int why = errno;
        if (!bytes || !writeNewFile(old, *bytes, &why)) {
            *error = e.fileName + ": " + systemErrorText(why);
            return false;
        }
        e.existed = true;
    }
    return true;
}

bool FileTransaction::writeJournal(const char* state, std::string* error) {
    std::vector<std::pair<std::string, bool>> files;
    for (const auto& e : entries) {
        files.emplace_back(e.fileName, e.existed);
    }
    return writeFileAtomic(folder / (name + kJournalSuffix), journalText(state, files), error);
}

void FileTransaction::discardPrepared() {
    Disk& d = disk();
    for (const auto& e : entries) {
        d.unlink(withSuffix(folder, e.fileName, kNewSuffix));
        d.unlink(withSuffix(folder, e.fileName, kOldSuffix));
    }
}

bool FileTransaction::commit(std::string* error) {
    std::string why;
    if (!prepare(&why)) {
        discardPrepared();
        *error = why;
        return false;
    }
    const auto journal = folder / (name + kJournalSuffix);
    if (!writeJournal(kCommit, &why)) {
        discardPrepared();
        *error = why;
        return false;
    }
    Disk& d = disk();
    for (const auto& e : entries) {
        if (d.rename(withSuffix(folder, e.fileName, kNewSuffix), folder / e.fileName) == 0) {
            continue;
        }
        *error = e.fileName + ": " + systemErrorText(errno);
        // Turn the journal round before touching anything, so that a stop in the middle of
        // putting the old files back is finished the same way on the next start.
        const bool turned = writeJournal(kRollback, nullptr);
        auto j = readJournal(journal);
        std::string recoveryWhy;
        if (j && actOn(folder, journal, *j, &recoveryWhy)) {
            if (!turned) {
                return true;  // the journal still said commit, and the new set is now complete
            }
            return false;
        }
        *error += turned ? "\n次回の起動時に元のデータに戻します" : "\n次回の起動時に書き込みを完了します";
        return false;
    }
    d.syncFolder(folder);
    d.unlink(journal);
    for (const auto& e : entries) {
        d.unlink(withSuffix(folder, e.fileName, kOldSuffix));
    }
    d.syncFolder(folder);
    return true;
}

RecoveryReport recoverTransactions(const std::filesystem::path& folder) {
    RecoveryReport report;
    std::set<std::string> keep;
    bool unreadableJournal = false;
    for (const auto& p : folderEntries(folder)) {
        const std::string file = p.filename().string();
        if (!endsWith(file, kJournalSuffix)) {
            continue;
        }
        auto j = readJournal(p);
        if (!j) {
            unreadableJournal = true;
            report.problems.push_back(file + ": 書き込みの記録が読めません");
            continue;
        }
        std::string why;
        if (actOn(folder, p, *j, &why)) {
            (j->commit ? report.finished : report.undone).push_back(setName(p));
        } else {
            report.problems.push_back(setName(p) + ": " + why);
            for (const auto& f : j->files) {
                keep.insert(f.first);
            }
        }
    }
    if (unreadableJournal) {
        return report;  // without knowing which files it meant, nothing is removed
    }
    for (const auto& p : folderEntries(folder)) {
        const std::string file = p.filename().string();
        if (!isLeftover(file)) {
            continue;
        }
        std::string base = file.substr(0, file.rfind(".vargo-"));
        if (keep.count(base) == 0) {
            disk().unlink(p);
        }
    }
    return report;
}

std::vector<std::string> pendingTransactions(const std::filesystem::path& folder) {
    std::vector<std::string> out;
    for (const auto& p : folderEntries(folder)) {
        const std::string file = p.filename().string();
        if (endsWith(file, kJournalSuffix)) {
            auto j = readJournal(p);
            if (!j) {
                out.push_back(file + ": 書き込みの記録が読めません");
            } else {
                out.push_back(file + ": 中断された書き込みがあります（次の起動時に" +
                              (j->commit ? std::string("完了します") : std::string("元に戻します")) + "）");
            }
        } else if (isLeftover(file)) {
            out.push_back(file + ": 中断された書き込みの一時ファイルが残っています");
        }
    }
    return out;
}

}  // namespace vargo
