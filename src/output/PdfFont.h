#pragma once
#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace pw {

// A system font embedded in a PDF for text the standard Helvetica cannot
// show (Japanese legends and labels): found through fontconfig, the text
// shaped with HarfBuzz, and only the glyphs used written into the file (a
// subset made with HarfBuzz), with a ToUnicode map so that text extraction
// and search read the characters back.
class PdfEmbeddedFont {
public:
    // A font that has every character of the texts, preferring a Japanese
    // one; null when the system has none (or only fonts of a kind this
    // writer does not embed), and the caller falls back to Helvetica.
    static std::unique_ptr<PdfEmbeddedFont> For(const std::vector<std::string>& texts);
    ~PdfEmbeddedFont();
    PdfEmbeddedFont(const PdfEmbeddedFont&) = delete;
    PdfEmbeddedFont& operator=(const PdfEmbeddedFont&) = delete;

    // The text as a TJ operand, "[<0012003A> -20 <0101>]", in the font's
    // glyph numbers, keeping the glyphs for the subset and the map.
    std::string Shown(const std::string& utf8);

    // The five objects of the font, the first numbered `first`: the Type0
    // font (the one to name in the resources), its descendant CID font, the
    // descriptor, the subset font file and the ToUnicode map.
    std::vector<std::string> Objects(std::size_t first) const;

private:
    struct Faces;
    explicit PdfEmbeddedFont(std::unique_ptr<Faces> faces);
    std::unique_ptr<Faces> faces_;
    std::map<unsigned, int> advances_;         // glyph -> width in 1000ths of the size
    std::map<unsigned, std::u32string> text_;  // glyph -> the characters it shows
};

// Whether Helvetica in WinAnsiEncoding shows the text as the writer writes
// it: ASCII and the multiplication sign.
bool WinAnsiShows(const std::string& utf8);

}  // namespace pw
