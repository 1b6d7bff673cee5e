#include "persistence/registry_format.h"

#include <cstdio>

#include "model/field_reader.h"

namespace vargo {
namespace {

std::string wholeLine(const std::vector<std::string>& lines, size_t index) {
    if (index >= lines.size()) {
        throw FieldError(static_cast<int>(lines.size()),
                         "ファイルが途中で終わっています（項目が足りません）");
    }
    if (isHeader(lines[index])) {
        throw FieldError(static_cast<int>(index) + 1,
                         "項目が足りません（名前のある行が「.」で始まる見出しになっています）");
    }
    return lines[index];
}

void readValues(FieldReader& in, EnemyRecord& r) {
    r.ownerID = in.integer();
    r.pow = in.integer();
    r.offence = in.integer();
    r.defence = in.integer();
    r.move = in.integer();
    r.jump = in.integer();
    r.spin = in.integer();
    r.AC = in.real();
    r.AP = in.integer();
    r.Memory = in.integer();
    r.motorID = in.integer();
    r.frameID = in.integer();
    for (auto& b : r.boosterIDs) {
        b = in.integer();
    }
    for (auto& p : r.protectorIDs) {
        p = in.integer();
    }
    r.hardID = in.integer();
    r.softMID = in.integer();
    r.softAID = in.integer();
    r.softDID = in.integer();
    r.junkParts = in.integer();
    r.constant = in.integer();
    r.value = in.integer();
    r.weight = in.real();
}

}  // namespace

std::string formatReal(double x) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", x);
    return buf;
}

std::string registryNameLine(const std::string& name) {
    std::string s;
    for (char c : name) {
        s += (c == '\r' || c == '\n') ? ' ' : c;
    }
    if (!s.empty() && s[0] == '.') {
        s = "．" + s.substr(1);
    }
    return s;
}

std::vector<RegistrySpan> indexRegistry(const std::vector<std::string>& lines) {
    std::vector<RegistrySpan> out;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!isHeader(lines[i])) {
            continue;
        }
        if (!out.empty()) {
            out.back().end = i;
        }
        out.push_back(RegistrySpan{headerId(lines[i]), i, lines.size()});
    }
    return out;
}

std::vector<RegistrySpan> enemyDollRecords(const std::vector<std::string>& lines) {
    std::vector<RegistrySpan> out;
    std::array<bool, kLastEnemyNumber + 1> seen{};
    for (const auto& span : indexRegistry(lines)) {
        if (span.number < kFirstEnemyNumber || span.number > kLastEnemyNumber ||
            seen[static_cast<size_t>(span.number)]) {
            continue;
        }
        seen[static_cast<size_t>(span.number)] = true;
        out.push_back(span);
    }
    return out;
}

EnemyRecord readEnemyRecordValues(const std::vector<std::string>& lines, size_t header) {
    EnemyRecord r;
    r.number = headerId(lines.at(header));
    r.name = wholeLine(lines, header + 1);
    FieldReader in(lines, header + 2);
    readValues(in, r);
    return r;
}

EnemyRecord readEnemyRecord(const std::vector<std::string>& lines, size_t header) {
    EnemyRecord r;
    r.number = headerId(lines.at(header));
    r.name = wholeLine(lines, header + 1);
    FieldReader in(lines, header + 2);
    readValues(in, r);
    r.image = in.text();
    return r;
}

Int16 readPatternOwner(const std::vector<std::string>& lines, size_t header) {
    FieldReader in(lines, header + 1);
    return in.integer();
}

EnemyPatternBlock readPatternBlock(const std::vector<std::string>& lines, size_t header, int firstActions) {
    EnemyPatternBlock b;
    b.sequence = headerId(lines.at(header));
    b.dollID = readPatternOwner(lines, header);
    b.name = wholeLine(lines, header + 2);
    FieldReader in(lines, header + 3);
    b.AP = in.integer();
    b.Memory = in.integer();
    for (int i = 0; i < firstActions && i < Logic::kSteps; ++i) {
        b.actions[static_cast<size_t>(i)] = in.integer();
    }
    return b;
}

std::vector<std::string> enemyRecordLines(const EnemyRecord& r) {
    return {
        "." + std::to_string(r.number),
        registryNameLine(r.name),
        joinNumbers({r.ownerID, r.pow, r.offence, r.defence}),
        joinNumbers({r.move, r.jump, r.spin}),
        formatReal(r.AC) + "," + joinNumbers({r.AP, r.Memory}),
        joinNumbers({r.motorID, r.frameID}),
        joinNumbers({r.boosterIDs[0], r.boosterIDs[1], r.boosterIDs[2]}),
        joinNumbers({r.protectorIDs[0], r.protectorIDs[1], r.protectorIDs[2]}),
        joinNumbers({r.hardID, r.softMID, r.softAID, r.softDID}),
        joinNumbers({r.junkParts, r.constant, r.value}) + "," + formatReal(r.weight),
        "\"" + r.image + "\"",
    };
}

std::vector<std::string> enemyRecordLines(int number, const doll& d) {
    EnemyRecord r;
    r.number = number;
    r.name = d.name;
    r.ownerID = d.ownerID;
    r.pow = d.pow;
    r.offence = d.offence;
    r.defence = d.defence;
    r.move = d.move;
    r.jump = d.jump;
    r.spin = d.spin;
    r.AC = d.AC;
    r.AP = d.AP;
    r.Memory = d.Memory;
    r.motorID = d.Motor->ID;
    r.frameID = d.frame->ID;
    for (int i = 0; i < 3; ++i) {
        r.boosterIDs[static_cast<size_t>(i)] = d.getBoost(i + 1)->ID;
        r.protectorIDs[static_cast<size_t>(i)] = d.getProtector(i + 1)->ID;
    }
    r.hardID = d.Hard->ID;
    r.softMID = d.getSoftM(0)->ID;
    r.softAID = d.getSoftA(0)->ID;
    r.softDID = d.getSoftD(0)->ID;
    r.junkParts = d.junkParts;
    r.value = d.value;
    r.weight = d.weight;
    r.image = d.image;
    return enemyRecordLines(r);
}

std::vector<std::string> patternBlockLines(int sequence, int dollID, const Logic& l) {
    std::string actions;
    for (int i = 0; i < Logic::kSteps; ++i) {
        ActionPtr a = l.getActions(i);
        actions += std::to_string(a ? a->ID : 0) + ",";
    }
    actions += "0";
    return {
        "." + std::to_string(sequence),
        std::to_string(dollID),
        registryNameLine(l.name),
        joinNumbers({l.AP, l.Memory}),
        actions,
    };
}

}  // namespace vargo
