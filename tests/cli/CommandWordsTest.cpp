// How every command takes its words apart: files, options with their values
// in both spellings, and "--" before files that look like options.
#include "cli/CommandWords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pw {
namespace {

struct Seen {
    std::vector<std::string> options;  // "name" or "name:value", "name!" when the value was missing
    std::vector<std::string> files;
};

Seen Scan(const std::vector<std::string>& args, const std::vector<std::string>& valued) {
    Seen seen;
    CommandWords words(args);
    while (words.NextOption()) {
        const std::string name = words.Name();
        bool takesValue = false;
        for (const std::string& v : valued) takesValue = takesValue || v == name;
        std::string value;
        if (!takesValue)
            seen.options.push_back(words.Word());
        else if (words.TakeValue(value))
            seen.options.push_back(name + ":" + value);
        else
            seen.options.push_back(name + "!");
    }
    seen.files = words.Files();
    return seen;
}

TEST(CommandWords, OptionsTakeTheirValuesEitherWayAndFilesKeepTheirOrder) {
    const Seen s = Scan({"in.kpf", "--size", "640x480", "--grid", "--angle=45", "out.png"}, {"--size", "--angle"});
    EXPECT_EQ(s.options, (std::vector<std::string>{"--size:640x480", "--grid", "--angle:45"}));
    EXPECT_EQ(s.files, (std::vector<std::string>{"in.kpf", "out.png"}));

    // The word after an option is its value even when it looks like one;
    // "=" gives an empty value.
    const Seen t = Scan({"--text", "--grid", "--font=", "a", "b"}, {"--text", "--font"});
    EXPECT_EQ(t.options, (std::vector<std::string>{"--text:--grid", "--font:"}));
    EXPECT_EQ(t.files, (std::vector<std::string>{"a", "b"}));
}

TEST(CommandWords, AMissingValueIsToldAndNothingIsReadPastTheEnd) {
    const Seen s = Scan({"a", "b", "--depth"}, {"--depth"});
    EXPECT_EQ(s.options, (std::vector<std::string>{"--depth!"}));
    EXPECT_EQ(s.files, (std::vector<std::string>{"a", "b"}));
}

TEST(CommandWords, DoubleDashEndsTheOptionsAndALoneDashIsAFile) {
    const Seen s = Scan({"--grid", "-", "--", "--grid", "-x.kpf", "--"}, {});
    EXPECT_EQ(s.options, (std::vector<std::string>{"--grid"}));
    EXPECT_EQ(s.files, (std::vector<std::string>{"-", "--grid", "-x.kpf", "--"}));
}

}  // namespace
}  // namespace pw
