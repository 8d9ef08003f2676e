// Text becomes flats whose outlines are the font's own and that make a card
// that can be paper.
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <random>

#include "import/FontShaping.h"
#include "import/ImportMessages.h"
#include "import/TextFlats.h"
#include "model/freeform/FlatGeometry.h"
#include "model/freeform/FreeformChecks.h"
#include "model/freeform/PathBounds.h"

namespace pw {
namespace {

struct Piece {
    SheetPoint from, to, mid;  // the ends and the point at t = 1/2
};

// The glyph's pieces read from FreeType's points and tags directly, mapped by x * k + dx, y * k + dz.
std::vector<Piece> FreeTypePieces(const FT_Outline& o, double k, double dx, double dz) {
    auto at = [&](int i) { return SheetPoint{o.points[i].x * k + dx, o.points[i].y * k + dz}; };
    auto mid = [](SheetPoint a, SheetPoint b) { return SheetPoint{(a.x + b.x) / 2, (a.s + b.s) / 2}; };
    std::vector<Piece> pieces;
    int first = 0;
    for (int c = 0; c < o.n_contours; ++c) {
        const int last = o.contours[c], n = last - first + 1;
        auto tag = [&](int i) { return FT_CURVE_TAG(o.tags[first + (i % n)]); };
        auto pt = [&](int i) { return at(first + (i % n)); };
        int s = 0;
        while (s < n && tag(s) != FT_CURVE_TAG_ON) ++s;
        SheetPoint pen = pt(s);
        for (int i = 1; i <= n;) {
            if (tag(s + i) == FT_CURVE_TAG_ON) {
                pieces.push_back({pen, pt(s + i), mid(pen, pt(s + i))});
                pen = pt(s + i), ++i;
            } else if (tag(s + i) == FT_CURVE_TAG_CONIC) {
                const SheetPoint ctl = pt(s + i);
                const SheetPoint end = tag(s + i + 1) == FT_CURVE_TAG_ON || i + 1 > n ? pt(s + i + 1) : mid(ctl, pt(s + i + 1));
                pieces.push_back({pen, end, {(pen.x + 2 * ctl.x + end.x) / 4, (pen.s + 2 * ctl.s + end.s) / 4}});
                pen = end;
                i += tag(s + i + 1) == FT_CURVE_TAG_ON ? 2 : 1;
            } else {
                const SheetPoint c1 = pt(s + i), c2 = pt(s + i + 1), end = pt(s + i + 2);
                pieces.push_back({pen, end, {(pen.x + 3 * c1.x + 3 * c2.x + end.x) / 8, (pen.s + 3 * c1.s + 3 * c2.s + end.s) / 8}});
                pen = end, i += 3;
            }
        }
        first = last + 1;
    }
    pieces.erase(std::remove_if(pieces.begin(), pieces.end(), [](const Piece& p) { return p.from == p.to && p.mid == p.from; }),
                 pieces.end());
    return pieces;
}

bool Near(SheetPoint a, SheetPoint b) { return std::hypot(a.x - b.x, a.s - b.s) < 1e-6; }

TEST(TextFlats, AGlyphsOutlineIsTheFontsOwnScaled) {
    const std::u32string latin = U"ABGOQRSagkosw&@", kana = U"あいうえおかさたなはまやらわをん";
    std::mt19937 random(24);
    for (int trial = 0; trial < 8; ++trial) {
        const bool japanese = trial % 2 == 1;
        const std::u32string& pool = japanese ? kana : latin;
        const char32_t c = pool[random() % pool.size()];
        TextFlatsRequest request;
        request.text = c < 0x80 ? std::string(1, char(c))
                                : std::string({char(0xE0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))});
        request.font = japanese ? "IPAGothic" : "DejaVu Sans";
        request.sizeMm = 10 + trial;
        SCOPED_TRACE(request.text);
        const TextOutlines made = TextGlyphOutlines(request);
        ASSERT_EQ(made.glyphs.size(), 1u) << made.error;

        FontFile file;
        OpenedFace face;
        ASSERT_TRUE(FindFont(request.font, {c}, file) && OpenFace(file, face));
        ASSERT_EQ(FT_Load_Char(face.face.get(), c, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING), 0);
        const FT_Outline& outline = face.face->glyph->outline;
        // The map from font units to millimetres, from the box of the pieces' ends (points both sides hold exactly).
        const auto endsBox = [](const std::vector<SheetPoint>& ends) {
            PathBox b{1e9, 1e9, -1e9, -1e9};
            for (SheetPoint p : ends) b = {std::min(b.x0, p.x), std::min(b.s0, p.s), std::max(b.x1, p.x), std::max(b.s1, p.s)};
            return b;
        };
        std::vector<SheetPoint> fontEnds, myEnds;
        for (const Piece& p : FreeTypePieces(outline, 1, 0, 0)) fontEnds.push_back(p.to);
        for (const FrontLoop& loop : made.glyphs[0])
            for (const PathSegment& seg : loop.segments) myEnds.push_back(seg.end);
        const PathBox font = endsBox(fontEnds), mine = endsBox(myEnds);
        const double k = (mine.s1 - mine.s0) / (font.s1 - font.s0);
        const std::vector<Piece> expected = FreeTypePieces(outline, k, mine.x0 - font.x0 * k, mine.s0 - font.s0 * k);
        std::size_t count = 0;
        for (const FrontLoop& loop : made.glyphs[0]) {
            SheetPoint from = loop.start;
            for (const PathSegment& seg : loop.segments) {
                const SheetPoint m = PointOnSegment(from, seg, 0.5);
                const bool found = std::any_of(expected.begin(), expected.end(), [&](const Piece& p) {
                    return Near(p.from, from) && Near(p.to, seg.end) && Near(p.mid, m);
                });
                EXPECT_TRUE(found) << "segment to " << seg.end.x << ", " << seg.end.s;
                from = seg.end, ++count;
            }
        }
        EXPECT_EQ(count, expected.size());
    }
}

// The text placed on a card of the usual size, as the command and the window place it.
FreeformCard OnCard(const FlatsFromSource& made) {
    FreeformCard card{150, 100, made.flats, {}};
    PlaceFlats(card.flats, 0, 10, 0);
    return card;
}

TEST(TextFlats, LatinAndJapaneseLinesMakeACardThatIsPaperAndClosesInside) {
    for (const char* text : {"Happy Birthday", "\xE8\xAA\x95\xE7\x94\x9F\xE6\x97\xA5\xE3\x81\x8A\xE3\x82\x81\xE3\x81\xA7\xE3\x81\xA8\xE3\x81\x86"}) {
        SCOPED_TRACE(text);
        const FlatsFromSource made = TextFlats({text, "", 10, 0, 30});
        ASSERT_TRUE(made.Made()) << made.error;
        const FreeformCard card = OnCard(made);
        const FreeformSheet sheet = BuildFreeformSheet(card);
        for (const FlatProblem& p : CheckFreeformCard(card, sheet)) ADD_FAILURE() << FlatProblemText(card, p);
        EXPECT_TRUE(CheckFreeformClosing(card, sheet).ClosesInside());
        EXPECT_FALSE(made.notes.empty());
    }
    // The capitals are the size asked for; the H's foot stands 1.5 mm up, a quarter into the 2 mm run.
    const FlatsFromSource h = TextFlats({"H", "DejaVu Sans", 20, 0, 30});
    ASSERT_TRUE(h.Made());
    double top = 0;
    for (const FrontLoop& loop : h.flats[0].loops) top = std::max(top, BoundsOf(loop).s1);
    EXPECT_NEAR(top, 20 + 1.5, 1e-6);
}

TEST(TextFlats, HolesStayHoles) {
    for (const char* text : {"o", "\xE5\x8F\xA3"}) {
        const FlatsFromSource made = TextFlats({text, "", 20, 0, 30});
        ASSERT_TRUE(made.Made()) << made.error;
        const FreeformFlat& flat = made.flats[0];
        geos::Context c;
        CurveBook book;
        const geos::Geometry region = FlatRegionOnSheet(c, book, flat);
        // The smallest loop is the letter's counter: its middle is no paper, the stroke beside it is.
        PathBox box = BoundsOf(flat.loops[0]);
        for (const FrontLoop& loop : flat.loops) {
            const PathBox b = BoundsOf(loop);
            if ((b.x1 - b.x0) * (b.s1 - b.s0) < (box.x1 - box.x0) * (box.s1 - box.s0)) box = b;
        }
        const double midZ = (box.s0 + box.s1) / 2;
        EXPECT_FALSE(geos::ContainsPoint(region, {(box.x0 + box.x1) / 2, flat.depth - midZ})) << text;
        EXPECT_TRUE(geos::ContainsPoint(region, {box.x0 - 0.5, flat.depth - midZ})) << text;
    }
}

TEST(TextFlats, MissingGlyphsAreNamedAndNothingToDrawIsRefused) {
    const FlatsFromSource some = TextFlats({"Hi\xEE\x80\x80", "DejaVu Sans", 20, 0, 30});
    ASSERT_TRUE(some.Made()) << some.error;
    EXPECT_TRUE(std::any_of(some.notes.begin(), some.notes.end(), [](const std::string& n) { return n.find("U+E000") != std::string::npos; }));
    EXPECT_EQ(TextFlats({"\xEE\x80\x80", "DejaVu Sans", 20, 0, 30}).error, msg::kFlatsTextNoGlyphs);
    EXPECT_EQ(TextFlats({" ", "", 20, 0, 30}).error, msg::kFlatsTextEmpty);
    EXPECT_EQ(TextFlats({std::string(501, 'a'), "", 20, 0, 30}).error, msg::kFlatsTextTooLong);
}

}  // namespace
}  // namespace pw
