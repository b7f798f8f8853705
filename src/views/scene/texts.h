// The texts a status window draws, looked up by number or by the warning's
// (node id, warning id) pair. The panel passes the localized texts of the
// current language; tests pass a table of their own.
#pragma once

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <utility>

#include "views/scene/scene.h"

namespace dryer::views {

class Texts {
public:
    virtual ~Texts() = default;
    // text() returns text n of the current language in UTF-8, empty when
    // there is none.
    virtual std::string text(unsigned n) const = 0;
    // label() returns text n with its number.
    Label label(unsigned n) const { return {text(n), n}; }
    // warning_text() returns the module's text for the condition, empty
    // when there is none.
    virtual std::string warning_text(int node_id, int warning_id) const = 0;
    // button_picture_path() returns the file of localized button picture
    // n, empty when there is none.
    virtual std::filesystem::path button_picture_path(int) const { return {}; }
    // warning_picture_path() returns the illustration of the condition
    // for the help dialog (the rear-discharge picture of the animation frame
    // for node 14 warning 5), empty when there is none.
    virtual std::filesystem::path warning_picture_path(int, int, int) const { return {}; }
    // warning_help_path() returns the help text file of the condition.
    virtual std::filesystem::path warning_help_path(int, int) const { return {}; }
};

// File names of a condition's illustration and help text in a folder.
inline std::filesystem::path warning_file(const std::filesystem::path& dir, int node, int warning, const char* ext) {
    char name[64];
    std::snprintf(name, sizeof name, "NID_%02d_WARNING_ID_%02d.%s", node, warning, ext);
    return dir / name;
}

// Texts held in memory: what the table holds, empty otherwise.
class TableTexts : public Texts {
public:
    TableTexts() = default;
    explicit TableTexts(std::map<unsigned, std::string> t) : texts_(std::move(t)) {}
    void set(unsigned n, std::string t) { texts_[n] = std::move(t); }
    void set_warning(int node, int warning, std::string t) { warnings_[{node, warning}] = std::move(t); }
    std::string text(unsigned n) const override {
        auto it = texts_.find(n);
        return it == texts_.end() ? std::string{} : it->second;
    }
    std::string warning_text(int node, int warning) const override {
        auto it = warnings_.find({node, warning});
        return it == warnings_.end() ? std::string{} : it->second;
    }
    // Illustrations and help texts are looked up in this folder, if set.
    void set_warning_folder(std::filesystem::path dir) { folder_ = std::move(dir); }
    std::filesystem::path warning_picture_path(int node, int warning, int) const override {
        return folder_.empty() ? folder_ : warning_file(folder_, node, warning, "bmp");
    }
    std::filesystem::path warning_help_path(int node, int warning) const override {
        return folder_.empty() ? folder_ : warning_file(folder_, node, warning, "txt");
    }

private:
    std::filesystem::path folder_;
    std::map<unsigned, std::string> texts_;
    std::map<std::pair<int, int>, std::string> warnings_;
};

// Texts that are simply "T<n>" (and "W<node>.<warning>"): lets tests and the
// randomized render check which number a window asked for.
class NumberTexts : public Texts {
public:
    std::string text(unsigned n) const override {
        char buf[16];
        std::snprintf(buf, sizeof buf, "T%u", n);
        return buf;
    }
    std::string warning_text(int node, int warning) const override {
        char buf[32];
        std::snprintf(buf, sizeof buf, "W%d.%d", node, warning);
        return buf;
    }
};

}  // namespace dryer::views
