// A language switch on the real panel: the built languages, every child
// window shown and the shutdown history open. After English -> Russian each
// window must look exactly as a panel started in Russian draws it, and after
// Russian -> English as it did before.
#include <gtest/gtest.h>

#include <QApplication>
#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QTimer>
#include <QTreeWidget>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "kit/panel_style.h"
#include "l10n/language.h"
#include "logging/history/localized_texts.h"
#include "logging/history/shutdown_store.h"
#include "logging/history_screen/history_screen.h"
#include "shell/main_window.h"
#include "shell/screen_registry.h"
#include "tests/l10n/test_root.h"
#include "views/scene/l10n_texts.h"

namespace dryer::shell {
namespace {

namespace fs = std::filesystem;

int language_index(std::string_view folder) {
    for (int i = 0; i < l10n::kLanguageCount; ++i)
        if (l10n::kLanguages[static_cast<std::size_t>(i)].folder == folder) return i;
    return -1;
}

using Shots = std::map<std::string, QImage>;

// A panel's main window with every child window shown.
std::unique_ptr<MainWindow> make_panel(link::LinkState& state, const views::Texts& texts,
                                       history::ShutdownStore& store) {
    auto w = std::make_unique<MainWindow>(state, texts, screen_registry(), dialog_registry());
    w->set_shutdown_store(&store);
    w->create_child_windows();
    w->show();
    for (const kit::ScreenRow* row : screen_registry())
        if (QWidget* child = w->window(row->id)) child->show();
    return w;
}

// The windows as drawn. A window may change its caption while it draws
// (the warning window names its condition), so the second drawing is kept.
Shots shoot(MainWindow& w) {
    Shots out;
    for (const kit::ScreenRow* row : screen_registry()) {
        if (QWidget* child = w.window(row->id)) {
            child->grab();
            out[std::string(row->class_name)] = child->grab().toImage();
        }
    }
    out["main window"] = w.grab().toImage();
    return out;
}

// The history screen as the panel opens it: texts and warning texts of the
// language selected now.
history::HistoryScreen::Hooks history_hooks(kit::PanelEvents* events) {
    history::HistoryScreen::Hooks hooks;
    hooks.text = [](int n) { return history::localized_text(n); };
    hooks.warning_text = history::localized_warning_text();
    hooks.events = events;
    return hooks;
}

QStringList listed(QWidget* screen) {
    QStringList out;
    auto* list = screen->findChild<QTreeWidget*>(QStringLiteral("SHUTDOWN_LIST"));
    if (!list) return out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) out << list->topLevelItem(i)->text(0);
    return out;
}

// Every text a dialog shows: caption, buttons, labels and the list.
QStringList shown_texts(QWidget* dialog) {
    QStringList out{dialog->windowTitle()};
    for (auto* b : dialog->findChildren<QAbstractButton*>()) out << b->text();
    for (auto* l : dialog->findChildren<QLabel*>()) out << l->text();
    return out + listed(dialog);
}

// Pixels where two panels made alike in the same language already differ:
// the edges of large digits land a fraction of a pixel apart from one
// window to the next. The comparisons leave them out, with two pixels
// around them; a text in the wrong language differs far beyond.
using Noise = std::map<std::string, QImage>;
// A few stray edge pixels beyond those are allowed too; a word in the wrong
// language differs in hundreds.
constexpr int kStrayPixels = 16;
Noise noise_of(const Shots& a, const Shots& b) {
    Noise out;
    for (const auto& [name, image] : a) {
        const QImage& other = b.at(name);
        QImage mask(image.size(), QImage::Format_Mono);
        mask.fill(0);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != other.pixel(x, y))
                    for (int dy = -2; dy <= 2; ++dy)
                        for (int dx = -2; dx <= 2; ++dx)
                            if (mask.valid(x + dx, y + dy)) mask.setPixel(x + dx, y + dy, 1);
        out[name] = mask;
    }
    return out;
}

void expect_same(const Shots& got, const Shots& want, const Noise& noise, const char* step) {
    ASSERT_EQ(got.size(), want.size());
    for (const auto& [name, image] : want) {
        const QImage& g = got.at(name);
        const QImage& n = noise.at(name);
        ASSERT_EQ(g.size(), image.size()) << name;
        int differ = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!n.pixelIndex(x, y) && g.pixel(x, y) != image.pixel(x, y)) ++differ;
        EXPECT_LE(differ, kStrayPixels) << name << " differs from the panel " << step << " in " << differ << " pixels";
    }
}

TEST(LanguageSwitch, english_to_russian_and_back_redraws_every_window_and_the_open_history) {
    ASSERT_TRUE(fs::is_directory(l10n::testing::built_languages() / "RU"));
    kit::load_panel_fonts();
    l10n::testing::TempRoot root;
    fs::create_directory_symlink(l10n::testing::built_languages(), root.hard_disk() / "Languages");
    const int english = language_index("EN");
    const int russian = language_index("RU");
    l10n::set_language(english);

    link::LinkState state;
    views::L10nTexts texts;
    history::ShutdownStore store(root.hard_disk() / "ShutdownHistoryDB");
    // A record with its ids shows in the language selected now.
    store.record(texts.warning_text(0x0E, 0x05), "MAIN I/O", 0x0E, 0x05);
    const std::string english_warning = texts.warning_text(0x0E, 0x05);

    auto panel = make_panel(state, texts, store);
    bool ran = false;
    // The checks run inside the history screen's own event loop.
    QTimer::singleShot(0, panel.get(), [&] {
        ran = true;
        QWidget* history = QApplication::activeModalWidget();
        ASSERT_NE(history, nullptr);
        QApplication::processEvents();
        const Shots english_before = shoot(*panel);
        const QStringList english_history = shown_texts(history);
        ASSERT_EQ(listed(history), QStringList{QString::fromStdString(english_warning)});
        Noise noise;
        {
            auto again = make_panel(state, texts, store);
            QApplication::processEvents();
            noise = noise_of(english_before, shoot(*again));
        }

        l10n::set_language(russian);
        emit panel->events().language_changed();
        QApplication::processEvents();
        const Shots switched = shoot(*panel);

        // The reference: a panel and a history screen made in Russian.
        auto fresh = make_panel(state, texts, store);
        history::HistoryScreen fresh_history(store, history_hooks(&fresh->events()));
        fresh_history.show();
        QApplication::processEvents();
        const Shots russian_reference = shoot(*fresh);
        EXPECT_FALSE(russian_reference.at("main window") == english_before.at("main window"));
        EXPECT_EQ(listed(history), QStringList{QString::fromStdString(texts.warning_text(0x0E, 0x05))});
        EXPECT_NE(listed(history), QStringList{QString::fromStdString(english_warning)});
        EXPECT_EQ(shown_texts(history), shown_texts(&fresh_history));
        expect_same(switched, russian_reference, noise, "started in Russian");
        fresh_history.close();
        fresh.reset();

        l10n::set_language(english);
        emit panel->events().language_changed();
        QApplication::processEvents();
        expect_same(shoot(*panel), english_before, noise, "before the switch");
        EXPECT_EQ(shown_texts(history), english_history);
        history->close();
    });
    ASSERT_TRUE(panel->open_dialog(kit::DialogId::shutdown_history, panel.get()));
    EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace dryer::shell
