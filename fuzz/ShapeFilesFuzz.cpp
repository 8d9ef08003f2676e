// Feeds arbitrary files to the picture and model readers and arbitrary text
// to the text renderer: the first byte picks which (see kKinds), the rest is
// the file. Whatever they accept must fit into a card as relief that keeps
// the grid invariants. The model readers' checks of declared sizes run on
// the same bytes (seeds with lying sizes and multiplying node trees).
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "edit/EditedCard.h"
#include "edit/ReliefEdit.h"
#include "import/ModelFile.h"
#include "import/ModelFlats.h"
#include "import/PictureFile.h"
#include "import/ReliefSource.h"
#include "model/GridInvariants.h"
#include "model/RebuildPass.h"

namespace {

// The picture reader, the model reader for each kind of model file, the text.
const char* const kKinds[] = {"picture", "obj", "stl", "ply", "gltf", "glb", "3mf", "text"};
constexpr std::size_t kKindCount = sizeof kKinds / sizeof kKinds[0];

void CheckRelief(const pw::DepthMap& map) {
    pw::EditedCard card;
    card.NewCard(42, 21);
    pw::ApplyDepthMap(card, map, false);
    pw::RunRebuildPass(card.grid);
    pw::fuzz::Require(pw::CheckGridInvariants(card.grid), "grid invariants after an insert");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // SVG pictures need a QGuiApplication, as in the command line.
    static pw::GuiForPictures gui;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return -1;
    const std::string kind = kKinds[data[0] % kKindCount];
    const std::uint8_t* file = data + 1;
    const std::size_t length = size - 1;
    pw::ReliefSettings settings;
    pw::DepthMap map;
    std::string error;
    if (kind == "picture") {
        pw::GreyImage picture;
        if (!pw::LoadPictureFromMemory(file, length, picture, error)) return 0;
        pw::fuzz::Require(!picture.Empty(), "a picture read has pixels");
        if (pw::PictureReliefMap(picture, settings, 42, 21, map, error)) CheckRelief(map);
    } else if (kind == "text") {
        if (length > 64) return -1;
        const std::string text(reinterpret_cast<const char*>(file), length);
        if (pw::TextReliefMap(text, settings, 42, 21, map, error)) CheckRelief(map);
    } else {
        pw::Mesh mesh;
        // A short time limit: a file that makes Assimp loop costs the run little.
        if (!pw::LoadModelFromMemory(file, length, kind, mesh, error, 2)) return 0;
        pw::fuzz::Require(mesh.Triangles() > 0 && mesh.Triangles() <= pw::kMaxModelTriangles,
                          "a model read has triangles, not too many");
        if (pw::ModelReliefMap(mesh, settings, 42, 21, map, error)) CheckRelief(map);
        // Sliced into flats, whatever the model: flats at their depths, or a reason.
        pw::ModelSlicing how;
        how.automaticCount = 3;
        const pw::FlatsFromSource flats = pw::ModelFlats(mesh, how);
        pw::fuzz::Require(flats.error.empty() == !flats.flats.empty(), "flats or a reason");
        for (const pw::FreeformFlat& flat : flats.flats)
            pw::fuzz::Require(flat.depth > 0 && !flat.loops.empty(), "a model's flat stands in front of the back");
    }
    return 0;
}
