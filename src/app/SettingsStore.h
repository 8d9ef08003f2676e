#pragma once
#include <map>
#include <string>
#include <utility>

namespace pw {

// A per-user store of text values addressed by section and entry. The
// settings logic sees only this; the desktop program plugs in QSettings.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The entry's text, or an empty text when the entry is absent.
    virtual std::string GetText(const std::string& section, const std::string& entry) const = 0;
    virtual void SetText(const std::string& section, const std::string& entry, const std::string& value) = 0;
};

// A store that lives only in memory, for tests and the command-line tool.
class MemorySettingsStore : public SettingsStore {
public:
    std::string GetText(const std::string& section, const std::string& entry) const override {
        const auto it = values_.find({section, entry});
        return it == values_.end() ? std::string() : it->second;
    }
    void SetText(const std::string& section, const std::string& entry, const std::string& value) override {
        values_[{section, entry}] = value;
    }
    bool Has(const std::string& section, const std::string& entry) const {
        return values_.count({section, entry}) != 0;
    }
    std::size_t Size() const { return values_.size(); }

private:
    std::map<std::pair<std::string, std::string>, std::string> values_;
};

}  // namespace pw
