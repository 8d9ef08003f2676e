#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace pw {

class SettingsStore;

// The store's section and entries of the recent cards: "File1" is the newest.
inline constexpr const char* kRecentSection = "Recent File List";

// The last cards opened or saved, newest first, as full paths; at most four,
// each once. The File menu lists them.
class RecentCards {
public:
    static constexpr std::size_t kMaxCards = 4;

    // Reads "File1" .. "File4"; empty entries and repeats are skipped.
    void Load(const SettingsStore& store);
    // Writes "File1" .. "File4", empty texts for the places not in use.
    void Save(SettingsStore& store) const;

    // The card at `path` was opened or saved: it becomes the newest.
    void Add(const std::string& path);
    // The card at `path` could not be read: it leaves the list. False when
    // it was not in the list.
    bool Remove(const std::string& path);

    const std::vector<std::string>& Paths() const { return paths_; }

private:
    std::vector<std::string> paths_;
};

}  // namespace pw
