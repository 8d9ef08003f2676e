#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace pw {

// The words after a command name, taken apart into file names and options
// the way every command reads them: an option starts with "-" and is longer
// than that (a lone "-" is a file name); its value is the rest of
// "--name=value" or else the word after it; "--" ends the options, so that a
// file whose name starts with "-" can still be given.
class CommandWords {
public:
    explicit CommandWords(const std::vector<std::string>& words) : words_(words) {}

    // Moves to the next option, keeping the file names met on the way;
    // false when no option is left.
    bool NextOption();
    // The option as given ("--size=640x480") and its name ("--size").
    const std::string& Word() const { return words_[current_]; }
    std::string Name() const { return Word().substr(0, Word().find('=')); }
    // The option's value; false when it has none (no "=" and no word left).
    bool TakeValue(std::string& value);

    // The file names, once NextOption has returned false.
    const std::vector<std::string>& Files() const { return files_; }

private:
    const std::vector<std::string>& words_;
    std::size_t next_ = 0;
    std::size_t current_ = 0;
    bool optionsEnded_ = false;
    std::vector<std::string> files_;
};

}  // namespace pw
