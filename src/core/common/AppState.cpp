#include "core/common/AppState.h"

#include <memory>

void TMKIGYOU2::clearLoaded() {
    const QString kco = KCO;
    const QString nendo = NENDO;
    *this = TMKIGYOU2();
    KCO = kco;
    NENDO = nendo;
}

void AppState::refreshToday() {
    Today = clock();
    TodayYear = Today.year();
    TodayMonth = Today.month();
    TodayDay = Today.day();
}

namespace {
std::unique_ptr<AppState>& holder() {
    static std::unique_ptr<AppState> s = std::make_unique<AppState>();
    return s;
}
} // namespace

AppState& state() {
    return *holder();
}

AppState& resetState() {
    holder() = std::make_unique<AppState>();
    return *holder();
}
