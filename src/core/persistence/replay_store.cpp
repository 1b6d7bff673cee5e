#include "persistence/replay_store.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <memory>

#include "battle/fight_report_view.h"
#include "model/disk.h"
#include "model/text_codec.h"
#include "ports/prompts.h"

namespace vargo {

namespace fs = std::filesystem;

namespace {

constexpr const char* kFolderName = "replay";
constexpr const char* kAutoPrefix = "auto-";
constexpr const char* kKeptPrefix = "kept-";
constexpr const char* kSuffix = ".rpl";

bool startsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

bool endsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool allDigits(const std::string& s) {
    return !s.empty() && s.size() <= 12 &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The serial number of an automatic replay's file name, or -1 for any other name.
long long autoSerial(const std::string& name) {
    if (!startsWith(name, kAutoPrefix) || !endsWith(name, kSuffix)) {
        return -1;
    }
    const std::string digits = name.substr(5, name.size() - 5 - 4);
    return allDigits(digits) ? std::stoll(digits) : -1;
}

std::string serialText(long long serial) {
    std::string digits = std::to_string(serial);
    if (digits.size() < 6) {
        digits.insert(0, 6 - digits.size(), '0');
    }
    return digits;
}

std::string autoName(long long serial) {
    return kAutoPrefix + serialText(serial) + kSuffix;
}

// A kept replay's file carries the serial it was recorded under, so that it keeps its place in
// the list: "kept-000123-決勝.rpl".
std::string keptName(long long serial, const std::string& name) {
    return kKeptPrefix + serialText(serial) + "-" + name + kSuffix;
}

// The serial of an automatic or kept replay's file name; -1 for any other name.
long long fileSerial(const std::string& name) {
    if (startsWith(name, kAutoPrefix)) {
        return autoSerial(name);
    }
    const size_t dash = name.find('-', 5);
    if (!startsWith(name, kKeptPrefix) || !endsWith(name, kSuffix) || dash == std::string::npos) {
        return -1;
    }
    const std::string digits = name.substr(5, dash - 5);
    return allDigits(digits) ? std::stoll(digits) : -1;
}

// The name part of a kept replay's file name; empty for any other name.
std::string keptPart(const std::string& name) {
    const size_t dash = name.find('-', 5);
    if (fileSerial(name) < 0 || !startsWith(name, kKeptPrefix)) {
        return {};
    }
    return name.substr(dash + 1, name.size() - dash - 1 - 4);
}

std::vector<std::string> fileNames(const fs::path& dir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError)) {
            names.push_back(it->path().filename().string());
        }
    }
    return names;
}

