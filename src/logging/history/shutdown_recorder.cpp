#include "logging/history/shutdown_recorder.h"

#include <utility>

#include "logging/history/node_names.h"
#include "logging/history/single_byte.h"

namespace dryer::history {

ShutdownRecorder::ShutdownRecorder(ShutdownStore& store, WarningTextLookup warning_text)
    : store_(store), warning_text_(std::move(warning_text)) {}

void ShutdownRecorder::record_shutdown(std::uint8_t node, std::uint8_t warning) {
    if (warning == 0) return;
    std::string text;
    try {
        if (warning_text_) text = cut_to_characters(warning_text_(node, warning), kMaxWarningChars);
    } catch (...) {
        text.clear();  // a failing lookup leaves the text empty; the record still counts
    }
    last_.store(store_.record(text, node_name(node), node, warning), std::memory_order_relaxed);
}

}  // namespace dryer::history
