#include "import/SvgFlats.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string_view>

#include <libxml/tree.h>
// SVG++ (a header-only library on Boost) walks the document: it reads
// lengths with their units, viewBox and preserveAspectRatio, transform lists
// and path data, turns the basic shapes into paths and makes relative and
// shorthand path commands absolute, so none of that syntax is hand-written
// here. Its libxml2 adapter lets it walk the tree libxml2 read safely.
#include <svgpp/policy/xml/libxml2.hpp>
#include <svgpp/svgpp.hpp>

#include "import/SvgFill.h"
#include "import/SvgFlatsMessages.h"
#include "import/SvgXml.h"
#include "model/freeform/FreeformFile.h"
#include "model/freeform/SvgPathData.h"

namespace pw {

namespace {

constexpr const char* kInkscapeNs = "http://www.inkscape.org/namespaces/inkscape";
constexpr double kMmPerPx = 25.4 / 96;

// An affine map as SVG writes it: x' = a x + c y + e, y' = b x + d y + f.
using Affine = std::array<double, 6>;

Affine Compose(const Affine& m, const Affine& n) {  // m after n
    return {m[0] * n[0] + m[2] * n[1], m[1] * n[0] + m[3] * n[1], m[0] * n[2] + m[2] * n[3],
            m[1] * n[2] + m[3] * n[3], m[0] * n[4] + m[2] * n[5] + m[4], m[1] * n[4] + m[3] * n[5] + m[5]};
}

SheetPoint Apply(const Affine& m, double x, double y) { return {m[0] * x + m[2] * y + m[4], m[1] * x + m[3] * y + m[5]}; }
SheetPoint Apply(const Affine& m, SheetPoint p) { return Apply(m, p.x, p.s); }

// A circle stays a circle only under a map that turns, scales alike and
// mirrors.
bool IsSimilarity(const Affine& m) {
    const double c1 = m[0] * m[0] + m[1] * m[1], c2 = m[2] * m[2] + m[3] * m[3];
    return std::fabs(m[0] * m[2] + m[1] * m[3]) <= 1e-12 * std::max(c1, c2) && std::fabs(c1 - c2) <= 1e-12 * std::max(c1, c2);
}

struct TooManySegments : std::exception {};

std::string Trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    return std::string(s.substr(first, last - first + 1));
}

// A name and a depth from a label such as "tower depth=45": the depth in
// millimetres, or nothing; the name without it.
struct NamedDepth {
    std::string name;
    std::optional<double> depth;
    bool unreadable = false;
};

NamedDepth ReadLabel(const std::string& label) {
    NamedDepth out;
    std::string lower = label;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return static_cast<char>(c | 0x20); });
    const auto at = lower.find("depth=");
    if (at == std::string::npos) {
        out.name = Trimmed(label);
        return out;
    }
    const std::string number = label.substr(at + 6);
    char* end = nullptr;
    const double value = std::strtod(number.c_str(), &end);
    std::size_t used = static_cast<std::size_t>(end - number.c_str());
    if (used == 0 || !std::isfinite(value) || value <= 0 || value > kFreeformMaxLengthMm)
        out.unreadable = true;
    else
        out.depth = value;
    if (number.compare(used, 2, "mm") == 0) used += 2;
    out.name = Trimmed(label.substr(0, at) + " " + number.substr(used));
    return out;
}

bool HasPhysicalSize(const std::string& length) {
    const std::string t = Trimmed(length);
    if (t.size() < 2) return false;
    const std::string unit = t.substr(t.size() - 2);
    return unit == "mm" || unit == "cm" || unit == "in" || unit == "pt" || unit == "pc";
}

// What one element of the tree passes to its children.
struct ElementState {
    Affine ctm;
    bool skipped = false;  // inside an element not drawn (display: none below a layer)
    bool evenOdd = false;  // fill-rule, inherited
};

// Receives SVG++'s events for the whole drawing and collects the flats.
class FlatsCollector {
public:
    FlatsCollector(const xmlNode* root, double defaultDepth) : root_(root), defaultDepth_(defaultDepth) {
        states_.push_back({Affine{kMmPerPx, 0, 0, -kMmPerPx, 0, 0}, false});  // px to mm, y up
    }

