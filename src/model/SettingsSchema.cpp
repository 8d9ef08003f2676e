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
    {kBackgroundColorSetting, [](AppSettings& s) -> std::int32_t& { return s.colors.background; }},
    {kVerticalFaceColorSetting, [](AppSettings& s) -> std::int32_t& { return s.colors.verticalFace; }},
    {kHorizontalFaceColorSetting, [](AppSettings& s) -> std::int32_t& { return s.colors.horizontalFace; }},
    {kOutlineColorSetting, [](AppSettings& s) -> std::int32_t& { return s.colors.outline; }},
    {kSoundSetting, [](AppSettings& s) -> std::int32_t& { return s.sound.on; }},
    {kInvertSetting, [](AppSettings& s) -> std::int32_t& { return s.print.mirror; }},
    {kPrintSizeSetting, [](AppSettings& s) -> std::int32_t& { return s.print.sizePercent; }},
    {kBitmapWidthSetting, [](AppSettings& s) -> std::int32_t& { return s.bitmap.widthPx; }},
    {kShowWelcomeSetting, [](AppSettings& s) -> std::int32_t& { return s.view.showWelcome; }},
};

}  // namespace

void ReadWholeSettings(const StoredTextReader& text, AppSettings& settings) {
    std::int32_t size[2] = {0, 0};
    if (ScanIntList(text(kNewCardWidthSetting.key), size, 2) == 2) {
        // Below 1 it would not even make a usable grid.
        settings.newCard.width = std::clamp(size[0], kNewCardWidthSetting.low, kNewCardWidthSetting.high);
        settings.newCard.height = std::clamp(size[1], kNewCardHeightSetting.low, kNewCardHeightSetting.high);
    } else {
        settings.newCard.width = kNewCardWidthSetting.byDefault;
        settings.newCard.height = kNewCardHeightSetting.byDefault;
    }
    for (const WholeEntry& entry : kWholeEntries) {
        std::int32_t value = 0;
        if (ScanInt(text(entry.setting.key), value)) entry.field(settings) = value;
    }
    std::int32_t grid = 0;
    if (ScanInt(text(kGridDisplaySetting.key), grid)) settings.view.gridDisplay = static_cast<std::uint8_t>(grid & 0xFF);
}

void WriteWholeSettings(const AppSettings& settings, const StoredTextWriter& put) {
    put(kNewCardWidthSetting.key, std::to_string(settings.newCard.width) + ":" + std::to_string(settings.newCard.height));
    AppSettings copy = settings;
    for (const WholeEntry& entry : kWholeEntries) put(entry.setting.key, std::to_string(entry.field(copy)));
    put(kGridDisplaySetting.key, std::to_string(settings.view.gridDisplay));
}

}  // namespace pw
