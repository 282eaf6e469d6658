#include "RegisterState.h"

namespace hoardly {

ModeFlags flagsOf(RegisterMode mode) {
    switch (mode) {
    case RegisterMode::Adding:
        return {true, false};
    case RegisterMode::Editing:
        return {false, true};
    default:
        return {};
    }
}

bool isEntry(RegisterMode mode) {
    return mode == RegisterMode::Adding || mode == RegisterMode::Editing;
}

namespace {

RegisterPage pageOf(const RegisterShape& shape, RegisterMode mode) {
    switch (mode) {
    case RegisterMode::Browsing:
        return RegisterPage::Browse;
    case RegisterMode::Adding:
    case RegisterMode::Editing:
        return shape.onePage ? RegisterPage::Browse : RegisterPage::Edit;
    case RegisterMode::Searching:
        return shape.searchPage ? RegisterPage::Search : RegisterPage::Browse;
    case RegisterMode::MasterList:
        return shape.masterList ? RegisterPage::MasterList : RegisterPage::Browse;
    }
    return RegisterPage::Browse;
}

} // namespace

DerivedState deriveState(const RegisterShape& shape, RegisterMode mode) {
    const bool entry = isEntry(mode);
    const bool away = mode == RegisterMode::Searching || mode == RegisterMode::MasterList;
    DerivedState state;
    state.page = pageOf(shape, mode);
    // Adding, editing, the search page and the master list lock the record commands.
    state.locked = mode != RegisterMode::Browsing;
    state.backEnabled = away;
    state.masterListReleased = mode == RegisterMode::MasterList;
    state.okEnabled = entry;
    state.cancelEnabled = entry;
    state.escapeCancels = entry;
    state.boxesEditable = entry && shape.onePage;
    state.browsingControls = !entry;
    return state;
}

} // namespace hoardly
