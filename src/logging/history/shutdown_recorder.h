// Records the shutdowns the status decoding reports into the history: looks
// up the node's name and the localized warning text and stores the record.
// The decoder decides when a shutdown is new (its re-record countdown and
// last pair); this class stores every call it receives.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "link/link_state.h"
#include "logging/history/shutdown_store.h"

namespace dryer::history {

class ShutdownRecorder final : public link::ShutdownSink {
public:
    ShutdownRecorder(ShutdownStore& store, WarningTextLookup warning_text);

    // record_shutdown() stores a record (warning text cut to 149
    // characters, node name, now, node id and warning id) for a warning id above 0 and do nothing for
    // warning id 0; failures are silent. Runs on the receive thread.
    void record_shutdown(std::uint8_t node, std::uint8_t warning) override;

    // The outcome of the last call, for tests and diagnostics.
    RecordOutcome last_outcome() const { return last_.load(std::memory_order_relaxed); }

private:
    ShutdownStore& store_;
    WarningTextLookup warning_text_;
    std::atomic<RecordOutcome> last_{RecordOutcome::failed};
};

}  // namespace dryer::history
