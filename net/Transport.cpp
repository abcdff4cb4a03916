// The ENet connection and its thread. The thread owns the ENet host and
// peer; the game thread only touches the queues under the mutex and writes
// a byte into the wake pipe, so nothing here needs ENet to be thread-safe.
// Between happenings the thread sleeps in poll() on the socket and the pipe,
// waking at the latest every few tens of ms for ENet's own clock (pings,
// resends and the timeout that notices a silent peer).
#include "net/Transport.h"

#include <enet/enet.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <mutex>

#include "net/Messages.h"

namespace Net {

namespace {

using SteadyClock = std::chrono::steady_clock;

// A peer that answers nothing for this long is gone: short enough that the
// game notices a crash or a pulled cable within 0.8 s (and is back at its
// title within 2 s), long enough for a line 100 ms slow each way. The pings
// keep an idle connection tested.
constexpr uint32_t PingMs = 100, TimeoutMinMs = 400, TimeoutMaxMs = 700;
// Looking for a host at the address given lasts this long.
constexpr uint32_t ConnectMs = 3000;
// A polite end waits this long for the other side to confirm it.
constexpr auto GoodbyeWait = std::chrono::milliseconds(300);
// The longest sleep between two services of ENet's clock.
constexpr int ServiceMs = 20;
// Our messages are tens of bytes; anything far bigger is refused by ENet.
constexpr size_t MaxPacket = 4096;
// The disconnect's data: 1 for a side that ended the connection itself
// (ENet reports 0 when the peer fell silent).
constexpr enet_uint32 ClosedOnPurpose = 1;

std::atomic<uint32_t> defaultSendDelay{0};

void InitialiseOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (enet_initialize() == 0) std::atexit(enet_deinitialize);
    });
}

}  // namespace

struct Transport::Impl {
    ENetHost* host = nullptr;
    ENetPeer* peer = nullptr;  // set once connecting (join) or connected (host)
    bool joining = false;
    bool connected = false;
    int wake[2] = {-1, -1};

    std::mutex m;
    std::condition_variable arrived;
    std::deque<Happening> in;
    struct Outgoing {
        SteadyClock::time_point due;
        std::vector<uint8_t> bytes;
    };
    std::deque<Outgoing> out;
    std::function<void()> notify;
    uint32_t sendDelayMs = 0;
    bool closeAsked = false;
    bool over = false;  // the connection ended; the thread stops
    std::thread thread;

    ~Impl() {
        if (host) enet_host_destroy(host);
        for (int fd : wake)
            if (fd >= 0) close(fd);
    }

    void Wake() {
        const char b = 1;
        // A full pipe already wakes the thread.
        [[maybe_unused]] ssize_t n = write(wake[1], &b, 1);
    }

    void Report(Happening h) {
        std::function<void()> n;
        {
            std::lock_guard lock(m);
            if (h.type == Happening::Closed) over = true;
            in.push_back(std::move(h));
            n = notify;
        }
        arrived.notify_all();
        if (n) n();
    }

    void Run() {
        SteadyClock::time_point goodbyeBy{};
        bool saidGoodbye = false;
        for (;;) {
            char drain[64];
            while (read(wake[0], drain, sizeof drain) > 0) {
            }
            std::vector<std::vector<uint8_t>> sendNow;
            bool closing;
            SteadyClock::time_point nextDue = SteadyClock::time_point::max();
            {
                std::lock_guard lock(m);
                const auto now = SteadyClock::now();
                // A goodbye takes everything still queued with it.
                while (!out.empty() && (out.front().due <= now || closeAsked)) {
                    sendNow.push_back(std::move(out.front().bytes));
                    out.pop_front();
                }
                if (!out.empty()) nextDue = out.front().due;
                closing = closeAsked;
                if (over) return;
            }
            if (connected)
                for (auto& bytes : sendNow)
                    enet_peer_send(peer, 0, enet_packet_create(bytes.data(), bytes.size(), ENET_PACKET_FLAG_RELIABLE));
            if (closing && !saidGoodbye) {
                saidGoodbye = true;
                goodbyeBy = SteadyClock::now() + GoodbyeWait;
                if (connected) enet_peer_disconnect_later(peer, ClosedOnPurpose);
                else break;
            }
            if (saidGoodbye && SteadyClock::now() >= goodbyeBy) break;

            ENetEvent e;
            int got;
            while ((got = enet_host_service(host, &e, 0)) > 0) {
                if (e.type == ENET_EVENT_TYPE_CONNECT) {
                    peer = e.peer;
                    connected = true;
                    enet_peer_ping_interval(peer, PingMs);
                    enet_peer_timeout(peer, 0, TimeoutMinMs, TimeoutMaxMs);
                    Report({Happening::Connected, {}, {}});
                } else if (e.type == ENET_EVENT_TYPE_RECEIVE) {
                    Happening h{Happening::Received, {e.packet->data, e.packet->data + e.packet->dataLength}, {}};
                    enet_packet_destroy(e.packet);
                    // Nothing after a goodbye reaches the game.
                    if (!saidGoodbye) Report(std::move(h));
                } else if (e.type == ENET_EVENT_TYPE_DISCONNECT) {
                    if (saidGoodbye) return Finish();
                    std::string why = !connected && joining
                                          ? "no game answered at that address"
                                          : e.data == ClosedOnPurpose ? "the other side closed the connection"
                                                                      : "the connection to the other player was lost";
                    connected = false;
                    peer = nullptr;
                    Report({Happening::Closed, {}, why});
                    return;
                }
            }
            if (got < 0) {
                Report({Happening::Closed, {}, "the network failed on this machine"});
                return;
            }
            enet_host_flush(host);

            // A host nobody is joining has no timers running: it sleeps
            // until a packet or the game wakes it.
            int timeout = host->peers[0].state == ENET_PEER_STATE_DISCONNECTED ? -1 : ServiceMs;
            if (nextDue != SteadyClock::time_point::max()) {
                const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(nextDue - SteadyClock::now()).count();
                timeout = static_cast<int>(std::clamp<long long>(left + 1, 0, ServiceMs));
            }
            pollfd fds[2] = {{host->socket, POLLIN, 0}, {wake[0], POLLIN, 0}};
            poll(fds, 2, timeout);
        }
        Finish();
    }

