// SVG path data and the free-form card file: what they read, what they
// write back, and the one message each bad input gets.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/freeform/CurveBook.h"
#include "model/freeform/FreeformFile.h"
#include "model/freeform/SvgPathData.h"

namespace pw {
namespace {

void ExpectSameLoops(const std::vector<SheetPath>& a, const std::vector<SheetPath>& b) {
    auto near = [](SheetPoint p, SheetPoint q) { return std::hypot(p.x - q.x, p.s - q.s) < 1e-9; };
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        ASSERT_EQ(a[i].segments.size(), b[i].segments.size()) << "loop " << i;
        EXPECT_TRUE(near(a[i].start, b[i].start));
        for (std::size_t k = 0; k < a[i].segments.size(); ++k) {
            const PathSegment &p = a[i].segments[k], &q = b[i].segments[k];
            EXPECT_EQ(p.shape, q.shape) << "segment " << k;
            EXPECT_TRUE(near(p.end, q.end)) << "segment " << k;
            if (p.shape == SegmentShape::Cubic) {
                EXPECT_TRUE(near(p.control1, q.control1) && near(p.control2, q.control2)) << k;
            }
            if (p.shape == SegmentShape::Arc) {
                EXPECT_TRUE(near(p.centre, q.centre) && std::fabs(p.sweep - q.sweep) < 1e-9) << k;
            }
        }
    }
}

std::vector<SheetPath> Parse(const char* text) {
    PathDataResult r = ParsePathData(text, 1000, 10000);
    EXPECT_EQ(r.error, "") << text;
    return r.loops;
}

TEST(SvgPathData, RelativeAndAbsoluteCommandsDrawTheSameLoops) {
    const auto absolute = Parse("M 10 10 L 30 10 H 40 V 30 C 40 40 30 40 20 40 S 10 30 10 20 Q 10 15 12 12 Z M 50 0 A 5 5 0 0 1 60 0 Z");
    ExpectSameLoops(absolute, Parse("m10,10 l20 0h10v20c0 10-10 10-20 10s-10-10-10-20q0-5 2-8zm40-10a5 5 0 0 1 10 0z"));
    ExpectSameLoops(absolute, Parse(WritePathData(absolute).c_str()));
    const std::vector<PathSegment>& s = absolute[0].segments;
    // S mirrors the last control point; Q is the cubic with its control points two thirds along.
    EXPECT_EQ(s[4].control1, (SheetPoint{10, 40}));
    EXPECT_NEAR(s[5].control1.s, 20 - 5.0 * 2 / 3, 1e-12);
    EXPECT_NEAR(s[5].control2.x, 12 - 2.0 * 2 / 3, 1e-12);
    // A circle's arc stays an arc around its centre; numbers run together and repeat their command.
    EXPECT_EQ(absolute[1].segments[0].shape, SegmentShape::Arc);
    EXPECT_EQ(absolute[1].segments[0].centre, (SheetPoint{55, 0}));
    EXPECT_NEAR(absolute[1].segments[0].sweep, M_PI, 1e-12);
    ExpectSameLoops(Parse("M10-5L.5.5 1 1z"), Parse("M 10 -5 L 0.5 0.5 L 1 1 Z"));
}

TEST(SvgPathData, EllipticalArcsBecomeCubicsOnTheEllipse) {
    // Half of an ellipse 20 by 10 turned by 30 degrees around the origin, between its ends.
    const double c = std::cos(M_PI / 6), s = std::sin(M_PI / 6);
    const auto loops = Parse("M -17.320508075688775 -10 A 20 10 30 0 1 17.320508075688775 10 Z");
    SheetPoint from = loops[0].start;
    int cubics = 0;
    for (const PathSegment& seg : loops[0].segments) {
        if (seg.shape != SegmentShape::Cubic) break;
        ++cubics;
        for (int i = 0; i <= 8; ++i) {
            const SheetPoint p = PointOnSegment(from, seg, i / 8.0);
            const double u = c * p.x + s * p.s, v = -s * p.x + c * p.s;
            EXPECT_NEAR(std::sqrt(u * u / 400 + v * v / 100), 1, 1e-3);
        }
        from = seg.end;
    }
    EXPECT_EQ(cubics, 2);
}

TEST(SvgPathData, RefusesWhatIsNotPathData) {
    for (const char* bad : {"L 1 2", "M 1", "M 1 2 X 3", "M 1e999 0", "M nan 0", "M 0 0 A 1 1 0 2 0 3 3", "Z", "M 1 2 L 3 4 5"})
        EXPECT_NE(ParsePathData(bad, 1000, 10000).error, "") << bad;
    EXPECT_NE(ParsePathData("M 20000 0 L 0 1 Z", 1000, 10000).error, "");
    EXPECT_EQ(ParsePathData("M 0 0 L 1 0 L 1 1 Z", 1, 10000).error, "more than 1 segments");
}

const char* kCard = R"({"format": "popwright-freeform", "version": 1, "width": 160, "half": 100, "paper": {"grams": 200},
 "flats": [{"depth": 40, "outline": "M 20 0 L 70 0 L 70 50 L 20 50 Z M 35 10 L 55 10 A 10 10 0 0 1 35 10 Z", "colour": "red"},
           {"name": "Tower", "depth": 20, "outline": "M 80 0 H 100 V 70 H 80 Z", "roofless": [[90, 70]]}]})";

