#include "cli/CliLanguage.h"

#include <algorithm>
#include <cstring>
#include <ostream>

namespace pw {
namespace {

// The stream's two slots that hold the language's entries of the table
// (first and past the last); their indexes are handed out once per process
// by the standard library.
int LanguageSlot(int which) {
    static const int first = std::ios_base::xalloc();
    static const int last = std::ios_base::xalloc();
    return which == 0 ? first : last;
}

struct Language {
    const CliTranslation* begin = nullptr;
    const CliTranslation* end = nullptr;
};

// "ja_JP.UTF-8@variant" -> "ja_JP".
std::string LocaleName(const std::string& value) {
    const std::size_t cut = value.find_first_of(".@");
    return cut == std::string::npos ? value : value.substr(0, cut);
}

bool IsEnglishOrC(const std::string& name) {
    return name.empty() || name == "C" || name == "POSIX" || name.compare(0, 2, "en") == 0;
}

// One piece of a text with %1..%9: literal text, then the number of the part
// that follows it (0 after the last piece).
struct Piece {
    std::string literal;
    int part = 0;
};

std::vector<Piece> Pieces(const std::string& pattern) {
    std::vector<Piece> pieces(1);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            pieces.back().part = pattern[i + 1] - '0';
            pieces.emplace_back();
            ++i;
        } else {
            pieces.back().literal += pattern[i];
        }
    }
    return pieces;
}

// Matches pieces[k..] against text[at..]; each part takes at least one
// character, tried shortest first.
bool MatchFrom(const std::vector<Piece>& pieces, std::size_t k, const std::string& text, std::size_t at,
               std::vector<std::string>& parts) {
    const Piece& piece = pieces[k];
    if (text.compare(at, piece.literal.size(), piece.literal) != 0) return false;
    at += piece.literal.size();
    if (piece.part == 0) return at == text.size();
    const std::string& next = pieces[k + 1].literal;
    const bool last = k + 2 == pieces.size();
    for (std::size_t end = at + 1; end <= text.size(); ++end) {
        if (last && next.empty()) end = text.size();
        else if (!next.empty()) {
            end = text.find(next, end);
            if (end == std::string::npos) return false;
        }
        parts[piece.part - 1] = text.substr(at, end - at);
        if (MatchFrom(pieces, k + 1, text, end, parts)) return true;
    }
    return false;
}

std::string Fill(const std::string& translation, const std::vector<std::string>& parts) {
    std::string out;
    for (std::size_t i = 0; i < translation.size(); ++i) {
        const char c = translation[i];
        if (c == '%' && i + 1 < translation.size() && translation[i + 1] >= '1' && translation[i + 1] <= '9') {
            out += parts[translation[i + 1] - '1'];
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

// Filled-in parts are translated one level deep ("2 cells" inside the
// closing check's sentence), so that a part never loops back on itself.
std::string Translate(const Language& language, const std::string& english, int depth) {
    for (const CliTranslation* e = language.begin; e != language.end; ++e)
        if (english == e->source) return e->translation;
    if (depth > 1) return english;
    std::vector<std::string> parts(9);
    for (const CliTranslation* e = language.begin; e != language.end; ++e) {
        if (!std::strchr(e->source, '%')) continue;
        if (!MatchFilledText(e->source, english, parts)) continue;
        for (std::string& part : parts)
            if (!part.empty()) part = Translate(language, part, depth + 1);
        return Fill(e->translation, parts);
    }
    return english;
}

}  // namespace

std::vector<std::string> WantedLanguages(const char* language, const char* lcAll, const char* lcMessages,
                                         const char* lang) {
    std::string set;
    for (const char* value : {lcAll, lcMessages, lang})
        if (value && *value) {
            set = value;
            break;
        }
    std::vector<std::string> wanted;
    // LANGUAGE is a priority list, taken only when a locale other than the
    // plain C one is set (C.UTF-8 counts, as containers often have no other).
    if (language && *language && !set.empty() && set != "C" && set != "POSIX") {
        std::string list = language;
        for (std::size_t start = 0; start <= list.size();) {
            const std::size_t colon = std::min(list.find(':', start), list.size());
            if (colon > start) wanted.push_back(LocaleName(list.substr(start, colon - start)));
            start = colon + 1;
        }
    }
    if (!set.empty()) wanted.push_back(LocaleName(set));
    return wanted;
}

void UseCliLanguage(std::ostream& stream, const std::vector<std::string>& wanted, const CliTranslationTable& table) {
    // The table is constant data that outlives every stream, so the stream
    // only points into it.
    stream.pword(LanguageSlot(0)) = nullptr;
    stream.pword(LanguageSlot(1)) = nullptr;
    for (const std::string& name : wanted) {
        if (IsEnglishOrC(name)) return;
        for (const std::string& code : {name, name.substr(0, name.find('_'))}) {
            Language found;
            for (std::size_t i = 0; i < table.size; ++i) {
                if (code != table.entries[i].language) continue;
                if (!found.begin) found.begin = table.entries + i;
                found.end = table.entries + i + 1;
            }
            if (found.begin) {
                stream.pword(LanguageSlot(0)) = const_cast<CliTranslation*>(found.begin);
                stream.pword(LanguageSlot(1)) = const_cast<CliTranslation*>(found.end);
                return;
            }
        }
    }
}

std::string CliText(std::ostream& stream, const std::string& english) {
    const Language language{static_cast<const CliTranslation*>(stream.pword(LanguageSlot(0))),
                            static_cast<const CliTranslation*>(stream.pword(LanguageSlot(1)))};
    return language.begin ? Translate(language, english, 0) : english;
}

std::string CliLanguageCode(std::ostream& stream) {
    const auto* first = static_cast<const CliTranslation*>(stream.pword(LanguageSlot(0)));
    return first ? first->language : "en";
}

std::string CliLines(std::ostream& stream, const std::string& english) {
    std::string out;
    for (std::size_t start = 0; start < english.size();) {
        std::size_t end = english.find('\n', start);
        if (end == std::string::npos) end = english.size();
        const std::size_t text = std::min(english.find_first_not_of(' ', start), end);
        out += english.substr(start, text - start);
        if (text < end) out += CliText(stream, english.substr(text, end - text));
        if (end < english.size()) out += '\n';
        start = end + 1;
    }
    return out;
}

bool MatchFilledText(const std::string& pattern, const std::string& text, std::vector<std::string>& parts) {
    parts.assign(9, std::string());
    return MatchFrom(Pieces(pattern), 0, text, 0, parts);
}

}  // namespace pw
