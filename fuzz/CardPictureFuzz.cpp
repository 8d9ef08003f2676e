// Feeds arbitrary text to the card reader and draws every card it accepts as
// popwright-cli render and thumbnail do: the software renderer at a fold
// angle taken from the input, and the thumbnail's framing. The closing check
// kept between rebuild passes must agree with a fresh one, and the pictures
// must have the asked size.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "FuzzCheck.h"
#include "edit/EditedCard.h"
#include "model/AppSettings.h"
#include "model/CardFile.h"
#include "model/ClosingCheck.h"
#include "model/KeptGridSheet.h"
#include "model/RebuildPass.h"
#include "view3d/CardPictures.h"

namespace {

// Small cards only: the drawing of a large one costs as much as thousands of
// small inputs, and the sizes themselves are the card file tests' business.
constexpr std::size_t kMaxCells = 1 << 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using pw::fuzz::Require;
    if (size < 1) return -1;
    // The first byte picks the angle and the grid display; the rest is the card.
    const double angle = data[0] % 181;
    const bool grid = (data[0] & 0x80) != 0;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    pw::CellGrid read;
    if (!pw::ParseCard(in, read)) return 0;
    if (read.CellCount() > kMaxCells) return -1;

    pw::EditedCard card;
    card.AdoptReadCard(std::move(read));
    pw::ClosingCheck kept;
    Require(pw::RunRebuildPass(card.grid), "rebuild pass runs");
    pw::KeptGridSheet sheet;
    sheet.Update(card.grid, true);
    kept.Update(card.grid, sheet.Current(), sheet.Cells());
    const pw::ClosingReport fresh = pw::CheckClosing(card.grid);
    Require(kept.Report().overhang == fresh.overhang && kept.Report().columnRuns == fresh.columnRuns,
            "the kept closing check agrees with a fresh one");
    Require(pw::ClosingInfoLine(fresh).rfind("closes inside: ", 0) == 0, "the info line");

    pw::AppSettings settings;
    settings.view.gridDisplay = grid ? 1 : 0;
    const pw::CardImage view = pw::RenderCardView(card, settings, 48, 36, angle);
    Require(view.width == 48 && view.height == 36 && view.rgba.size() == 48u * 36u * 4u, "the view's picture");
    const pw::CardImage thumb = pw::RenderCardThumbnail(card, settings, 32);
    Require(thumb.width >= 1 && thumb.height >= 1 && (thumb.width == 32 || thumb.height == 32) &&
                thumb.rgba.size() == static_cast<std::size_t>(thumb.width) * thumb.height * 4,
            "the thumbnail's picture");
    return 0;
}
