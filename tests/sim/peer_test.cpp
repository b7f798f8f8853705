#include "sim/peer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "link/frames.h"
#include "test_frames.h"

namespace dryer::sim {
namespace {

using test::Bytes;

class PeerTest : public ::testing::Test {
protected:
    Peer make(const char* scenario = "", std::uint32_t period_ms = 350) {
        PeerOptions o;
        o.period_ms = period_ms;
        o.gap_ms = 30;
        o.unscripted_events = false;
        o.refused = refused;
        o.log = [this](const std::string& line) { log.push_back(line); };
        const ScenarioResult r = parse_scenario(scenario);
        EXPECT_TRUE(r.ok) << r.error;
        o.scenario = r.actions;
        return Peer(std::move(o));
    }
    static void send(Peer& p, const Bytes& b, std::uint64_t now) { p.receive(b.data(), b.size(), now); }
    bool logged(const std::string& part) const {
        return std::any_of(log.begin(), log.end(), [&](const std::string& l) { return l.find(part) != std::string::npos; });
    }

    std::bitset<link::kImageSize> refused;
    std::vector<std::string> log;
};

bool accepted(const Bytes& f) { return link::status_frame_accepted(f.data(), f.size()); }

TEST_F(PeerTest, SendsAValidFrameAtOnceAndThenEveryPeriodWhenQuiet) {
    Peer p = make();
    const Bytes first = p.poll(1000);
    ASSERT_TRUE(accepted(first));
    EXPECT_TRUE(std::equal(first.begin(), first.begin() + 329, p.plant().image().begin()));
    EXPECT_TRUE(p.poll(1100).empty());
    EXPECT_TRUE(p.poll(1349).empty());
    EXPECT_TRUE(accepted(p.poll(1350)));
    EXPECT_EQ(p.stats().frames_sent, 2u);
}

TEST_F(PeerTest, AppliesEveryItemAndEchoesItInTheNextFrame) {
    Peer p = make();
    p.poll(0);
    send(p, test::item_reply({{69, {0xD2, 0x00}}, {53, {15, 10, 8, 12, 26}}, {159, {1, 30, 50, 70}}, {160, {9, 8, 7}}}),
         20);
    const Bytes f = p.poll(20);  // answered at once, not after the period
    ASSERT_TRUE(accepted(f));
    EXPECT_EQ(f[69], 0xD2);
    EXPECT_EQ(f[70], 0x00);
    EXPECT_EQ(Bytes(f.begin() + 53, f.begin() + 58), (Bytes{15, 10, 8, 12, 26}));
    EXPECT_EQ(Bytes(f.begin() + 159, f.begin() + 163), (Bytes{1, 9, 8, 7}));  // later items win
    EXPECT_EQ(p.stats().items_applied, 4u);
    EXPECT_TRUE(logged("applied item 69 n=2: 0xD2 0x00"));
}

TEST_F(PeerTest, RefusedItemsAreTakenButNeverEchoed) {
    refused.set(200);
    Peer p = make();
    const Bytes before = p.poll(0);
    send(p, test::item_reply({{199, {0x00, 0xA0}}, {266, {0x80}}}), 10);
    const Bytes f = p.poll(10);
    ASSERT_TRUE(accepted(f));
    EXPECT_EQ(f[199], before[199]);  // the item touches a refused byte: left whole
    EXPECT_EQ(f[200], before[200]);
    EXPECT_EQ(f[266], 0x80);
    EXPECT_EQ(p.stats().items_refused, 1u);
    EXPECT_TRUE(logged("refused item 199"));
    p.refuse(200, false);
    send(p, test::item_reply({{199, {0x00, 0xA0}}}), 20);
    EXPECT_EQ(p.poll(20)[200], 0xA0);
}

TEST_F(PeerTest, MalformedRepliesChangeNothingAndGetNoAnswer) {
    Peer p = make();
    const Bytes before = p.poll(0);
    Bytes bad = test::item_reply({{266, {0x80}}});
    bad[5] ^= 0x40;
    send(p, bad, 10);
    EXPECT_TRUE(p.poll(11).empty());
    EXPECT_EQ(p.plant().image()[266], before[266]);
    EXPECT_EQ(p.stats().malformed_replies, 1u);
    EXPECT_TRUE(logged("malformed reply ignored (check bytes do not match)"));

    // Garbage with an impossible length byte is dropped whole.
    send(p, Bytes{0x00, 0xFF, 0x13}, 20);
    EXPECT_EQ(p.stats().malformed_replies, 2u);
}

TEST_F(PeerTest, AnUnfinishedReplyIsDroppedAfterTheGap) {
    Peer p = make();
    p.poll(0);
    const Bytes whole = test::item_reply({{266, {0x80}}});
    send(p, Bytes(whole.begin(), whole.begin() + 4), 10);
    EXPECT_TRUE(p.poll(30).empty());
    EXPECT_EQ(p.stats().malformed_replies, 0u);
    p.poll(40);
    EXPECT_EQ(p.stats().malformed_replies, 1u);
    EXPECT_TRUE(logged("length byte 8 but 4 bytes read"));
    // The rest arriving late is garbage of its own, not the end of the reply.
    send(p, Bytes(whole.begin() + 4, whole.end()), 50);
    p.poll(100);
    EXPECT_EQ(p.plant().image()[266] & 0x80, 0);
}

TEST_F(PeerTest, RepliesInPiecesOrRunTogetherAreEachHandled) {
    Peer p = make();
    p.poll(0);
    const Bytes a = test::item_reply({{266, {0x80}}});
    send(p, Bytes(a.begin(), a.begin() + 3), 10);
    send(p, Bytes(a.begin() + 3, a.end()), 15);
    EXPECT_EQ(p.plant().image()[266], 0x80);
    Bytes two = test::item_reply({{163, {77}}});
    two.insert(two.end(), test::kLinkLost.begin(), test::kLinkLost.end());
    two.insert(two.end(), test::kIdle.begin(), test::kIdle.end());
    send(p, two, 20);
    EXPECT_EQ(p.plant().image()[163], 77);
    EXPECT_EQ(p.stats().link_lost_replies, 1u);
    EXPECT_EQ(p.stats().idle_replies, 1u);
    EXPECT_EQ(p.stats().malformed_replies, 0u);
}

TEST_F(PeerTest, IdleAndLinkLostRepliesAreAnsweredAndLogged) {
    Peer p = make("", 10000);
    p.poll(0);
    for (std::uint64_t t = 1; t <= 3; ++t) {
        send(p, test::kIdle, t);
        EXPECT_TRUE(accepted(p.poll(t)));
    }
    send(p, test::kLinkLost, 4);
    EXPECT_TRUE(accepted(p.poll(4)));
    EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& l) { return l.find("idle") != std::string::npos; }),
              1);
    EXPECT_TRUE(logged("link-lost reply"));
}

