// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// The screen mode is a short text: "0" normal window state, "2" maximised. It is read
// by two tests, one after the other: "is it 0 (or not a number)?" sets the normal
// state, "is it 2 (or not a number)?" sets the maximised state. So a text that is not a
// number (the empty text too) ends maximised, and any other number keeps the page's
// designed state.
namespace screenmode {

enum class State { Normal, Maximised };

// The state that the two tests leave, or nullopt for "keep the designed state".
std::optional<State> resultingState(const QString &modeText);

// The text that stands for a state, as the settings page writes it.
QString textFor(State state);

} // namespace screenmode
