#include "platform/x11/BorrowedKeys.h"

#include <X11/XKBlib.h>

#include <algorithm>
#include <stdexcept>
#include <string.h>
#include <thread>

namespace vm::x11 {

void BorrowedKeys::reserve(KeySym keysym, const X11Keymap& keymap) {
    if (!loanOf(keysym) && !lendSpare(keysym, keymap) && loans_.empty())
        throw std::runtime_error("The keyboard has no spare key to type a character with");
}

KeyCode BorrowedKeys::lend(KeySym keysym, const X11Keymap& keymap) {
    Loan* loan = loanOf(keysym);
    if (!loan)
        loan = lendSpare(keysym, keymap);
    if (!loan)
        loan = &relend(keysym);
    loan->lastUsed = Clock::now();
    return loan->key;
}

void BorrowedKeys::giveBack() noexcept {
    if (loans_.empty())
        return;
    std::this_thread::sleep_for(kCatchUp);
    for (const Loan& loan : loans_)
        put(loan.key, NoSymbol);
    explicit_bzero(loans_.data(), loans_.size() * sizeof(Loan));
    loans_.clear();
    spare_.clear();
    spareKnown_ = false;
}

BorrowedKeys::Loan* BorrowedKeys::loanOf(KeySym keysym) {
    const auto lent = std::find_if(loans_.begin(), loans_.end(),
                                   [&](const Loan& loan) { return loan.keysym == keysym; });
    return lent == loans_.end() ? nullptr : &*lent;
}

BorrowedKeys::Loan* BorrowedKeys::lendSpare(KeySym keysym, const X11Keymap& keymap) {
    if (!spareKnown_) {
        spare_ = keymap.spareKeys();
        spareKnown_ = true;
    }
    if (spare_.empty())
        return nullptr;
    // From the top: the lowest key code, 8, stands for no key at all.
    const KeyCode key = spare_.back();
    if (!put(key, keysym))
        throw std::runtime_error("Cannot change the keyboard map of the X display");
    spare_.pop_back();
    loans_.push_back({key, keysym, Clock::time_point()});
    return &loans_.back();
}

// Every spare key is out: the key used longest ago is lent afresh.
BorrowedKeys::Loan& BorrowedKeys::relend(KeySym keysym) {
    if (loans_.empty())
        throw std::runtime_error("The keyboard has no spare key to type a character with");
    Loan& oldest =
        *std::min_element(loans_.begin(), loans_.end(),
                          [](const Loan& a, const Loan& b) { return a.lastUsed < b.lastUsed; });
    std::this_thread::sleep_until(oldest.lastUsed + kCatchUp);
    if (!put(oldest.key, keysym))
        throw std::runtime_error("Cannot change the keyboard map of the X display");
    oldest.keysym = keysym;
    return oldest;
}

bool BorrowedKeys::put(KeyCode key, KeySym keysym) noexcept {
    XkbDescPtr xkb = XkbGetMap(display_, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd);
    if (!xkb)
        return false;
    // The type of letters, whose levels answer to both Shift and Caps Lock,
    // with the same symbol on both: Caps Lock is then used up by the key, and
    // no receiving program turns the character into its capital.
    int types[XkbNumKbdGroups] = {XkbAlphabeticIndex};
    const int groups = keysym == NoSymbol ? 0 : 1;
    XkbMapChangesRec changes{};
    const bool changed =
        XkbChangeTypesOfKey(xkb, key, groups, XkbGroup1Mask, types, &changes) == Success;
    if (changed) {
        changes.changed |= XkbKeySymsMask;
        changes.first_key_sym = key;
        changes.num_key_syms = 1;
        KeySym* symbols = XkbKeySymsPtr(xkb, key);
        const std::size_t count = static_cast<std::size_t>(XkbKeyNumSyms(xkb, key));
        std::fill(symbols, symbols + count, keysym);
        XkbChangeMap(display_, xkb, &changes);
        explicit_bzero(symbols, count * sizeof(KeySym));
    }
    XkbFreeKeyboard(xkb, 0, True);
    XSync(display_, False);
    return changed;
}

} // namespace vm::x11
