// dryer-textgen: turns the UTF-8 text sources of data/ into the text files the
// panel reads: UTF-16 little-endian, byte-order mark, lines ended by CR LF.
//
//   dryer-textgen keyed FIRST IN OUT   IN holds "NUMBER<TAB>TEXT" lines (lines
//                                      starting with '#' and blank lines are
//                                      skipped); OUT gets line k = text
//                                      FIRST + k - 1, empty lines for numbers
//                                      without text, up to the highest number.
//   dryer-textgen plain IN OUT         IN as a whole, every line end as CR LF.
//
// Exits non-zero on invalid UTF-8, a malformed or repeated number, or a text
// with a control character, so a bad source stops the build.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

namespace {

bool decode_utf8(const std::string& in, std::u16string& out) {
    for (std::size_t i = 0; i < in.size();) {
        const auto b = static_cast<unsigned char>(in[i]);
        char32_t c = 0;
        int extra = 0;
        if (b < 0x80) {
            c = b;
        } else if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F, extra = 1;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F, extra = 2;
        } else if ((b & 0xF8) == 0xF0) {
            c = b & 0x07, extra = 3;
        } else {
            return false;
        }
        if (extra > 0 && i + static_cast<std::size_t>(extra) >= in.size()) return false;
        for (int k = 1; k <= extra; ++k) {
            const auto cb = static_cast<unsigned char>(in[i + static_cast<std::size_t>(k)]);
            if ((cb & 0xC0) != 0x80) return false;
            c = (c << 6) | (cb & 0x3F);
        }
        i += static_cast<std::size_t>(extra) + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return true;
}

void put_unit(std::string& bytes, char16_t c) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
}

bool read_all(const char* path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    out = ss.str();
    return true;
}

bool write_all(const char* path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

int fail(const std::string& msg) {
    std::cerr << "dryer-textgen: " << msg << "\n";
    return 1;
}

int keyed(long first, const char* in_path, const char* out_path) {
    std::string src;
    if (!read_all(in_path, src)) return fail(std::string("cannot read ") + in_path);
    std::map<long, std::u16string> texts;
    std::istringstream lines(src);
    std::string line;
    int line_no = 0;
    while (std::getline(lines, line)) {
        ++line_no;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const auto tab = line.find('\t');
        if (tab == std::string::npos) return fail(std::string(in_path) + ":" + std::to_string(line_no) + ": no tab");
        char* end = nullptr;
        const long n = std::strtol(line.c_str(), &end, 10);
        if (end != line.c_str() + tab || n < first || n > 100000)
            return fail(std::string(in_path) + ":" + std::to_string(line_no) + ": bad number");
        std::u16string text;
        if (!decode_utf8(line.substr(tab + 1), text))
            return fail(std::string(in_path) + ":" + std::to_string(line_no) + ": invalid UTF-8");
        for (char16_t c : text) {
            if (c < 0x20) return fail(std::string(in_path) + ":" + std::to_string(line_no) + ": control character");
        }
        if (!texts.emplace(n, text).second)
            return fail(std::string(in_path) + ":" + std::to_string(line_no) + ": number repeated");
    }
    std::string bytes;
    put_unit(bytes, u'\uFEFF');
    const long last = texts.empty() ? first - 1 : texts.rbegin()->first;
    for (long n = first; n <= last; ++n) {
        const auto it = texts.find(n);
        if (it != texts.end()) {
            for (char16_t c : it->second) put_unit(bytes, c);
        }
        put_unit(bytes, u'\r');
        put_unit(bytes, u'\n');
    }
    return write_all(out_path, bytes) ? 0 : fail(std::string("cannot write ") + out_path);
}

int plain(const char* in_path, const char* out_path) {
    std::string src;
    if (!read_all(in_path, src)) return fail(std::string("cannot read ") + in_path);
    std::u16string text;
    if (!decode_utf8(src, text)) return fail(std::string(in_path) + ": invalid UTF-8");
    std::string bytes;
    put_unit(bytes, u'\uFEFF');
    for (char16_t c : text) {
        if (c == u'\r') continue;
        if (c == u'\n') put_unit(bytes, u'\r');
        put_unit(bytes, c);
    }
    return write_all(out_path, bytes) ? 0 : fail(std::string("cannot write ") + out_path);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "keyed" && argc == 5) return keyed(std::strtol(argv[2], nullptr, 10), argv[3], argv[4]);
    if (mode == "plain" && argc == 4) return plain(argv[2], argv[3]);
    std::cerr << "usage: dryer-textgen keyed FIRST IN OUT | plain IN OUT\n";
    return 2;
}
