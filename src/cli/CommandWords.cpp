#include "cli/CommandWords.h"

namespace pw {

bool CommandWords::NextOption() {
    while (next_ < words_.size()) {
        const std::string& w = words_[next_];
        if (optionsEnded_ || w.size() < 2 || w[0] != '-') {
            files_.push_back(w);
            ++next_;
        } else if (w == "--") {
            optionsEnded_ = true;
            ++next_;
        } else {
            current_ = next_++;
            return true;
        }
    }
    return false;
}

bool CommandWords::TakeValue(std::string& value) {
    const std::string& w = Word();
    const auto eq = w.find('=');
    if (eq != std::string::npos) {
        value = w.substr(eq + 1);
        return true;
    }
    if (next_ >= words_.size()) return false;
    value = words_[next_++];
    return true;
}

}  // namespace pw
