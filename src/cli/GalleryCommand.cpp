#include "cli/GalleryCommand.h"

#include <filesystem>
#include <ostream>
#include <system_error>

#include "cli/CardFiles.h"
#include "cli/Cli.h"
#include "cli/CliMessages.h"
#include "document/CardDocument.h"
#include "document/Gallery.h"

namespace pw {

namespace {

std::string ProgramFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : self.parent_path().string();
}

}  // namespace

int RunGalleryCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 0 && args.size() != 2) return UsageError(err, "gallery takes a card's name and an output file, or nothing");
    const Gallery gallery = FindGallery(ProgramFolder(), POPWRIGHT_DATADIR);
    if (gallery.folder.empty()) {
        PrintError(err, "", "the gallery is not installed");
        return kExitFileError;
    }
    if (args.empty()) {
        // One card a line, "DIFFICULTY NAME", easy ones first, for people and scripts alike.
        for (const std::string& difficulty : GalleryDifficulties())
            for (const GalleryCard& card : gallery.cards)
                if (card.difficulty == difficulty) out << difficulty << " " << card.name << "\n";
        return kExitOk;
    }
    const GalleryCard* card = gallery.Find(args[0]);
    if (!card) {
        PrintError(err, "", "no card named \"" + args[0] + "\" in the gallery");
        return kExitFileError;
    }
    // Read and written as any card, so the copy is a card file of this version.
    CardDocument doc;
    if (!ReadCardOrReport(card->path, doc, err)) return kExitFileError;
    return WriteCardOrReport(args[1], doc, err) ? kExitOk : kExitFileError;
}

}  // namespace pw
