#include "document/ReliefMaps.h"

#include "import/ModelFile.h"
#include "model/CellGrid.h"

namespace pw {

ReliefMapOutcome MakeTextRelief(const std::string& text, const ReliefSettings& settings, const CellGrid& card,
                                DepthMap& map) {
    ReliefMapOutcome outcome;
    outcome.made = TextReliefMap(text, settings, card.gridWidth, card.gridHeight, map, outcome.error, &outcome.warning);
    return outcome;
}

bool ReadReliefModel(const std::string& path, Mesh& mesh, std::string& error) {
    return LoadModelFile(path, mesh, error);
}

ReliefMapOutcome MakeModelRelief(const std::string& path, const ReliefSettings& settings, const CellGrid& card,
                                 DepthMap& map) {
    ReliefMapOutcome outcome;
    Mesh mesh;
    if (!ReadReliefModel(path, mesh, outcome.error)) {
        outcome.file = path;
        return outcome;
    }
    outcome.made = ModelReliefMap(mesh, settings, card.gridWidth, card.gridHeight, map, outcome.error);
    return outcome;
}

}  // namespace pw
