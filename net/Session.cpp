// The lockstep: sources for the game's input that play the other side's
// keys at their looks, an observer and a look hook that send this side's.
#include "net/Session.h"

#include "gfx/Input.h"
#include "runtime/Clock.h"

namespace Net {

namespace {

// Keys the other side may have sent ahead of its confirmations: far more
// than any real game holds back (a look takes a few in), little memory.
constexpr size_t MaxWaitingKeys = 100000;
// Hashes of turns not compared yet.
constexpr size_t MaxWaitingHashes = 1000;

}  // namespace

// The other side's teams: a look waits until the other side has confirmed
// it, then takes the keys its look took in.
class Session::Remote : public Input::Source {
public:
    explicit Remote(Session& s) : s(s) {}
    bool Outside() const override { return true; }
    std::string Name() const override { return "network"; }
    bool Ready(uint64_t look, uint64_t) override {
        // Our looks before this one are over: the other side may go on.
        s.ConfirmUpTo(look - 1);
        s.Pump();
        s.CheckTurns(look);
        s.Check();
        if (s.confirmed_ >= look) return true;
        // The other side has gone: what it confirmed was played out.
        s.CheckNeeded();
        return false;
    }
    // Asked by a key read that found no key after every key of a look the
    // other side has finished: there, that look needed no more.
    uint64_t NextAt(uint64_t look) override {
        if (s.confirmed_ >= look)
            s.Fail("the two games went out of step at look " + std::to_string(look) +
                       " (a key read here, none over there)",
                   3, true, Reason::OutOfStep);
        s.CheckNeeded();
        return UINT64_MAX;
    }
    void Take(uint64_t look, uint64_t, std::vector<Input::Event>& out) override {
        while (!s.incoming_.empty() && s.incoming_.begin()->first <= look) {
            for (const Key& k : s.incoming_.begin()->second) out.push_back({Input::Kind(k.kind), k.vk});
            s.incomingCount_ -= s.incoming_.begin()->second.size();
            s.incoming_.erase(s.incoming_.begin());
        }
    }

private:
    Session& s;
};

// Outside a match: the game's input waits for something from the network.
class Session::Waiter : public Input::Source {
public:
    Waiter(Session& s, std::function<bool()> done) : s(s), done(std::move(done)) {}
    bool Outside() const override { return true; }
    bool Ready(uint64_t, uint64_t) override {
        s.Pump();
        s.CheckNeeded();
        return done();
    }
    void Take(uint64_t, uint64_t, std::vector<Input::Event>&) override {}

private:
    Session& s;
    std::function<bool()> done;
};

Session::Session(std::unique_ptr<Transport> transport, Role role) : transport_(std::move(transport)), role_(role) {
    transport_->OnHappening([] { Input::Wake(); });
}

Session::~Session() {
    EndMatch();
    Input::SetLookHook(nullptr);
    if (!ended_) Send(Leave{Reason::Quit});
    transport_->OnHappening(nullptr);
    transport_->Close();
}

void Session::Send(const Message& m) { transport_->Send(Encode(m)); }

void Session::Fail(const std::string& why, int picture, bool tellThem, Reason reason, bool playOut) {
    if (ended_) return;
    if (tellThem) Send(Leave{reason});
    ended_ = Ended{why, picture};
    playOut_ = playOut;
    transport_->Close();
}

void Session::Check() {
    if (ended_ && !playOut_) throw *ended_;
}

void Session::CheckNeeded() {
    if (ended_) throw *ended_;
}

void Session::Pump() {
    Happening h;
    while (!ended_ && transport_->Poll(h)) {
        if (h.type == Happening::Connected) {
            connected_ = true;
            Send(Hello{});
        } else if (h.type == Happening::Closed) {
            closed_ = h.why;
        } else {
            Decoded d = Decode(h.bytes);
            if (!d.message) {
                Fail("a bad message from the other side: " + d.error, 4, true, Reason::BadMessage);
            } else {
                inbox_.push_back(std::move(*d.message));
            }
        }
    }
    // A start belongs to the next match: it waits until this one is over.
    while (!ended_ && !inbox_.empty() && !(inMatch_ && std::holds_alternative<Start>(inbox_.front()))) {
        const Message m = std::move(inbox_.front());
        inbox_.pop_front();
        Handle(m);
    }
    // Only after everything that came before it.
    if (closed_ && !ended_)
        Fail(*closed_, *closed_ == "the other side closed the connection" ? 1 : 2, false, Reason::Quit, true);
}

void Session::Handle(const Message& m) {
    auto bad = [&](const std::string& why) { Fail("a bad message from the other side: " + why, 4, true, Reason::BadMessage); };
    if (!greeted_ && !std::holds_alternative<Hello>(m) && !std::holds_alternative<Leave>(m))
        return bad("it did not greet first");
    if (std::holds_alternative<Hello>(m)) {
        if (greeted_) return bad("a second greeting");
        greeted_ = true;
    } else if (const Start* s = std::get_if<Start>(&m)) {
        if (role_ == Role::Host || start_) return bad("a start from the joining side");
        start_ = *s;
        // The match it starts counts afresh.
        incoming_.clear();
        incomingCount_ = 0;
        confirmed_ = lastKeysLook_ = lastClock_ = reachedClock_ = 0;
        theirHashes_.clear();
    } else if (const Keys* k = std::get_if<Keys>(&m)) {
        if (!inMatch_ && !start_) return bad("keys outside a match");
        if (k->look <= confirmed_ || k->look < lastKeysLook_ || k->clockMs < lastClock_)
            return bad("keys for a look or a time gone by");
        incomingCount_ += k->keys.size();
        if (incomingCount_ > MaxWaitingKeys) return bad("too many keys ahead");
        auto& at = incoming_[k->look];
        at.insert(at.end(), k->keys.begin(), k->keys.end());
        lastKeysLook_ = k->look;
        lastClock_ = k->clockMs;
    } else if (const Reached* r = std::get_if<Reached>(&m)) {
        if (!inMatch_ && !start_) return bad("a look outside a match");
        if (r->look < confirmed_ || r->clockMs < reachedClock_) return bad("a look or a time gone by");
        confirmed_ = r->look;
        reachedClock_ = r->clockMs;
    } else if (const TurnHash* t = std::get_if<TurnHash>(&m)) {
        if (theirHashes_.size() >= MaxWaitingHashes) return bad("too many turns ahead");
        theirHashes_[t->turn] = *t;
    } else if (const Leave* l = std::get_if<Leave>(&m)) {
        return Fail(Describe(l->reason), l->reason == Reason::Quit ? 1 : l->reason == Reason::OutOfStep ? 3 : 4,
                    false, Reason::Quit, l->reason == Reason::Quit);
    }
    CompareHashes();
}

void Session::CompareHashes() {
    for (auto it = theirHashes_.begin(); it != theirHashes_.end();) {
        const auto own = ownHashes_.find(it->first);
        if (own == ownHashes_.end()) {
            ++it;
            continue;
        }
        if (own->second != it->second)
            return Fail("the two games went out of step in turn " + std::to_string(it->first), 3, true,
                        Reason::OutOfStep);
        ownHashes_.erase(own);
        it = theirHashes_.erase(it);
    }
}

template <class F>
void Session::WaitUntil(F done) {
    auto waiter = std::make_shared<Waiter>(*this, done);
    Input::SetSource(0, waiter);
    struct Back {
        ~Back() { Input::SetSource(0, nullptr); }
    } back;
    // Each wait of 0 ms is a look that blocks in Ready until the network
    // wakes the input, or the window closes.
    while (!done()) {
        CheckNeeded();
        Runtime::Delay(0);
    }
}

void Session::WaitForPeer() {
    WaitUntil([this] { return connected_ && greeted_; });
    Watch();
}

void Session::Watch() {
    // Between matches (the host's menus): the other side leaving ends the
    // network game at the next look, a key read's wait included.
    Input::SetLookHook([this](uint64_t, uint64_t, bool) {
        Pump();
        CheckNeeded();
    });
}

Start Session::WaitForStart() {
    WaitForPeer();
    WaitUntil([this] { return start_.has_value(); });
    return *start_;
}

void Session::SendStart(const Start& start) { Send(start); }

void Session::BeginMatch() {
    Pump();
    CheckNeeded();
    inMatch_ = true;
    remote_ = std::make_shared<Remote>(*this);
    for (uint32_t team = 0; team <= 2; ++team)
        if (!Mine(team)) Input::SetSource(team, remote_);
    Input::SetTurn(0);
    Input::StartCount();
    if (role_ == Role::Host) {
        incoming_.clear();
        incomingCount_ = 0;
        confirmed_ = lastKeysLook_ = lastClock_ = reachedClock_ = 0;
        theirHashes_.clear();
    }
    ownHashes_.clear();
    turns_ = 0;
    outgoing_.clear();
    localLook_ = localClock_ = confirmedSent_ = 0;
    observer_ = Input::Observe([this](const Input::Stamped& s) {
        if (!Mine(s.team)) return;
        if (outgoing_.empty() || outgoing_.back().look != s.look || outgoing_.back().keys.size() == MaxKeys)
            outgoing_.push_back(Keys{s.look, s.clockMs, {}});
        outgoing_.back().keys.push_back(Key{uint8_t(s.event.kind), s.event.vk});
    });
    Input::SetLookHook([this](uint64_t look, uint64_t clock, bool final) {
        Pump();
        CheckTurns(look);
        Check();
        // Our own turn goes nowhere without the other side.
        if (Mine(Input::Turn())) CheckNeeded();
        // A look of ours is over when the input says nothing more can come
        // at it, or else once the next one begins.
        Looked(look, clock, final);
    });
}

void Session::EndMatch() {
    if (!inMatch_) return;
    inMatch_ = false;
    start_.reset();
    Watch();
    Input::Unobserve(observer_);
    for (uint32_t team = 0; team <= 2; ++team) Input::SetSource(team, nullptr);
    Input::SetTurn(0);
    remote_.reset();
}

void Session::Looked(uint64_t look, uint64_t clock, bool complete) {
    ConfirmUpTo(look - 1);
    if (!Mine(Input::Turn())) return;
    localLook_ = look;
    localClock_ = clock;
    SendKeys();
    if (complete) ConfirmUpTo(look);
}

void Session::SendKeys() {
    for (const Keys& k : outgoing_) Send(k);
    outgoing_.clear();
}

void Session::ConfirmUpTo(uint64_t look) {
    const uint64_t upTo = std::min(look, localLook_);
    if (upTo <= confirmedSent_) return;
    SendKeys();
    Send(Reached{upTo, localClock_});
    confirmedSent_ = upTo;
}

void Session::CheckTurns(uint64_t look) {
    const auto theirs = theirHashes_.find(turns_ + 1);
    if (!ended_ && theirs != theirHashes_.end() && theirs->second.look < look)
        Fail("the two games went out of step in turn " + std::to_string(turns_ + 1) + " (it ended at look " +
                 std::to_string(theirs->second.look) + " over there)",
             3, true, Reason::OutOfStep);
}

void Session::TurnOver(uint32_t turn, uint64_t hash) {
    const TurnHash mine{turn, Input::Looks(), hash};
    Send(mine);
    ownHashes_[turn] = mine;
    turns_ = turn;
    Pump();
    CompareHashes();
    Check();
}

}  // namespace Net
