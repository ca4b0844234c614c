#pragma once

// Assigning a lambda to a control's event in tests.

// A lambda does not convert to the event type in one step: through its handler type.
template <class E, class F>
void Bind(E& event, F f)
{
    event = E(typename E::Handler(f));
}
