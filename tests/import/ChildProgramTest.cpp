#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "import/ChildProgram.h"

namespace pw {
namespace {

TEST(ChildProgram, HandsBackWhatTheProgramWroteOrSaysWhyNot) {
    std::mt19937 random(7);
    std::string input(300'000, '\0');
    for (char& c : input) c = static_cast<char>(random());
    const ProgramRun echoed = RunProgram("/bin/cat", {}, input, 10, input.size());
    EXPECT_EQ(echoed.outcome, ProgramOutcome::Finished);
    EXPECT_EQ(echoed.output, input);

    EXPECT_EQ(RunProgram("/no/such/program", {}, "", 10, 100).outcome, ProgramOutcome::Missing);
    EXPECT_EQ(RunProgram("/bin/sh", {"-c", "echo partial; exit 3"}, "", 10, 100).outcome, ProgramOutcome::Failed);
    EXPECT_EQ(RunProgram("/bin/cat", {}, input, 10, input.size() - 1).outcome, ProgramOutcome::TooMuch);
    // A program that never ends, even one that closed its output first, is stopped at the limit.
    for (const char* script : {"sleep 30", "exec >&-; sleep 30"}) {
        const auto start = std::chrono::steady_clock::now();
        const ProgramRun slow = RunProgram("/bin/sh", {"-c", script}, "", 1, 100);
        EXPECT_EQ(slow.outcome, ProgramOutcome::TooSlow) << script;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << script;
    }
}

}  // namespace
}  // namespace pw
