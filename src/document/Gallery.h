#pragma once
#include <string>
#include <vector>

namespace pw {

// One card of the gallery: its name (letters, digits and dashes), how hard
// it is to cut and fold ("easy", "medium" or "hard") and its card file.
struct GalleryCard {
    std::string name;
    std::string difficulty;
    std::string path;     // the card file
    std::string picture;  // its thumbnail, a PNG beside it
};

// The gallery installed with the program: card files and their pictures
// in one folder, listed in the folder's index.txt, one card a line:
// "DIFFICULTY NAME FILE", '#' beginning a comment line.
struct Gallery {
    std::string folder;
    std::vector<GalleryCard> cards;  // in the index's order

    const GalleryCard* Find(const std::string& name) const;
};

// The difficulties in the order the gallery shows them.
const std::vector<std::string>& GalleryDifficulties();

// Reads the index of `folder`. False when there is none or a line of it is
// not a card of a known difficulty with a plain file name (the index is
// the program's own, so a broken one is not half used).
bool ReadGallery(const std::string& folder, Gallery& out);

// Where a program in `programFolder` finds the gallery: beside itself (the
// build tree), in the data folder next to its own bin folder, or in the
// data folder it was built for. The first folder with an index wins;
// `Gallery::folder` is empty when none has one.
Gallery FindGallery(const std::string& programFolder, const std::string& dataFolder);

}  // namespace pw
