#include "import/TextFlats.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include <hb-ft.h>
#include <hb-ot.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "import/FontShaping.h"
#include "import/ImportMessages.h"
#include "model/freeform/CurveBook.h"
#include "model/freeform/FlatGeometry.h"
#include "model/freeform/Geos.h"

namespace pw {

namespace {

std::string Filled(std::string text, const std::string& one, const std::string& two = {}) {
    if (const auto at = text.find("%1"); at != std::string::npos) text.replace(at, 2, one);
    if (const auto at = text.find("%2"); at != std::string::npos) text.replace(at, 2, two);
    return text;
}

// Millimetres as notes print them: one decimal, a point whatever the locale.
std::string Millimetres(double mm) {
    const long tenths = std::lround(mm * 10);
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string Utf8(char32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

// Letters of the scripts that have capitals: their size is the capitals'.
bool HasCapitals(const std::vector<char32_t>& text) {
    return std::any_of(text.begin(), text.end(), [](char32_t c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7) ||
               (c >= 0x370 && c <= 0x3FF) || (c >= 0x400 && c <= 0x4FF);
    });
}

// The font units the requested size stands for.
double ReferenceHeight(hb_font_t* font, bool capitals, double unitsPerEm) {
    hb_position_t height = 0;
    if (capitals) {
        if (!hb_ot_metrics_get_position(font, HB_OT_METRICS_TAG_CAP_HEIGHT, &height) || height <= 0) {
            hb_codepoint_t h = 0;
            hb_glyph_extents_t extents{};
            if (hb_font_get_nominal_glyph(font, 'H', &h) && hb_font_get_glyph_extents(font, h, &extents))
                height = extents.y_bearing;
        }
    } else {
        hb_ot_layout_get_baseline_with_fallback(font, HB_OT_LAYOUT_BASELINE_TAG_IDEO_EMBOX_TOP_OR_RIGHT,
                                                HB_DIRECTION_LTR, HB_SCRIPT_HAN, HB_TAG_NONE, &height);
    }
    return height > 0 ? height : 0.7 * unitsPerEm;
}

// FreeType's contours as loops, each point mapped by `place`.
struct OutlineSink {
    double scale = 1, dx = 0, dz = 0;
    std::vector<FrontLoop> loops;
    SheetPoint Place(const FT_Vector* v) const {
        return {(static_cast<double>(v->x) + dx) * scale, (static_cast<double>(v->y) + dz) * scale};
    }
    static OutlineSink& Of(void* user) { return *static_cast<OutlineSink*>(user); }
    static int Move(const FT_Vector* to, void* user) {
        OutlineSink& s = Of(user);
        s.loops.emplace_back(s.Place(to));
        s.loops.back().closed = true;
        return 0;
    }
    static int Line(const FT_Vector* to, void* user) {
        OutlineSink& s = Of(user);
        const SheetPoint p = s.Place(to);
        if (!s.loops.empty() && p != s.loops.back().End()) s.loops.back().LineTo(p);
        return 0;
    }
    // A quadratic piece is the cubic whose controls lie two thirds of the way to its control point.
    static int Conic(const FT_Vector* control, const FT_Vector* to, void* user) {
        OutlineSink& s = Of(user);
        if (s.loops.empty()) return 0;
        const SheetPoint a = s.loops.back().End(), c = s.Place(control), b = s.Place(to);
        s.loops.back().CubicTo({a.x + 2.0 / 3 * (c.x - a.x), a.s + 2.0 / 3 * (c.s - a.s)},
                               {b.x + 2.0 / 3 * (c.x - b.x), b.s + 2.0 / 3 * (c.s - b.s)}, b);
        return 0;
    }
    static int Cubic(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
        OutlineSink& s = Of(user);
        if (!s.loops.empty()) s.loops.back().CubicTo(s.Place(c1), s.Place(c2), s.Place(to));
        return 0;
    }
};

}  // namespace

TextOutlines TextGlyphOutlines(const TextFlatsRequest& request) {
    TextOutlines out;
    const std::vector<char32_t> text = DecodeUtf8(request.text);
    if (static_cast<int>(text.size()) > kMaxFlatsTextCharacters) {
        out.error = msg::kFlatsTextTooLong;
        return out;
    }
    if (std::all_of(text.begin(), text.end(), [](char32_t c) { return c <= ' '; })) {
        out.error = msg::kFlatsTextEmpty;
        return out;
    }
    FontFile file;
    OpenedFace opened;
    if (!FindFont(request.font, text, file) || !OpenFace(file, opened) || !FT_IS_SCALABLE(opened.face.get())) {
        out.error = msg::kFontNotFound;
        return out;
    }
    if (file.replaced) out.notes.push_back(Filled(msg::kFontReplaced, request.font, file.family));
    FT_Face face = opened.face.get();
    // HarfBuzz's own font on the face positions in font units, unhinted, as the outlines are loaded.
    std::unique_ptr<hb_face_t, decltype(&hb_face_destroy)> hbFace(hb_ft_face_create_referenced(face), hb_face_destroy);
    std::unique_ptr<hb_font_t, decltype(&hb_font_destroy)> font(hb_font_create(hbFace.get()), hb_font_destroy);
    const double unitsPerEm = face->units_per_EM > 0 ? face->units_per_EM : 1000;
    const double scale = request.sizeMm / ReferenceHeight(font.get(), HasCapitals(text), unitsPerEm);
    std::vector<ShapedGlyph> shaped;
    ShapeLine(font.get(), text, shaped);

    std::vector<char32_t> missing;
    const double spacing = request.letterSpacingMm / scale;
    double extra = 0;
    const FT_Outline_Funcs funcs{&OutlineSink::Move, &OutlineSink::Line, &OutlineSink::Conic, &OutlineSink::Cubic, 0, 0};
    for (std::size_t k = 0; k < shaped.size(); ++k) {
        const ShapedGlyph& g = shaped[k];
        if (k > 0 && g.cluster != shaped[k - 1].cluster) extra += spacing;
        const char32_t character = g.cluster < text.size() ? text[g.cluster] : 0;
        if (g.glyph == 0) {
            if (character > ' ' && std::find(missing.begin(), missing.end(), character) == missing.end())
                missing.push_back(character);
            continue;
        }
        if (FT_Load_Glyph(face, g.glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0 ||
            face->glyph->format != FT_GLYPH_FORMAT_OUTLINE || face->glyph->outline.n_contours == 0)
            continue;  // a space, or a glyph drawn only as a picture
        // FreeType halves whole numbers for the on-curve points a TrueType
        // contour implies between two controls, dropping the half: doubled
        // first, every such point is exact.
        FT_Outline& outline = face->glyph->outline;
        for (int p = 0; p < outline.n_points; ++p) outline.points[p].x *= 2, outline.points[p].y *= 2;
        OutlineSink sink{scale / 2, 2 * (static_cast<double>(g.x) + extra), 2.0 * g.y, {}};
        FT_Outline_Decompose(&outline, &funcs, &sink);
        sink.loops.erase(std::remove_if(sink.loops.begin(), sink.loops.end(), [](const FrontLoop& l) { return l.segments.size() < 2; }),
                         sink.loops.end());
        if (!sink.loops.empty()) out.glyphs.push_back(std::move(sink.loops));
    }
    if (!missing.empty()) {
        std::string names;
        for (char32_t c : missing) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
            names += (names.empty() ? "" : ", ") + ("\xE2\x80\x9C" + Utf8(c) + "\xE2\x80\x9D (" + code + ")");
        }
        out.notes.push_back(Filled(msg::kGlyphsMissing, file.family, names));
    }
    if (out.glyphs.empty()) out.error = msg::kFlatsTextNoGlyphs;
    return out;
}

namespace {

// The even-odd region of a glyph's loops, its curves written into `book`.
geos::Geometry GlyphRegion(geos::Context& c, CurveBook& book, const std::vector<FrontLoop>& loops) {
    geos::Geometry region = geos::Empty(c);
    for (const FrontLoop& loop : loops) {
        const std::vector<SheetPoint> ring = book.Flatten(loop);
        if (ring.size() < 3) continue;
        // A font's contour may cross itself; GEOS mends it rather than refusing the letter.
        geos::Geometry polygon = geos::Polygon(c, ring, {});
        if (GEOSisValid_r(c.Handle(), polygon.Get()) != 1)
            polygon = geos::Geometry(c, GEOSMakeValid_r(c.Handle(), polygon.Get()));
        region = geos::SymDifference(region, polygon);
    }
    return region;
}

// Where a stem can hold a part of the letters from below: the middle of
// the longest straight stretch along its bottom, or its lowest point.
SheetPoint LowestPoint(const geos::Geometry& part) {
    const std::vector<geos::Ring> rings = geos::PolygonRings(part);
    if (rings.empty() || rings.front().empty()) return {};
    const geos::Ring& ring = rings.front();
    SheetPoint best = ring.front();
    for (const SheetPoint& p : ring)
        if (p.s < best.s) best = p;
    double longest = 0;
    for (std::size_t k = 0; k < ring.size(); ++k) {
        const SheetPoint a = ring[k], b = ring[(k + 1) % ring.size()];
        if (a.s <= best.s + 1e-9 && b.s <= best.s + 1e-9 && std::fabs(b.x - a.x) > longest) {
            longest = std::fabs(b.x - a.x);
            best = {(a.x + b.x) / 2, best.s};
        }
    }
    return best;
}

// The flat's loops from the joined outline: the curves the joining left whole come back exact.
std::vector<FrontLoop> LoopsOf(const geos::Geometry& shape, const CurveBook& book) {
    std::vector<FrontLoop> loops;
    for (const geos::Geometry& part : geos::Parts(shape)) {
        if (!geos::IsPolygon(part)) continue;
        for (const geos::Ring& ring : geos::PolygonRings(part))
            if (ring.size() >= 3) loops.push_back(book.Recover(ring, true));
    }
    return loops;
}

// A roof hangs from a top run at height h straight back to the back sheet:
// its paper on the sheet is the face's own between heights h and depth + h
// over the run, so the run keeps its roof only where the flat has no paper there.
std::vector<FrontPoint> RooflessRuns(geos::Context& c, const FreeformFlat& flat, const geos::Geometry& shape) {
    std::vector<FrontPoint> roofless;
    for (const HorizontalRun& run : HorizontalRuns(c, flat)) {
        if (!run.top) continue;
        const geos::Geometry above = geos::Rectangle(c, run.x0, run.z + 1e-6, run.x1, run.z + flat.depth + run.z);
        if (geos::Area(geos::Intersection(shape, above)) > 1e-6) roofless.push_back({(run.x0 + run.x1) / 2, run.z});
    }
    return roofless;
}

}  // namespace

FlatsFromSource TextFlats(const TextFlatsRequest& request) {
    FlatsFromSource made;
    // Bounded so that the curves' chords stay few: no card is a metre high.
    if (!(request.sizeMm > 0 && request.sizeMm <= 1000) || !(request.depthMm > 0 && request.depthMm <= 10000) ||
        !(std::fabs(request.letterSpacingMm) <= 1000)) {
        made.error = msg::kFlatsTextSizeOutOfRange;
        return made;
    }
    TextOutlines outlines = TextGlyphOutlines(request);
    made.notes = std::move(outlines.notes);
    if (!outlines.error.empty()) {
        made.error = outlines.error;
        return made;
    }
    // The baseline run under the letters, its top a little into the lowest
    // of them; a post at each end, clear of the letters, whose top is a run
    // nothing stands over, so a roof always holds the flat at its top.
    const double size = request.sizeMm;
    const double run = std::max(1.0, 0.1 * size), into = 0.25 * run;
    const double margin = 0.3 * size, gap = 0.1 * size, post = 0.4 * size, stem = std::max(0.8, 0.05 * size);
    {
        // The letters moved onto the run before their curves are flattened, so the book knows them where they end up.
        std::vector<FreeformFlat> placed(outlines.glyphs.size());
        for (std::size_t k = 0; k < placed.size(); ++k) placed[k].loops = std::move(outlines.glyphs[k]);
        PlaceFlats(placed, 0, margin, run - into);
        for (std::size_t k = 0; k < placed.size(); ++k) outlines.glyphs[k] = std::move(placed[k].loops);
    }
    geos::Context c;
    CurveBook book;
    std::vector<geos::Geometry> glyphs;
    for (const std::vector<FrontLoop>& loops : outlines.glyphs) glyphs.push_back(GlyphRegion(c, book, loops));
    // Letters that touch or overlap become one outline here.
    const geos::Geometry letters = geos::UnionAll(c, std::move(glyphs));
    if (letters.IsEmpty() || c.Failed()) {
        made.error = c.Failed() ? msg::kFlatsTextShapesFailed : msg::kFlatsTextNoGlyphs;
        return made;
    }
    double x0, z0, x1, z1;
    geos::Bounds(letters, x0, z0, x1, z1);
    const geos::Geometry base = geos::Rectangle(c, x0 - margin, 0, x1 + margin, run);
    std::vector<geos::Geometry> parts;
    parts.push_back(base.Clone());
    parts.push_back(geos::Rectangle(c, x0 - margin, 0, x0 - gap, run + post));
    parts.push_back(geos::Rectangle(c, x1 + gap, 0, x1 + margin, run + post));
    int stems = 0;
    for (const geos::Geometry& part : geos::Parts(letters)) {
        if (!geos::IsPolygon(part) || geos::Area(geos::Intersection(part, base)) > 1e-6) continue;
        // Apart from the run: a stem from its lowest point down into it.
        const SheetPoint low = LowestPoint(part);
        parts.push_back(geos::Rectangle(c, low.x - stem / 2, run / 2, low.x + stem / 2, low.s + into));
        ++stems;
    }
    parts.push_back(letters.Clone());
    const geos::Geometry shape = geos::UnionAll(c, std::move(parts));
    FreeformFlat flat;
    // Named by the text, at most 40 characters of it, never cut inside one.
    const std::vector<char32_t> characters = DecodeUtf8(request.text);
    for (std::size_t k = 0; k < characters.size() && k < 40; ++k) flat.name += Utf8(characters[k] < ' ' ? U' ' : characters[k]);
    flat.depth = request.depthMm;
    flat.loops = LoopsOf(shape, book);
    if (c.Failed() || flat.loops.empty()) {
        made.error = msg::kFlatsTextShapesFailed;
        return made;
    }
    flat.roofless = RooflessRuns(c, flat, shape);
    made.notes.push_back(Filled(msg::kBaselineRunAdded, Millimetres(run)));
    if (stems > 0) made.notes.push_back(Filled(msg::kStemsAdded, std::to_string(stems), Millimetres(stem)));
    made.flats.push_back(std::move(flat));
    return made;
}

}  // namespace pw