    void OnEnter(const xmlNode* node) {
        states_.push_back(states_.back());
        if (node->parent != root_) return;
        std::string label = XmlAttribute(node, "label", kInkscapeNs);
        if (label.empty()) label = XmlAttribute(node, "id", nullptr);
        NamedDepth named = ReadLabel(label);
        FreeformFlat flat;
        flat.name = named.name;
        flat.depth = named.depth.value_or(defaultDepth_);
        badDepth_ = badDepth_ || named.unreadable;
        flats_.push_back(std::move(flat));
        shapes_.emplace_back();
        topLevel_ = true;
    }
    // An element's attributes are all read by its end: its fill rule and
    // visibility apply to the loops it drew.
    void OnExit() {
        if (!loops_.empty() && !states_.back().skipped && !shapes_.empty())
            shapes_.back().push_back(SvgShape{std::move(loops_), states_.back().evenOdd});
        loops_.clear();
        states_.pop_back();
        topLevel_ = false;
    }

    // Transforms and viewports.
    void transform_matrix(const boost::array<double, 6>& m) {
        Affine& ctm = states_.back().ctm;
        ctm = Compose(ctm, Affine{m[0], m[1], m[2], m[3], m[4], m[5]});
    }
    void set_viewport(double x, double y, double, double) { transform_matrix({1, 0, 0, 1, x, y}); }
    void set_viewbox_transform(double tx, double ty, double sx, double sy, bool) { transform_matrix({sx, 0, 0, sy, tx, ty}); }
    void set_viewbox_size(double, double) {}
    void disable_rendering() { states_.back().skipped = true; }

    // Presentation: a layer hidden in the drawing comes in as a hidden flat;
    // anything hidden inside a layer is left out.
    void set(svgpp::tag::attribute::display, svgpp::tag::value::none) {
        if (topLevel_ && !flats_.empty())
            flats_.back().hidden = true;
        else
            states_.back().skipped = true;
    }
    template <class Value>
    void set(svgpp::tag::attribute::display, Value) {}
    void set(svgpp::tag::attribute::fill_rule, svgpp::tag::value::nonzero) { states_.back().evenOdd = false; }
    void set(svgpp::tag::attribute::fill_rule, svgpp::tag::value::evenodd) { states_.back().evenOdd = true; }

    // Paths, absolute and without shorthands.
    void path_move_to(double x, double y, svgpp::tag::coordinate::absolute) {
        FinishLoop();
        here_ = subpathStart_ = {x, y};
        loop_ = SheetPath(Apply(states_.back().ctm, here_));
        open_ = true;
    }
    void path_line_to(double x, double y, svgpp::tag::coordinate::absolute) {
        here_ = {x, y};
        Add(PathSegment{SegmentShape::Line, Apply(states_.back().ctm, here_), {}, 0, {}, {}});
    }
    void path_cubic_bezier_to(double x1, double y1, double x2, double y2, double x, double y, svgpp::tag::coordinate::absolute) {
        const Affine& m = states_.back().ctm;
        here_ = {x, y};
        Add(PathSegment{SegmentShape::Cubic, Apply(m, here_), {}, 0, Apply(m, x1, y1), Apply(m, x2, y2)});
    }
    void path_quadratic_bezier_to(double x1, double y1, double x, double y, svgpp::tag::coordinate::absolute) {
        // The cubic a quadratic curve is, exactly.
        const SheetPoint from = here_;
        path_cubic_bezier_to(from.x + (x1 - from.x) * 2 / 3, from.s + (y1 - from.s) * 2 / 3, x + (x1 - x) * 2 / 3,
                             y + (y1 - y) * 2 / 3, x, y, svgpp::tag::coordinate::absolute());
    }
    void path_elliptical_arc_to(double rx, double ry, double rotation, bool large, bool sweep, double x, double y,
                                svgpp::tag::coordinate::absolute) {
        const Affine& m = states_.back().ctm;
        const double mirror = (m[0] * m[3] - m[1] * m[2]) < 0 ? -1 : 1;
        for (PathSegment seg : SvgArcSegments(here_, rx, ry, rotation, large, sweep, {x, y}, IsSimilarity(m))) {
            seg.end = Apply(m, seg.end);
            seg.centre = Apply(m, seg.centre);
            seg.control1 = Apply(m, seg.control1);
            seg.control2 = Apply(m, seg.control2);
            seg.sweep *= mirror;
            Add(seg);
        }
        here_ = {x, y};
    }
    void path_close_subpath() {
        FinishLoop();
        here_ = subpathStart_;
    }
    void path_exit() { FinishLoop(); }

