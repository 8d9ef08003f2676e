#include "model/freeform/SvgPathData.h"

#include <charconv>
#include <cmath>

namespace pw {

namespace {

bool IsSeparator(char c) { return c == ' ' || c == ',' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// Reads the path data's tokens; remembers the first problem and stops there.
class Reader {
public:
    Reader(std::string_view text, double maxMagnitude) : text_(text), maxMagnitude_(maxMagnitude) {}

    void SkipSeparators() {
        while (pos_ < text_.size() && IsSeparator(text_[pos_])) ++pos_;
    }
    bool AtEnd() {
        SkipSeparators();
        return pos_ >= text_.size();
    }
    // The next token is a number (implicit repetition of a command).
    bool NumberNext() {
        SkipSeparators();
        if (pos_ >= text_.size()) return false;
        const char c = text_[pos_];
        return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.';
    }
    char Command() { return text_[pos_++]; }

    bool Number(double& value) {
        SkipSeparators();
        const std::size_t start = pos_;
        std::size_t p = pos_;
        auto digits = [&] {
            const std::size_t from = p;
            while (p < text_.size() && text_[p] >= '0' && text_[p] <= '9') ++p;
            return p > from;
        };
        if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) ++p;
        bool any = digits();
        if (p < text_.size() && text_[p] == '.') {
            ++p;
            any = digits() || any;
        }
        if (!any) return Fail("expected a number");
        if (p < text_.size() && (text_[p] == 'e' || text_[p] == 'E')) {
            std::size_t q = p + 1;
            if (q < text_.size() && (text_[q] == '+' || text_[q] == '-')) ++q;
            if (q < text_.size() && text_[q] >= '0' && text_[q] <= '9') {
                p = q;
                digits();
            }
        }
        // from_chars takes no leading plus and ignores the locale.
        const std::size_t from = text_[start] == '+' ? start + 1 : start;
        const auto result = std::from_chars(text_.data() + from, text_.data() + p, value);
        if (result.ec != std::errc() || result.ptr != text_.data() + p || !std::isfinite(value) ||
            std::fabs(value) > maxMagnitude_)
            return Fail("a number is not finite or too large");
        pos_ = p;
        return true;
    }
    bool Flag(bool& value) {
        SkipSeparators();
        if (pos_ < text_.size() && (text_[pos_] == '0' || text_[pos_] == '1')) {
            value = text_[pos_++] == '1';
            return true;
        }
        return Fail("expected an arc flag 0 or 1");
    }
    bool Fail(const char* what) {
        if (error_.empty()) error_ = std::string(what) + " at character " + std::to_string(pos_ + 1);
        return false;
    }
    const std::string& Error() const { return error_; }

private:
    std::string_view text_;
    double maxMagnitude_;
    std::size_t pos_ = 0;
    std::string error_;
};

SheetPoint Plus(SheetPoint a, SheetPoint b) { return {a.x + b.x, a.s + b.s}; }
SheetPoint Lerp(SheetPoint a, SheetPoint b, double t) { return {a.x + (b.x - a.x) * t, a.s + (b.s - a.s) * t}; }

double VectorAngle(double ux, double uy, double vx, double vy) {
    return std::atan2(ux * vy - uy * vx, ux * vx + uy * vy);
}

// Builds the loops from the commands' geometry.
class LoopMaker {
public:
    explicit LoopMaker(std::size_t maxSegments) : maxSegments_(maxSegments) {}

    SheetPoint Current() const { return current_; }
    void MoveTo(SheetPoint p) {
        Finish();
        path_ = SheetPath(p);
        current_ = p;
        open_ = true;
    }
    bool LineTo(SheetPoint p) {
        if (!Count()) return false;
        path_.LineTo(p);
        current_ = p;
        return true;
    }
    bool CubicTo(SheetPoint c1, SheetPoint c2, SheetPoint p) {
        if (!Count()) return false;
        path_.CubicTo(c1, c2, p);
        current_ = p;
        return true;
    }
    bool ArcTo(double rx, double ry, double rotationDeg, bool large, bool sweep, SheetPoint p);
    void Close() {
        Finish();
        current_ = path_.start;
    }
    std::vector<SheetPath> Take() {
        Finish();
        return std::move(loops_);
    }
    bool TooMany() const { return tooMany_; }

private:
    bool Count() {
        if (++segments_ > maxSegments_) tooMany_ = true;
        return !tooMany_;
    }
    // A subpath ends closed, as a filled outline is.
    void Finish() {
        if (open_ && !path_.segments.empty()) {
            if (path_.End() == path_.start && path_.segments.size() > 1 && path_.segments.back().shape == SegmentShape::Line)
                path_.segments.pop_back();
            path_.Close();
            loops_.push_back(path_);
        }
        open_ = false;
    }

