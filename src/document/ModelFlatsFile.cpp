#include "document/ModelFlatsFile.h"

#include <cmath>
#include <locale>
#include <sstream>
#include <utility>

#include "import/ModelFile.h"

namespace pw {

ModelFlatsOutcome MakeModelFlats(const std::string& path, const ModelSlicing& how) {
    ModelFlatsOutcome outcome;
    Mesh mesh;
    if (!LoadModelFile(path, mesh, outcome.made.error)) {
        outcome.file = path;
        return outcome;
    }
    outcome.made = ModelFlats(mesh, how);
    return outcome;
}

bool ParseDepthList(const std::string& text, std::vector<double>& depths) {
    std::vector<double> read;
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    std::string item;
    while (std::getline(in, item, ',')) {
        std::istringstream number(item);
        number.imbue(std::locale::classic());
        double d = 0;
        if (!(number >> d) || !std::isfinite(d)) return false;
        number >> std::ws;
        if (!number.eof()) return false;
        read.push_back(d);
    }
    if (read.empty() || (!text.empty() && text.back() == ',')) return false;
    depths = std::move(read);
    return true;
}

}  // namespace pw
