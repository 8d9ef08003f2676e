#include "app/RecentCards.h"

#include <algorithm>

#include "app/SettingsStore.h"

namespace pw {

namespace {

std::string EntryName(std::size_t index) { return "File" + std::to_string(index + 1); }

}  // namespace

void RecentCards::Load(const SettingsStore& store) {
    paths_.clear();
    for (std::size_t i = 0; i < kMaxCards; ++i) {
        const std::string path = store.GetText(kRecentSection, EntryName(i));
        if (path.empty() || std::find(paths_.begin(), paths_.end(), path) != paths_.end()) continue;
        paths_.push_back(path);
    }
}

void RecentCards::Save(SettingsStore& store) const {
    for (std::size_t i = 0; i < kMaxCards; ++i)
        store.SetText(kRecentSection, EntryName(i), i < paths_.size() ? paths_[i] : std::string());
}

void RecentCards::Add(const std::string& path) {
    if (path.empty()) return;
    Remove(path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kMaxCards) paths_.resize(kMaxCards);
}

bool RecentCards::Remove(const std::string& path) {
    const auto it = std::find(paths_.begin(), paths_.end(), path);
    if (it == paths_.end()) return false;
    paths_.erase(it);
    return true;
}

}  // namespace pw
