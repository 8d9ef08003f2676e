#include "model/freeform/FreeformFile.h"

#include <cmath>

#include <nlohmann/json.hpp>

#include "model/freeform/CurveBook.h"
#include "model/freeform/Geos.h"
#include "model/freeform/PathBounds.h"
#include "model/freeform/SvgPathData.h"

namespace pw {

namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kFormat = "popwright-freeform";
constexpr int kVersion = 1;
// Deeper nesting than any card needs; refused before parsing, so that no
// recursion over the values can run out of stack.
constexpr int kMaxNesting = 64;

bool NestsTooDeeply(std::string_view text) {
    int depth = 0;
    bool inString = false, escaped = false;
    for (char c : text) {
        if (inString) {
            if (escaped) escaped = false;
            else if (c == '\\') escaped = true;
            else if (c == '"') inString = false;
            continue;
        }
        if (c == '"') inString = true;
        else if (c == '[' || c == '{') {
            if (++depth > kMaxNesting) return true;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return false;
}

bool Length(const Json& value, double& out) {
    if (!value.is_number()) return false;
    out = value.get<double>();
    return std::isfinite(out) && std::fabs(out) <= kFreeformMaxLengthMm;
}

std::string Fail(const std::string& who, const std::string& what) { return who + ": " + what + "."; }

std::string ReadFlat(const Json& j, FreeformFlat& flat, std::size_t index, std::size_t& segments) {
    std::string who = "flat " + std::to_string(index + 1);
    if (!j.is_object()) return Fail(who, "is not an object");
    if (j.contains("name")) {
        if (!j["name"].is_string()) return Fail(who, "its name is not text");
        flat.name = j["name"].get<std::string>();
        if (!flat.name.empty()) who = flat.name;
    }
    if (!j.contains("depth") || !Length(j["depth"], flat.depth)) return Fail(who, "has no depth in millimetres up to 10 m");
    if (!j.contains("outline") || !j["outline"].is_string()) return Fail(who, "has no outline");
    const std::size_t budget = std::min(kFreeformMaxSegmentsPerFlat, kFreeformMaxSegments - segments);
    PathDataResult path = ParsePathData(j["outline"].get_ref<const std::string&>(), budget, kFreeformMaxLengthMm);
    if (!path.error.empty() && budget < kFreeformMaxSegmentsPerFlat && path.error.rfind("more than", 0) == 0)
        return Fail(who, "the card's outlines have more than " + std::to_string(kFreeformMaxSegments) + " segments in all");
    if (!path.error.empty()) return Fail(who, "the outline does not parse: " + path.error);
    for (const SheetPath& loop : path.loops) segments += loop.segments.size();
    flat.loops = std::move(path.loops);
    if (j.contains("roofless")) {
        if (!j["roofless"].is_array()) return Fail(who, "its roofless runs are not a list");
        for (const Json& p : j["roofless"]) {
            FrontPoint point;
            if (!p.is_array() || p.size() != 2 || !Length(p[0], point.x) || !Length(p[1], point.z))
                return Fail(who, "a roofless run is not a point [x, z] in millimetres");
            flat.roofless.push_back(point);
        }
    }
    for (const char* mark : {"hidden", "locked"}) {
        if (!j.contains(mark)) continue;
        if (!j[mark].is_boolean()) return Fail(who, std::string("its ") + mark + " mark is not true or false");
        (mark[0] == 'h' ? flat.hidden : flat.locked) = j[mark].get<bool>();
    }
    for (auto it = j.begin(); it != j.end(); ++it)
        if (it.key() != "name" && it.key() != "depth" && it.key() != "outline" && it.key() != "roofless" &&
            it.key() != "hidden" && it.key() != "locked")
            flat.otherFields.emplace_back(it.key(), it.value().dump());
    return {};
}

std::string CheckFlat(const FreeformCard& card, std::size_t i, geos::Context& context, std::size_t& chords) {
    const FreeformFlat& flat = card.flats[i];
    const std::string who = FlatLabel(card, static_cast<int>(i));
    if (!(flat.depth > 0 && flat.depth <= card.half)) return Fail(who, "stands outside the sheet (its depth is not between 0 and the half's length)");
    CurveBook book;
    std::vector<geos::Geometry> rings;
    for (const FrontLoop& loop : flat.loops) {
        // A curve's extremes come from its centre and radius, which rounding
        // may put a hair past an edge the outline was placed on exactly.
        constexpr double kSlackMm = 1e-9;
        const PathBox box = BoundsOf(loop);
        if (box.x0 < -kSlackMm || box.x1 > card.width + kSlackMm || box.s0 < -kSlackMm || box.s1 > card.half + kSlackMm)
            return Fail(who, "lies outside the sheet (x from 0 to the width, z from 0 to the half's length)");
        std::vector<SheetPoint> ring = book.Flatten(loop);
        chords += ring.size();
        if (chords > kFreeformMaxChords) return Fail(who, "has more curve than the card can cut (over 2,000,000 chords)");
        if (ring.size() < 3) return Fail(who, "has an outline loop without area");
        ring.push_back(ring.front());
        rings.push_back(geos::LineString(context, ring));
    }
    if (rings.empty()) return Fail(who, "has an empty outline");
    const geos::Geometry all = geos::MultiLine(context, std::move(rings));
    if (!geos::IsSimple(all) || context.Failed()) return Fail(who, "its outline crosses or touches itself");
    return {};
}

}  // namespace

std::string CheckFreeformOutlines(const FreeformCard& card) {
    geos::Context context;
    std::size_t chords = 0;
    for (std::size_t i = 0; i < card.flats.size(); ++i) {
        std::string error = CheckFlat(card, i, context, chords);
        if (!error.empty()) return error;
    }
    return {};
}

FreeformReadResult ReadFreeformCard(std::string_view bytes) {
    FreeformReadResult r;
    const std::string notCard = "This is not a free-form card file.";
    if (bytes.size() > kFreeformMaxFileBytes) {
        r.error = "The file is larger than a free-form card can be (16 MB).";
        return r;
    }
    if (NestsTooDeeply(bytes)) {
        r.error = notCard;
        return r;
    }
    Json j;
    try {
        j = Json::parse(bytes.begin(), bytes.end());
    } catch (const Json::exception& e) {
        // JSON has no NaN or infinity: a number too large to hold is the one way to write them.
        r.error = e.id == 406 ? "A number in the file is too large (lengths go up to 10 m)." : notCard;
        return r;
    }
    if (!j.is_object() || !j.contains("format") || j["format"] != kFormat) {
        r.error = notCard;
        return r;
    }
    if (!j.contains("version") || !j["version"].is_number_integer()) {
        r.error = "The card file has no version.";
        return r;
    }
    if (j["version"].get<long long>() != kVersion) {
        r.error = "The card file's version " + j["version"].dump() + " is not one this Popwright reads (it reads version 1).";
        return r;
    }
    FreeformCard& card = r.card;
    if (!j.contains("width") || !Length(j["width"], card.width) || card.width <= 0 || !j.contains("half") ||
        !Length(j["half"], card.half) || card.half <= 0) {
        r.error = "The card's width and half must be lengths in millimetres above 0 and up to 10 m.";
        return r;
    }
    if (!j.contains("flats") || !j["flats"].is_array()) {
        r.error = "The card has no list of flats.";
        return r;
    }
    if (j["flats"].size() > kFreeformMaxFlats) {
        r.error = "The card has more than 1000 flats.";
        return r;
    }
    std::size_t segments = 0;
    for (const Json& f : j["flats"]) {
        card.flats.emplace_back();
        const std::string error = ReadFlat(f, card.flats.back(), card.flats.size() - 1, segments);
        if (!error.empty()) {
            r.error = error;
            return r;
        }
    }
    for (auto it = j.begin(); it != j.end(); ++it) {
        const std::string& key = it.key();
        if (key != "format" && key != "version" && key != "width" && key != "half" && key != "flats")
            card.otherFields.emplace_back(key, it.value().dump());
    }
    r.error = CheckFreeformOutlines(card);
    return r;
}

std::string WriteFreeformCard(const FreeformCard& card) {
    Json j;
    j["format"] = kFormat;
    j["version"] = kVersion;
    j["width"] = card.width;
    j["half"] = card.half;
    j["flats"] = Json::array();
    for (const FreeformFlat& flat : card.flats) {
        Json f;
        if (!flat.name.empty()) f["name"] = flat.name;
        f["depth"] = flat.depth;
        f["outline"] = WritePathData(flat.loops);
        if (!flat.roofless.empty()) {
            f["roofless"] = Json::array();
            for (const FrontPoint& p : flat.roofless) f["roofless"].push_back({p.x, p.z});
        }
        // Written only when set, so a card without them keeps its bytes.
        if (flat.hidden) f["hidden"] = true;
        if (flat.locked) f["locked"] = true;
        for (const auto& [key, text] : flat.otherFields) f[key] = Json::parse(text, nullptr, false);
        j["flats"].push_back(std::move(f));
    }
    for (const auto& [key, text] : card.otherFields) j[key] = Json::parse(text, nullptr, false);
    // Text an editor put in a name is written even when it is not UTF-8.
    return j.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace pw
