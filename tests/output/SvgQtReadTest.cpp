// The SVG read back by Qt's XML reader (structure) and SVG renderer (picture).
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QMap>
#include <QXmlStreamReader>
#include <map>
#include <sstream>

#include "model/CellGrid.h"
#include "model/RebuildPass.h"
#include "output/CutterPattern.h"
#include "output/SvgWriter.h"
#include "support/CardBuilder.h"

namespace pw {
namespace {

struct Group {
    QString stroke, dash;
    std::vector<QLineF> lines;
};

struct ParsedSvg {
    QString width, height, viewBox;
    std::vector<QString> order;
    std::map<QString, Group> groups;
    int linesOutsideGroups = 0;
};

QByteArray SvgOf(CellGrid& g, int reverse = 0) {
    RunRebuildPass(g);
    std::ostringstream out;
    WriteSvg(out, LayOutCutterPattern(g, reverse, 50));
    return QByteArray::fromStdString(out.str());
}

ParsedSvg Parse(const QByteArray& svg) {
    ParsedSvg p;
    QXmlStreamReader xml(svg);
    QString current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto a = xml.attributes();
            if (xml.name() == QLatin1String("svg")) {
                p.width = a.value("width").toString();
                p.height = a.value("height").toString();
                p.viewBox = a.value("viewBox").toString();
            } else if (xml.name() == QLatin1String("g")) {
                current = a.value("id").toString();
                p.order.push_back(current);
                p.groups[current].stroke = a.value("stroke").toString();
                p.groups[current].dash = a.value("stroke-dasharray").toString();
            } else if (xml.name() == QLatin1String("line")) {
                const QLineF l(a.value("x1").toDouble(), a.value("y1").toDouble(), a.value("x2").toDouble(),
                               a.value("y2").toDouble());
                if (current.isEmpty())
                    ++p.linesOutsideGroups;
                else
                    p.groups[current].lines.push_back(l);
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("g")) {
            current.clear();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return p;
}

// Two lines of one group that lie on one straight line and overlap or touch
// would make a cutter pass the same place twice.
bool Overlap(const QLineF& a, const QLineF& b) {
    const QPointF d = a.p2() - a.p1();
    auto cross = [&](QPointF p) { return d.x() * (p.y() - a.y1()) - d.y() * (p.x() - a.x1()); };
    if (std::abs(cross(b.p1())) > 1e-6 || std::abs(cross(b.p2())) > 1e-6) return false;
    const double len2 = d.x() * d.x() + d.y() * d.y();
    auto t = [&](QPointF p) { return ((p.x() - a.x1()) * d.x() + (p.y() - a.y1()) * d.y()) / len2; };
    const double b0 = std::min(t(b.p1()), t(b.p2())), b1 = std::max(t(b.p1()), t(b.p2()));
    return b0 <= 1 + 1e-9 && b1 >= -1e-9;
}

int OverlappingPairs(const Group& g) {
    int n = 0;
    for (std::size_t i = 0; i < g.lines.size(); ++i)
        for (std::size_t j = i + 1; j < g.lines.size(); ++j) n += Overlap(g.lines[i], g.lines[j]);
    return n;
}

TEST(SvgQtRead, ThreeLayersInMillimetresEachLineOnce) {
    CellGrid g;
    std::mt19937 rng(11);
    test::RandomCard(g, rng, 18, 9);
    for (int x = 3; x <= 5; ++x) test::AddBox(g, x, 2, 3);
    const ParsedSvg p = Parse(SvgOf(g));
    EXPECT_EQ(p.width, "210mm");
    EXPECT_EQ(p.height, "297mm");
    EXPECT_EQ(p.viewBox, "0 0 210 297");
    EXPECT_EQ(p.order, (std::vector<QString>{"cut", "mountain", "valley"}));
    EXPECT_EQ(p.linesOutsideGroups, 0);
    const Group &cut = p.groups.at("cut"), &mountain = p.groups.at("mountain"), &valley = p.groups.at("valley");
    EXPECT_NE(cut.stroke, mountain.stroke);
    EXPECT_NE(cut.stroke, valley.stroke);
    EXPECT_NE(mountain.stroke, valley.stroke);
    EXPECT_TRUE(cut.dash.isEmpty());
    EXPECT_FALSE(mountain.dash.isEmpty());
    EXPECT_FALSE(valley.dash.isEmpty());
    EXPECT_NE(mountain.dash, valley.dash);
    EXPECT_FALSE(mountain.lines.empty());
    for (const auto& [name, group] : p.groups) EXPECT_EQ(OverlappingPairs(group), 0) << name.toStdString();
}

TEST(SvgQtRead, BoxCardLineCountsAndRenderedPicture) {
    CellGrid g;
    g.NewCard(18, 9);
    for (int x = 5; x <= 7; ++x) test::AddBox(g, x, 2, 3);
    const QByteArray svg = SvgOf(g);
    const ParsedSvg p = Parse(svg);
    EXPECT_EQ(p.groups.at("cut").lines.size(), 6u);  // outline and the box's two side cuts
    EXPECT_EQ(p.groups.at("mountain").lines.size(), 1u);
    EXPECT_EQ(p.groups.at("valley").lines.size(), 4u);  // crease on both sides, top and foot of the box

    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.viewBoxF(), QRectF(0, 0, 210, 297));
    QImage img(1050, 1485, QImage::Format_RGB32);  // five pixels per millimetre
    img.fill(Qt::white);
    {
        QPainter painter(&img);
        renderer.render(&painter);
    }
    const double cell = 0.5 * 210 / 18;
    auto X = [&](int u) { return static_cast<int>((105 + (u - 9) * cell) * 5); };
    auto Y = [&](int s) { return static_cast<int>((148.5 + s * cell) * 5); };
    auto darkNear = [&](int x, int y) {
        for (int d = -1; d <= 1; ++d)
            if (qGray(img.pixel(x, y + d)) < 200 || qGray(img.pixel(x + d, y)) < 200) return true;
        return false;
    };
    auto share = [&](int x0, int x1, int y) {
        int n = 0;
        for (int x = x0; x < x1; ++x) n += darkNear(x, y);
        return static_cast<double>(n) / (x1 - x0);
    };
    EXPECT_GT(share(X(1) + 2, X(17) - 2, Y(8)), 0.95);       // outline
    EXPECT_GT(share(X(5) + 2, X(8) - 2, Y(-1)), 0.4);        // mountain, dashed
    EXPECT_LT(share(X(5) + 2, X(8) - 2, Y(-1)), 0.95);
    EXPECT_GT(share(X(8) + 2, X(17) - 2, Y(0)), 0.2);        // crease, dotted
    EXPECT_LT(share(X(5) + 2, X(8) - 2, Y(0)), 0.05);        // not under the box
    EXPECT_LT(share(X(1) + 2, X(17) - 2, Y(-6) + 10), 0.01);  // between lines
    const QRgb mountainColour = img.pixel(X(5) + 3, Y(-1));
    EXPECT_GT(qRed(mountainColour), 200);
}

TEST(SvgQtRead, InvertedPatternIsTheMirrorImage) {
    CellGrid a, b;
    a.NewCard(18, 9);
    b.NewCard(18, 9);
    test::AddBox(a, 3, 3, 2);
    test::AddBox(b, 3, 3, 2);
    const ParsedSvg plain = Parse(SvgOf(a)), mirrored = Parse(SvgOf(b, 1));
    for (const char* name : {"cut", "mountain", "valley"}) {
        const auto& p = plain.groups.at(name).lines;
        const auto& m = mirrored.groups.at(name).lines;
        ASSERT_EQ(p.size(), m.size()) << name;
        for (const QLineF& l : p) {
            const QLineF flipped(210 - l.x1(), l.y1(), 210 - l.x2(), l.y2());
            const bool found = std::any_of(m.begin(), m.end(), [&](const QLineF& k) {
                return (QLineF(k.p1(), flipped.p1()).length() < 1e-3 && QLineF(k.p2(), flipped.p2()).length() < 1e-3) ||
                       (QLineF(k.p1(), flipped.p2()).length() < 1e-3 && QLineF(k.p2(), flipped.p1()).length() < 1e-3);
            });
            EXPECT_TRUE(found) << name;
        }
    }
}

TEST(SvgQtRead, OptionsHairlinesLegendAndCutOrderRenderInQt) {
    CellGrid g;
    g.NewCard(18, 9);
    for (int x = 5; x <= 7; ++x) test::AddBox(g, x, 2, 3);
    RunRebuildPass(g);
    PatternOptions o;
    o.hairline = true;
    o.legend = true;
    o.perforate = true;
    std::ostringstream out;
    WriteSvg(out, LayOutCutterPattern(g, 0, 50, o));
    const QByteArray svg = QByteArray::fromStdString(out.str());

    // Folds first, the cuts last; hairline strokes; perforated folds are
    // solid pieces; the legend its own layer with the kinds' names.
    QXmlStreamReader xml(svg);
    QStringList layers, texts;
    QMap<QString, QString> widths, dashes;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        const auto a = xml.attributes();
        if (xml.name() == QLatin1String("g") && a.value("inkscape:groupmode") == QLatin1String("layer")) {
            layers << a.value("id").toString();
            widths[a.value("id").toString()] = a.value("stroke-width").toString();
            dashes[a.value("id").toString()] = a.value("stroke-dasharray").toString();
        }
        if (xml.name() == QLatin1String("text")) texts << xml.readElementText();
    }
    EXPECT_FALSE(xml.hasError());
    EXPECT_EQ(layers, QStringList({"mountain", "valley", "cut", "legend"}));
    for (const char* name : {"mountain", "valley", "cut"}) {
        EXPECT_EQ(widths[name], "0.0254") << name;
        EXPECT_TRUE(dashes[name].isEmpty()) << name;
    }
    EXPECT_EQ(texts, QStringList({"cut: red, solid", "mountain fold: blue, dashed", "valley fold: green, dotted",
                                  QString::fromUtf8("card 93.3 \u00D7 46.7 mm (opened)"),
                                  QString::fromUtf8("sheet 93.3 \u00D7 93.3 mm")}));

    QSvgRenderer renderer(svg);
    ASSERT_TRUE(renderer.isValid());
    QImage img(1050, 1485, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter painter(&img);
        renderer.render(&painter);
    }
    // Something of the legend shows below the sheet (which ends at 195 mm).
    int ink = 0;
    for (int y = 200 * 5; y < 235 * 5; ++y)
        for (int x = 55 * 5; x < 120 * 5; ++x) ink += qGray(img.pixel(x, y)) < 160;
    EXPECT_GT(ink, 200);
}

}  // namespace
}  // namespace pw
