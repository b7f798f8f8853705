// The localization tables under two threads (run under ThreadSanitizer).
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "l10n/texts.h"
#include "l10n/warnings.h"
#include "test_root.h"

namespace dryer::l10n {
namespace {

using testing::TempRoot;

// Lookups from a second thread (the shutdown history records warning texts
// from the receive thread) while the user-interface thread changes language.
TEST(Threads, lookups_race_free_with_language_change) {
    TempRoot root;
    root.write_lines(root.lang("EN") / "WarningsMC.txt", {u"H", u"ENGLISH ONE"});
    root.write_lines(root.lang("FR") / "WarningsMC.txt", {u"H", u"FRANCAIS UN"});
    root.write_lines(root.lang("EN") / "EnglishStrings.txt", {u"E"});
    std::thread reader([] {
        for (int i = 0; i < 200; ++i) {
            const std::u16string t = warning_text(15, 1);
            ASSERT_TRUE(t == u"ENGLISH ONE" || t == u"FRANCAIS UN");
            (void)text(1);
        }
    });
    for (int i = 0; i < 20; ++i) set_language(i % 2 == 0 ? 5 : 0);
    reader.join();
}

}  // namespace
}  // namespace dryer::l10n