TEST_F(PeerTest, ScenarioActionsHappenAtTheirPlantTime) {
    Peer p = make("at 2s shutdown node 14 warning 5\nat 3s set16le 318 3600\n");
    p.poll(0);
    p.poll(1999);
    EXPECT_EQ(p.plant().image()[185], 0);
    p.poll(2000);
    EXPECT_EQ(p.plant().image()[185], 5);
    EXPECT_EQ(p.plant().image()[186], 14);
    p.poll(5000);  // one long jump still runs the 3 s action
    EXPECT_EQ(p.plant().image()[318], 0x10);
    EXPECT_EQ(p.plant().image()[319], 0x0E);
    EXPECT_TRUE(logged("scenario line 1: at 2s shutdown node 14 warning 5"));
}

TEST_F(PeerTest, SpeedScalesPlantTimeNotPacing) {
    PeerOptions o;
    o.speed = 20;
    o.unscripted_events = false;
    Peer p(std::move(o));
    p.poll(0);
    EXPECT_TRUE(p.poll(349).empty());
    EXPECT_EQ(p.plant().now_ms(), 349u * 20u);
    Action silent;
    silent.kind = ActionKind::silent;
    silent.duration_ms = 10000;  // 10 s of plant time = 500 ms real
    p.post(silent);
    EXPECT_TRUE(p.poll(700).empty());
    EXPECT_TRUE(p.silent());
    p.poll(849);
    EXPECT_FALSE(p.silent());
}

}  // namespace
}  // namespace dryer::sim
