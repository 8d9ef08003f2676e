#include "app/RecoveryFiles.h"

#include <cstdio>
#include <limits>

namespace pw {

namespace {

constexpr std::string_view kStemPrefix = "card-";
constexpr std::size_t kRandomDigits = 16;
constexpr std::string_view kInfoHeader = "popwright recovery 1";
constexpr std::string_view kLockHeader = "popwright lock 1";
// Both texts are a few lines; anything far longer is not one of ours.
constexpr std::size_t kMaxTextSize = 64 * 1024;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLowerHex(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f'); }

bool IsStem(std::string_view s) {
    if (s.substr(0, kStemPrefix.size()) != kStemPrefix) return false;
    s.remove_prefix(kStemPrefix.size());
    const auto dash = s.find('-');
    if (dash == std::string_view::npos || dash == 0 || dash > 10) return false;
    for (std::size_t i = 0; i < dash; ++i)
        if (!IsDigit(s[i])) return false;
    const std::string_view random = s.substr(dash + 1);
    if (random.size() != kRandomDigits) return false;
    for (char c : random)
        if (!IsLowerHex(c)) return false;
    return true;
}

bool EndsWith(std::string_view s, std::string_view end) {
    return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

// The stem and kind of a name "<stem><extension>".
std::optional<RecoveryFileName> ParsePlainName(std::string_view name) {
    static const struct {
        std::string_view extension;
        RecoveryFileKind kind;
    } kExtensions[] = {
        {".kpf", RecoveryFileKind::Copy}, {".info", RecoveryFileKind::Info}, {".lock", RecoveryFileKind::Lock}};
    for (const auto& e : kExtensions) {
        if (!EndsWith(name, e.extension)) continue;
        const std::string_view stem = name.substr(0, name.size() - e.extension.size());
        if (IsStem(stem)) return RecoveryFileName{std::string(stem), e.kind};
    }
    return std::nullopt;
}

// Unsigned decimal without sign or blanks, within `max`.
bool ParseUnsigned(std::string_view s, std::uint64_t max, std::uint64_t& out) {
    if (s.empty() || s.size() > 20) return false;
    std::uint64_t value = 0;
    for (char c : s) {
        if (!IsDigit(c)) return false;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (max - digit) / 10) return false;
        value = value * 10 + digit;
    }
    out = value;
    return true;
}

// A value written with the three escapes the info text uses: the backslash,
// the line feed and the carriage return.
std::string Escape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            default: out += c; break;
        }
    }
    return out;
}

bool Unescape(std::string_view s, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '\0' || c == '\r') return false;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i == s.size()) return false;
        switch (s[i]) {
            case '\\': out += '\\'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            default: return false;
        }
    }
    return true;
}

// Splits a text of "key value" lines after its header line. Calls `field`
// for each line; false from it, a missing header or a line without a blank
// ends the parse with false.
template <typename Field>
bool ForEachField(std::string_view text, std::string_view header, Field field) {
    if (text.size() > kMaxTextSize) return false;
    bool first = true;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (first) {
            if (line != header) return false;
            first = false;
            continue;
        }
        const auto blank = line.find(' ');
        if (blank == std::string_view::npos || blank == 0) return false;
        if (!field(line.substr(0, blank), line.substr(blank + 1))) return false;
    }
    return !first;
}

}  // namespace

std::string MakeRecoveryStem(long pid, std::uint64_t random) {
    char hex[kRandomDigits + 1];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(random));
    return std::string(kStemPrefix) + std::to_string(pid < 0 ? 0 : pid) + "-" + hex;
}

std::optional<RecoveryFileName> ParseRecoveryFileName(std::string_view name) {
    if (name.empty() || name.size() > 255) return std::nullopt;
    if (name[0] != '.') return ParsePlainName(name);
    // A temporary file: ".<stem><extension>.tmp<digits>".
    const auto tmp = name.rfind(".tmp");
    if (tmp == std::string_view::npos || tmp + 4 == name.size()) return std::nullopt;
    for (std::size_t i = tmp + 4; i < name.size(); ++i)
        if (!IsDigit(name[i])) return std::nullopt;
    auto plain = ParsePlainName(name.substr(1, tmp - 1));
    if (!plain) return std::nullopt;
    plain->kind = RecoveryFileKind::Temporary;
    return plain;
}