    std::size_t maxSegments_, segments_ = 0;
    bool tooMany_ = false, open_ = false;
    SheetPath path_;
    SheetPoint current_;
    std::vector<SheetPath> loops_;
};

bool LoopMaker::ArcTo(double rx, double ry, double rotationDeg, bool large, bool sweep, SheetPoint p) {
    for (const PathSegment& seg : SvgArcSegments(current_, rx, ry, rotationDeg, large, sweep, p, true)) {
        if (!Count()) return false;
        path_.segments.push_back(seg);
    }
    current_ = p;
    return true;
}

int ArgumentCount(char upper) {
    switch (upper) {
        case 'M': case 'L': return 2;
        case 'H': case 'V': return 1;
        case 'C': return 6;
        case 'S': case 'Q': return 4;
        case 'A': return 7;
        default: return 0;
    }
}

}  // namespace

// The endpoint form of an arc turned into its centre form, as SVG's
// implementation notes do it.
std::vector<PathSegment> SvgArcSegments(SheetPoint from, double rx, double ry, double rotationDeg, bool large, bool sweep,
                                        SheetPoint p, bool keepCircles) {
    std::vector<PathSegment> out;
    if (from == p) return out;  // SVG draws nothing
    rx = std::fabs(rx);
    ry = std::fabs(ry);
    if (rx == 0 || ry == 0) {
        out.push_back(PathSegment{SegmentShape::Line, p, {}, 0, {}, {}});
        return out;
    }
    const double phi = rotationDeg * M_PI / 180, c = std::cos(phi), s = std::sin(phi);
    const double dx = (from.x - p.x) / 2, dy = (from.s - p.s) / 2;
    const double x1 = c * dx + s * dy, y1 = -s * dx + c * dy;
    const double lambda = x1 * x1 / (rx * rx) + y1 * y1 / (ry * ry);
    if (lambda > 1) {
        rx *= std::sqrt(lambda);
        ry *= std::sqrt(lambda);
    }
    const double num = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
    const double den = rx * rx * y1 * y1 + ry * ry * x1 * x1;
    const double coef = (large != sweep ? 1 : -1) * std::sqrt(std::max(0.0, num / den));
    const double cx1 = coef * rx * y1 / ry, cy1 = -coef * ry * x1 / rx;
    const SheetPoint centre{c * cx1 - s * cy1 + (from.x + p.x) / 2, s * cx1 + c * cy1 + (from.s + p.s) / 2};
    const double theta1 = VectorAngle(1, 0, (x1 - cx1) / rx, (y1 - cy1) / ry);
    double delta = std::fmod(VectorAngle((x1 - cx1) / rx, (y1 - cy1) / ry, (-x1 - cx1) / rx, (-y1 - cy1) / ry), 2 * M_PI);
    if (!sweep && delta > 0) delta -= 2 * M_PI;
    if (sweep && delta < 0) delta += 2 * M_PI;

    if (keepCircles && std::fabs(rx - ry) <= 1e-9 * std::max(rx, ry)) {
        SheetPath arc(from);
        arc.ArcAround(centre, delta);
        arc.segments.back().end = p;  // the arc ends where the data says, not a rounding away
        return arc.segments;
    }
    // An ellipse: cubics of at most a quarter turn each, within a few
    // micrometres of it at any size the card allows.
    const int n = static_cast<int>(std::ceil(std::fabs(delta) / (M_PI / 2) - 1e-9));
    const double step = delta / n, k = 4.0 / 3.0 * std::tan(step / 4);
    auto at = [&](double t) {
        const double ex = rx * std::cos(t), ey = ry * std::sin(t);
        return SheetPoint{centre.x + c * ex - s * ey, centre.s + s * ex + c * ey};
    };
    auto tangent = [&](double t) {
        const double ex = -rx * std::sin(t), ey = ry * std::cos(t);
        return SheetPoint{c * ex - s * ey, s * ex + c * ey};
    };
    for (int i = 0; i < n; ++i) {
        const double a = theta1 + step * i, b = a + step;
        const SheetPoint pa = i == 0 ? from : at(a), pb = i == n - 1 ? p : at(b);
        const SheetPoint ta = tangent(a), tb = tangent(b);
        PathSegment seg;
        seg.shape = SegmentShape::Cubic;
        seg.control1 = {pa.x + k * ta.x, pa.s + k * ta.s};
        seg.control2 = {pb.x - k * tb.x, pb.s - k * tb.s};
        seg.end = pb;
        out.push_back(seg);
    }
    return out;
}

PathDataResult ParsePathData(std::string_view text, std::size_t maxSegments, double maxMagnitude) {
    Reader in(text, maxMagnitude);
    LoopMaker loops(maxSegments);
    PathDataResult result;
    char command = 0;
    bool started = false;
    SheetPoint lastControl;  // the second control point of the last cubic
    bool lastWasCubic = false;

    while (!in.AtEnd()) {
        if (!in.NumberNext()) {
            command = in.Command();
        } else if (command == 0 || command == 'Z' || command == 'z') {
            in.Fail("a number where a command belongs");
            break;
        }
        const char upper = static_cast<char>(command & ~0x20);
        const bool relative = command >= 'a';
        if (upper == 'Z') {
            if (!started) {
                in.Fail("a path closes before it starts");
                break;
            }
            loops.Close();
            lastWasCubic = false;
            continue;
        }
        const int count = ArgumentCount(upper);
        if (count == 0) {
            in.Fail("not a path command");
            break;
        }
        if (!started && upper != 'M') {
            in.Fail("a path must start with M");
            break;
        }
        double a[7] = {0, 0, 0, 0, 0, 0, 0};
        bool ok = true;
        for (int i = 0; i < count && ok; ++i) {
            if (upper == 'A' && (i == 3 || i == 4)) {
                bool flag = false;
                ok = in.Flag(flag);
                a[i] = flag;
            } else {
                ok = in.Number(a[i]);
            }
        }
        if (!ok) break;
        const SheetPoint here = loops.Current();
        const SheetPoint origin = relative ? here : SheetPoint{};
        auto point = [&](int i) { return Plus(origin, {a[i], a[i + 1]}); };
        bool cubic = false;
        switch (upper) {
            case 'M':
                loops.MoveTo(point(0));
                started = true;
                command = relative ? 'l' : 'L';  // coordinates after M are lines
                break;
            case 'L': ok = loops.LineTo(point(0)); break;
            case 'H': ok = loops.LineTo({relative ? here.x + a[0] : a[0], here.s}); break;
            case 'V': ok = loops.LineTo({here.x, relative ? here.s + a[0] : a[0]}); break;
            case 'C':
                lastControl = point(2);
                ok = loops.CubicTo(point(0), point(2), point(4));
                cubic = true;
                break;
            case 'S': {
                const SheetPoint c1 = lastWasCubic ? SheetPoint{2 * here.x - lastControl.x, 2 * here.s - lastControl.s} : here;
                lastControl = point(0);
                ok = loops.CubicTo(c1, point(0), point(2));
                cubic = true;
                break;
            }
            case 'Q': {
                const SheetPoint q = point(0), to = point(2);
                ok = loops.CubicTo(Lerp(here, q, 2.0 / 3), Lerp(to, q, 2.0 / 3), to);
                break;
            }
            case 'A': ok = loops.ArcTo(a[0], a[1], a[2], a[3] != 0, a[4] != 0, point(5)); break;
        }
        lastWasCubic = cubic;
        if (!ok) break;
    }
    if (loops.TooMany()) {
        result.error = "more than " + std::to_string(maxSegments) + " segments";
        result.tooManySegments = true;
    } else if (!in.Error().empty()) {
        result.error = in.Error();
    } else {
        result.loops = loops.Take();
        if (result.loops.empty()) result.error = "the path is empty";
    }
    return result;
}

namespace {

void Put(std::string& out, double v) {
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v == 0 ? 0.0 : v);  // no "-0"
    out.append(buffer, r.ptr);
}

void PutPoint(std::string& out, SheetPoint p) {
    out += ' ';
    Put(out, p.x);
    out += ' ';
    Put(out, p.s);
}

void PutArc(std::string& out, SheetPoint from, SheetPoint centre, double sweep, SheetPoint to) {
    const double r = std::hypot(from.x - centre.x, from.s - centre.s);
    out += " A ";
    Put(out, r);
    out += ' ';
    Put(out, r);
    out += std::fabs(sweep) > M_PI ? " 0 1 " : " 0 0 ";
    out += sweep > 0 ? '1' : '0';
    PutPoint(out, to);
}

}  // namespace

