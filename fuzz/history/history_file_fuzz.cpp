// A history file of any content: the store must open it or set it aside,
// then list, record and export without crashing, and end with a usable file.
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "logging/history/shutdown_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dryer::history;
    std::string tmpl = (std::filesystem::temp_directory_path() / "dryer-history-fuzz-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) return 0;
    const std::filesystem::path root(tmpl);
    std::filesystem::create_directories(root / "Hard Disk");
    std::filesystem::create_directories(root / "Hard Disk2");
    std::ofstream(root / "Hard Disk" / "ShutdownHistoryDB", std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    {
        ShutdownStore store(root / "Hard Disk" / "ShutdownHistoryDB");
        (void)store.fill_list(SortOrder::by_warning);
        (void)store.export_text(1000, root / "Hard Disk2");
        const bool ready = store.prepare();
        if (ready && store.record("FUZZ", "MAIN I/O") != RecordOutcome::stored) __builtin_trap();
        for (int o = 0; o < 3; ++o) (void)store.fill_list(static_cast<SortOrder>(o));
    }
    std::filesystem::remove_all(root);
    return 0;
}