size_t utf8Length(const std::string& s) {
    return static_cast<size_t>(std::count_if(
        s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string fileProblem(const std::string& shown, const std::string& what) {
    return shown + ": " + what;
}

}  // namespace

std::string ReplayEntry::shownPath() const {
    return std::string(kFolderName) + "/" + file;
}

std::string ReplayEntry::modeText() const {
    std::string s = replayModeName(mode);
    if (mode == FightMode::Tornament) {
        s += std::string(" ") + dollClassName(tournamentClass) + " " +
             boutLabel(static_cast<size_t>(std::max(0, stage - 1)), true);
    }
    return s;
}

ReplayStore::ReplayStore(const GameFolder& f) : folder(f) {}

fs::path ReplayStore::folderPath() const {
    return folder.resolve(kFolderName);
}

bool ReplayStore::makeFolder(std::string* error) const {
    const fs::path dir = folderPath();
    std::error_code ec;
    if (fs::is_directory(dir, ec)) {
        return true;
    }
    if (disk().makeFolder(dir) != 0 && errno != EEXIST) {
        if (error) {
            *error = fileProblem(kFolderName, systemErrorText(errno));
        }
        return false;
    }
    return true;
}

bool ReplayStore::record(const Replay& r, std::string* error) {
    if (!makeFolder(error)) {
        return false;
    }
    long long serial = 0;
    for (const std::string& name : fileNames(folderPath())) {
        serial = std::max(serial, fileSerial(name));
    }
    const std::string name = autoName(serial + 1);
    std::string bytes;
    try {
        bytes = encodeLines(replayLines(r));
    } catch (const EncodingError&) {
        if (error) {
            *error = fileProblem(std::string(kFolderName) + "/" + name, "Shift_JIS で書けない文字があります");
        }
        return false;
    }
    std::string why;
    if (!writeFileAtomic(folderPath() / name, bytes, &why)) {
        if (error) {
            *error = why;
        }
        return false;
    }
    rotate();
    return true;
}

// The oldest automatic replays beyond the newest kAutomatic go; kept ones are not counted. A
// temporary file that an interrupted write left behind goes too.
void ReplayStore::rotate() const {
    std::vector<std::pair<long long, std::string>> autos;
    for (const std::string& name : fileNames(folderPath())) {
        if (const long long serial = autoSerial(name); serial >= 0) {
            autos.emplace_back(serial, name);
        } else if (endsWith(name, std::string(kSuffix) + kTempSuffix)) {
            disk().unlink(folderPath() / name);
        }
    }
    if (autos.size() <= static_cast<size_t>(kAutomatic)) {
        return;
    }
    std::sort(autos.begin(), autos.end());
    for (size_t i = 0; i + kAutomatic < autos.size(); ++i) {
        // A replay that cannot be removed now goes at a later rotation.
        disk().unlink(folderPath() / autos[i].second);
    }
}

std::vector<ReplayEntry> ReplayStore::list(std::vector<std::string>* problems) const {
    std::vector<ReplayEntry> out;
    std::vector<std::string> names = fileNames(folderPath());
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        if (!endsWith(name, kSuffix) || (!startsWith(name, kAutoPrefix) && !startsWith(name, kKeptPrefix))) {
            continue;
        }
        ReplayEntry e;
        e.file = name;
        std::string error;
        const std::optional<Replay> r = load(e, &error);
        if (!r) {
            if (problems) {
                problems->push_back(error);
            }
            continue;
        }
        e.recordedAt = r->recordedAt;
        e.gameDate = r->gameDate;
        e.mode = r->mode;
        e.tournamentClass = r->tournamentClass;
        e.stage = r->stage;
        e.player = r->dolls[0].name;
        e.opponent = r->dolls[1].name;
        e.result = replayResultName(*r);
        e.steps = r->steps;
        e.keptName = r->keptName;
        out.push_back(std::move(e));
    }
    // Newest first: by the time recorded, then by the automatic replays' order.
    std::stable_sort(out.begin(), out.end(), [](const ReplayEntry& a, const ReplayEntry& b) {
        if (a.recordedAt != b.recordedAt) {
            return a.recordedAt > b.recordedAt;
        }
        return fileSerial(a.file) > fileSerial(b.file);
    });
    return out;
}

std::optional<Replay> ReplayStore::load(const ReplayEntry& entry, std::string* error) const {
    // A file far larger than any replay is not read at all.
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(folderPath() / entry.file, ec);
    if (!ec && size > kMaxReplayBytes) {
        if (error) {
            *error = fileProblem(entry.shownPath(), "リプレイにしては大きすぎます");
        }
        return std::nullopt;
    }
    const std::optional<std::string> bytes = readBytes(folderPath() / entry.file);
    if (!bytes) {
        if (error) {
            *error = fileProblem(entry.shownPath(), "ファイルを読めません");
        }
        return std::nullopt;
    }
    ReplayRead read = readReplayBytes(*bytes, entry.shownPath());
    if (!read.replay && error) {
        *error = read.problem.message();
    }
    return std::move(read.replay);
}

std::string ReplayStore::nameProblem(const std::string& name) {
    if (name.empty()) {
        return "名前を入力してください。";
    }
    if (utf8Length(name) > static_cast<size_t>(kMaxNameLength)) {
        return "名前は" + std::to_string(kMaxNameLength) + "文字までです。";
    }
    // Characters no file system takes in a name, and control characters.
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f || std::string("\\/:*?\"<>|").find(c) != std::string::npos) {
            return "名前に \\ / : * ? \" < > | や制御文字は使えません。";
        }
    }
    if (name.front() == '.' || name.front() == ' ' || name.back() == '.' || name.back() == ' ') {
        return "名前の最初と最後に「.」や空白は使えません。";
    }
    if (!encodableInCp932(name)) {
        return "名前に Shift_JIS で書けない文字があります。";
    }
    return {};
}

bool ReplayStore::keep(const ReplayEntry& entry, const std::string& name, std::string* error) {
    auto say = [error](std::string text) {
        if (error) {
            *error = std::move(text);
        }
        return false;
    };
    if (std::string problem = nameProblem(name); !problem.empty()) {
        return say(problem);
    }
    const std::string target = keptName(std::max(0LL, fileSerial(entry.file)), name);
    if (target == entry.file) {
        return true;
    }
    for (const std::string& other : fileNames(folderPath())) {
        if (keptPart(other) == name) {
            return say("「" + name + "」という名前のリプレイはすでにあります。");
        }
    }
    std::optional<Replay> r = load(entry, error);
    if (!r) {
        return false;
    }
    r->keptName = name;
    std::string why;
    // The name passed the Shift_JIS test above, and everything else in the file was written once.
    if (!writeFileAtomic(folderPath() / target, encodeLines(replayLines(*r)), &why)) {
        return say(why);
    }
    // The replay now stands under its name; should the old file stay, it is rotated away later.
    disk().unlink(folderPath() / entry.file);
    return true;
}

std::string wallClockText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::array<char, 32> buf{};
    const size_t n = std::strftime(buf.data(), buf.size(), "%Y-%m-%d %H:%M:%S", &local);
    return std::string(buf.data(), n);
}

ReplayRecorder::Sink storeSink(ReplayStore& store, Prompts& prompts, const GameDate& date) {
    auto told = std::make_shared<bool>(false);
    return [&store, &prompts, &date, told](Replay&& r) {
        r.recordedAt = wallClockText();
        r.gameDate = date;
        std::string error;
        if (!store.record(r, &error) && !*told) {
            *told = true;
            prompts.msgBox("リプレイを保存できませんでした。試合はこのまま続きます。\n" + error);
        }
    };
}

}  // namespace vargo
