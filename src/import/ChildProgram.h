#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace pw {

// What became of a program run by RunProgram.
enum class ProgramOutcome {
    Finished,   // it exited with status 0; `output` is what it wrote
    Missing,    // it could not be started (no such file, not executable)
    Failed,     // it exited with another status or was killed by a signal
    TooSlow,    // it ran past the time limit and was stopped
    TooMuch,    // it wrote more than the output limit and was stopped
};

struct ProgramRun {
    ProgramOutcome outcome = ProgramOutcome::Missing;
    std::string output;
};

// Runs the program at `path` (no search of PATH) with `arguments`, `input`
// as its standard input and its errors discarded, and collects its standard
// output. A program that runs longer than `seconds` or writes more than
// `maxOutput` bytes is killed; the caller never waits longer than that.
ProgramRun RunProgram(const std::string& path, const std::vector<std::string>& arguments, const std::string& input,
                      int seconds, std::size_t maxOutput);

}  // namespace pw
