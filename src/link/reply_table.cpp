#include "link/reply_table.h"

namespace dryer::link {
namespace {

constexpr ReplyRow S(std::uint16_t code, std::uint8_t n, bool limited = true, Clear c = Clear::echo) {
    return ReplyRow{code, n, code, Source::settings, limited, c};
}
constexpr ReplyRow P(std::uint16_t code) { return S(code, 2, true, Clear::echo_previous); }

}  // namespace

const std::array<ReplyRow, kReplyRowCount + 1> kReplyRows = {{
    {0, 0, 0, Source::settings, false, Clear::echo},  // unused
    S(3, 1, false),                                   // 1 fan/heater count (unconditional)
    S(4, 1), S(5, 1), S(6, 1), S(7, 1), S(8, 1),      // 2-6
    S(11, 2),                                         // 7 batch heat time
    S(9, 2, true, Clear::echo_against),               // 8 batch heat remaining
    S(254, 2),                                        // 9 batch low heat time
    S(252, 2, true, Clear::echo_against),             // 10
    S(16, 2),                                         // 11 batch cool time
    S(14, 2, true, Clear::echo_against),              // 12
    S(21, 2),                                         // 13 batch unload time
    S(19, 2, true, Clear::echo_against),              // 14
    S(26, 2), S(31, 2), S(41, 2), S(46, 2),           // 15-18 timers
    S(49, 1), S(50, 1),                               // 19-20
    S(53, 5, false, Clear::one_shot),                 // 21 panel clock (unconditional)
    P(59), P(61), P(63), P(65), P(67), P(69),         // 22-27 plenum 6..1 setpoints
    S(95, 1), S(96, 1), S(97, 1), S(98, 1), S(99, 1), S(100, 1),          // 28-33
    S(101, 1), S(102, 1), S(103, 1), S(104, 1), S(105, 1), S(106, 1),     // 34-39
    P(149), P(151), P(153),                           // 40-42 grain setpoints
    S(159, 1, true, Clear::by_screen),                // 43 meter roll control byte
    S(156, 1), S(157, 1), S(158, 1),                  // 44-46
    {159, 4, 155, Source::status, true, Clear::meter_roll},     // 47
    {161, 1, 230, Source::status, true, Clear::received_161},   // 48
    S(163, 1),                                        // 49
    S(187, 1),                                        // 50
    {160, 3, 156, Source::status, true, Clear::received_160},   // 51
    {159, 4, 159, Source::settings, true, Clear::meter_roll},   // 52
    S(199, 2), S(206, 2), S(208, 2), S(221, 2),       // 53-56
    S(224, 1),                                        // 57
    S(226, 1), S(227, 1), S(228, 1), S(229, 1),       // 58-61
    S(232, 2), S(234, 2),                             // 62-63
    S(236, 1), S(237, 1), S(238, 1),                  // 64-66
    S(241, 2), S(243, 2),                             // 67-68
    S(246, 1), S(257, 1),                             // 69-70
    P(258), P(260),                                   // 71-72
    S(266, 1), S(269, 2), S(274, 2), S(277, 2),       // 73-76
    S(279, 1, true, Clear::masked_echo),              // 77
    S(281, 2),                                        // 78
    S(285, 1, false),                                 // 79 auto-start (unconditional)
    S(287, 1), S(289, 1), S(293, 1),                  // 80-82
}};

int row_for_setting(std::size_t offset) {
    for (std::size_t r = 1; r <= kReplyRowCount; ++r) {
        const ReplyRow& row = kReplyRows[r];
        if (row.code == offset && row.from == Source::settings && row.source == offset &&
            row.clear != Clear::meter_roll) {
            return static_cast<int>(r);
        }
    }
    return 0;
}

}  // namespace dryer::link
