#include "document/Gallery.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace pw {

namespace {

// The index is a short list; anything longer is not the program's.
constexpr std::streamsize kMaxIndexBytes = 64 * 1024;

bool PlainName(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_';
    }) && s.front() != '.';
}

std::string PictureOf(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    return path.substr(0, dot) + ".png";
}

}  // namespace

const GalleryCard* Gallery::Find(const std::string& name) const {
    for (const GalleryCard& card : cards)
        if (card.name == name) return &card;
    return nullptr;
}

const std::vector<std::string>& GalleryDifficulties() {
    static const std::vector<std::string> difficulties = {"easy", "medium", "hard"};
    return difficulties;
}

bool ReadGallery(const std::string& folder, Gallery& out) {
    std::ifstream in(folder + "/index.txt", std::ios::binary);
    if (!in) return false;
    std::string text(static_cast<std::size_t>(kMaxIndexBytes) + 1, '\0');
    in.read(&text[0], kMaxIndexBytes + 1);
    if (in.gcount() > kMaxIndexBytes) return false;
    text.resize(static_cast<std::size_t>(in.gcount()));

    Gallery gallery;
    gallery.folder = folder;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        GalleryCard card;
        std::string file, extra;
        if (!(words >> card.difficulty >> card.name >> file) || (words >> extra)) return false;
        const auto& known = GalleryDifficulties();
        if (std::find(known.begin(), known.end(), card.difficulty) == known.end()) return false;
        if (!PlainName(card.name) || !PlainName(file) || gallery.Find(card.name)) return false;
        card.path = folder + "/" + file;
        card.picture = PictureOf(card.path);
        gallery.cards.push_back(std::move(card));
    }
    out = std::move(gallery);
    return true;
}

Gallery FindGallery(const std::string& programFolder, const std::string& dataFolder) {
    for (const std::string& folder : {programFolder + "/gallery", programFolder + "/../share/popwright/gallery",
                                      dataFolder + "/popwright/gallery"}) {
        Gallery gallery;
        if (ReadGallery(folder, gallery)) return gallery;
    }
    return {};
}

}  // namespace pw
