// Every language of the built panel root against English: the same texts,
// warning ids, help files, illustrations and button pictures, and every
// character of them drawable by the panel's fonts; the panel's own texts
// translated wherever the code asks for them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRawFont>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <cstdlib>
#include <fstream>
#include <set>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "l10n/language.h"
#include "l10n/panel_texts.h"
#include "tests/l10n/test_root.h"

namespace dryer::l10n {
namespace {

namespace fs = std::filesystem;

fs::path sources_dir() {
    const char* dir = std::getenv("DRYER_SOURCE_DIR");
    return fs::path(dir ? dir : ".") / "data" / "languages";
}

QString qpath(const fs::path& p) { return QString::fromStdString(p.string()); }

// Lines of a UTF-16 LE file (mark dropped, CR LF split); empty when missing.
QStringList utf16_lines(const fs::path& p) {
    QFile f(qpath(p));
    if (!f.open(QIODevice::ReadOnly)) return {};
    QByteArray bytes = f.readAll();
    if (bytes.startsWith("\xFF\xFE")) bytes.remove(0, 2);
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

// Number -> text of a UTF-8 keyed source ("n<TAB>text", '#' comments).
std::map<int, QString> keyed_source(const fs::path& p) {
    std::map<int, QString> out;
    QFile f(qpath(p));
    if (!f.open(QIODevice::ReadOnly)) return out;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('#'))) continue;
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        bool ok = false;
        const int n = line.left(tab).toInt(&ok);
        if (tab > 0 && ok) out[n] = line.mid(tab + 1).trimmed();
    }
    return out;
}

// File names in dir matching the wildcard, sorted.
QStringList names(const fs::path& dir, const QString& pattern) {
    return QDir(qpath(dir)).entryList({pattern}, QDir::Files, QDir::Name);
}

// Button picture number (GRAPHIC_0NN_...) -> file name.
std::map<int, QString> pictures(const fs::path& dir) {
    std::map<int, QString> out;
    static const QRegularExpression re(QStringLiteral("^GRAPHIC_(\\d+)_"));
    for (const QString& n : names(dir, QStringLiteral("GRAPHIC_*"))) {
        const auto m = re.match(n);
        if (m.hasMatch()) out[m.captured(1).toInt()] = n;
    }
    return out;
}

struct Folder {
    std::string code;
    std::string strings_file;
};

std::vector<Folder> others() {
    std::vector<Folder> out;
    for (const auto& lang : kLanguages)
        if (std::string(lang.folder) != "EN") out.push_back({std::string(lang.folder), std::string(lang.strings_file)});
    return out;
}

class EveryLanguage : public ::testing::TestWithParam<Folder> {
protected:
    void SetUp() override { ASSERT_TRUE(fs::is_directory(en)) << en; }
    const fs::path en = testing::built_languages() / "EN";
    fs::path dir() const { return testing::built_languages() / GetParam().code; }
};

TEST_P(EveryLanguage, has_every_english_text_number) {
    const QStringList english = utf16_lines(en / "EnglishStrings.txt");
    const QStringList own = utf16_lines(dir() / GetParam().strings_file);
    ASSERT_FALSE(english.isEmpty());
    ASSERT_EQ(own.size(), english.size());
    for (qsizetype i = 0; i < english.size(); ++i)
        if (!english[i].trimmed().isEmpty()) {
            EXPECT_FALSE(own[i].trimmed().isEmpty()) << "text " << i + 1;
        }
}

