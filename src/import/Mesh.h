#pragma once
#include <array>
#include <cstddef>
#include <vector>

namespace pw {

// A model's surface as plain triangles in the model's own coordinates:
// three corners per triangle, every node's placement already applied.
struct Mesh {
    std::vector<std::array<float, 3>> corners;

    std::size_t Triangles() const { return corners.size() / 3; }
};

// Which of the model's axes points up; x always points to the right.
enum class ModelUp {
    Z,  // z up, the viewer on the -y side (as most CAD and 3D-printing models)
    Y,  // y up, the viewer on the +z side (as glTF and many OBJ files)
};

}  // namespace pw
