// The connection to the other machine: ENet over UDP, one reliable and
// ordered channel, one peer. The only file that knows ENet is
// net/Transport.cpp. A thread of its own serves the connection: it sleeps in
// poll() on the ENet socket and a wake pipe, sends what the game queued,
// and hands what arrived, and the connection's end, to the game in order.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace Net {

// What happened on the connection, in the order it happened.
struct Happening {
    enum Type { Connected, Received, Closed } type;
    std::vector<uint8_t> bytes;  // Received: one message
    std::string why;             // Closed: for the player
};

class Transport {
public:
    // Waits for one other player on `port` (all addresses). Empty, with
    // `error` set, when the port cannot be taken.
    static std::unique_ptr<Transport> Host(uint16_t port, std::string& error);
    // Connects to a host; the outcome comes as Connected or Closed.
    static std::unique_ptr<Transport> Join(const std::string& address, uint16_t port, std::string& error);
    // Ends the connection politely (a last flush) and stops the thread.
    ~Transport();

    // Queues a message for the other side (dropped once the connection is over).
    void Send(std::vector<uint8_t> bytes);
    // The next happening, if there is one.
    bool Poll(Happening& out);
    // The next happening, waiting at most `ms` milliseconds of real time for it.
    bool Wait(Happening& out, uint32_t ms);
    // Called on the network thread after each new happening (the game's
    // input is woken with it).
    void OnHappening(std::function<void()> notify);
    // Ends the connection now: the other side sees a disconnect at once.
    void Close();

    // The port this side's socket has (a host asked for port 0 gets a free one).
    uint16_t Port() const;

    // Delay added to every message sent, in ms (for trying a slow line on
    // the loopback; 0 normally). The static one holds for the transports
    // made after it (a whole program on a slow line).
    void SetSendDelay(uint32_t ms);
    static void SetDefaultSendDelay(uint32_t ms);

    Transport(const Transport&) = delete;
    Transport& operator=(const Transport&) = delete;

    struct Impl;

private:
    explicit Transport(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> impl;
};

// "ADDRESS[:PORT]" as the command line gives it: false for an empty
// address, an IPv6 one (the network game is IPv4 only) or a port that is
// not 1..65535.
bool ParseAddress(const std::string& text, std::string& address, uint16_t& port);

}  // namespace Net
