#include "l10n/resources.h"

#include <algorithm>
#include <array>
#include <vector>

#include "l10n/language.h"
#include "l10n/state_p.h"
#include "platform/panel_paths.h"

namespace dryer::l10n {
namespace {

constexpr std::array<std::string_view, kButtonPictureCount> kPictureNames{
    "PLACE HOLDER",
    "GRAPHIC_001_MAIN_TIMERS_BUTTON.BMP",
    "GRAPHIC_002_MAIN_TEMP_BUTTON.BMP",
    "GRAPHIC_003_MAIN_SETUP_BUTTON.BMP",
    "GRAPHIC_004_MAIN_VIEW_BUTTON.BMP",
    "GRAPHIC_005_MAIN_MC_BUTTON.BMP",
    "GRAPHIC_006_MAIN_AUTO_START_BUTTON.BMP",
    "GRAPHIC_007_LOAD_DELAY_BUTTON.BMP",
    "GRAPHIC_008_FAN_DELAY_BUTTON.BMP",
    "GRAPHIC_009_COOL_DOWN_TIMER_BUTTON.BMP",
    "GRAPHIC_010_OOG_TIMER_BUTTON.BMP",
    "GRAPHIC_011_UNLOAD_DELAY_BUTTON.BMP",
    "GRAPHIC_012_PLENUM_6_SP_BUTTON.BMP",
    "GRAPHIC_013_PLENUM_5_SP_BUTTON.BMP",
    "GRAPHIC_014_PLENUM_4_SP_BUTTON.BMP",
    "GRAPHIC_015_PLENUM_3_SP_BUTTON.BMP",
    "GRAPHIC_016_PLENUM_2_SP_BUTTON.BMP",
    "GRAPHIC_017_PLENUM_1_SP_BUTTON.BMP",
    "GRAPHIC_018_GRAIN_SP_BUTTON.BMP",
    "GRAPHIC_019_PLENUM_HI_TEMP_SP_BUTTON.BMP",
    "GRAPHIC_020_PLENUM_LO_TEMP_SP_BUTTON.BMP",
    "GRAPHIC_021_GRAIN_HI_TEMP_SP_BUTTON.BMP",
    "GRAPHIC_022_GRAIN_LO_TEMP_SP_BUTTON.BMP",
    "GRAPHIC_023_DRYING_MODE_BUTTON.BMP",
    "GRAPHIC_024_MC_SETUP_BUTTON.BMP",
    "GRAPHIC_025_UNLOAD_PARAMS_BUTTON.BMP",
    "GRAPHIC_026_TEMP_MANAGER_BUTTON.BMP",
    "GRAPHIC_027_BURNER_MODE_BUTTON.BMP",
    "GRAPHIC_028_CALIB_MOIST_SENSOR_BUTTON.BMP",
    "GRAPHIC_029_EXTENDED_SETUP_BUTTON.BMP",
    "GRAPHIC_030_DIAGNOSTICS_BUTTON.BMP",
    "GRAPHIC_031_BURNER_DIFF_BUTTON.BMP",
    "GRAPHIC_032_PRINTER_SETUP_BUTTON.BMP",
    "GRAPHIC_033_MRR_BUTTON.BMP",
    "GRAPHIC_034_SAMPLER_SETUP_BUTTON.BMP",
    "GRAPHIC_035_BPH_CALIB_BUTTON.BMP",
    "GRAPHIC_036_SET_DATE_TIME_BUTTON.BMP",
    "GRAPHIC_037_TEMP_SCALE_BUTTON.BMP",
    "GRAPHIC_038_DRYER_MODEL_BUTTON.BMP",
    "GRAPHIC_039_DATA_LOGGER_BUTTON.BMP",
    "GRAPHIC_040_USER_DEFAULTS_BUTTON.BMP",
    "GRAPHIC_041_SCREEN_EXIT_BUTTON.BMP",
    "GRAPHIC_042_TABLE_VIEW_BUTTON.BMP",
    "GRAPHIC_043_GRAPH_VIEW_BUTTON.BMP",
    "GRAPHIC_044_OWNERS_MANUAL_BUTTON.BMP",
    "GRAPHIC_045_HISTORY_BUTTON.BMP",
    "GRAPHIC_046_SYSTEM_INFO_BUTTON.BMP",
    "GRAPHIC_047_SOFTWARE_VERSION_BUTTON.BMP",
    "GRAPHIC_048_AS_GRAIN_SELECT_MENU_BUTTON.BMP",
    "GRAPHIC_049_AS_MOISTURE_SETTINGS_MENU_BUTTON.BMP",
    "GRAPHIC_050_AS_CORN_BUTTON.BMP",
    "GRAPHIC_051_AS_SOYBEAN_BUTTON.BMP",
    "GRAPHIC_052_AS_WHEAT_BUTTON.BMP",
    "GRAPHIC_053_AS_BARLEY_BUTTON.BMP",
    "GRAPHIC_054_AS_RICE_BUTTON.BMP",
    "GRAPHIC_055_AS_CANOLA_BUTTON.BMP",
    "GRAPHIC_056_AS_FLAX_BUTTON.BMP",
    "GRAPHIC_057_AS_HEMP_BUTTON.BMP",
    "GRAPHIC_058_AS_MILO_BUTTON.BMP",
    "GRAPHIC_059_AS_PISTACHIO_BUTTON.BMP",
    "GRAPHIC_060_AS_RYE_BUTTON.BMP",
    "GRAPHIC_061_AS_OATS_BUTTON.BMP",
    "GRAPHIC_062_AS_BEGIN_BUTTON.BMP",
    "GRAPHIC_063_CLEAR_BATCH_COUNT_BUTTON.BMP",
    "GRAPHIC_064_GRAPH_MOIST_IN_BUTTON.BMP",
    "GRAPHIC_065_GRAPH_GRAIN_TEMP_IN_BUTTON.BMP",
    "GRAPHIC_066_GRAPH_MOIST_OUT_BUTTON.BMP",
    "GRAPHIC_067_GRAPH_TEMP_OUT_BUTTON.BMP",
    "GRAPHIC_068_GRAPH_DRYER_TEMP_BUTTON.BMP",
    "GRAPHIC_069_GRAPH_METER_ROLLS_BUTTON.BMP",
    "GRAPHIC_070_PLENUM_2_LO_TEMP_SP_BUTTON.BMP",
    "GRAPHIC_071_PLENUM_2_HI_TEMP_SP_BUTTON.BMP",
    "GRAPHIC_072_WARNING_HELP_BUTTON.BMP",
    "GRAPHIC_073_AUTO_START_SETUP_BUTTON.BMP",
    "GRAPHIC_074_REAR_DISCHARGE_IMAGE_1.BMP",
    "GRAPHIC_075_REAR_DISCHARGE_IMAGE_2.BMP",
    "GRAPHIC_076_REAR_DISCHARGE_IMAGE_3.BMP",
    "GRAPHIC_077_REAR_DISCHARGE_IMAGE_4.BMP",
};

std::string current_folder_relative() {
    std::lock_guard lock(detail::state().mutex);
    detail::ensure_loaded_locked();
    return detail::language_folder_relative(detail::state().language);
}

}  // namespace

std::string_view button_picture_name(int n) {
    if (n < 0 || n >= kButtonPictureCount) return {};
    return kPictureNames[static_cast<std::size_t>(n)];
}

std::filesystem::path button_picture_path(int n) {
    if (n < 1 || n >= kButtonPictureCount) return {};
    std::string rel = current_folder_relative();
    rel.append("Bitmaps\\");
    rel.append(button_picture_name(n));
    return platform::storage_path(rel);
}

std::filesystem::path language_folder_path() { return platform::storage_path(current_folder_relative()); }

std::size_t read_help_text(std::string_view file_name, char16_t* dest, std::size_t capacity) {
    std::fill(dest, dest + capacity + 1, u'\0');
    std::string rel = current_folder_relative();
    rel.append(file_name);
    const auto bytes = detail::read_file_prefix(platform::storage_path(rel), capacity);
    if (!bytes) return 0;
    const std::size_t chars = bytes->size() / 2;
    for (std::size_t i = 0; i < chars; ++i) {
        dest[i] = static_cast<char16_t>((*bytes)[2 * i] | ((*bytes)[2 * i + 1] << 8));
    }
    dest[chars] = u'\0';
    return chars;
}

std::u16string help_text(std::string_view file_name, std::size_t capacity) {
    std::vector<char16_t> buf(capacity + 1);
    const std::size_t n = read_help_text(file_name, buf.data(), capacity);
    std::u16string out(buf.data(), n);
    if (!out.empty() && out.front() == u'\uFEFF') out.erase(0, 1);
    return out;
}

}  // namespace dryer::l10n
