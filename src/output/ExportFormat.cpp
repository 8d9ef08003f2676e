#include "output/ExportFormat.h"

#include <algorithm>
#include <cctype>

#include "output/formats/FormatList.h"

namespace pw {

// Each format's file defines its declaration; FormatList.h names them once.
#define PW_DECLARE_EXPORT_FORMAT(Name) const ExportFormat& Name();
PW_EXPORT_FORMATS(PW_DECLARE_EXPORT_FORMAT)
#undef PW_DECLARE_EXPORT_FORMAT

const ExportFormatList& ExportFormats() {
#define PW_LIST_EXPORT_FORMAT(Name) &Name(),
    static const ExportFormatList formats = {PW_EXPORT_FORMATS(PW_LIST_EXPORT_FORMAT)};
#undef PW_LIST_EXPORT_FORMAT
    return formats;
}

std::string ExtensionOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot == std::string::npos) return "";
    std::string ext = name.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

const ExportFormat* ExportFormatNamed(const std::string& id, const ExportFormatList& formats) {
    for (const ExportFormat* f : formats)
        if (id == f->id) return f;
    return nullptr;
}

namespace {

bool HasExtension(const ExportFormat& format, const std::string& ext) {
    return !ext.empty() && std::find(format.extensions.begin(), format.extensions.end(), ext) != format.extensions.end();
}

// "a, b and c".
std::string Sentence(const std::vector<std::string>& items, const std::string& comma, const std::string& last) {
    std::string text;
    for (std::size_t k = 0; k < items.size(); ++k) {
        if (k > 0) text += k + 1 == items.size() ? last : comma;
        text += items[k];
    }
    return text;
}

}  // namespace

const ExportFormat* ExportFormatOf(const std::string& path, bool pattern, const ExportFormatList& formats) {
    const std::string ext = ExtensionOf(path);
    const ExportFormat* found = nullptr;
    for (const ExportFormat* f : formats) {
        if (!HasExtension(*f, ext)) continue;
        if (f->relief != pattern) return f;
        if (!found) found = f;
    }
    return found;
}

const ExportFormat* PatternFormatOf(const std::string& path, const ExportFormatList& formats) {
    const std::string ext = ExtensionOf(path);
    for (const ExportFormat* f : formats)
        if (!f->relief && HasExtension(*f, ext)) return f;
    return nullptr;
}

std::vector<std::string> ExportExtensions(const ExportFormatList& formats) {
    std::vector<std::string> all;
    for (const ExportFormat* f : formats)
        for (const std::string& ext : f->extensions)
            if (std::find(all.begin(), all.end(), ext) == all.end()) all.push_back(ext);
    return all;
}

std::string ExtensionChoice(const std::vector<std::string>& extensions, const ListWords& words) {
    std::vector<std::string> patterns;
    for (const std::string& ext : extensions) patterns.push_back("*." + ext);
    return Sentence(patterns, words.comma, words.orWord);
}

std::string FormatsTaking(unsigned options, const ExportFormatList& formats, const ListWords& words) {
    std::vector<std::string> names;
    for (const ExportFormat* f : formats)
        if (Takes(*f, options)) names.push_back(f->commandLineName);
    return Sentence(names, words.comma, words.andWord);
}

std::string OptionRefused(const ExportFormat& format, unsigned option, const std::string& optionName,
                          const ExportFormatList& formats, const ListWords& words) {
    if (Takes(format, option)) return "";
    for (const OptionRefusal& r : format.refusals)
        if (r.options & option) {
            std::string text = r.reason;
            const std::size_t at = text.find("%1");
            if (at == std::string::npos) return optionName + " " + text;
            return text.replace(at, 2, optionName);
        }
    std::vector<std::string> names;
    for (const ExportFormat* f : formats)
        if (f->options != 0) names.push_back(f->commandLineName);
    return optionName + " applies to " + Sentence(names, words.comma, words.andWord) + " files";
}

bool WriteExportFile(const ExportFormat& format, const std::string& path, const ExportInput& input,
                     ExportReport& report) {
    report = ExportReport();
    return format.write && format.write(path, input, report);
}

bool WriteExportFile(const ExportFormat& format, const std::string& path, const ExportInput& input,
                     int* scoredFolds) {
    ExportReport report;
    const bool written = WriteExportFile(format, path, input, report);
    if (scoredFolds) *scoredFolds = report.scoredFolds;
    return written;
}

}  // namespace pw
