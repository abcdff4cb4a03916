// Network play's lower half: the messages as bytes (what a hostile or
// damaged message gets), and two transports talking over the loopback.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/Options.h"
#include "net/Messages.h"
#include "net/Transport.h"

using namespace Net;

TEST(NetMessages, EveryKindReadsBackAndEveryCutIsRefused) {
    const std::vector<Message> messages = {
        Hello{},
        Start{3, 8, true, false, 4294967295u, 0.35f},
        Start{1, 2, false, true, 0, 1.0f},
        Keys{1, 0, {{0, 0x25}}},
        Keys{MaxTime, MaxTime, std::vector<Key>(MaxKeys, Key{2, 0xFF})},
        Reached{7, 123456},
        TurnHash{12, 0xFEDCBA9876543210u},
        Leave{Reason::OutOfStep},
    };
    for (const Message& m : messages) {
        const std::vector<uint8_t> bytes = Encode(m);
        const Decoded d = Decode(bytes);
        ASSERT_TRUE(d.message) << d.error;
        EXPECT_EQ(*d.message, m);
        for (size_t cut = 0; cut < bytes.size(); ++cut) EXPECT_FALSE(Decode(bytes.data(), cut).message) << cut;
        std::vector<uint8_t> longer = bytes;
        longer.push_back(0);
        EXPECT_FALSE(Decode(longer).message) << m.index();
    }
}

TEST(NetMessages, HostileFieldsAreRefusedWithTheirReason) {
    // A sound message of each kind, one byte changed.
    struct Case {
        Message sound;
        size_t at;
        uint8_t value;
        const char* why;
    };
    const Start start{1, 2, false, false, 5, 0.5f};
    const Keys keys{5, 100, {{0, 0x20}, {1, 0x20}}};
    const std::vector<Case> cases = {
        {Hello{}, 0, 'X', "not a Zanderfell"},
        {Hello{}, 2, Version + 1, "network version 2"},
        {Hello{}, 3, 6, "unknown message kind"},
        {start, 4, 4, "no level 4"},
        {start, 4, 0, "no level 0"},
        {start, 5, 3, "3 rabbits"},
        {start, 5, 10, "10 rabbits"},
        {start, 6, 2, "neither on nor off"},
        {start, 15, 0x7F, "divisor"},  // 0.5f's high byte: a NaN
        {start, 15, 0x40, "divisor"},  // 2.0
        {start, 15, 0xBF, "divisor"},  // -0.5
        {keys, 20, 0, "a count of 0"},
        {keys, 20, MaxKeys + 1, "a count of 65"},
        {keys, 20, 3, "3 keys in a message of 25 bytes"},
        {keys, 21, 3, "not a key event"},
        {keys, 22, 0, "not a key event"},
        {keys, 4, 0, "look or time out of range"},  // look 0
        {keys, 19, 1, "look or time out of range"},  // a clock past MaxTime
        {Reached{1, 1}, 11, 0x01, "look or time out of range"},
        {Leave{}, 4, 3, "unknown reason"},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = Encode(c.sound);
        ASSERT_LT(c.at, bytes.size());
        bytes[c.at] = c.value;
        const Decoded d = Decode(bytes);
        EXPECT_FALSE(d.message) << c.why;
        EXPECT_NE(d.error.find(c.why), std::string::npos) << d.error;
    }
}

TEST(NetMessages, AddressesReadWithTheDefaultPort) {
    struct Case {
        const char* text;
        bool ok;
        const char* address;
        uint16_t port;
    };
    for (const Case& c : std::vector<Case>{{"example.org", true, "example.org", DefaultPort},
                                           {"10.0.0.2:1", true, "10.0.0.2", 1},
                                           {"h:65535", true, "h", 65535},
                                           {"h:65536", false, "", 0},
                                           {"h:0", false, "", 0},
                                           {"h:", false, "", 0},
                                           {"h:12a", false, "", 0},
                                           {":5000", false, "", 0}}) {
        std::string address;
        uint16_t port = 0;
        ASSERT_EQ(ParseAddress(c.text, address, port), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(address, c.address);
            EXPECT_EQ(port, c.port);
        }
    }
}

TEST(NetTransport, ConnectsExchangesInOrderAndReportsTheEnd) {
    // Generous waits: a busy machine is slow, never wrong.
    constexpr uint32_t Patience = 10000;
    std::string error;
    auto host = Transport::Host(0, error);
    ASSERT_TRUE(host) << error;
    auto join = Transport::Join("127.0.0.1", host->Port(), error);
    ASSERT_TRUE(join) << error;
    Happening h;
    ASSERT_TRUE(host->Wait(h, Patience));
    EXPECT_EQ(h.type, Happening::Connected);
    ASSERT_TRUE(join->Wait(h, Patience));
    EXPECT_EQ(h.type, Happening::Connected);

    // In order, including messages sent late on a slow line.
    join->SetSendDelay(30);
    for (uint8_t i = 1; i <= 20; ++i) join->Send({i, i});
    for (uint8_t i = 1; i <= 20; ++i) {
        ASSERT_TRUE(host->Wait(h, Patience));
        ASSERT_EQ(h.type, Happening::Received);
        EXPECT_EQ(h.bytes, std::vector<uint8_t>({i, i}));
    }
    join.reset();
    ASSERT_TRUE(host->Wait(h, Patience));
    EXPECT_EQ(h.type, Happening::Closed);
    EXPECT_EQ(h.why, "the other side closed the connection");

    // Nobody answers at the port now.
    const uint16_t port = host->Port();
    host.reset();
    auto lonely = Transport::Join("127.0.0.1", port, error);
    ASSERT_TRUE(lonely) << error;
    ASSERT_TRUE(lonely->Wait(h, Patience));
    EXPECT_EQ(h.type, Happening::Closed);
    EXPECT_EQ(h.why, "no game answered at that address");
}

TEST(NetMessages, TheCommandLineHostsOrJoins) {
    using Zanderfell::Opties;
    struct Case {
        std::vector<std::string> args;
        Opties::Rol rol;
        const char* address;
        uint16_t port;  // 0: refused
    };
    const std::vector<Case> cases = {
        {{"--host"}, Opties::Rol::Host, "", DefaultPort},
        {{"--host", "--mute"}, Opties::Rol::Host, "", DefaultPort},
        {{"--host", "5000", "--classic"}, Opties::Rol::Host, "", 5000},
        {{"--host", "x"}, Opties::Rol::Host, "", 0},
        {{"--join", "10.1.1.1:6000"}, Opties::Rol::Join, "10.1.1.1", 6000},
        {{"--join"}, Opties::Rol::Join, "", 0},
        {{"--join", "a", "--host"}, Opties::Rol::Join, "", 0},
    };
    for (const Case& c : cases) {
        const Zanderfell::OptieUitkomst u = Zanderfell::LeesOpties(c.args);
        EXPECT_EQ(u.fout.empty(), c.port != 0) << c.args[0] << " " << u.fout;
        if (c.port == 0) continue;
        EXPECT_EQ(u.opties.Netwerk, c.rol);
        EXPECT_EQ(u.opties.Adres, c.address);
        EXPECT_EQ(u.opties.Poort, c.port);
    }
}
