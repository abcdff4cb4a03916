// One game on two machines, kept in lockstep on the keys. Both machines run
// the whole game; a game is decided by its start (the host's settings and
// random state) and by the key events each look of the game takes in. The
// side whose team is on turn sends the events its looks took in, with the
// look and game time, and says how far its game has got; the other side's
// input takes those events at the same looks and never lets its game look
// past the last look confirmed to it. After every turn both compare a hash
// of the state.
//
// The host plays red and everything between the turns (its menus, the
// victory screen); the joiner plays blue. Everything here runs on the game
// thread; the transport's thread only wakes the game's input. Whatever ends
// the network game (the other side leaving or falling silent, a message that
// does not read, the games out of step) is thrown as Ended at the game's
// next look.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/Messages.h"
#include "net/Transport.h"

namespace Net {

// Why the network game is over, for the player: a line, and which of the
// game's message pictures says it (1 left, 2 connection lost, 3 out of
// step, 4 a bad message).
struct Ended {
    std::string why;
    int picture = 2;
};

enum class Role { Host, Join };

class Session {
public:
    Session(std::unique_ptr<Transport> transport, Role role);
    // Tells the other side this one leaves (unless the connection is over
    // already) and gives the input back to the window.
    ~Session();

    Role role() const { return role_; }

    // Until the other side has connected and greeted (closing the window
    // ends the wait with the graphics layer's QuitGame).
    void WaitForPeer();
    // The joiner: until the host starts a match.
    Start WaitForStart();
    // The host: the match about to begin.
    void SendStart(const Start& start);

    // Around each match: the other side's teams take their keys from the
    // network, ours are sent to it, looks are counted from here.
    void BeginMatch();
    void EndMatch();
    // At the end of each turn, the hash of this machine's game.
    void TurnOver(uint32_t turn, uint64_t hash);

    // Throws Ended if the network game is over. When the other side left or
    // fell silent, Check lets the game play out what it confirmed before
    // (CheckNeeded does not).
    void Check();
    void CheckNeeded();

    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    class Remote;

private:
    friend class Remote;
    class Waiter;

    // Takes in what arrived, in order (a start waits while a match runs).
    void Pump();
    void Watch();
    void Handle(const Message& m);
    void CompareHashes();
    // Out of step already: the other game ended a turn at a look this one
    // went past without ending it (both would wait for the other for ever).
    void CheckTurns(uint64_t look);
    void Fail(const std::string& why, int picture, bool tellThem, Reason reason, bool playOut = false);
    bool Mine(uint32_t team) const { return role_ == Role::Host ? team != 2 : team == 2; }
    // A look of the game: confirms to the other side the looks of ours
    // that are over.
    void Looked(uint64_t look, uint64_t clockMs, bool complete);
    void ConfirmUpTo(uint64_t look);
    void SendKeys();
    void Send(const Message& m);
    // Blocks in the game's input until `done` (or the end).
    template <class F>
    void WaitUntil(F done);

    std::unique_ptr<Transport> transport_;
    Role role_;
    bool connected_ = false, greeted_ = false;
    std::deque<Message> inbox_;
    std::optional<Ended> ended_;
    bool playOut_ = false;
    std::optional<std::string> closed_;
    std::optional<Start> start_;

    bool inMatch_ = false;
    int observer_ = 0;
    std::shared_ptr<Remote> remote_;
    // What this side's looks took in, not sent yet (look, clock, keys).
    std::vector<Keys> outgoing_;
    uint64_t localLook_ = 0, localClock_ = 0, confirmedSent_ = 0;
    // What the other side sent: keys by look, and how far it has got.
    std::map<uint64_t, std::vector<Key>> incoming_;
    size_t incomingCount_ = 0;
    // (The keys of a look may travel ahead of the confirmation of the one
    // before: the times of each kind of message only go forward.)
    uint64_t confirmed_ = 0, lastKeysLook_ = 0, lastClock_ = 0, reachedClock_ = 0;
    // The turns' hashes not compared yet, with the look each turn ended at;
    // the turns this side has ended in the match.
    std::map<uint32_t, TurnHash> ownHashes_, theirHashes_;
    uint32_t turns_ = 0;
};

}  // namespace Net