// The panel's own texts the code asks for: literals passed to local() or
// marked with english() outside comment lines, adjacent literals joined, C
// escapes read.
std::set<std::string> panel_text_keys() {
    std::set<std::string> keys;
    static const QRegularExpression call(QStringLiteral(R"re(\b(?:local|english)\(\s*((?:"(?:[^"\\]|\\.)*"\s*)+)\))re"));
    static const QRegularExpression literal(QStringLiteral(R"re("((?:[^"\\]|\\.)*)")re"));
    for (const auto& e : fs::recursive_directory_iterator(fs::path(std::getenv("DRYER_SOURCE_DIR")) / "src")) {
        if (e.path().extension() != ".cpp" && e.path().extension() != ".h") continue;
        // Whole comment lines are left out: they show how to call local().
        QFile in(qpath(e.path()));
        if (!in.open(QIODevice::ReadOnly)) continue;
        QString code;
        for (const QString& line : QString::fromUtf8(in.readAll()).split(u'\n'))
            if (!line.trimmed().startsWith(QStringLiteral("//"))) code += line + u'\n';
        for (auto m = call.globalMatch(code); m.hasNext();) {
            const QString args = m.next().captured(1);
            QString key;
            for (auto l = literal.globalMatch(args); l.hasNext();) {
                const QString part = l.next().captured(1);
                for (qsizetype i = 0; i < part.size(); ++i) {
                    if (part[i] == u'\\' && i + 1 < part.size()) {
                        ++i;
                        key += part[i] == u'n' ? QChar(u'\n') : part[i];
                    } else {
                        key += part[i];
                    }
                }
            }
            keys.insert(key.toStdString());
        }
    }
    return keys;
}

// Every text the code asks for has a translation, every line of the sources
// is usable (one tab, the same printf conversions), and no line is left over
// from an English text that is gone.
TEST_P(EveryLanguage, translates_every_panel_text) {
    const std::set<std::string> keys = panel_text_keys();
    ASSERT_FALSE(keys.empty());
    const auto shipped = read_panel_texts(dir() / "PanelTexts");
    for (const std::string& k : keys) EXPECT_TRUE(shipped.count(k)) << "no translation of \"" << k << '"';
    // A text used by several screens may be in several files, translated alike.
    std::map<std::string, std::set<std::string>> translations;
    for (const auto& f : names(sources_dir() / GetParam().code / "panel", QStringLiteral("*.txt"))) {
        std::ifstream in(sources_dir() / GetParam().code / "panel" / f.toStdString());
        for (std::string line; std::getline(in, line);) {
            if (line.empty() || line[0] == '#') continue;
            const std::size_t tab = line.find('\t');
            std::string unescaped;
            for (std::size_t i = 0; i < std::min(tab, line.size()); ++i) {
                if (line.compare(i, 2, "\\n") == 0) unescaped += '\n', ++i;
                else unescaped += line[i];
            }
            EXPECT_TRUE(shipped.count(unescaped)) << f.toStdString() << ": unusable line: " << line;
            EXPECT_TRUE(keys.count(unescaped)) << f.toStdString() << ": no longer asked for: " << line;
            if (tab != std::string::npos) translations[unescaped].insert(line.substr(tab + 1));
        }
    }
    for (const auto& [key, texts] : translations)
        EXPECT_EQ(texts.size(), 1u) << "\"" << key << "\" is translated in different ways";
}

TEST_P(EveryLanguage, warning_tables_keep_every_id) {
    const QStringList tables = names(en, QStringLiteral("Warnings*.txt"));
    ASSERT_EQ(tables.size(), 9);
    for (const QString& t : tables) {
        const QStringList english = utf16_lines(en / t.toStdString());
        const QStringList own = utf16_lines(dir() / t.toStdString());
        ASSERT_EQ(own.size(), english.size()) << t.toStdString();
        for (qsizetype i = 1; i < english.size(); ++i) {
            if (english[i].isEmpty()) continue;
            EXPECT_EQ(own[i].left(5), english[i].left(5)) << t.toStdString() << " warning " << i;
            EXPECT_GT(own[i].size(), 5) << t.toStdString() << " warning " << i;
        }
    }
}

TEST_P(EveryLanguage, has_every_help_file_and_illustration) {
    const QStringList patterns{QStringLiteral("*Help.txt"), QStringLiteral("AutoStartFinishedMessage*.txt")};
    for (const QString& p : patterns) {
        const QStringList english = names(en, p);
        ASSERT_FALSE(english.isEmpty());
        EXPECT_EQ(names(dir(), p), english);
        for (const QString& f : english) EXPECT_FALSE(utf16_lines(dir() / f.toStdString()).isEmpty()) << f.toStdString();
    }
    for (const QString& p : {QStringLiteral("NID_*.txt"), QStringLiteral("NID_*.bmp")}) {
        const QStringList english = names(en / "WarningBitmaps", p);
        ASSERT_FALSE(english.isEmpty());
        EXPECT_EQ(names(dir() / "WarningBitmaps", p), english);
    }
}

TEST_P(EveryLanguage, button_pictures_match_english_sizes_and_follow_captions) {
    const auto english = pictures(en / "Bitmaps");
    const auto own = pictures(dir() / "Bitmaps");
    ASSERT_EQ(english.size(), 77u);
    ASSERT_EQ(own.size(), 77u);
    const auto en_captions = keyed_source(sources_dir() / "EN" / "buttons.txt");
    const auto captions = keyed_source(sources_dir() / GetParam().code / "buttons.txt");
    for (const auto& [n, file] : english) {
        ASSERT_TRUE(own.count(n)) << "picture " << n;
        EXPECT_TRUE(captions.count(n)) << "caption " << n << " missing";
        const QImage a(qpath(en / "Bitmaps" / file.toStdString()));
        const QImage b(qpath(dir() / "Bitmaps" / own.at(n).toStdString()));
        ASSERT_FALSE(a.isNull());
        ASSERT_FALSE(b.isNull()) << "picture " << n;
        EXPECT_EQ(b.size(), a.size()) << "picture " << n;
        if (captions.count(n) && captions.at(n) != en_captions.at(n)) {
            EXPECT_NE(b.convertToFormat(QImage::Format_RGB32), a.convertToFormat(QImage::Format_RGB32))
                << "picture " << n << " still shows the English caption";
        }
    }
}

// Every text a language ships, as the panel shows it.
QStringList shipped_texts(const std::string& code, const fs::path& dir) {
    QStringList all;
    for (const QString& f : QDir(qpath(dir)).entryList({QStringLiteral("*.txt")}, QDir::Files))
        all += utf16_lines(dir / f.toStdString());
    for (const QString& f : names(dir / "WarningBitmaps", QStringLiteral("NID_*.txt")))
        all += utf16_lines(dir / "WarningBitmaps" / f.toStdString());
    for (const auto& [n, caption] : keyed_source(sources_dir() / code / "buttons.txt")) all += caption;
    QFile ill(qpath(sources_dir() / code / "WarningBitmaps" / "illustrations.txt"));
    if (ill.open(QIODevice::ReadOnly)) all += QString::fromUtf8(ill.readAll());
    for (const auto& [key, text] : read_panel_texts(dir / "PanelTexts")) all += QString::fromStdString(text);
    return all;
}

TEST(PanelFonts, draw_every_character_of_every_language) {
    std::vector<QRawFont> fonts;
    for (const char* f : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
        if (QFile::exists(QString::fromLatin1(f))) fonts.emplace_back(QString::fromLatin1(f), 13);
    if (fonts.empty()) GTEST_SKIP() << "panel fonts not installed";
    for (const QRawFont& f : fonts) ASSERT_TRUE(f.isValid());
    for (const auto& lang : kLanguages) {
        const std::string code(lang.folder);
        const QStringList texts = shipped_texts(code, testing::built_languages() / code);
        ASSERT_FALSE(texts.isEmpty()) << code;
        std::map<char32_t, int> missing;
        for (const QString& t : texts)
            for (char32_t c : t.toUcs4())
                if (c >= 0x20 && c != 0x7F)
                    for (const QRawFont& f : fonts)
                        if (!f.supportsCharacter(c)) ++missing[c];
        for (const auto& [c, count] : missing)
            ADD_FAILURE() << code << ": U+" << std::hex << static_cast<unsigned>(c) << std::dec << " '"
                          << QString::fromUcs4(&c, 1).toStdString() << "' (" << count << "x) has no glyph";
    }
}

// Caption lines of a button picture: runs of rows on the face (inside the
// two-pixel edge) holding caption ink, a pixel darker than the face's
// darkest shade. Runs closer than three blank rows count as one line, since a
// capital's accent sits up to two blank rows above its letter.
int caption_lines(const QImage& img) {
    int lines = 0;
    int blank = 3;
    for (int y = 2; y < img.height() - 2; ++y) {
        bool ink = false;
        for (int x = 2; x < img.width() - 2 && !ink; ++x) ink = qGray(img.pixel(x, y)) < 190;
        if (ink && blank >= 3) ++lines;
        blank = ink ? 0 : blank + 1;
    }
    return lines;
}

TEST(ButtonPictures, keep_a_blank_gap_between_caption_lines) {
    const auto english = keyed_source(sources_dir() / "EN" / "buttons.txt");
    for (const auto& lang : kLanguages) {
        const std::string code(lang.folder);
        const auto captions = keyed_source(sources_dir() / code / "buttons.txt");
        const auto files = pictures(testing::built_languages() / code / "Bitmaps");
        ASSERT_EQ(files.size(), 77u) << code;
        for (const auto& [n, file] : files) {
            if (n >= 74) continue;  // the rear-discharge views carry a caption band, not a button face
            const QString caption = captions.count(n) ? captions.at(n) : english.at(n);
            const int want = static_cast<int>(caption.count(QLatin1Char('|'))) + 1;
            if (want < 2) continue;
            const QImage img(qpath(testing::built_languages() / code / "Bitmaps" / file.toStdString()));
            ASSERT_FALSE(img.isNull()) << code << " picture " << n;
            EXPECT_EQ(caption_lines(img), want) << code << " picture " << n << ": " << caption.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, EveryLanguage, ::testing::ValuesIn(others()),
                         [](const auto& row) { return row.param.code; });

}  // namespace
}  // namespace dryer::l10n