std::string RecoveryCopyName(const std::string& stem) { return stem + ".kpf"; }
std::string RecoveryInfoName(const std::string& stem) { return stem + ".info"; }
std::string RecoveryLockName(const std::string& stem) { return stem + ".lock"; }

std::string FormatRecoveryInfo(const RecoveryInfo& info) {
    std::string out(kInfoHeader);
    out += '\n';
    if (!info.cardPath.empty()) out += "file " + Escape(info.cardPath) + "\n";
    out += "title " + Escape(info.title) + "\n";
    out += "changed " + std::to_string(info.changedMs < 0 ? 0 : info.changedMs) + "\n";
    return out;
}

std::optional<RecoveryInfo> ParseRecoveryInfo(std::string_view text) {
    RecoveryInfo info;
    bool haveFile = false, haveTitle = false, haveChanged = false;
    const bool ok = ForEachField(text, kInfoHeader, [&](std::string_view key, std::string_view value) {
        if (key == "file") {
            if (haveFile || !Unescape(value, info.cardPath) || info.cardPath.empty()) return false;
            haveFile = true;
        } else if (key == "title") {
            if (haveTitle || !Unescape(value, info.title)) return false;
            haveTitle = true;
        } else if (key == "changed") {
            std::uint64_t ms = 0;
            if (haveChanged ||
                !ParseUnsigned(value, static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()), ms))
                return false;
            info.changedMs = static_cast<std::int64_t>(ms);
            haveChanged = true;
        }
        // Other keys belong to later versions and are passed over.
        return true;
    });
    if (!ok || !haveChanged) return std::nullopt;
    return info;
}

std::string FormatRecoveryLock(const RecoveryLock& lock) {
    std::string out(kLockHeader);
    out += "\npid " + std::to_string(lock.pid) + "\nstarted " + std::to_string(lock.startTicks) + "\nboot " +
           (lock.bootId.empty() ? std::string("unknown") : lock.bootId) + "\n";
    return out;
}

std::optional<RecoveryLock> ParseRecoveryLock(std::string_view text) {
    RecoveryLock lock;
    bool havePid = false, haveStart = false, haveBoot = false;
    const bool ok = ForEachField(text, kLockHeader, [&](std::string_view key, std::string_view value) {
        if (key == "pid") {
            std::uint64_t pid = 0;
            if (havePid || !ParseUnsigned(value, static_cast<std::uint64_t>(std::numeric_limits<int>::max()), pid) ||
                pid == 0)
                return false;
            lock.pid = static_cast<long>(pid);
            havePid = true;
        } else if (key == "started") {
            if (haveStart || !ParseUnsigned(value, std::numeric_limits<std::uint64_t>::max(), lock.startTicks))
                return false;
            haveStart = true;
        } else if (key == "boot") {
            if (haveBoot || value.empty() || value.size() > 64) return false;
            for (char c : value)
                if (!(IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-')) return false;
            lock.bootId = value == "unknown" ? std::string() : std::string(value);
            haveBoot = true;
        }
        return true;
    });
    if (!ok || !havePid || !haveStart || !haveBoot) return std::nullopt;
    return lock;
}

RecoveryEntryState ClassifyRecoveryEntry(const RecoveryEntry& entry,
                                         const std::function<bool(const RecoveryLock&)>& ownerRunning) {
    if (entry.lockPresent && entry.lock && ownerRunning(*entry.lock)) return RecoveryEntryState::Owned;
    return entry.hasCopy ? RecoveryEntryState::Orphaned : RecoveryEntryState::Leftover;
}

}  // namespace pw
