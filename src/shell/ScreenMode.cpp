// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ScreenMode.h"

namespace screenmode {

std::optional<State> resultingState(const QString &modeText)
{
    bool ok = false;
    const double number = modeText.trimmed().toDouble(&ok);
    std::optional<State> state;
    if (!ok || number == 0)
        state = State::Normal;
    if (!ok || number == 2)
        state = State::Maximised;
    return state;
}

QString textFor(State state)
{
    return state == State::Maximised ? QStringLiteral("2") : QStringLiteral("0");
}

} // namespace screenmode
