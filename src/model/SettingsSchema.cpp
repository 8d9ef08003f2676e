#include "model/SettingsSchema.h"

#include <algorithm>

#include "model/AppSettings.h"
#include "model/IntegerText.h"

namespace pw {

namespace {

// The one-number entries after the card size, in the order they are read
// and written. The grid display follows them: it is a byte.
struct WholeEntry {
    const WholeSetting& setting;
    std::int32_t& (*field)(AppSettings&);
};
const WholeEntry kWholeEntries[] = {
    {kBackgroundColorSetting, [](AppSettings& s) -> std::int32_t& { return s.colorBack; }},
    {kVerticalFaceColorSetting, [](AppSettings& s) -> std::int32_t& { return s.colorPaper0; }},
    {kHorizontalFaceColorSetting, [](AppSettings& s) -> std::int32_t& { return s.colorPaper1; }},
    {kOutlineColorSetting, [](AppSettings& s) -> std::int32_t& { return s.colorEdge; }},
    {kSoundSetting, [](AppSettings& s) -> std::int32_t& { return s.soundMode; }},
    {kInvertSetting, [](AppSettings& s) -> std::int32_t& { return s.reverseMode; }},
    {kPrintSizeSetting, [](AppSettings& s) -> std::int32_t& { return s.rudovozuSizeRatio; }},
    {kBitmapWidthSetting, [](AppSettings& s) -> std::int32_t& { return s.rudovozuSizeBMP; }},
};

}  // namespace

void ReadWholeSettings(const StoredTextReader& text, AppSettings& settings) {
    std::int32_t size[2] = {0, 0};
    if (ScanIntList(text(kNewCardWidthSetting.key), size, 2) == 2) {
        // Below 1 it would not even make a usable grid.
        settings.cardWidth = std::clamp(size[0], kNewCardWidthSetting.low, kNewCardWidthSetting.high);
        settings.cardHeight = std::clamp(size[1], kNewCardHeightSetting.low, kNewCardHeightSetting.high);
    } else {
        settings.cardWidth = kNewCardWidthSetting.byDefault;
        settings.cardHeight = kNewCardHeightSetting.byDefault;
    }
    for (const WholeEntry& entry : kWholeEntries) {
        std::int32_t value = 0;
        if (ScanInt(text(entry.setting.key), value)) entry.field(settings) = value;
    }
    std::int32_t grid = 0;
    if (ScanInt(text(kGridDisplaySetting.key), grid)) settings.drawGrid = static_cast<std::uint8_t>(grid & 0xFF);
}

void WriteWholeSettings(const AppSettings& settings, const StoredTextWriter& put) {
    put(kNewCardWidthSetting.key, std::to_string(settings.cardWidth) + ":" + std::to_string(settings.cardHeight));
    AppSettings copy = settings;
    for (const WholeEntry& entry : kWholeEntries) put(entry.setting.key, std::to_string(entry.field(copy)));
    put(kGridDisplaySetting.key, std::to_string(settings.drawGrid));
}

}  // namespace pw
