#pragma once

// Binds a client (a toolbar button, a menu item) to an action: the client takes
// the action's caption, state, picture and hint now and after every change,
// and runs the action when it is invoked.

class TAction;

class TActionClient {
public:
    virtual ~TActionClient() = default;
    // The linked action changed (or a link was just made): copy what it shows.
    virtual void ActionChanged(const TAction& action) = 0;
    // The linked action is going away; the client keeps what it last copied.
    virtual void ActionDestroyed() {}
};

class TActionLink {
public:
    explicit TActionLink(TActionClient* client) : client_(client) {}
    ~TActionLink();
    TActionLink(const TActionLink&) = delete;
    TActionLink& operator=(const TActionLink&) = delete;

    TAction* Action() const { return action_; }
    void SetAction(TAction* action);
    // Executes the action; false when there is none or nothing ran.
    bool Execute();

private:
    friend class TAction;
    void Changed();
    void ActionGone();

    TActionClient* client_;
    TAction* action_ = nullptr;
};