    // Ends our side at once (the goodbye was not confirmed in time, or none
    // was needed).
    void Finish() {
        if (peer) {
            enet_peer_reset(peer);
            peer = nullptr;
        }
        connected = false;
        std::lock_guard lock(m);
        over = true;
    }
};

namespace {

std::unique_ptr<Transport::Impl> NewImpl(const ENetAddress* bindTo, std::string& error) {
    InitialiseOnce();
    auto impl = std::make_unique<Transport::Impl>();
    if (pipe2(impl->wake, O_NONBLOCK | O_CLOEXEC) != 0) {
        error = "cannot make a pipe for the network thread";
        return nullptr;
    }
    impl->host = enet_host_create(bindTo, 1, 1, 0, 0);
    if (!impl->host) {
        error = bindTo ? "port " + std::to_string(bindTo->port) + " cannot be opened (in use?)"
                       : "cannot open a network socket";
        return nullptr;
    }
    impl->host->maximumPacketSize = MaxPacket;
    impl->sendDelayMs = defaultSendDelay;
    return impl;
}

}  // namespace

Transport::Transport(std::unique_ptr<Impl> i) : impl(std::move(i)) {
    impl->thread = std::thread([this] { impl->Run(); });
}

std::unique_ptr<Transport> Transport::Host(uint16_t port, std::string& error) {
    ENetAddress address{};
    address.host = ENET_HOST_ANY;
    address.port = port;
    auto impl = NewImpl(&address, error);
    if (!impl) return nullptr;
    return std::unique_ptr<Transport>(new Transport(std::move(impl)));
}

std::unique_ptr<Transport> Transport::Join(const std::string& host, uint16_t port, std::string& error) {
    ENetAddress address{};
    if (enet_address_set_host(&address, host.c_str()) != 0) {
        error = "cannot find the machine " + host;
        return nullptr;
    }
    address.port = port;
    auto impl = NewImpl(nullptr, error);
    if (!impl) return nullptr;
    impl->joining = true;
    impl->peer = enet_host_connect(impl->host, &address, 1, 0);
    if (!impl->peer) {
        error = "cannot connect to " + host;
        return nullptr;
    }
    enet_peer_timeout(impl->peer, 0, ConnectMs, ConnectMs);
    return std::unique_ptr<Transport>(new Transport(std::move(impl)));
}

Transport::~Transport() {
    Close();
    impl->thread.join();
}

void Transport::Send(std::vector<uint8_t> bytes) {
    {
        std::lock_guard lock(impl->m);
        if (impl->over || impl->closeAsked) return;
        impl->out.push_back({SteadyClock::now() + std::chrono::milliseconds(impl->sendDelayMs), std::move(bytes)});
    }
    impl->Wake();
}

bool Transport::Poll(Happening& out) {
    std::lock_guard lock(impl->m);
    if (impl->in.empty()) return false;
    out = std::move(impl->in.front());
    impl->in.pop_front();
    return true;
}

bool Transport::Wait(Happening& out, uint32_t ms) {
    std::unique_lock lock(impl->m);
    if (!impl->arrived.wait_for(lock, std::chrono::milliseconds(ms), [&] { return !impl->in.empty(); })) return false;
    out = std::move(impl->in.front());
    impl->in.pop_front();
    return true;
}

void Transport::OnHappening(std::function<void()> notify) {
    std::lock_guard lock(impl->m);
    impl->notify = std::move(notify);
}

void Transport::Close() {
    {
        std::lock_guard lock(impl->m);
        impl->closeAsked = true;
    }
    impl->Wake();
}

void Transport::SetDefaultSendDelay(uint32_t ms) { defaultSendDelay = ms; }

uint16_t Transport::Port() const { return impl->host->address.port; }

void Transport::SetSendDelay(uint32_t ms) {
    std::lock_guard lock(impl->m);
    impl->sendDelayMs = ms;
}

bool ParseAddress(const std::string& text, std::string& address, uint16_t& port) {
    const size_t colon = text.rfind(':');
    address = text.substr(0, colon);
    port = DefaultPort;
    // A colon of the address's own is an IPv6 address, which the network
    // game does not speak: refused here rather than tried as a host name.
    if (address.empty() || address.find(':') != std::string::npos) return false;
    if (colon == std::string::npos) return true;
    const std::string digits = text.substr(colon + 1);
    if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos) return false;
    const unsigned long p = std::stoul(digits);
    if (p < 1 || p > 65535) return false;
    port = static_cast<uint16_t>(p);
    return true;
}

}  // namespace Net