    std::vector<FreeformFlat> TakeFlats() {
        for (std::size_t i = 0; i < flats_.size(); ++i) {
            bool merged = false;
            flats_[i].loops = FilledOutline(shapes_[i], merged);
            merged_ = merged_ || merged;
        }
        return std::move(flats_);
    }
    bool Merged() const { return merged_; }
    bool BadDepth() const { return badDepth_; }

private:
    void Add(const PathSegment& seg) {
        if (!open_) return;
        if (++segments_ > kSvgMaxSegments) throw TooManySegments();
        loop_.segments.push_back(seg);
    }
    // Every subpath is filled as if closed; one without area (a line) is left out.
    void FinishLoop() {
        if (open_) {
            if (loop_.segments.size() > 1 && loop_.segments.back().shape == SegmentShape::Line && loop_.End() == loop_.start)
                loop_.segments.pop_back();
            loop_.Close();
            if (HasArea(loop_)) loops_.push_back(loop_);
        }
        open_ = false;
    }
    static bool HasArea(const SheetPath& loop) {
        const std::vector<SheetPoint> points = FlattenPath(loop, kFlatteningToleranceMm);
        double twice = 0;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const SheetPoint& a = points[i];
            const SheetPoint& b = points[(i + 1) % points.size()];
            twice += a.x * b.s - b.x * a.s;
        }
        return std::fabs(twice) > 1e-12;
    }

    const xmlNode* root_;
    double defaultDepth_;
    std::vector<ElementState> states_;
    std::vector<FreeformFlat> flats_;
    std::vector<std::vector<SvgShape>> shapes_;  // each flat's shapes
    std::vector<FrontLoop> loops_;  // the current element's
    bool topLevel_ = false, badDepth_ = false, open_ = false, merged_ = false;
    SheetPoint here_, subpathStart_;  // in the drawing's units
    SheetPath loop_;
    std::size_t segments_ = 0;
};

// SVG++ enters each element through a context factory; this one hands the
// libxml2 node to the collector, which needs its Inkscape label and parent.
template <class Parent>
class NodeEntry : boost::noncopyable {
public:
    using type = Parent;
    NodeEntry(Parent& context, xmlNode* const& node) : context_(context) { context_.OnEnter(node); }
    type& get() const { return context_; }
    void on_exit_element() const { context_.OnExit(); }

private:
    Parent& context_;
};

struct NodeEntryFactories {
    template <class Parent, class ElementTag>
    struct apply {
        using type = NodeEntry<Parent>;
    };
};

// Attributes SVG++ does not know (Inkscape's, data-*, unknown CSS) are
// ignored rather than refused; a value it cannot read still stops the read.
template <class Context>
struct LenientErrors : svgpp::policy::error::raise_exception<Context> {
    template <class XMLElement, class ElementName>
    static bool unknown_element(Context const&, XMLElement const&, ElementName const&) { return true; }
    template <class XMLAttribute, class AttributeName, class Source>
    static bool unknown_attribute(Context const&, XMLAttribute const&, AttributeName const&, Source) { return true; }
    template <class XMLAttribute, class AttributeName, class NamespaceId, class Source>
    static bool unknown_attribute(Context const&, XMLAttribute const&, AttributeName const&, NamespaceId, Source) { return true; }
};

using ProcessedElements = boost::mpl::set<svgpp::tag::element::svg, svgpp::tag::element::g, svgpp::tag::element::path,
                                          svgpp::tag::element::rect, svgpp::tag::element::circle, svgpp::tag::element::ellipse,
                                          svgpp::tag::element::line, svgpp::tag::element::polyline,
                                          svgpp::tag::element::polygon>::type;

// A set with more members, for SVG++'s lists of what it reads.
template <class Set, class... Items>
struct With {
    using type = Set;
};
template <class Set, class First, class... Rest>
struct With<Set, First, Rest...> {
    using type = typename With<typename boost::mpl::insert<Set, First>::type, Rest...>::type;
};

template <class Attribute>
using OfSvg = boost::mpl::pair<svgpp::tag::element::svg, Attribute>;

namespace att = svgpp::tag::attribute;
using ProcessedAttributes =
    With<svgpp::traits::shapes_attributes_by_element, att::transform, att::display, att::fill_rule, OfSvg<att::x>, OfSvg<att::y>,
         OfSvg<att::width>, OfSvg<att::height>, OfSvg<att::viewBox>, OfSvg<att::preserveAspectRatio>>::type;