TEST(FreeformFile, ReadsTheCardAndWritesItBackKeepingWhatItDoesNotKnow) {
    const FreeformReadResult read = ReadFreeformCard(kCard);
    ASSERT_TRUE(read.Ok()) << read.error;
    const FreeformCard& card = read.card;
    EXPECT_EQ(card.width, 160);
    ASSERT_EQ(card.flats.size(), 2u);
    EXPECT_EQ(card.flats[0].loops.size(), 2u);
    EXPECT_EQ(card.flats[1].name, "Tower");
    EXPECT_EQ(card.flats[1].roofless.size(), 1u);
    const FreeformReadResult again = ReadFreeformCard(WriteFreeformCard(card));
    ASSERT_TRUE(again.Ok()) << again.error;
    EXPECT_EQ(WriteFreeformCard(again.card), WriteFreeformCard(card));
    EXPECT_EQ(again.card.otherFields, card.otherFields);
    EXPECT_EQ(again.card.otherFields, (std::vector<std::pair<std::string, std::string>>{{"paper", R"({"grams":200})"}}));
    EXPECT_EQ(again.card.flats[0].otherFields, (std::vector<std::pair<std::string, std::string>>{{"colour", R"("red")"}}));
    ExpectSameLoops(again.card.flats[0].loops, card.flats[0].loops);
}

// The hidden and locked marks come back as written, and a card without them
// keeps the bytes it had before they existed.
TEST(FreeformFile, HiddenAndLockedMarksAreWrittenOnlyWhenSet) {
    FreeformCard card = ReadFreeformCard(kCard).card;
    const std::string plain = WriteFreeformCard(card);
    EXPECT_EQ(plain.find("hidden"), std::string::npos);
    EXPECT_EQ(plain.find("locked"), std::string::npos);
    for (int mask = 1; mask < 16; ++mask) {
        card.flats[0].hidden = mask & 1, card.flats[0].locked = mask & 2;
        card.flats[1].hidden = mask & 4, card.flats[1].locked = mask & 8;
        const FreeformReadResult again = ReadFreeformCard(WriteFreeformCard(card));
        ASSERT_TRUE(again.Ok()) << again.error;
        for (std::size_t i = 0; i < 2; ++i) {
            EXPECT_EQ(again.card.flats[i].hidden, card.flats[i].hidden);
            EXPECT_EQ(again.card.flats[i].locked, card.flats[i].locked);
        }
        EXPECT_EQ(again.card.flats[0].otherFields, card.flats[0].otherFields);
    }
    card.flats[0].hidden = card.flats[0].locked = card.flats[1].hidden = card.flats[1].locked = false;
    EXPECT_EQ(WriteFreeformCard(card), plain);
}

TEST(FreeformFile, EachBadInputGetsOneMessageNamingTheFlat) {
    const std::string head = R"({"format": "popwright-freeform", "version": 1, "width": 160, "half": 100, "flats": [)";
    auto flat = [&](const std::string& fields) { return head + R"({"name": "Door", "depth": 40, )" + fields + "}]}"; };
    std::string million = "M 0 0";
    for (int i = 0; i < 1000000; ++i) million += " L 1 1";
    const std::pair<std::string, std::string> cases[] = {
        {"not json at all", "This is not a free-form card file."},
        {R"({"format": "popwright-grid", "version": 1})", "This is not a free-form card file."},
        {std::string(200000, '[') + std::string(200000, ']'), "This is not a free-form card file."},
        {R"({"format": "popwright-freeform", "version": 2})", "version 2 is not one this Popwright reads"},
        {head + "{}]}", "flat 1: has no depth"},
        {flat(R"("outline": "M 0 0 L 10 x")"), "Door: the outline does not parse: expected a number at character 12."},
        {flat(R"("outline": "M 10 0 L 30 20 L 30 0 L 10 20 Z")"), "Door: its outline crosses or touches itself."},
        {flat(R"("outline": "M 10 0 L 30 0 L 30 20 L 10 20 Z M 20 10 L 40 10 L 40 15 Z")"), "Door: its outline crosses or touches itself."},
        {flat(R"("outline": "M 150 0 L 170 0 L 170 20 L 150 20 Z")"), "Door: lies outside the sheet"},
        {head + R"({"depth": 1e999, "outline": "M 10 0 H 20 V 10 H 10 Z"}]})", "A number in the file is too large"},
        {flat(R"("outline": "M 10 0 L 30 0 L 30 20000 Z")"), "Door: the outline does not parse: a number is not finite or too large"},
        {flat(R"("outline": ")" + million + "\""), "Door: the outline does not parse: more than 10000 segments."},
        {flat(R"("outline": "M 10 0 H 20 V 10 H 10 Z", "hidden": 1)"), "Door: its hidden mark is not true or false."},
    };
    for (const auto& [input, message] : cases) {
        const FreeformReadResult r = ReadFreeformCard(input);
        EXPECT_NE(r.error.find(message), std::string::npos) << input.substr(0, 220) << "\n  said: " << r.error;
    }
    // A depth beyond the half puts the flat outside the sheet.
    const FreeformReadResult deep = ReadFreeformCard(head + R"({"depth": 120, "outline": "M 10 0 H 20 V 10 H 10 Z"}]})");
    EXPECT_EQ(deep.error, "flat 1: stands outside the sheet (its depth is not between 0 and the half's length).");
}

}  // namespace
}  // namespace pw
