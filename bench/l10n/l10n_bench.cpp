// Text lookup runs for every caption on every repaint; a language change
// reloads the strings file and nine warning tables.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "l10n/language.h"
#include "l10n/texts.h"
#include "l10n/warnings.h"
#include "platform/panel_paths.h"

namespace {

// A temporary root whose Languages folder links to the built one, so the
// configuration file created by the first lookup stays out of the build tree.
void use_built_root() {
    static const std::filesystem::path root = [] {
        const char* dir = std::getenv("DRYER_BINARY_DIR");
        const auto built = std::filesystem::path(dir ? dir : DRYER_BENCH_BINARY_DIR) / "panel-root" / "Hard Disk";
        std::string templ = (std::filesystem::temp_directory_path() / "l10n-bench-XXXXXX").string();
        const std::filesystem::path r = mkdtemp(templ.data());
        std::filesystem::create_directories(r / "Hard Disk");
        std::filesystem::create_directory_symlink(built / "Languages", r / "Hard Disk" / "Languages");
        return r;
    }();
    dryer::platform::set_panel_root(root);
}

void BM_GetText(benchmark::State& state) {
    use_built_root();
    std::array<char16_t, dryer::l10n::kTextBufferChars> buf{};
    unsigned n = 1;
    for (auto _ : state) {
        dryer::l10n::get_text(n, buf.data());
        benchmark::DoNotOptimize(buf);
        n = n % 522 + 1;
    }
}
BENCHMARK(BM_GetText);

void BM_WarningText(benchmark::State& state) {
    use_built_root();
    std::array<char16_t, dryer::l10n::kWarningBufferChars> buf{};
    for (auto _ : state) {
        dryer::l10n::get_warning_text(14, 5, buf.data());
        benchmark::DoNotOptimize(buf);
    }
}
BENCHMARK(BM_WarningText);

void BM_ReloadAllTables(benchmark::State& state) {
    use_built_root();
    for (auto _ : state) {
        dryer::l10n::load_strings_table();
        dryer::l10n::load_warning_tables();
    }
}
BENCHMARK(BM_ReloadAllTables);

}  // namespace