// Path data and points are read after the element's other attributes, so
// that a transform written after them already holds (Inkscape writes it
// there); the basic shapes wait for their attributes anyway.
template <class ElementTag>
struct DeferredOf {
    using type = boost::mpl::empty_sequence;
};
template <>
struct DeferredOf<svgpp::tag::element::path> {
    using type = boost::mpl::vector1<att::d>;
};
template <>
struct DeferredOf<svgpp::tag::element::polygon> {
    using type = boost::mpl::vector1<att::points>;
};
template <>
struct DeferredOf<svgpp::tag::element::polyline> {
    using type = boost::mpl::vector1<att::points>;
};
struct GeometryLast : svgpp::policy::attribute_traversal::default_policy {
    using get_deferred_attributes_by_element = boost::mpl::quote1<DeferredOf>;
};

using Traversal = svgpp::document_traversal<svgpp::processed_elements<ProcessedElements>,
                                            svgpp::processed_attributes<ProcessedAttributes>,
                                            svgpp::viewport_policy<svgpp::policy::viewport::calculate>,
                                            svgpp::context_factories<NodeEntryFactories>,
                                            svgpp::attribute_traversal_policy<GeometryLast>,
                                            svgpp::error_policy<LenientErrors<FlatsCollector>>>;

// Counts what is left out: text, pictures, copies by reference, scripts.
bool HasLeftOut(const xmlNode* node) {
    static constexpr const char* kLeftOut[] = {"text", "image", "use", "script", "foreignObject"};
    for (const xmlNode* n = node; n; n = n->next) {
        if (n->type != XML_ELEMENT_NODE) continue;
        for (const char* name : kLeftOut)
            if (xmlStrcmp(n->name, BAD_CAST name) == 0) return true;
        if (HasLeftOut(n->children)) return true;
    }
    return false;
}

// A root without a physical size, or with a percentage, takes its viewBox's
// size in pixels (a percentage of nothing is no size).
void SizeRootFromViewBox(xmlNode* root) {
    const std::string box = XmlAttribute(root, "viewBox", nullptr);
    double v[4] = {0, 0, 0, 0};
    const char* p = box.c_str();
    for (double& value : v) {
        while (*p == ' ' || *p == ',' || *p == '\t' || *p == '\n' || *p == '\r') ++p;
        char* end = nullptr;
        value = std::strtod(p, &end);
        if (end == p) return;
        p = end;
    }
    for (const char* name : {"width", "height"}) {
        const std::string given = Trimmed(XmlAttribute(root, name, nullptr));
        if (given.empty() || given.back() == '%')
            xmlSetProp(root, BAD_CAST name, BAD_CAST std::to_string(name[0] == 'w' ? v[2] : v[3]).c_str());
    }
}

}  // namespace

FlatsFromSource SvgFlats(const std::string& bytes, double defaultDepthMm) {
    FlatsFromSource result;
    if (bytes.size() > kSvgMaxBytes) {
        result.error = msg::kSvgTooLarge;
        return result;
    }
    SvgXml xml = ReadSvgXml(bytes);
    if (!xml.doc) {
        result.error = xml.error;
        return result;
    }
    xmlNode* root = xmlDocGetRootElement(xml.doc.get());
    if (!HasPhysicalSize(XmlAttribute(root, "width", nullptr)) || !HasPhysicalSize(XmlAttribute(root, "height", nullptr)))
        result.notes.push_back(msg::kSvgPixelUnits);
    SizeRootFromViewBox(root);
    FlatsCollector collector(root, defaultDepthMm);
    try {
        Traversal::load_document(root, collector);
    } catch (const TooManySegments&) {
        result.error = msg::kSvgTooManyNodes;
        return result;
    } catch (const std::exception&) {
        result.error = msg::kSvgBadValue;
        return result;
    }
    for (FreeformFlat& flat : collector.TakeFlats())
        if (!flat.loops.empty()) result.flats.push_back(std::move(flat));
    if (result.flats.empty()) {
        result.error = msg::kSvgNoShapes;
        result.notes.clear();
        return result;
    }
    if (collector.BadDepth()) result.notes.push_back(msg::kSvgBadDepth);
    if (collector.Merged()) result.notes.push_back(msg::kSvgMerged);
    if (HasLeftOut(root->children)) result.notes.push_back(msg::kSvgLeftOut);
    return result;
}

}  // namespace pw
