#include "cli/FlatsFromModel.h"

#include "document/ModelFlatsFile.h"
#include "import/ImportMessages.h"

namespace pw {

FlatsFromSource ModelFlatsForCli(const std::string& model, const std::string& depths, double sizeMm, double atX,
                                 double atZ) {
    ModelSlicing how;
    how.heightMm = sizeMm;
    if (!depths.empty() && !ParseDepthList(depths, how.depthsMm)) {
        FlatsFromSource refused;
        refused.error = msg::kModelFlatsDepthList;
        return refused;
    }
    ModelFlatsOutcome outcome = MakeModelFlats(model, how);
    if (outcome.made.Made()) PlaceFlats(outcome.made.flats, sizeMm, atX, atZ);
    return std::move(outcome.made);
}

}  // namespace pw
