#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "model/freeform/FreeformCard.h"

namespace pw {

// A free-form card file: JSON of the shape
//   {"format": "popwright-freeform", "version": 1, "width": 160, "half": 100,
//    "flats": [{"name": "House", "depth": 40, "outline": "M 20 0 H 70 V 50 H 20 Z",
//               "roofless": [[45, 50]]}]}
// with lengths in millimetres and outlines as SVG path data in the front
// view (z up). Fields this version does not know are kept and written back.

// Limits that keep a hostile file within bounded time and memory.
inline constexpr std::size_t kFreeformMaxFileBytes = 16u << 20;
inline constexpr std::size_t kFreeformMaxFlats = 1000;
inline constexpr std::size_t kFreeformMaxSegmentsPerFlat = 10000;
inline constexpr std::size_t kFreeformMaxSegments = 50000;
// The chords the card's curves make at the flattening tolerance.
inline constexpr std::size_t kFreeformMaxChords = 2000000;
// No length of a card reaches ten metres.
inline constexpr double kFreeformMaxLengthMm = 10000;

struct FreeformReadResult {
    FreeformCard card;
    std::string error;  // empty when read; otherwise one sentence naming the flat and the problem
    bool Ok() const { return error.empty(); }
};

// Reads and checks a card: the file's shape, every number, every outline
// (it parses, no loop crosses itself or another, it lies on the sheet).
FreeformReadResult ReadFreeformCard(std::string_view bytes);

// The file's bytes; ReadFreeformCard reads them back to the same card. The
// caller writes them through the program's safe file writer.
std::string WriteFreeformCard(const FreeformCard& card);

// The outline problems ReadFreeformCard refuses, for a card made otherwise
// (an editor): empty, or the sentence naming the first flat at fault.
std::string CheckFreeformOutlines(const FreeformCard& card);

}  // namespace pw