std::string WritePathData(const std::vector<SheetPath>& loops) {
    std::string out;
    for (const SheetPath& loop : loops) {
        if (!out.empty()) out += ' ';
        out += 'M';
        PutPoint(out, loop.start);
        SheetPoint from = loop.start;
        for (const PathSegment& seg : loop.segments) {
            switch (seg.shape) {
                case SegmentShape::Line:
                    out += " L";
                    PutPoint(out, seg.end);
                    break;
                case SegmentShape::Cubic:
                    out += " C";
                    PutPoint(out, seg.control1);
                    PutPoint(out, seg.control2);
                    PutPoint(out, seg.end);
                    break;
                case SegmentShape::Arc:
                    // An arc's ends cannot tell a whole turn: it goes out as two halves.
                    if (std::fabs(seg.sweep) > 2 * M_PI - 1e-6) {
                        const double r = std::hypot(from.x - seg.centre.x, from.s - seg.centre.s);
                        const double mid = std::atan2(from.s - seg.centre.s, from.x - seg.centre.x) + seg.sweep / 2;
                        const SheetPoint m{seg.centre.x + r * std::cos(mid), seg.centre.s + r * std::sin(mid)};
                        PutArc(out, from, seg.centre, seg.sweep / 2, m);
                        PutArc(out, m, seg.centre, seg.sweep / 2, seg.end);
                    } else {
                        PutArc(out, from, seg.centre, seg.sweep, seg.end);
                    }
                    break;
            }
            from = seg.end;
        }
        if (loop.closed) out += " Z";
    }
    return out;
}

}  // namespace pw
